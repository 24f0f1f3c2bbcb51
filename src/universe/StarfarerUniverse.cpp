#include "StarfarerUniverse.h"

#include "WorkerPools.h"

#include <algorithm>

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
    // The views share none of the values any more.
    freeOnWorker(std::move(m_contents), std::move(m_index));
}

std::unique_ptr<StarfarerUniverse> StarfarerUniverse::decode(const QByteArray &bytes, UniverseFolder folder,
                                                             QString *error)
{
    return decode(UniverseFile::check({bytes, {}}), std::move(folder), error);
}

std::unique_ptr<StarfarerUniverse> StarfarerUniverse::decode(const CheckedFile &file, UniverseFolder folder,
                                                             QString *error)
{
    std::optional<DecodedFile> decoded = UniverseFile::decodeChecked(file, error);
    return decoded ? made(std::move(*decoded), std::move(folder)) : nullptr;
}

std::unique_ptr<StarfarerUniverse> StarfarerUniverse::made(DecodedFile decoded, UniverseFolder folder)
{
    auto universe = std::make_unique<StarfarerUniverse>(std::move(folder));
    universe->m_contents = std::move(decoded.contents);
    universe->m_index = std::move(decoded.index);
    universe->m_rutterIndex = std::move(decoded.rutterIndex);
    universe->m_usesTravellerRules = universe->usesTravellerRules();
    return universe;
}

std::unique_ptr<StarfarerUniverse> StarfarerUniverse::fromFile(const QString &path, DecodedFile decoded,
                                                               UniverseFolder folder)
{
    const UniverseFileReader::Stamp stamp = decoded.listing.stamp;
    auto universe = made(std::move(decoded), std::move(folder));
    universe->m_saver.rememberReadFile(path, stamp);
    return universe;
}

std::unique_ptr<StarfarerUniverse> StarfarerUniverse::readFile(const QString &path, UniverseFolder folder,
                                                               QString *error, Listing *listing)
{
    std::optional<DecodedFile> decoded = UniverseFile::decodeFile(path, error);
    if (!decoded)
        return nullptr;
    if (listing)
        *listing = decoded->listing;
    return fromFile(path, std::move(*decoded), std::move(folder));
}

std::unique_ptr<StarfarerUniverse> StarfarerUniverse::openChecked(const QString &path,
                                                                  const CheckedFile &file,
                                                                  UniverseFolder folder, QString *error)
{
    std::optional<DecodedFile> decoded = UniverseFile::decodeChecked(file, error);
    return decoded ? fromFile(path, std::move(*decoded), std::move(folder)) : nullptr;
}

JsonObject StarfarerUniverse::toJson() const
{
    return m_contents.toJson();
}

QByteArray StarfarerUniverse::encode() const
{
    return UniverseFile::encode(m_contents);
}

quint64 StarfarerUniverse::save()
{
    const quint64 request = m_saver.save();
    // Nothing is asked once saving stopped. A write asked is saving until its outcome
    // is reported, even when it already ended on its thread: that outcome comes later.
    if (!m_saver.discarding())
        setSaveState({SaveState::Kind::saving, {}, {}});
    return request;
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

bool StarfarerUniverse::retryFailedSave()
{
    if (!m_saver.retryFailed())
        return false;
    setSaveState({SaveState::Kind::saving, {}, {}});
    return true;
}

void StarfarerUniverse::stopSaving()
{
    m_saver.setDiscarding(true);
    m_saveRetry.succeeded();
    // Nothing is left to write: an earlier failure no longer matters.
    if (!m_saver.pending()) {
        m_lastOutcome = {SaveState::Kind::clean, {}, {}, m_saver.lastRequest()};
        setSaveState(m_lastOutcome);
    }
}

void StarfarerUniverse::resumeSaving()
{
    m_saver.setDiscarding(false);
    save();
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
    if (outcomes.isEmpty())
        return;
    // Once saving stopped, a write that ends was of a file gone for good: its failure
    // matters to nobody, nothing is retried, and no request is left to write.
    const bool stopped = m_saver.discarding();
    for (qsizetype i = 0; i < outcomes.size(); ++i) {
        const UniverseSaver::Outcome &outcome = outcomes.at(i);
        if (outcome.stamp)
            emit written(outcome.path,
                         Listing{*outcome.stamp, Header{outcome.id, outcome.name, outcome.path}});
        const bool failed = !outcome.succeeded && !stopped;
        if (outcome.succeeded)
            emit saved();
        else if (failed)
            emit saveFailed(outcome.message);
        // The retry follows the latest write only; an earlier failure has none waiting.
        const bool latest = i == outcomes.size() - 1;
        if (latest && !failed)
            m_saveRetry.succeeded();
        else if (latest)
            m_saveRetry.failed();
        // Each write's outcome is published in turn, even when several are reported at
        // once or the next write has begun: a view waiting for the outcome of the write
        // it asked for takes the first, and one that shows the latest ends on the last.
        m_lastOutcome =
            !failed
                ? SaveState{SaveState::Kind::clean, {}, {}, stopped ? m_saver.lastRequest() : outcome.holds}
                : SaveState{SaveState::Kind::failed, outcome.message,
                            latest ? m_saveRetry.scheduled() : std::nullopt, outcome.holds};
        setSaveState(m_lastOutcome);
        if (!outcome.keptPath.isEmpty())
            emit externalChangeKept(outcome.keptPath);
    }
    if (m_saver.pending())
        setSaveState({SaveState::Kind::saving, {}, {}});
}

// An outcome is told even when it equals the state before (a write that fails as
// the last one did is news to a view opened since); "saving" is told once however
// many saves are asked while it lasts.
void StarfarerUniverse::setSaveState(SaveState state)
{
    if (state.kind == SaveState::Kind::saving && m_saveState.kind == SaveState::Kind::saving)
        return;
    m_saveState = std::move(state);
    emit saveStateChanged();
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
    if (m_contents.rutters == value)
        return;
    m_contents.rutters = value;
    m_rutterIndex.rebuild(m_contents.rutters);
    emit ruttersChanged();
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

void StarfarerUniverse::relinkRutterFactions()
{
    m_contents.relinkRutterFactions();
}

void StarfarerUniverse::relinkWorldFactions()
{
    m_contents.relinkWorldFactions();
}
