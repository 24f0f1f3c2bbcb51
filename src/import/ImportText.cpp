#include "ImportText.h"

#include "json/JsonParser.h"

#include <limits>

namespace TravellerMapImporter {

std::optional<JsonValue> parseAnswerJson(QByteArrayView body)
{
    return JsonParser::parse(body, nullptr, JsonParser::LoneSurrogates::replace);
}

QString withLoneSurrogatesReplaced(QString text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            ++i;
        else if (text[i].isSurrogate())
            text[i] = QChar::ReplacementCharacter;
    }
    return text;
}

bool isAsciiDigit(QChar c)
{
    return c.unicode() >= u'0' && c.unicode() <= u'9';
}

std::optional<qint64> parseDecimal(QStringView text)
{
    bool negative = false;
    if (!text.isEmpty() && (text.front() == u'+' || text.front() == u'-')) {
        negative = text.front() == u'-';
        text = text.sliced(1);
    }
    if (text.isEmpty())
        return std::nullopt;
    // Accumulated as a negative number, whose range is one larger, so that the
    // smallest 64-bit value reads too.
    qint64 value = 0;
    for (const QChar c : text) {
        if (!isAsciiDigit(c))
            return std::nullopt;
        if (__builtin_mul_overflow(value, 10, &value) ||
            __builtin_sub_overflow(value, c.unicode() - u'0', &value))
            return std::nullopt;
    }
    if (negative)
        return value;
    if (value == std::numeric_limits<qint64>::min())
        return std::nullopt;
    return -value;
}

std::optional<HexNumbers> parseHex(QStringView text)
{
    if (text.size() != 4)
        return std::nullopt;
    const auto column = parseDecimal(text.first(2));
    const auto row = parseDecimal(text.last(2));
    if (!column || !row)
        return std::nullopt;
    return HexNumbers{*column, *row};
}

QList<QStringView> splitAtSpaces(QStringView text)
{
    return text.split(u' ', Qt::SkipEmptyParts);
}

} // namespace TravellerMapImporter
