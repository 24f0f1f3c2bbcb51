#include "GalacticCoordinates.h"

using namespace Qt::StringLiterals;

namespace {

constexpr char32_t kLastScalar = 0x10FFFF;

// Column and row are written with at least two digits; negative values are compared
// as signed numbers, so they get the "0" as well.
QString twoDigits(qint64 value)
{
    const QString digits = QString::number(value);
    return value < 10 ? u'0' + digits : digits;
}

QString sectorText(qint64 index)
{
    if (index >= 0)
        return QString::number(index);
    // -1 is "A" (64 + 1), -2 is "B", and so on past "Z". An index whose character
    // would not be a Unicode scalar value (a surrogate, or beyond the last plane) is
    // written in decimal instead. Checking the magnitude first keeps 64 - index from
    // overflowing for the most negative indices.
    if (index < -static_cast<qint64>(kLastScalar - 64))
        return QString::number(index);
    const auto scalar = static_cast<char32_t>(64 - index);
    if (scalar >= 0xD800 && scalar <= 0xDFFF)
        return QString::number(index);
    return QString::fromUcs4(&scalar, 1);
}

} // namespace

QString GalacticCoordinates::description() const
{
    return sectorXText(sectorX) + sectorYText(sectorY) + u'-' + twoDigits(column) + twoDigits(row);
}

QString GalacticCoordinates::sectorXText(qint64 index)
{
    return sectorText(index);
}

QString GalacticCoordinates::sectorYText(qint64 index)
{
    return sectorText(index);
}

QString GalacticCoordinates::subsectorLetter() const
{
    static const QString letters = u"ABCDEFGHIJKLMNOP"_s;
    const qint64 c = column > 0 ? column - 1 : 0;
    const qint64 r = row > 0 ? row - 1 : 0;
    const qint64 band = r / 10;
    const qint64 across = c / 8;
    // Four subsectors to a band: anything from the fifth band on, or far enough to
    // the right to step past "P", has no letter. Checked piecewise so that huge
    // stored values cannot overflow the index.
    if (band >= 4 || across >= 16)
        return u"?"_s;
    const qint64 index = 4 * band + across;
    if (index >= letters.size())
        return u"?"_s;
    return letters.at(index);
}

GalacticCoordinates GalacticCoordinates::fromJson(const JsonReader &reader)
{
    GalacticCoordinates value;
    value.sectorX = reader.optional<qint64>("sectorX"_L1, 0);
    value.sectorY = reader.optional<qint64>("sectorY"_L1, 0);
    value.row = reader.optional<qint64>("row"_L1, 0);
    value.column = reader.optional<qint64>("column"_L1, 0);
    return value;
}

JsonObject GalacticCoordinates::toJson() const
{
    return {
        {"sectorX"_L1, jsonValue(sectorX)},
        {"sectorY"_L1, jsonValue(sectorY)},
        {"row"_L1, jsonValue(row)},
        {"column"_L1, jsonValue(column)},
    };
}
