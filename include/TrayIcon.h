// The program's icon in the notification area: a left click toggles the launcher,
// the menu switches the hot keys and the lock, opens the preferences and quits.
#pragma once

#include <wx/bmpbndl.h>
#include <wx/taskbar.h>

class wxMenu;

class TrayIcon : public wxTaskBarIcon {
public:
    TrayIcon();

    // Shows the icon with its tooltip; the tooltip is also the balloon's title.
    bool SetIconAndText(const wxBitmapBundle& icon, const wxString& tooltip, const wxString& text);

    // The right-click menu; none while the alert or the preferences window is open.
    wxMenu* CreatePopupMenu() override;

    void OnLeftUp(wxTaskBarIconEvent& event);
    void OnMenuDisableHotkeys(wxCommandEvent& event);
    void OnMenuLockLauncher(wxCommandEvent& event);
    void OnMenuPreference(wxCommandEvent& event);
    void OnMenuExit(wxCommandEvent& event);
    void OnUpdateDisableHotkeys(wxUpdateUIEvent& event);
    void OnUpdateLockLauncher(wxUpdateUIEvent& event);
    // Shows the welcome balloon as a desktop notification.
    void OnMenuBalloon(wxCommandEvent& event);

    // Menu command ids, taken when the program starts.
    static const wxWindowID ID_MENU_DISABLE_HOTKEYS;
    static const wxWindowID ID_MENU_LOCK_LAUNCHER;
    static const wxWindowID ID_MENU_PREFERENCE;
    static const wxWindowID ID_MENU_EXIT;

    wxString balloonTitle;
    wxString balloonText;

private:
    wxDECLARE_EVENT_TABLE();
};
