// The themed notifications on a real X server: the balloons' stack, the
// picture notices and the warning, and the modal alert answered with real
// clicks. Time runs on a manual clock, so every animation and time-out moves
// only when a test says so.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include <wx/display.h>
#include <wx/filefn.h>
#include <wx/frame.h>
#include <wx/timer.h>
#include <wx/weakref.h>

#include "AlertObject.h"
#include "BitmapManager.h"
#include "FontManager.h"
#include "LogCapture.h"
#include "MessageObject.h"
#include "NoticeObject.h"
#include "ScreenProbe.h"
#include "SoundManager.h"
#include "SystemPaths.h"
#include "TestSupport.h"
#include "WarningObject.h"
#include "XClient.h"
#include "ZynUtils.h"
#include "zplat/Clock.h"

using zyntest::NearRgb;
using zyntest::PumpUntil;
using zyntest::SamePixels;

namespace {

bool themeReady = false;

class Notifications : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        const wxString appDir = AppDir;
        const wxString cwd = wxGetCwd();
        AppDir = wxString::FromUTF8(zyntest::AppDirOfBuild());
        themeReady = FontManager::Initial() && BitmapManager::Initial();
        AppDir = appDir;
        wxSetWorkingDirectory(cwd);
    }
    static void TearDownTestSuite() { FontManager::Release(); }

    void SetUp() override
    {
        ASSERT_TRUE(themeReady);
        ASSERT_TRUE(sound.loaded);
        zplat::SetClock(&clock);
        AnimationDuration = 250;
        ModalOpenFlag = false;
    }
    void TearDown() override
    {
        for (MessageObject* balloon : std::vector<MessageObject*>(MessageStack.items))
            balloon->Destroy();
        for (wxWindow* w : made)
            if (w)
                w->Destroy();
        zyntest::SyncToolkit();
        EXPECT_TRUE(PumpUntil([] { return MessageStack.Empty() && wxPendingDelete.IsEmpty(); }));
        zplat::SetClock(nullptr);
    }

    // Runs the clock on, step by step, until cond holds; after each step every
    // count-down and animation has acted on the time.
    bool Settle(const std::function<bool()>& cond, uint32_t stepMs = 1000)
    {
        for (int i = 0; i < 12; ++i) {
            Tick();
            if (cond())
                return true;
            clock.Advance(stepMs);
        }
        Tick();
        return cond();
    }
    // Does now what the timers of the notifications do on their next tick: every
    // running count-down and animation looks at the hand-driven clock and acts.
    static void Tick()
    {
        zyntest::SyncToolkit();
        std::vector<wxTimer*> timers;
        for (wxWindow* w : wxTopLevelWindows) {
            if (auto* picture = dynamic_cast<NotifyPicture*>(w))
                timers.push_back(&picture->animator);
            if (auto* balloon = dynamic_cast<MessageObject*>(w))
                timers.push_back(&balloon->hideTimer);
            if (auto* notice = dynamic_cast<NoticeObject*>(w))
                timers.push_back(&notice->hideTimer);
        }
        for (wxTimer* timer : timers)
            if (timer->IsRunning())
                timer->Notify();
        zyntest::SyncToolkit();
    }
    static bool Open(const MessageObject* b) { return b->expanded && !b->animator.IsRunning(); }
    // A balloon without time-out, shown and unfolded; null when it never opens.
    MessageObject* ShowOpen(const char* text)
    {
        MessageObject* balloon = ShowMessage(text, false);
        balloon->Show(true);
        return Settle([&] { return Open(balloon); }) ? balloon : nullptr;
    }

    template <class T>
    T* Keep(T* w)
    {
        made.emplace_back(w);
        return w;
    }

    // The screen at p inside a window at origin shows picture's pixel there
    // (opaque pixels only), blended at alpha over what was there before.
    bool ShowsPixel(const wxPoint& origin, const Picture& picture, const wxPoint& p, uint32_t before, int alpha = 255)
    {
        const uint32_t px = picture.GetPixel(p.x, p.y);
        EXPECT_EQ(px >> 24, 0xFFu) << "pick an opaque pixel";
        uint32_t expected = 0;
        for (int shift = 0; shift < 24; shift += 8) {
            const int c = (px >> shift) & 0xFF, b = (before >> shift) & 0xFF;
            expected |= static_cast<uint32_t>((c * alpha + b * (255 - alpha)) / 255) << shift;
        }
        const wxPoint at = origin + p;
        if (!zplat::GetWindowService().IsComposited())
            expected = px & 0xFFFFFF; // no translucency without a compositor
        return PumpUntil([&] { return NearRgb(probe.Pixel(at.x, at.y), expected, 4); });
    }

    zplat::ManualClock clock;
    zyntest::FakeSound sound;
    zyntest::ScreenProbe probe;
    std::vector<wxWeakRef<wxWindow>> made;
};

// ---- Message balloons -------------------------------------------------------

