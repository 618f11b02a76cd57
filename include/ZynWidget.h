// The desktop widgets: small themed windows at the bottom of the desktop that
// never take the focus and can be dragged with the left button. This module
// owns exactly one HP bar, one system monitor and one image widget; the rest
// of the program reaches them only through the functions below.
#pragma once

#include <functional>
#include <utility>

#include <wx/gdicmn.h>
#include <wx/string.h>

class wxMouseEvent;
class wxWindow;
class ZynObject;

class ZynWidget {
public:
    // Shows or hides the widget's windows; false when it already was in that state.
    virtual bool Show(const bool& show) = 0;
    // The user's switch; stored only (no window changes, nothing written).
    virtual void SetEnabled(const bool& on) { enabled = on; }
    virtual bool IsEnabled() const { return enabled; }
    // The fixed name, also the command of the launcher's plug-in entries.
    virtual wxString GetName() const = 0;

protected:
    // Owners delete widgets through their own classes.
    ~ZynWidget() = default;

    bool enabled = true;
};

// The three widgets and the master switch, with the rules for showing and
// switching them. The module keeps one; tests build their own over stand-ins.
class WidgetRegistry {
public:
    // Reads the three switches and then the master switch from "Core" (Plugin/...).
    void LoadSettings();
    // Sets the master switch, then shows the enabled widgets or hides all.
    void SetAllEnabled(const bool& on);
    // While the master switch is on: each widget shown as its own switch says.
    void ShowEnabled();
    void HideAll();
    // Exact, case-sensitive match of a widget's name; null when none matches.
    ZynWidget* Find(const wxString& name) const;
    // Switches one widget and writes the three switches; false when the master
    // switch is off, the name is unknown or the widget already is in that state.
    bool SetEnabled(const wxString& name, const bool& enable);
    bool Toggle(const wxString& name);

    ZynWidget* hpBar = nullptr;
    ZynWidget* monitor = nullptr;
    ZynWidget* image = nullptr;
    bool allEnabled = false; // the master switch as last applied
};

bool CreateWidgets();
void LoadWidgetSettings();
void SetWidgetsEnabled(const bool& on);
void ShowEnabledWidgets();
void HideAllWidgets();
// Deletes the widgets; each writes its position into "Core".
void DeleteWidgets();
ZynWidget* FindWidget(const wxString& name);
bool SetWidgetEnabled(const wxString& name, const bool& enable);
bool ToggleWidget(const wxString& name);

// What the three widgets share about their windows.
namespace WidgetWindow {
// Makes a freshly created window a widget window: never activated, no taskbar
// button. A window without a capture-loss handler of its own gets one, so a
// drag whose capture another program takes simply ends.
void Prepare(ZynObject* window, bool answerCaptureLoss = true);
// Sends the window (and the windows it owns) to the bottom of the stacking order.
void Lower(wxWindow* window);
// The stored point (x, y) moved onto a screen of the given size, so that the
// window's top-left corner is on it: any number the file holds, however large,
// gives a point that the widget's arithmetic cannot overflow.
wxPoint OnScreen(long x, long y, const wxSize& screen);
// The widget position stored as Plugin/keyX and Plugin/keyY of "Core" (each
// with its default), on the screen.
wxPoint StoredPosition(const char* keyX, const char* keyY, const wxPoint& defaults);
} // namespace WidgetWindow

// The drag protocol of the widgets, on the one window that is dragged: a press
// (refused while a modal window is open) captures the mouse, motion under that
// capture moves the window to the pointer less the press offset, the release
// lets go. GTK turns the second of two quick presses at one place of a window
// into a double click, so both count as presses. Motion that comes in a burst
// before the toolkit has taken the press may never be reported, so the release
// also puts the window where the pointer is.
class WidgetDrag {
public:
    // Moves the widget's windows so that the dragged one stands at the point.
    using Follow = std::function<void(const wxPoint&)>;

    WidgetDrag() = default;
    WidgetDrag(wxWindow* window, Follow follow) : window(window), follow(std::move(follow)) {}

    // False (the press is not to be passed on) while a modal window is open.
    bool Press(const wxMouseEvent& event);
    // False (not to be passed on) unless a press of this drag holds the capture
    // and the left button is down.
    bool Motion(const wxMouseEvent& event);
    void Release();

    bool dragged = true; // set by a move, cleared by a press; no press yet at first
    wxPoint offset;      // the press position inside the window

private:
    void FollowPointer();

    wxWindow* window = nullptr;
    Follow follow;
};
