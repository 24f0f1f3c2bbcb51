// Loading and saving whole universes of generated systems, beside the project's parser
// alone and plain QJsonDocument parsing and writing of the same bytes for comparison,
// and the cost on the editing thread of one edit and its save request.
#include "RepetitionStatistics.h"
#include "SyntheticSystems.h"
#include "universe/StarfarerUniverse.h"
#include "json/JsonParser.h"

#include <QFile>
#include <QJsonDocument>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <map>
#include <memory>

namespace {

struct Fixture
{
    QTemporaryDir documents;
    std::unique_ptr<StarfarerUniverse> universe;
    QByteArray bytes;
    QString path;
};

// One universe per size, made once: `count` generated systems laid out sector by
// sector, saved to a temporary folder.
Fixture &fixture(int count)
{
    static std::map<int, std::unique_ptr<Fixture>> fixtures;
    auto &slot = fixtures[count];
    if (!slot) {
        slot = std::make_unique<Fixture>();
        slot->universe = std::make_unique<StarfarerUniverse>(UniverseFolder(slot->documents.path()));
        slot->universe->setData(syntheticSystems(count));
        slot->universe->saveNow();
        slot->path = slot->universe->filePath();
        QFile file(slot->path);
        file.open(QIODevice::ReadOnly);
        slot->bytes = file.readAll();
    }
    return *slot;
}

// The bytes of the file's indentation: as many again would be written with four
// spaces per level instead of two.
qsizetype indentationBytes(const QByteArray &bytes)
{
    qsizetype count = 0;
    bool lineStart = true;
    for (const char c : bytes) {
        if (c == '\n')
            lineStart = true;
        else if (c == ' ' && lineStart)
            ++count;
        else
            lineStart = false;
    }
    return count;
}

void reportSize(benchmark::State &state, const Fixture &f)
{
    state.counters["file_MB"] = double(f.bytes.size()) / (1024.0 * 1024.0);
    state.counters["file_MB_4_spaces"] =
        double(f.bytes.size() + indentationBytes(f.bytes)) / (1024.0 * 1024.0);
    state.SetBytesProcessed(int64_t(state.iterations()) * f.bytes.size());
}

void BM_UniverseLoad(benchmark::State &state)
{
    Fixture &f = fixture(int(state.range(0)));
    for (auto _ : state) {
        auto universe = StarfarerUniverse::readFile(f.path, f.universe->folder());
        benchmark::DoNotOptimize(universe.get());
        state.PauseTiming();
        universe.reset(); // closing is not part of loading
        state.ResumeTiming();
    }
    reportSize(state, f);
}

// Reading the file and parsing it with `parse` alone, without making records.
template <typename Parse> void parseFile(benchmark::State &state, Parse parse)
{
    Fixture &f = fixture(int(state.range(0)));
    for (auto _ : state) {
        QFile file(f.path);
        file.open(QIODevice::ReadOnly);
        benchmark::DoNotOptimize(parse(file.readAll()));
    }
    reportSize(state, f);
}

void BM_PlainJsonParse(benchmark::State &state)
{
    parseFile(state, [](const QByteArray &bytes) { return QJsonDocument::fromJson(bytes).isObject(); });
}

// The project's own parser.
void BM_ProjectJsonParse(benchmark::State &state)
{
    parseFile(state, [](const QByteArray &bytes) { return JsonParser::parse(bytes).has_value(); });
}

// Renames the system in the middle of the universe and asks for a save, as an editor
// does; `beforeEach` runs untimed before each edit.
template <typename BeforeEach> void editAndSave(benchmark::State &state, BeforeEach beforeEach)
{
    StarfarerUniverse &universe = *fixture(int(state.range(0))).universe;
    HexData hex = universe.data().at(universe.data().size() / 2);
    int edit = 0;
    for (auto _ : state) {
        state.PauseTiming();
        beforeEach(universe);
        state.ResumeTiming();
        hex.starSystem.name = QStringLiteral("Renamed %1").arg(++edit);
        universe.replaceHex(hex);
        universe.save();
    }
    universe.waitForPendingSave(); // after the timed loop
}

// The time the editing thread spends on one edit and its save request, while earlier
// saves are written in the background.
void BM_EditAndSaveRequest(benchmark::State &state)
{
    editAndSave(state, [](StarfarerUniverse &) {});
}

// The dearest edit: the one right after a write has taken its snapshot, which copies
// the list of systems the snapshot still shares.
void BM_FirstEditDuringAWrite(benchmark::State &state)
{
    editAndSave(state, [](StarfarerUniverse &universe) {
        universe.waitForPendingSave();
        universe.save(); // the write starts on the saving thread at once
    });
}

void BM_UniverseSave(benchmark::State &state)
{
    Fixture &f = fixture(int(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(f.universe->saveNow());
    reportSize(state, f);
}

void BM_PlainJsonToJson(benchmark::State &state)
{
    Fixture &f = fixture(int(state.range(0)));
    const QJsonDocument document = QJsonDocument::fromJson(f.bytes);
    for (auto _ : state) {
        const QByteArray bytes = document.toJson(QJsonDocument::Indented);
        benchmark::DoNotOptimize(bytes.constData());
    }
    reportSize(state, f);
}

// The three sizes of universe, with the fastest and the 95th percentile of the
// repetitions beside the usual statistics.
void sizes(benchmark::internal::Benchmark *benchmark)
{
    benchmark->Arg(1000)->Arg(10000)->Arg(50000);
    addRepetitionStatistics(benchmark);
}

} // namespace

BENCHMARK(BM_UniverseLoad)->Apply(sizes)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainJsonParse)->Apply(sizes)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ProjectJsonParse)->Apply(sizes)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EditAndSaveRequest)->Apply(sizes)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FirstEditDuringAWrite)->Apply(sizes)->Iterations(3)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_UniverseSave)->Apply(sizes)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainJsonToJson)->Apply(sizes)->Unit(benchmark::kMillisecond);
