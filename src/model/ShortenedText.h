#pragma once

#include <QString>

// `text` cut to at most `longest` characters, the cut marked with an ellipsis, never
// inside a surrogate pair: how a long name is quoted where only so much of it fits.
QString shortened(const QString &text, qsizetype longest);

// The longest name a message, a menu or a button quotes: it stays narrower than the
// screen.
inline constexpr qsizetype kLongestQuotedName = 80;

// A name as a message, a menu or a button quotes it: shortened() to kLongestQuotedName.
QString quotedName(const QString &name);
