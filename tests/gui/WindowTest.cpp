// Themed windows on a real X server: what the screen shows, where clicks go,
// stacking, and the frame rules of the object base.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include <wx/app.h>
#include <wx/button.h>
#include <wx/dialog.h>
#include <wx/display.h>
#include <wx/sizer.h>
#include <wx/timer.h>

#include "Picture.h"
#include "ScreenProbe.h"
#include "TestSupport.h"
#include "WinFX.h"
#include "ZynObject.h"
#include "zplat/Windows.h"

using zyntest::NearRgb;
using zyntest::PumpUntil;

namespace {

// A themed window whose picture the test pushes.
class TestObject : public ZynObject {
public:
    explicit TestObject(wxWindow* parent = nullptr, const wxPoint& pos = wxPoint(0, 0), const wxSize& size = wxSize(0, 0))
        : ZynObject(parent, "test", pos, size)
    {
    }
    ObjectDC& DC() { return objectDC; }
    AnimationFrame& Frame() { return frame; }
    bool PushAt(const Picture& picture, const wxPoint& at)
    {
        objectDC.pos = at;
        objectDC.size = picture.GetSize();
        return objectDC.Update(picture, true);
    }
};

// A class with a point of its own, shared by all its windows.
class PanelLike : public ZynObject {
public:
    PanelLike() : ZynObject(nullptr, "panel", wxPoint(0, 0), wxSize(0, 0)) {}
    const wxPoint& GetOffset() const override { return offset; }
    static wxPoint offset;
};
wxPoint PanelLike::offset(-270, -215);

class Windows : public testing::Test {
protected:
    void TearDown() override
    {
        for (auto it = made.rbegin(); it != made.rend(); ++it)
            delete *it;
        made.clear();
        zyntest::SyncToolkit(); // the server has forgotten the windows
    }

    template <class T, class... Args>
    T* Make(Args&&... args)
    {
        T* w = new T(std::forward<Args>(args)...);
        made.push_back(w);
        return w;
    }

    // An opaque square, shown.
    TestObject* Square(const wxPoint& at, int side, uint32_t argb)
    {
        TestObject* w = Make<TestObject>();
        EXPECT_TRUE(w->PushAt(Picture(side, side, argb), at));
        w->Show();
        return w;
    }

    bool Shows(int x, int y, uint32_t rgb)
    {
        return PumpUntil([&] { return NearRgb(probe.Pixel(x, y), rgb); });
    }

    // Until the toolkit has taken in the map of w: its map event, when it
    // comes only after a hide, shows the window as shown again (to wx) while
    // it stays unmapped. The server sent the event before the probe sees the
    // window on screen, so the events pending then include it.
    void MapTakenIn(const wxWindow* w)
    {
        ASSERT_TRUE(PumpUntil([&] { return probe.IsOnScreen(w); }));
        while (wxTheApp->Pending())
            wxTheApp->Dispatch();
    }

