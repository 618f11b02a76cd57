// The real program's global input: killed in the middle of a gesture, it leaves
// every click and key to the other programs.
#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <X11/keysym.h>
#include <signal.h>

#include "AppRunner.h"
#include "PrivateXServer.h"
#include "TestSupport.h"
#include "OtherWindow.h"
#include "XClient.h"

using zyntest::AppRunner;
using zyntest::OtherWindow;
using zyntest::WaitUntil;

TEST(Input, KilledInMidGestureLeavesClicksAndKeysToOthers)
{
    zyntest::XClient client;
    ASSERT_TRUE(client);
    Display* d = *client;
    AppRunner app;
    app.WriteQuietVerboseCore("", {{"Hotkey/Enable", "1"}, {"Hotkey/GestureType", "1"}});
    const pid_t pid = app.Start();
    // Its tray icon is embedded once the start-up is over and the event loop runs; the
    // gesture is watched from the end of the start-up, which the log tells.
    ASSERT_TRUE(WaitUntil([&] { return client.FindTrayIcon("zyn-utils") != 0; }, 15000)) << app.Output();
    ASSERT_TRUE(app.WaitForLog("Zyn Utils is ready.")) << app.Output();

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

TEST(Input, WithoutANotificationAreaItStartsLogsItAndWatchesTheGesture)
{
    const zyntest::PrivateXServer bare;
    ASSERT_FALSE(bare.display.empty()) << "Xvfb did not start";
    zyntest::XClient client(bare.display);
    ASSERT_TRUE(client);
    AppRunner app;
    app.WriteQuietVerboseCore("  <config catalog=\"Hotkey\">\n"
                              "    <property key=\"GestureType\" value=\"1\"/>\n"
                              "  </config>\n");
    app.Start({"DISPLAY=" + bare.display});
    ASSERT_TRUE(app.WaitForLog("Zyn Utils is ready.")) << app.Output() << app.Log();
    EXPECT_TRUE(app.WaitForLog("There is no notification area")) << app.Log();

    // It works all the same: the gesture is watched (the left release is injected).
    OtherWindow other(*client);
    ASSERT_TRUE(other.Receives(MapNotify));
    EXPECT_TRUE(other.HoldLeftPressRight(client));
    client.Button(Button3, false);
    client.Button(Button1, false);
}
