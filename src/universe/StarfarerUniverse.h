#pragma once

#include "HexIndex.h"
#include "RetryTimer.h"
#include "RutterHexIndex.h"
#include "SaveState.h"
#include "UniverseContents.h"
#include "UniverseFile.h"
#include "UniverseFolder.h"
#include "UniverseSaver.h"
#include "model/WorldData.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QSet>
#include <QString>
#include <QUuid>

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <type_traits>
#include <utility>

// The document of one universe: every occupied hex with its system, the factions and
// map objects, and the star map's display settings. Every screen shares the one open
// instance; each setter stores the new value and notifies only when it differs from
// the stored one. The document is made from one JSON file (UniverseFile reads,
// checks and repairs it) and saves itself back, atomically and off the calling
// thread. An index from id and from coordinates to the position in `data`
// (HexIndex) keeps the per-hex operations and look-ups from growing with the
// universe's size; an index of the rutters by the hexes at their ends
// (RutterHexIndex) lets every view find a hex's rutters without walking them all.
class StarfarerUniverse : public QObject
{
    Q_OBJECT

public:
    static inline const QString &kUntitledName = UniverseContents::kUntitledName;

    // The file form (UniverseFile) under the names its callers know.
    using Header = UniverseFile::Header;
    using Listing = UniverseFile::Listing;
    using CheckedFile = UniverseFile::CheckedFile;
    using DecodedFile = UniverseFile::DecodedFile;

    // A new universe with the defaults: a new random id, "Untitled Universe", empty
    // collections, the referee's view and every layer shown.
    explicit StarfarerUniverse(UniverseFolder folder = UniverseFolder::standard(), QObject *parent = nullptr);
    // Waits for a save still being written. The values are freed on a worker thread:
    // freeing a large universe takes several frames.
    ~StarfarerUniverse() override;

    // Decodes a whole document from a file's bytes. On any failure returns nothing and
    // puts the reason in `error`: no partial document is ever produced.
    static std::unique_ptr<StarfarerUniverse> decode(const QByteArray &bytes, UniverseFolder folder,
                                                     QString *error = nullptr);
    static std::unique_ptr<StarfarerUniverse> decode(const CheckedFile &file, UniverseFolder folder,
                                                     QString *error = nullptr);
    // The document of `decoded`, read from `path`, on the calling thread. The version
    // read is remembered, so that a save notices when another program changed the
    // file meanwhile.
    static std::unique_ptr<StarfarerUniverse> fromFile(const QString &path, DecodedFile decoded,
                                                       UniverseFolder folder);
    // UniverseFile::decodeFile() and fromFile() in one. On success `listing` receives the version
    // read and its header, so that a listing need not read the file again.
    static std::unique_ptr<StarfarerUniverse> readFile(const QString &path, UniverseFolder folder,
                                                       QString *error = nullptr, Listing *listing = nullptr);
    // Decodes `file`, read from `path`, as fromFile() does.
    static std::unique_ptr<StarfarerUniverse> openChecked(const QString &path, const CheckedFile &file,
                                                          UniverseFolder folder, QString *error = nullptr);

    // All twenty keys, every one written.
    JsonObject toJson() const;
    // The bytes save() writes: pretty-printed, keys sorted. Throws EncodeError for a
    // value that cannot be stored faithfully.
    QByteArray encode() const;