    zyntest::ScreenProbe probe;
    std::vector<wxWindow*> made;
};

// The frame an animator reads as a new object's start holds its place, its size and full alpha,
// and handed on (as an animator hands its steps) it takes another window all the way there.
TEST_F(Windows, NewObjectsFrameHoldsItsPlaceItsSizeAndFullAlphaAndCarriesThemAll)
{
    TestObject* w = Make<TestObject>(nullptr, wxPoint(10, 20), wxSize(30, 40));
    const AnimationFrame* f = w->GetFrame();
    EXPECT_EQ(f->alpha, 255);
    EXPECT_EQ(f->x, 10);
    EXPECT_EQ(f->y, 20);
    EXPECT_EQ(f->width, 30);
    EXPECT_EQ(f->height, 40);
    EXPECT_FALSE(w->IsShown());

    TestObject* other = Square(wxPoint(100, 100), 20, 0xFF808080);
    AnimationFrame handed = *f;
    other->ApplyFrame(handed);
    EXPECT_EQ(other->GetRect(), wxRect(10, 20, 30, 40));
    int x, y, width, height;
    ASSERT_TRUE(probe.Geometry(other, x, y, width, height));
    EXPECT_EQ(wxRect(x, y, width, height), wxRect(10, 20, 30, 40));
}

TEST_F(Windows, ApplyFrameMovesAndSizesByEitherBit)
{
    struct Case {
        uint32_t flags;
        wxRect expected;
    } cases[] = {
        {0x02, {150, 160, 20, 20}}, {0x04, {150, 160, 20, 20}}, {0x08, {100, 100, 70, 80}},
        {0x10, {100, 100, 70, 80}}, {0x20, {100, 100, 20, 20}}, {0x1E, {150, 160, 70, 80}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.flags);
        TestObject* w = Square(wxPoint(100, 100), 20, 0xFF808080);
        int moves = 0;
        w->Bind(wxEVT_MOVE, [&](wxMoveEvent& e) { ++moves; e.Skip(); });
        AnimationFrame f;
        f.x = 150;
        f.y = 160;
        f.width = 70;
        f.height = 80;
        f.alpha = 0;
        f.flags = c.flags;
        w->ApplyFrame(f);
        // Read back at once: the toolkit, the move report and the X server agree.
        EXPECT_EQ(w->GetRect(), c.expected);
        EXPECT_EQ(moves, c.expected.GetPosition() != wxPoint(100, 100) ? 1 : 0);
        int x, y, width, height;
        ASSERT_TRUE(probe.Geometry(w, x, y, width, height));
        EXPECT_EQ(wxRect(x, y, width, height), c.expected);
        EXPECT_EQ(w->Frame().alpha, 255);
    }
}

// Configure events queued by earlier moves never take the window back.
TEST_F(Windows, QueuedMovesNeverGoBack)
{
    TestObject* w = Square(wxPoint(100, 100), 20, 0xFF808080);
    ASSERT_TRUE(PumpUntil([&] { return probe.TopLevelOf(w) != 0; }));
    std::vector<wxPoint> reported;
    w->Bind(wxEVT_MOVE, [&](wxMoveEvent& e) { reported.push_back(e.GetPosition()); });
    for (int i = 1; i <= 10; ++i)
        w->Move(100 + 10 * i, 100 + 5 * i);
    const size_t synchronous = reported.size();
    zyntest::SyncToolkit(); // every configure event the moves caused has been handled
    EXPECT_EQ(synchronous, 10u);
    for (size_t i = synchronous; i < reported.size(); ++i)
        EXPECT_EQ(reported[i], wxPoint(200, 150));
    EXPECT_EQ(w->GetPosition(), wxPoint(200, 150));
}

TEST_F(Windows, AnimationEndHidesOnlyAtAlphaZero)
{
    TestObject* w = Square(wxPoint(50, 50), 10, 0xFFFFFFFF);
    w->Frame().alpha = 1;
    w->OnAnimationEnd();
    EXPECT_TRUE(w->IsShown());
    w->Frame().alpha = 0;
    w->OnAnimationEnd();
    EXPECT_FALSE(w->IsShown());
}

TEST_F(Windows, ClassPointsAreSharedByAllWindowsOfAClass)
{
    PanelLike* a = Make<PanelLike>();
    PanelLike* b = Make<PanelLike>();
    TestObject* plain = Make<TestObject>();
    EXPECT_EQ(&a->GetOffset(), &b->GetOffset());
    PanelLike::offset = wxPoint(-100, -50);
    EXPECT_EQ(b->GetOffset(), wxPoint(-100, -50));
    EXPECT_EQ(plain->GetOffset(), wxPoint(0, 0));
    EXPECT_EQ(plain->GetMargin(), wxPoint(0, 0));
    EXPECT_EQ(&plain->GetMargin(), &Make<TestObject>()->GetMargin());
}

TEST_F(Windows, PushRefusesPicturesSmallerThanTheSize)
{
    TestObject* w = Make<TestObject>();
    w->DC().size = wxSize(20, 20);
    EXPECT_FALSE(w->DC().Update(Picture(10, 10, 0xFFFFFFFF), false));
    EXPECT_FALSE(w->DC().Update(Picture(), false));
    EXPECT_FALSE(w->DC().UpdateAlpha()); // nothing pushed yet
}

TEST_F(Windows, TranslucentPixelsBlendOverWhatIsBelow)
{
    if (!zplat::GetWindowService().IsComposited())
        GTEST_SKIP() << "needs a compositor";
    TestObject* below = Square(wxPoint(200, 200), 100, 0xFF204080);
    Picture top(40, 40, 0);
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 20; ++x)
            top.Row(y)[x] = 0x80800000; // red at alpha 128, premultiplied
    TestObject* above = Make<TestObject>();
    ASSERT_TRUE(above->PushAt(top, wxPoint(220, 220)));
    above->Show();
    // src + dst * (255 - 128) / 255
    EXPECT_TRUE(Shows(225, 230, 0x901F3F)) << std::hex << probe.Pixel(225, 230);
    EXPECT_TRUE(Shows(250, 230, 0x204080)) << std::hex << probe.Pixel(250, 230);

