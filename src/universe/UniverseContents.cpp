#include "UniverseContents.h"

#include "ParallelListReader.h"

#include <algorithm>

UniverseContents UniverseContents::fromJson(const JsonReader &r,
                                            const std::optional<std::vector<QByteArrayView>> &systems)
{
    UniverseContents c;
    c.id = r.optional<QUuid>(QLatin1StringView("id"), QUuid::createUuid());
    c.name = r.optional<QString>(QLatin1StringView("name"), c.name);
    // Keys are read in this order, so that the first failing key is the same however
    // the systems are decoded.
    const JsonPath dataPath(&r.path(), kDataKey);
    if (systems)
        c.data = HexList(ParallelListReader::readTexts<HexData>(*systems, dataPath));
    else if (const JsonValue *data = r.find(kDataKey); data && !data->isNull())
        c.data = HexList(ParallelListReader::read<HexData>(*data, dataPath));
    c.factions = r.optional<QList<Faction>>(QLatin1StringView("factions"), {});
    c.factionLists = r.optional<QList<FactionList>>(QLatin1StringView("factionLists"), {});
    c.rutters = r.optional<QList<Rutter>>(QLatin1StringView("rutters"), {});
    c.nebulae = r.optional<QList<Nebula>>(QLatin1StringView("nebulae"), {});
    c.regions = r.optional<QList<Region>>(QLatin1StringView("regions"), {});
    c.starmapLabels = r.optional<QList<StarmapLabel>>(QLatin1StringView("starmapLabels"), {});
    c.hiddenLabelCategories = r.optional<QSet<QString>>(QLatin1StringView("hiddenLabelCategories"), {});
    c.mapViewMode = r.optional<MapViewMode>(QLatin1StringView("mapViewMode"), MapViewMode::referee);
    c.mapShowRutters = r.optional<bool>(QLatin1StringView("mapShowRutters"), true);
    c.mapShowNebulae = r.optional<bool>(QLatin1StringView("mapShowNebulae"), true);
    c.mapShowRegions = r.optional<bool>(QLatin1StringView("mapShowRegions"), true);
    c.mapShowLabels = r.optional<bool>(QLatin1StringView("mapShowLabels"), true);
    c.mapShowSurveyedData = r.optional<bool>(QLatin1StringView("mapShowSurveyedData"), true);
    c.mapShowStarfarers = r.optional<bool>(QLatin1StringView("mapShowStarfarers"), true);
    c.mapShowSathar = r.optional<bool>(QLatin1StringView("mapShowSathar"), true);
    c.mapShowOther = r.optional<bool>(QLatin1StringView("mapShowOther"), true);
    c.selectedFactionIDs = r.optional<QSet<QUuid>>(QLatin1StringView("selectedFactionIDs"), {});
    return c;
}

JsonObject UniverseContents::toJson() const
{
    JsonArray systems;
    systems.reserve(std::size_t(data.size()));
    for (const HexData &hex : data)
        systems.push_back(hex.toJson());
    JsonObject object = toJsonBesidesData();
    object.insert(kDataKey, std::move(systems));
    return object;
}

bool UniverseContents::writeJson(const JsonWriter::Output &output) const
{
    const JsonWriter::StreamedArray systems{jsonKey(kDataKey), data.size(),
                                            [this](qsizetype i) -> JsonValue { return data.at(i).toJson(); }};
    return JsonWriter::streamed(toJsonBesidesData(), systems, output);
}

JsonObject UniverseContents::toJsonBesidesData() const
{
    return {
        {QLatin1StringView("id"), jsonValue(id)},
        {QLatin1StringView("name"), name},
        {QLatin1StringView("factions"), jsonValue(factions)},
        {QLatin1StringView("factionLists"), jsonValue(factionLists)},
        {QLatin1StringView("rutters"), jsonValue(rutters)},
        {QLatin1StringView("nebulae"), jsonValue(nebulae)},
        {QLatin1StringView("regions"), jsonValue(regions)},
        {QLatin1StringView("starmapLabels"), jsonValue(starmapLabels)},
        {QLatin1StringView("hiddenLabelCategories"), jsonValue(hiddenLabelCategories)},
        {QLatin1StringView("mapViewMode"), jsonValue(mapViewMode)},
        {QLatin1StringView("mapShowRutters"), mapShowRutters},
        {QLatin1StringView("mapShowNebulae"), mapShowNebulae},
        {QLatin1StringView("mapShowRegions"), mapShowRegions},
        {QLatin1StringView("mapShowLabels"), mapShowLabels},
        {QLatin1StringView("mapShowSurveyedData"), mapShowSurveyedData},
        {QLatin1StringView("mapShowStarfarers"), mapShowStarfarers},
        {QLatin1StringView("mapShowSathar"), mapShowSathar},
        {QLatin1StringView("mapShowOther"), mapShowOther},
        {QLatin1StringView("selectedFactionIDs"), jsonValue(selectedFactionIDs)},
    };
}

