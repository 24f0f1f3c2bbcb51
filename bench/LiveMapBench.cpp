// The star map of the running program (LiveApp: the main window at 1920 × 1080 with
// every listener alive) on the two shapes of universe, driven by posted wheel events
// and menu choices as a user drives it; times are wall times on the GUI thread's
// clock. The map and its caches are kept while their universe stays open, so a
// benchmark that needs them cold opens the universe afresh (LiveApp::reopen): no
// tile, picture or text layout drawn before helps, as a user meets the map after
// opening a universe; the caches the process shares (fonts, stamped discs) stay as
// they are for a user switching universes. Counters: longest_pass_ms and p95_pass_ms,
// the GUI thread's event loop passes (GuiThreadPasses); load, the machine's one-minute
// load average.
//
// BM_MapMemoryOverZoomCycles reports the process's resident memory: run it alone in
// its process (--benchmark_filter) so that nothing else measured before counts.
#include "DrivenLoop.h"
#include "LiveApp.h"
#include "LiveBenchmarks.h"
#include "LiveMap.h"
#include "SavedUniverses.h"
#include "StoreWatch.h"
#include "starmap/ui/StarMapCanvas.h"
#include "starmap/ui/StarMapView.h"

#include <QPointer>
#include <QPushButton>

#include <malloc.h>

#include <functional>
#include <string>

