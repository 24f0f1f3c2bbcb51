// The hex pickers' searchable list of systems over a universe of many systems: filling
// it as it opens, and narrowing it by one keystroke of search.
#include "SyntheticSystems.h"
#include "editors/ui/SystemEntryFilter.h"
#include "editors/ui/SystemEntryModel.h"
#include "universe/StarfarerUniverse.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

struct Universe
{
    QTemporaryDir documents;
    StarfarerUniverse universe{UniverseFolder(documents.path())};

    explicit Universe(int systems) { universe.setData(syntheticSystems(systems)); }
};

void BM_SystemPickerOpen(benchmark::State &state)
{
    Universe shown(int(state.range(0)));
    SystemEntryModel model;
    for (auto _ : state) {
        model.fill(shown.universe);
        benchmark::DoNotOptimize(model.rowCount());
        model.clear();
    }
}

void BM_SystemPickerSearchKeystroke(benchmark::State &state)
{
    Universe shown(int(state.range(0)));
    SystemEntryModel model;
    model.fill(shown.universe);
    SystemEntryFilter narrowed(&model);
    bool longer = false;
    for (auto _ : state) {
        narrowed.setSearchText(longer ? QStringLiteral("system 12") : QStringLiteral("system 1"));
        longer = !longer;
        benchmark::DoNotOptimize(narrowed.rowCount());
    }
}

} // namespace

BENCHMARK(BM_SystemPickerOpen)->Arg(1000)->Arg(10000)->Arg(50000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SystemPickerSearchKeystroke)->Arg(1000)->Arg(10000)->Arg(50000)->Unit(benchmark::kMillisecond);
