// The real program with its default menu: the launcher opens by each of its
// roads, runs an entry's action and fades out; quitting asks, and the menu
// file is written back with the same tree, even when the program is killed
// while it writes.
#include <gtest/gtest.h>

// Before Xlib, whose macros (None) would clash with its names.
#include "NotifyLayout.h"

#include <X11/Xlib.h>
#include <X11/keysym.h>
#include <poll.h>
#include <signal.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <functional>
#include <iterator>
#include <random>
#include <thread>

#include <wx/arrstr.h>
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

std::string Core(const std::string& more = "")
{
    return AppRunner::QuietVerboseCatalogs({{"Appearance/LaunchType", "1"}}, more);
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
    const std::string id = zyntest::FindWindow(title, true);
    if (id.empty())
        return wxRect();
    const std::string text = Shell("xdotool getwindowgeometry --shell " + id + " 2>/dev/null");
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

// Answers the open alert with Yes; its buttons take clicks once it has
// unfolded, so it is clicked until it goes.
bool AnswerYes(zyntest::XClient& client)
{
    const wxRect alert = Settled("Zyn Alert");
    if (alert.IsEmpty())
        return false;
    const wxPoint yes = alert.GetPosition() + YesButtonOrigin + wxPoint(20, 20);
    return WaitUntil([&] {
        ClickAt(client, yes);
        return WaitUntil([] { return Shown("Zyn Alert").IsEmpty(); }, 300);
    }, 10000);
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

// The element of the first <item> of the tree (depth first) named name; nullptr when none is.
wxXmlNode* ItemNamed(wxXmlNode* node, const wxString& name)
{
    for (wxXmlNode* child = node->GetChildren(); child; child = child->GetNext()) {
        if (child->GetType() != wxXML_ELEMENT_NODE)
            continue;
        if (child->GetName() == "item" && child->GetChildren() && MenuXml::Content(child->GetChildren()) == name)
            return child;
        if (wxXmlNode* found = ItemNamed(child, name))
            return found;
    }
    return nullptr;
}

// Replaces the text of the element's child named name (the first child of path "a/b").
void SetChildText(wxXmlNode* element, const wxString& path, const wxString& text)
{
    wxXmlNode* node = element;
    for (const wxString& name : wxSplit(path, '/')) {
        node = node->GetChildren();
        while (node && node->GetName() != name)
            node = node->GetNext();
        ASSERT_TRUE(node) << path;
    }
    ASSERT_TRUE(node->GetChildren()) << path;
    node->GetChildren()->SetContent(text);
}

// The X window of the shown top-level titled exactly title (0 when none is) and its
// area on the screen: window managers frame their windows, so the area is asked of the server.
Window ShownWindow(Display* d, const std::string& title, wxRect* area = nullptr)
{
    const std::string id = zyntest::FindWindow(title, true);
    if (id.empty())
        return 0;
    const Window w = std::stoul(id);
    XWindowAttributes attrs;
    int x = 0, y = 0;
    Window child;
    if (!XGetWindowAttributes(d, w, &attrs) ||
        !XTranslateCoordinates(d, w, DefaultRootWindow(d), 0, 0, &x, &y, &child))
        return 0;
    if (area)
        *area = wxRect(x, y, attrs.width, attrs.height);
    return w;
}

// Whether the window titled title is shown and has the keyboard (the window manager made it active).
bool Active(Display* d, const std::string& title)
{
    const Window w = ShownWindow(d, title);
    return w && std::strtoul(Shell("xdotool getactivewindow 2>/dev/null").c_str(), nullptr, 10) == w;
}

// A digest of the screen's pixels in the rectangle.
std::string ScreenDigest(const wxRect& r)
{
    return Shell("import -window root -crop " + std::to_string(r.width) + "x" + std::to_string(r.height) + "+" +
                 std::to_string(r.x) + "+" + std::to_string(r.y) + " +repage rgb:- | md5sum");
}

// The digest once two pictures in a row agree: no animation is under way there.
std::string SteadyDigest(const wxRect& r)
{
    std::string last, now = ScreenDigest(r);
    WaitUntil([&] {
        last = now;
        now = ScreenDigest(r);
        return now == last;
    });
    return now;
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

    // A long press on the row, then a click on the edit entry that slid out over it.
    void Choose(const wxRect& row, const std::string& entry)
    {
        client.MoveTo(row.x + row.width / 2, row.y + row.height / 2);
        client.Button(Button1, true);
        const bool entries = WaitUntil([&] { return !Shown(entry).IsEmpty(); });
        client.Button(Button1, false);
        ASSERT_TRUE(entries) << app.Log();
        ClickOn(client, entry);
    }

    // Opens the tray icon's menu and chooses the entry of the mnemonic key.
    void TrayMenu(KeySym mnemonic)
    {
        int x = 0, y = 0;
        ASSERT_TRUE(WaitUntil([&] { return client.TrayIconCentre("zyn-utils", x, y); }, 15000)) << app.Output();
        client.MoveTo(x, y);
        client.Button(Button3, true);
        client.Button(Button3, false);
        ASSERT_TRUE(WaitUntil([&] { return client.PopupMenuShown(); })) << "no tray menu";
        client.Chord({}, mnemonic);
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
             int x = 0, y = 0;
             ASSERT_TRUE(WaitUntil([&] { return client.TrayIconCentre("zyn-utils", x, y); }));
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
    ASSERT_FALSE(Settled("Zyn Alert").IsEmpty()) << app.Log();
    EXPECT_FALSE(std::filesystem::exists(app.PathOf("launcher.xml"))) << "nothing is written before the answer";
    EXPECT_TRUE(AnswerYes(client));
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

// A started program gets the environment the user started the program with, not
// what the program sets for its toolkit.
TEST_F(Launch, StartedProgramsGetTheUsersEnvironment)
{
    zyntest::WriteFile(app.PathOf("bin/x-terminal-emulator"),
                       "#!/bin/sh\nenv > '" + app.PathOf("env.part") + "'\nmv '" + app.PathOf("env.part") + "' '" +
                           app.PathOf("env.txt") + "'\n");
    std::filesystem::remove(app.PathOf("Verbose.log"));
    app.WriteCore(Core());
    app.Start({path, "GDK_BACKEND=wayland", "NO_AT_BRIDGE", "GDK_GL", "ZYN_USER_MARK=kept"});
    ASSERT_TRUE(app.WaitForLog("Zyn Utils is ready.")) << app.Output() << app.Log();
    app.WaitExit(app.Start({path}));
    ASSERT_TRUE(LauncherShown()) << app.Log();
    ClickOn(client, "Applications");
    ClickOn(client, "Terminal");
    ASSERT_TRUE(WaitUntil([&] { return std::filesystem::exists(app.PathOf("env.txt")); })) << app.Log();
    const std::string env = "\n" + zyntest::ReadFile(app.PathOf("env.txt"));
    EXPECT_NE(env.find("\nGDK_BACKEND=wayland\n"), std::string::npos) << env;
    EXPECT_EQ(env.find("\nNO_AT_BRIDGE="), std::string::npos) << env;
    EXPECT_EQ(env.find("\nGDK_GL="), std::string::npos) << env;
    EXPECT_NE(env.find("\nZYN_USER_MARK=kept\n"), std::string::npos) << env;
}

// The launcher's list rows edited in the real editor, with real input: the
// edit entries of a long press, the editor above the launcher with the
// keyboard, its URL prompt, OK; then quitting writes the menu file.
class EditRow : public Launch {
protected:
    // Opens the launcher and the root's "Applications" list; the "Terminal" row's place.
    wxRect OpenApplications()
    {
        pid = Start(Core());
        app.WaitExit(app.Start({path}));
        EXPECT_TRUE(LauncherShown()) << app.Log();
        ClickOn(client, "Applications");
        return Settled("Terminal");
    }

    // Types the name into the open editor, then keys that lead from the name's
    // field to the URL kind's browse button and press it; types the address
    // into the prompt and accepts both.
    void Edit(const std::string& name, const std::string& keysToBrowse, const std::string& url)
    {
        Display* d = *client;
        const std::string editor = "Zyn Utils - Icon Settings";
        // The editor comes above the launcher with the keyboard, in the name's field.
        ASSERT_TRUE(WaitUntil([&] { return Active(d, editor); })) << app.Log();
        Shell("xdotool key ctrl+a && xdotool type " + name);
        Shell("xdotool key " + keysToBrowse);
        ASSERT_TRUE(WaitUntil([&] { return Active(d, "URL"); })) << app.Log();
        Shell("xdotool key ctrl+a && xdotool type " + url + " && xdotool key Return");
        ASSERT_TRUE(Gone("URL"));
        ASSERT_TRUE(WaitUntil([&] { return Active(d, editor); }));
        // OK is the tool at the left end of the bottom bar.
        wxRect area;
        ASSERT_TRUE(ShownWindow(d, editor, &area));
        EXPECT_TRUE(WaitUntil([&] {
            ClickAt(client, wxPoint(area.x + 30, area.GetBottom() - 28));
            return Gone(editor);
        }, 10000));
    }

    // Quits through "Settings", "Logout" and the question; the menu file as written then.
    std::unique_ptr<wxXmlDocument> Quit()
    {
        std::filesystem::remove(app.PathOf("launcher.xml"));
        ClickOn(client, "Settings");
        ClickOn(client, "Logout");
        EXPECT_TRUE(AnswerYes(client)) << app.Log();
        const int status = app.WaitExit(pid);
        EXPECT_TRUE(WIFEXITED(status)) << status << app.Output();
        return ReadMenuFile(app.PathOf("launcher.xml"));
    }

    pid_t pid = -1;
};

// "Modify": the row shows its new name at once in its place, and the menu file
// holds the new name and action with all else as it was read.
TEST_F(EditRow, ModifiedRowKeepsItsNewNameAndActionInTheMenuFile)
{
    const wxRect row = OpenApplications();
    ASSERT_FALSE(row.IsEmpty());
    const std::string before = SteadyDigest(row);
    ASSERT_NO_FATAL_FAILURE(Choose(row, "Modify"));
    // The row runs a command: past the "Action" box to its kinds, one to the left for "URL".
    ASSERT_NO_FATAL_FAILURE(Edit("shell", "Tab Tab Left Tab Tab space", "https://example.org/zyn"));
    EXPECT_EQ(Settled("shell"), row) << app.Log();
    EXPECT_TRUE(Shown("Terminal").IsEmpty());
    client.MoveTo(RootPoint.x + 20, RootPoint.y + 20); // where the pointer was for the first picture
    EXPECT_TRUE(WaitUntil([&] { return ScreenDigest(row) != before; })) << "the row still shows its old face";

    auto written = Quit();
    auto expected = ReadMenuFile(original);
    ASSERT_TRUE(expected && written);
    wxXmlNode* item = ItemNamed(expected->GetRoot(), "Terminal");
    ASSERT_TRUE(item);
    SetChildText(item, "name", "shell");
    SetChildText(item, "action/type", "3");
    SetChildText(item, "action/command", "https://example.org/zyn");
    EXPECT_TRUE(MenuXml::SameData(expected->GetRoot(), written->GetRoot()))
        << zyntest::ReadFile(app.PathOf("launcher.xml"));
}

// "Add": the new row, edited before it exists, comes before the row it was
// asked from, on screen and in the menu file.
TEST_F(EditRow, AddedRowStandsBeforeTheRowItWasAskedFromAndIsSaved)
{
    const wxRect row = OpenApplications();
    ASSERT_FALSE(row.IsEmpty());
    ASSERT_NO_FATAL_FAILURE(Choose(row, "Add"));
    // A new row has no action: check the box, then from "Program" two to the right for "URL".
    ASSERT_NO_FATAL_FAILURE(Edit("notes", "Tab space Tab Right Right Tab Tab space", "https://example.org/notes"));
    // The list centres itself again: the new row stands right above "Terminal" (rows overlap a little).
    const wxRect notesRow = Settled("notes"), terminalRow = Settled("Terminal");
    ASSERT_FALSE(notesRow.IsEmpty()) << app.Log();
    EXPECT_EQ(notesRow.x, terminalRow.x);
    EXPECT_GT(terminalRow.y, notesRow.y + notesRow.height / 2);
    EXPECT_LT(terminalRow.y, notesRow.y + 3 * notesRow.height / 2);

    auto written = Quit();
    auto expected = ReadMenuFile(original);
    zyntest::WriteFile(app.PathOf("added.xml"), "<item><name>notes</name><icon><normal/><hover/><press/></icon>"
                                                "<action><type>3</type><command>https://example.org/notes</command>"
                                                "</action></item>");
    auto added = ReadMenuFile(app.PathOf("added.xml"));
    ASSERT_TRUE(expected && written && added);
    wxXmlNode* terminal = ItemNamed(expected->GetRoot(), "Terminal");
    ASSERT_TRUE(terminal);
    terminal->GetParent()->InsertChild(new wxXmlNode(*added->GetRoot()), terminal);
    EXPECT_TRUE(MenuXml::SameData(expected->GetRoot(), written->GetRoot()))
        << zyntest::ReadFile(app.PathOf("launcher.xml"));
}

// The end of the session closes the launcher without a question: the menu
// file and the settings are written, shown or not, and an open modal window
// (the quit question, the about box, the preferences' Reset question, the item
// editor) is answered No or Cancel, whatever the pointer rests on, rather than waited for.
TEST_F(Launch, TheSessionsEndClosesTheLauncherWithoutAsking)
{
    const auto settings = [&](const char* entry) {
        return [this, entry] {
            ClickOn(client, "Settings");
            ClickOn(client, entry);
        };
    };
    const struct {
        const char* name;
        int signal;
        bool shown;
        std::function<void()> open; // opens the modal window
        const char* window;
        bool restOnYes; // the pointer rests on the alert's yes button
    } cases[] = {
        {"shown", SIGTERM, true, nullptr, nullptr, false},
        {"shown, hang-up", SIGHUP, true, nullptr, nullptr, false},
        {"hidden, hang-up", SIGHUP, false, nullptr, nullptr, false},
        {"quit question", SIGTERM, true, settings("Logout"), "Zyn Alert", true},
        {"about box", SIGTERM, true, settings("Help"), "About Zyn Utils", false},
        {"tray's exit question, launcher hidden", SIGTERM, false, [&] { TrayMenu(XK_e); }, "Zyn Alert", true},
        {"preferences' reset question", SIGTERM, false,
         [&] {
             TrayMenu(XK_p);
             wxRect area;
             ASSERT_TRUE(WaitUntil([&] { return ShownWindow(*client, "Preferences - Zyn Utils", &area) != 0; }));
             // Reset is the tool at the left end of the top bar.
             ASSERT_TRUE(WaitUntil([&] {
                 ClickAt(client, wxPoint(area.x + 25, area.y + 15));
                 return WaitUntil([] { return !Shown("Zyn Alert").IsEmpty(); }, 500);
             }, 10000)) << app.Log();
         },
         "Zyn Alert", true},
        {"item editor", SIGTERM, true,
         [&] {
             ClickOn(client, "Applications");
             Choose(Settled("Terminal"), "Modify");
         },
         "Zyn Utils - Icon Settings", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const pid_t pid = Start(Core());
        if (c.shown) {
            app.WaitExit(app.Start({path}));
            ASSERT_TRUE(LauncherShown()) << app.Log();
        }
        if (c.open) {
            ASSERT_NO_FATAL_FAILURE(c.open());
            ASSERT_TRUE(WaitUntil([&] { return !Shown(c.window).IsEmpty(); })) << app.Log();
        }
        if (c.restOnYes) {
            const wxRect alert = Settled("Zyn Alert");
            client.MoveTo(alert.x + YesButtonOrigin.x + 20, alert.y + YesButtonOrigin.y + 20);
        }
        std::filesystem::remove(app.PathOf("launcher.xml"));
        std::filesystem::remove(app.PathOf("Configs/Core.xml"));
        kill(pid, c.signal);
        const int status = app.WaitExit(pid);
        ASSERT_TRUE(WIFEXITED(status)) << status << app.Output() << app.Log();
        EXPECT_EQ(WEXITSTATUS(status), 0);
        EXPECT_EQ(app.Output().find("Oops!"), std::string::npos) << app.Output();
        EXPECT_TRUE(Shown("Zyn Alert").IsEmpty());
        auto written = ReadMenuFile(app.PathOf("launcher.xml"));
        auto before = ReadMenuFile(original);
        ASSERT_TRUE(written && before);
        EXPECT_TRUE(MenuXml::SameData(before->GetRoot(), written->GetRoot()));
        // Answered No: the settings are all there.
        EXPECT_NE(zyntest::ReadFile(app.PathOf("Configs/Core.xml")).find("LaunchType"), std::string::npos);
        const std::string log = app.Log();
        EXPECT_LT(log.find("Shutting down..."), log.find("Exiting...")) << log;
        EXPECT_NE(log.find("Exiting..."), std::string::npos) << log;
    }
}

// Waits, without polling, for an event of mask on the file name in the watched
// folder watch of the inotify instance fd; false after timeoutMs.
bool WaitForFileEvent(int fd, int watch, const char* name, uint32_t mask, int timeoutMs)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    alignas(inotify_event) char events[4096];
    for (;;) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(end - std::chrono::steady_clock::now()).count();
        if (left <= 0)
            return false;
        pollfd ready{fd, POLLIN, 0};
        if (poll(&ready, 1, static_cast<int>(left)) <= 0)
            continue;
        const ssize_t n = read(fd, events, sizeof events);
        for (ssize_t at = 0; at < n;) {
            const auto* e = reinterpret_cast<const inotify_event*>(events + at);
            if (e->wd == watch && (e->mask & mask) && e->len && std::strcmp(e->name, name) == 0)
                return true;
            at += static_cast<ssize_t>(sizeof(inotify_event) + e->len);
        }
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
    const int inotify = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    ASSERT_GE(inotify, 0);
    const int top = inotify_add_watch(inotify, app.Dir().c_str(), IN_CREATE | IN_MODIFY);
    const int configs = inotify_add_watch(inotify, app.PathOf("Configs").c_str(), IN_CREATE | IN_MODIFY);
    ASSERT_GE(top, 0);
    ASSERT_GE(configs, 0);
    // Each save makes its temporary file afresh and fills it with one write; the
    // flush to the disk and the rename over the file follow. A kill aimed at the
    // making or the filling of either file's temporary lands inside its write when
    // the temporary is still there after the kill.
    struct Aim {
        const char* name;
        int watch;
        const char* temporary;
        std::string path;
        uint32_t event;
    };
    const Aim aims[] = {
        {"menu file made", top, "launcher.xml.tmp", app.PathOf("launcher.xml.tmp"), IN_CREATE},
        {"menu file filled", top, "launcher.xml.tmp", app.PathOf("launcher.xml.tmp"), IN_MODIFY},
        {"settings made", configs, "Core.xml.tmp", app.PathOf("Configs/Core.xml.tmp"), IN_CREATE},
        {"settings filled", configs, "Core.xml.tmp", app.PathOf("Configs/Core.xml.tmp"), IN_MODIFY},
    };
    std::mt19937 random(20130309);
    const int runs = 96;
    int aimed = 0;
    int cutShort = 0;       // aimed kills that found the write unfinished
    int otherCutShort = 0;  // kills at a random moment that did
    for (int run = 0; run < runs; ++run) {
        SCOPED_TRACE(run);
        std::filesystem::remove(app.PathOf("Verbose.log"));
        // What an earlier kill left: whatever is there after this one is this run's.
        std::filesystem::remove(aims[0].path);
        std::filesystem::remove(aims[2].path);
        const pid_t pid = app.Start({path});
        ASSERT_TRUE(app.WaitForLog("Zyn Utils is ready.")) << app.Output();
        char events[4096];
        while (read(inotify, events, sizeof events) > 0) {
        }
        // Two runs of three aim at a moment of a write; the third kills at any moment.
        const Aim* aim = run % 3 != 2 ? &aims[aimed++ % std::size(aims)] : nullptr;
        kill(pid, SIGTERM);
        if (aim)
            ASSERT_TRUE(WaitForFileEvent(inotify, aim->watch, aim->temporary, aim->event, 15000))
                << aim->name << " never came\n" << app.Log();
        else
            std::this_thread::sleep_for(std::chrono::microseconds(random() % 20000));
        kill(pid, SIGKILL);
        ASSERT_NE(app.WaitExit(pid), -1);
        if (aim)
            cutShort += std::filesystem::exists(aim->path);
        else
            otherCutShort += std::filesystem::exists(aims[0].path) || std::filesystem::exists(aims[2].path);
        auto doc = ReadMenuFile(file);
        ASSERT_TRUE(doc) << zyntest::ReadFile(file);
        ASSERT_TRUE(MenuXml::SameData(expected->GetRoot(), doc->GetRoot())) << zyntest::ReadFile(file);
        // The settings, written right after, have the same guarantee.
        auto settings = ReadMenuFile(app.PathOf("Configs/Core.xml"));
        ASSERT_TRUE(settings && settings->GetRoot()) << zyntest::ReadFile(app.PathOf("Configs/Core.xml"));
        ASSERT_EQ(settings->GetRoot()->GetName(), "Core");
    }
    close(inotify);
    // Most aimed kills land inside the write; a third of all the runs at the least.
    EXPECT_GE(cutShort, runs / 3) << "of " << aimed << " aimed kills";
    std::cout << cutShort << " of " << aimed << " aimed kills and " << otherCutShort << " of " << runs - aimed
              << " others cut a write short\n";
}

} // namespace
