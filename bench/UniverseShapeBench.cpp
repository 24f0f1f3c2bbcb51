// Making the universes of the two shapes the map and window benchmarks open (see
// SyntheticUniverses.h): the time it takes, and what the universe holds, as a check of
// its shape. Counters: what the universe holds; polity_pieces, the regions named after
// the polity of 15 pieces; largest_region_sectors, the sectors' worth of hexes that
// the largest region encloses; crossing_rutters, the rutters whose ends lie in two
// sectors; file_MB, the size of its file.
#include "ChartedSpaceShape.h"
#include "SyntheticUniverses.h"
#include "import/BorderTracing.h"
#include "universe/StarfarerUniverse.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>

namespace {

void countShape(benchmark::State &state, const StarfarerUniverse &universe)
{
    state.counters["systems"] = double(universe.data().size());
    state.counters["factions"] = double(universe.factions().size());
    state.counters["rutters"] = double(universe.rutters().size());
    state.counters["crossing_rutters"] = double(
        std::count_if(universe.rutters().cbegin(), universe.rutters().cend(), [](const Rutter &rutter) {
            return rutter.start.sectorX != rutter.end.sectorX || rutter.start.sectorY != rutter.end.sectorY;
        }));
    state.counters["regions"] = double(universe.regions().size());
    const QString polity = ChartedSpaceShape::fifteenPiecePolity();
    state.counters["polity_pieces"] =
        double(std::count_if(universe.regions().cbegin(), universe.regions().cend(),
                             [&polity](const Region &region) { return region.name == polity; }));
    std::size_t largest = 0;
    for (const Region &region : universe.regions()) {
        if (const auto cells = TravellerMapImporter::cellsEnclosedBy(region))
            largest = std::max(largest, cells->size());
    }
    state.counters["largest_region_sectors"] = double(largest) / (32 * 40);
    state.counters["nebulae"] = double(universe.nebulae().size());
    state.counters["labels"] = double(universe.starmapLabels().size());
    state.counters["file_MB"] = double(universe.encode().size()) / (1024.0 * 1024.0);
}

void BM_MakeUniverse(benchmark::State &state, UniverseShape shape)
{
    const QTemporaryDir documents;
    for (auto _ : state) {
        auto universe = std::make_unique<StarfarerUniverse>(UniverseFolder(documents.path()));
        fillUniverse(*universe, shape);
        state.PauseTiming();
        countShape(state, *universe);
        universe.reset(); // closing is not part of making
        state.ResumeTiming();
    }
}

} // namespace

BENCHMARK_CAPTURE(BM_MakeUniverse, chartedSpace, UniverseShape::chartedSpace)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_MakeUniverse, fiftyThousandWithMapRecords, UniverseShape::fiftyThousandWithMapRecords)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
