#pragma once

#include <QList>
#include <QStringView>

#include <optional>

// Reading the small texts of the service's answers: decimal numbers, four-digit hex
// positions and blank-separated tokens. Only ASCII digits count, numbers that do not
// fit in 64 bits are no numbers, and nothing is trimmed.
namespace TravellerMapImporter {

// A hex text read as numbers: "0140" is column 1, row 40.
struct HexNumbers
{
    qint64 column = 0;
    qint64 row = 0;

    friend bool operator==(const HexNumbers &, const HexNumbers &) = default;
};

bool isAsciiDigit(QChar c);

// An optional sign followed by one or more decimal digits, and nothing else.
std::optional<qint64> parseDecimal(QStringView text);

// Exactly four characters whose first two and last two each read as a decimal number.
std::optional<HexNumbers> parseHex(QStringView text);

// The pieces between space characters; runs of spaces give no empty pieces.
QList<QStringView> splitAtSpaces(QStringView text);

} // namespace TravellerMapImporter