    // The constant alpha fades the whole window without a new picture.
    ASSERT_TRUE(above->PushAt(Picture(40, 40, 0xFF00FF00), wxPoint(220, 220)));
    above->DC().SetAlpha(128);
    ASSERT_TRUE(above->DC().UpdateAlpha());
    EXPECT_TRUE(Shows(240, 240, 0x109F40)) << std::hex << probe.Pixel(240, 240);
    above->DC().SetAlpha(0);
    ASSERT_TRUE(above->DC().UpdateAlpha());
    EXPECT_TRUE(Shows(240, 240, 0x204080)) << std::hex << probe.Pixel(240, 240);
    (void)below;
}

TEST_F(Windows, WithoutCompositorPicturesShowOpaqueAndClear)
{
    if (zplat::GetWindowService().IsComposited())
        GTEST_SKIP() << "runs without a compositor";
    Square(wxPoint(200, 200), 100, 0xFF204080);
    Picture top(40, 40, 0);
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 20; ++x)
            top.Row(y)[x] = 0x80800000;
    TestObject* above = Make<TestObject>();
    ASSERT_TRUE(above->PushAt(top, wxPoint(220, 220)));
    above->Show();
    EXPECT_TRUE(Shows(225, 230, 0x800000)) << std::hex << probe.Pixel(225, 230);
    EXPECT_TRUE(Shows(250, 230, 0x204080)) << std::hex << probe.Pixel(250, 230);
    // A window at constant alpha 0 is not drawn at all.
    above->DC().SetAlpha(0);
    ASSERT_TRUE(above->DC().UpdateAlpha());
    EXPECT_TRUE(Shows(225, 230, 0x204080)) << std::hex << probe.Pixel(225, 230);
}

TEST_F(Windows, ClicksPassThroughTransparentPixels)
{
    TestObject* below = Square(wxPoint(200, 400), 100, 0xFF204080);
    Picture top(40, 40, 0);
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 20; ++x)
            top.Row(y)[x] = 0x80800000;
    TestObject* above = Make<TestObject>();
    ASSERT_TRUE(above->PushAt(top, wxPoint(220, 420)));
    above->Show();
    int belowClicks = 0, aboveClicks = 0;
    below->Bind(wxEVT_LEFT_DOWN, [&](wxMouseEvent&) { ++belowClicks; });
    above->Bind(wxEVT_LEFT_DOWN, [&](wxMouseEvent&) { ++aboveClicks; });
    ASSERT_TRUE(PumpUntil([&] { return probe.IsAbove(above, below); }));

    probe.Click(250, 430); // transparent pixel of the upper window
    EXPECT_TRUE(PumpUntil([&] { return belowClicks == 1; }));
    probe.Click(225, 430); // translucent pixel
    EXPECT_TRUE(PumpUntil([&] { return aboveClicks == 1; }));
    EXPECT_EQ(belowClicks, 1);

    // At constant alpha 0 the whole window lets clicks through.
    above->DC().SetAlpha(0);
    ASSERT_TRUE(above->DC().UpdateAlpha());
    probe.Click(225, 430);
    EXPECT_TRUE(PumpUntil([&] { return belowClicks == 2; }));
    EXPECT_EQ(aboveClicks, 1);
}

