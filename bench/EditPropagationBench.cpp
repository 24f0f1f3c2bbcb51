// The time an edit takes on the GUI thread with what a referee has alive, on a
// universe read from its file (as the program reads it) of 10,000 or 50,000
// generated systems with made-up names, 8 factions and 2,000 rutters: the system
// list's rows (sorted by name unless said), the star map's visible sets and layers
// (a frame drawn, so the layers keep their groups), and the detail view of one system.
// Each repetition times one edit; the statistics are over the repetitions. No save is
// asked for, so no write runs beside the edits.
#include "DrivenLoop.h"
#include "MapObjectIds.h"
#include "RepetitionStatistics.h"
#include "SyntheticSector.h"
#include "SyntheticSystems.h"
#include "editors/ui/MapObjectListModel.h"
#include "editors/ui/RutterListSource.h"
#include "import/ImportConversion.h"
#include "screens/SystemListModel.h"
#include "screens/SystemListProxy.h"
#include "screens/ui/SystemDetailView.h"
#include "starmap/StarMapLayers.h"
#include "starmap/StarMapRenderer.h"
#include "starmap/StarMapVisibleSets.h"

#include <QCoreApplication>
#include <QPainter>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <map>
#include <memory>

namespace {

constexpr int kFactions = 8;
constexpr int kRutters = 2000;

struct Alive
{
    QTemporaryDir documents;
    std::unique_ptr<StarfarerUniverse> universe;
    std::unique_ptr<SystemListModel> source;
    std::unique_ptr<SystemListProxy> rows;
    std::unique_ptr<StarMapVisibleSets> sets;
    std::unique_ptr<StarMapRenderer> renderer;
    std::unique_ptr<StarMapLayers> layers;
    std::unique_ptr<SystemDetailView> detail;
    int updates = 0; // row updates the list told its view
};

// The universe, as its file is read, with the views alive.
Alive &alive(int count)
{
    static std::map<int, std::unique_ptr<Alive>> made;
    auto &slot = made[count];
    if (slot)
        return *slot;
    slot = std::make_unique<Alive>();
    const UniverseFolder folder(slot->documents.path());
    // Made, written and read back, so that the heap looks as it does after a load;
    // the made universe is gone before the bytes are read.
    const QByteArray bytes = [&] {
        StarfarerUniverse generated(folder);
        generated.setData(syntheticSystems(count));
        QList<Faction> factions;
        for (int i = 0; i < kFactions; ++i) {
            Faction faction;
            faction.id = QUuid::createUuid();
            faction.name = syntheticName(quint32(900000 + i));
            faction.color = FactionColor(i);
            factions.append(faction);
        }
        generated.setFactions(factions);
        QList<Rutter> rutters;
        const auto &data = generated.data();
        for (int i = 0; i < kRutters; ++i)
            rutters.append(Rutter{
                QUuid::createUuid(), factions[i % kFactions].id, data[(i * 7919) % data.size()].coordinates,
                data[(i * 7919 + 1) % data.size()].coordinates, i % 5 == 0, RutterAge::recent, std::nullopt});
        generated.setRutters(rutters);
        return generated.encode();
    }();
    slot->universe = StarfarerUniverse::decode(bytes, folder);
    StarfarerUniverse *universe = slot->universe.get();
    slot->source = std::make_unique<SystemListModel>(universe);
    slot->rows = std::make_unique<SystemListProxy>(slot->source.get());
    slot->rows->setSortOrder(SystemSort::name);
    const auto tell = [raw = slot.get()] { ++raw->updates; };
    QObject::connect(slot->rows.get(), &QAbstractItemModel::rowsInserted, tell);
    QObject::connect(slot->rows.get(), &QAbstractItemModel::rowsRemoved, tell);
    QObject::connect(slot->rows.get(), &QAbstractItemModel::rowsMoved, tell);
    QObject::connect(slot->rows.get(), &QAbstractItemModel::layoutChanged, tell);
    QObject::connect(slot->rows.get(), &QAbstractItemModel::modelReset, tell);
    slot->sets = std::make_unique<StarMapVisibleSets>(universe, 60);
    // A large universe's systems are filed on a worker thread; the layers made after
    // that keep their groups from the first frame.
    DrivenLoop::runUntil([&] { return !slot->sets->filling(); });
    slot->renderer = std::make_unique<StarMapRenderer>(*slot->sets);
    slot->layers = std::make_unique<StarMapLayers>(*slot->sets);
    slot->layers->install(*slot->renderer);
    const QSize view(960, 540);
    const GridExtent extent = slot->sets->systems().extent()->widened(2);
    QImage frame(view, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&frame);
    slot->renderer->draw(painter, MapTransform::fit(extent, view, 60), extent,
                         QRectF(QPointF(), QSizeF(view)));
    slot->detail =
        std::make_unique<SystemDetailView>(universe, universe->data()[0], SystemDetailView::kViewWidth);
    return *slot;
}

// One system renamed, so that under the name order its row moves.
void BM_EditOneSystem(benchmark::State &state)
{
    Alive &a = alive(int(state.range(0)));
    a.rows->setSortOrder(state.range(1) ? SystemSort::name : SystemSort::coordinates);
    HexData edited = a.universe->data()[a.universe->data().size() / 3];
    static int edit = 0; // across repetitions: each one changes the name
    for (auto _ : state) {
        edited.starSystem.name = syntheticName(quint32(700000 + edit++));
        a.universe->replaceHex(edited);
    }
    a.rows->setSortOrder(SystemSort::name);
}

// "Save Changes" in the system editor of the system the detail view shows: the
// document's replace and everything that follows it (the save request itself is left
// out: see the file's comment). The detail view lies under the editor, hidden, as in
// the program; with `onScreen` it is shown and built again at once.
void BM_SaveChangesOfTheShownSystem(benchmark::State &state)
{
    Alive &a = alive(int(state.range(0)));
    a.rows->setSortOrder(SystemSort::name);
    a.detail->setVisible(state.range(1));
    HexData edited = a.detail->currentHex();
    static int edit = 0;
    for (auto _ : state) {
        edited.notes = QStringLiteral("Visited %1").arg(edit++);
        edited.starSystem.name = syntheticName(quint32(800000 + edit));
        a.universe->replaceHex(edited);
        // The widgets the view let go, as the event loop deletes them between edits:
        // piled up, they would make every later deletion search a longer queue.
        state.PauseTiming();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        state.ResumeTiming();
    }
    a.detail->hide();
}

// The system list's Delete: one system removed, from anywhere in the universe's
// order but the shown one; it comes back at the end between repetitions.
void BM_DeleteOneSystem(benchmark::State &state)
{
    Alive &a = alive(int(state.range(0)));
    a.rows->setSortOrder(SystemSort::name);
    static quint32 deleted = 0;
    for (auto _ : state) {
        const auto &data = a.universe->data();
        const HexData gone = data[1 + qsizetype(deleted++ * 7919u % quint32(data.size() - 1))];
        a.universe->removeHex(gone.id);
        state.PauseTiming();
        a.universe->insertHex(gone);
        state.ResumeTiming();
    }
}

// "Save Changes" of a system moved to free coordinates, and back the next time.
void BM_MoveOneSystem(benchmark::State &state)
{
    Alive &a = alive(int(state.range(0)));
    a.rows->setSortOrder(SystemSort::name);
    const auto &data = a.universe->data();
    HexData moved = data[data.size() / 2];
    const GalacticCoordinates home = moved.coordinates;
    const GalacticCoordinates away{home.sectorX + 4000, home.sectorY, home.column, home.row};
    for (auto _ : state) {
        moved.coordinates = moved.coordinates == home ? away : home;
        a.universe->replaceHex(moved);
    }
}

void BM_ChangeSortOrder(benchmark::State &state)
{
    Alive &a = alive(int(state.range(0)));
    for (auto _ : state)
        a.rows->setSortOrder(SystemSort((int(a.rows->sortOrder()) + 1) % 3));
}

void BM_AddRutter(benchmark::State &state)
{
    Alive &a = alive(int(state.range(0)));
    RutterListSource source(*a.universe);
    MapObjectListModel listed(source);
    const auto &data = a.universe->data();
    static int added = 0;
    for (auto _ : state) {
        const Rutter rutter{QUuid::createUuid(),
                            a.universe->factions()[added % kFactions].id,
                            data[(added * 31) % data.size()].coordinates,
                            data[(added * 31 + 5) % data.size()].coordinates,
                            false,
                            RutterAge::recent,
                            std::nullopt};
        ++added;
        a.universe->insertObject(rutter);
        state.PauseTiming();
        a.universe->removeObject<Rutter>(rutter.id);
        state.ResumeTiming();
    }
}

void BM_AddFaction(benchmark::State &state)
{
    Alive &a = alive(int(state.range(0)));
    static int added = 0;
    for (auto _ : state) {
        Faction faction;
        faction.id = QUuid::createUuid();
        faction.name = syntheticName(quint32(600000 + added++));
        a.universe->insertObject(faction);
        state.PauseTiming();
        a.universe->removeObject<Faction>(faction.id);
        state.ResumeTiming();
    }
}

// The 440 worlds of one sector arriving from an import, each repetition in a sector
// of its own, under the name order: "updates" counts what the list told its view.
void BM_ImportSector(benchmark::State &state)
{
    Alive &a = alive(int(state.range(0)));
    a.rows->setSortOrder(SystemSort::name);
    static qint64 sector = 1000;
    int updates = 0;
    for (auto _ : state) {
        state.PauseTiming();
        QList<HexData> worlds = syntheticSystems(440);
        for (HexData &world : worlds)
            world.coordinates.sectorX = sector;
        ++sector;
        a.updates = 0;
        state.ResumeTiming();
        a.universe->insertHexes(worlds);
        updates += a.updates;
    }
    state.counters["updates"] = benchmark::Counter(updates, benchmark::Counter::kAvgIterations);
}

// Applying a whole import of one sector (its 440 worlds, 30 routes, 16 borders and 18
// labels, read and converted beforehand as the worker does) on the GUI thread, each
// repetition into a sector of its own and taken out again afterwards, so that each one
// also creates the sector's factions. "updates" counts what the list told its view,
// "resets" the times the map's visible sets started over.
void BM_ImportSectorApplied(benchmark::State &state)
{
    using namespace TravellerMapImporter;
    Alive &a = alive(int(state.range(0)));
    a.rows->setSortOrder(SystemSort::name);
    int resetCount = 0;
    const auto connection =
        QObject::connect(a.sets.get(), &StarMapVisibleSets::reset, [&resetCount] { ++resetCount; });
    ImportAnswers answers;
    answers.sectorName = QStringLiteral("Bench");
    answers.allegiances = R"([{"Code": "ImDd", "Name": "Domain of Deneb"}])";
    answers.sectorData = ServiceAnswer{sectorText(440).toUtf8(), true};
    answers.metadata = metadataBody();
    ImportRequest request;
    request.sectorName = answers.sectorName;
    static qint64 sector = 3000;
    int updates = 0, resets = 0;
    StarfarerUniverse &universe = *a.universe;
    for (auto _ : state) {
        state.PauseTiming();
        answers.sector = {sector++, 7};
        const TravellerMapImporter::ConvertedImport converted = TravellerMapImporter::convert(
            request, answers, TravellerMapImporter::StoredMapObjects::of(universe));
        const qsizetype systems = universe.data().size();
        const QSet<QUuid> factions = idsOf(universe.factions()), rutters = idsOf(universe.rutters()),
                          regions = idsOf(universe.regions()), labels = idsOf(universe.starmapLabels());
        a.updates = 0;
        const int resetsBefore = resetCount;
        state.ResumeTiming();
        benchmark::DoNotOptimize(apply(universe, request, converted));
        state.PauseTiming();
        updates += a.updates;
        resets += resetCount - resetsBefore;
        while (universe.data().size() > systems)
            universe.removeHex(universe.data().last().id);
        removeAllBut<Rutter>(universe, rutters);
        removeAllBut<Region>(universe, regions);
        removeAllBut<StarmapLabel>(universe, labels);
        removeAllBut<Faction>(universe, factions);
        state.ResumeTiming();
    }
    QObject::disconnect(connection);
    state.counters["updates"] = benchmark::Counter(updates, benchmark::Counter::kAvgIterations);
    state.counters["resets"] = benchmark::Counter(resets, benchmark::Counter::kAvgIterations);
}

} // namespace