TEST_F(Notifications, BalloonsStackDimAndComeBack)
{
    const wxSize full = BitmapManager::System(BITMAP_MESSAGE)[0].GetSize();
    const wxRect screen = wxDisplay(0u).GetGeometry();
    const wxPoint probeAt(full.x / 2, 40);

    MessageObject* first = ShowMessage("First message", true);
    EXPECT_EQ(first->GetParent(), nullptr) << "no launcher window: no parent";
    EXPECT_EQ(first->position, wxPoint((screen.width - full.x) / 2, (screen.height - full.y) / 2));
    const uint32_t desktop = probe.Pixel(first->position.x + probeAt.x, first->position.y + probeAt.y);
    Tick();
    EXPECT_FALSE(first->IsShown()) << "the caller shows it";
    EXPECT_EQ(sound.Count(SOUND_MESSAGE), 0);
    EXPECT_FALSE(first->hideTimer.IsRunning()) << "showing starts the count-down, not building";

    first->Show(true);
    EXPECT_EQ(sound.Count(SOUND_MESSAGE), 1);
    ASSERT_TRUE(Settle([&] { return Open(first); }));
    EXPECT_EQ(first->drawnSize, full);
    EXPECT_EQ(first->GetFrame()->alpha, 255);
    EXPECT_TRUE(ShowsPixel(first->position, first->displayBitmap, probeAt, desktop));

    MessageObject* second = ShowMessage("Second message", true);
    // The first is dimmed and disabled at once, and stops counting.
    EXPECT_EQ(second->GetParent(), first);
    EXPECT_EQ(second->position, first->position + wxPoint(10, 10));
    EXPECT_EQ(first->GetFrame()->alpha, DimmedAlpha);
    EXPECT_FALSE(first->IsEnabled());
    EXPECT_FALSE(first->hideTimer.IsRunning());
    EXPECT_TRUE(ShowsPixel(first->position, first->displayBitmap, probeAt, desktop, DimmedAlpha));
    second->Show(true);
    ASSERT_TRUE(Settle([&] { return Open(second); }));
    EXPECT_EQ(MessageStack.items, (std::vector<MessageObject*>{first, second}));

    // The second times out and fades; the first comes back with a fresh count-down.
    wxWeakRef<wxWindow> gone(second);
    clock.Advance(MessageTimeoutMs);
    ASSERT_TRUE(PumpUntil([&] { return second->animator.IsRunning(); }));
    ASSERT_TRUE(Settle([&] { return !gone; }));
    EXPECT_EQ(MessageStack.items, (std::vector<MessageObject*>{first}));
    EXPECT_TRUE(first->IsEnabled());
    EXPECT_EQ(first->GetFrame()->alpha, 255);
    EXPECT_TRUE(ShowsPixel(first->position, first->displayBitmap, probeAt, desktop));
    ASSERT_TRUE(first->hideTimer.IsRunning());
    clock.Advance(MessageTimeoutMs - 1);
    Tick();
    EXPECT_FALSE(first->animator.IsRunning()) << "the count-down started over when the second hid";
    clock.Advance(1);
    EXPECT_TRUE(PumpUntil([&] { return first->animator.IsRunning(); }));
}

TEST_F(Notifications, BalloonWithoutTimeOutFadesOnAClickOnly)
{
    MessageObject* balloon = ShowMessage("Click me", false);
    balloon->Show(true);
    const wxPoint centre = balloon->position + wxPoint(balloon->fullSize.x / 2, 40);
    // Clicks while it unfolds are ignored (the manual clock holds the animation).
    clock.Advance(60);
    ASSERT_TRUE(PumpUntil([&] { return balloon->GetFrame()->alpha > 0; }));
    probe.Click(centre.x, centre.y);
    zyntest::SyncToolkit(); // the click is handled
    ASSERT_TRUE(Settle([&] { return Open(balloon); }));
    EXPECT_EQ(balloon->GetFrame()->alpha, 255) << "the click during the unfolding did nothing";

    clock.Advance(10 * MessageTimeoutMs);
    Tick();
    EXPECT_FALSE(balloon->animator.IsRunning()) << "no time-out";

    wxWeakRef<wxWindow> gone(balloon);
    probe.Click(centre.x, centre.y);
    ASSERT_TRUE(PumpUntil([&] { return balloon->animator.IsRunning(); }));
    ASSERT_TRUE(Settle([&] { return !gone; }));
    EXPECT_TRUE(MessageStack.Empty());

    // PopupMessage shows its balloon at once.
    ASSERT_TRUE(PopupMessage("At once", true));
    ASSERT_EQ(MessageStack.Size(), 1u);
    EXPECT_TRUE(MessageStack.Top()->IsShown());
    EXPECT_EQ(sound.Count(SOUND_MESSAGE), 2);
}

