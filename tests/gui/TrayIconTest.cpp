// The tray icon in a session with a tray host: its menu and check marks, and real
// clicks on the icon found on screen.
#include <gtest/gtest.h>

#include <X11/Xatom.h>
#include <X11/keysym.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>

#include <wx/menu.h>
#include <wx/taskbar.h>
#include <wx/timer.h>

#include "ConfigImpl.h"
#include "ConfigKeys.h"
#include "HotkeyManager.h"
#include "LogCapture.h"
#include "Picture.h"
#include "ScreenProbe.h"
#include "TestSupport.h"
#include "TrayIcon.h"
#include "XClient.h"
#include "ZynObject.h"
#include "ZynUtils.h"
#include "zplat/Input.h"

namespace {

// Counts the left clicks and the menus it builds, and keeps the last menu.
class ProbeTray : public TrayIcon {
public:
    ProbeTray()
    {
        Bind(wxEVT_TASKBAR_LEFT_DOWN, [this](wxTaskBarIconEvent& e) {
            ++leftClicks;
            e.Skip();
        });
    }
    wxMenu* CreatePopupMenu() override
    {
        wxMenu* menu = TrayIcon::CreatePopupMenu();
        ++menusAsked;
        shown = menu;
        return menu;
    }
    int leftClicks = 0;
    int menusAsked = 0;
    wxMenu* shown = nullptr;
};

class TrayIconTest : public testing::Test {
protected:
    void SetUp() override
    {
        zyntest::LinkFromBuild("Images", app.Path());
        zplat::SetInput(std::make_unique<zplat::FakeInput>());
        ASSERT_TRUE(HotkeyManager::Initial());
        HotkeyManager::SetEnable(true);
        LockingModeFlag = false;
    }
    void TearDown() override
    {
        HotkeyManager::SetEnable(false);
        zplat::SetInput(nullptr);
        LockingModeFlag = false;
        ModalOpenFlag = false;
    }

    // The icon's centre on screen once the tray host has embedded it.
    bool IconCentre(int& x, int& y)
    {
        Window icon = 0;
        if (!zyntest::PumpUntil([&] { return (icon = client.FindTrayIcon(program_invocation_short_name)) != 0; }))
            return false;
        XWindowAttributes attrs;
        XGetWindowAttributes(*client, icon, &attrs);
        Window child;
        XTranslateCoordinates(*client, icon, DefaultRootWindow(*client), attrs.width / 2, attrs.height / 2, &x, &y, &child);
        return true;
    }

    // Runs step every few milliseconds, also inside the menu's own event loop.
    void Every(std::function<void()> step)
    {
        timer.Bind(wxEVT_TIMER, [step](wxTimerEvent&) { step(); });
        timer.Start(20);
    }

    zyntest::ScopedAppDir app; // "Core" and the icon's images
    zyntest::XClient client;
    wxTimer timer;
};

} // namespace

TEST_F(TrayIconTest, MenuEntriesAndCheckMarks)
{
    TrayIcon icon;
    std::unique_ptr<wxMenu> menu(icon.CreatePopupMenu());
    ASSERT_TRUE(menu);
    EXPECT_EQ(menu->GetTitle(), "Zyn Utils");
    const struct {
        wxWindowID id;
        const char* label;
        wxItemKind kind;
    } entries[] = {
        {TrayIcon::ID_MENU_DISABLE_HOTKEYS, "&Disable Hotkeys", wxITEM_CHECK},
        {TrayIcon::ID_MENU_LOCK_LAUNCHER, "&Lock Launcher", wxITEM_CHECK},
        {wxID_SEPARATOR, "", wxITEM_SEPARATOR},
        {TrayIcon::ID_MENU_PREFERENCE, "&Preference", wxITEM_NORMAL},
        {wxID_SEPARATOR, "", wxITEM_SEPARATOR},
        {TrayIcon::ID_MENU_EXIT, "&Exit", wxITEM_NORMAL},
    };
    // GTK shows the title as two items of its own (the title and a separator) on top.
    const size_t first = menu->GetMenuItemCount() - std::size(entries);
    ASSERT_LE(first, 2u);
    for (size_t i = 0; i < std::size(entries); ++i) {
        const wxMenuItem* item = menu->FindItemByPosition(first + i);
        EXPECT_EQ(item->GetKind(), entries[i].kind) << i;
        if (entries[i].kind != wxITEM_SEPARATOR) {
            EXPECT_EQ(item->GetId(), entries[i].id) << i;
            EXPECT_EQ(item->GetItemLabel(), entries[i].label) << i;
        }
    }

    // The marks come from the flags each time a menu is made.
    for (const bool enabled : {true, false}) {
        for (const bool locked : {false, true}) {
            HotkeyManager::SetEnable(enabled);
            LockingModeFlag = locked;
            menu.reset(icon.CreatePopupMenu());
            EXPECT_EQ(menu->IsChecked(TrayIcon::ID_MENU_DISABLE_HOTKEYS), !enabled);
            EXPECT_EQ(menu->IsChecked(TrayIcon::ID_MENU_LOCK_LAUNCHER), locked);
        }
    }

    ModalOpenFlag = true;
    EXPECT_EQ(icon.CreatePopupMenu(), nullptr) << "no menu while the alert or the preferences window is open";
}