    // Asks for the document to be written to its file atomically, and returns at
    // once with the request's number (SaveState::settles): a snapshot is encoded and
    // written on another thread. Requests made while
    // a write runs are coalesced into one snapshot taken when it ends (the newest
    // state wins). The outcome of each write arrives as saved() or saveFailed() on
    // this object's thread, and the latest one as saveState(); a failure prints "Failed to save
    // StarfarerUniverse to <file>: <reason>" and leaves the file as it was.
    quint64 save();
    // Waits until every requested save has been written and reports the outcomes
    // not yet reported; false when the last write failed. When nothing is pending but
    // the last write's failure was reported already, it is tried once more first (the
    // fault may be gone by now).
    bool waitForPendingSave();
    // save() and waitForPendingSave(), for the places whose next step depends on the
    // outcome (a new universe, the first start).
    bool saveNow();
    // Writes again, without waiting, when the last write failed and its failure was
    // told and nothing is pending: the fault may be gone by now. True when a write
    // was asked for; its outcome arrives as every save's does.
    bool retryFailedSave();
    // The file is gone for good, or about to go (the universe is deleted): nothing more
    // is written, no retry waits, and the save state is clean. A write under way still
    // ends; a failure of it is not told, and the state stays clean.
    void stopSaving();
    // Saves again after stopSaving() (the file could not be removed after all), with
    // whatever was edited meanwhile.
    void resumeSaving();
    bool savingStopped() const { return m_saver.discarding(); }
    // While saves keep failing, the document saves again on its own: first after
    // `first`, then after twice as long each time, up to `longest` (5 s to a minute
    // unless set). An edit's save() in between is tried at once, as always.
    void setSaveRetryDelays(std::chrono::milliseconds first, std::chrono::milliseconds longest);
    // The delay of the retry waiting to run after a failed save, if one is.
    std::optional<std::chrono::milliseconds> scheduledSaveRetry() const { return m_saveRetry.scheduled(); }
    // Where saving stands: what the views show of it. saveStateChanged() tells
    // "saving" once from a save() until a write's outcome is told, then each write's
    // outcome in turn ("clean" or "failed", even when equal to the one before), and
    // "saving" again while a write asked for meanwhile runs.
    const SaveState &saveState() const { return m_saveState; }
    // The outcome of the latest write told ("clean", holding request 0, before any),
    // which saveState() no longer shows once a write asked for meanwhile runs: what
    // the store waits for before it leaves the document.
    const SaveState &lastOutcome() const { return m_lastOutcome; }
    // The number of the latest save request (0 before any).
    quint64 lastSaveRequest() const { return m_saver.lastRequest(); }
    // The file save() writes: named after the document's id.
    QString filePath() const { return m_folder.fileFor(m_contents.id); }
    const UniverseFolder &folder() const { return m_folder; }
    // Called on the saving thread with each snapshot just before it is written.
    void setWriteObserver(std::function<void(const UniverseContents &)> observer);

    const QUuid &id() const { return m_contents.id; }
    const QString &name() const { return m_contents.name; }
    const HexList &data() const { return m_contents.data; }
    const QList<Faction> &factions() const { return m_contents.factions; }
    const QList<FactionList> &factionLists() const { return m_contents.factionLists; }
    const QList<Rutter> &rutters() const { return m_contents.rutters; }
    const QList<Nebula> &nebulae() const { return m_contents.nebulae; }
    const QList<Region> &regions() const { return m_contents.regions; }
    const QList<StarmapLabel> &starmapLabels() const { return m_contents.starmapLabels; }
    const QSet<QString> &hiddenLabelCategories() const { return m_contents.hiddenLabelCategories; }
    MapViewMode mapViewMode() const { return m_contents.mapViewMode; }
    bool mapShowRutters() const { return m_contents.mapShowRutters; }
    bool mapShowNebulae() const { return m_contents.mapShowNebulae; }
    bool mapShowRegions() const { return m_contents.mapShowRegions; }
    bool mapShowLabels() const { return m_contents.mapShowLabels; }
    bool mapShowSurveyedData() const { return m_contents.mapShowSurveyedData; }
    bool mapShowStarfarers() const { return m_contents.mapShowStarfarers; }
    bool mapShowSathar() const { return m_contents.mapShowSathar; }
    bool mapShowOther() const { return m_contents.mapShowOther; }
    const QSet<QUuid> &selectedFactionIDs() const { return m_contents.selectedFactionIDs; }

    void setId(const QUuid &value);
    void setName(const QString &value);
    void setData(const QList<HexData> &value);
    void setFactions(const QList<Faction> &value);
    void setFactionLists(const QList<FactionList> &value);
    void setRutters(const QList<Rutter> &value);
    void setNebulae(const QList<Nebula> &value);
    void setRegions(const QList<Region> &value);
    void setStarmapLabels(const QList<StarmapLabel> &value);
    void setHiddenLabelCategories(const QSet<QString> &value);
    void setMapViewMode(MapViewMode value);
    void setMapShowRutters(bool value);
    void setMapShowNebulae(bool value);
    void setMapShowRegions(bool value);
    void setMapShowLabels(bool value);
    void setMapShowSurveyedData(bool value);
    void setMapShowStarfarers(bool value);
    void setMapShowSathar(bool value);
    void setMapShowOther(bool value);
    void setSelectedFactionIDs(const QSet<QUuid> &value);