namespace {

// The program on the shape's universe, opened afresh: its map new and sharp at the
// fitted view.
LiveApp &freshMap(UniverseShape shape)
{
    LiveApp &app = LiveApp::of(shape);
    app.reopen();
    return app;
}

// One notch of the wheel a little right of the middle, on a map none of whose tiles
// at the new zoom step were ever drawn: the time until the view is sharp. The
// repetitions dive from the fitted view of a fresh map to the zoom ceiling, each
// notch given once the view is sharp after the one before, as the user meets every
// step of the way for the first time; at the ceiling the universe is opened afresh
// for the next dive.
void BM_MapSharpAfterNotch(benchmark::State &state, UniverseShape shape)
{
    static QPointer<StarMapView> diving;
    for (auto _ : state) {
        LiveApp &app = LiveApp::of(shape);
        if (!diving || diving != app.mapView() || LiveMap(*diving).atCeiling()) {
            app.reopen();
            diving = app.mapView();
        }
        LiveMap map(*diving);
        const GuiThreadPasses passes;
        const int paints = map.paints();
        const LiveClock::time_point start = LiveClock::now();
        map.postNotch(1, map.at(0.6, 0.45));
        if (!DrivenLoop::runUntil([&] { return map.sharpSince(paints); }))
            state.SkipWithError("the map did not become sharp");
        state.SetIterationTime(millisecondsSince(start) / 1e3);
        state.counters["scale_to_fit"] = map.scale() / map.fitScale();
        reportPasses(state, passes);
    }
}

// The program started afresh on the small universe, the shape's universe chosen in the
// universe menu: the time from the moment its file is read and its opening ends until
// its map, the first screen of a universe just opened, is sharp; first_paint_ms until
// the map's first picture (stand-ins and all), chosen_ms from the choice until sharp;
// the passes are those from the choice on (the file is read on a worker meanwhile).
// The first repetition in a process meets the map cold, as a user does after starting
// the program on another universe; later ones find the caches the process keeps (the
// tile threads' fonts, glyphs and laid-out texts, the stamped discs) made by the ones
// before: for cold figures run one repetition per process (--benchmark_repetitions=1).
void BM_MapSharpAfterUniverseOpens(benchmark::State &state, UniverseShape shape)
{
    LiveApp &app = LiveApp::startedOnSmall(shape);
    for (auto _ : state) {
        const StoreWatch store(app.manager());
        const GuiThreadPasses passes;
        const LiveClock::time_point chosen = LiveClock::now();
        app.chooseUniverse(app.shapeID());
        if (!store.runUntilCurrentIs(app.shapeID()) ||
            !DrivenLoop::runUntil([&] { return app.mapView() && app.pagePainted(); }))
            state.SkipWithError("the map was not shown");
        const LiveClock::time_point opened = store.lastOpeningEndedAt();
        const double firstPaint = millisecondsSince(opened);
        LiveMap map(*app.mapView());
        if (!map.canvas().frameCache().isSharp() && !DrivenLoop::runUntil([&] { return map.sharpSince(0); }))
            state.SkipWithError("the map did not become sharp");
        state.SetIterationTime(millisecondsSince(opened) / 1e3);
        state.counters["first_paint_ms"] = firstPaint;
        state.counters["chosen_ms"] = millisecondsSince(chosen);
        reportPasses(state, passes);
        app.settle();
    }
}

// From the fitted view: notches in every 33 ms up to the zoom ceiling, right of the
// middle, until sharp; half as many out, left of the middle, until sharp; then "Fit",
// gliding back to the fitted view, until sharp. The time is the longest pass of the
// GUI thread over all three; the counters give each part's 95th percentile and longest.
void BM_MapPassesWhileZooming(benchmark::State &state, UniverseShape shape)
{
    for (auto _ : state) {
        LiveApp &app = freshMap(shape);
        LiveMap map(*app.mapView());
        GuiThreadPasses all;
        int notches = 0;
        const auto phase = [&](const char *name, const std::function<void()> &run) {
            const GuiThreadPasses passes;
            run();
            state.counters[std::string(name) + "_p95_ms"] = passes.percentile95();
            state.counters[std::string(name) + "_max_ms"] = passes.longest();
            state.counters[std::string(name) + "_passes"] = double(passes.count());
        };
        phase("in", [&] { notches = map.zoom(1, map.at(0.6, 0.45)); });
        phase("out", [&] { map.zoom(-1, map.at(0.35, 0.45), LiveMap::Pace::brisk, notches / 2); });
        phase("glide", [&] {
            QPushButton *fit = app.mapView()->fitButton();
            DrivenLoop::post(fit, [fit] { fit->click(); });
            DrivenLoop::runUntil([&] { return map.gliding(); });
            map.runUntilSharp();
        });
        state.SetIterationTime(all.longest() / 1e3);
        state.counters["notches_in"] = notches;
        state.counters["passes"] = double(all.count());
        reportPasses(state, all);
    }
}

// Three cycles alike, each of three dives from the fitted view to the ceiling and back
// out to the fitted scale, about three places of the map (the middle, the lower right
// and the upper left), every notch given once the view is sharp after the one before,
// so that every zoom step on the way is drawn whole: the resident memory at the start,
// after each cycle and after malloc_trim(0) at the end, and the file's size beside them.
void BM_MapMemoryOverZoomCycles(benchmark::State &state, UniverseShape shape)
{
    for (auto _ : state) {
        LiveApp &app = freshMap(shape);
        LiveMap map(*app.mapView());
        state.counters["rss_start_MB"] = residentMB();
        const LiveClock::time_point start = LiveClock::now();
        for (int cycle = 1; cycle <= 3; ++cycle) {
            for (const QPointF place : {QPointF(0.6, 0.45), QPointF(0.75, 0.75), QPointF(0.3, 0.25)}) {
                map.zoom(1, map.at(place.x(), place.y()), LiveMap::Pace::stepwise);
                map.zoom(-1, map.at(place.x(), place.y()), LiveMap::Pace::stepwise);
            }
            DrivenLoop::runFor(500);
            state.counters["rss_cycle" + std::to_string(cycle) + "_MB"] = residentMB();
        }
        state.SetIterationTime(millisecondsSince(start) / 1e3);
        malloc_trim(0);
        state.counters["rss_trimmed_MB"] = residentMB();
        const double file = savedUniverse(shape).fileMB;
        state.counters["file_MB"] = file;
        state.counters["rss_to_file"] = state.counters["rss_cycle3_MB"] / file;
        state.counters["load"] = loadAverage();
    }
}

} // namespace

LIVE_BENCHMARK(BM_MapSharpAfterNotch, 40);
LIVE_BENCHMARK(BM_MapSharpAfterUniverseOpens, 10);
LIVE_BENCHMARK(BM_MapPassesWhileZooming, 5);
BENCHMARK_CAPTURE(BM_MapMemoryOverZoomCycles, chartedSpace, UniverseShape::chartedSpace)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_MapMemoryOverZoomCycles, fiftyThousandWithMapRecords,
                  UniverseShape::fiftyThousandWithMapRecords)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