// A balloon below the top that hides takes only itself out of the stack; the
// ones standing on it go with it, and nothing destroyed stays behind.
TEST_F(Notifications, NonTopBalloonHidingLeavesAConsistentStack)
{
    zyntest::LogCapture log;
    MessageObject* first = ShowOpen("First");
    ASSERT_TRUE(first);
    MessageObject* second = ShowOpen("Second");
    ASSERT_TRUE(second);

    wxWeakRef<wxWindow> firstRef(first), secondRef(second);
    first->Show(false);
    EXPECT_EQ(MessageStack.items, (std::vector<MessageObject*>{second}));
    EXPECT_EQ(second->GetFrame()->alpha, 255);
    ASSERT_TRUE(PumpUntil([&] { return !firstRef && !secondRef; }));
    EXPECT_TRUE(MessageStack.Empty());
    EXPECT_FALSE(log.Contains("Error deleting message.")) << log.Text();

    MessageObject* next = ShowMessage("Next", false);
    EXPECT_EQ(next->GetParent(), nullptr);
    EXPECT_EQ(MessageStack.items, (std::vector<MessageObject*>{next}));
}

TEST_F(Notifications, DimmingADrawingBalloon)
{
    // Dimmed before its first step (alpha 0): it hides and leaves at once.
    MessageObject* early = ShowMessage("Early", true);
    early->Show(true);
    wxWeakRef<wxWindow> earlyRef(early);
    MessageObject* next = ShowMessage("Next", true);
    EXPECT_EQ(MessageStack.items, (std::vector<MessageObject*>{next}));
    EXPECT_EQ(next->GetParent(), nullptr);
    EXPECT_TRUE(PumpUntil([&] { return !earlyRef; }));
    next->Show(true);

    // Dimmed while it widens: the stop starts its vertical unfolding, which ends at alpha 100.
    clock.Advance(40);
    ASSERT_TRUE(PumpUntil([&] { return next->GetFrame()->alpha > 0 && next->GetFrame()->width < next->fullSize.x; }));
    MessageObject* top = ShowMessage("Top", true);
    EXPECT_TRUE(next->expanded);
    EXPECT_TRUE(next->animator.IsRunning());
    ASSERT_TRUE(Settle([&] { return Open(next); }));
    EXPECT_EQ(next->drawnSize, next->fullSize);
    EXPECT_EQ(next->GetFrame()->alpha, DimmedAlpha);
    EXPECT_EQ(MessageStack.items, (std::vector<MessageObject*>{next, top}));
}

// A dimmed balloon is disabled: a click on the part the newer one leaves free
// does nothing, while the same click on the newer one fades it.
TEST_F(Notifications, DimmedBalloonIgnoresClicks)
{
    MessageObject* first = ShowOpen("First");
    ASSERT_TRUE(first);
    MessageObject* second = ShowOpen("Second");
    ASSERT_TRUE(second);

    // An opaque point of the first that the second, 10 pixels further on, leaves free.
    wxPoint free(-1, -1);
    for (int y = first->fullSize.y / 2; y < first->fullSize.y && free.x < 0; ++y)
        for (int x = 0; x < 10 && free.x < 0; ++x)
            if (first->displayBitmap.GetPixel(x, y) >> 24 == 0xFF)
                free = wxPoint(x, y);
    ASSERT_GE(free.x, 0) << "the message background has no opaque pixel near its left edge";
    free += first->position;
    probe.Click(free.x, free.y);
    // Input comes in order: once the second fades, the first click has been handled.
    const wxPoint onSecond = second->position + wxPoint(second->fullSize.x / 2, second->fullSize.y / 2);
    probe.Click(onSecond.x, onSecond.y);
    ASSERT_TRUE(PumpUntil([&] { return second->animator.IsRunning(); }));
    EXPECT_FALSE(first->animator.IsRunning());
    EXPECT_EQ(first->GetFrame()->alpha, DimmedAlpha);
    EXPECT_EQ(MessageStack.items, (std::vector<MessageObject*>{first, second}));
}

// ---- Picture notices and the warning ---------------------------------------

TEST_F(Notifications, WarningRepeatsAndHidesASecondAfterTheLastCall)
{
    ShowWarning();
    wxWeakRef<WarningObject> warning(WarningObject::Get());
    ASSERT_TRUE(warning);
    EXPECT_EQ(warning->GetParent(), nullptr);
    const wxRect screen = wxDisplay(0u).GetGeometry();
    const wxSize size = BitmapManager::System(ETC_WARNING)[0].GetSize();
    EXPECT_EQ(warning->position, wxPoint((screen.width - size.x) / 2, screen.height / 2 - 2 * size.y));
    clock.Advance(300); // the growth takes 250 ms
    ASSERT_TRUE(PumpUntil([&] { return !warning->animator.IsRunning(); }));
    EXPECT_EQ(warning->drawnSize, size);

    clock.Advance(500);
    Tick();
    ShowWarning();
    EXPECT_EQ(WarningObject::Get(), warning.get()) << "one warning";
    clock.Advance(WarningTimeoutMs - 1);
    Tick();
    EXPECT_FALSE(warning->animator.IsRunning()) << "still a full second after the second call";
    clock.Advance(1);
    ASSERT_TRUE(PumpUntil([&] { return warning->animator.IsRunning(); }));

    // Shown again while it fades: back at full strength at once, for another second.
    clock.Advance(100);
    ASSERT_TRUE(PumpUntil([&] { return warning->GetFrame()->alpha < 255; }));
    ShowWarning();
    EXPECT_FALSE(warning->animator.IsRunning());
    EXPECT_EQ(warning->GetFrame()->alpha, 255);
    ASSERT_TRUE(Settle([&] { return !warning; }));

    // Gone: the next call builds a new one that grows again.
    ShowWarning();
    WarningObject* fresh = WarningObject::Get();
    EXPECT_TRUE(fresh->animator.IsRunning());
    EXPECT_EQ(fresh->GetFrame()->width, 0);
    Keep(fresh);
}