TEST_F(Windows, OwnedWindowStaysAboveItsOwner)
{
    enum How { RaiseOwner, ShowOwnerLater };
    for (How how : {RaiseOwner, ShowOwnerLater}) {
        SCOPED_TRACE(how);
        TestObject* owner = Make<TestObject>();
        TestObject* owned = Make<TestObject>();
        ASSERT_TRUE(owner->PushAt(Picture(60, 60, 0xFF0000FF), wxPoint(400, 200)));
        ASSERT_TRUE(owned->PushAt(Picture(60, 60, 0xFFFFFF00), wxPoint(420, 220)));
        EXPECT_TRUE(owned->SetOwner(owner));
        EXPECT_FALSE(owner->SetOwner(owned)); // no loops
        if (how == RaiseOwner) {
            owner->Show();
            owned->Show();
            ASSERT_TRUE(PumpUntil([&] { return probe.IsAbove(owned, owner); }));
            owner->Raise();
        } else {
            owned->Show();
            ASSERT_TRUE(PumpUntil([&] { return probe.TopLevelOf(owned) != 0; }));
            owner->Show(); // mapped last, so raised on top by the toolkit
        }
        EXPECT_TRUE(Shows(440, 240, 0xFFFF00)) << std::hex << probe.Pixel(440, 240);
        EXPECT_TRUE(probe.IsAbove(owned, owner));
        delete owned;
        delete owner;
        made.clear();
    }
}

// A window that takes an owner goes above it; the owner stays below the windows
// shown after it (a notice owned by the backdrop must not lift the backdrop over the menus).
TEST_F(Windows, TakingAnOwnerLeavesTheOwnerWhereItStands)
{
    TestObject* owner = Square(wxPoint(400, 500), 60, 0xFF0000FF);
    ASSERT_TRUE(PumpUntil([&] { return probe.TopLevelOf(owner) != 0; }));
    TestObject* later = Square(wxPoint(420, 520), 60, 0xFF00FF00);
    ASSERT_TRUE(PumpUntil([&] { return probe.IsAbove(later, owner); }));
    TestObject* owned = Square(wxPoint(390, 490), 20, 0xFFFFFF00);
    ASSERT_TRUE(PumpUntil([&] { return probe.IsAbove(owned, later); }));
    later->Raise();
    ASSERT_TRUE(PumpUntil([&] { return probe.IsAbove(later, owned); }));

    EXPECT_TRUE(owned->SetOwner(owner));
    EXPECT_TRUE(PumpUntil([&] { return probe.IsAbove(owned, later); }));
    EXPECT_TRUE(probe.IsAbove(later, owner));
    EXPECT_TRUE(Shows(440, 540, 0x00FF00)) << std::hex << probe.Pixel(440, 540);
}

TEST_F(Windows, ThemedWindowsStayAboveOtherApplications)
{
    TestObject* w = Square(wxPoint(600, 600), 50, 0xFF00FFFF);
    ASSERT_TRUE(PumpUntil([&] { return probe.TopLevelOf(w) != 0; }));
    const unsigned long other = probe.MapForeignWindow(580, 580, 100, 100); // the newest managed window
    EXPECT_TRUE(PumpUntil([&] { return probe.IsAboveWindow(w, other); }));
    EXPECT_TRUE(Shows(625, 625, 0x00FFFF));
}

// An invisible owner window takes no clicks: they reach the window below.
TEST_F(Windows, EmptyObjectShowsNothingAndTakesNoClicks)
{
    TestObject* below = Square(wxPoint(0, 0), 20, 0xFF336699);
    int clicks = 0;
    below->Bind(wxEVT_LEFT_DOWN, [&](wxMouseEvent&) { ++clicks; });
    EmptyObject* empty = Make<EmptyObject>(nullptr);
    empty->Show();
    ASSERT_TRUE(PumpUntil([&] { return probe.IsAbove(empty, below); }));
    EXPECT_TRUE(Shows(0, 0, 0x336699));
    probe.Click(0, 0);
    EXPECT_TRUE(PumpUntil([&] { return clicks == 1; }));
}

