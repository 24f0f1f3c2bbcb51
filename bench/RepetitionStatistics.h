#pragma once

// Statistics over the repetitions of a benchmark (--benchmark_repetitions), beside
// Google Benchmark's mean, median and deviation: the figures the reports give.

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

inline void addRepetitionStatistics(benchmark::internal::Benchmark *benchmark)
{
    benchmark->ComputeStatistics("min", fastestRepetition)->ComputeStatistics("p95", percentile95);
}
