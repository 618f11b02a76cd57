// The application's entry points around the launcher: the actions of the
// launcher's entries (what they start, with which arguments, and whether the
// launcher fades out), the about box, quitting, and applying the settings.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include <wx/aboutdlg.h>
#include <wx/collpane.h>
#include <wx/generic/aboutdlgg.h>
#include <wx/hyperlink.h>
#include <wx/stattext.h>
#include <wx/testing.h>
#include <wx/weakref.h>

#include "AlertObject.h"
#include "ButtonImpl.h"
#include "ConfigImpl.h"
#include "ConfigKeys.h"
#include "HotkeyManager.h"
#include "LaunchWindow.h"
#include "LauncherFixture.h"
#include "PreferenceFrame.h"
#include "SoundManager.h"
#include "SystemPaths.h"

using zyntest::ExpectAlert;
using zyntest::LauncherTest;
using zyntest::LogCapture;
using zyntest::PumpUntil;
using zyntest::ReadFile;

namespace {

// Every text the about box shows, collapsed parts included.
class ExpectAbout : public wxExpectModalBase<wxGenericAboutDialog, ExpectAbout> {
public:
    explicit ExpectAbout(std::string& texts) : texts(texts) {}

protected:
    int OnInvoked(wxGenericAboutDialog* dialog) const override
    {
        Collect(dialog);
        return wxID_OK;
    }

private:
    void Collect(wxWindow* window) const
    {
        if (auto* text = dynamic_cast<wxStaticText*>(window))
            texts += text->GetLabel().utf8_string() + "|";
        if (auto* link = dynamic_cast<wxHyperlinkCtrl*>(window))
            texts += link->GetLabel().utf8_string() + "@" + link->GetURL().utf8_string() + "|";
        for (wxWindow* child : window->GetChildren())
            Collect(child);
    }
    std::string& texts;
};

class ActionDispatch : public LauncherTest {
protected:
    void SetUp() override
    {
        LauncherTest::SetUp();
        appDir = std::make_unique<zyntest::ScopedAppDir>();
        zyntest::WriteFile(*appDir / "launcher.xml",
                           "<Launcher><menu type=\"1\"><item><name>A</name><icon><normal/><hover/><press/></icon>"
                           "<panel><type>0</type><descrip/><image/></panel></item></menu></Launcher>");
        launcher = new LaunchWindow();
        wxGetApp().launcher = launcher;
        // Programs the actions start, first on the search path: each records its arguments, one a line.
        std::filesystem::create_directory(Bin());
        for (const char* program : {"xdg-open", "recorder"})
            MakeProgram(Bin() + "/" + program, Bin() + "/" + program + ".txt");
        oldPath = getenv("PATH");
        setenv("PATH", (Bin() + ":" + oldPath).c_str(), 1);
    }

    void TearDown() override
    {
        setenv("PATH", oldPath.c_str(), 1);
        if (launcher)
            launcher->Destroy();
        wxGetApp().launcher = nullptr;
        LauncherTest::TearDown();
        appDir.reset();
    }

    std::string Bin() const { return *appDir / "bin"; }

    static void MakeProgram(const std::string& path, const std::string& record)
    {
        zyntest::WriteFile(path, "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > '" + record + ".part'\nmv '" +
                                     record + ".part' '" + record + "'\n");
        std::filesystem::permissions(path, std::filesystem::perms(0755));
    }

    // The arguments the program recorded (waited for), then forgotten.
    std::string Recorded(const std::string& program)
    {
        const std::string record = Bin() + "/" + program + ".txt";
        PumpUntil([&] { return std::filesystem::exists(record); }, 5000);
        const std::string text = ReadFile(record);
        std::filesystem::remove(record);
        return text;
    }

    void ShowLauncher()
    {
        launcher->Toggle();
        Settle();
        ASSERT_TRUE(launcher->IsShownLauncher());
    }

