// The real program's global input: killed in the middle of a gesture, it leaves
// every click and key to the other programs.
#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <X11/keysym.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "AppRunner.h"
#include "TestSupport.h"
#include "XClient.h"

using zyntest::AppRunner;
using zyntest::WaitUntil;

namespace {

const char kGestureOn[] =
    "  <config catalog=\"General\">\n"
    "    <property key=\"CheckUpdate\" value=\"0\"/>\n"
    "  </config>\n"
    "  <config catalog=\"Appearance\">\n"
    "    <property key=\"ShowSplash\" value=\"0\"/>\n"
    "  </config>\n"
    "  <config catalog=\"Hotkey\">\n"
    "    <property key=\"Enable\" value=\"1\"/>\n"
    "    <property key=\"GestureType\" value=\"1\"/>\n"
    "  </config>\n";

// Another program's plain window: what it receives, in order.
class OtherWindow {
public:
    explicit OtherWindow(Display* d) : d(d)
    {
        window = XCreateSimpleWindow(d, DefaultRootWindow(d), 300, 300, 400, 400, 0, 0, 0xffffff);
        XSelectInput(d, window, ButtonPressMask | ButtonReleaseMask | KeyPressMask | StructureNotifyMask);
        XMapRaised(d, window);
        XSync(d, False);
    }
    ~OtherWindow() { XDestroyWindow(d, window); }

    // Waits for an event of type (and button or keycode detail, 0 for any) on the window.
    bool Receives(int type, unsigned detail = 0)
    {
        return WaitUntil([&] {
            XEvent ev;
            while (XCheckWindowEvent(d, window, ButtonPressMask | ButtonReleaseMask | KeyPressMask | StructureNotifyMask, &ev)) {
                const unsigned got = ev.type == KeyPress ? ev.xkey.keycode : ev.type == MapNotify ? 0 : ev.xbutton.button;
                if (ev.type == type && (detail == 0 || got == detail))
                    return true;
            }
            return false;
        }, 5000);
    }
    // Moves the pointer onto the window, holds left and presses right. True when the
    // window sees both presses (nothing takes the right one away) and then the left
    // release that a program watching the gesture injects.
    bool HoldLeftPressRight(zyntest::XClient& client)
    {
        int x, y;
        Window child;
        XTranslateCoordinates(d, window, DefaultRootWindow(d), 200, 200, &x, &y, &child);
        client.MoveTo(x, y);
        client.Button(Button1, true);
        client.Button(Button3, true);
        return Receives(ButtonPress, Button1) && Receives(ButtonPress, Button3) && Receives(ButtonRelease, Button1);
    }

    Window window;

private:
    Display* d;
};

} // namespace

TEST(Input, KilledInMidGestureLeavesClicksAndKeysToOthers)
{
    zyntest::XClient client;
    ASSERT_TRUE(client);
    Display* d = *client;
    AppRunner app;
    app.WriteCore(kGestureOn);
    const pid_t pid = app.Start();
    // Its tray icon is embedded once the start-up is over and the event loop runs.
    ASSERT_TRUE(WaitUntil([&] { return client.FindTrayIcon("zyn-utils") != 0; }, 15000)) << app.Output();

    OtherWindow other(d);
    ASSERT_TRUE(other.Receives(MapNotify));
    ASSERT_TRUE(other.HoldLeftPressRight(client)) << "the gesture was not watched";

    ASSERT_EQ(kill(pid, SIGKILL), 0);
    ASSERT_NE(app.WaitExit(pid), -1);
    client.Button(Button3, false);
    client.Button(Button1, false);
    ASSERT_TRUE(other.Receives(ButtonRelease, Button3));

    // Clicks and keys reach the other program as ever; nothing is left grabbed.
    client.Button(Button1, true);
    client.Button(Button1, false);
    EXPECT_TRUE(other.Receives(ButtonPress, Button1));
    EXPECT_TRUE(other.Receives(ButtonRelease, Button1));
    client.Button(Button3, true);
    client.Button(Button3, false);
    EXPECT_TRUE(other.Receives(ButtonPress, Button3));
    EXPECT_TRUE(other.Receives(ButtonRelease, Button3));
    XSetInputFocus(d, other.window, RevertToPointerRoot, CurrentTime);
    client.Key(XK_a, true);
    client.Key(XK_a, false);
    EXPECT_TRUE(other.Receives(KeyPress, XKeysymToKeycode(d, XK_a)));
    EXPECT_EQ(XGrabPointer(d, DefaultRootWindow(d), False, ButtonPressMask, GrabModeAsync, GrabModeAsync, None, None, CurrentTime), GrabSuccess);
    EXPECT_EQ(XGrabKeyboard(d, DefaultRootWindow(d), False, GrabModeAsync, GrabModeAsync, CurrentTime), GrabSuccess);
    XUngrabPointer(d, CurrentTime);
    XUngrabKeyboard(d, CurrentTime);
    XSync(d, False);
}

namespace {

// A bare X server of its own (no window manager, no tray), made the display of the
// test and of the programs it starts while it lives.
class BareDisplay {
public:
    BareDisplay()
    {
        int fds[2];
        if (pipe(fds) != 0)
            return;
        pid = fork();
        if (pid == 0) {
            close(fds[0]);
            const int quiet = open("/dev/null", O_WRONLY); // it reports each display number it tries
            dup2(quiet, STDERR_FILENO);
            const std::string fd = std::to_string(fds[1]);
            execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "800x600x24", "-nolisten", "tcp",
                   "+extension", "XTEST", "+extension", "XInputExtension", static_cast<char*>(nullptr));
            _exit(127);
        }
        close(fds[1]);
        char number[16] = {};
        const ssize_t n = read(fds[0], number, sizeof number - 1); // written once the server is ready
        close(fds[0]);
        if (n <= 0)
            return;
        if (const char* old = getenv("DISPLAY"))
            previous = old;
        name = ":" + std::string(number, strcspn(number, "\n"));
        setenv("DISPLAY", name.c_str(), 1);
    }
    ~BareDisplay()
    {
        if (!previous.empty())
            setenv("DISPLAY", previous.c_str(), 1);
        if (pid > 0) {
            kill(pid, SIGTERM);
            waitpid(pid, nullptr, 0);
        }
    }
    bool Ready() const { return !name.empty(); }

private:
    pid_t pid = -1;
    std::string name;
    std::string previous;
};

} // namespace

TEST(Input, WithoutANotificationAreaItStartsLogsItAndWatchesTheGesture)
{
    BareDisplay bare;
    ASSERT_TRUE(bare.Ready()) << "Xvfb did not start";
    zyntest::XClient client;
    ASSERT_TRUE(client);
    AppRunner app;
    app.WriteQuietVerboseCore("  <config catalog=\"Hotkey\">\n"
                              "    <property key=\"GestureType\" value=\"1\"/>\n"
                              "  </config>\n");
    app.Start();
    ASSERT_TRUE(app.WaitForLog("Zyn Utils is ready.")) << app.Output() << app.Log();
    EXPECT_TRUE(app.WaitForLog("There is no notification area")) << app.Log();

    // It works all the same: the gesture is watched (the left release is injected).
    OtherWindow other(*client);
    ASSERT_TRUE(other.Receives(MapNotify));
    EXPECT_TRUE(other.HoldLeftPressRight(client));
    client.Button(Button3, false);
    client.Button(Button1, false);
}
