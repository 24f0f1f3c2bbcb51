// Loading and saving whole universes of generated systems, beside plain QJsonDocument
// parsing and writing of the same bytes for comparison.
#include "model/StarSystemGeneration.h"
#include "universe/StarfarerUniverse.h"

#include <QFile>
#include <QJsonDocument>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

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
        QList<HexData> data;
        data.reserve(count);
        for (int i = 0; i < count; ++i) {
            HexData hex;
            hex.id = QUuid::createUuid();
            const int inSector = i % (32 * 40);
            hex.coordinates.sectorX = i / (32 * 40);
            hex.coordinates.column = inSector % 32 + 1;
            hex.coordinates.row = inSector / 32 + 1;
            hex.starSystem = generateStarSystem(std::nullopt, i % 3 == 0, TechnologyLevel::ttl15, true);
            hex.starSystem.name = QStringLiteral("System %1").arg(i);
            data.append(hex);
        }
        slot->universe->setData(data);
        slot->universe->saveNow();
        slot->path = slot->universe->filePath();
        QFile file(slot->path);
        file.open(QIODevice::ReadOnly);
        slot->bytes = file.readAll();
    }
    return *slot;
}

void reportSize(benchmark::State &state, const Fixture &f)
{
    state.counters["file_MB"] = double(f.bytes.size()) / (1024.0 * 1024.0);
    state.SetBytesProcessed(int64_t(state.iterations()) * f.bytes.size());
}

void BM_UniverseLoad(benchmark::State &state)
{
    Fixture &f = fixture(int(state.range(0)));
    for (auto _ : state) {
        auto universe = StarfarerUniverse::readFile(f.path, f.universe->folder());
        benchmark::DoNotOptimize(universe.get());
    }
    reportSize(state, f);
}

void BM_PlainJsonParse(benchmark::State &state)
{
    Fixture &f = fixture(int(state.range(0)));
    for (auto _ : state) {
        QFile file(f.path);
        file.open(QIODevice::ReadOnly);
        const QJsonDocument document = QJsonDocument::fromJson(file.readAll());
        benchmark::DoNotOptimize(document.isObject());
    }
    reportSize(state, f);
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

} // namespace

BENCHMARK(BM_UniverseLoad)->Arg(1000)->Arg(10000)->Arg(50000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainJsonParse)->Arg(1000)->Arg(10000)->Arg(50000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UniverseSave)->Arg(1000)->Arg(10000)->Arg(50000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainJsonToJson)->Arg(1000)->Arg(10000)->Arg(50000)->Unit(benchmark::kMillisecond);
