// The settings file on a busy disk (SettingsDisk, each write taking a second) as a
// quick run of choices leaves it: six universes remembered, one every 100 ms, as the
// store remembers each universe the user opens. The time is from the last choice until
// the file names that universe (a start after a kill before then opens an older one);
// ended_ms, until the store's end has waited for its settings' worker, which holds the
// folder's lock until then, so that a new start meanwhile says Vostrel is already
// running.
#include "RepetitionStatistics.h"
#include "SettingsDisk.h"
#include "universe/UniverseManager.h"
#include "json/Json.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <chrono>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

double millisecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

void BM_RememberAfterQuickChoices(benchmark::State &state)
{
    for (auto _ : state) {
        QTemporaryDir documents;
        QSettings settings(documents.filePath(QStringLiteral("settings.bench")), SettingsDisk::format());
        SettingsDisk::setWriteLatency(std::chrono::seconds(1));
        Clock::time_point chosen;
        {
            // Only its settings' worker is used: nothing of the folder is read.
            UniverseManager store(UniverseFolder(documents.path()), &settings);
            QUuid last;
            for (int i = 0; i < 6; ++i) {
                last = QUuid::createUuid();
                chosen = Clock::now();
                store.storeLastUniverseID(last);
                std::this_thread::sleep_for(std::chrono::milliseconds(100));
            }
            while (SettingsDisk::lastWritten(UniverseManager::kLastUniverseIDKey).toString() !=
                   uuidText(last))
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            state.SetIterationTime(millisecondsSince(chosen) / 1e3);
        }
        state.counters["ended_ms"] = millisecondsSince(chosen);
        SettingsDisk::setWriteLatency(std::chrono::milliseconds(0));
    }
}

} // namespace

BENCHMARK(BM_RememberAfterQuickChoices)->UseManualTime()->Apply([](auto *b) { oneRunPerRepetition(b, 5); });