// A theme without the tray icon's pictures is said in the verbose log, without a box;
// a blank icon still stands in the tray.
TEST_F(TrayIconTest, AMissingIconIsLoggedWithoutABox)
{
    const zyntest::ScopedAppDir bare;
    zyntest::LogCapture capture;
    auto icon = std::make_unique<TrayIcon>();
    EXPECT_TRUE(capture.Texts(wxLOG_Error).empty()) << capture.Text();
    EXPECT_TRUE(capture.Texts(wxLOG_Warning).empty()) << capture.Text();
    const std::vector<std::string> info = capture.Texts(wxLOG_Info);
    EXPECT_TRUE(std::any_of(info.begin(), info.end(), [](const std::string& text) {
        return text.rfind("Cannot load the tray icon from", 0) == 0;
    })) << capture.Text();
    EXPECT_TRUE(icon->IsIconInstalled());
    // Gone from the tray before the next test looks for its own icon there.
    icon.reset();
    EXPECT_TRUE(zyntest::PumpUntil([&] { return client.FindTrayIcon(program_invocation_short_name) == 0; }));
}

// The tray host's window is another program's: a themed window stands above it
// as above any other, the launcher's backdrop darkens the tray too.
TEST_F(TrayIconTest, ThemedWindowsStandAboveTheTray)
{
    struct Cover : ZynObject {
        Cover() : ZynObject(nullptr, "cover", wxPoint(0, 0), wxSize(0, 0)) {}
        ObjectDC& DC() { return objectDC; }
    };
    // Made first, as the program makes its widgets before the tray icon.
    std::unique_ptr<Cover> cover(new Cover);
    ProbeTray icon;
    int x = 0, y = 0;
    ASSERT_TRUE(IconCentre(x, y)) << "the tray host never embedded the icon";
    cover->DC().pos = wxPoint(x - 20, y - 20);
    cover->DC().size = wxSize(40, 40);
    ASSERT_TRUE(cover->DC().Update(Picture(40, 40, 0xFF10E0A0), true));
    cover->Show();
    zyntest::ScreenProbe probe;
    EXPECT_TRUE(zyntest::PumpUntil([&] { return zyntest::NearRgb(probe.Pixel(x, y), 0x10E0A0); }))
        << std::hex << probe.Pixel(x, y);
}

