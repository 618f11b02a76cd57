#include "zplat/SystemInfo.h"

#include <algorithm>

namespace zplat {

bool FakeSystemInfo::ReadCpuTimes(CpuTimes& times)
{
    ++cpuReads;
    if (cpuSamples.empty())
        return false;
    times = cpuSamples[std::min(cpuReads, cpuSamples.size()) - 1];
    return true;
}

bool FakeSystemInfo::ReadMemory(MemoryStatus& out)
{
    ++memoryReads;
    if (memoryOk)
        out = memory;
    return memoryOk;
}

std::optional<int> FakeSystemInfo::BatteryPercent()
{
    ++batteryReads;
    return battery;
}

} // namespace zplat