    // One occupied hex at a time. Each operation notifies with the id and the
    // coordinates it changed (hexInserted, hexReplaced, hexRemoved) instead of
    // dataChanged, which stays the signal of setData: views listen to both.
    // Appends a hex (a second hex at the same coordinates or with the same id stays
    // behind the first in the look-ups).
    void insertHex(const HexData &hex);
    // Replaces the stored hex with the same id; false when there is none.
    bool replaceHex(const HexData &hex);
    // Replaces the stored hex with id `id` by `hex`, which may carry a new id; the hex
    // keeps its position. hexReplaced names `id`, the id it had.
    bool replaceHex(const QUuid &id, const HexData &hex);
    // Appends hexes in one change: hexesInserted names the first new position and how
    // many follow, so a batch (an import) is one update for whatever listens.
    void insertHexes(const QList<HexData> &hexes);
    // Removes the hex with this id; false when there is none.
    bool removeHex(const QUuid &id);
    // The stored hex with this id.
    std::optional<HexData> hexWithID(const QUuid &id) const;
    // Whether a stored hex stands at exactly these coordinates.
    bool isOccupied(const GalacticCoordinates &coordinates) const;
    // Where in data() every hex at exactly these coordinates stands, ascending: for
    // views that keep one row per stored hex, in its order.
    QList<qsizetype> positionsOfHexesAt(const GalacticCoordinates &coordinates) const
    {
        return m_index.positionsAt(coordinates);
    }
    // The index of the hexes by id and coordinates, always up to date with data().
    const HexIndex &hexIndex() const { return m_index; }
    // Where in rutters() every rutter with an end at exactly these coordinates stands,
    // ascending; a rutter from the hex to itself once.
    QList<qsizetype> positionsOfRuttersAt(const GalacticCoordinates &coordinates) const
    {
        return m_rutterIndex.positionsAt(coordinates);
    }

    // Map objects (factions, faction lists, rutters, regions, nebulae, labels) change
    // one at a time by id, as hexes do, each kind with its own inserted, replaced and
    // removed signal (MapObjectTraits below names them); the whole-list setters stay
    // for whole-document changes and keep their signal. Appends an element.
    template <typename T> void insertObject(const T &object);
    // Appends elements in one change, told once (factionsInserted, ruttersInserted,
    // ...: the first new position and how many follow), as insertHexes does for hexes,
    // so that an import's routes or labels are one update for whatever listens.
    template <typename T> void insertObjects(const QList<T> &objects);
    // Replaces the first element with the same id; false when there is none.
    template <typename T> bool replaceObject(const T &object);
    // Removes the first element with this id; false when there is none.
    template <typename T> bool removeObject(const QUuid &id);
    // Removes the element at this position; false when it is out of range.
    template <typename T> bool removeObjectAt(qsizetype position);
    template <typename T> const QList<T> &objects() const;
    // The first element with this id.
    template <typename T> std::optional<T> object(const QUuid &id) const;

    // The factions a world names, in the world's order; unknown ids are skipped and an
    // id listed twice gives its faction twice.
    QList<Faction> factions(const WorldData &world) const;
    // The first stored hex at exactly these coordinates.
    std::optional<HexData> hexData(const GalacticCoordinates &coordinates) const;
    // The faction a rutter belongs to.
    std::optional<Faction> faction(const Rutter &rutter) const;
    // Whether the first stored system's main world uses the "TL" tech-level scale.
    // usesTravellerRulesChanged() tells when a change of the systems turned it.
    bool usesTravellerRules() const;

    // Repairs of older files, run once after decoding (UniverseContents): whole
    // faction records stored in rutters and worlds become ids of this document's
    // factions, matched by name.
    void relinkRutterFactions();
    void relinkWorldFactions();

signals:
    void idChanged();
    void nameChanged();
    void dataChanged();
    void factionsChanged();
    void factionListsChanged();
    void ruttersChanged();
    void nebulaeChanged();
    void regionsChanged();
    void starmapLabelsChanged();
    void hiddenLabelCategoriesChanged();
    void mapViewModeChanged();
    void mapShowRuttersChanged();
    void mapShowNebulaeChanged();
    void mapShowRegionsChanged();
    void mapShowLabelsChanged();
    void mapShowSurveyedDataChanged();
    void mapShowStarfarersChanged();
    void mapShowSatharChanged();
    void mapShowOtherChanged();
    void selectedFactionIDsChanged();

