// The system list's model over a universe of many systems: building it after a load,
// one keystroke of search, switching the sort order, and following one system's edit.
#include "SyntheticSystems.h"
#include "screens/SystemListModel.h"
#include "screens/SystemListProxy.h"
#include "universe/StarfarerUniverse.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <map>
#include <memory>

namespace {

StarfarerUniverse &universeOf(int systems)
{
    static QTemporaryDir documents;
    static std::map<int, std::unique_ptr<StarfarerUniverse>> universes;
    auto &slot = universes[systems];
    if (!slot) {
        slot = std::make_unique<StarfarerUniverse>(UniverseFolder(documents.path()));
        slot->setData(syntheticSystems(systems));
    }
    return *slot;
}

void BM_SystemListBuild(benchmark::State &state)
{
    StarfarerUniverse &universe = universeOf(int(state.range(0)));
    for (auto _ : state) {
        SystemListModel source(&universe);
        SystemListProxy model(&source);
        benchmark::DoNotOptimize(model.rowCount());
    }
}

void BM_SystemListSearchKeystroke(benchmark::State &state)
{
    StarfarerUniverse &universe = universeOf(int(state.range(0)));
    SystemListModel source(&universe);
    SystemListProxy model(&source);
    model.setSearchText(QStringLiteral("ka"));
    bool longer = false;
    for (auto _ : state) {
        longer = !longer;
        model.setSearchText(longer ? QStringLiteral("kave") : QStringLiteral("ka"));
        benchmark::DoNotOptimize(model.rowCount());
    }
}

void BM_SystemListSortSwitch(benchmark::State &state)
{
    StarfarerUniverse &universe = universeOf(int(state.range(0)));
    SystemListModel source(&universe);
    SystemListProxy model(&source);
    bool byName = false;
    for (auto _ : state) {
        byName = !byName;
        model.setSortOrder(byName ? SystemSort::name : SystemSort::mainWorld);
        benchmark::DoNotOptimize(model.rowCount());
    }
}

// The document's replace and the model's update together, under the name order.
void BM_SystemListEditOne(benchmark::State &state)
{
    StarfarerUniverse &universe = universeOf(int(state.range(0)));
    SystemListModel source(&universe);
    SystemListProxy model(&source);
    model.setSortOrder(SystemSort::name);
    HexData hex = universe.data()[universe.data().size() / 2];
    const QString name = hex.starSystem.name;
    int edit = 0;
    for (auto _ : state) {
        hex.starSystem.name = name + QString::number(++edit % 2);
        universe.replaceHex(hex);
        benchmark::DoNotOptimize(model.rowCount());
    }
}

} // namespace

BENCHMARK(BM_SystemListBuild)->Arg(10000)->Arg(50000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SystemListSearchKeystroke)->Arg(10000)->Arg(50000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SystemListSortSwitch)->Arg(10000)->Arg(50000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SystemListEditOne)->Arg(10000)->Arg(50000)->Unit(benchmark::kMillisecond);
