#include "StarfarerUniverse.h"

#include "UniverseFileReader.h"
#include "json/JsonParser.h"
#include "json/JsonWriter.h"

#include <QFile>

#include <algorithm>
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
    : QObject(parent), m_folder(std::move(folder)),
      m_saver(
          [this] {
              return UniverseSaver::Request{m_contents, m_folder, filePath()};
          },
          [this] {
              QMetaObject::invokeMethod(this, &StarfarerUniverse::reportSaveOutcomes, Qt::QueuedConnection);
          }),
      m_saveRetry([this] { save(); })
{
    m_contents.id = QUuid::createUuid();
}

StarfarerUniverse::~StarfarerUniverse()
{
    m_saver.wait();
}

StarfarerUniverse::CheckedFile StarfarerUniverse::check(UniverseFileReader::Contents contents)
{
    CheckedFile file{std::move(contents), std::nullopt, QString()};
    const QByteArray &bytes = file.contents.bytes;
    const QByteArrayView text = withoutByteOrderMark(bytes);
    try {
        // The systems are left as texts, to be decoded one at a time: the value of the
        // whole file is never held.
        JsonParser::Error parseError;
        file.outline = JsonParser::parseOutline(
            text, std::string_view(UniverseContents::kDataKey.data(), UniverseContents::kDataKey.size()),
            &parseError);
        // Offsets count from the start of the file, the byte-order mark included.
        if (!file.outline) {
            file.invalidReason = QStringLiteral("not valid JSON at offset %1: %2")
                                     .arg(parseError.offset + (bytes.size() - text.size()))
                                     .arg(parseError.reason);
        }
    } catch (const std::bad_alloc &) {
        file.invalidReason = QStringLiteral("not enough memory to read the universe");
    }
    return file;
}

std::optional<StarfarerUniverse::Header> StarfarerUniverse::CheckedFile::header() const
{
    if (!outline || !outline->document.isObject())
        return std::nullopt;
    try {
        return Header::fromJson(JsonReader(*outline->document.object(), JsonPath()));
    } catch (const DecodeError &) {
        return std::nullopt;
    }
}

std::unique_ptr<StarfarerUniverse> StarfarerUniverse::decode(const QByteArray &bytes, UniverseFolder folder,
                                                             QString *error)
{
    return decode(check({bytes, {}}), std::move(folder), error);
}

std::unique_ptr<StarfarerUniverse> StarfarerUniverse::decode(const CheckedFile &file, UniverseFolder folder,
                                                             QString *error)
{
    QString reason = file.invalidReason;
    try {
        if (file.outline && !file.outline->document.isObject()) {
            reason = QStringLiteral("the file does not hold a JSON object");
        } else if (file.outline) {
            auto universe = std::make_unique<StarfarerUniverse>(std::move(folder));
            universe->m_contents = UniverseContents::fromJson(
                JsonReader(*file.outline->document.object(), JsonPath()), file.outline->elements);
            universe->relinkRutterFactions();
            universe->relinkWorldFactions(); // decodes the worlds' legacy faction records
            universe->m_index.rebuild(universe->m_contents.data);
            universe->m_usesTravellerRules = universe->usesTravellerRules();
            return universe;
        }
    } catch (const DecodeError &decodeError) {
        reason = decodeError.text();
    } catch (const std::bad_alloc &) {
        reason = QStringLiteral("not enough memory to read the universe");
    }
    if (error)
        *error = reason;
    return nullptr;
}

std::unique_ptr<StarfarerUniverse> StarfarerUniverse::readFile(const QString &path, UniverseFolder folder,
                                                               QString *error, Listing *listing)
{
    std::optional<UniverseFileReader::Contents> contents = UniverseFileReader::read(path, error);
    if (!contents)
        return nullptr;
    const CheckedFile file = check(std::move(*contents));
    auto universe = openChecked(path, file, std::move(folder), error);
    if (universe && listing)
        *listing = {file.contents.stamp, file.header()};
    return universe;
}

