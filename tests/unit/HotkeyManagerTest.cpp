// The hot key and gesture switches over the fake input backend: what is grabbed
// and watched in each state, where presses go, and what is logged.
#include <gtest/gtest.h>

#include <wx/app.h>

#include "ConfigImpl.h"
#include "ConfigKeys.h"
#include "HotkeyManager.h"
#include "LogCapture.h"
#include "TestSupport.h"
#include "zplat/Input.h"

using namespace HotkeyManager;

namespace {

const uint32_t kKeysymA = 0x61, kKeysymGrave = 0x60;

class Recorder : public wxEvtHandler {
public:
    Recorder() { Bind(ZYN_EVT_HOTKEY, [this](wxKeyEvent& e) { ids.push_back(e.GetId()); keys.push_back(e.GetKeyCode()); ctrl = e.ControlDown(); }); }
    std::vector<int> ids;
    std::vector<int> keys;
    bool ctrl = false;
};

class HotkeyManagerTest : public testing::Test {
protected:
    void SetUp() override
    {
        auto owned = std::make_unique<zplat::FakeInput>();
        input = owned.get();
        zplat::SetInput(std::move(owned));
        ASSERT_TRUE(Initial());
        SetHotkeyWindow(&window);
    }

    void TearDown() override
    {
        SetEnable(false);
        ClearHotkey();
        SetGestureType(0);
        SetHotkeyWindow(nullptr);
        zplat::SetInput(nullptr);
    }

    void Deliver() { wxAppConsole::GetInstance()->ProcessPendingEvents(); }

    zplat::FakeInput* input = nullptr;
    Recorder window;
    zyntest::LogCapture log;
};

} // namespace

TEST_F(HotkeyManagerTest, GrabsOnlyWhileSwitchedOnAndPostsPressesToTheWindow)
{
    EXPECT_TRUE(SetHotkey(MOD_CONTROL | MOD_ALT, 'A'));
    EXPECT_EQ(input->Grabbed(0), nullptr) << "stored only while switched off";

    EXPECT_TRUE(SetEnable(true));
    EXPECT_FALSE(SetEnable(true)) << "unchanged state";
    const zplat::FakeInput::Grab* grab = input->Grabbed(0);
    ASSERT_NE(grab, nullptr);
    EXPECT_EQ(grab->modifiers, unsigned(zplat::KEY_MOD_CONTROL | zplat::KEY_MOD_ALT));
    EXPECT_EQ(grab->keysym, kKeysymA);

    ASSERT_TRUE(input->PressKey(0));
    EXPECT_TRUE(window.ids.empty()) << "posted, not run inside the layer's callback";
    Deliver();
    EXPECT_EQ(window.ids, std::vector<int>{0});
    EXPECT_EQ(window.keys, std::vector<int>{'A'});
    EXPECT_TRUE(window.ctrl);

    // Switching off and on again grabs the stored key without reading the settings.
    EXPECT_TRUE(SetEnable(false));
    EXPECT_EQ(input->Grabbed(0), nullptr);
    EXPECT_TRUE(SetEnable(true));
    ASSERT_NE(input->Grabbed(0), nullptr);
    EXPECT_EQ(input->Grabbed(0)->keysym, kKeysymA);

    // A new key replaces the old grab at once.
    EXPECT_TRUE(SetHotkey(MOD_WIN, '`'));
    ASSERT_NE(input->Grabbed(0), nullptr);
    EXPECT_EQ(input->Grabbed(0)->keysym, kKeysymGrave);
    EXPECT_EQ(input->grabs.size(), 1u);

    EXPECT_TRUE(ClearHotkey());
    EXPECT_EQ(input->Grabbed(0), nullptr);
}

