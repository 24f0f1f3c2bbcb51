#pragma once

#include <QStringView>

// Trimming of blanks (spaces of any width and tabs) but not line breaks, as names
// and colour texts typed or received are trimmed: a line break stays and keeps the
// text from matching.
namespace BlankTrimming {

bool isBlank(QChar c);
QStringView trimmedBlanks(QStringView text);

} // namespace BlankTrimming
