// The real program with its default menu: the launcher opens by each of its
// roads, runs an entry's action and fades out; quitting asks, and the menu
// file is written back with the same tree, even when the program is killed
// while it writes.
#include <gtest/gtest.h>

// Before Xlib, whose macros (None) would clash with its names.
#include "NotifyLayout.h"

#include <X11/Xlib.h>
#include <X11/keysym.h>
#include <signal.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <chrono>
#include <iostream>
#include <filesystem>
#include <random>
#include <thread>

#include <wx/xml/xml.h>

#include "AppRunner.h"
#include "MenuXml.h"
#include "OtherWindow.h"
#include "ScreenProbe.h"
#include "XClient.h"

using zyntest::AppRunner;
using zyntest::Shell;
using zyntest::WaitUntil;

namespace {

// The default menu's root column at the fixed place of launch type 1.
const wxPoint RootPoint(300, 250);
const int RootPitch = 66; // icon item height and margin

std::string Core(const std::string& more = "")
{
    return "  <config catalog=\"General\">\n"
           "    <property key=\"VerboseMode\" value=\"1\"/>\n"
           "    <property key=\"CheckUpdate\" value=\"0\"/>\n"
           "  </config>\n"
           "  <config catalog=\"Appearance\">\n"
           "    <property key=\"ShowSplash\" value=\"0\"/>\n"
           "    <property key=\"LaunchType\" value=\"1\"/>\n"
           "  </config>\n" +
           more;
}

// Ctrl+Alt+Z and the gesture.
const char HotkeyAndGesture[] = "  <config catalog=\"Hotkey\">\n"
                                "    <property key=\"Enable\" value=\"1\"/>\n"
                                "    <property key=\"HotkeyType\" value=\"3\"/>\n"
                                "    <property key=\"HotkeyChar\" value=\"Z\"/>\n"
                                "    <property key=\"GestureType\" value=\"1\"/>\n"
                                "  </config>\n";

// The geometry of the shown window titled exactly title; an empty rectangle when none is shown.
wxRect Shown(const std::string& title)
{
    const std::string ids = Shell("xdotool search --onlyvisible --name '^" + title + "$' 2>/dev/null");
    if (ids.empty())
        return wxRect();
    const std::string text = Shell("xdotool getwindowgeometry --shell " + ids.substr(0, ids.find('\n')) + " 2>/dev/null");
    const auto value = [&](const std::string& key) {
        const size_t at = text.find(key + "=");
        return at == std::string::npos ? 0 : std::stoi(text.substr(at + key.size() + 1));
    };
    return wxRect(value("X"), value("Y"), value("WIDTH"), value("HEIGHT"));
}

// Waits until the window is shown and has stopped moving; its geometry then.
wxRect Settled(const std::string& title)
{
    wxRect last, now;
    WaitUntil([&] {
        last = now;
        now = Shown(title);
        if (now.IsEmpty() || now != last)
            std::this_thread::sleep_for(std::chrono::milliseconds(60));
        return !now.IsEmpty() && now == last;
    }, 5000);
    return now;
}

bool Gone(const std::string& title)
{
    return WaitUntil([&] { return Shown(title).IsEmpty(); }, 5000);
}

void ClickAt(zyntest::XClient& client, const wxPoint& p)
{
    client.MoveTo(p.x, p.y);
    client.Button(Button1, true);
    client.Button(Button1, false);
}

void ClickOn(zyntest::XClient& client, const std::string& title)
{
    const wxRect r = Settled(title);
    ASSERT_FALSE(r.IsEmpty()) << title << " is not shown";
    ClickAt(client, wxPoint(r.x + r.width / 2, r.y + r.height / 2));
}

// The launcher is up: the backdrop, and the root menu standing at its place.
bool LauncherShown()
{
    return !Settled("Zyn Utils - Launcher").IsEmpty() && Settled("Applications").GetPosition() == RootPoint;
}

// Hides the launcher with a click on its backdrop and waits until it is gone.
bool HideByBackdrop(zyntest::XClient& client)
{
    ClickAt(client, wxPoint(1700, 950));
    return Gone("Zyn Utils - Launcher") && Gone("Applications");
}

// The tree of a menu file as the program reads it.
std::unique_ptr<wxXmlDocument> ReadMenuFile(const std::string& path)
{
    auto doc = std::make_unique<wxXmlDocument>();
    if (!MenuXml::Load(*doc, path))
        doc.reset();
    return doc;
}

// A program first on the search path that writes its arguments to marker, one a line.
void FakeProgram(const std::string& path, const std::string& marker)
{
    zyntest::WriteFile(path, "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > '" + marker + ".part'\nmv '" +
                                 marker + ".part' '" + marker + "'\n");
    std::filesystem::permissions(path, std::filesystem::perms(0755));
}

std::string BuildDir() { return std::filesystem::path(ZYN_BIN_DIR).parent_path().string(); }

class Launch : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(client);
        std::filesystem::create_directory(app.PathOf("bin"));
        // The default menu's "Terminal" row runs x-terminal-emulator.
        FakeProgram(app.PathOf("bin/x-terminal-emulator"), app.PathOf("terminal.txt"));
        path = "PATH=" + app.PathOf("bin") + ":" + getenv("PATH");
        original = app.PathOf("default-launcher.xml");
        std::filesystem::copy_file(app.PathOf("launcher.xml"), original);
    }

    pid_t Start(const std::string& core)
    {
        std::filesystem::remove(app.PathOf("Verbose.log"));
        app.WriteCore(core);
        const pid_t pid = app.Start({path});
        EXPECT_TRUE(app.WaitForLog("Zyn Utils is ready.")) << app.Output() << app.Log();
        return pid;
    }

    zyntest::XClient client;
    AppRunner app;
    std::string path;
    std::string original; // a copy of the build's default menu
};

