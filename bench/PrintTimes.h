// The plain benches (a main of their own, no benchmark library) time a few runs
// of one step and print the median and the worst.
#pragma once

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace zynbench {

using Clock = std::chrono::steady_clock;

inline double MsSince(Clock::time_point since)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - since).count();
}

inline void PrintTimes(const char* what, std::vector<double> ms)
{
    if (ms.empty())
        return;
    std::sort(ms.begin(), ms.end());
    std::printf("  %s: median %.1f ms, worst %.1f ms over %zu runs\n", what, ms[ms.size() / 2], ms.back(), ms.size());
}

} // namespace zynbench
