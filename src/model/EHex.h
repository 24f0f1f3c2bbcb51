#pragma once

// Extended-hexadecimal digits: one character per profile value, "0" to "9" then the
// capital letters with "I" and "O" left out, so that "Z" stands for 33. The
// arithmetic also covers neighbouring character codes (34 is "[", ":" reads as 10),
// which the profile line and the sector importer rely on.

#include <QChar>
#include <QString>
#include <QStringView>

#include <optional>

namespace EHex {

// Shown for a value that has no character (below -48, or past the last Unicode
// scalar value): every such value is a stored number far outside any profile code.
inline constexpr char16_t kPlaceholder = u'?';

// The character of a value.
QString digit(qint64 value);

// The value of one character (a carriage return followed by a line feed counts as a
// line feed). No value for anything that is not a single ASCII character, so that
// callers can tell foreign text from every digit.
std::optional<qint64> value(QStringView character);
std::optional<qint64> value(QChar character);

} // namespace EHex
