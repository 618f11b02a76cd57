#include "ZynUtils.h"

#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

#include <wx/aboutdlg.h>
#include <wx/arrstr.h>
#include <wx/cmdline.h>
#include <wx/dialog.h>
#include <wx/evtloop.h>
#include <wx/filefn.h>
#include <wx/filename.h>
#include <wx/generic/aboutdlgg.h>
#include <wx/image.h>
#include <wx/log.h>
#include <wx/modalhook.h>
#include <wx/msgdlg.h>
#include <wx/sizer.h>
#include <wx/translation.h>
#include <wx/utils.h>
#include <wx/wxcrt.h>

#include "AlertObject.h"
#include "AtomicFile.h"
#include "BitmapManager.h"
#include "ButtonImpl.h"
#include "ConfigImpl.h"
#include "ConfigKeys.h"
#include "FontManager.h"
#include "HotkeyManager.h"
#include "LaunchWindow.h"
#include "LogWindow.h"
#include "MessageObject.h"
#include "NoticeObject.h"
#include "NotifyWindow.h"
#include "PreferenceFrame.h"
#include "SoundManager.h"
#include "SystemPaths.h"
#include "TrayIcon.h"
#include "WinFX.h"
#include "ZynLog.h"
#include "ZynWidget.h"
#include "zplat/Crash.h"
#include "zplat/Desktop.h"
#include "zplat/Process.h"
#include "zplat/Session.h"

bool CheckUpdateFlag = true;
bool ShowSplashFlag = true;
bool ModalOpenFlag = false;
bool LockingModeFlag = false;

const char AppName[] = "Zyn Utils";
const char AppVersion[] = "Alpha1";
const char AppAuthor[] = "Orvain (Tavrel)";
const char AppWebHost[] = ZYN_WEB_HOST;
const char AppDate[] = "2013.03.09";
const char CrashReportFlag[] = "ZYN_UTILS_CRASH_REPORT=1";

