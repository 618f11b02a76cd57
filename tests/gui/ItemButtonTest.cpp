// The item button base on a real X server: faces that follow the pointer, the
// one shared press timer, pointer grabs that never outlive their press, and the
// alpha rules of placing a button.
#include <gtest/gtest.h>

#include <wx/timer.h>
#include <wx/xml/xml.h>

#include "ConfigImpl.h"
#include "ConfigKeys.h"
#include "LauncherFixture.h"
#include "SoundManager.h"

using zyntest::LauncherTest;
using zyntest::PumpUntil;

namespace {

// A button with three plain faces that counts its long presses.
class ProbeButton : public ButtonImpl {
public:
    ProbeButton(const wxPoint& pos) : ButtonImpl(nullptr, "probe", pos), faces{Picture(40, 40, 0xFF202020), Picture(40, 40, 0xFF2020C0), Picture(40, 40, 0xFFC02020)}
    {
        SetBitmaps(faces[0], faces[1], faces[2], false);
        ShowAt(pos, 255);
        Show();
    }
    wxXmlNode* GetNode() override { return nullptr; }
    void SetNode(wxXmlNode*) override {}
    void OnTimer(wxTimerEvent& event) override
    {
        ++longPresses;
        ButtonImpl::OnTimer(event);
    }
    AnimationFrame& Frame() { return frame; }
    ObjectDC& DC() { return objectDC; }

