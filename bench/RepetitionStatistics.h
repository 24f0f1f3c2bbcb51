#pragma once

// Statistics over the repetitions of a benchmark (--benchmark_repetitions), beside
// Google Benchmark's mean, median and deviation: the figures the reports give. The
// same figures serve over the samples a single run takes.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <vector>

// The fastest of the repetitions: on a busy machine the least disturbed run.
inline double fastestRepetition(const std::vector<double> &times)
{
    return *std::min_element(times.cbegin(), times.cend());
}

// The time that 95 % of the repetitions took at most (nearest rank).
inline double percentile95(const std::vector<double> &times)
{
    std::vector<double> sorted = times;
    std::sort(sorted.begin(), sorted.end());
    const auto rank = std::size_t(std::ceil(0.95 * double(sorted.size())));
    return sorted[std::max<std::size_t>(rank, 1) - 1];
}

// The middle value; of an even number, the lower of the two in the middle.
inline double lowerMedian(const std::vector<double> &times)
{
    std::vector<double> sorted = times;
    std::sort(sorted.begin(), sorted.end());
    return sorted[(sorted.size() - 1) / 2];
}

inline void addRepetitionStatistics(benchmark::internal::Benchmark *benchmark)
{
    benchmark->ComputeStatistics("min", fastestRepetition)->ComputeStatistics("p95", percentile95);
}

// One timed run per repetition, `repetitions` of them, reported as their statistics
// only, in milliseconds.
inline void oneRunPerRepetition(benchmark::internal::Benchmark *benchmark, int repetitions)
{
    benchmark->Iterations(1)
        ->Repetitions(repetitions)
        ->ReportAggregatesOnly(true)
        ->Unit(benchmark::kMillisecond);
    addRepetitionStatistics(benchmark);
}