    void hexInserted(const QUuid &id, const GalacticCoordinates &coordinates);
    void hexReplaced(const QUuid &id, const GalacticCoordinates &oldCoordinates,
                     const GalacticCoordinates &newCoordinates);
    void hexRemoved(const QUuid &id, const GalacticCoordinates &coordinates);
    // The hexes at positions first to first + count - 1 were appended.
    void hexesInserted(qsizetype first, qsizetype count);
    // After the signal of the change of the systems that turned it.
    void usesTravellerRulesChanged();

    // Per map object: its position in its list and its value before and after.
    void factionInserted(qsizetype position, const Faction &faction);
    void factionReplaced(qsizetype position, const Faction &before, const Faction &after);
    void factionRemoved(qsizetype position, const Faction &faction);
    void factionListInserted(qsizetype position, const FactionList &list);
    void factionListReplaced(qsizetype position, const FactionList &before, const FactionList &after);
    void factionListRemoved(qsizetype position, const FactionList &list);
    void rutterInserted(qsizetype position, const Rutter &rutter);
    void rutterReplaced(qsizetype position, const Rutter &before, const Rutter &after);
    void rutterRemoved(qsizetype position, const Rutter &rutter);
    void nebulaInserted(qsizetype position, const Nebula &nebula);
    void nebulaReplaced(qsizetype position, const Nebula &before, const Nebula &after);
    void nebulaRemoved(qsizetype position, const Nebula &nebula);
    void regionInserted(qsizetype position, const Region &region);
    void regionReplaced(qsizetype position, const Region &before, const Region &after);
    void regionRemoved(qsizetype position, const Region &region);
    void starmapLabelInserted(qsizetype position, const StarmapLabel &label);
    void starmapLabelReplaced(qsizetype position, const StarmapLabel &before, const StarmapLabel &after);
    void starmapLabelRemoved(qsizetype position, const StarmapLabel &label);
    // Per kind of map object: the elements at positions first to first + count - 1
    // were appended together.
    void factionsInserted(qsizetype first, qsizetype count);
    void factionListsInserted(qsizetype first, qsizetype count);
    void ruttersInserted(qsizetype first, qsizetype count);
    void nebulaeInserted(qsizetype first, qsizetype count);
    void regionsInserted(qsizetype first, qsizetype count);
    void starmapLabelsInserted(qsizetype first, qsizetype count);

    // The outcome of each save(): `message` names the file and the reason.
    void saveFailed(const QString &message);
    void saved();
    void saveStateChanged();
    // Another program had changed the file since this document read or wrote it; its
    // version was kept in `keptPath` before this document's replaced it.
    void externalChangeKept(const QString &keptPath);
    // A write put the file at `path` in place, as `listing` says (its version just
    // after the write and the header it holds), so that a listing of universes need
    // not read it again while it keeps that version. Before saved() or saveFailed().
    void written(const QString &path, const StarfarerUniverse::Listing &listing);

private:
    // The document of `decoded`, which remembers no file it was read from.
    static std::unique_ptr<StarfarerUniverse> made(DecodedFile decoded, UniverseFolder folder);
    template <typename T> void assign(T &field, const T &value, void (StarfarerUniverse::*changed)());
    // Appends a hex and indexes it, without notifying.
    void appendHex(const HexData &hex);
    // Tells when the systems' change turned usesTravellerRules().
    void followRules();
    // Starts a save asked for during the last write, then emits saved() or
    // saveFailed() and publishes the save state for every write not yet reported, and
    // schedules a retry while the latest one failed.
    void reportSaveOutcomes();
    void setSaveState(SaveState state);
    qsizetype positionOfHex(const QUuid &id) const { return m_index.positionOf(id); }
    template <typename T> QList<T> &objectList();
    template <typename T> qsizetype positionOfObject(const QUuid &id) const;

    UniverseFolder m_folder;
    UniverseContents m_contents;
    HexIndex m_index;             // of m_contents.data
    RutterHexIndex m_rutterIndex; // of m_contents.rutters
    bool m_usesTravellerRules = false;
    UniverseSaver m_saver;
    RetryTimer m_saveRetry;
    SaveState m_saveState;
    SaveState m_lastOutcome;
};

