#include "StarfarerUniverse.h"

#include "json/JsonParser.h"
#include "UniverseFileReader.h"
#include "json/JsonWriter.h"

#include <QSaveFile>

#include <algorithm>
#include <cstdio>
#include <new>

namespace {

// Drops a UTF-8 byte-order mark, which some editors put at the start of a file.
QByteArrayView withoutByteOrderMark(QByteArrayView bytes)
{
    static const QByteArrayView mark("\xEF\xBB\xBF");
    return bytes.startsWith(mark) ? bytes.sliced(mark.size()) : bytes;
}

} // namespace

StarfarerUniverse::Header StarfarerUniverse::Header::fromJson(const JsonReader &reader)
{
    return {reader.required<QUuid>(QLatin1StringView("id")),
            reader.required<QString>(QLatin1StringView("name")), QString()};
}

JsonObject StarfarerUniverse::Header::toJson() const
{
    return {{QLatin1StringView("id"), jsonValue(id)}, {QLatin1StringView("name"), name}};
}

StarfarerUniverse::StarfarerUniverse(UniverseFolder folder, QObject *parent)
    : QObject(parent), m_folder(std::move(folder)), m_id(QUuid::createUuid()), m_name(kUntitledName)
{}

void StarfarerUniverse::readFields(const JsonReader &r)
{
    // Every key is optional: a missing key (or null) keeps the default of a new
    // document; a key of the wrong type fails the whole load.
    m_id = r.optional<QUuid>(QLatin1StringView("id"), m_id);
    m_name = r.optional<QString>(QLatin1StringView("name"), m_name);
    m_data = r.optional<QList<HexData>>(QLatin1StringView("data"), {});
    m_factions = r.optional<QList<Faction>>(QLatin1StringView("factions"), {});
    m_factionLists = r.optional<QList<FactionList>>(QLatin1StringView("factionLists"), {});
    m_rutters = r.optional<QList<Rutter>>(QLatin1StringView("rutters"), {});
    m_nebulae = r.optional<QList<Nebula>>(QLatin1StringView("nebulae"), {});
    m_regions = r.optional<QList<Region>>(QLatin1StringView("regions"), {});
    m_starmapLabels = r.optional<QList<StarmapLabel>>(QLatin1StringView("starmapLabels"), {});
    m_hiddenLabelCategories = r.optional<QSet<QString>>(QLatin1StringView("hiddenLabelCategories"), {});
    m_mapViewMode = r.optional<MapViewMode>(QLatin1StringView("mapViewMode"), MapViewMode::referee);
    m_mapShowRutters = r.optional<bool>(QLatin1StringView("mapShowRutters"), true);
    m_mapShowNebulae = r.optional<bool>(QLatin1StringView("mapShowNebulae"), true);
    m_mapShowRegions = r.optional<bool>(QLatin1StringView("mapShowRegions"), true);
    m_mapShowLabels = r.optional<bool>(QLatin1StringView("mapShowLabels"), true);
    m_mapShowSurveyedData = r.optional<bool>(QLatin1StringView("mapShowSurveyedData"), true);
    m_mapShowStarfarers = r.optional<bool>(QLatin1StringView("mapShowStarfarers"), true);
    m_mapShowSathar = r.optional<bool>(QLatin1StringView("mapShowSathar"), true);
    m_mapShowOther = r.optional<bool>(QLatin1StringView("mapShowOther"), true);
    m_selectedFactionIDs = r.optional<QSet<QUuid>>(QLatin1StringView("selectedFactionIDs"), {});
}

std::unique_ptr<StarfarerUniverse> StarfarerUniverse::decode(const QByteArray &bytes, UniverseFolder folder,
                                                             QString *error)
{
    JsonParser::Error parseError;
    const std::optional<JsonValue> document = JsonParser::parse(withoutByteOrderMark(bytes), &parseError);
    QString reason;
    if (!document) {
        reason =
            QStringLiteral("not valid JSON at offset %1: %2").arg(parseError.offset).arg(parseError.reason);
    } else if (!document->isObject()) {
        reason = QStringLiteral("the file does not hold a JSON object");
    } else {
        auto universe = std::make_unique<StarfarerUniverse>(std::move(folder));
        try {
            universe->readFields(JsonReader(*document->object(), JsonPath()));
            universe->relinkRutterFactions();
            universe->relinkWorldFactions(); // decodes the worlds' legacy faction records
            return universe;
        } catch (const DecodeError &decodeError) {
            reason = decodeError.text();
        }
    }
    if (error)
        *error = reason;
    return nullptr;
}

