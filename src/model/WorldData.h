#pragma once

#include "json/Json.h"
#include "Orbits.h"
#include "PlanetOrbits.h"
#include "Race.h"
#include "TradeClass.h"
#include "UWP.h"
#include "WorldTag.h"
#include "WorldType.h"

#include <QList>
#include <QString>
#include <QUuid>

#include <optional>

// One body of a star system: a world, belt, gas giant or moon, with its orbit, its
// world profile and the referee's additions. Systems store their bodies flat: a moon
// is a world of its star with the parent's orbit and a satellite orbit other than
// "0"; the nested `satellites` list is kept for records that carry one.
struct WorldData
{
    QUuid id;
    QString name;
    bool mainWorld = false;
    WorldType type = WorldType::planet;
    Orbits sunOrbit = Orbits::starOrbit0;
    PlanetOrbits satelliteOrbit = PlanetOrbits::planetOrbit0;
    QList<WorldData> satellites;
    qint64 hzOffset = 0; // orbits from the habitable zone; negative is inside it
    UWP uwp;
    qint64 dayLength = 0;  // standard hours
    qint64 yearLength = 0; // standard hours
    bool tideLocked = false;
    Race prevalentRace = Race::human;
    QList<QUuid> factionIDs;
    QList<WorldTag> worldTags;
    QList<TradeClass> tradeClasses;
    QString notes;
    QString image;
    // Older files stored whole faction records here (key "factions") instead of ids.
    // They are kept as read, as JSON objects, because factions belong to the
    // universe layer above this one: the universe document decodes them when it
    // relinks the ids after loading. Never written.
    std::optional<QList<JsonObject>> legacyFactions;

    // The climate zone, 0 twilight, 1 hot, 2 tropic, 3 temperate, 4 tundra, 5 cold,
    // 6 frozen: from the orbit, the distance from the habitable zone and, for
    // Earth-like profiles, the hydrographics.
    int climateZone() const;

    // Missing trade classes are decided from the profile; without "factionIDs" the
    // older "factions" records give the ids.
    static WorldData fromJson(const JsonReader &r);
    // Every key but the legacy "factions".
    JsonObject toJson() const;

    // Member-wise. Defined out of line: a world holds a list of worlds, and the
    // container's own equality test needs this operator declared, not deduced.
    friend bool operator==(const WorldData &, const WorldData &);
};

size_t qHash(const WorldData &world, size_t seed = 0);
