// Reading and converting Traveller Map answers: one full sector of 440 worlds, and a
// block of 16 sectors with their metadata, as a large import would bring them. Then a
// whole import of one sector from a loopback service: the download alone, and the
// parse, conversion and apply into a universe of 10,000 systems.
#include "LoopbackService.h"
#include "SyntheticSector.h"
#include "import/ImportConversion.h"
#include "import/ImportedRoute.h"
#include "import/ImportedWorld.h"
#include "import/MetadataLabels.h"
#include "import/SectorMetadata.h"
#include "import/SectorTable.h"
#include "import/StarsColumn.h"
#include "import/TravellerMapClient.h"
#include "universe/StarfarerUniverse.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QTemporaryDir>

#include <algorithm>
#include <memory>

#include <benchmark/benchmark.h>

using namespace TravellerMapImporter;

namespace {

int convertSector(const QString &text, SectorPosition sector, const AllegianceTable &allegiances)
{
    int made = 0;
    for (const SectorRow &row : parseTabDelimited(text))
        made += makeWorld(row, sector, allegiances).has_value();
    return made;
}

void BM_ImportOneSector(benchmark::State &state)
{
    const QString text = sectorText(440);
    for (auto _ : state)
        benchmark::DoNotOptimize(convertSector(text, SectorPosition{-4, 1}, {}));
    state.SetItemsProcessed(int64_t(state.iterations()) * 440);
}
BENCHMARK(BM_ImportOneSector)->Unit(benchmark::kMillisecond);

void BM_ImportSixteenSectorBlock(benchmark::State &state)
{
    QList<QString> sectors;
    for (int i = 0; i < 16; ++i)
        sectors.append(sectorText(440));
    const QByteArray metadata = metadataBody();
    for (auto _ : state) {
        int made = 0;
        for (int i = 0; i < 16; ++i) {
            const SectorPosition position{i % 4, -(i / 4)};
            made += convertSector(sectors[i], position, {});
            const auto meta = SectorMetadata::decode(metadata);
            made += int(importedRoutes(meta->routes, position).size());
            made += int(importedLabels(meta->labels, position).size());
            made += int(subsectorNameLabels(meta->subsectors, position).size());
        }
        benchmark::DoNotOptimize(made);
    }
    state.SetItemsProcessed(int64_t(state.iterations()) * 16 * 440);
}
BENCHMARK(BM_ImportSixteenSectorBlock)->Unit(benchmark::kMillisecond);

// The four answers of a sector import.
QHash<QByteArray, QByteArray> sectorAnswers()
{
    return {{"/api/coordinates", R"({"sx": -4, "sy": -1})"},
            {"/t5ss/allegiances", R"([{"Code": "ImDd", "Name": "Domain of Deneb"}])"},
            {"/api/sec", sectorText(440).toUtf8()},
            {"/api/metadata", metadataBody()}};
}

ImportRequest wholeSector()
{
    ImportRequest request;
    request.sectorName = QStringLiteral("Bench");
    request.milieu = QStringLiteral("M1105");
    return request;
}

// 10,000 systems in the sectors east of the imported one.
QList<HexData> tenThousandSystems()
{
    QList<HexData> data;
    for (int i = 0; i < 10000; ++i) {
        HexData hex;
        hex.id = QUuid::createUuid();
        hex.coordinates = GalacticCoordinates{i / 1280, 0, i % 32 + 1, (i % 1280) / 32 + 1};
        hex.starSystem.name = QStringLiteral("System %1").arg(i);
        hex.starSystem.stars = {defaultStar()};
        data.append(hex);
    }
    return data;
}

// The requests only: from the first request to the last answer in, one after
// another as an import sends them.
void BM_ImportDownloadSector(benchmark::State &state)
{
    LoopbackService service(sectorAnswers());
    QNetworkAccessManager network;
    const TravellerMapClient client(&network, service.base());
    const QString name = QStringLiteral("Bench");
    const QString milieu = QStringLiteral("M1105");
    const auto await = [](ServiceReply *sent) {
        const std::unique_ptr<ServiceReply> reply(sent);
        QEventLoop loop;
        QObject::connect(reply.get(), &ServiceReply::finished, &loop, &QEventLoop::quit);
        loop.exec();
        return reply->answer().body.size();
    };
    for (auto _ : state) {
        qsizetype bytes = await(client.requestCoordinates(name, milieu, nullptr));
        bytes += await(client.requestAllegiances(nullptr));
        bytes += await(client.requestSector(name, {}, milieu, nullptr));
        bytes += await(client.requestMetadata(name, milieu, nullptr));
        benchmark::DoNotOptimize(bytes);
    }
}
BENCHMARK(BM_ImportDownloadSector)->Unit(benchmark::kMillisecond);

// Everything after the download: reading and converting the answers (worker) and
// applying them (GUI thread) into 10,000 stored systems; the iteration time is these
// together. The apply counters are what the GUI thread is blocked for, and save_call_ms
// what the call to save() takes there.
void BM_ImportParseConvertApply(benchmark::State &state)
{
    LoopbackService service(sectorAnswers());
    ImportAnswers answers;
    answers.sectorName = QStringLiteral("Bench");
    answers.sector = SectorPosition{-4, 1};
    answers.allegiances = service.answer("/t5ss/allegiances");
    answers.sectorData = ServiceAnswer{service.answer("/api/sec"), true};
    answers.metadata = service.answer("/api/metadata");
    const QList<HexData> stored = tenThousandSystems();
    QTemporaryDir documents;
    double convertTime = 0, applyTime = 0, applyMax = 0, saveCall = 0;
    for (auto _ : state) {
        StarfarerUniverse universe{UniverseFolder(documents.path())};
        universe.setData(stored);
        QElapsedTimer timer;
        timer.start();
        const ConvertedImport converted = convert(wholeSector(), answers, StoredMapObjects::of(universe));
        const double convertedAt = double(timer.nsecsElapsed()) / 1e6;
        benchmark::DoNotOptimize(apply(universe, wholeSector(), converted));
        const double appliedAt = double(timer.nsecsElapsed()) / 1e6;
        universe.save();
        const double total = double(timer.nsecsElapsed()) / 1e6;
        state.SetIterationTime(appliedAt / 1000.0);
        convertTime += convertedAt;
        applyTime += appliedAt - convertedAt;
        applyMax = std::max(applyMax, appliedAt - convertedAt);
        saveCall += total - appliedAt;
        universe.waitForPendingSave();
    }
    const double n = double(state.iterations());
    state.counters["convert_ms"] = convertTime / n;
    state.counters["apply_ms"] = applyTime / n;
    state.counters["apply_max_ms"] = applyMax;
    state.counters["save_call_ms"] = saveCall / n;
}
BENCHMARK(BM_ImportParseConvertApply)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace
