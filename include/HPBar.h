// The HP bar: the battery charge shown as a game character's hit points in a
// frame image, with the date and time, the player's name and a level that
// grows while the bar is on screen. A small icon beside it asks for the name.
#pragma once

#include <functional>
#include <optional>

#include <wx/datetime.h>
#include <wx/string.h>
#include <wx/timer.h>

#include "Picture.h"
#include "ZynWidget.h"

class StaticObject;
class wxMouseEvent;
class wxWindow;

struct HitPoints {
    int current = 0;
    int maximum = 0;
};

// The hit points at level for a battery charge in percent (nothing: no battery, full).
HitPoints ComputeHitPoints(const int& level, const std::optional<int>& battery);
// The fill image for a charge in percent: 0 green, 1 yellow (below 50), 2 red (below 25).
int HPFillIndex(const int& percent);

// The part of a fill image of width fillWidth shown for percent: its right-hand
// `filled` pixels, starting `skipped` pixels in, drawn at canvas x `x`.
struct HPFillSpan {
    int filled = 0;
    int skipped = 0;
    int x = 0;
};
HPFillSpan ComputeHPFillSpan(const int& percent, const int& fillWidth);

// "Lv.09", "Lv.10", "Lv.100".
wxString HPLevelText(const int& level);

class HPBar : public ZynWidget, public wxTimer {
public:
    explicit HPBar(wxWindow* parent);
    bool Show(const bool& show) override;
    wxString GetName() const override;
    // Writes the bar's position into "Core" and destroys its windows.
    ~HPBar() override;
    // One tick: counts, raises the level once every 60 ticks, reads the battery, redraws.
    void Notify() override;

    // Redraws the bar with the current time and figures, without counting a tick.
    void Redraw();
    // The pixel size at which the name fits between the helmet and the hit points.
    static int NameFitSize(const wxString& name, const wxString& hitPoints);
    // Draws the whole picture into the bar canvas.
    void DrawBar(const wxDateTime& now, const wxString& name, const int& current, const int& maximum, const int& shownLevel);

    StaticObject* barWindow = nullptr;
    StaticObject* iconWindow = nullptr;
    Picture barCanvas;
    Picture frame;
    Picture fills[3];
    WidgetDrag drag;
    int level = 1;
    int tickCount = 0;
    wxString playerName;
    std::function<wxDateTime()> clock = [] { return wxDateTime::UNow(); }; // tests set their own

    static constexpr int TickMs = 60000;
    static constexpr int MaxLevel = 100;
    static constexpr int TicksPerLevel = 60;

private:
    // Ticks fall on the minute boundary, so the date line turns with the clock.
    void StartUntilNextMinute();
    void OnLeftDown(wxMouseEvent& event);
    void OnLeftUp(wxMouseEvent& event);
    void OnMouseMove(wxMouseEvent& event);
    void OnChooseName(wxMouseEvent& event);
};