namespace {

const long kFatalStyle = wxOK | wxICON_ERROR | wxCENTRE;

void ShowFatalError(const wxString& text)
{
    wxMessageBox(text, _("Fatal Error"), kFatalStyle, nullptr);
}

// Whether program names an executable file, itself or (a bare name) in a folder of PATH.
bool IsRunnable(const wxString& program)
{
    if (program.Contains("/"))
        return wxFileName::IsFileExecutable(program) && !wxDirExists(program);
    wxString path;
    wxGetEnv("PATH", &path);
    for (const wxString& dir : wxSplit(path, ':', '\0'))
        if (!dir.empty() && IsRunnable(dir + "/" + program))
            return true;
    return false;
}

// Starts argv without waiting, as the user would; false (logged) when no process could be started.
bool Spawn(const wxArrayString& args)
{
    if (args.empty() || args[0].empty()) {
        ZLOG_ERROR("Nothing to start.");
        return false;
    }
    // Look first: a program that is not there must not count as started.
    if (!IsRunnable(args[0])) {
        ZLOG_ERROR("Cannot start \"%s\": no such program.", args[0]);
        return false;
    }
    std::vector<std::string> argv;
    for (const wxString& arg : args)
        argv.push_back(arg.utf8_string());
    std::string error;
    if (!zplat::StartProcess(argv, error)) {
        ZLOG_ERROR("Cannot start \"%s\": %s.", args[0], wxString::FromUTF8(error));
        return false;
    }
    return true;
}

// Documents, folders and addresses go to the desktop's opener, in argv form, so
// spaces and quotes in a path reach it whole, and a path that starts with "-" as
// "./-...", never as an option. The opener answers only by its exit, long after
// the launcher has gone: a failure is reported then, with what it said in the
// verbose log rather than on the terminal.
bool OpenWithDesktop(const wxString& target)
{
    const wxString path = target.StartsWith("-") ? "./" + target : target;
    std::string error;
    const bool started = zplat::StartProcess({"xdg-open", path.utf8_string()}, error, [path](const zplat::ProcessEnd& end) {
        if (!end.output.empty())
            ZLOG_INFO("xdg-open \"%s\": %s", path, wxString::FromUTF8(end.output).Trim());
        if (end.exitCode != 0)
            ZLOG_ERROR("Cannot open \"%s\": xdg-open ended with status %d.", path, end.exitCode);
    });
    if (!started)
        ZLOG_ERROR("Cannot start \"xdg-open\": %s.", wxString::FromUTF8(error));
    return started;
}

// Whether text starts with an address scheme ("https:", "mailto:").
bool HasScheme(const wxString& text)
{
    const size_t colon = text.find(':');
    if (colon == wxString::npos || colon < 2 || !wxIsalpha(text[0]))
        return false;
    for (size_t i = 1; i < colon; ++i)
        if (!wxIsalnum(text[i]) && text[i] != '+' && text[i] != '-' && text[i] != '.')
            return false;
    return true;
}

// A program: an executable file runs itself, a desktop entry goes through the
// desktop's launcher, any other file or a folder opens with its default
// application. A bare name runs from the search path and an address opens in the
// desktop; a file that is not there is a failure, not a start.
bool OpenProgram(const wxString& path)
{
    if (wxDirExists(path) || (!wxFileExists(path) && HasScheme(path)))
        return OpenWithDesktop(path);
    if (!wxFileExists(path)) {
        if (!path.Contains("/"))
            return Spawn(wxArrayString(1, &path));
        ZLOG_ERROR("Cannot open \"%s\": no such file.", path);
        return false;
    }
    if (path.EndsWith(".desktop")) {
        std::string error;
        if (zplat::LaunchDesktopEntry(path.utf8_string(), error))
            return true;
        ZLOG_ERROR("Cannot start \"%s\": %s.", path, wxString::FromUTF8(error));
        return false;
    }
    if (wxIsExecutable(path))
        return Spawn(wxArrayString(1, &path));
    return OpenWithDesktop(path);
}

// Whether host (of an address without a scheme) can name a host: a name or an
// address in brackets, not an option.
bool IsHostName(const wxString& host)
{
    if (host.empty() || host[0] == '-' || host[0] == '.')
        return false;
    if (host[0] == '[')
        return host.Last() == ']';
    for (const wxUniChar c : host)
        if (c.IsAscii() && !wxIsalnum(c) && c != '-' && c != '.' && c != '_')
            return false;
    return true;
}

// What the browser call opens for text: an address with its scheme as it is, an
// existing file or folder as it is, and other text as an address with "http://"
// (as the toolkit's browser call does). False for text that can be neither a
// path nor an address: empty, with a control character, or with no host.
bool BrowserTarget(const wxString& text, wxString& target)
{
    for (const wxUniChar c : text)
        if (c < 0x20 || c == 0x7F)
            return false;
    if (text.empty())
        return false;
    if (HasScheme(text) || wxFileExists(text) || wxDirExists(text)) {
        target = text;
        return true;
    }
    wxString host = text.substr(0, text.find_first_of("/?#"));
    host = host.AfterLast('@');
    if (!host.StartsWith("["))
        host = host.BeforeFirst(':');
    else if (host.Contains("]:"))
        host = host.BeforeLast(':');
    if (!IsHostName(host))
        return false;
    target = "http://" + text;
    return true;
}

// Folders and addresses (actions 2 and 3).
bool OpenInBrowser(const wxString& text)
{
    wxString target;
    if (!BrowserTarget(text, target)) {
        ZLOG_ERROR("Cannot open \"%s\": it is neither a path nor an address.", text);
        return false;
    }
    return OpenWithDesktop(target);
}

// A command line, split by the shell's quoting rules but run without a shell.
bool RunCommand(const wxString& command)
{
    return Spawn(wxCmdLineParser::ConvertStringToArgs(command, wxCMD_LINE_SPLIT_UNIX));
}

// The Updater, when the build has one: "zyn-updater" in AppDir, not waited for.
void StartUpdater()
{
    const wxString updater = AppPath("zyn-updater");
    if (!wxFileExists(updater))
        return;
    ZLOG_INFO("Starting the Updater.");
    Spawn(wxArrayString(1, &updater));
}

// Toolkit asserts go to the log: a dialog would stop a resident program cold.
void LogAssert(const wxString& file, int line, const wxString& func, const wxString& cond, const wxString& msg)
{
    ZLOG_ERROR("Assertion failed: %s (%s) at %s:%d in %s", cond, msg, file, line, func);
}

// The modal dialogs open, innermost last. An open one holds the end of the main
// loop until someone answers it; at the end of the session nobody will: each is
// answered No or Cancel, the innermost first (ending an outer modal loop while an
// inner one runs would leave the outer waiting), and no new one opens. Only once
// the last one has returned, with nothing of theirs left on the stack, may the
// windows they stand on go.
class ModalDialogs : public wxModalDialogHook {
public:
    // Answers every open dialog, then calls done from the main loop (at once when none is open).
    void EndAll(std::function<void()> done)
    {
        ending = true;
        whenDone = std::move(done);
        if (open.empty())
            Done();
        else
            EndInnermost();
    }

protected:
    int Enter(wxDialog* dialog) override
    {
        if (ending)
            return NoAnswer(dialog);
        open.push_back(dialog);
        return wxID_NONE;
    }