    Picture faces[3];
    int longPresses = 0;
};

class ItemButton : public LauncherTest {
protected:
    ProbeButton* Button(const wxPoint& pos) { return Keep(new ProbeButton(pos)); }
    void SyntheticPress(ProbeButton* b)
    {
        wxMouseEvent down(wxEVT_LEFT_DOWN);
        down.SetEventObject(b);
        b->GetEventHandler()->ProcessEvent(down);
    }
};

TEST_F(ItemButton, FacesFollowThePointer)
{
    ProbeButton* b = Button(wxPoint(100, 100));
    MoveTo(Centre(b));
    EXPECT_TRUE(PumpUntil([&] { return b->state == ITEM_STATE_HOVER; }));
    input.Button(1, true);
    EXPECT_TRUE(PumpUntil([&] { return b->state == ITEM_STATE_PRESSED; }));
    EXPECT_TRUE(b->IsActive());
    Release();
    EXPECT_TRUE(PumpUntil([&] { return b->state == ITEM_STATE_HOVER; }));
    MoveTo(wxPoint(5, 5));
    EXPECT_TRUE(PumpUntil([&] { return b->state == ITEM_STATE_NORMAL; }));
    EXPECT_EQ(b->longPresses, 0);
}

TEST_F(ItemButton, HeldPressBecomesALongPressOnce)
{
    ProbeButton* b = Button(wxPoint(100, 100));
    Press(Centre(b));
    ASSERT_TRUE(PumpUntil([&] { return b->state == ITEM_STATE_PRESSED; }));
    clock.Advance(499);
    PressTimer->Notify(); // the look its timer takes at this time
    EXPECT_EQ(b->longPresses, 0);
    EXPECT_TRUE(PressTimer->IsRunning());
    LongPress();
    EXPECT_EQ(b->longPresses, 1);
    Release();
    LongPress();
    EXPECT_EQ(b->longPresses, 1);
}

TEST_F(ItemButton, QuickSecondPressAtTheSameSpotIsAPressToo)
{
    ProbeButton* b = Button(wxPoint(100, 100));
    zyntest::DoubleClicks doubles(b);
    sound.Reset();
    Click(Centre(b));
    Press(Centre(b));
    ASSERT_EQ(doubles.count, 1);
    EXPECT_TRUE(PumpUntil([&] { return b->state == ITEM_STATE_PRESSED; }));
    EXPECT_EQ(sound.Count(SOUND_PRESS), 2);
    LongPress();
    EXPECT_EQ(b->longPresses, 1);
    Release();
    EXPECT_TRUE(PumpUntil([&] { return b->state == ITEM_STATE_HOVER; }));
}

TEST_F(ItemButton, OnlyTheLastPressedButtonGetsTheLongPress)
{
    ProbeButton* a = Button(wxPoint(100, 100));
    ProbeButton* b = Button(wxPoint(200, 100));
    Press(Centre(a));
    ASSERT_TRUE(PumpUntil([&] { return a->state == ITEM_STATE_PRESSED; }));
    SyntheticPress(b); // the one timer is taken over
    LongPress();
    EXPECT_EQ(a->longPresses, 0);
    EXPECT_EQ(b->longPresses, 1);
}

TEST_F(ItemButton, DragWithAButtonHeldCancelsTheLongPressAPlainMoveDoesNot)
{
    ProbeButton* b = Button(wxPoint(100, 100));
    const wxPoint c = Centre(b);
    MoveTo(c);
    SyntheticPress(b);
    MoveTo(c + wxPoint(3, 3)); // no button held
    LongPress();
    EXPECT_EQ(b->longPresses, 1);

    SyntheticPress(b);
    input.Button(3, true);
    MoveTo(c + wxPoint(-3, -3)); // the right button held
    input.Button(3, false);
    LongPress();
    EXPECT_EQ(b->longPresses, 1);
}

TEST_F(ItemButton, ShowAtKeepsOrSetsTheAlpha)
{
    ProbeButton* b = Button(wxPoint(100, 100));
    b->ShowAt(wxPoint(120, 100), 100);
    EXPECT_EQ(b->Frame().alpha, 100);
    EXPECT_EQ(b->DC().blend.SourceConstantAlpha, 100);
    b->ShowAt(wxPoint(140, 100), KeepAlpha);
    EXPECT_EQ(b->Frame().alpha, 100);
    EXPECT_EQ(b->GetPosition(), wxPoint(140, 100));
    b->ShowAt(wxPoint(140, 100), 300); // recorded, not applied
    EXPECT_EQ(b->Frame().alpha, 300);
    EXPECT_EQ(b->DC().blend.SourceConstantAlpha, 100);
    EXPECT_EQ(b->faceWidth, 40);
}

TEST_F(ItemButton, NameIsTheLabelAndTheBaseHasNoEditor)
{
    ProbeButton* b = Button(wxPoint(100, 100));
    b->SetName("renamed");
    EXPECT_EQ(b->GetName(), "renamed");
    EXPECT_EQ(b->GetLabel(), "renamed");
    EXPECT_FALSE(b->Edit());
    EXPECT_EQ(b->GetName(), "renamed");
}

// Until a button is pressed no button gets a long press, however long the pointer rests on it.
TEST_F(ItemButton, NoButtonGetsALongPressBeforeItIsPressed)
{
    ProbeButton* a = Button(wxPoint(100, 100));
    ProbeButton* b = Button(wxPoint(200, 100));
    MoveTo(Centre(a));
    ASSERT_TRUE(PumpUntil([&] { return a->state == ITEM_STATE_HOVER; }));
    clock.Advance(10 * static_cast<uint32_t>(PressInterval));
    PressTimer->Notify(); // the look its timer takes at this time
    Sync();
    EXPECT_FALSE(PressTimer->IsRunning());
    EXPECT_EQ(a->longPresses, 0);
    EXPECT_EQ(b->longPresses, 0);
}

// A button destroyed in the middle of its press gives back the timer and the pointer grab.
TEST_F(ItemButton, DestroyedButtonStopsItsTimerAndReleasesThePointer)
{
    ProbeButton* a = new ProbeButton(wxPoint(100, 100));
    Press(Centre(a));
    a->GrabPointer();
    ASSERT_TRUE(a->HasCapture());
    ASSERT_TRUE(PressTimer->IsRunning());
    a->Destroy();
    EXPECT_FALSE(PressTimer->IsRunning());
    EXPECT_EQ(wxWindow::GetCapture(), nullptr);
    Release();
    Reap();
    LongPress();
    ProbeButton* b = Button(wxPoint(200, 100)); // the pointer works for others
    Click(Centre(b));
    EXPECT_TRUE(PumpUntil([&] { return b->state == ITEM_STATE_HOVER; }));
}

TEST_F(ItemButton, LostGrabReturnsToTheNormalFace)
{
    ProbeButton* b = Button(wxPoint(100, 100));
    Press(Centre(b));
    b->GrabPointer();
    ASSERT_TRUE(PumpUntil([&] { return b->state == ITEM_STATE_PRESSED; }));
    wxMouseCaptureLostEvent lost(b->GetId());
    lost.SetEventObject(b);
    b->GetEventHandler()->ProcessEvent(lost);
    EXPECT_EQ(b->state, ITEM_STATE_NORMAL);
    EXPECT_FALSE(PressTimer->IsRunning());
    b->ReleasePointer();
    EXPECT_EQ(wxWindow::GetCapture(), nullptr);
}

// The "PressTimeout" setting decides how long a press is held before it is a long press.
TEST_F(ItemButton, SettingsGiveTheLongPressItsTimeAndTheLock)
{
    zyntest::ScopedAppDir dir;
    ConfigImpl* core = GetConfig(cfg::Core);
    ProbeButton* b = Button(wxPoint(100, 100));
    const std::vector<std::pair<long, uint32_t>> cases = {{-1, 250}, {0, 500}, {1, 1000}, {7, 500}, {-2, 500}};
    for (const auto& [timeout, ms] : cases) {
        SCOPED_TRACE(timeout);
        core->WriteLong(cfg::General, cfg::PressTimeout, timeout);
        ButtonImpl::LoadSettings();
        const int before = b->longPresses;
        Press(Spot(b));
        ASSERT_TRUE(PumpUntil([&] { return b->state == ITEM_STATE_PRESSED; }));
        clock.Advance(ms - 1);
        PressTimer->Notify(); // the look its timer takes at this time
        EXPECT_EQ(b->longPresses, before);
        clock.Advance(1);
        EXPECT_TRUE(PumpUntil([&] { return b->longPresses == before + 1; }));
        Release();
    }
    EXPECT_FALSE(LockingModeFlag);
    core->WriteBool(cfg::General, cfg::LockingMode, true);
    ButtonImpl::LoadSettings();
    EXPECT_TRUE(LockingModeFlag);
}

} // namespace
