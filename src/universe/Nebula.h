#pragma once

#include "NebulaType.h"
#include "model/GalacticCoordinates.h"
#include "json/Json.h"

#include <QHashFunctions>
#include <QList>
#include <QString>
#include <QUuid>

// A named cloud over a set of hexes, tinted on the star map by its kind. The hexes
// keep the order in which they were added; nothing forbids a repeated hex.
struct Nebula
{
    QUuid id;
    QString name;
    NebulaType type = NebulaType::emission;
    QList<GalacticCoordinates> hexes;

    // Every key is required.
    static Nebula fromJson(const JsonReader &reader);
    JsonObject toJson() const;

    friend bool operator==(const Nebula &, const Nebula &) = default;
};

inline size_t qHash(const Nebula &value, size_t seed = 0) noexcept
{
    return qHashMulti(seed, value.id, value.name, value.type, value.hexes);
}