TEST_F(Notifications, WarningShowsItsPictureOnScreen)
{
    const Picture& picture = BitmapManager::System(ETC_WARNING)[0];
    const wxPoint p(picture.GetWidth() / 2, picture.GetHeight() / 2);
    WarningObject* warning = WarningObject::Get();
    const uint32_t before = probe.Pixel(warning->position.x + p.x, warning->position.y + p.y);
    ShowWarning();
    clock.Advance(300);
    ASSERT_TRUE(PumpUntil([&] { return !warning->animator.IsRunning(); }));
    EXPECT_TRUE(ShowsPixel(warning->position, picture, p, before));
    // It takes no input: a click on it changes nothing.
    int clicks = 0;
    warning->Bind(wxEVT_LEFT_DOWN, [&](wxMouseEvent& e) {
        ++clicks;
        e.Skip();
    });
    probe.Click(warning->position.x + p.x, warning->position.y + p.y);
    ASSERT_TRUE(PumpUntil([&] { return clicks == 1; }));
    EXPECT_FALSE(warning->animator.IsRunning());
    EXPECT_EQ(warning->GetFrame()->alpha, 255);
    Keep(warning);
}

// A warning destroyed with the window it stands over (the launcher) is forgotten.
TEST_F(Notifications, WarningGoneWithItsParentIsBuiltAgain)
{
    ShowWarning();
    delete WarningObject::Get(); // what the parent's destruction does to it
    ShowWarning();
    WarningObject* fresh = WarningObject::Get();
    EXPECT_TRUE(fresh->IsShown());
    EXPECT_TRUE(fresh->animator.IsRunning());
    Keep(fresh);
}

// A time-out shorter than the growth: the fade-out takes over at the size reached.
TEST_F(Notifications, FadeOutTakesOverAnUnfinishedGrowth)
{
    NoticeObject* notice = new NoticeObject(nullptr, BitmapManager::System(ETC_WARNING), 100, wxDefaultPosition);
    wxWeakRef<wxWindow> ref(notice);
    notice->Show(true);
    // Part of the growth is drawn before the time-out: the hide timer and the
    // animation look at the clock on timers of their own, and the one that ran
    // first after a single step to the time-out would decide what was drawn.
    clock.Advance(99);
    ASSERT_TRUE(PumpUntil([&] { return notice->drawnSize.x > 0; }));
    EXPECT_TRUE(notice->animator.IsRunning());
    EXPECT_NE(notice->animator.target.flags, FRAME_ALPHA) << "the time-out has not come yet";
    clock.Advance(1);
    ASSERT_TRUE(PumpUntil([&] { return notice->animator.target.flags == FRAME_ALPHA; }));
    const wxSize reached = notice->drawnSize;
    EXPECT_LT(reached.x, notice->fullSize.x);
    EXPECT_GT(reached.x, 0);
    clock.Advance(100);
    ASSERT_TRUE(PumpUntil([&] { return notice->GetFrame()->alpha < 200; }));
    EXPECT_EQ(notice->drawnSize, reached);
    EXPECT_TRUE(Settle([&] { return !ref; }));
}

TEST_F(Notifications, NoticePlaces)
{
    const Frames& frames = BitmapManager::System(ETC_WELCOME);
    const wxRect screen = wxDisplay(0u).GetGeometry();
    const wxSize size = frames[0].GetSize();
    const struct {
        wxPoint asked, placed;
    } cases[] = {
        {wxDefaultPosition, {(screen.width - size.x) / 2, screen.height / 2 - 2 * size.y}},
        {{wxDefaultCoord, 300}, {wxDefaultCoord, 300}},
        {{40, wxDefaultCoord}, {40, wxDefaultCoord}},
        {{40, 300}, {40, 300}},
    };
    for (const auto& c : cases) {
        NoticeObject* notice = Keep(new NoticeObject(nullptr, frames, 0, c.asked));
        EXPECT_EQ(notice->position, c.placed);
        EXPECT_EQ(notice->GetFrame()->alpha, 0);
        EXPECT_FALSE(notice->IsShown());
    }
}