std::unique_ptr<StarfarerUniverse> StarfarerUniverse::readFile(const QString &path, UniverseFolder folder,
                                                               QString *error)
{
    const std::optional<UniverseFileReader::Contents> contents = UniverseFileReader::read(path, error);
    if (!contents)
        return nullptr;
    try {
        return decode(contents->bytes, std::move(folder), error);
    } catch (const std::bad_alloc &) {
        // A document too large for the memory left is an unreadable file, not the end of the program.
        if (error)
            *error = QStringLiteral("not enough memory to read the universe");
        return nullptr;
    }
}

JsonObject StarfarerUniverse::toJson() const
{
    return {
        {QLatin1StringView("id"), jsonValue(m_id)},
        {QLatin1StringView("name"), m_name},
        {QLatin1StringView("data"), jsonValue(m_data)},
        {QLatin1StringView("factions"), jsonValue(m_factions)},
        {QLatin1StringView("factionLists"), jsonValue(m_factionLists)},
        {QLatin1StringView("rutters"), jsonValue(m_rutters)},
        {QLatin1StringView("nebulae"), jsonValue(m_nebulae)},
        {QLatin1StringView("regions"), jsonValue(m_regions)},
        {QLatin1StringView("starmapLabels"), jsonValue(m_starmapLabels)},
        {QLatin1StringView("hiddenLabelCategories"), jsonValue(m_hiddenLabelCategories)},
        {QLatin1StringView("mapViewMode"), jsonValue(m_mapViewMode)},
        {QLatin1StringView("mapShowRutters"), m_mapShowRutters},
        {QLatin1StringView("mapShowNebulae"), m_mapShowNebulae},
        {QLatin1StringView("mapShowRegions"), m_mapShowRegions},
        {QLatin1StringView("mapShowLabels"), m_mapShowLabels},
        {QLatin1StringView("mapShowSurveyedData"), m_mapShowSurveyedData},
        {QLatin1StringView("mapShowStarfarers"), m_mapShowStarfarers},
        {QLatin1StringView("mapShowSathar"), m_mapShowSathar},
        {QLatin1StringView("mapShowOther"), m_mapShowOther},
        {QLatin1StringView("selectedFactionIDs"), jsonValue(m_selectedFactionIDs)},
    };
}

QByteArray StarfarerUniverse::encode() const
{
    return JsonWriter::write(toJson());
}

void StarfarerUniverse::save()
{
    m_lastSaveSucceeded = write();
}

bool StarfarerUniverse::waitForPendingSave()
{
    return m_lastSaveSucceeded;
}

bool StarfarerUniverse::saveNow()
{
    save();
    return waitForPendingSave();
}

bool StarfarerUniverse::write()
{
    m_folder.ensureUniversesDirectory();
    const QString path = filePath();
    QString reason;
    try {
        const QByteArray bytes = encode();
        QSaveFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            reason = file.errorString();
        else if (file.write(bytes) != bytes.size() || file.error() != QFileDevice::NoError)
            reason = file.errorString();
        else if (!file.commit())
            reason = file.errorString();
        // An uncommitted QSaveFile removes its temporary file and leaves the old file as it was.
    } catch (const EncodeError &encodeError) {
        reason = encodeError.message();
    }
    if (reason.isEmpty()) {
        emit saved();
        return true;
    }
    const QString message =
        QStringLiteral("Failed to save StarfarerUniverse to ") + path + QStringLiteral(": ") + reason;
    printStatusLine(message);
    emit saveFailed(message);
    return false;
}

qsizetype StarfarerUniverse::indexOfHex(const QUuid &id) const
{
    const auto found = std::find_if(m_data.cbegin(), m_data.cend(),
                                    [&id](const HexData &hex) { return hex.id == id; });
    return found == m_data.cend() ? -1 : found - m_data.cbegin();
}