BENCHMARK(BM_EditOneSystem)
    ->ArgsProduct({{10000, 50000}, {0, 1}})
    ->ArgNames({"systems", "byName"})
    ->Apply([](auto *b) { oneRunPerRepetition(b, 60); });
BENCHMARK(BM_SaveChangesOfTheShownSystem)
    ->ArgsProduct({{10000, 50000}, {0, 1}})
    ->ArgNames({"systems", "onScreen"})
    ->Apply([](auto *b) { oneRunPerRepetition(b, 40); });
BENCHMARK(BM_DeleteOneSystem)->Arg(10000)->Arg(50000)->Apply([](auto *b) { oneRunPerRepetition(b, 60); });
BENCHMARK(BM_MoveOneSystem)->Arg(10000)->Arg(50000)->Apply([](auto *b) { oneRunPerRepetition(b, 60); });
BENCHMARK(BM_ChangeSortOrder)->Arg(10000)->Arg(50000)->Apply([](auto *b) { oneRunPerRepetition(b, 15); });
BENCHMARK(BM_AddRutter)->Arg(10000)->Arg(50000)->Apply([](auto *b) { oneRunPerRepetition(b, 60); });
BENCHMARK(BM_AddFaction)->Arg(10000)->Arg(50000)->Apply([](auto *b) { oneRunPerRepetition(b, 60); });
BENCHMARK(BM_ImportSectorApplied)->Arg(10000)->Arg(50000)->Apply([](auto *b) { oneRunPerRepetition(b, 8); });
BENCHMARK(BM_ImportSector)->Arg(10000)->Arg(50000)->Apply([](auto *b) { oneRunPerRepetition(b, 8); });