    void Exit(wxDialog* dialog) override
    {
        open.erase(std::remove(open.begin(), open.end(), dialog), open.end());
        if (!ending)
            return;
        if (!open.empty())
            EndInnermost(); // its loop runs again now
        else if (whenDone && wxTheApp)
            wxTheApp->CallAfter([this] { Done(); }); // once the dialog's caller has returned
    }

private:
    static int NoAnswer(wxDialog* dialog) { return dynamic_cast<AlertObject*>(dialog) ? wxNO : wxID_CANCEL; }

    void EndInnermost()
    {
        wxDialog* dialog = open.back();
        if (dialog->IsModal())
            dialog->EndModal(NoAnswer(dialog));
        else
            zplat::CloseToolkitDialogs(); // message boxes run the toolkit's loop, not ours
    }

    void Done()
    {
        if (std::function<void()> done = std::move(whenDone))
            done();
        whenDone = nullptr;
    }

    std::vector<wxDialog*> open;
    bool ending = false;
    std::function<void()> whenDone;
};

ModalDialogs OpenDialogs;

// The toolkit's own texts that the program's windows show: its stock buttons, the
// file pickers' button, the about box and the log box. The toolkit's catalogs are
// left out (with a locale the system lacks they hid the start's error box), so the
// program's catalog carries these few in the toolkit's wording.
[[maybe_unused]] const char* const ToolkitTexts[] = {
    wxTRANSLATE("&OK"),        wxTRANSLATE("&Cancel"),     wxTRANSLATE("&Copy"),       wxTRANSLATE("&Save"),
    wxTRANSLATE("Browse"),     wxTRANSLATE("About %s"),    wxTRANSLATE("Developers"),  wxTRANSLATE("Translators"),
    wxTRANSLATE("%s Error"),   wxTRANSLATE("%s Warning"),  wxTRANSLATE("%s Information"), wxTRANSLATE("&Details"),
};

} // namespace

ZynUtils& wxGetApp()
{
    return *static_cast<ZynUtils*>(wxApp::GetInstance());
}

void InitTranslations(wxLocale& locale)
{
    // An uninstalled system locale would otherwise stop the start with a modal box.
    wxLogNull quiet;
    locale.Init(wxLANGUAGE_DEFAULT, wxLOCALE_LOAD_DEFAULT);
    wxFileTranslationsLoader::AddCatalogLookupPathPrefix("./Langs");
    locale.AddCatalog(locale.GetCanonicalName());
}

ZynUtils::ZynUtils()
{
    // The toolkit names the program by it, as in the title of its log box ("%s Error").
    SetAppDisplayName(AppName);
}
ZynUtils::~ZynUtils() = default;