void StarfarerUniverse::insertHex(const HexData &hex)
{
    m_data.append(hex);
    emit hexInserted(hex.id, hex.coordinates);
}

bool StarfarerUniverse::replaceHex(const HexData &hex)
{
    const qsizetype index = indexOfHex(hex.id);
    if (index < 0)
        return false;
    const GalacticCoordinates old = m_data.at(index).coordinates;
    if (m_data.at(index) == hex)
        return true;
    m_data[index] = hex;
    emit hexReplaced(hex.id, old, hex.coordinates);
    return true;
}

bool StarfarerUniverse::removeHex(const QUuid &id)
{
    const qsizetype index = indexOfHex(id);
    if (index < 0)
        return false;
    const GalacticCoordinates coordinates = m_data.at(index).coordinates;
    m_data.removeAt(index);
    emit hexRemoved(id, coordinates);
    return true;
}

std::optional<HexData> StarfarerUniverse::hexWithID(const QUuid &id) const
{
    const qsizetype index = indexOfHex(id);
    return index < 0 ? std::nullopt : std::optional<HexData>(m_data.at(index));
}

bool StarfarerUniverse::isOccupied(const GalacticCoordinates &coordinates) const
{
    return hexData(coordinates).has_value();
}

template <typename T>
void StarfarerUniverse::assign(T &field, const T &value, void (StarfarerUniverse::*changed)())
{
    if (field == value)
        return;
    field = value;
    emit(this->*changed)();
}

void StarfarerUniverse::setId(const QUuid &value)
{
    assign(m_id, value, &StarfarerUniverse::idChanged);
}
void StarfarerUniverse::setName(const QString &value)
{
    assign(m_name, value, &StarfarerUniverse::nameChanged);
}
void StarfarerUniverse::setData(const QList<HexData> &value)
{
    assign(m_data, value, &StarfarerUniverse::dataChanged);
}
void StarfarerUniverse::setFactions(const QList<Faction> &value)
{
    assign(m_factions, value, &StarfarerUniverse::factionsChanged);
}
void StarfarerUniverse::setFactionLists(const QList<FactionList> &value)
{
    assign(m_factionLists, value, &StarfarerUniverse::factionListsChanged);
}
void StarfarerUniverse::setRutters(const QList<Rutter> &value)
{
    assign(m_rutters, value, &StarfarerUniverse::ruttersChanged);
}
void StarfarerUniverse::setNebulae(const QList<Nebula> &value)
{
    assign(m_nebulae, value, &StarfarerUniverse::nebulaeChanged);
}
void StarfarerUniverse::setRegions(const QList<Region> &value)
{
    assign(m_regions, value, &StarfarerUniverse::regionsChanged);
}
void StarfarerUniverse::setStarmapLabels(const QList<StarmapLabel> &value)
{
    assign(m_starmapLabels, value, &StarfarerUniverse::starmapLabelsChanged);
}
void StarfarerUniverse::setHiddenLabelCategories(const QSet<QString> &value)
{
    assign(m_hiddenLabelCategories, value, &StarfarerUniverse::hiddenLabelCategoriesChanged);
}
void StarfarerUniverse::setMapViewMode(MapViewMode value)
{
    assign(m_mapViewMode, value, &StarfarerUniverse::mapViewModeChanged);
}
void StarfarerUniverse::setMapShowRutters(bool value)
{
    assign(m_mapShowRutters, value, &StarfarerUniverse::mapShowRuttersChanged);
}
void StarfarerUniverse::setMapShowNebulae(bool value)
{
    assign(m_mapShowNebulae, value, &StarfarerUniverse::mapShowNebulaeChanged);
}
void StarfarerUniverse::setMapShowRegions(bool value)
{
    assign(m_mapShowRegions, value, &StarfarerUniverse::mapShowRegionsChanged);
}
void StarfarerUniverse::setMapShowLabels(bool value)
{
    assign(m_mapShowLabels, value, &StarfarerUniverse::mapShowLabelsChanged);
}
void StarfarerUniverse::setMapShowSurveyedData(bool value)
{
    assign(m_mapShowSurveyedData, value, &StarfarerUniverse::mapShowSurveyedDataChanged);
}
void StarfarerUniverse::setMapShowStarfarers(bool value)
{
    assign(m_mapShowStarfarers, value, &StarfarerUniverse::mapShowStarfarersChanged);
}
void StarfarerUniverse::setMapShowSathar(bool value)
{
    assign(m_mapShowSathar, value, &StarfarerUniverse::mapShowSatharChanged);
}
void StarfarerUniverse::setMapShowOther(bool value)
{
    assign(m_mapShowOther, value, &StarfarerUniverse::mapShowOtherChanged);
}
void StarfarerUniverse::setSelectedFactionIDs(const QSet<QUuid> &value)
{
    assign(m_selectedFactionIDs, value, &StarfarerUniverse::selectedFactionIDsChanged);
}

