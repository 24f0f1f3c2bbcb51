// The main window of the running program (LiveApp) on the two shapes of universe:
// switching to the big universe in the universe menu, opening the Systems list (the
// first time after its universe opened, and again), and going from screen to screen
// in the sidebar, each as the user does it (posted menu choices and clicks). Times
// are wall times; the counters give the GUI thread's event-loop passes meanwhile
// (longest_pass_ms, p95_pass_ms) and the machine's load.
#include "DrivenLoop.h"
#include "LiveApp.h"
#include "LiveBenchmarks.h"
#include "LiveMap.h"
#include "starmap/ui/StarMapView.h"
#include "universe/UniverseManager.h"

#include <QWidget>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

namespace {

// With the small universe open, the shape's universe chosen in the universe menu: the
// time until it is the open one; shown_ms until its map is sharp, and the passes of
// the GUI thread until then.
void BM_SwitchToUniverse(benchmark::State &state, UniverseShape shape)
{
    LiveApp &app = LiveApp::of(shape);
    for (auto _ : state) {
        app.openUniverse(app.smallID());
        const GuiThreadPasses passes;
        const LiveClock::time_point start = LiveClock::now();
        app.chooseUniverse(app.shapeID());
        if (!DrivenLoop::runUntil([&] { return app.manager().current()->id() == app.shapeID(); }))
            state.SkipWithError("the universe did not open");
        state.SetIterationTime(millisecondsSince(start) / 1e3);
        if (!DrivenLoop::runUntil([&] { return app.mapView() && app.pagePainted(); }) ||
            !LiveMap(*app.mapView()).runUntilSharp())
            state.SkipWithError("the map was not shown");
        state.counters["shown_ms"] = millisecondsSince(start);
        state.counters["passes_over_50ms"] = double(passes.countOver(50));
        reportPasses(state, passes);
    }
}

// The universe opened afresh (from the small one) and its map sharp, a click on
// "Systems": the time until the list is painted, as the user first meets it. The
// counters add the GUI thread's CPU time until then (gui_cpu_ms) and the longest pass
// until every row is laid out and the list settled (settled_longest_pass_ms).
void BM_FirstOpeningOfSystemsList(benchmark::State &state, UniverseShape shape)
{
    LiveApp &app = LiveApp::of(shape);
    for (auto _ : state) {
        app.reopen();
        const QWidget *before = app.page();
        const GuiThreadPasses passes;
        const double cpu = threadCpuMilliseconds();
        const LiveClock::time_point start = LiveClock::now();
        app.clickRow(DestinationKind::systems);
        if (!DrivenLoop::runUntil([&] { return app.page() != before && app.pagePainted(); }))
            state.SkipWithError("the list was not shown");
        state.SetIterationTime(millisecondsSince(start) / 1e3);
        state.counters["gui_cpu_ms"] = threadCpuMilliseconds() - cpu;
        reportPasses(state, passes);
        app.settle();
        state.counters["settled_longest_pass_ms"] = passes.longest();
    }
}

// From the System Generator, a click on "Systems": the time until the list is painted.
void BM_OpenSystemsList(benchmark::State &state, UniverseShape shape)
{
    LiveApp &app = LiveApp::of(shape);
    for (auto _ : state) {
        app.showPage(DestinationKind::generator);
        const QWidget *before = app.page();
        const GuiThreadPasses passes;
        const LiveClock::time_point start = LiveClock::now();
        app.clickRow(DestinationKind::systems);
        if (!DrivenLoop::runUntil([&] { return app.page() != before && app.pagePainted(); }))
            state.SkipWithError("the list was not shown");
        state.SetIterationTime(millisecondsSince(start) / 1e3);
        reportPasses(state, passes);
        app.settle();
    }
}

// Three rounds of Systems, Star Map and a third screen in the sidebar, each screen
// left to settle (the map sharp) before the next click: a switch lasts from the click
// until the new screen is painted. The time is the median switch; the counters give
// the 95th percentile and the longest switch, the median switch to each screen and
// the longest pass of the GUI thread during the switches.
void switchPages(benchmark::State &state, UniverseShape shape, DestinationKind third,
                 const std::string &thirdName)
{
    const std::map<DestinationKind, std::string> screens = {{DestinationKind::systems, "to_list_ms"},
                                                            {DestinationKind::starmap, "to_map_ms"},
                                                            {third, thirdName}};
    LiveApp &app = LiveApp::of(shape);
    for (auto _ : state) {
        app.showPage(third);
        std::vector<double> switches;
        std::map<DestinationKind, std::vector<double>> byScreen;
        double longestPass = 0;
        for (int round = 0; round < 3; ++round) {
            for (const auto &[kind, name] : screens) {
                const QWidget *before = app.page();
                const GuiThreadPasses passes;
                const LiveClock::time_point start = LiveClock::now();
                app.clickRow(kind);
                if (!DrivenLoop::runUntil([&] { return app.page() != before && app.pagePainted(); }))
                    state.SkipWithError("the screen was not shown");
                switches.push_back(millisecondsSince(start));
                byScreen[kind].push_back(switches.back());
                longestPass = std::max(longestPass, passes.longest());
                app.settle();
            }
        }
        state.SetIterationTime(lowerMedian(switches) / 1e3);
        state.counters["switch_p95_ms"] = percentile95(switches);
        state.counters["switch_max_ms"] = *std::max_element(switches.cbegin(), switches.cend());
        for (const auto &[kind, name] : screens)
            state.counters[name] = lowerMedian(byScreen[kind]);
        state.counters["longest_pass_ms"] = longestPass;
        state.counters["load"] = loadAverage();
    }
}

// The third screen is the Rutters list, kept like the list and the map while its
// universe stays open.
void BM_SwitchPages(benchmark::State &state, UniverseShape shape)
{
    switchPages(state, shape, DestinationKind::rutters, "to_rutters_ms");
}

// The third screen is the System Generator, whose cost does not grow with the universe.
void BM_SwitchPagesWithGenerator(benchmark::State &state, UniverseShape shape)
{
    switchPages(state, shape, DestinationKind::generator, "to_generator_ms");
}

} // namespace

LIVE_BENCHMARK(BM_SwitchToUniverse, 5);
LIVE_BENCHMARK(BM_FirstOpeningOfSystemsList, 10);
LIVE_BENCHMARK(BM_OpenSystemsList, 10);
LIVE_BENCHMARK(BM_SwitchPages, 5);
LIVE_BENCHMARK(BM_SwitchPagesWithGenerator, 5);
