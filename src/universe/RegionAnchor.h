#pragma once

#include "HexCorner.h"
#include "model/GalacticCoordinates.h"
#include "json/Json.h"

#include <QHashFunctions>

// One corner of one hex, through which a region's outline passes. Corners are
// numbered as the corners of HexLayout (0 the right-hand vertex, then clockwise on
// screen); any integer is kept as stored and read modulo 6.
struct RegionAnchor
{
    GalacticCoordinates hex;
    qint64 corner = 0;

    // The grid vertex this anchor names.
    HexCorner hexCorner() const;

    // Both keys are required.
    static RegionAnchor fromJson(const JsonReader &reader);
    JsonObject toJson() const;

    friend bool operator==(const RegionAnchor &, const RegionAnchor &) = default;
};

inline size_t qHash(const RegionAnchor &value, size_t seed = 0) noexcept
{
    return qHashMulti(seed, value.hex, value.corner);
}
