// Sorting universe names the way the store lists them.
#include "model/NaturalOrder.h"

#include <QList>
#include <QString>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>

namespace {

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

} // namespace

BENCHMARK(BM_SortNamesByComparison)->Arg(50000)->Unit(benchmark::kMillisecond);
