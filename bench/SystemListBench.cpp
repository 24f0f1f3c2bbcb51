// The system list's model over a universe of many systems: building it after a load,
// one keystroke of search, switching the sort order, and following one system's edit;
// the first search or sort by a name on a list just opened (when the search texts and
// the keys of names are made); and painting one row, whatever the length of its texts.
#include "DrivenLoop.h"
#include "RepetitionStatistics.h"
#include "SyntheticSystems.h"
#include "screens/SystemListModel.h"
#include "screens/SystemListProxy.h"
#include "screens/ui/SystemRowDelegate.h"
#include "universe/StarfarerUniverse.h"

#include <QImage>
#include <QPainter>
#include <QStyleOptionViewItem>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <chrono>
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

// A list opened on the universe: the time until its search texts (search_texts_ms),
// then its names with the rows in each order of names, are made ahead of need, off
// the GUI thread.
void BM_SystemListKeysMadeAhead(benchmark::State &state)
{
    StarfarerUniverse &universe = universeOf(int(state.range(0)));
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        const auto since = [&start] {
            return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count();
        };
        SystemListModel source(&universe);
        if (!DrivenLoop::runUntil([&] { return !source.isMakingSearchTexts(); }))
            state.SkipWithError("no search texts");
        state.counters["search_texts_ms"] = since();
        if (!DrivenLoop::runUntil([&] { return !source.isMakingOrder(SystemSort::name); }))
            state.SkipWithError("no names");
        state.SetIterationTime(since() / 1e3);
    }
}

// The first search (use 0), or the first sort by name (1) or by main world (2), on a
// list just opened.
void BM_SystemListFirstUse(benchmark::State &state)
{
    StarfarerUniverse &universe = universeOf(int(state.range(0)));
    std::unique_ptr<SystemListModel> source;
    std::unique_ptr<SystemListProxy> model;
    for (auto _ : state) {
        // The list of the previous round goes, and a new one is opened, untimed.
        state.PauseTiming();
        model.reset();
        source = std::make_unique<SystemListModel>(&universe);
        model = std::make_unique<SystemListProxy>(source.get());
        state.ResumeTiming();
        if (state.range(1) == 0)
            model->setSearchText(QStringLiteral("ka"));
        else
            model->setSortOrder(state.range(1) == 1 ? SystemSort::name : SystemSort::mainWorld);
        benchmark::DoNotOptimize(model->rowCount());
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

// One row whose system name, notes, and every world's name and notes are `range(0)`
// characters long, painted into a picture: the same lines whatever the length.
void BM_SystemListRowPaint(benchmark::State &state)
{
    QTemporaryDir documents;
    StarfarerUniverse universe{UniverseFolder(documents.path())};
    QList<HexData> data = syntheticSystems(1);
    const QString text(state.range(0), u'W');
    HexData &hex = data.first();
    hex.starSystem.name = hex.notes = text;
    for (Star &star : hex.starSystem.stars) {
        for (WorldData &world : star.worlds)
            world.name = world.notes = text;
    }
    universe.setData(data);
    SystemListModel model(&universe);
    const QModelIndex row = model.index(0, 0);
    SystemRowDelegate delegate;
    QStyleOptionViewItem option;
    // A row as wide as a list that shows every column.
    option.rect = QRect(0, 0, SystemRowDelegate::rowWidth(), delegate.sizeHint(option, row).height());
    QImage picture(option.rect.size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        QPainter painter(&picture);
        delegate.paint(&painter, option, row);
    }
}

} // namespace

BENCHMARK(BM_SystemListRowPaint)
    ->Arg(6)
    ->Arg(1'000'000)
    ->Repetitions(20)
    ->Apply(addRepetitionStatistics)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SystemListBuild)->Arg(10000)->Arg(50000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SystemListSearchKeystroke)->Arg(10000)->Arg(50000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SystemListSortSwitch)->Arg(10000)->Arg(50000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SystemListFirstUse)
    ->ArgsProduct({{10000, 50000}, {0, 1, 2}})
    ->ArgNames({"systems", "use"})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SystemListKeysMadeAhead)
    ->Arg(10000)
    ->Arg(50000)
    ->UseManualTime()
    ->Iterations(1)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true)
    ->Apply(addRepetitionStatistics)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SystemListEditOne)->Arg(10000)->Arg(50000)->Unit(benchmark::kMillisecond);