std::unique_ptr<StarfarerUniverse> StarfarerUniverse::openChecked(const QString &path,
                                                                  const CheckedFile &file,
                                                                  UniverseFolder folder, QString *error)
{
    try {
        auto universe = decode(file, std::move(folder), error);
        if (universe)
            universe->m_saver.rememberReadFile(path, file.contents.stamp);
        return universe;
    } catch (const std::bad_alloc &) {
        // A document too large for the memory left is an unreadable file, not the end of the program.
        if (error)
            *error = QStringLiteral("not enough memory to read the universe");
        return nullptr;
    }
}

JsonObject StarfarerUniverse::toJson() const
{
    return m_contents.toJson();
}

QByteArray StarfarerUniverse::encode() const
{
    QByteArray bytes;
    m_contents.writeJson([&bytes](QByteArrayView piece) {
        bytes.append(piece);
        return true;
    });
    return bytes;
}

void StarfarerUniverse::save()
{
    m_saver.save();
}

bool StarfarerUniverse::waitForPendingSave()
{
    // A failure already reported is tried once more: its cause (a full disk) may be
    // gone by now. A write still pending, or just finished, is a fresh try of its own.
    m_saver.retryFailed();
    const bool succeeded = m_saver.wait();
    reportSaveOutcomes();
    return succeeded;
}

bool StarfarerUniverse::saveNow()
{
    save();
    return waitForPendingSave();
}

void StarfarerUniverse::setWriteObserver(std::function<void(const UniverseContents &)> observer)
{
    m_saver.setWriteObserver(std::move(observer));
}

void StarfarerUniverse::setSaveRetryDelays(std::chrono::milliseconds first, std::chrono::milliseconds longest)
{
    m_saveRetry.setDelays(first, longest);
}

void StarfarerUniverse::reportSaveOutcomes()
{
    m_saver.resume();
    const QList<UniverseSaver::Outcome> outcomes = m_saver.takeOutcomes();
    for (const UniverseSaver::Outcome &outcome : outcomes) {
        if (outcome.stamp)
            emit written(outcome.path,
                         Listing{*outcome.stamp, Header{outcome.id, outcome.name, outcome.path}});
        if (outcome.succeeded)
            emit saved();
        else
            emit saveFailed(outcome.message);
        if (!outcome.keptPath.isEmpty())
            emit externalChangeKept(outcome.keptPath);
    }
    if (outcomes.isEmpty())
        return;
    if (outcomes.last().succeeded)
        m_saveRetry.succeeded();
    else
        m_saveRetry.failed();
}

void StarfarerUniverse::appendHex(const HexData &hex)
{
    m_contents.data.append(hex);
    m_index.appended(hex);
}

void StarfarerUniverse::insertHex(const HexData &hex)
{
    appendHex(hex);
    emit hexInserted(hex.id, hex.coordinates);
    followRules();
}

void StarfarerUniverse::insertHexes(const QList<HexData> &hexes)
{
    if (hexes.isEmpty())
        return;
    const qsizetype first = m_contents.data.size();
    for (const HexData &hex : hexes)
        appendHex(hex);
    emit hexesInserted(first, hexes.size());
    followRules();
}

bool StarfarerUniverse::replaceHex(const HexData &hex)
{
    return replaceHex(hex.id, hex);
}

bool StarfarerUniverse::replaceHex(const QUuid &givenID, const HexData &hex)
{
    // A copy: the caller may name the id of the very hex this replaces.
    const QUuid id = givenID;
    const qsizetype position = positionOfHex(id);
    if (position < 0)
        return false;
    const HexData &stored = m_contents.data.at(position);
    if (stored == hex)
        return true;
    const GalacticCoordinates old = stored.coordinates;
    m_index.replaced(position, stored, hex);
    m_contents.data.replace(position, hex);
    emit hexReplaced(id, old, hex.coordinates);
    followRules();
    return true;
}

bool StarfarerUniverse::removeHex(const QUuid &givenID)
{
    // A copy: the caller may name the id of the very hex this removes.
    const QUuid id = givenID;
    const qsizetype position = positionOfHex(id);
    if (position < 0)
        return false;
    const GalacticCoordinates coordinates = m_contents.data.at(position).coordinates;
    m_index.removed(position, m_contents.data.at(position));
    m_contents.data.removeAt(position);
    emit hexRemoved(id, coordinates);
    followRules();
    return true;
}

