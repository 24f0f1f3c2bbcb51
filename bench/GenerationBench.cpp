// The generator window makes a whole system on each click, and the importer
// regenerates the worlds of every imported system: how many systems per second the
// rules produce, with the operating system's random source the product uses.

#include "model/OrbitPopulation.h"
#include "model/StarSystemGeneration.h"

#include "SeededSource.h"
#include "model/Random.h"

#include <benchmark/benchmark.h>

namespace {

void BM_GenerateStarSystem(benchmark::State &state)
{
    const bool binary = state.range(0) != 0;
    qint64 worlds = 0;
    for (auto _ : state) {
        const StarSystem system = generateStarSystem(std::nullopt, binary, TechnologyLevel::ttl15, true);
        worlds += system.totalNumberOfWorlds;
        benchmark::DoNotOptimize(system.stars.constData());
    }
    state.SetItemsProcessed(state.iterations());
    state.counters["worlds/system"] = state.iterations() ? double(worlds) / double(state.iterations()) : 0.0;
}
BENCHMARK(BM_GenerateStarSystem)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void BM_GenerateStarSystemSeededSource(benchmark::State &state)
{
    // A fast seeded source, to show how much of the time the rules themselves take
    // apart from the operating system's generator.
    SeededSource source(20240611);
    ScopedRandomSource scope(source);
    for (auto _ : state) {
        const StarSystem system = generateStarSystem(std::nullopt, true, TechnologyLevel::ttl15, true);
        benchmark::DoNotOptimize(system.stars.constData());
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_GenerateStarSystemSeededSource)->Unit(benchmark::kMicrosecond);

// "Generate Worlds" on an existing system: everything but the main world anew.
void BM_RegenerateWorlds(benchmark::State &state)
{
    const StarSystem system = generateStarSystem(std::nullopt, true, TechnologyLevel::ttl15, true);
    for (auto _ : state) {
        const StarSystem again = withGeneratedWorlds(system);
        benchmark::DoNotOptimize(again.stars.constData());
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_RegenerateWorlds)->Unit(benchmark::kMicrosecond);

} // namespace