// Every road opens the launcher: a second start, the tray icon, the hot key and the gesture.
TEST_F(Launch, EveryRoadOpensTheLauncher)
{
    Display* d = *client;
    Start(Core(HotkeyAndGesture));
    ASSERT_TRUE(WaitUntil([&] { return client.FindTrayIcon("zyn-utils") != 0; }, 15000)) << app.Output();
    // A plain window of another program, where the gesture is made.
    zyntest::OtherWindow other(d);
    ASSERT_TRUE(other.Receives(MapNotify));

    struct Road {
        const char* name;
        std::function<void()> open;
    };
    const Road roads[] = {
        {"second start", [&] { app.WaitExit(app.Start({path})); }},
        {"tray icon",
         [&] {
             const Window icon = client.FindTrayIcon("zyn-utils");
             XWindowAttributes attrs;
             XGetWindowAttributes(d, icon, &attrs);
             int x = 0, y = 0;
             Window child;
             XTranslateCoordinates(d, icon, DefaultRootWindow(d), attrs.width / 2, attrs.height / 2, &x, &y, &child);
             ClickAt(client, wxPoint(x, y));
         }},
        {"hot key", [&] { client.Chord({XK_Control_L, XK_Alt_L}, XK_z); }},
        {"gesture",
         [&] {
             // The program reads the cursor when it sees a button: the drag waits for its answer.
             ASSERT_TRUE(other.HoldLeftPressRight(client));
             int x = 0, y = 0;
             client.Pointer(x, y);
             client.MoveTo(x, y + 300);
             client.Button(Button3, false);
             client.Button(Button1, false);
         }},
    };
    for (const Road& road : roads) {
        SCOPED_TRACE(road.name);
        road.open();
        EXPECT_TRUE(LauncherShown()) << app.Log();
        EXPECT_TRUE(HideByBackdrop(client));
    }
    // The hot key also hides it.
    client.Chord({XK_Control_L, XK_Alt_L}, XK_z);
    ASSERT_TRUE(LauncherShown());
    client.Chord({XK_Control_L, XK_Alt_L}, XK_z);
    EXPECT_TRUE(Gone("Zyn Utils - Launcher"));
}

// The main road: open, a sub-menu, a row's action, the fade; then quit with the
// question, and the menu file holds the tree it was read from.
TEST_F(Launch, AnEntryRunsItsActionAndQuittingWritesTheSameTreeBack)
{
    const pid_t pid = Start(Core());
    app.WaitExit(app.Start({path})); // a show request
    ASSERT_TRUE(LauncherShown()) << app.Log();

    ClickOn(client, "Applications");
    ClickOn(client, "Terminal");
    ASSERT_TRUE(WaitUntil([&] { return std::filesystem::exists(app.PathOf("terminal.txt")); })) << app.Log();
    EXPECT_EQ(zyntest::ReadFile(app.PathOf("terminal.txt")), "");
    EXPECT_TRUE(Gone("Zyn Utils - Launcher")) << "the launcher fades out after the action";
    EXPECT_TRUE(Gone("Terminal")) << "with its open sub-menu";

    // Screenshots of the open launcher: a list menu, then a catalog with its list.
    app.WaitExit(app.Start({path}));
    ASSERT_TRUE(LauncherShown());
    ClickOn(client, "Internet");
    EXPECT_FALSE(Settled("Debian").IsEmpty());
    Shell("import -window root '" + BuildDir() + "/launcher-list.png'");
    ClickOn(client, "Places");
    ClickOn(client, "Personal");
    EXPECT_FALSE(Settled("Home Folder").IsEmpty());
    EXPECT_TRUE(Gone("Debian")) << "one sub-menu of the root at a time";
    Shell("import -window root '" + BuildDir() + "/launcher-catalog.png'");

    // Settings, Logout: the question, answered yes.
    std::filesystem::remove(app.PathOf("launcher.xml"));
    ClickOn(client, "Settings");
    ClickOn(client, "Logout");
    const wxRect alert = Settled("Zyn Alert");
    ASSERT_FALSE(alert.IsEmpty()) << app.Log();
    EXPECT_FALSE(std::filesystem::exists(app.PathOf("launcher.xml"))) << "nothing is written before the answer";
    // Its buttons take clicks once it has unfolded: click until it goes.
    const wxPoint yes = alert.GetPosition() + YesButtonOrigin + wxPoint(20, 20);
    EXPECT_TRUE(WaitUntil([&] {
        ClickAt(client, yes);
        return WaitUntil([] { return Shown("Zyn Alert").IsEmpty(); }, 300);
    }, 10000));
    const int status = app.WaitExit(pid);
    ASSERT_TRUE(WIFEXITED(status)) << status << app.Output();
    const std::string log = app.Log();
    EXPECT_LT(log.find("Shutting down..."), log.find("Exiting...")) << log;

    const std::string written = zyntest::ReadFile(app.PathOf("launcher.xml"));
    ASSERT_FALSE(written.empty());
    auto before = ReadMenuFile(original);
    auto after = ReadMenuFile(app.PathOf("launcher.xml"));
    ASSERT_TRUE(before && after);
    EXPECT_TRUE(MenuXml::SameData(before->GetRoot(), after->GetRoot())) << written;
    EXPECT_FALSE(std::filesystem::exists(app.PathOf("launcher.xml.bak"))) << "the default menu reads completely";

    // The next run reads what this one wrote and writes it again byte for byte.
    const pid_t next = Start(Core());
    kill(next, SIGTERM);
    ASSERT_NE(app.WaitExit(next), -1);
    EXPECT_EQ(zyntest::ReadFile(app.PathOf("launcher.xml")), written);
}