TEST_F(Windows, StaticObjectShowsItsPictureWhereItStands)
{
    StaticObject* s = Make<StaticObject>(nullptr, "static", wxPoint(700, 300), Picture(30, 20, 0xFF80FF00));
    s->Show();
    EXPECT_EQ(s->GetRect(), wxRect(700, 300, 30, 20));
    EXPECT_TRUE(Shows(710, 310, 0x80FF00));
    s->Move(750, 320);
    s->SetBitmap("renamed", Picture(10, 10, 0xFFFF0080));
    EXPECT_EQ(s->GetName(), "renamed");
    EXPECT_EQ(s->GetRect(), wxRect(750, 320, 10, 10));
    EXPECT_TRUE(Shows(755, 325, 0xFF0080));
    s->Hide(); // a hidden window keeps its picture
    ASSERT_TRUE(PumpUntil([&] { return probe.TopLevelOf(s) == 0 || !NearRgb(probe.Pixel(755, 325), 0xFF0080); }));
    s->Show();
    EXPECT_TRUE(Shows(755, 325, 0xFF0080));
    s->SetBitmap("again", Picture()); // only the name changes
    EXPECT_EQ(s->GetName(), "again");
    EXPECT_EQ(s->GetRect(), wxRect(750, 320, 10, 10));
}

// One colour held without a picture: shown on every map, over exposures, until a picture replaces it.
TEST_F(Windows, ASolidColourShowsWhereverThePictureWould)
{
    TestObject* w = Make<TestObject>();
    w->DC().pos = wxPoint(300, 500);
    w->DC().size = wxSize(60, 40);
    ASSERT_TRUE(w->DC().UpdateSolid(0xFF3060C0, true)); // while hidden
    EXPECT_EQ(w->GetRect(), wxRect(300, 500, 60, 40));
    w->Show();
    EXPECT_TRUE(Shows(330, 520, 0x3060C0)) << std::hex << probe.Pixel(330, 520);
    MapTakenIn(w);
    w->Hide();
    ASSERT_TRUE(PumpUntil([&] { return !NearRgb(probe.Pixel(330, 520), 0x3060C0); }));
    w->Show();
    EXPECT_TRUE(Shows(330, 520, 0x3060C0)) << std::hex << probe.Pixel(330, 520);
    // A window over it and gone again.
    TestObject* cover = Square(wxPoint(310, 505), 30, 0xFF10F010);
    EXPECT_TRUE(Shows(320, 515, 0x10F010));
    cover->Hide();
    EXPECT_TRUE(Shows(320, 515, 0x3060C0)) << std::hex << probe.Pixel(320, 515);
    // It takes clicks all over.
    int clicks = 0;
    w->Bind(wxEVT_LEFT_DOWN, [&](wxMouseEvent&) { ++clicks; });
    probe.Click(355, 535);
    EXPECT_TRUE(PumpUntil([&] { return clicks == 1; }));
    // A picture takes its place, also after the next map.
    ASSERT_TRUE(w->PushAt(Picture(60, 40, 0xFFC03060), wxPoint(300, 500)));
    EXPECT_TRUE(Shows(330, 520, 0xC03060)) << std::hex << probe.Pixel(330, 520);
    MapTakenIn(w);
    w->Hide();
    ASSERT_TRUE(PumpUntil([&] { return !NearRgb(probe.Pixel(330, 520), 0xC03060); }));
    w->Show();
    EXPECT_TRUE(Shows(330, 520, 0xC03060)) << std::hex << probe.Pixel(330, 520);
}

// Readied, a hidden window at alpha 0 has had the toolkit's first show unseen:
// it stays hidden, for the toolkit too, and its first show is as any later one.
TEST_F(Windows, AReadiedWindowStaysHiddenUntilItsFirstShow)
{
    TestObject* w = Make<TestObject>();
    int shows = 0;
    w->Bind(wxEVT_SHOW, [&](wxShowEvent& event) {
        shows += event.IsShown();
        event.Skip();
    });
    w->DC().SetAlpha(0);
    ASSERT_TRUE(w->PushAt(Picture(50, 30, 0xFF40C080), wxPoint(600, 400)));
    w->Ready();
    zyntest::SyncToolkit(); // the server's events of that show are in
    EXPECT_FALSE(w->IsShown());
    EXPECT_EQ(shows, 0);
    EXPECT_FALSE(probe.IsOnScreen(w));

    w->DC().SetAlpha(255);
    ASSERT_TRUE(w->DC().UpdateAlpha());
    w->Show();
    EXPECT_TRUE(Shows(620, 410, 0x40C080)) << std::hex << probe.Pixel(620, 410);
    MapTakenIn(w);
    EXPECT_TRUE(w->IsShown());
    int x, y, width, height;
    ASSERT_TRUE(probe.Geometry(w, x, y, width, height));
    EXPECT_EQ(wxRect(x, y, width, height), wxRect(600, 400, 50, 30));
    w->Hide();
    ASSERT_TRUE(PumpUntil([&] { return !probe.IsOnScreen(w); }));
    w->Show();
    EXPECT_TRUE(Shows(620, 410, 0x40C080)) << std::hex << probe.Pixel(620, 410);

    // Only a hidden window at alpha 0 is readied: a shown one, never readied,
    // stays as it is, also when the service itself is asked.
    TestObject* shown = Square(wxPoint(700, 400), 20, 0xFF8040C0);
    EXPECT_TRUE(Shows(710, 410, 0x8040C0));
    MapTakenIn(shown);
    zplat::GetWindowService().Ready(shown->GetHandle());
    zyntest::SyncToolkit();
    EXPECT_TRUE(shown->IsShown());
    EXPECT_TRUE(probe.IsOnScreen(shown));
}

