#include "NumberFormat.h"

#include <QLocale>

#include <array>

namespace NumberFormat {

namespace {

QLocale groupingLocale()
{
    QLocale locale;
    locale.setNumberOptions(locale.numberOptions() & ~QLocale::OmitGroupSeparator);
    return locale;
}

QLocale plainLocale()
{
    QLocale locale;
    locale.setNumberOptions(locale.numberOptions() | QLocale::OmitGroupSeparator);
    return locale;
}

// Removes a minus sign from a text whose digits are all zero ("-0.00" -> "0.00"),
// so that a tiny negative value does not read as a negative quantity.
QString withoutNegativeZero(const QString &text, const QLocale &locale)
{
    const QString minus = locale.negativeSign();
    if (!text.startsWith(minus))
        return text;
    const QChar zero = locale.zeroDigit().at(0);
    for (const QChar c : QStringView(text).mid(minus.size())) {
        if (c.isDigit() && c != zero)
            return text;
    }
    return text.mid(minus.size());
}

struct Scale
{
    quint64 divisor;
    const char *suffix;
};

constexpr std::array<Scale, 4> kScales{{
    {1'000ULL, "K"},
    {1'000'000ULL, "M"},
    {1'000'000'000ULL, "B"},
    {1'000'000'000'000ULL, "T"},
}};

} // namespace

QString fixed(double value, int fractionDigits)
{
    const QLocale locale = groupingLocale();
    return withoutNegativeZero(locale.toString(value, 'f', fractionDigits), locale);
}

QString decimal(double value, int maxFractionDigits)
{
    const QLocale locale = groupingLocale();
    QString text = withoutNegativeZero(locale.toString(value, 'f', maxFractionDigits), locale);
    const QString point = locale.decimalPoint();
    const qsizetype pointAt = text.lastIndexOf(point);
    if (pointAt < 0)
        return text;
    const QChar zero = locale.zeroDigit().at(0);
    qsizetype end = text.size();
    while (end > pointAt + point.size() && text.at(end - 1) == zero)
        --end;
    if (end == pointAt + point.size())
        end = pointAt;
    text.truncate(end);
    return text;
}

QString grouped(qint64 value)
{
    return groupingLocale().toString(value);
}

QString compact(qint64 value)
{
    // The magnitude as an unsigned number, so that the most negative value has one.
    const quint64 magnitude = value < 0 ? 0 - static_cast<quint64>(value) : static_cast<quint64>(value);
    if (magnitude < kScales.front().divisor)
        return plainLocale().toString(value);

    std::size_t scale = 0;
    while (scale + 1 < kScales.size() && magnitude >= kScales[scale + 1].divisor)
        ++scale;
    const quint64 divisor = kScales[scale].divisor;

    // Below ten units one fraction digit is kept (two significant digits); from ten
    // units up, whole units.
    const bool tenths = magnitude < 10 * divisor;
    const quint64 unit = tenths ? divisor / 10 : divisor;
    quint64 rounded = magnitude / unit;
    const quint64 remainder = magnitude % unit;
    if (2 * remainder > unit || (2 * remainder == unit && rounded % 2 == 1))
        ++rounded;

    const QLocale locale = plainLocale();
    QString number;
    if (!tenths && rounded == 1000 && scale + 1 < kScales.size()) {
        // 999.5K and up round to a thousand of this scale: one of the next.
        ++scale;
        number = locale.toString(1);
    } else if (tenths && rounded % 10 != 0) {
        number = locale.toString(static_cast<double>(rounded) / 10.0, 'f', 1);
    } else {
        const quint64 whole = tenths ? rounded / 10 : rounded;
        // Like the platform's compact form, grouping starts at five digits.
        number = whole >= 10'000 ? groupingLocale().toString(whole) : locale.toString(whole);
    }
    const QString sign = value < 0 ? locale.negativeSign() : QString();
    return sign + number + QLatin1StringView(kScales[scale].suffix);
}

} // namespace NumberFormat
