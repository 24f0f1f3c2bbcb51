// Starting the store and listing universes, against loading the open universe alone;
// and sorting names the way the store lists them. A count of systems of −50,000 or
// 68,000 stands for a shape of universe (SyntheticUniverses.h), of which a shelf holds
// one.
#include "ChartedSpaceShape.h"
#include "RepetitionStatistics.h"
#include "SavedUniverses.h"
#include "SyntheticSystems.h"
#include "model/NaturalOrder.h"
#include "universe/UniverseManager.h"
#include "json/Json.h"

#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <map>
#include <memory>
#include <random>

namespace {

// A documents folder holding `universes` saved universes of `systems` systems each, or
// the one universe of the shape `systems` names, the first of them remembered as the
// last one opened; made once per shape.
struct Shelf
{
    QTemporaryDir documents;
    std::unique_ptr<QSettings> settings;
    QString openPath;

    UniverseFolder folder() const
    {
        return UniverseFolder(documents.path(), documents.filePath(QStringLiteral("cache.json")));
    }
};

Shelf &shelf(int systems, int universes)
{
    static std::map<std::pair<int, int>, std::unique_ptr<Shelf>> shelves;
    auto &slot = shelves[{systems, universes}];
    if (!slot) {
        slot = std::make_unique<Shelf>();
        slot->settings = std::make_unique<QSettings>(slot->documents.filePath(QStringLiteral("settings.ini")),
                                                     QSettings::IniFormat);
        if (const std::optional<UniverseShape> shape = shapeNamedBy(systems)) {
            copySavedUniverse(*shape, slot->folder());
            slot->openPath = slot->folder().fileFor(savedUniverse(*shape).id);
            slot->settings->setValue(UniverseManager::kLastUniverseIDKey, uuidText(savedUniverse(*shape).id));
        } else {
            StarfarerUniverse universe(slot->folder());
            universe.setData(syntheticSystems(systems));
            for (int i = 0; i < universes; ++i) {
                universe.setId(QUuid::createUuid());
                universe.setName(QStringLiteral("Universe %1").arg(i));
                universe.saveNow();
                if (i == 0) {
                    slot->openPath = universe.filePath();
                    slot->settings->setValue(UniverseManager::kLastUniverseIDKey, uuidText(universe.id()));
                }
            }
        }
        slot->settings->setValue(UniverseManager::kDidMigrateKey, true);
    }
    return *slot;
}

void BM_LoadOpenUniverse(benchmark::State &state)
{
    Shelf &s = shelf(int(state.range(0)), int(state.range(1)));
    for (auto _ : state)
        benchmark::DoNotOptimize(StarfarerUniverse::readFile(s.openPath, s.folder()).get());
    state.counters["file_MB"] = double(QFileInfo(s.openPath).size()) / (1024.0 * 1024.0);
}

// Listing the folder with no cache: every file is read for its id and name.
void BM_ListingWithoutCache(benchmark::State &state)
{
    Shelf &s = shelf(int(state.range(0)), int(state.range(1)));
    for (auto _ : state)
        benchmark::DoNotOptimize(HeaderCache(QString()).list(s.folder().universesPath()).size());
}

double millisecondsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

// Times starting a new store on the shelf's folder with `settings`, each start after
// `prepare()`; start_ms is the mean start.
template <typename Prepare>
void timeStarts(benchmark::State &state, const Shelf &s, QSettings *settings, Prepare prepare)
{
    double started = 0;
    for (auto _ : state) {
        state.PauseTiming();
        prepare();
        auto manager = std::make_unique<UniverseManager>(s.folder(), settings);
        state.ResumeTiming();
        const auto start = std::chrono::steady_clock::now();
        benchmark::DoNotOptimize(manager->start());
        started += millisecondsSince(start);
        state.PauseTiming();
        state.counters["files_read"] = manager->headerCache().filesRead();
        manager.reset();
        state.ResumeTiming();
    }
    state.counters["start_ms"] = started / double(state.iterations());
}

// range(2): 1 when the header cache of the previous run is there, 0 for a first run.
// Before each start the open universe's file is read alone: read_ms is the mean read,
// to_read the mean start as a multiple of it.
void BM_StartUp(benchmark::State &state)
{
    Shelf &s = shelf(int(state.range(0)), int(state.range(1)));
    if (state.range(2))
        UniverseManager(s.folder(), s.settings.get()).start(); // the previous run
    double read = 0;
    timeStarts(state, s, s.settings.get(), [&] {
        if (!state.range(2))
            QFile::remove(s.folder().headerCachePath());
        const auto start = std::chrono::steady_clock::now();
        benchmark::DoNotOptimize(StarfarerUniverse::readFile(s.openPath, s.folder()).get());
        read += millisecondsSince(start);
    });
    state.counters["read_ms"] = read / double(state.iterations());
    state.counters["to_read"] = state.counters["start_ms"] / state.counters["read_ms"];
}

// The first start in a new home: no settings and no header cache, so that nothing is
// remembered and the universe to open is the first one listed.
void BM_StartUpInANewHome(benchmark::State &state)
{
    Shelf &s = shelf(int(state.range(0)), int(state.range(1)));
    QTemporaryDir home;
    QSettings settings(home.filePath(QStringLiteral("settings.ini")), QSettings::IniFormat);
    timeStarts(state, s, &settings, [&] {
        QFile::remove(s.folder().headerCachePath());
        settings.clear();
    });
}

// Listing 20 universes of 10,000 systems once the store has started.
void BM_ListingAfterStart(benchmark::State &state)
{
    Shelf &s = shelf(10000, 20);
    UniverseManager manager(s.folder(), s.settings.get());
    manager.start();
    for (auto _ : state)
        benchmark::DoNotOptimize(manager.loadHeaders().size());
}

// Renaming the open universe, the only one in its folder: the time the window waits,
// while the store starts the write in the background and lists the folder (the write
// is waited for outside the timing). "files_read" counts the files listing read.
void BM_RenameOpenUniverse(benchmark::State &state)
{
    Shelf &s = shelf(int(state.range(0)), 1);
    static std::map<int, std::unique_ptr<UniverseManager>> managers;
    auto &manager = managers[int(state.range(0))];
    if (!manager) {
        manager = std::make_unique<UniverseManager>(s.folder(), s.settings.get());
        manager->start();
    }
    static int renamed = 0;
    const int readBefore = manager->headerCache().filesRead();
    for (auto _ : state) {
        manager->renameCurrent(QStringLiteral("Renamed %1").arg(renamed++));
        state.PauseTiming();
        manager->current()->waitForPendingSave();
        state.ResumeTiming();
    }
    state.counters["files_read"] = manager->headerCache().filesRead() - readBefore;
}

QStringList randomNames(int count)
{
    std::mt19937 random(7);
    static const char *words[] = {"Spinward", "core", "Rimward", "trailing",
                                  "Outer",    "deep", "Marches", "void"};
    QStringList names;
    names.reserve(count);
    for (int i = 0; i < count; ++i) {
        names.append(
            QStringLiteral("%1 %2 %3")
                .arg(QString::fromLatin1(words[random() % 8]), QString::fromLatin1(words[random() % 8]))
                .arg(random() % 1000));
    }
    return names;
}

void BM_SortNamesByComparison(benchmark::State &state)
{
    const QStringList names = randomNames(int(state.range(0)));
    for (auto _ : state) {
        QStringList sorted = names;
        std::stable_sort(sorted.begin(), sorted.end(),
                         [](const QString &a, const QString &b) { return naturalCompare(a, b) < 0; });
        benchmark::DoNotOptimize(sorted.data());
    }
}

void BM_SortNamesByKey(benchmark::State &state)
{
    const QStringList names = randomNames(int(state.range(0)));
    const NaturalOrder order;
    for (auto _ : state) {
        QStringList sorted = names;
        order.sort(sorted, [](const QString &name) { return name; });
        benchmark::DoNotOptimize(sorted.data());
    }
}

} // namespace

BENCHMARK(BM_LoadOpenUniverse)
    ->Args({1000, 1})
    ->Args({10000, 1})
    ->Args({50000, 1})
    ->Args({-50000, 1})
    ->Args({ChartedSpaceShape::kSystems, 1})
    ->Apply(addRepetitionStatistics)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ListingWithoutCache)->Args({10000, 3})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StartUp)
    ->ArgsProduct({{1000, 10000}, {1, 3}, {1, 0}})
    ->Args({50000, 1, 0})
    ->Args({-50000, 1, 0})
    ->Args({ChartedSpaceShape::kSystems, 1, 0})
    ->Apply(addRepetitionStatistics)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StartUpInANewHome)
    ->Args({10000, 1})
    ->Args({50000, 1})
    ->Apply(addRepetitionStatistics)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RenameOpenUniverse)
    ->Arg(10000)
    ->Arg(50000)
    ->Iterations(1)
    ->Repetitions(5)
    ->Apply(addRepetitionStatistics)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ListingAfterStart)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortNamesByComparison)->Arg(50000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortNamesByKey)->Arg(50000)->Unit(benchmark::kMillisecond);