QList<Faction> StarfarerUniverse::factions(const WorldData &world) const
{
    QList<Faction> result;
    for (const QUuid &id : world.factionIDs) {
        const auto found = std::find_if(m_factions.cbegin(), m_factions.cend(),
                                        [&](const Faction &faction) { return faction.id == id; });
        if (found != m_factions.cend())
            result.append(*found);
    }
    return result;
}

std::optional<HexData> StarfarerUniverse::hexData(const GalacticCoordinates &coordinates) const
{
    for (const HexData &hex : m_data) {
        if (hex.coordinates == coordinates)
            return hex;
    }
    return std::nullopt;
}

std::optional<Faction> StarfarerUniverse::faction(const Rutter &rutter) const
{
    for (const Faction &candidate : m_factions) {
        if (candidate.id == rutter.factionID)
            return candidate;
    }
    return std::nullopt;
}

bool StarfarerUniverse::usesTravellerRules() const
{
    if (m_data.isEmpty())
        return false;
    const auto mainWorld = m_data.first().starSystem.mainWorld();
    return mainWorld && rawValue(mainWorld->uwp.techLevel).startsWith(QLatin1StringView("TL"));
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

} // namespace

void StarfarerUniverse::relinkRutterFactions()
{
    const QSet<QUuid> known = factionIDs(m_factions);
    for (Rutter &rutter : m_rutters) {
        if (!known.contains(rutter.factionID) && rutter.legacyFaction) {
            if (const auto id = firstFactionNamed(m_factions, rutter.legacyFaction->name))
                rutter.factionID = *id;
        }
        rutter.legacyFaction.reset();
    }
}

void StarfarerUniverse::relinkWorldFactions()
{
    const QSet<QUuid> known = factionIDs(m_factions);
    for (qsizetype h = 0; h < m_data.size(); ++h) {
        // Only copy-on-write the systems that still carry legacy records.
        const auto needsRepair = [](const auto &self, const WorldData &world) -> bool {
            if (world.legacyFactions)
                return true;
            return std::any_of(world.satellites.cbegin(), world.satellites.cend(),
                               [&](const WorldData &satellite) { return self(self, satellite); });
        };
        const auto &stars = std::as_const(m_data)[h].starSystem.stars;
        const bool repair = std::any_of(stars.cbegin(), stars.cend(), [&](const Star &star) {
            return std::any_of(star.worlds.cbegin(), star.worlds.cend(),
                               [&](const WorldData &world) { return needsRepair(needsRepair, world); });
        });
        if (!repair)
            continue;
        const JsonPath root;
        const JsonPath dataPath(&root, QLatin1StringView("data"));
        const JsonPath hexPath(&dataPath, h);
        for (Star &star : m_data[h].starSystem.stars) {
            for (WorldData &world : star.worlds)
                relinkWorldFactions(world, known, hexPath);
        }
    }
}

void StarfarerUniverse::relinkWorldFactions(WorldData &world, const QSet<QUuid> &knownIDs,
                                            const JsonPath &path) const
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
            if (const auto id = firstFactionNamed(m_factions, legacy[i].name))
                world.factionIDs[i] = *id;
        }
        world.legacyFactions.reset();
    }
    for (WorldData &satellite : world.satellites)
        relinkWorldFactions(satellite, knownIDs, path);
}

void printStatusLine(const QString &line)
{
    std::fputs(line.toUtf8().constData(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}
