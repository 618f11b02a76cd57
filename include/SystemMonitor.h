// The system monitor: a launcher icon on the desktop that opens an information
// panel with the processor use on a 24-step dial and the physical memory in
// use, refreshed every second while the panel is open.
#pragma once

#include <wx/string.h>

#include "zplat/SystemInfo.h"

// Processor use in percent (0 to 100) between two samples; 0 when no time passed.
int ComputeCpuUsage(const zplat::CpuTimes& previous, const zplat::CpuTimes& current);

struct MemoryFigures {
    int usedMB = 0;
    int totalMB = 0;
};
MemoryFigures ComputeMemoryFigures(const zplat::MemoryStatus& memory);

// The dial frame (0 to 23) for a usage: one more lit segment every 4 percent.
int DialEntry(const int& usage);
// "Memory Usage: 3072 / 4096 mb", or dashes while a figure is unknown (0 or less).
wxString MemoryUsageText(const int& usedMB, const int& totalMB);
// The usage with at least two digits: "05", "42", "100".
wxString UsageDigits(const int& usage);
