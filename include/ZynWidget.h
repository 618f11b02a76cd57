// The desktop widgets: small themed windows at the bottom of the desktop that
// never take the focus and can be dragged with the left button. This module
// owns exactly one HP bar, one system monitor and one image widget; the rest
// of the program reaches them only through the functions below.
#pragma once

#include <wx/gdicmn.h>
#include <wx/string.h>

class wxMouseEvent;
class wxWindow;

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
// Makes a freshly created window a widget window: never activated, no taskbar button.
void Prepare(wxWindow* window);
// Sends the window (and the windows it owns) to the bottom of the stacking order.
void Lower(wxWindow* window);
// Drag helpers: the press captures the mouse (once), the release lets it go.
// Motion that comes in a burst before the toolkit has taken the press may never
// be reported, so the release also puts the window where the pointer is.
// GTK turns the second of two quick presses at the same place of a window into
// a double click and the toolkit then reports no press: widgets take both.
void BeginDrag(wxWindow* window);
void EndDrag(wxWindow* window);
// Where a window dragged with the press at offset stands now (cursor - offset).
wxPoint DragTarget(const wxPoint& offset);
} // namespace WidgetWindow