TEST_F(Notifications, NoticeWithoutItsPictureStillTimesOutAndGoes)
{
    const Frames missing(3);
    NoticeObject* notice = new NoticeObject(nullptr, missing, 1000, wxDefaultPosition);
    wxWeakRef<wxWindow> ref(notice);
    EXPECT_EQ(notice->fullSize, wxSize(0, 0));
    notice->Show(true);
    clock.Advance(300);
    ASSERT_TRUE(PumpUntil([&] { return !notice->animator.IsRunning(); }));
    EXPECT_TRUE(notice->IsShown());
    clock.Advance(700);
    ASSERT_TRUE(PumpUntil([&] { return notice->animator.IsRunning(); }));
    EXPECT_TRUE(Settle([&] { return !ref; }));
}

// The welcome picture stands on the welcome balloon and goes with it.
TEST_F(Notifications, WelcomeNoticeGoesWithItsBalloon)
{
    MessageObject* balloon = ShowMessage("Zyn Utils Starts Successfully.", false);
    NoticeObject* notice = new NoticeObject(balloon, BitmapManager::System(ETC_WELCOME), 0, wxDefaultPosition);
    wxWeakRef<wxWindow> balloonRef(balloon), noticeRef(notice);
    balloon->Show(true);
    notice->Show(true);
    ASSERT_TRUE(Settle([&] { return Open(balloon) && !notice->animator.IsRunning(); }));
    EXPECT_TRUE(probe.IsAbove(notice, balloon));
    clock.Advance(60000);
    Tick();
    EXPECT_TRUE(noticeRef && notice->IsShown()) << "no time-out";

    const wxPoint at = balloon->position + wxPoint(balloon->fullSize.x / 2, balloon->fullSize.y - 30);
    probe.Click(at.x, at.y);
    ASSERT_TRUE(Settle([&] { return !balloonRef; }));
    EXPECT_FALSE(noticeRef);
}

// ---- The alert -------------------------------------------------------------

// Inside the alert (the button origins are set at start, like these).
const wxPoint YesCentre(100, 205);
const wxPoint NoCentre(250, 205);
const wxPoint Outside(175, 40);

// Drives the alert from a timer inside its modal loop with real input: the
// steps run in turn, each tried until it answers true. Past the deadline the
// alert is hidden (so the loop ends) and the test fails.
class AlertDriver : public wxTimer {
public:
    explicit AlertDriver(zplat::ManualClock& clock) : clock(clock) {}

    std::vector<std::function<bool()>> steps;
    AlertObject* alert = nullptr;
    int downs = 0; // presses the alert received
    bool flagWhileOpen = false;

    void Notify() override
    {
        while (next < steps.size() && steps[next]())
            ++next;
        if (++ticks > 1000 && next < steps.size()) {
            ADD_FAILURE() << "the alert's script stopped at step " << next;
            Stop();
            if (alert)
                alert->Show(false);
        }
    }

    // The alert appears (its presses are counted from then on).
    void Appears()
    {
        steps.push_back([this] {
            for (wxWindow* w : wxTopLevelWindows)
                if (auto* a = dynamic_cast<AlertObject*>(w); a && a->IsShown())
                    alert = a;
            if (alert)
                alert->Bind(wxEVT_LEFT_DOWN, [this](wxMouseEvent& e) {
                    ++downs;
                    e.Skip();
                });
            return alert != nullptr;
        });
    }
    // It has opened.
    void Opens()
    {
        steps.push_back([this] {
            clock.Advance(100);
            flagWhileOpen = ModalOpenFlag;
            return alert->expanded && !alert->animator.IsRunning();
        });
    }
    void MoveTo(const wxPoint& p)
    {
        steps.push_back([this, p] {
            x.MoveTo(alert->position.x + p.x, alert->position.y + p.y);
            return true;
        });
    }
    // A press waits until the alert has received it.
    void Button(bool down)
    {
        steps.push_back([this, down] {
            downsBefore = downs;
            x.Button(1, down);
            return true;
        });
        if (down)
            steps.push_back([this] { return downs > downsBefore; });
    }
    // Waits until cond holds.
    void Until(std::function<bool()> cond) { steps.push_back(std::move(cond)); }
    // Runs the clock until the alert has faded out and the modal loop ends.
    void FadesOut()
    {
        steps.push_back([this] {
            clock.Advance(100);
            return false;
        });
    }
    // Runs what asks (ShowConfirm, Quit) with these steps; what it returned.
    template <class Ask>
    auto Run(Ask ask)
    {
        Start(10);
        auto result = ask();
        Stop();
        return result;
    }

private:
    zplat::ManualClock& clock;
    zyntest::XClient x;
    size_t next = 0;
    int ticks = 0;
    int downsBefore = 0;
};

