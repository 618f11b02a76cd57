// The application object: start-up and shut-down, and the few global entry
// points (show the launcher, apply the settings, quit, run an action).
#pragma once

#include <wx/aboutdlg.h>
#include <wx/app.h>
#include <wx/intl.h>
#include <wx/string.h>

class LogWindow;
class wxDialog;
class wxWindow;
class TrayIcon;
class LaunchWindow;

enum ActionType {
    ACTION_NONE = 0,
    ACTION_PROGRAM = 1,
    ACTION_FOLDER = 2,
    ACTION_URL = 3,
    ACTION_COMMAND = 4,
    ACTION_SUBMENU = 1000,
    ACTION_PREFERENCE = 1001,
    ACTION_ABOUT = 1002,
    ACTION_QUIT = 1003,
    ACTION_PLUGIN = 2000,
};

class ZynUtils : public wxApp {
public:
    ZynUtils();
    ~ZynUtils() override;

    bool OnInit() override;
    int OnExit() override;

    bool CheckEnvironment();

    bool ShowLauncher(bool show);
    bool ToggleLauncher();
    void ShowPreference();
    void ApplySettings();
    // Asks first unless ask is false (the session's end); then closes the launcher
    // (or ends the loop), so OnExit saves.
    void Quit(bool ask = true);
    bool ExecuteAction(const int& type, const wxString& command);

    wxLocale m_locale;
    LogWindow* logWindow = nullptr;
    TrayIcon* trayIcon = nullptr;
    LaunchWindow* launcher = nullptr;
};

ZynUtils& wxGetApp();

// The system's language, with the program's catalog of that name from "./Langs".
void InitTranslations(wxLocale& locale);
bool InitManagers();
// What the about box shows.
wxAboutDialogInfo AboutBoxInfo();
// The about box, not yet shown.
wxDialog* CreateAboutBox(wxWindow* parent);
void ShowAboutBox();
// The crash report box; shown by the report process that the crash handler starts.
void ReportFatalError();
// The environment flag that makes a start of the program show the crash report.
extern const char CrashReportFlag[];

extern bool CheckUpdateFlag;
extern bool ShowSplashFlag;
// Set while the alert or the preferences window is open.
extern bool ModalOpenFlag;
// General/LockingMode: long presses in the launcher open no edit pop-up.
extern bool LockingModeFlag;

// Application catalog values.
extern const char AppName[];
extern const char AppVersion[];
extern const char AppAuthor[];
extern const char AppWebHost[];
extern const char AppDate[];
