#include "HPBar.h"

#include <algorithm>

#include <wx/event.h>
#include <wx/intl.h>
#include <wx/textdlg.h>

#include "BitmapDC.h"
#include "BitmapManager.h"
#include "ConfigImpl.h"
#include "ConfigKeys.h"
#include "ZynObject.h"
#include "ZynUtils.h"
#include "zplat/SystemInfo.h"

namespace {

const wxPoint IconOffset(2, 34);
const int FillX = 81;
const int FillXShort = 83; // a bar that lost its rounded end starts past the trough's edge
const int FillY = 33;
const wxPoint DatePos(40, 20);
const wxPoint NamePos(42, 50);
const int NameSize = 17;
const int SmallestNameSize = 9;
const int NameGap = 4;      // kept clear before the hit points
const wxPoint HitPointsPos(263, 73);
const wxPoint LevelPos(315, 73);
const uint32_t TextColour = 0xDDFFFFFF;
const int HitPointsPerLevel = 500;
const char DefaultName[] = "Daskel";

} // namespace

HitPoints ComputeHitPoints(const int& level, const std::optional<int>& battery)
{
    HitPoints hp;
    hp.maximum = level * HitPointsPerLevel;
    hp.current = battery ? hp.maximum * *battery / 100 : hp.maximum;
    return hp;
}

int HPFillIndex(const int& percent)
{
    return percent < 25 ? 2 : percent < 50 ? 1 : 0;
}

HPFillSpan ComputeHPFillSpan(const int& percent, const int& fillWidth)
{
    HPFillSpan span;
    span.filled = percent * fillWidth / 100;
    span.skipped = fillWidth - span.filled;
    span.x = span.skipped >= 3 ? FillXShort : FillX;
    return span;
}

wxString HPLevelText(const int& level)
{
    return wxString::Format("Lv.%s%d", level <= 9 ? "0" : "", level);
}

HPBar::HPBar(wxWindow* parent)
{
    ConfigImpl* core = GetConfig(cfg::Core);
    playerName = core->ReadString(cfg::Plugin, cfg::HPName, wxString());
    const wxPoint place = WidgetWindow::StoredPosition(cfg::HPPosX, cfg::HPPosY, wxPoint(640, 200));

    const char* const fillFiles[] = {"Images/etc/hp_green.png", "Images/etc/hp_yellow.png", "Images/etc/hp_red.png"};
    for (int i = 0; i < 3; ++i)
        fills[i] = BitmapManager::LoadScaledBitmap(fillFiles[i], wxDefaultSize);
    frame = BitmapManager::LoadScaledBitmap("Images/etc/hp_bar.png", wxDefaultSize);
    barCanvas = frame;

    barWindow = new StaticObject(parent, GetName(), place, barCanvas);
    iconWindow = new StaticObject(barWindow, "Add", place + IconOffset,
                                  BitmapManager::LoadScaledBitmap("Images/etc/hp_icon.png", wxDefaultSize));
    iconWindow->SetOwner(barWindow);
    WidgetWindow::Prepare(barWindow);
    WidgetWindow::Prepare(iconWindow);
    drag = WidgetDrag(barWindow, [this](const wxPoint& pos) {
        barWindow->Move(pos);
        iconWindow->Move(pos + IconOffset);
        // The toolkit may restack the dragged window over its helmet: the group is put back in order.
        WidgetWindow::Lower(barWindow);
    });

    barWindow->Bind(wxEVT_LEFT_DOWN, &HPBar::OnLeftDown, this);
    TakeDoubleClicksAsPresses(barWindow);
    barWindow->Bind(wxEVT_LEFT_UP, &HPBar::OnLeftUp, this);
    barWindow->Bind(wxEVT_MOTION, &HPBar::OnMouseMove, this);
    iconWindow->Bind(wxEVT_LEFT_UP, &HPBar::OnChooseName, this);

    Notify(); // the bar holds a picture before it is first shown
}

HPBar::~HPBar()
{
    Stop();
    const wxPoint pos = barWindow->GetScreenPosition();
    ConfigImpl* core = GetConfig(cfg::Core);
    core->WriteLong(cfg::Plugin, cfg::HPPosX, pos.x);
    core->WriteLong(cfg::Plugin, cfg::HPPosY, pos.y);
    barWindow->Destroy();
    iconWindow->Destroy();
}