// The end of the session closes the launcher without a question: the menu
// file and the settings are written, shown or not.
TEST_F(Launch, TheSessionsEndClosesTheLauncherWithoutAsking)
{
    const struct {
        int signal;
        bool shown;
    } cases[] = {{SIGTERM, true}, {SIGHUP, true}, {SIGHUP, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.signal);
        SCOPED_TRACE(c.shown);
        const pid_t pid = Start(Core());
        if (c.shown) {
            app.WaitExit(app.Start({path}));
            ASSERT_TRUE(LauncherShown()) << app.Log();
        }
        std::filesystem::remove(app.PathOf("launcher.xml"));
        std::filesystem::remove(app.PathOf("Configs/Core.xml"));
        kill(pid, c.signal);
        const int status = app.WaitExit(pid);
        ASSERT_TRUE(WIFEXITED(status)) << status << app.Output();
        EXPECT_EQ(WEXITSTATUS(status), 0);
        EXPECT_TRUE(Shown("Zyn Alert").IsEmpty());
        auto written = ReadMenuFile(app.PathOf("launcher.xml"));
        auto before = ReadMenuFile(original);
        ASSERT_TRUE(written && before);
        EXPECT_TRUE(MenuXml::SameData(before->GetRoot(), written->GetRoot()));
        EXPECT_NE(zyntest::ReadFile(app.PathOf("Configs/Core.xml")).find("LaunchType"), std::string::npos);
        const std::string log = app.Log();
        EXPECT_LT(log.find("Shutting down..."), log.find("Exiting...")) << log;
    }
}

// Killed at any moment of a save, the program leaves a menu file that reads
// as the old tree or the new one, never a part of one, and a settings file that reads.
TEST_F(Launch, KilledWhileSavingNeverLeavesAFileThatFailsToRead)
{
    const std::string file = app.PathOf("launcher.xml");
    app.WriteCore(Core());
    auto expected = ReadMenuFile(file);
    ASSERT_TRUE(expected);
    std::mt19937 random(20130309);
    const int inotify = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    ASSERT_GE(inotify, 0);
    inotify_add_watch(inotify, app.Dir().c_str(), IN_CREATE | IN_MOVED_TO);
    int killedDuringWrite = 0;
    int leftUnfinished = 0; // kills that left the temporary file: the write was cut short
    const int runs = 200;
    for (int run = 0; run < runs; ++run) {
        SCOPED_TRACE(run);
        std::filesystem::remove(app.PathOf("Verbose.log"));
        const pid_t pid = app.Start({path});
        ASSERT_TRUE(app.WaitForLog("Zyn Utils is ready.")) << app.Output();
        char events[4096];
        while (read(inotify, events, sizeof events) > 0) {
        }
        kill(pid, SIGTERM);
        if (run % 2 == 0) {
            // At the temporary file's creation: the write has begun.
            WaitUntil([&] {
                const ssize_t n = read(inotify, events, sizeof events);
                for (ssize_t at = 0; at < n;) {
                    const auto* e = reinterpret_cast<const inotify_event*>(events + at);
                    if (e->len && std::string(e->name) == "launcher.xml.tmp")
                        return true;
                    at += static_cast<ssize_t>(sizeof(inotify_event) + e->len);
                }
                return false;
            }, 2000);
            ++killedDuringWrite;
        } else {
            std::this_thread::sleep_for(std::chrono::microseconds(random() % 20000));
        }
        kill(pid, SIGKILL);
        ASSERT_NE(app.WaitExit(pid), -1);
        leftUnfinished += std::filesystem::exists(app.PathOf("launcher.xml.tmp"));
        auto doc = ReadMenuFile(file);
        ASSERT_TRUE(doc) << zyntest::ReadFile(file);
        ASSERT_TRUE(MenuXml::SameData(expected->GetRoot(), doc->GetRoot())) << zyntest::ReadFile(file);
        // The settings, written right after, have the same guarantee.
        auto settings = ReadMenuFile(app.PathOf("Configs/Core.xml"));
        ASSERT_TRUE(settings && settings->GetRoot()) << zyntest::ReadFile(app.PathOf("Configs/Core.xml"));
        ASSERT_EQ(settings->GetRoot()->GetName(), "Core");
    }
    close(inotify);
    EXPECT_EQ(killedDuringWrite, runs / 2);
    EXPECT_GT(leftUnfinished, 0);
    std::cout << leftUnfinished << " of " << runs << " kills cut a write short\n";
}

} // namespace