TEST_F(Notifications, AlertAnswersWithRealClicks)
{
    ASSERT_EQ(HitButton(YesCentre, wxSize(40, 40)), CHOICE_YES);
    ASSERT_EQ(HitButton(NoCentre, wxSize(40, 40)), CHOICE_NO);
    const struct {
        const char* what;
        wxPoint press, release;
        bool flagBefore;
        int answer;
    } cases[] = {
        {"press yes, release", YesCentre, YesCentre, false, wxYES},
        {"press yes, drag onto no", YesCentre, NoCentre, false, wxNO},
        {"press outside, drag onto yes", Outside, YesCentre, true, wxYES},
        {"no inside an outer modal window", NoCentre, NoCentre, true, wxNO},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        sound.Reset();
        ModalOpenFlag = c.flagBefore;
        AlertDriver driver(clock);
        driver.Appears();
        driver.Opens();
        driver.MoveTo(c.press);
        driver.Button(true);
        driver.MoveTo(c.release);
        driver.Until([&] { return HitButton(c.release, driver.alert->yesFaces[0].GetSize()) == driver.alert->input.choice; });
        driver.Button(false);
        driver.FadesOut();
        EXPECT_EQ(driver.Run([] { return ShowConfirm("Are you sure to Exit ?"); }), c.answer);
        EXPECT_TRUE(driver.flagWhileOpen);
        EXPECT_EQ(ModalOpenFlag, c.flagBefore) << "the flag is given back as it was";
        EXPECT_EQ(sound.Count(SOUND_ALERT), 1);
        EXPECT_EQ(sound.Count(SOUND_PRESS), c.press == Outside ? 0 : 1);
    }
}

TEST_F(Notifications, AlertIgnoresInputWhileItOpensAndNeedsAChoice)
{
    AlertDriver driver(clock);
    driver.Appears();
    // Halfway through the widening (the manual clock holds it there), a click on yes.
    driver.Until([&] {
        clock.Advance(30);
        return driver.alert->GetFrame()->alpha > 0 && driver.alert->GetFrame()->width > 250;
    });
    driver.MoveTo(YesCentre);
    driver.Button(true);
    driver.Button(false);
    driver.Until([&] {
        EXPECT_EQ(driver.alert->input.choice, CHOICE_NONE);
        EXPECT_EQ(sound.Count(SOUND_PRESS), 0);
        return true;
    });
    // Open now: a press and release off both buttons keeps it open.
    driver.Opens();
    driver.MoveTo(Outside);
    driver.Button(true);
    driver.Button(false);
    driver.Until([&] {
        EXPECT_FALSE(driver.alert->animator.IsRunning());
        EXPECT_TRUE(driver.alert->IsShown());
        return true;
    });
    driver.MoveTo(YesCentre);
    driver.Button(true);
    driver.Button(false);
    driver.FadesOut();
    EXPECT_EQ(driver.Run([] { return ShowConfirm("Are you sure to reset all the settings?"); }), wxYES);
}

// A close request ends the alert at once with the button chosen last; an answer
// given to its modal loop (the end of the session's No) stands whatever the pointer rests on.
TEST_F(Notifications, AlertClosedAnswersItsLastChoiceAndAGivenAnswerStands)
{
    const struct {
        const char* what;
        bool onYes;
        bool close; // a close request, else the loop is ended with wxNO
        int answer;
    } cases[] = {
        {"closed on yes", true, true, wxYES},
        {"closed elsewhere", false, true, wxNO},
        {"ended with no on yes", true, false, wxNO},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        AlertDriver driver(clock);
        driver.Appears();
        driver.Opens();
        driver.MoveTo(c.onYes ? YesCentre : Outside);
        driver.Until([&] { return driver.alert->input.choice == (c.onYes ? CHOICE_YES : CHOICE_NONE); });
        driver.Until([&] {
            if (c.close)
                return driver.alert->Close();
            driver.alert->EndModal(wxNO);
            return true;
        });
        EXPECT_EQ(driver.Run([] { return ShowConfirm("Are you sure to Exit ?"); }), c.answer);
        EXPECT_FALSE(ModalOpenFlag);
    }
}

// Quit asks first; "No" leaves the program running.
TEST_F(Notifications, QuitAsksAndGoesOnOnlyOnYes)
{
    zyntest::LogCapture log;
    AlertDriver driver(clock);
    driver.Appears();
    driver.Opens();
    driver.MoveTo(NoCentre);
    driver.Button(true);
    driver.Button(false);
    driver.FadesOut();
    driver.Run([] {
        wxGetApp().Quit();
        return 0;
    });
    EXPECT_EQ(sound.Count(SOUND_ALERT), 1);
    EXPECT_FALSE(log.Contains("Shutting down...")) << log.Text();
}

