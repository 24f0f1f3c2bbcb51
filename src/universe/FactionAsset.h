#pragma once

#include "AssetCategory.h"
#include "AssetType.h"
#include "model/GalacticCoordinates.h"
#include "json/Json.h"
#include "model/TechnologyLevel.h"

#include <QHashFunctions>
#include <QString>

// Something a faction owns: a starship, a unit, a facility. It has no identity of its
// own and is known by its place in the faction's list of assets.
struct FactionAsset
{
    QString name;
    AssetCategory category = AssetCategory::cunning;
    qint64 hp = 0;
    qint64 cost = 0;
    TechnologyLevel tl = TechnologyLevel::tl0;
    AssetType type = AssetType::starship;
    GalacticCoordinates location;
    QString attack;
    QString counter;
    QString note;

    // Every key is required, unlike a faction's own keys.
    static FactionAsset fromJson(const JsonReader &reader);
    JsonObject toJson() const;

    friend bool operator==(const FactionAsset &, const FactionAsset &) = default;
};

inline size_t qHash(const FactionAsset &value, size_t seed = 0) noexcept
{
    return qHashMulti(seed, value.name, value.category, value.hp, value.cost, value.tl, value.type,
                      value.location, value.attack, value.counter, value.note);
}