std::optional<HexData> StarfarerUniverse::hexWithID(const QUuid &id) const
{
    const qsizetype position = positionOfHex(id);
    return position < 0 ? std::nullopt : std::optional<HexData>(m_contents.data.at(position));
}

bool StarfarerUniverse::isOccupied(const GalacticCoordinates &coordinates) const
{
    return m_index.positionAt(coordinates) >= 0;
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
    assign(m_contents.id, value, &StarfarerUniverse::idChanged);
}
void StarfarerUniverse::setName(const QString &value)
{
    assign(m_contents.name, value, &StarfarerUniverse::nameChanged);
}
void StarfarerUniverse::setData(const QList<HexData> &value)
{
    if (m_contents.data == value)
        return;
    m_contents.data = HexList(value);
    m_index.rebuild(m_contents.data);
    emit dataChanged();
    followRules();
}

void StarfarerUniverse::followRules()
{
    const bool travellerRules = usesTravellerRules();
    if (travellerRules == m_usesTravellerRules)
        return;
    m_usesTravellerRules = travellerRules;
    emit usesTravellerRulesChanged();
}
void StarfarerUniverse::setFactions(const QList<Faction> &value)
{
    assign(m_contents.factions, value, &StarfarerUniverse::factionsChanged);
}
void StarfarerUniverse::setFactionLists(const QList<FactionList> &value)
{
    assign(m_contents.factionLists, value, &StarfarerUniverse::factionListsChanged);
}
void StarfarerUniverse::setRutters(const QList<Rutter> &value)
{
    assign(m_contents.rutters, value, &StarfarerUniverse::ruttersChanged);
}
void StarfarerUniverse::setNebulae(const QList<Nebula> &value)
{
    assign(m_contents.nebulae, value, &StarfarerUniverse::nebulaeChanged);
}
void StarfarerUniverse::setRegions(const QList<Region> &value)
{
    assign(m_contents.regions, value, &StarfarerUniverse::regionsChanged);
}
void StarfarerUniverse::setStarmapLabels(const QList<StarmapLabel> &value)
{
    assign(m_contents.starmapLabels, value, &StarfarerUniverse::starmapLabelsChanged);
}
void StarfarerUniverse::setHiddenLabelCategories(const QSet<QString> &value)
{
    assign(m_contents.hiddenLabelCategories, value, &StarfarerUniverse::hiddenLabelCategoriesChanged);
}
void StarfarerUniverse::setMapViewMode(MapViewMode value)
{
    assign(m_contents.mapViewMode, value, &StarfarerUniverse::mapViewModeChanged);
}
void StarfarerUniverse::setMapShowRutters(bool value)
{
    assign(m_contents.mapShowRutters, value, &StarfarerUniverse::mapShowRuttersChanged);
}
void StarfarerUniverse::setMapShowNebulae(bool value)
{
    assign(m_contents.mapShowNebulae, value, &StarfarerUniverse::mapShowNebulaeChanged);
}
void StarfarerUniverse::setMapShowRegions(bool value)
{
    assign(m_contents.mapShowRegions, value, &StarfarerUniverse::mapShowRegionsChanged);
}
void StarfarerUniverse::setMapShowLabels(bool value)
{
    assign(m_contents.mapShowLabels, value, &StarfarerUniverse::mapShowLabelsChanged);
}
void StarfarerUniverse::setMapShowSurveyedData(bool value)
{
    assign(m_contents.mapShowSurveyedData, value, &StarfarerUniverse::mapShowSurveyedDataChanged);
}
void StarfarerUniverse::setMapShowStarfarers(bool value)
{
    assign(m_contents.mapShowStarfarers, value, &StarfarerUniverse::mapShowStarfarersChanged);
}
void StarfarerUniverse::setMapShowSathar(bool value)
{
    assign(m_contents.mapShowSathar, value, &StarfarerUniverse::mapShowSatharChanged);
}
void StarfarerUniverse::setMapShowOther(bool value)
{
    assign(m_contents.mapShowOther, value, &StarfarerUniverse::mapShowOtherChanged);
}
void StarfarerUniverse::setSelectedFactionIDs(const QSet<QUuid> &value)
{
    assign(m_contents.selectedFactionIDs, value, &StarfarerUniverse::selectedFactionIDsChanged);
}