// The alert stands above the full-screen launcher and above the program's own
// toolkit windows (the preferences window asks Reset), and takes the click there.
TEST_F(Notifications, AlertStandsAboveWhatAsksAndTakesTheClick)
{
    const wxRect screen = wxDisplay(0u).GetGeometry();
    struct Backdrop : ZynObject {
        Backdrop() : ZynObject(nullptr, "backdrop", wxPoint(0, 0), wxSize(0, 0)) {}
        ObjectDC& DC() { return objectDC; }
    };
    for (int under = 0; under < 2; ++under) {
        SCOPED_TRACE(under == 0 ? "full-screen themed window" : "toolkit frame");
        wxWindow* below = nullptr;
        if (under == 0) {
            auto* backdrop = new Backdrop;
            backdrop->DC().SetKind(zplat::WindowKind::App);
            backdrop->DC().pos = wxPoint(0, 0);
            backdrop->DC().size = screen.GetSize();
            ASSERT_TRUE(backdrop->DC().Update(Picture(screen.width, screen.height, 0xC0000000), true));
            below = backdrop;
        } else {
            below = new wxFrame(nullptr, wxID_ANY, "Preferences", wxPoint(700, 350), wxSize(520, 400));
        }
        Keep(below);
        below->Show();
        ASSERT_TRUE(PumpUntil([&] { return probe.IsOnScreen(below); }));

        bool above = false;
        AlertDriver driver(clock);
        driver.Appears();
        driver.Opens();
        driver.Until([&] { return above = probe.IsAbove(driver.alert, below); });
        driver.MoveTo(YesCentre);
        driver.Button(true);
        driver.Button(false);
        driver.FadesOut();
        EXPECT_EQ(driver.Run([] { return ShowConfirm("Are you sure to Exit ?"); }), wxYES);
        EXPECT_TRUE(above);
        below->Destroy();
    }
}

TEST_F(Notifications, AlertComposesItsBandsAndButtons)
{
    AlertObject* alert = ShowAlert("Are you sure to drop the old menu ?");
    Keep(alert);
    const Picture& background = BitmapManager::System(BITMAP_ALERT)[0];
    ASSERT_EQ(alert->fullSize, background.GetSize());
    // Closed: the strip of the two bands, nothing of the buttons.
    EXPECT_EQ(alert->drawnSize, wxSize(0, AlertBands.ClosedHeight()));
    EXPECT_FALSE(alert->IsShown());

    AnimationFrame f;
    f.width = alert->fullSize.x;
    f.height = alert->fullSize.y;
    f.alpha = 255;
    f.flags = FRAME_WIDTH | FRAME_HEIGHT | FRAME_ALPHA;
    alert->ApplyFrame(f);
    // Open: the question's picture with both buttons blended over it at full strength.
    Picture expected = alert->sourceBitmap;
    BitmapDC dc(expected);
    dc.AlphaBlend(alert->yesFaces[0], wxRect(alert->yesFaces[0].GetSize()), wxRect(YesButtonOrigin, alert->yesFaces[0].GetSize()), 255);
    dc.AlphaBlend(alert->noFaces[0], wxRect(alert->noFaces[0].GetSize()), wxRect(NoButtonOrigin, alert->noFaces[0].GetSize()), 255);
    for (const wxPoint p : {YesCentre, NoCentre, wxPoint(175, 126), wxPoint(3, 3)})
        EXPECT_EQ(alert->displayBitmap.GetPixel(p.x, p.y), expected.GetPixel(p.x, p.y)) << p.x << "," << p.y;
    // The question is drawn on the middle row.
    bool differs = false;
    for (int x = 0; x < background.GetWidth(); ++x)
        differs = differs || alert->sourceBitmap.GetPixel(x, background.GetHeight() / 2) != background.GetPixel(x, background.GetHeight() / 2);
    EXPECT_TRUE(differs);
}

// With no launcher window the alerts' invisible owner has no parent. Every
// alert stands on that one owner, and one that went (with the launcher that
// held it) is built again.
TEST_F(Notifications, AlertOwnerIsSharedAndBuiltAgainWhenItGoes)
{
    AlertObject* first = ShowAlert("First");
    wxWeakRef<wxWindow> owner(first->GetParent());
    ASSERT_NE(dynamic_cast<EmptyObject*>(owner.get()), nullptr);
    EXPECT_EQ(owner->GetParent(), nullptr);
    EXPECT_TRUE(owner->IsShown());
    EXPECT_EQ(ShowAlert("Second")->GetParent(), owner.get());

    delete owner.get(); // what the launcher's destruction does to it; its alerts go with it
    ASSERT_FALSE(owner);
    AlertObject* third = Keep(ShowAlert("Third"));
    ASSERT_NE(dynamic_cast<EmptyObject*>(third->GetParent()), nullptr);
    EXPECT_TRUE(third->GetParent()->IsShown());
}