TEST_F(TrayIconTest, RealClicksOnTheIconFoundOnScreen)
{
    ProbeTray icon;
    // Each click finds the icon again: other icons coming and going move it.
    const auto click = [&](unsigned button) {
        int x = 0, y = 0;
        ASSERT_TRUE(IconCentre(x, y)) << "the tray host never embedded the icon";
        client.MoveTo(x, y);
        client.Button(button, true);
        client.Button(button, false);
    };

    click(Button1);
    EXPECT_TRUE(zyntest::PumpUntil([&] { return icon.leftClicks == 1; }));

    // Right clicks show the menu; each round checks the marks, picks an entry by its
    // mnemonic and sees the switch and its key in "Core" at once.
    const struct {
        KeySym mnemonic;
        bool markedBefore;
        const char* catalog;
        const char* key;
        bool stored;
    } picks[] = {
        {XK_d, false, cfg::Hotkey, cfg::Enable, false},        // "&Disable Hotkeys": off
        {XK_d, true, cfg::Hotkey, cfg::Enable, true},          // and on again
        {XK_l, false, cfg::General, cfg::LockingMode, true},   // "&Lock Launcher"
        {XK_l, true, cfg::General, cfg::LockingMode, false},
    };
    ConfigImpl* core = GetConfig(cfg::Core);
    int menus = 0;
    for (const auto& pick : picks) {
        SCOPED_TRACE(pick.key);
        const bool hotkey = pick.mnemonic == XK_d;
        bool marked = !pick.markedBefore;
        Every([&] {
            if (!icon.shown || !client.PopupMenuShown())
                return;
            marked = icon.shown->IsChecked(hotkey ? TrayIcon::ID_MENU_DISABLE_HOTKEYS : TrayIcon::ID_MENU_LOCK_LAUNCHER);
            icon.shown = nullptr;
            client.Chord({}, pick.mnemonic);
        });
        ASSERT_TRUE(zyntest::PumpUntil([&] { return !client.PopupMenuShown(); }));
        click(Button3);
        const auto switched = [&] { return hotkey ? HotkeyEnabledFlag == pick.stored : LockingModeFlag == pick.stored; };
        EXPECT_TRUE(zyntest::PumpUntil(switched));
        EXPECT_EQ(icon.menusAsked, ++menus);
        EXPECT_EQ(marked, pick.markedBefore);
        EXPECT_EQ(core->ReadBool(pick.catalog, pick.key, !pick.stored), pick.stored);
        timer.Stop();
    }

    // While the preferences window is open a right click shows nothing.
    ModalOpenFlag = true;
    click(Button3);
    EXPECT_TRUE(zyntest::PumpUntil([&] { return icon.menusAsked == menus + 1; }));
    EXPECT_EQ(icon.shown, nullptr);
}

TEST_F(TrayIconTest, TheBalloonIsADesktopNotification)
{
    TrayIcon icon;
    EXPECT_EQ(icon.balloonTitle, "Zyn Utils Alpha1");
    EXPECT_EQ(icon.balloonText, "Welcome to Veyrune!\nUser ID: Administrator\nHalvmind v0.0.1");
    const auto shown = [] { return std::atoi(zyntest::Shell("dunstctl count displayed 2>/dev/null").c_str()); };
    const int before = shown();
    wxCommandEvent balloon(wxEVT_MENU, wxID_NONE);
    icon.ProcessEvent(balloon);
    EXPECT_TRUE(zyntest::PumpUntil([&] { return shown() == before + 1; })) << "the session's notification daemon shows it";
    zyntest::Shell("dunstctl close-all");
}

// The menu's title is an entry on GTK: choosing it shows the balloon, which reaches
// the session's notification daemon with its title and text.
TEST_F(TrayIconTest, ChoosingTheMenusTitleShowsTheBalloon)
{
    ProbeTray icon;
    zyntest::Shell("dunstctl close-all");
    // Closed notifications stay in the daemon's history: the balloons seen there so far,
    // by their summary.
    const auto balloons = [] {
        const std::string history = zyntest::Shell("dunstctl history"), summary = "\"data\" : \"Zyn Utils Alpha1\"";
        size_t n = 0;
        for (size_t at = history.find(summary); at != std::string::npos; at = history.find(summary, at + 1))
            ++n;
        return n;
    };
    const size_t before = balloons();
    const auto displayed = [] { return std::atoi(zyntest::Shell("dunstctl count displayed 2>/dev/null").c_str()); };
    ASSERT_EQ(displayed(), 0);
    // The first entry the keyboard reaches is the title.
    bool chosen = false;
    Every([&] {
        if (chosen || !icon.shown || !client.PopupMenuShown())
            return;
        chosen = true;
        client.Chord({}, XK_Down);
        client.Chord({}, XK_Return);
    });
    int x = 0, y = 0;
    ASSERT_TRUE(IconCentre(x, y)) << "the tray host never embedded the icon";
    client.MoveTo(x, y);
    client.Button(Button3, true);
    client.Button(Button3, false);
    EXPECT_TRUE(zyntest::PumpUntil([&] { return displayed() == 1; })) << "no notification reached the daemon";
    timer.Stop();
    zyntest::Shell("dunstctl close-all");
    EXPECT_EQ(balloons(), before + 1) << zyntest::Shell("dunstctl history");
    EXPECT_NE(zyntest::Shell("dunstctl history").find("\"data\" : \"Welcome to Veyrune!\\nUser ID: Administrator"), std::string::npos);
}