QList<Faction> StarfarerUniverse::factions(const WorldData &world) const
{
    QList<Faction> result;
    for (const QUuid &id : world.factionIDs) {
        const auto found = std::find_if(m_contents.factions.cbegin(), m_contents.factions.cend(),
                                        [&](const Faction &faction) { return faction.id == id; });
        if (found != m_contents.factions.cend())
            result.append(*found);
    }
    return result;
}

std::optional<HexData> StarfarerUniverse::hexData(const GalacticCoordinates &coordinates) const
{
    const qsizetype position = m_index.positionAt(coordinates);
    return position < 0 ? std::nullopt : std::optional<HexData>(m_contents.data.at(position));
}

std::optional<Faction> StarfarerUniverse::faction(const Rutter &rutter) const
{
    for (const Faction &candidate : m_contents.factions) {
        if (candidate.id == rutter.factionID)
            return candidate;
    }
    return std::nullopt;
}

bool StarfarerUniverse::usesTravellerRules() const
{
    if (m_contents.data.isEmpty())
        return false;
    const auto mainWorld = m_contents.data.first().starSystem.mainWorld();
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
    const QSet<QUuid> known = factionIDs(m_contents.factions);
    for (Rutter &rutter : m_contents.rutters) {
        if (!known.contains(rutter.factionID) && rutter.legacyFaction) {
            if (const auto id = firstFactionNamed(m_contents.factions, rutter.legacyFaction->name))
                rutter.factionID = *id;
        }
        rutter.legacyFaction.reset();
    }
}

void StarfarerUniverse::relinkWorldFactions()
{
    const QSet<QUuid> known = factionIDs(m_contents.factions);
    for (qsizetype h = 0; h < m_contents.data.size(); ++h) {
        // Only the systems that still carry legacy records are copied and replaced.
        const auto needsRepair = [](const auto &self, const WorldData &world) -> bool {
            if (world.legacyFactions)
                return true;
            return std::any_of(world.satellites.cbegin(), world.satellites.cend(),
                               [&](const WorldData &satellite) { return self(self, satellite); });
        };
        const auto &stars = m_contents.data.at(h).starSystem.stars;
        const bool repair = std::any_of(stars.cbegin(), stars.cend(), [&](const Star &star) {
            return std::any_of(star.worlds.cbegin(), star.worlds.cend(),
                               [&](const WorldData &world) { return needsRepair(needsRepair, world); });
        });
        if (!repair)
            continue;
        // Errors name the full key path of the world, as the reader of the world would.
        const JsonPath root;
        const JsonPath dataPath(&root, QLatin1StringView("data"));
        const JsonPath hexPath(&dataPath, h);
        const JsonPath systemPath(&hexPath, QLatin1StringView("starSystem"));
        const JsonPath starsPath(&systemPath, QLatin1StringView("stars"));
        HexData hex = m_contents.data.at(h);
        QList<Star> &systemStars = hex.starSystem.stars;
        for (qsizetype s = 0; s < systemStars.size(); ++s) {
            const JsonPath starPath(&starsPath, s);
            const JsonPath worldsPath(&starPath, QLatin1StringView("worlds"));
            QList<WorldData> &worlds = systemStars[s].worlds;
            for (qsizetype w = 0; w < worlds.size(); ++w)
                relinkWorldFactions(worlds[w], known, JsonPath(&worldsPath, w));
        }
        m_contents.data.replace(h, hex);
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
            if (const auto id = firstFactionNamed(m_contents.factions, legacy[i].name))
                world.factionIDs[i] = *id;
        }
        world.legacyFactions.reset();
    }
    const JsonPath satellitesPath(&path, QLatin1StringView("satellites"));
    for (qsizetype k = 0; k < world.satellites.size(); ++k)
        relinkWorldFactions(world.satellites[k], knownIDs, JsonPath(&satellitesPath, k));
}
