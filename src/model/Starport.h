#pragma once

#include "json/EnumTable.h"

#include <QString>
#include <QStringView>

#include <array>
#include <optional>

// The quality of a world's port. Files store the quality word; the world profile
// shows the one-letter code. The last four are spaceports.
enum class Starport : quint8 { typeA, typeB, typeC, typeD, typeE, typeX, typeF, typeG, typeH, typeY };

struct StarportRow
{
    Starport value;
    const char *raw;
    char code;
};

inline constexpr std::array<StarportRow, 10> kStarportTable{{
    {Starport::typeA, "Excellent", 'A'},
    {Starport::typeB, "Good", 'B'},
    {Starport::typeC, "Routine", 'C'},
    {Starport::typeD, "Poor", 'D'},
    {Starport::typeE, "Frontier", 'E'},
    {Starport::typeX, "None", 'X'},
    {Starport::typeF, "Good (Sp)", 'F'},
    {Starport::typeG, "Poor (Sp)", 'G'},
    {Starport::typeH, "Basic (Sp)", 'H'},
    {Starport::typeY, "None (Sp)", 'Y'},
}};

template <> struct EnumTraits<Starport>
{
    static constexpr const auto &rows = kStarportTable;
};

// The profile letter ("A" … "Y").
inline QString code(Starport value)
{
    return QString(QLatin1Char(enumRow(value).code));
}

// The starport whose profile letter is exactly `letter`, or no value.
inline std::optional<Starport> starportFromCode(QStringView letter)
{
    if (letter.size() != 1)
        return std::nullopt;
    for (const auto &row : kStarportTable) {
        if (letter.front() == QLatin1Char(row.code))
            return row.value;
    }
    return std::nullopt;
}
