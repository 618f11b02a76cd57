// The hot key and the gesture on a real X server: real key presses and pointer
// buttons through XTest, seen by a plain test window.
#include <gtest/gtest.h>

#include <X11/extensions/XInput2.h>
#include <X11/keysym.h>

#include <wx/app.h>
#include <wx/frame.h>
#include <wx/panel.h>
#include <wx/utils.h>

#include "HotkeyManager.h"
#include "LogCapture.h"
#include "TestSupport.h"
#include "XClient.h"
#include "zplat/Input.h"

using namespace HotkeyManager;

namespace {

// A plain window in place of the launcher: counts hot-key presses and the clicks
// it receives itself.
class TestWindow : public wxFrame {
public:
    TestWindow() : wxFrame(nullptr, wxID_ANY, "hot key test", wxPoint(100, 50), wxSize(600, 900))
    {
        Bind(ZYN_EVT_HOTKEY, [this](wxKeyEvent& e) {
            if (e.GetId() == 0)
                ++presses;
        });
        area = new wxPanel(this);
        const std::pair<wxEventTypeTag<wxMouseEvent>, int*> counters[] = {
            {wxEVT_LEFT_DOWN, &leftDowns}, {wxEVT_LEFT_UP, &leftUps}, {wxEVT_RIGHT_DOWN, &rightDowns},
            {wxEVT_RIGHT_UP, &rightUps}};
        area->Bind(wxEVT_PAINT, [this](wxPaintEvent& e) {
            painted = true;
            e.Skip();
        });
        for (const auto& [type, counter] : counters)
            area->Bind(type, [counter = counter](wxMouseEvent& e) {
                ++*counter;
                e.Skip();
            });
    }
    wxPanel* area;
    int presses = 0;
    bool painted = false;
    int leftDowns = 0, leftUps = 0, rightDowns = 0, rightUps = 0;
};

class HotkeyTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(client);
        zplat::SetInput(nullptr);
        ASSERT_TRUE(Initial());
        window = new TestWindow;
        SetHotkeyWindow(window);
        ASSERT_TRUE(SetEnable(true));
    }

    void TearDown() override
    {
        SetEnable(false);
        ClearHotkey();
        SetGestureType(0);
        SetHotkeyWindow(nullptr);
        window->Destroy();
        client.Sync();
        EXPECT_TRUE(zyntest::PumpUntil([] { return wxPendingDelete.IsEmpty(); }));
    }

    zyntest::XClient client;
    TestWindow* window = nullptr;
    zyntest::LogCapture log;
};

} // namespace

TEST_F(HotkeyTest, ARealKeyPressReachesTheWindowWhateverTheLockKeys)
{
    ASSERT_TRUE(SetHotkey(MOD_CONTROL | MOD_ALT, 'K'));
    const struct {
        const char* locks;
        unsigned mask;
    } rows[] = {{"none", 0}, {"Caps Lock", LockMask}, {"Num Lock", client.NumLock()}, {"both", LockMask | client.NumLock()}};
    int expected = 0;
    for (const auto& row : rows) {
        SCOPED_TRACE(row.locks);
        client.Locks(row.mask);
        client.Chord({XK_Control_L, XK_Alt_L}, XK_k);
        ++expected;
        EXPECT_TRUE(zyntest::PumpUntil([&] { return window->presses == expected; })) << window->presses;
    }
    client.Locks(0);

    // The key alone, or with other modifiers, is not the hot key: after the round trip
    // through the server every key event they caused has been handled.
    client.Chord({}, XK_k);
    client.Chord({XK_Control_L}, XK_k);
    client.Chord({XK_Control_L, XK_Alt_L}, XK_j);
    client.Sync();
    EXPECT_EQ(window->presses, expected);
    client.Chord({XK_Control_L, XK_Alt_L}, XK_k); // and the hot key still counts, once
    EXPECT_TRUE(zyntest::PumpUntil([&] { return window->presses == expected + 1; }));
    client.Sync();
    EXPECT_EQ(window->presses, expected + 1);

    // Switched off: the key goes back to the other programs.
    ASSERT_TRUE(SetEnable(false));
    client.Chord({XK_Control_L, XK_Alt_L}, XK_k);
    client.Sync();
    EXPECT_EQ(window->presses, expected + 1);
}

