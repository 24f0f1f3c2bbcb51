// The star map of the running program (LiveApp: the main window at 1920 × 1080 with
// every listener alive) on the two shapes of universe, driven by posted wheel events
// and sidebar clicks as a user drives it; times are wall times on the GUI thread's
// clock. Each repetition starts on a map screen made afresh, so that no tile, picture
// or text layout drawn before helps: caches are cold as a user meets them after
// opening the map. Counters: longest_pass_ms and p95_pass_ms, the GUI thread's event
// loop passes (GuiThreadPasses); load, the machine's one-minute load average.
//
// BM_MapMemoryOverZoomCycles reports the process's resident memory: run it alone in
// its process (--benchmark_filter) so that nothing else measured before counts.
#include "DrivenLoop.h"
#include "LiveApp.h"
#include "LiveBenchmarks.h"
#include "LiveMap.h"
#include "SavedUniverses.h"
#include "starmap/ui/StarMapCanvas.h"
#include "starmap/ui/StarMapView.h"

#include <QPushButton>

#include <malloc.h>

#include <functional>
#include <string>

namespace {

// The map screen made afresh (by way of another screen) and sharp at the fitted view.
LiveApp &freshMap(UniverseShape shape)
{
    LiveApp &app = LiveApp::of(shape);
    app.showPage(DestinationKind::generator);
    app.showPage(DestinationKind::starmap);
    return app;
}

// One notch in about the middle of a fitted map: the time until the view is sharp.
void BM_MapSharpAfterNotch(benchmark::State &state, UniverseShape shape)
{
    for (auto _ : state) {
        LiveMap map(*freshMap(shape).mapView());
        const GuiThreadPasses passes;
        const int paints = map.paints();
        const LiveClock::time_point start = LiveClock::now();
        map.postNotch(1, map.at(0.5, 0.5));
        if (!DrivenLoop::runUntil([&] { return map.sharpSince(paints); }))
            state.SkipWithError("the map did not become sharp");
        state.SetIterationTime(millisecondsSince(start) / 1e3);
        reportPasses(state, passes);
    }
}

// From another screen, a click on the sidebar's "Star Map": the time until the map is
// sharp; first_paint_ms until its first picture (stand-ins and all).
void BM_MapSharpAfterOpening(benchmark::State &state, UniverseShape shape)
{
    LiveApp &app = LiveApp::of(shape);
    for (auto _ : state) {
        app.showPage(DestinationKind::generator);
        const GuiThreadPasses passes;
        const LiveClock::time_point start = LiveClock::now();
        app.clickRow(DestinationKind::starmap);
        if (!DrivenLoop::runUntil([&] { return app.mapView() && app.pagePainted(); }))
            state.SkipWithError("the map was not shown");
        const double firstPaint = millisecondsSince(start);
        LiveMap map(*app.mapView());
        if (!map.canvas().frameCache().isSharp() && !DrivenLoop::runUntil([&] { return map.sharpSince(0); }))
            state.SkipWithError("the map did not become sharp");
        state.SetIterationTime(millisecondsSince(start) / 1e3);
        state.counters["first_paint_ms"] = firstPaint;
        reportPasses(state, passes);
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

LIVE_BENCHMARK(BM_MapSharpAfterNotch, 10);
LIVE_BENCHMARK(BM_MapSharpAfterOpening, 10);
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
