#pragma once

#include "json/Json.h"

#include <QHashFunctions>
#include <QString>

#include <cstddef>
#include <functional>

// The position of one hex of the map: a sector of the unbounded sector grid and a
// column (1 to 32) and row (1 to 40) inside it. Nothing is range-checked: screens and
// the hex geometry keep the fields in range, and stored values are kept as read.
// The hex label ("00-0101") is the form every screen shows.
struct GalacticCoordinates
{
    qint64 sectorX = 0;
    qint64 sectorY = 0;
    qint64 column = 0;
    qint64 row = 0;

    // The hex label: both sector texts side by side, "-", then column and row, each
    // with a leading "0" below 10.
    QString description() const;

    // The text of one sector index: decimal for 0 and above, a letter for negative
    // indices ("A" for -1, "B" for -2, ...).
    static QString sectorXText(qint64 index);
    static QString sectorYText(qint64 index);

    // The subsector "A" to "P" that holds the hex, or "?" below the sector's rows.
    QString subsectorLetter() const;

    // Lenient: a missing or null key gives 0; a key of the wrong type is an error.
    static GalacticCoordinates fromJson(const JsonReader &reader);
    JsonObject toJson() const;

    friend bool operator==(const GalacticCoordinates &, const GalacticCoordinates &) = default;
};

inline size_t qHash(const GalacticCoordinates &value, size_t seed = 0) noexcept
{
    return qHashMulti(seed, value.sectorX, value.sectorY, value.column, value.row);
}

template <> struct std::hash<GalacticCoordinates>
{
    size_t operator()(const GalacticCoordinates &value) const noexcept { return qHash(value); }
};