// A hidden window takes moves and new sizes without a word to the server, and
// stands where it was sent last once it shows.
TEST_F(Windows, AWindowMovedWhileHiddenShowsWhereItWasSentLast)
{
    TestObject* w = Square(wxPoint(400, 600), 20, 0xFF2080F0);
    EXPECT_TRUE(Shows(410, 610, 0x2080F0));
    MapTakenIn(w);
    w->Hide();
    ASSERT_TRUE(PumpUntil([&] { return !probe.IsOnScreen(w); }));
    for (int i = 1; i <= 5; ++i)
        w->Move(400 + 30 * i, 600 + 10 * i);
    ASSERT_TRUE(w->PushAt(Picture(40, 30, 0xFFF08020), wxPoint(560, 660)));
    EXPECT_EQ(w->GetRect(), wxRect(560, 660, 40, 30));
    w->Show();
    EXPECT_TRUE(Shows(595, 685, 0xF08020)) << std::hex << probe.Pixel(595, 685);
    int x, y, width, height;
    ASSERT_TRUE(probe.Geometry(w, x, y, width, height));
    EXPECT_EQ(wxRect(x, y, width, height), wxRect(560, 660, 40, 30));
    EXPECT_EQ(w->GetRect(), wxRect(560, 660, 40, 30));
}

// The modal alert is a toolkit dialog that draws itself through an ObjectDC.
TEST_F(Windows, DialogDrawsThroughItsOwnContext)
{
    Square(wxPoint(900, 200), 80, 0xFF204080);
    wxDialog dialog(nullptr, wxID_ANY, "alert", wxDefaultPosition, wxDefaultSize, wxBORDER_NONE);
    ObjectDC dc(&dialog);
    Picture picture(40, 40, 0x80800000);
    for (int y = 0; y < 40; ++y)
        for (int x = 20; x < 40; ++x)
            picture.Row(y)[x] = 0; // right half clear
    int clicks = 0;
    dialog.Bind(wxEVT_LEFT_DOWN, [&](wxMouseEvent&) { ++clicks; });
    dc.pos = wxPoint(920, 220);
    dc.size = picture.GetSize();
    ASSERT_TRUE(dc.Update(picture, true));
    dialog.Show();
    EXPECT_EQ(dialog.GetRect(), wxRect(920, 220, 40, 40));
    const uint32_t translucent = zplat::GetWindowService().IsComposited() ? 0x901F3F : 0x800000;
    EXPECT_TRUE(Shows(925, 230, translucent)) << std::hex << probe.Pixel(925, 230);
    EXPECT_TRUE(Shows(950, 230, 0x204080)) << std::hex << probe.Pixel(950, 230);
    probe.Click(925, 230);
    EXPECT_TRUE(PumpUntil([&] { return clicks == 1; }));
    dialog.Hide();
}

