#pragma once

#include "GalacticCoordinates.h"
#include "json/Json.h"
#include "StarSystem.h"

#include <QString>
#include <QUuid>

// One occupied hex of a universe: where it is, the system there and the referee's
// notes on it.
struct HexData
{
    QUuid id;
    GalacticCoordinates coordinates;
    StarSystem starSystem;
    QString notes;

    // Every key is required.
    static HexData fromJson(const JsonReader &r);
    JsonObject toJson() const;

    friend bool operator==(const HexData &, const HexData &) = default;
};

size_t qHash(const HexData &hex, size_t seed = 0);
