#include "UniverseContents.h"

#include "ParallelListReader.h"

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