// An animation on the real event loop ticks about once a frame and ends where asked.
TEST_F(Windows, AnimatorMovesAWindowAtFrameRate)
{
    struct Counting : TestObject {
        void ApplyFrame(AnimationFrame& f) override
        {
            ++ticks;
            TestObject::ApplyFrame(f);
            if (GetPosition().x > 100 && GetPosition().x < 400)
                ++between;
        }
        int ticks = 0;
        int between = 0;
    };
    Counting* w = Make<Counting>();
    ASSERT_TRUE(w->PushAt(Picture(30, 30, 0xFFFF0000), wxPoint(100, 700)));
    w->Show();
    // A second long, so that even a sanitizer build's slow turns leave places on the way.
    const int32_t duration = AnimationDuration;
    AnimationDuration = 1000;
    WinFX fx(w);
    AnimationFrame end;
    end.x = 400;
    end.y = 700;
    end.flags = FRAME_POSITION;
    fx.effect = EFFECT_EASE_OUT;
    fx.SetFrame(end);
    const bool started = fx.Start();
    AnimationDuration = duration;
    ASSERT_TRUE(started);
    EXPECT_TRUE(PumpUntil([&] { return !fx.IsRunning(); }));
    EXPECT_EQ(w->GetPosition(), wxPoint(400, 700));
    EXPECT_TRUE(Shows(410, 710, 0xFF0000));
    // The window moves through places on the way, not in one jump; a loaded
    // machine may give the loop fewer turns, so no count of them is asked for.
    EXPECT_GE(w->between, 1);
    // A second at one tick per 15 ms: a busy timer would tick thousands of times.
    EXPECT_LE(w->ticks, 150);
}

TEST_F(Windows, ShowingAndRaisingNeverTakeTheFocus)
{
    wxDialog dialog(nullptr, wxID_ANY, "Preferences", wxPoint(100, 100), wxSize(200, 100));
    dialog.Show();
    ASSERT_TRUE(PumpUntil([&] { return probe.HasFocus(&dialog); }));
    for (zplat::WindowKind kind : {zplat::WindowKind::Tool, zplat::WindowKind::App, zplat::WindowKind::NoActivate}) {
        TestObject* w = Make<TestObject>();
        w->DC().SetKind(kind);
        ASSERT_TRUE(w->PushAt(Picture(50, 50, 0xFF00FF00), wxPoint(150, 120)));
        w->Show();
        w->Raise();
        ASSERT_TRUE(PumpUntil([&] { return probe.TopLevelOf(w) != 0; }));
        probe.Click(170, 140); // and clicked
        ASSERT_TRUE(probe.WindowManagerSync());
        zyntest::SyncToolkit();
        EXPECT_TRUE(probe.HasFocus(&dialog)) << static_cast<int>(kind);
    }
    dialog.Hide();
}

// A toolkit dialog over a full-screen themed window (the launcher and its item
// editor) stands above it and takes the click.
TEST_F(Windows, ToolkitDialogGoesAboveFullScreenThemedWindow)
{
    const wxRect screen = wxDisplay(0u).GetGeometry();
    TestObject* backdrop = Make<TestObject>();
    ASSERT_TRUE(backdrop->PushAt(Picture(screen.width, screen.height, 0xFF000000), wxPoint(0, 0)));
    backdrop->DC().SetAlpha(150);
    ASSERT_TRUE(backdrop->DC().UpdateAlpha());
    backdrop->Show();
    TestObject* item = Square(wxPoint(300, 250), 46, 0xFFFF8000);

    wxDialog dialog(item, wxID_ANY, "Editor", wxDefaultPosition, wxSize(300, 200));
    auto* ok = new wxButton(&dialog, wxID_OK, "OK");
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(ok, 1, wxEXPAND);
    dialog.SetSizer(sizer);
    dialog.Layout();

    bool above = false;
    int ticks = 0;
    wxTimer timer;
    timer.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
        if (++ticks > 500) {
            dialog.EndModal(wxID_CANCEL);
            return;
        }
        // The first click may come before the dialog has laid out its button: click again.
        if ((above && ticks % 20) || !probe.IsAbove(&dialog, backdrop) || !probe.IsAbove(&dialog, item))
            return;
        int x, y, width, height; // the button fills the dialog
        if (!probe.Geometry(&dialog, x, y, width, height))
            return;
        above = true;
        probe.Click(x + width / 2, y + height / 2);
    });
    timer.Start(10);
    const int result = dialog.ShowModal();
    timer.Stop();
    EXPECT_TRUE(above);
    EXPECT_EQ(result, wxID_OK);
    // With the dialog gone the themed windows are on top again.
    EXPECT_TRUE(PumpUntil([&] { return probe.IsAbove(item, backdrop); }));
}

} // namespace
