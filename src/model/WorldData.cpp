#include "WorldData.h"

#include <QHashFunctions>

using namespace Qt::StringLiterals;

int WorldData::climateZone() const
{
    // A body close to its star (not a moon) lives in the twilight zone.
    if (satelliteOrbit == PlanetOrbits::planetOrbit0 &&
        (sunOrbit == Orbits::starOrbit0 || sunOrbit == Orbits::starOrbit1))
        return 0;

    // Earth-like worlds with seas have the finer scale: much water keeps them out of
    // the tropic and tundra zones.
    const bool earthLike = uwp.size >= 6 && uwp.size <= 9 && uwp.atmosphere >= 4 && uwp.atmosphere <= 9 &&
                           uwp.hydrographics >= 3;
    const bool wet = uwp.hydrographics >= 8;
    if (hzOffset < -1)
        return 1;
    if (hzOffset == -1)
        return earthLike && !wet ? 2 : 1;
    if (hzOffset == 0)
        return 3;
    if (hzOffset == 1)
        return earthLike && !wet ? 4 : 5;
    return 6;
}

namespace {

// The older "factions" array: whole faction records, kept as read. Each must at
// least be an object with an id, which becomes one of the world's faction ids.
std::optional<QList<JsonObject>> readLegacyFactions(const JsonReader &r, QList<QUuid> &ids)
{
    const QLatin1StringView key = "factions"_L1;
    const JsonValue *found = r.find(key);
    if (!found || found->isNull())
        return std::nullopt;
    const JsonPath at(&r.path(), key);
    const JsonArray *array = found->array();
    if (!array)
        json_detail::wrongType(*found, at, "an array");
    QList<JsonObject> records;
    records.reserve(qsizetype(array->size()));
    for (std::size_t i = 0; i < array->size(); ++i) {
        const JsonPath itemPath(&at, qsizetype(i));
        const JsonValue &item = (*array)[i];
        const JsonObject *record = item.object();
        if (!record)
            json_detail::wrongType(item, itemPath, "an object");
        ids.append(JsonReader(*record, itemPath).required<QUuid>("id"_L1));
        records.append(*record);
    }
    return records;
}

} // namespace

WorldData WorldData::fromJson(const JsonReader &r)
{
    WorldData world;
    world.id = r.required<QUuid>("id"_L1);
    world.name = r.required<QString>("name"_L1);
    world.mainWorld = r.required<bool>("mainWorld"_L1);
    world.type = r.required<WorldType>("type"_L1);
    world.sunOrbit = r.required<Orbits>("sunOrbit"_L1);
    world.satelliteOrbit = r.required<PlanetOrbits>("satelliteOrbit"_L1);
    world.satellites = r.optional<QList<WorldData>>("satellites"_L1, {});
    world.hzOffset = r.required<qint64>("hzOffset"_L1);
    world.uwp = r.required<UWP>("uwp"_L1);
    world.dayLength = r.required<qint64>("dayLength"_L1);
    world.yearLength = r.optional<qint64>("yearLength"_L1, 0);
    world.tideLocked = r.optional<bool>("tideLocked"_L1, false);
    world.prevalentRace = r.optional<Race>("prevalentRace"_L1, Race::human);
    if (const auto ids = r.optional<QList<QUuid>>("factionIDs"_L1))
        world.factionIDs = *ids;
    else
        world.legacyFactions = readLegacyFactions(r, world.factionIDs);
    world.worldTags = r.required<QList<WorldTag>>("worldTags"_L1);
    world.notes = r.required<QString>("notes"_L1);
    world.image = r.required<QString>("image"_L1);
    // Decided last: the decision needs the profile, the orbits and the tidal lock.
    if (const auto classes = r.optional<QList<TradeClass>>("tradeClasses"_L1))
        world.tradeClasses = *classes;
    else
        world.tradeClasses = ::tradeClasses(world.uwp, world.climateZone(), world.tideLocked);
    return world;
}

JsonObject WorldData::toJson() const
{
    return JsonObject{
        {"id"_L1, jsonValue(id)},
        {"name"_L1, jsonValue(name)},
        {"mainWorld"_L1, jsonValue(mainWorld)},
        {"type"_L1, jsonValue(type)},
        {"sunOrbit"_L1, jsonValue(sunOrbit)},
        {"satelliteOrbit"_L1, jsonValue(satelliteOrbit)},
        {"satellites"_L1, jsonValue(satellites)},
        {"hzOffset"_L1, jsonValue(hzOffset)},
        {"uwp"_L1, jsonValue(uwp)},
        {"dayLength"_L1, jsonValue(dayLength)},
        {"yearLength"_L1, jsonValue(yearLength)},
        {"tideLocked"_L1, jsonValue(tideLocked)},
        {"prevalentRace"_L1, jsonValue(prevalentRace)},
        {"factionIDs"_L1, jsonValue(factionIDs)},
        {"worldTags"_L1, jsonValue(worldTags)},
        {"tradeClasses"_L1, jsonValue(tradeClasses)},
        {"notes"_L1, jsonValue(notes)},
        {"image"_L1, jsonValue(image)},
    };
}

bool operator==(const WorldData &, const WorldData &) = default;

size_t qHash(const WorldData &world, size_t seed)
{
    seed = qHashMulti(seed, world.id, world.name, world.mainWorld, world.type, world.sunOrbit,
                      world.satelliteOrbit, world.satellites, world.hzOffset, world.uwp, world.dayLength,
                      world.yearLength, world.tideLocked, world.prevalentRace);
    seed = qHashMulti(seed, world.factionIDs, world.worldTags, world.tradeClasses, world.notes, world.image,
                      world.legacyFactions.has_value());
    return world.legacyFactions
               ? qHashRange(world.legacyFactions->cbegin(), world.legacyFactions->cend(), seed)
               : seed;
}
