#pragma once

#include "json/JsonValue.h"

#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringView>

#include <optional>

// Reading the service's answers: their JSON, and their small texts — decimal numbers,
// four-digit hex positions and blank-separated tokens. Only ASCII digits count,
// numbers that do not fit in 64 bits are no numbers, and nothing is trimmed.
namespace TravellerMapImporter {

// A hex text read as numbers: "0140" is column 1, row 40.
struct HexNumbers
{
    qint64 column = 0;
    qint64 row = 0;

    friend bool operator==(const HexNumbers &, const HexNumbers &) = default;
};

// The JSON of an answer, read strictly except that an escaped surrogate without its
// partner becomes U+FFFD, as it would be written to a universe file anyway: one
// damaged name keeps the rest of the answer, and what is stored reads back the same.
std::optional<JsonValue> parseAnswerJson(QByteArrayView body);

// `text` with each surrogate that has no partner replaced by U+FFFD, as the JSON
// reader above and the universe file do: a typed name is then sent, shown and stored
// as one and the same text.
QString withLoneSurrogatesReplaced(QString text);

bool isAsciiDigit(QChar c);

// An optional sign followed by one or more decimal digits, and nothing else.
std::optional<qint64> parseDecimal(QStringView text);

// Exactly four characters whose first two and last two each read as a decimal number.
std::optional<HexNumbers> parseHex(QStringView text);

// The pieces between space characters; runs of spaces give no empty pieces.
QList<QStringView> splitAtSpaces(QStringView text);

} // namespace TravellerMapImporter