bool ZynUtils::OnInit()
{
    wxSetAssertHandler(LogAssert);
    wxInitAllImageHandlers();
    InitTranslations(m_locale);

    if (!CheckEnvironment())
        return false;

    ConfigImpl* core = GetConfig(cfg::Core);
    if (core->ReadBool(cfg::General, cfg::VerboseMode, false)) {
        logWindow = new LogWindow();
        zplat::SetCrashLogPath(AppPath("Verbose.log").utf8_string());
    }

    ZLOG_INFO("Zyn Utils Started.");
    ZLOG_INFO("Initializing...");
    // Real-time priority can starve the whole desktop; the program keeps its normal priority.
    ZLOG_INFO("Real-time priority skipped.");
    // What a kill during a save left is of no use: the files it was to replace are whole.
    RemoveLeftoverTemporary(AppPath("Configs/" + wxString(cfg::Core) + ".xml"));
    RemoveLeftoverTemporary(AppPath("launcher.xml"));

    if (!InitManagers())
        return false;

    trayIcon = new TrayIcon();
    launcher = new LaunchWindow(); // reads "launcher.xml"
    SetTopWindow(launcher);
    // The hot key needs its window before ApplySettings grabs it.
    HotkeyManager::SetHotkeyWindow(launcher);

    ApplySettings();

    if (ShowSplashFlag) {
        // The welcome picture stands on the welcome balloon and goes with it.
        MessageObject* welcome = ShowMessage(_("Zyn Utils Starts Successfully."), false);
        NoticeObject* notice = new NoticeObject(welcome, BitmapManager::System(ETC_WELCOME), 0, wxDefaultPosition);
        welcome->Show(true);
        notice->Show(true);
        SoundManager::Play(SOUND_WELCOME);
    }

    if (CheckUpdateFlag)
        StartUpdater();

    ZLOG_INFO("Zyn Utils is ready.");
    zplat::GetSession().AnnounceReady();
    // The root menu's first open then costs what every later one does; done
    // after the announcement, since the program already answers.
    launcher->CallAfter([this] {
        if (launcher)
            launcher->PrepareRoot();
    });
    return true;
}

int ZynUtils::OnExit()
{
    ZLOG_INFO("Exiting...");
    delete trayIcon;
    trayIcon = nullptr;
    HotkeyManager::SetHook(false);
    DeleteWidgets(); // the widgets write their positions into "Core"
    FontManager::Release();
    DestroyAllConfigs();
    delete logWindow;
    logWindow = nullptr;
    zplat::GetSession().ReleaseInstance();
    return 0;
}

bool ZynUtils::CheckEnvironment()
{
    zplat::Session& session = zplat::GetSession();
    const std::vector<std::string> missing = session.MissingDisplayFeatures();
    if (!missing.empty()) {
        wxString list;
        for (const std::string& what : missing)
            list += (list.empty() ? "" : ", ") + wxString::FromUTF8(what);
        ShowFatalError(wxString::Format(_("System requires an X11 display with the XTEST, X Input 2 and SHAPE extensions. Missing: %s."), list));
        return false;
    }
    if (!session.ClaimInstance())
        return false; // the running instance was asked to show its launcher
    OpenDialogs.Register();
    session.SetShowRequestHandler([this] {
        ZLOG_INFO("A second start asked for the launcher.");
        ShowLauncher(true);
    });
    // Ending the session must not lose the settings: shut down as Quit does, without asking.
    // No box may hold the end either: records go to the verbose log and standard error
    // from now on, and the boxes already open are answered.
    session.SetTerminateHandler([this] {
        static bool ending = false;
        if (!ending) {
            ending = true;
            if (logWindow)
                logWindow->StopBoxes();
            else
                wxLog::SetActiveTarget(new wxLogStderr); // the old target may be showing its box: left alive
            // A toolkit loop may still run when the launcher goes, where leaving the main
            // loop is ignored: leave it from the main loop's own idle time.
            Bind(wxEVT_IDLE, [this](wxIdleEvent& event) {
                event.Skip();
                if (!launcher && GetMainLoop() && GetMainLoop()->IsRunning())
                    ExitMainLoop();
            });
        }
        OpenDialogs.EndAll([this] { Quit(false); });
    });

    zplat::CrashReport report;
    report.text = wxString(_("Oops!")).utf8_string() + ": " +
                  wxString(_("Zyn Utils was already stopped :(\nFor more information, please enable 'Verbose Mode' to generate a complete log file.")).utf8_string();
    report.envFlag = CrashReportFlag;
    zplat::InstallCrashHandler(report);
    return true;
}

bool InitManagers()
{
    bool ready = FontManager::Initial();
    ready = ready && HotkeyManager::Initial();
    ready = ready && BitmapManager::Initial();
    if (!ready) {
        ShowFatalError(_("An error occurred while initializing application."));
        return false;
    }
    SoundManager::Initial(); // a sound that failed stays silent
    CreateWidgets();
    return true;
}

void ReportFatalError()
{
    wxMessageBox(_("Zyn Utils was already stopped :(\nFor more information, please enable 'Verbose Mode' to generate a complete log file."),
                 _("Oops!"), kFatalStyle, nullptr);
}

bool ZynUtils::ShowLauncher(bool show)
{
    if (!launcher || ModalOpenFlag)
        return false;
    return launcher->Show(show);
}

