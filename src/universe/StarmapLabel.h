#pragma once

#include "FactionColor.h"
#include "model/GalacticCoordinates.h"
#include "json/Json.h"

#include <QHashFunctions>
#include <QString>
#include <QUuid>

// A free text written on the star map, centred on a hex. Labels of one category can
// be hidden together; the empty category means none.
struct StarmapLabel
{
    QUuid id;
    QString text;
    double size = 0.0; // font size in map points, before the map's zoom
    FactionColor color = FactionColor::white;
    double angle = 0.0; // rotation about the position, in radians
    GalacticCoordinates position;
    QString category;

    // All keys but "category" are required. "angle" is a number of radians; an object
    // with a numeric "radians" member is read as well.
    static StarmapLabel fromJson(const JsonReader &reader);
    // Writes every key, "category" too when it is empty, and "angle" as a number.
    JsonObject toJson() const;

    friend bool operator==(const StarmapLabel &, const StarmapLabel &) = default;
};

inline size_t qHash(const StarmapLabel &value, size_t seed = 0) noexcept
{
    return qHashMulti(seed, value.id, value.text, value.size, value.color, value.angle, value.position,
                      value.category);
}
