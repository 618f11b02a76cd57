// The system monitor: a launcher icon on the desktop that opens an information
// panel with the processor use on a 24-step dial and the physical memory in
// use, refreshed every second while the panel is open.
#pragma once

#include <vector>

#include <wx/string.h>
#include <wx/timer.h>

#include "Picture.h"
#include "ZynWidget.h"
#include "zplat/SystemInfo.h"

class IconItem;
class InfoPanel;
class wxMouseEvent;
class wxTimerEvent;
class wxWindow;

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

class SystemMonitor : public ZynWidget, public wxTimer {
public:
    explicit SystemMonitor(wxWindow* parent);
    bool Show(const bool& show) override;
    wxString GetName() const override;
    // Writes the icon's position into "Core" and destroys the icon with its panel.
    ~SystemMonitor() override;
    // One refresh: a new sample against the previous one, and the memory.
    void Notify() override;

    // Draws the memory line, the dial and the digits into the canvas.
    void DrawMemoryUsage(const int& usage, const int& used, const int& total);

    IconItem* icon = nullptr;
    InfoPanel* panel = nullptr;
    bool panelOpen = false;
    WidgetDrag drag;
    Picture canvasBitmap;
    std::vector<Picture> dialFrames;
    zplat::CpuTimes previous;
    zplat::CpuTimes current;

    static constexpr int TickMs = 1000;

private:
    void OnLeftDown(wxMouseEvent& event);
    void OnSelect(wxMouseEvent& event);
    void OnMouseMove(wxMouseEvent& event);
    void OnPressTimer(wxTimerEvent& event);
};