TEST_F(HotkeyManagerTest, RefusesWhatNamesNoHotkeyAndKeepsThePreviousOne)
{
    ASSERT_TRUE(SetEnable(true));
    ASSERT_TRUE(SetHotkey(MOD_CONTROL, 'A'));
    const struct {
        int modifiers;
        char key;
    } refused[] = {{0, 'B'}, {MOD_CONTROL, 0}, {16, 'B'}, {-256, 'B'}};
    for (const auto& r : refused) {
        EXPECT_FALSE(SetHotkey(r.modifiers, r.key)) << r.modifiers << " " << int(r.key);
        ASSERT_NE(input->Grabbed(0), nullptr);
        EXPECT_EQ(input->Grabbed(0)->keysym, kKeysymA);
    }

    SetHotkeyWindow(nullptr);
    EXPECT_FALSE(SetHotkey(MOD_CONTROL, 'B')) << "no window to own the hot key";
    EXPECT_EQ(input->Grabbed(0)->keysym, kKeysymA);
}

TEST_F(HotkeyManagerTest, AKeyHeldByAnotherProgramIsAFailureNamingTheKey)
{
    ASSERT_TRUE(SetEnable(true));
    input->heldByOthers.push_back(kKeysymA);
    EXPECT_FALSE(SetHotkey(MOD_CONTROL | MOD_SHIFT, 'a'));
    EXPECT_EQ(input->Grabbed(0), nullptr);
    EXPECT_TRUE(log.Contains("Cannot register the hot key Ctrl+Shift+a: another program holds it.")) << log.Text();

    // A character no key types fails the same way instead of grabbing some other key.
    EXPECT_FALSE(SetHotkey(MOD_CONTROL, '!'));
    EXPECT_TRUE(log.Contains("Cannot register the hot key Ctrl+!")) << log.Text();
    // A stored character outside ASCII (a hand-edited file) is named, not a toolkit assertion.
    EXPECT_FALSE(SetHotkey(MOD_CONTROL, static_cast<char>(0xAC)));
    EXPECT_TRUE(log.Contains("Cannot register the hot key Ctrl+\xC2\xAC:")) << log.Text();
}

TEST_F(HotkeyManagerTest, TheHookFollowsTheSwitchAndTheGestureType)
{
    // Gesture type 0: no hook even when switched on.
    ASSERT_TRUE(SetEnable(true));
    EXPECT_FALSE(IsHookInstalled());
    EXPECT_TRUE(SetGestureType(1));
    EXPECT_TRUE(IsHookInstalled()) << "a gesture type set while on applies at once";

    // The launcher turns the hook off while shown and on when it hides.
    EXPECT_TRUE(SetHook(false));
    EXPECT_FALSE(IsHookInstalled());
    EXPECT_TRUE(SetHook(true));
    EXPECT_TRUE(IsHookInstalled());

    // Switched off (tray menu or preferences window): a launcher hide must not bring it back.
    EXPECT_TRUE(SetEnable(false));
    EXPECT_FALSE(IsHookInstalled());
    EXPECT_TRUE(SetHook(true));
    EXPECT_FALSE(IsHookInstalled());
    EXPECT_FALSE(input->pointerHandler);

    EXPECT_TRUE(SetEnable(true));
    EXPECT_TRUE(IsHookInstalled());
    EXPECT_TRUE(SetGestureType(0));
    EXPECT_FALSE(IsHookInstalled());
}

TEST_F(HotkeyManagerTest, TheWatchedPointerDrivesTheGesture)
{
    ASSERT_TRUE(SetEnable(true));
    ASSERT_TRUE(SetGestureType(1));
    using B = zplat::PointerButton;
    input->Play(B::LeftDown, 100);
    input->Play(B::RightDown, 100);
    EXPECT_EQ(input->injectedReleases, 1);
    EXPECT_TRUE(GetGestureState().armed);
    input->Play(B::LeftUp, 100); // the injected one
    input->Play(B::RightUp, 100 + GetGestureThreshold() + 1);
    input->Play(B::LeftUp, 100 + GetGestureThreshold() + 1);
    EXPECT_FALSE(GetGestureState().armed) << "completed";
    EXPECT_EQ(GetGestureState().buttons, 0);

    // A left press seen, then the hook off and on: the release it missed leaves no stale state.
    input->Play(B::LeftDown, 0);
    SetHook(false);
    SetHook(true);
    input->Play(B::RightDown, 0);
    EXPECT_EQ(input->injectedReleases, 1) << "a plain right press after the restart";
    EXPECT_FALSE(GetGestureState().armed);
}

