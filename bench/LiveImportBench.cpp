// A sector imported into the Charted Space shape in the running program (LiveApp), the
// way an import the user started runs: the requests to the service (played on
// 127.0.0.1), the conversion on a worker, the apply and the save request on the GUI
// thread. The map is on show in the main window and the Systems list in a window of
// its own beside it. The sector lies beside the polity of 15 pieces, and one of its
// borders is that polity's, so the apply merges every piece anew.
//
// The time is the longest pass of the GUI thread from the start of the import until it
// is applied, saved, and the map and the list have shown it; apply_ms is the pass that
// applied it, up to the import's end; import_ms the time from its start to its end.
// After each repetition everything the import added goes again and the polity's pieces
// come back.
#include "ChartedSpaceShape.h"
#include "DrivenLoop.h"
#include "LiveApp.h"
#include "LiveBenchmarks.h"
#include "LiveMap.h"
#include "LoopbackService.h"
#include "MapObjectIds.h"
#include "PaintWatch.h"
#include "app/MainWindow.h"
#include "import/RunningImports.h"
#include "screens/ui/SystemListView.h"
#include "starmap/ui/StarMapView.h"
#include "universe/UniverseManager.h"

#include <QSet>

#include <algorithm>

namespace {

using namespace TravellerMapImporter;

// What the universe held before an import, to take the universe back there.
class Contents
{
public:
    explicit Contents(const StarfarerUniverse &universe)
        : m_factions(idsOf(universe.factions())), m_rutters(idsOf(universe.rutters())),
          m_labels(idsOf(universe.starmapLabels())), m_regions(universe.regions())
    {
        for (const HexData &hex : universe.data())
            m_systems.insert(hex.id);
    }

    void restore(StarfarerUniverse &universe) const
    {
        QList<QUuid> added;
        for (const HexData &hex : universe.data()) {
            if (!m_systems.contains(hex.id))
                added.append(hex.id);
        }
        for (const QUuid &id : added)
            universe.removeHex(id);
        removeAllBut<Rutter>(universe, m_rutters);
        removeAllBut<StarmapLabel>(universe, m_labels);
        removeAllBut<Region>(universe, idsOf(m_regions));
        removeAllBut<Faction>(universe, m_factions);
        const QSet<QUuid> kept = idsOf(universe.regions());
        QList<Region> gone;
        for (const Region &region : m_regions) {
            if (!kept.contains(region.id))
                gone.append(region);
        }
        universe.insertObjects(gone);
    }

private:
    QSet<QUuid> m_systems, m_factions, m_rutters, m_labels;
    QList<Region> m_regions;
};

qsizetype piecesOf(const StarfarerUniverse &universe, const QString &name)
{
    return std::count_if(universe.regions().cbegin(), universe.regions().cend(),
                         [&name](const Region &region) { return region.name == name; });
}

void BM_ImportBesideFifteenPiecePolity(benchmark::State &state)
{
    LiveApp &app = LiveApp::of(UniverseShape::chartedSpace);
    app.showPage(DestinationKind::starmap);
    const ChartedSpaceShape::SectorAnswers sector = ChartedSpaceShape::sectorBesideFifteenPiecePolity();
    const LoopbackService service(
        {{"/api/coordinates",
          QStringLiteral(R"({"sx": %1, "sy": %2})").arg(sector.position.x).arg(-sector.position.y).toUtf8()},
         {"/t5ss/allegiances", ChartedSpaceShape::allegiances()},
         {"/api/sec", sector.worlds.toUtf8()},
         {"/api/metadata", sector.metadata}});
    RunningImports jobs(service.base(), std::chrono::seconds(60));
    ImportRequest request;
    request.sectorName = sector.name;
    request.milieu = QStringLiteral("M1105");
    StarfarerUniverse &universe = app.universe();
    SystemListView list(&universe, app.window().router());
    list.resize(900, 1000);
    list.show();
    const PaintWatch listPaints([&list] { return &list; });
    const QString polity = ChartedSpaceShape::fifteenPiecePolity();
    state.counters["pieces_before"] = double(piecesOf(universe, polity));
    for (auto _ : state) {
        const Contents before(universe);
        LiveMap map(*app.mapView());
        const GuiThreadPasses passes;
        bool ended = false, saved = false;
        double applied = 0, ended_ms = 0;
        int mapPaints = 0, listPaintsAtEnd = 0;
        const QMetaObject::Connection save =
            QObject::connect(&universe, &StarfarerUniverse::saved, [&] { saved = ended; });
        const LiveClock::time_point start = LiveClock::now();
        DrivenLoop::post(&jobs, [&] {
            ImportJob *job = jobs.start(request, &app.manager(), &universe, app.page());
            QObject::connect(job, &ImportJob::finished, [&](const ImportOutcome &outcome) {
                applied = passes.currentPass();
                ended_ms = millisecondsSince(start);
                ended = true;
                mapPaints = map.paints();
                listPaintsAtEnd = listPaints.paints();
                if (outcome.kind != ImportOutcome::Kind::applied)
                    state.SkipWithError(qPrintable(outcome.message));
            });
        });
        if (!DrivenLoop::runUntil([&] {
                return ended && saved && map.sharpSince(mapPaints) && listPaints.paints() > listPaintsAtEnd;
            }))
            state.SkipWithError("the import did not end, or was not shown");
        QObject::disconnect(save);
        state.SetIterationTime(passes.longest() / 1e3);
        state.counters["apply_ms"] = applied;
        state.counters["import_ms"] = ended_ms;
        state.counters["passes_over_16ms"] = double(passes.countOver(16));
        state.counters["pieces_after"] = double(piecesOf(universe, polity));
        reportPasses(state, passes);
        DrivenLoop::post(&universe, [&] { before.restore(universe); });
        DrivenLoop::runFor(100);
        app.settle();
    }
}

} // namespace

BENCHMARK(BM_ImportBesideFifteenPiecePolity)->Apply([](auto *b) { liveRuns(b, 8); });
