#include "EHex.h"

namespace EHex {

QString digit(qint64 value)
{
    constexpr qint64 lastScalar = 0x10FFFF;
    // Checked before any addition, so that no stored number can overflow the offset.
    if (value < -48 || value > lastScalar)
        return QString(QChar(kPlaceholder));

    qint64 code = 0;
    if (value <= 9)
        code = value + 48;
    else if (value <= 17)
        code = value + 55;
    else if (value <= 22)
        code = value + 56;
    else
        code = value + 57;

    const bool surrogate = code >= 0xD800 && code <= 0xDFFF;
    if (code > lastScalar || surrogate)
        return QString(QChar(kPlaceholder));
    const char32_t scalar = static_cast<char32_t>(code);
    return QString::fromUcs4(&scalar, 1);
}

std::optional<qint64> value(QStringView character)
{
    qint64 code = 0;
    if (character == u"\r\n")
        code = '\n';
    else if (character.size() == 1 && character.front().unicode() < 128)
        code = character.front().unicode();
    else
        return std::nullopt;

    if (code <= 64)
        return code - 48;
    if (code <= 72)
        return code - 55;
    if (code <= 78)
        return code - 56;
    return code - 57;
}

std::optional<qint64> value(QChar character)
{
    return value(QStringView(&character, 1));
}

} // namespace EHex