namespace {

QSet<QUuid> factionIDs(const QList<Faction> &factions)
{
    QSet<QUuid> ids;
    for (const Faction &faction : factions)
        ids.insert(faction.id);
    return ids;
}

// The id of the first faction with exactly this name (case-sensitive).
std::optional<QUuid> firstFactionNamed(const QList<Faction> &factions, const QString &name)
{
    for (const Faction &faction : factions) {
        if (faction.name == name)
            return faction.id;
    }
    return std::nullopt;
}

bool carriesLegacyFactions(const WorldData &world)
{
    return world.legacyFactions ||
           std::any_of(world.satellites.cbegin(), world.satellites.cend(), carriesLegacyFactions);
}

// Throws DecodeError for a legacy faction record that does not decode.
void relinkWorld(WorldData &world, const QList<Faction> &factions, const QSet<QUuid> &knownIDs,
                 const JsonPath &path)
{
    if (world.legacyFactions) {
        // Every stored record must decode, as when the world itself was read.
        const JsonPath factionsPath(&path, QLatin1StringView("factions"));
        QList<Faction> legacy;
        for (qsizetype j = 0; j < world.legacyFactions->size(); ++j) {
            const JsonPath recordPath(&factionsPath, j);
            legacy.append(Faction::fromJson(JsonReader(world.legacyFactions->at(j), recordPath)));
        }
        for (qsizetype i = 0; i < world.factionIDs.size() && i < legacy.size(); ++i) {
            if (knownIDs.contains(world.factionIDs[i]))
                continue;
            if (const auto id = firstFactionNamed(factions, legacy[i].name))
                world.factionIDs[i] = *id;
        }
        world.legacyFactions.reset();
    }
    const JsonPath satellitesPath(&path, QLatin1StringView("satellites"));
    for (qsizetype k = 0; k < world.satellites.size(); ++k)
        relinkWorld(world.satellites[k], factions, knownIDs, JsonPath(&satellitesPath, k));
}

} // namespace

void UniverseContents::relinkRutterFactions()
{
    const QSet<QUuid> known = factionIDs(factions);
    for (Rutter &rutter : rutters) {
        if (!known.contains(rutter.factionID) && rutter.legacyFaction) {
            if (const auto id = firstFactionNamed(factions, rutter.legacyFaction->name))
                rutter.factionID = *id;
        }
        rutter.legacyFaction.reset();
    }
}

void UniverseContents::relinkWorldFactions()
{
    const QSet<QUuid> known = factionIDs(factions);
    for (qsizetype h = 0; h < data.size(); ++h) {
        // Only the systems that still carry legacy records are copied and replaced.
        const auto &stars = data.at(h).starSystem.stars;
        const bool repair = std::any_of(stars.cbegin(), stars.cend(), [](const Star &star) {
            return std::any_of(star.worlds.cbegin(), star.worlds.cend(), carriesLegacyFactions);
        });
        if (!repair)
            continue;
        // Errors name the full key path of the world, as the reader of the world would.
        const JsonPath root;
        const JsonPath dataPath(&root, kDataKey);
        const JsonPath hexPath(&dataPath, h);
        const JsonPath systemPath(&hexPath, QLatin1StringView("starSystem"));
        const JsonPath starsPath(&systemPath, QLatin1StringView("stars"));
        HexData hex = data.at(h);
        QList<Star> &systemStars = hex.starSystem.stars;
        for (qsizetype s = 0; s < systemStars.size(); ++s) {
            const JsonPath starPath(&starsPath, s);
            const JsonPath worldsPath(&starPath, QLatin1StringView("worlds"));
            QList<WorldData> &worlds = systemStars[s].worlds;
            for (qsizetype w = 0; w < worlds.size(); ++w)
                relinkWorld(worlds[w], factions, known, JsonPath(&worldsPath, w));
        }
        data.replace(h, hex);
    }
}