TEST_F(HotkeyTest, AKeyAnotherClientGrabbedFailsWithALogLineAndLeavesNothingGrabbed)
{
    // The other program holds the key only with Caps Lock on: our grabs of the other
    // lock combinations succeed first and must be given back.
    Display* other = *client;
    const KeyCode code = XKeysymToKeycode(other, XK_j);
    const Window root = DefaultRootWindow(other);
    ASSERT_TRUE(client.Grab(code, ControlMask | ShiftMask | LockMask));

    EXPECT_FALSE(SetHotkey(MOD_CONTROL | MOD_SHIFT, 'J'));
    EXPECT_TRUE(log.Contains("Cannot register the hot key Ctrl+Shift+J: another program holds it.")) << log.Text();
    EXPECT_TRUE(client.Grab(code, ControlMask | ShiftMask)) << "a grab of ours was left behind";

    XUngrabKey(other, code, AnyModifier, root);
    XSync(other, False);
    EXPECT_TRUE(SetHotkey(MOD_CONTROL | MOD_SHIFT, 'J'));
    EXPECT_FALSE(client.Grab(code, ControlMask | ShiftMask | client.NumLock())) << "ours again, with Num Lock too";
}

TEST_F(HotkeyTest, TheGestureOnRealPointerButtons)
{
    ASSERT_TRUE(SetGestureType(1));
    ASSERT_TRUE(IsHookInstalled());
    const int threshold = GetGestureThreshold();
    // The toolkit selecting its own root-window events afterwards (as changing the root's
    // event mask does) must not end the watch.
    {
        Display* toolkit = wxGetX11Display();
        unsigned char none[XIMaskLen(XI_LASTEVENT)] = {};
        XIEventMask mask{XIAllMasterDevices, sizeof none, none};
        XISelectEvents(toolkit, DefaultRootWindow(toolkit), &mask, 1);
        XSync(toolkit, False);
    }
    window->Show();
    ASSERT_TRUE(zyntest::PumpUntil([&] { return window->area->IsShownOnScreen(); }));
    ASSERT_TRUE(zyntest::PumpUntil([&] { return window->painted; }));
    // Well inside the window, wherever the window manager has placed it near its asked position.
    const wxPoint start = window->area->GetScreenPosition() + wxPoint(200, 100);
    client.MoveTo(start.x, start.y);
    // A plain left click reaches the window: it is under the pointer.
    client.Button(Button1, true);
    client.Button(Button1, false);
    ASSERT_TRUE(zyntest::PumpUntil([&] { return window->leftUps == 1; }));
    const auto& state = GetGestureState();

    // A plain right click still reaches the window under the pointer and arms nothing.
    client.Button(Button3, true);
    client.Button(Button3, false);
    EXPECT_TRUE(zyntest::PumpUntil([&] { return window->rightUps == 1; })) << window->rightDowns;
    EXPECT_FALSE(state.armed);

    // Hold left, press right: armed where the right went down, and the window's left
    // drag is ended by the injected release.
    client.Button(Button1, true);
    ASSERT_TRUE(zyntest::PumpUntil([&] { return state.buttons == GESTURE_LEFT && window->leftDowns == 2; }));
    client.Button(Button3, true);
    ASSERT_TRUE(zyntest::PumpUntil([&] { return state.armed && window->leftUps == 2; }))
        << "armed " << state.armed << ", left ups " << window->leftUps;
    EXPECT_EQ(state.startY, start.y);

    // Down by exactly the threshold and release: not enough, the gesture stays armed.
    client.MoveTo(start.x, start.y + threshold);
    client.Button(Button3, false);
    client.Button(Button1, false);
    ASSERT_TRUE(zyntest::PumpUntil([&] { return state.buttons == 0; })) << state.buttons;
    EXPECT_TRUE(state.armed);

    // Again from the top, one pixel further: complete.
    client.MoveTo(start.x, start.y);
    client.Button(Button1, true);
    ASSERT_TRUE(zyntest::PumpUntil([&] { return state.buttons == GESTURE_LEFT && !state.armed; }));
    client.Button(Button3, true);
    ASSERT_TRUE(zyntest::PumpUntil([&] { return state.armed; }));
    client.MoveTo(start.x, start.y + threshold + 1);
    client.Button(Button3, false);
    client.Button(Button1, false);
    EXPECT_TRUE(zyntest::PumpUntil([&] { return state.buttons == 0 && !state.armed; }))
        << state.buttons << " " << state.armed;

    // Switched off, nothing is watched: the window still gets its clicks, the state stays.
    ASSERT_TRUE(SetEnable(false));
    const int rightUps = window->rightUps;
    client.MoveTo(start.x, start.y);
    client.Button(Button1, true);
    client.Button(Button1, false);
    client.Button(Button3, true);
    client.Button(Button3, false);
    EXPECT_TRUE(zyntest::PumpUntil([&] { return window->rightUps == rightUps + 1; }));
    EXPECT_EQ(state.buttons, 0);
}
