// Resident memory of a loaded universe of generated systems, and over many
// edit-and-save cycles. Run one size at a time in its own process
// (--benchmark_filter) so that the figures are this process's alone: the file is
// generated first and everything the generator used is given back before the
// universe is read.
#include "ProcessFigures.h"
#include "SyntheticSystems.h"
#include "universe/StarfarerUniverse.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <malloc.h>

#include <algorithm>
#include <map>
#include <memory>

namespace {

struct Shelf
{
    QTemporaryDir documents;
    QString path;
    UniverseFolder folder() const { return UniverseFolder(documents.path()); }
};

// A saved universe of `count` generated systems, made once per size. The generator's
// memory is handed back to the system afterwards, so that it does not count.
Shelf &shelf(int count)
{
    static std::map<int, std::unique_ptr<Shelf>> shelves;
    auto &slot = shelves[count];
    if (!slot) {
        slot = std::make_unique<Shelf>();
        {
            StarfarerUniverse universe(slot->folder());
            universe.setData(syntheticSystems(count));
            universe.saveNow();
            slot->path = universe.filePath();
        }
        malloc_trim(0);
    }
    return *slot;
}

void reportFile(benchmark::State &state, const Shelf &shelf)
{
    state.counters["file_MB"] = double(QFile(shelf.path).size()) / (1024.0 * 1024.0);
}

void BM_ResidentAfterLoad(benchmark::State &state)
{
    Shelf &s = shelf(int(state.range(0)));
    const double before = residentMB();
    std::unique_ptr<StarfarerUniverse> universe;
    for (auto _ : state)
        universe = StarfarerUniverse::readFile(s.path, s.folder());
    state.counters["resident_MB"] = residentMB();
    state.counters["loaded_MB"] = residentMB() - before;
    reportFile(state, s);
}

// Each iteration renames one system and saves, waiting for the write: the resident
// size after the last cycle against the size right after loading.
void BM_ResidentOverEditAndSaveCycles(benchmark::State &state)
{
    Shelf &s = shelf(int(state.range(0)));
    const auto universe = StarfarerUniverse::readFile(s.path, s.folder());
    const double afterLoad = residentMB();
    double highest = afterLoad;
    HexData hex = universe->data().at(universe->data().size() / 2);
    int edit = 0;
    for (auto _ : state) {
        hex.starSystem.name = QStringLiteral("Renamed %1").arg(++edit);
        universe->replaceHex(hex);
        universe->saveNow();
        highest = std::max(highest, residentMB());
    }
    const double afterCycles = residentMB();
    state.counters["resident_after_load_MB"] = afterLoad;
    state.counters["resident_after_cycles_MB"] = afterCycles;
    state.counters["resident_highest_MB"] = highest;
    state.counters["growth_percent"] = 100.0 * (afterCycles - afterLoad) / afterLoad;
    reportFile(state, s);
}

} // namespace

BENCHMARK(BM_ResidentAfterLoad)->Arg(10000)->Arg(50000)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ResidentOverEditAndSaveCycles)
    ->Arg(10000)
    ->Arg(50000)
    ->Iterations(100)
    ->Unit(benchmark::kMillisecond);