// Each window's animations in turn, with the effect word and the properties
// each one carries: the alert widens (half the time) while fading in, opens,
// and fades out; a balloon widens (half the time), unfolds, and fades out
// (half the time, keeping the unfolding's size); a notice grows and fades out.
TEST_F(Notifications, AnimationsTakeTheirEffectsAndProperties)
{
    struct Stage {
        uint32_t effect;
        uint32_t flags;
    };
    const auto expectStage = [](const WinFX& fx, const Stage& stage) {
        EXPECT_TRUE(fx.IsRunning());
        EXPECT_EQ(fx.effect, stage.effect);
        EXPECT_EQ(fx.target.flags, stage.flags);
    };
    const Stage widen{0x109, FRAME_WIDTH | FRAME_ALPHA}, open{0x108, FRAME_WIDTH | FRAME_HEIGHT};

    {
        SCOPED_TRACE("alert");
        AlertObject* alert = ShowAlert("Effects");
        wxWeakRef<wxWindow> ref(alert);
        alert->Show(true);
        expectStage(alert->animator, widen);
        ASSERT_TRUE(Settle([&] { return alert->expanded; }, 100));
        expectStage(alert->animator, open);
        ASSERT_TRUE(Settle([&] { return !alert->animator.IsRunning(); }, 100));
        wxMouseEvent on(wxEVT_LEFT_DOWN);
        on.SetPosition(YesCentre);
        alert->OnLeftDown(on);
        wxMouseEvent up(wxEVT_LEFT_UP);
        alert->OnLeftUp(up);
        expectStage(alert->animator, {0x110, FRAME_ALPHA});
        ASSERT_TRUE(Settle([&] { return !ref; }, 100));
    }
    {
        SCOPED_TRACE("balloon");
        MessageObject* balloon = ShowMessage("Effects", true);
        balloon->Show(true);
        expectStage(balloon->animator, widen);
        ASSERT_TRUE(Settle([&] { return balloon->expanded; }, 100));
        expectStage(balloon->animator, open);
        ASSERT_TRUE(Settle([&] { return Open(balloon); }, 100));
        clock.Advance(MessageTimeoutMs);
        ASSERT_TRUE(PumpUntil([&] { return balloon->animator.IsRunning(); }));
        expectStage(balloon->animator, {0x111, FRAME_WIDTH | FRAME_HEIGHT | FRAME_ALPHA});
    }
    {
        SCOPED_TRACE("notice");
        NoticeObject* notice = Keep(new NoticeObject(nullptr, BitmapManager::System(ETC_WELCOME), 1000, wxDefaultPosition));
        notice->Show(true);
        expectStage(notice->animator, {0x108, FRAME_WIDTH | FRAME_HEIGHT | FRAME_ALPHA});
        ASSERT_TRUE(Settle([&] { return !notice->animator.IsRunning(); }, 100));
        clock.Advance(1000);
        ASSERT_TRUE(PumpUntil([&] { return notice->animator.IsRunning(); }));
        expectStage(notice->animator, {0x110, FRAME_ALPHA});
    }
}

// A line is never wrapped or shortened: one wider than the background starts,
// centred, left of the drawing margin, so none of it is drawn; one that fits is.
TEST_F(Notifications, TextTooWideForTheBackgroundIsNotDrawn)
{
    const wxString wide(wxUniChar('W'), 200);
    const Picture& message = BitmapManager::System(BITMAP_MESSAGE)[0];
    const Picture& alert = BitmapManager::System(BITMAP_ALERT)[0];
    EXPECT_TRUE(SamePixels(ShowMessage(wide, false)->sourceBitmap, message));
    EXPECT_FALSE(SamePixels(ShowMessage("Fits", false)->sourceBitmap, message));
    EXPECT_TRUE(SamePixels(Keep(ShowAlert(wide))->sourceBitmap, alert));
    EXPECT_FALSE(SamePixels(Keep(ShowAlert("Fits"))->sourceBitmap, alert));
}

// A background shorter than the bands: every copy clips (run under the sanitizers).
TEST_F(Notifications, ShortBackgroundsClip)
{
    Frames& alertFrames = BitmapManager::BitmapStore[BITMAP_ALERT];
    Frames& messageFrames = BitmapManager::BitmapStore[BITMAP_MESSAGE];
    const Frames alertSaved = alertFrames, messageSaved = messageFrames;
    alertFrames.assign(1, Picture(350, 100, 0xFF806040));
    messageFrames.assign(1, Picture(400, 60, 0xFF806040));

    AlertObject* alert = Keep(ShowAlert("Short"));
    MessageObject* balloon = ShowMessage("Short", true);
    for (const int h : {0, 50, 100, 189, 250}) {
        AnimationFrame f;
        f.width = 200 + h;
        f.height = h;
        f.alpha = 255;
        f.flags = FRAME_WIDTH | FRAME_HEIGHT | FRAME_ALPHA;
        alert->ApplyFrame(f);
        balloon->ApplyFrame(f);
    }
    EXPECT_EQ(alert->drawnSize, wxSize(350, 100));
    EXPECT_EQ(balloon->drawnSize, wxSize(400, 60));
    alertFrames = alertSaved;
    messageFrames = messageSaved;
}

} // namespace