// Where the document keeps each kind of map object and the signals that tell of its
// changes, so that one set of rules serves all six kinds: the document's per-id
// operations, the editors and every listener.
template <typename T> struct MapObjectTraits;

#define VOSTREL_MAP_OBJECT_TRAITS(Type, field, setter, prefix)                                               \
    template <> struct MapObjectTraits<Type>                                                                 \
    {                                                                                                        \
        static constexpr QList<Type> UniverseContents::*list = &UniverseContents::field;                     \
        static constexpr auto set = &StarfarerUniverse::setter;                                              \
        static constexpr auto changed = &StarfarerUniverse::field##Changed;                                  \
        static constexpr auto inserted = &StarfarerUniverse::prefix##Inserted;                               \
        static constexpr auto replaced = &StarfarerUniverse::prefix##Replaced;                               \
        static constexpr auto removed = &StarfarerUniverse::prefix##Removed;                                 \
        static constexpr auto insertedTogether = &StarfarerUniverse::field##Inserted;                        \
    };
VOSTREL_MAP_OBJECT_TRAITS(Faction, factions, setFactions, faction)
VOSTREL_MAP_OBJECT_TRAITS(FactionList, factionLists, setFactionLists, factionList)
VOSTREL_MAP_OBJECT_TRAITS(Rutter, rutters, setRutters, rutter)
VOSTREL_MAP_OBJECT_TRAITS(Nebula, nebulae, setNebulae, nebula)
VOSTREL_MAP_OBJECT_TRAITS(Region, regions, setRegions, region)
VOSTREL_MAP_OBJECT_TRAITS(StarmapLabel, starmapLabels, setStarmapLabels, starmapLabel)
#undef VOSTREL_MAP_OBJECT_TRAITS

template <typename T> const QList<T> &StarfarerUniverse::objects() const
{
    return m_contents.*MapObjectTraits<T>::list;
}

template <typename T> QList<T> &StarfarerUniverse::objectList()
{
    return m_contents.*MapObjectTraits<T>::list;
}

template <typename T> qsizetype StarfarerUniverse::positionOfObject(const QUuid &id) const
{
    const QList<T> &list = objects<T>();
    for (qsizetype i = 0; i < list.size(); ++i) {
        if (list.at(i).id == id)
            return i;
    }
    return -1;
}

template <typename T> std::optional<T> StarfarerUniverse::object(const QUuid &id) const
{
    const qsizetype position = positionOfObject<T>(id);
    return position < 0 ? std::nullopt : std::optional<T>(objects<T>().at(position));
}

template <typename T> void StarfarerUniverse::insertObject(const T &object)
{
    QList<T> &list = objectList<T>();
    list.append(object);
    if constexpr (std::is_same_v<T, Rutter>)
        m_rutterIndex.appended(list, list.size() - 1);
    emit(this->*MapObjectTraits<T>::inserted)(list.size() - 1, list.last());
}

template <typename T> void StarfarerUniverse::insertObjects(const QList<T> &objects)
{
    if (objects.isEmpty())
        return;
    QList<T> &list = objectList<T>();
    const qsizetype first = list.size();
    list.append(objects);
    if constexpr (std::is_same_v<T, Rutter>)
        m_rutterIndex.appended(list, first);
    emit(this->*MapObjectTraits<T>::insertedTogether)(first, objects.size());
}

template <typename T> bool StarfarerUniverse::replaceObject(const T &object)
{
    const qsizetype position = positionOfObject<T>(object.id);
    if (position < 0)
        return false;
    QList<T> &list = objectList<T>();
    if (list.at(position) == object)
        return true;
    const T before = std::exchange(list[position], object);
    if constexpr (std::is_same_v<T, Rutter>)
        m_rutterIndex.replaced(position, before, object);
    emit(this->*MapObjectTraits<T>::replaced)(position, before, list.at(position));
    return true;
}

template <typename T> bool StarfarerUniverse::removeObjectAt(qsizetype position)
{
    QList<T> &list = objectList<T>();
    if (position < 0 || position >= list.size())
        return false;
    const T removed = list.takeAt(position);
    if constexpr (std::is_same_v<T, Rutter>)
        m_rutterIndex.removed(position, removed);
    emit(this->*MapObjectTraits<T>::removed)(position, removed);
    return true;
}

template <typename T> bool StarfarerUniverse::removeObject(const QUuid &id)
{
    return removeObjectAt<T>(positionOfObject<T>(id));
}