    std::unique_ptr<zyntest::ScopedAppDir> appDir;
    wxWeakRef<LaunchWindow> launcher;
    std::string oldPath;
};

TEST_F(ActionDispatch, ActionsStartWhatTheyNameAndTheLauncherFadesOutAfterThem)
{
    const std::string folder = *appDir / "a 'b' \"c\"";
    const std::string document = folder + "/my file.txt";
    const std::string program = Bin() + "/my program";
    std::filesystem::create_directory(folder);
    zyntest::WriteFile(document, "text");
    MakeProgram(program, Bin() + "/program.txt");
    // Paths that start with a dash, relative to the working directory.
    const std::filesystem::path cwd = std::filesystem::current_path();
    std::filesystem::current_path(appDir->Path());
    struct BackTo {
        std::filesystem::path dir;
        ~BackTo() { std::filesystem::current_path(dir); }
    } backTo{cwd};
    std::filesystem::create_directory("--version");
    zyntest::WriteFile("-notes.txt", "text");
    struct Case {
        const char* name;
        int type;
        std::string command;
        bool result;
        bool hides;
        std::string recorder; // the program whose arguments are checked, or ""
        std::string arguments;
    };
    const std::vector<Case> cases = {
        {"none", ACTION_NONE, "", false, false, "", ""},
        {"sub-menu", ACTION_SUBMENU, "", false, false, "", ""},
        {"unknown", 7, "recorder x", false, false, "", ""},
        {"program", ACTION_PROGRAM, program, true, true, "program", ""},
        {"document", ACTION_PROGRAM, document, true, true, "xdg-open", document + "\n"},
        {"program on the search path", ACTION_PROGRAM, "recorder", true, true, "recorder", ""},
        {"folder as program", ACTION_PROGRAM, folder, true, true, "xdg-open", folder + "\n"},
        {"address as program", ACTION_PROGRAM, "mailto:a@example.org", true, true, "xdg-open", "mailto:a@example.org\n"},
        {"no such file", ACTION_PROGRAM, folder + "/gone.txt", false, true, "", ""},
        {"no such program", ACTION_PROGRAM, "no-such-program-here", false, true, "", ""},
        {"folder", ACTION_FOLDER, folder, true, true, "xdg-open", folder + "\n"},
        {"address", ACTION_URL, "https://example.org/a b?c=\"d\"", true, true, "xdg-open", "https://example.org/a b?c=\"d\"\n"},
        // As the toolkit's browser call: text without a scheme that names no file is a web address.
        {"address without a scheme", ACTION_URL, "www.example.org/a?b", true, true, "xdg-open", "http://www.example.org/a?b\n"},
        {"host and port", ACTION_URL, "user@[::1]:8080/x", true, true, "xdg-open", "http://user@[::1]:8080/x\n"},
        // Never an option of the opener.
        {"folder named like an option", ACTION_FOLDER, "--version", true, true, "xdg-open", "./--version\n"},
        {"document named like an option", ACTION_PROGRAM, "-notes.txt", true, true, "xdg-open", "./-notes.txt\n"},
        {"option as an address", ACTION_URL, "--help", false, true, "", ""},
        {"no host", ACTION_URL, "/x?y", false, true, "", ""},
        {"line break", ACTION_URL, "https://example.org/\n--help", false, true, "", ""},
        {"empty address", ACTION_URL, "", false, true, "", ""},
        {"command", ACTION_COMMAND, "recorder \"two words\" 'single quoted' plain\\ escaped \"\"", true, true, "recorder",
         "two words\nsingle quoted\nplain escaped\n\n"},
        {"no such command", ACTION_COMMAND, "/nonexistent/program", false, true, "", ""},
        {"empty command", ACTION_COMMAND, "", false, true, "", ""},
        {"widget", ACTION_PLUGIN, "HP Bar", true, true, "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ShowLauncher();
        LogCapture capture; // a failed start is logged
        EXPECT_EQ(wxGetApp().ExecuteAction(c.type, c.command), c.result);
        EXPECT_EQ(launcher->IsShownLauncher(), !c.hides);
        if (!c.recorder.empty()) {
            EXPECT_EQ(Recorded(c.recorder), c.arguments);
        }
        EXPECT_EQ(capture.Texts(wxLOG_Error).empty(), c.result || !c.hides) << capture.Text();
        Settle();
        EXPECT_EQ(launcher->IsShown(), !c.hides);
        if (!c.hides) {
            launcher->Toggle();
            Settle();
        }
    }
}

// The opener answers only by its exit: the launcher does not wait for it, and a
// failure is reported once it has ended, like a program that cannot start, with
// what the opener said in the log instead of on the terminal.
TEST_F(ActionDispatch, AFailedOpenIsReportedWhenTheOpenerEndsAndWhatItSaysGoesToTheLog)
{
    const std::string release = *appDir / "release";
    zyntest::WriteFile(Bin() + "/xdg-open", "#!/bin/sh\nwhile [ ! -e '" + release +
                                                "' ]; do sleep 0.05; done\n"
                                                "echo \"xdg-open: no method available for opening '$1'\" >&2\n"
                                                "echo 'on standard output'\nexit 4\n");
    // The terminal is a file for the test's time.
    const std::string terminal = *appDir / "terminal.txt";
    fflush(stdout);
    fflush(stderr);
    const int savedOut = dup(STDOUT_FILENO), savedErr = dup(STDERR_FILENO);
    const int file = open(terminal.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ASSERT_GE(file, 0);
    dup2(file, STDOUT_FILENO);
    dup2(file, STDERR_FILENO);
    close(file);

    ShowLauncher();
    LogCapture capture;
    const std::string address = "https://example.org/unopenable";
    EXPECT_TRUE(wxGetApp().ExecuteAction(ACTION_URL, address)) << "the opener started";
    EXPECT_FALSE(launcher->IsShownLauncher());
    EXPECT_TRUE(capture.Texts(wxLOG_Error).empty()) << "reported before the opener ended: " << capture.Text();
    zyntest::WriteFile(release, "");
    const bool reported = PumpUntil([&] { return !capture.Texts(wxLOG_Error).empty(); }, 10000);

    dup2(savedOut, STDOUT_FILENO);
    dup2(savedErr, STDERR_FILENO);
    close(savedOut);
    close(savedErr);
    ASSERT_TRUE(reported) << capture.Text();
    EXPECT_EQ(capture.Texts(wxLOG_Error),
              std::vector<std::string>{"Cannot open \"" + address + "\": xdg-open ended with status 4."});
    EXPECT_TRUE(capture.Contains("xdg-open: no method available for opening '" + address + "'")) << capture.Text();
    EXPECT_TRUE(capture.Contains("on standard output")) << capture.Text();
    EXPECT_EQ(ReadFile(terminal).find("no method available"), std::string::npos) << ReadFile(terminal);
}

TEST_F(ActionDispatch, TheAboutBoxTellsWhatTheProgramIsAndTheLauncherStays)
{
    ShowLauncher();
    std::string texts;
    wxTEST_DIALOG(EXPECT_TRUE(wxGetApp().ExecuteAction(ACTION_ABOUT, "")), ExpectAbout(texts));
    EXPECT_TRUE(launcher->IsShownLauncher());
    for (const std::string& shown :
         {std::string("Zyn Utils"), std::string("Alpha1"), std::string("A Veyrune Look'n'Feel launcher with powerful utilities."),
          std::string("2008-2013"), std::string(AppWebHost), std::string("Program by Orvain (Tavrel)"),
          std::string("wxWidgets by various developers and contributors"), std::string("FreeType by"),
          std::string("English by Orvain (Tavrel)"), std::string("Simplified Chinese by Orvain (Tavrel)"),
          std::string("Traditional Chinese by Orvain (Tavrel)")})
        EXPECT_NE(texts.find(shown), std::string::npos) << shown << " is not in " << texts;
}

TEST_F(ActionDispatch, QuitAsksAndOnYesClosesTheLauncherWhichWritesTheFile)
{
    ShowLauncher();
    LogCapture capture;
    wxTEST_DIALOG(EXPECT_TRUE(wxGetApp().ExecuteAction(ACTION_QUIT, "")), ExpectAlert(wxNO));
    EXPECT_TRUE(launcher->IsShownLauncher()) << "answered no, nothing happens";
    EXPECT_FALSE(capture.Contains("Shutting down..."));
    std::filesystem::remove(*appDir / "launcher.xml");

    wxTEST_DIALOG(wxGetApp().Quit(), ExpectAlert(wxYES));
    const auto shutting = std::find_if(capture.lines.begin(), capture.lines.end(),
                                       [](const zyntest::LogLine& line) { return line.text == "Shutting down..."; });
    ASSERT_NE(shutting, capture.lines.end()) << capture.Text();
    EXPECT_EQ(shutting->level, wxLOG_Info);
    EXPECT_EQ(shutting->source, "src/ZynUtils");
    EXPECT_EQ(shutting->function, "Quit");
    EXPECT_NE(ReadFile(*appDir / "launcher.xml").find("<name>A</name>"), std::string::npos);
    EXPECT_TRUE(launcher && launcher->IsClosing()) << "it fades out first";
    Settle();
    EXPECT_FALSE(launcher);
    EXPECT_EQ(wxGetApp().launcher, nullptr);
    EXPECT_FALSE(wxGetApp().ShowLauncher(true));
    EXPECT_FALSE(wxGetApp().ToggleLauncher());
}

TEST_F(ActionDispatch, ThePreferencesOpenOverTheLauncherWhichFadesOut)
{
    ShowLauncher();
    LogCapture capture; // the window's tool pictures are not in this directory
    EXPECT_TRUE(wxGetApp().ExecuteAction(ACTION_PREFERENCE, ""));
    PreferenceFrame* preferences = nullptr;
    for (wxWindow* w : wxTopLevelWindows)
        if (auto* p = dynamic_cast<PreferenceFrame*>(w))
            preferences = p;
    ASSERT_NE(preferences, nullptr);
    EXPECT_EQ(preferences->GetParent(), launcher.get());
    EXPECT_TRUE(ModalOpenFlag);
    EXPECT_FALSE(launcher->IsShownLauncher());
    // While it is open nothing opens the launcher.
    EXPECT_FALSE(wxGetApp().ShowLauncher(true));
    EXPECT_FALSE(wxGetApp().ToggleLauncher());
    preferences->Close();
    Settle();
    EXPECT_FALSE(ModalOpenFlag);
    EXPECT_FALSE(launcher->IsShown());
}

// Everything the settings reach, as it stands after applying them.
std::string AppliedState(const zyntest::ScopedAppDir& dir)
{
    GetConfig(cfg::Core)->Flush();
    const wxString flags = wxString::Format("%d%d %d %d%d %d %d %d,%d %d%d", CheckUpdateFlag, ShowSplashFlag, AnimationDuration,
                                            PressInterval, LockingModeFlag, Launch::BackdropAlpha, Launch::LaunchMode,
                                            Launch::LaunchPoint.x, Launch::LaunchPoint.y, SoundEnabledFlag, HotkeyEnabledFlag);
    return flags.utf8_string() + "\n" + ReadFile(dir / "Configs/Core.xml") + ReadFile(StartupShortcutPath().utf8_string());
}

TEST_F(ActionDispatch, ApplyingTheSettingsTwiceLeavesWhatApplyingThemOnceLeaves)
{
    ConfigImpl* core = GetConfig(cfg::Core);
    core->WriteBool(cfg::General, cfg::CheckUpdate, false);
    core->WriteBool(cfg::General, cfg::StartWithSystem, true);
    core->WriteBool(cfg::General, cfg::LockingMode, true);
    core->WriteLong(cfg::General, cfg::PressTimeout, 1);
    core->WriteLong(cfg::Appearance, cfg::AnimateSpeed, -1);
    core->WriteLong(cfg::Appearance, cfg::LaunchType, 2);
    core->WriteLong(cfg::Appearance, cfg::BackgroundDensity, 200);
    core->WriteBool(cfg::Sound, cfg::Enable, false);
    wxGetApp().ApplySettings();
    const std::string once = AppliedState(*appDir);
    EXPECT_EQ(once.substr(0, once.find('\n')), "01 125 10001 200 2 810,250 01");
    EXPECT_NE(once.find("Exec="), std::string::npos) << "the start-up entry is written";
    wxGetApp().ApplySettings();
    EXPECT_EQ(AppliedState(*appDir), once);
    core->Clear();
    wxGetApp().ApplySettings();
}

} // namespace