TEST_F(HotkeyManagerTest, APressAfterTheWindowIsGoneGoesNowhere)
{
    ASSERT_TRUE(SetEnable(true));
    {
        Recorder gone;
        SetHotkeyWindow(&gone);
        ASSERT_TRUE(SetHotkey(MOD_ALT, 'Q'));
    }
    EXPECT_EQ(GetHotkeyWindow(), nullptr);
    EXPECT_TRUE(input->PressKey(0));
    Deliver();
    EXPECT_TRUE(window.ids.empty());
}

namespace {

class HotkeySettingsTest : public HotkeyManagerTest {
protected:
    void Store(long type, const wxString& key, long gesture, long sensitive, bool enable)
    {
        ConfigImpl* core = GetConfig(cfg::Core);
        core->WriteLong(cfg::Hotkey, cfg::HotkeyType, type);
        core->WriteString(cfg::Hotkey, cfg::HotkeyChar, key);
        core->WriteLong(cfg::Hotkey, cfg::GestureType, gesture);
        core->WriteLong(cfg::Hotkey, cfg::GestureSensitive, sensitive);
        core->WriteBool(cfg::Hotkey, cfg::Enable, enable);
    }
    void TearDown() override
    {
        GetConfig(cfg::Core)->Clear();
        LoadSettings(); // the defaults again, for the tests that follow
        HotkeyManagerTest::TearDown();
    }
    zyntest::ScopedAppDir app;
};

} // namespace

TEST_F(HotkeySettingsTest, LoadSettingsAppliesTheCatalog)
{
    // With nothing stored: switched on, no hot key, no gesture.
    LoadSettings();
    EXPECT_TRUE(HotkeyEnabledFlag);
    EXPECT_TRUE(input->grabs.empty());
    EXPECT_FALSE(IsHookInstalled());
    EXPECT_EQ(GetGestureThreshold(), 250);

    Store(MOD_CONTROL | MOD_SHIFT, "q", 1, -1, true);
    LoadSettings();
    ASSERT_NE(input->Grabbed(0), nullptr);
    EXPECT_EQ(input->Grabbed(0)->modifiers, unsigned(zplat::KEY_MOD_CONTROL | zplat::KEY_MOD_SHIFT));
    EXPECT_EQ(input->Grabbed(0)->keysym, 0x71u);
    EXPECT_TRUE(IsHookInstalled()) << "a gesture type applied while on installs the hook at once";

    const struct {
        long sensitive;
        int threshold;
    } thresholds[] = {{-1, 125}, {0, 250}, {1, 500}, {7, 250}, {-2, 250}};
    for (const auto& t : thresholds) {
        GetConfig(cfg::Core)->WriteLong(cfg::Hotkey, cfg::GestureSensitive, t.sensitive);
        LoadSettings();
        EXPECT_EQ(GetGestureThreshold(), t.threshold) << t.sensitive;
    }

    // A hot key type with no key text keeps the hot key there was.
    Store(MOD_ALT, "", 1, 0, true);
    LoadSettings();
    ASSERT_NE(input->Grabbed(0), nullptr);
    EXPECT_EQ(input->Grabbed(0)->keysym, 0x71u);

    // Only the low 8 bits of the first character count; 0x141 ends up as 'A'.
    Store(MOD_WIN, wxString(wxUniChar(0x141)) + "x", 1, 0, true);
    LoadSettings();
    ASSERT_NE(input->Grabbed(0), nullptr);
    EXPECT_EQ(input->Grabbed(0)->keysym, 0x61u);

    // Switched off through the tray menu: nothing grabbed or watched; no type: no hot key.
    Store(MOD_ALT, "Z", 0, 0, false);
    LoadSettings();
    EXPECT_FALSE(HotkeyEnabledFlag);
    EXPECT_TRUE(input->grabs.empty());
    EXPECT_FALSE(IsHookInstalled());
    Store(0, "Z", 1, 0, true);
    LoadSettings();
    EXPECT_TRUE(HotkeyEnabledFlag);
    EXPECT_TRUE(input->grabs.empty());
    EXPECT_TRUE(IsHookInstalled());
}
