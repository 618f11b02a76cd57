#include "SystemMonitor.h"

#include <algorithm>

#include <wx/event.h>
#include <wx/translation.h>

#include "BitmapDC.h"
#include "BitmapManager.h"
#include "ConfigImpl.h"
#include "ConfigKeys.h"
#include "IconItem.h"
#include "InfoPanel.h"
#include "ZynLog.h"
#include "ZynUtils.h"

namespace {

const int DialFrames = 24;
const wxSize CanvasSize(240, 240);
const wxPoint MemoryPos(120, 45);
const wxPoint DialPos(60, 65);
const wxPoint DigitsPos(122, 147);
const int DigitsSize = 60;
// The widest the digits may be to stand inside the dial's ring (its inner edge has a radius of 45).
const int DigitsWidth = 72;
const wxPoint PercentPos(200, 180);
const int PercentSize = 20;
const uint32_t TextColour = 0xBB333333;
// The smallest size a memory line too wide for the canvas may shrink to.
const int SmallestMemorySize = 9;

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
        return _("Memory Usage: ---- / ---- mb");
    return wxString::Format(_("Memory Usage: %d / %d mb"), usedMB, totalMB);
}

wxString UsageDigits(const int& usage)
{
    return wxString::Format("%s%d", usage <= 9 ? "0" : "", usage);
}

SystemMonitor::SystemMonitor(wxWindow* parent) : canvasBitmap(CanvasSize.x, CanvasSize.y)
{
    const wxPoint place = WidgetWindow::StoredPosition(cfg::MonitorPosX, cfg::MonitorPosY, wxPoint(640, 480));

    icon = new IconItem(parent, GetName(), place, BitmapManager::System(SYMBOL_INFO),
                        BitmapManager::System(BITMAP_BUTTON));
    // The widget keeps its own name; the panel says it in the user's language.
    panel = new InfoPanel(icon, wxGetTranslation(GetName()), wxDefaultPosition, Picture(), BitmapManager::System(BITMAP_PANEL));
    panel->SetOwner(icon);
    // The icon answers a lost capture itself.
    WidgetWindow::Prepare(icon, false);
    WidgetWindow::Prepare(panel);
    icon->builtIn = true;
    drag = WidgetDrag(icon, [this](const wxPoint& pos) {
        icon->Move(pos);
        const wxPoint offset = panel->GetOffset(), margin = icon->GetMargin();
        panel->Move(pos + wxPoint(offset.x - margin.x, offset.y + icon->GetSize().y / 2));
    });

    icon->Bind(wxEVT_LEFT_DOWN, &SystemMonitor::OnLeftDown, this);
    icon->Bind(wxEVT_LEFT_UP, &SystemMonitor::OnSelect, this);
    icon->Bind(wxEVT_MOTION, &SystemMonitor::OnMouseMove, this);
    // The launcher's long press has no meaning here.
    icon->Bind(wxEVT_TIMER, &SystemMonitor::OnPressTimer, this);

    for (int i = 0; i < DialFrames; ++i)
        dialFrames.push_back(BitmapManager::LoadScaledBitmap(wxString::Format("Images/etc/clock/b%d.png", i), wxDefaultSize));
}

SystemMonitor::~SystemMonitor()
{
    Stop();
    const wxPoint pos = icon->GetScreenPosition();
    ConfigImpl* core = GetConfig(cfg::Core);
    core->WriteLong(cfg::Plugin, cfg::MonitorPosX, pos.x);
    core->WriteLong(cfg::Plugin, cfg::MonitorPosY, pos.y);
    icon->Destroy(); // the panel, its child, goes with it
}

bool SystemMonitor::Show(const bool& show)
{
    if (icon->IsShown() == show)
        return false;
    if (!show) {
        Stop();
        panel->FadeOut();
        return icon->Show(false);
    }
    WidgetWindow::Lower(icon);
    if (panelOpen) {
        // Back with the picture it had; the first tick measures all the time since the last sample.
        panel->ShowItem(icon);
        Start(TickMs, wxTIMER_CONTINUOUS);
    }
    return icon->Show(true);
}

wxString SystemMonitor::GetName() const
{
    return "System Monitor";
}

void SystemMonitor::Notify()
{
    zplat::SystemInfo& info = zplat::GetSystemInfo();
    if (!info.ReadCpuTimes(current))
        return;
    zplat::MemoryStatus memory;
    info.ReadMemory(memory); // unread figures stay 0 and show as dashes
    const MemoryFigures mb = ComputeMemoryFigures(memory);
    DrawMemoryUsage(ComputeCpuUsage(previous, current), mb.usedMB, mb.totalMB);
    panel->SetImage(canvasBitmap, true);
    previous = current;
}

void SystemMonitor::DrawMemoryUsage(const int& usage, const int& used, const int& total)
{
    BitmapDC canvas(canvasBitmap);
    canvas.Fill(0);
    // A line too wide to stand centred inside the canvas is drawn smaller, not dropped.
    const wxString memoryText = MemoryUsageText(used, total);
    int size = DefaultTextSize;
    while (size > SmallestMemorySize && MeasureGlyphText(memoryText, size) / 2 > MemoryPos.x - size)
        --size;
    canvas.DrawGlyphTextCentered(memoryText, MemoryPos, TextColour, size);
    canvas.BlendBitmap(dialFrames[DialEntry(usage)], DialPos, 255);
    // "100" is drawn smaller than two digits, so it does not run over the ring.
    const wxString digits = UsageDigits(usage);
    int digitsSize = DigitsSize;
    while (digitsSize > DefaultTextSize && MeasureGlyphText(digits, digitsSize) > DigitsWidth)
        --digitsSize;
    canvas.DrawGlyphTextCentered(digits, DigitsPos, TextColour, digitsSize);
    canvas.DrawGlyphText("%", PercentPos, TextColour, PercentSize);
}

void SystemMonitor::OnLeftDown(wxMouseEvent& event)
{
    if (drag.Press(event))
        event.Skip();
}

void SystemMonitor::OnMouseMove(wxMouseEvent& event)
{
    if (drag.Motion(event))
        event.Skip();
}

void SystemMonitor::OnSelect(wxMouseEvent& event)
{
    drag.Release();
    if (ModalOpenFlag || drag.dragged)
        return;
    // The icon turns active on the click that opens and back on the one that closes.
    if (icon->IsActive()) {
        panel->FadeOut();
        panelOpen = false;
        Stop();
    } else {
        if (zplat::GetSystemInfo().ReadCpuTimes(current)) {
            previous = current;
            DrawMemoryUsage(0, 0, 0);
            panel->SetImage(canvasBitmap, true);
            Start(TickMs, wxTIMER_CONTINUOUS);
        } else {
            ZLOG_ERROR("Cannot query system performance.");
        }
        panel->ShowItem(icon);
        panelOpen = true;
    }
    event.Skip();
}

void SystemMonitor::OnPressTimer(wxTimerEvent&) {}
