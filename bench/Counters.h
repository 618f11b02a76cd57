// A series of figures reported as two counters of the benchmark: its median and
// its worst (the largest), named prefix + "median" + suffix and prefix + "worst" + suffix.
#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

namespace zynbench {

inline void ReportMedianWorst(benchmark::State& state, std::vector<double> values, const std::string& prefix,
                              const std::string& suffix)
{
    if (values.empty())
        return;
    std::sort(values.begin(), values.end());
    state.counters[prefix + "median" + suffix] = values[values.size() / 2];
    state.counters[prefix + "worst" + suffix] = values.back();
}

} // namespace zynbench
