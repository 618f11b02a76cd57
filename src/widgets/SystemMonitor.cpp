#include "SystemMonitor.h"

#include <algorithm>

namespace {

const int DialFrames = 24;

// The growth of a counter; a counter that went back (the kernel's iowait can) grew by nothing.
uint64_t Growth(uint64_t before, uint64_t after)
{
    return after > before ? after - before : 0;
}

} // namespace

int ComputeCpuUsage(const zplat::CpuTimes& previous, const zplat::CpuTimes& current)
{
    const uint64_t idle = Growth(previous.idle, current.idle);
    const uint64_t total = Growth(previous.kernel, current.kernel) + Growth(previous.user, current.user);
    if (total == 0)
        return 0;
    const uint64_t busy = total > idle ? total - idle : 0;
    return static_cast<int>(busy * 100 / total);
}

MemoryFigures ComputeMemoryFigures(const zplat::MemoryStatus& memory)
{
    MemoryFigures figures;
    figures.totalMB = static_cast<int>(memory.totalBytes >> 20);
    figures.usedMB = static_cast<int>((memory.totalBytes - std::min(memory.availableBytes, memory.totalBytes)) >> 20);
    return figures;
}

int DialEntry(const int& usage)
{
    return std::clamp(usage >> 2, 0, DialFrames - 1);
}

wxString MemoryUsageText(const int& usedMB, const int& totalMB)
{
    if (usedMB <= 0 || totalMB <= 0)
        return "Memory Usage: ---- / ---- mb";
    return wxString::Format("Memory Usage: %d / %d mb", usedMB, totalMB);
}

wxString UsageDigits(const int& usage)
{
    return wxString::Format("%s%d", usage <= 9 ? "0" : "", usage);
}
