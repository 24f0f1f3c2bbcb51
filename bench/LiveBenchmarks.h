#pragma once

// What the benchmarks of the running program (LiveApp) share: wall times on one clock,
// the GUI thread's passes reported alike, and each benchmark registered for both
// shapes of universe with one run per repetition. The time of a run is set by the
// benchmark; the CPU column counts the GUI thread over the whole run, its preparation
// included, and is not one of the figures.

#include "GuiThreadPasses.h"
#include "ProcessFigures.h"
#include "RepetitionStatistics.h"
#include "SyntheticUniverses.h"

#include <benchmark/benchmark.h>

#include <chrono>

using LiveClock = std::chrono::steady_clock;

inline double millisecondsSince(LiveClock::time_point start)
{
    return std::chrono::duration<double, std::milli>(LiveClock::now() - start).count();
}

// longest_pass_ms and p95_pass_ms of the GUI thread, and the machine's load.
inline void reportPasses(benchmark::State &state, const GuiThreadPasses &passes)
{
    state.counters["longest_pass_ms"] = passes.longest();
    state.counters["p95_pass_ms"] = passes.percentile95();
    state.counters["load"] = loadAverage();
}

// Times set by the benchmark (SetIterationTime), one run per repetition.
inline void liveRuns(benchmark::internal::Benchmark *benchmark, int repetitions)
{
    oneRunPerRepetition(benchmark->UseManualTime(), repetitions);
}

#define LIVE_BENCHMARK(name, repetitions)                                                                    \
    BENCHMARK_CAPTURE(name, chartedSpace, UniverseShape::chartedSpace)->Apply([](auto *b) {                  \
        liveRuns(b, repetitions);                                                                            \
    });                                                                                                      \
    BENCHMARK_CAPTURE(name, fiftyThousandWithMapRecords, UniverseShape::fiftyThousandWithMapRecords)         \
        ->Apply([](auto *b) { liveRuns(b, repetitions); })