bool ZynUtils::ToggleLauncher()
{
    if (!launcher || ModalOpenFlag)
        return false;
    launcher->Toggle();
    return true;
}

void ZynUtils::ShowPreference()
{
    // Over the launcher window; it lives until it is closed and keeps the modal flag set meanwhile.
    auto* preferences = new PreferenceFrame(LauncherWindow());
    preferences->Show(true);
}

void ZynUtils::ApplySettings()
{
    ConfigImpl* core = GetConfig(cfg::Core);
    CheckUpdateFlag = core->ReadBool(cfg::General, cfg::CheckUpdate, true);
    ShowSplashFlag = core->ReadBool(cfg::Appearance, cfg::ShowSplash, true);
    if (core->ReadBool(cfg::General, cfg::StartWithSystem, false))
        CreateStartupShortcut();
    else
        RemoveStartupShortcut();

    core->WriteString(cfg::Application, cfg::Name, AppName);
    core->WriteString(cfg::Application, cfg::Version, AppVersion);
    core->WriteString(cfg::Application, cfg::Author, AppAuthor);
    core->WriteString(cfg::Application, cfg::Web, AppWebHost);
    core->WriteString(cfg::Application, cfg::Date, AppDate);

    ButtonImpl::LoadSettings();
    LoadAnimateSpeed();
    LoadLaunchSettings();
    SoundManager::LoadSettings();
    LoadWidgetSettings();
    HotkeyManager::LoadSettings();
}

void ZynUtils::Quit(bool ask)
{
    if (ask && ShowConfirm(_("Are you sure to Exit ?")) == wxNO)
        return;
    ZLOG_INFO("Shutting down...");
    // Closing the launcher writes "launcher.xml"; its destruction ends the loop.
    if (launcher)
        launcher->Close(false);
    else
        Exit();
}

bool ZynUtils::ExecuteAction(const int& type, const wxString& command)
{
    bool result = false;
    switch (type) {
    case ACTION_PROGRAM:
        result = OpenProgram(command);
        break;
    case ACTION_FOLDER:
    case ACTION_URL:
        result = OpenInBrowser(command);
        break;
    case ACTION_COMMAND:
        result = RunCommand(command);
        break;
    case ACTION_PREFERENCE:
        ShowPreference();
        result = true;
        break;
    case ACTION_ABOUT:
        ShowAboutBox();
        return true;
    case ACTION_QUIT:
        Quit();
        return true;
    case ACTION_PLUGIN:
        ToggleWidget(command); // a refused switch still closes the launcher
        result = true;
        break;
    default:
        return false;
    }
    if (launcher)
        launcher->Show(false);
    return result;
}

wxAboutDialogInfo AboutBoxInfo()
{
    wxAboutDialogInfo info;
    info.SetName(AppName);
    info.SetVersion(AppVersion);
    info.SetDescription(_("A Veyrune Look'n'Feel launcher with powerful utilities."));
    info.SetCopyright(wxString::Format("(C) 2008-2013 %s", AppAuthor));
    info.SetWebSite(AppWebHost, AppWebHost);
    info.AddDeveloper("Program by Orvain (Tavrel)");
    info.AddDeveloper("\nwxWidgets by various developers and contributors");
    info.AddDeveloper("\nFreeType by David Turner, Robert Wilhelm, Werner Lemberg and contributors");
    info.AddTranslator("English by Orvain (Tavrel)");
    info.AddTranslator("\nSimplified Chinese by Orvain (Tavrel)");
    info.AddTranslator("\nTraditional Chinese by Orvain (Tavrel)");
    return info;
}

wxDialog* CreateAboutBox(wxWindow* parent)
{
    auto* box = new wxGenericAboutDialog(AboutBoxInfo(), parent);
    // The toolkit lays the texts one standard border off the edges, where they look
    // cut: a dialog's margin is two.
    if (wxSizer* top = box->GetSizer(); top && !top->IsEmpty()) {
        top->GetItem(size_t(0))->SetBorder(2 * wxSizerFlags::GetDefaultBorder());
        top->SetSizeHints(box);
        box->CentreOnScreen();
    }
    return box;
}

void ShowAboutBox()
{
    // Modal, so it stays above the launcher: on GTK the native box and
    // wxGenericAboutBox are both modeless.
    std::unique_ptr<wxDialog> box(CreateAboutBox(nullptr));
    box->ShowModal();
}
