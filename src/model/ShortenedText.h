#pragma once

#include <QString>

// `text` cut to at most `longest` characters, the cut marked with an ellipsis, never
// inside a surrogate pair: how a long name is quoted where only so much of it fits.
QString shortened(const QString &text, qsizetype longest);