bool HPBar::Show(const bool& show)
{
    if (barWindow->IsShown() == show)
        return false;
    if (!show) {
        Stop();
        iconWindow->Show(false);
        return barWindow->Show(false);
    }
    // The time in the picture is the current one at once; the level waits for a real tick.
    Redraw();
    StartUntilNextMinute();
    WidgetWindow::Lower(barWindow);
    WidgetWindow::Lower(iconWindow);
    iconWindow->Show(true);
    return barWindow->Show(true);
}

wxString HPBar::GetName() const
{
    return "HP Bar";
}

void HPBar::Notify()
{
    ++tickCount;
    if (tickCount % TicksPerLevel == 0 && level < MaxLevel)
        ++level;
    Redraw();
    if (barWindow->IsShown())
        StartUntilNextMinute();
}

void HPBar::StartUntilNextMinute()
{
    const wxDateTime now = clock();
    const int intoMinute = now.GetSecond() * 1000 + now.GetMillisecond();
    Start(TickMs - intoMinute, wxTIMER_ONE_SHOT);
}

void HPBar::Redraw()
{
    const HitPoints hp = ComputeHitPoints(level, zplat::GetSystemInfo().BatteryPercent());
    DrawBar(clock(), playerName, hp.current, hp.maximum, level);
    barWindow->SetBitmap(barWindow->GetName(), barCanvas);
}

void HPBar::DrawBar(const wxDateTime& now, const wxString& name, const int& current, const int& maximum, const int& shownLevel)
{
    if (!barCanvas.IsOk())
        return;
    BitmapDC canvas(barCanvas);
    const int percent = maximum > 0 ? current * 100 / maximum : 0;
    const Picture& fill = fills[HPFillIndex(percent)];
    const HPFillSpan span = ComputeHPFillSpan(percent, fill.GetWidth());

    canvas.Fill(0);
    canvas.Blit(fill, wxRect(span.skipped, 0, span.filled, fill.GetHeight()), wxPoint(span.x, FillY));
    canvas.BlendBitmap(frame, wxPoint(0, 0), 255);

    canvas.DrawGlyphText(now.Format("%Y-%m-%d %H:%M"), DatePos, TextColour, DefaultTextSize);
    const wxString hitPoints = wxString::Format("%d / %d", current, maximum);
    const wxString shownName = name.empty() ? wxString(DefaultName) : name;
    canvas.DrawGlyphText(shownName, NamePos, TextColour, NameFitSize(shownName, hitPoints));
    canvas.DrawGlyphTextCentered(hitPoints, HitPointsPos, TextColour, DefaultTextSize);
    // "Lv.100" would lose its last digit at the canvas edge: it moves left just enough.
    const wxString levelText = HPLevelText(shownLevel);
    const int lastStart = MeasureGlyphText(levelText.Left(levelText.length() - 1), DefaultTextSize);
    const int levelX = std::min(LevelPos.x, barCanvas.GetWidth() - 1 - DefaultTextSize - lastStart);
    canvas.DrawGlyphText(levelText, wxPoint(levelX, LevelPos.y), TextColour, DefaultTextSize);
}

int HPBar::NameFitSize(const wxString& name, const wxString& hitPoints)
{
    // A name too long for the room between the helmet and the hit points is drawn smaller.
    const int right = HitPointsPos.x - MeasureGlyphText(hitPoints, DefaultTextSize) / 2 - NameGap;
    int size = NameSize;
    while (size > SmallestNameSize && NamePos.x + MeasureGlyphText(name, size) > right)
        --size;
    return size;
}

void HPBar::OnLeftDown(wxMouseEvent& event)
{
    if (drag.Press(event))
        event.Skip();
}

void HPBar::OnMouseMove(wxMouseEvent& event)
{
    if (drag.Motion(event))
        event.Skip();
}

void HPBar::OnLeftUp(wxMouseEvent& event)
{
    drag.Release();
    WidgetWindow::Lower(barWindow);
    event.Skip();
}

void HPBar::OnChooseName(wxMouseEvent& event)
{
    if (ModalOpenFlag)
        return;
    wxTextEntryDialog dialog(iconWindow, _("Please input your name."), _("Choose Name"), wxEmptyString,
                             wxOK | wxCANCEL | wxCENTRE, wxDefaultPosition);
    if (dialog.ShowModal() == wxID_OK) {
        playerName = dialog.GetValue();
        --tickCount; // a redraw, not a tick
        Notify();
        GetConfig(cfg::Core)->WriteString(cfg::Plugin, cfg::HPName, playerName);
    }
    event.Skip();
}
