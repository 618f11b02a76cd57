#include "TrayIcon.h"

#include <cstring>

#include <wx/bitmap.h>
#include <wx/filefn.h>
#include <wx/image.h>
#include <wx/menu.h>
#include <wx/notifmsg.h>

#include "ConfigImpl.h"
#include "ConfigKeys.h"
#include "HotkeyManager.h"
#include "Picture.h"
#include "SystemPaths.h"
#include "ZynLog.h"
#include "ZynUtils.h"
#include "zplat/Tray.h"

// Before the event table, which reads them when the program starts.
const wxWindowID TrayIcon::ID_MENU_DISABLE_HOTKEYS = wxNewId();
const wxWindowID TrayIcon::ID_MENU_LOCK_LAUNCHER = wxNewId();
const wxWindowID TrayIcon::ID_MENU_PREFERENCE = wxNewId();
const wxWindowID TrayIcon::ID_MENU_EXIT = wxNewId();

// GTK 3 reports a left click on the icon as a press only; the release never comes.
wxBEGIN_EVENT_TABLE(TrayIcon, wxTaskBarIcon)
    EVT_TASKBAR_LEFT_DOWN(TrayIcon::OnLeftUp)
    EVT_MENU(TrayIcon::ID_MENU_DISABLE_HOTKEYS, TrayIcon::OnMenuDisableHotkeys)
    EVT_MENU(TrayIcon::ID_MENU_LOCK_LAUNCHER, TrayIcon::OnMenuLockLauncher)
    EVT_MENU(TrayIcon::ID_MENU_PREFERENCE, TrayIcon::OnMenuPreference)
    EVT_MENU(TrayIcon::ID_MENU_EXIT, TrayIcon::OnMenuExit)
    EVT_UPDATE_UI(TrayIcon::ID_MENU_DISABLE_HOTKEYS, TrayIcon::OnUpdateDisableHotkeys)
    EVT_UPDATE_UI(TrayIcon::ID_MENU_LOCK_LAUNCHER, TrayIcon::OnUpdateLockLauncher)
    EVT_MENU(wxID_NONE, TrayIcon::OnMenuBalloon)
wxEND_EVENT_TABLE()

namespace {

const char TrayTooltip[] = "Zyn Utils Alpha1";
const char BalloonText[] = "Welcome to Veyrune!\nUser ID: Administrator\nHalvmind v0.0.1";

// The tray icon in every size the theme has, so the tray picks a sharp one.
wxBitmapBundle LoadTrayIcon()
{
    wxVector<wxBitmap> sizes;
    for (int size : {16, 22, 24, 32, 48, 64}) {
        const wxString path = wxString::Format("%s/Images/icons/tray_%d.png", AppDir, size);
        const Picture picture = Picture::Load(path, wxBITMAP_TYPE_PNG);
        if (picture.IsOk())
            sizes.push_back(picture.ToBitmap());
    }
    if (sizes.empty()) {
        // Said in the verbose log only; a blank icon keeps the tray menu within reach.
        ZLOG_INFO("Cannot load the tray icon from \"%s/Images/icons\".", AppDir);
        wxImage blank(16, 16);
        blank.InitAlpha();
        std::memset(blank.GetAlpha(), 0, 16 * 16);
        sizes.push_back(wxBitmap(blank));
    }
    return wxBitmapBundle::FromBitmaps(sizes);
}

} // namespace

TrayIcon::TrayIcon()
{
    if (!zplat::HasNotificationArea())
        ZLOG_INFO("There is no notification area: the tray icon appears when one starts.");
    SetIconAndText(LoadTrayIcon(), TrayTooltip, BalloonText);
}

bool TrayIcon::SetIconAndText(const wxBitmapBundle& icon, const wxString& tooltip, const wxString& text)
{
    balloonTitle = tooltip;
    balloonText = text;
    return SetIcon(icon, tooltip);
}

wxMenu* TrayIcon::CreatePopupMenu()
{
    if (ModalOpenFlag)
        return nullptr;
    auto* menu = new wxMenu("Zyn Utils");
    menu->AppendCheckItem(ID_MENU_DISABLE_HOTKEYS, _("&Disable Hotkeys"));
    menu->AppendCheckItem(ID_MENU_LOCK_LAUNCHER, _("&Lock Launcher"));
    menu->AppendSeparator();
    menu->Append(ID_MENU_PREFERENCE, _("&Preference"));
    menu->AppendSeparator();
    menu->Append(ID_MENU_EXIT, _("&Exit"));
    // The toolkit's popup on GTK sends no update events to the icon: mark the entries here.
    menu->UpdateUI(this);
    // GTK draws the title as an entry with the "none" id, whose choice the toolkit drops.
    if (wxMenuItem* title = menu->FindChildItem(wxID_NONE))
        zplat::WhenMenuItemChosen(title->GetMenuItem(), [this] { QueueEvent(new wxCommandEvent(wxEVT_MENU, wxID_NONE)); });
    return menu;
}

void TrayIcon::OnLeftUp(wxTaskBarIconEvent&)
{
    wxGetApp().ToggleLauncher();
}

void TrayIcon::OnMenuDisableHotkeys(wxCommandEvent& event)
{
    const bool enable = !event.IsChecked();
    GetConfig(cfg::Core)->WriteBool(cfg::Hotkey, cfg::Enable, enable);
    HotkeyManager::SetEnable(enable);
}

void TrayIcon::OnMenuLockLauncher(wxCommandEvent& event)
{
    const bool locked = event.IsChecked();
    GetConfig(cfg::Core)->WriteBool(cfg::General, cfg::LockingMode, locked);
    LockingModeFlag = locked;
}

void TrayIcon::OnMenuPreference(wxCommandEvent&)
{
    wxGetApp().ShowPreference();
}

void TrayIcon::OnMenuExit(wxCommandEvent&)
{
    wxGetApp().Quit();
}

void TrayIcon::OnUpdateDisableHotkeys(wxUpdateUIEvent& event) { event.Check(!HotkeyEnabledFlag); }

void TrayIcon::OnUpdateLockLauncher(wxUpdateUIEvent& event) { event.Check(LockingModeFlag); }

void TrayIcon::OnMenuBalloon(wxCommandEvent&)
{
    // The desktop has no balloons: a notification shows the same title and text.
    wxNotificationMessage balloon(balloonTitle, balloonText);
    if (!balloon.Show(wxNotificationMessage::Timeout_Auto))
        ZLOG_INFO("Cannot show the notification \"%s\".", balloonTitle);
}
