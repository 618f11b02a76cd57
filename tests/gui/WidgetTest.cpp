// The desktop widgets on a real X server: their pictures, real drags with
// XTest, the dialogs their clicks open, the stacking order they keep and the
// positions they write.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>

#include <wx/colour.h>
#include <wx/datetime.h>
#include <wx/dialog.h>
#include <wx/eventfilter.h>
#include <wx/filedlg.h>
#include <wx/image.h>
#include <wx/modalhook.h>
#include <wx/textdlg.h>
#include <wx/timer.h>

#include "BitmapDC.h"
#include "BitmapManager.h"
#include "ButtonImpl.h"
#include "ConfigImpl.h"
#include "ConfigKeys.h"
#include "FontManager.h"
#include "HPBar.h"
#include "NotifyLayout.h"
#include "IconItem.h"
#include "ImageWidget.h"
#include "LogCapture.h"
#include "TickTimer.h"
#include "InfoPanel.h"
#include "ScreenProbe.h"
#include "SystemMonitor.h"
#include "TestSupport.h"
#include "XClient.h"
#include "ZynObject.h"
#include "ZynUtils.h"
#include "zplat/Clock.h"
#include "zplat/SystemInfo.h"

using zyntest::NearRgb;
using zyntest::PumpUntil;
using zyntest::SamePixels;

namespace {

// Answers every modal dialog without showing it, and remembers the last one's title.
class DialogAnswer : public wxModalDialogHook {
public:
    explicit DialogAnswer(std::function<int(wxDialog*)> answer = nullptr) : answer(std::move(answer)) { Register(); }
    ~DialogAnswer() override { Unregister(); }
    int shown = 0;
    wxString title;

protected:
    int Enter(wxDialog* dialog) override
    {
        ++shown;
        title = dialog->GetTitle();
        return answer ? answer(dialog) : wxID_CANCEL;
    }
    void Exit(wxDialog*) override {}

private:
    std::function<int(wxDialog*)> answer;
};

// Notes the modal dialog being shown, also one the toolkit keeps out of its list
// of top-level windows (its native file chooser), and lets it show.
class DialogSeen : public wxModalDialogHook {
public:
    DialogSeen() { Register(); }
    ~DialogSeen() override { Unregister(); }
    wxDialog* dialog = nullptr;
    int shown = 0;

protected:
    int Enter(wxDialog* d) override
    {
        ++shown;
        dialog = d;
        return wxID_NONE;
    }
    void Exit(wxDialog*) override { dialog = nullptr; }
};

// Counts the mouse events the toolkit takes from the server, before any handler sees them.
class MouseCounter : public wxEventFilter {
public:
    MouseCounter() { wxEvtHandler::AddFilter(this); }
    ~MouseCounter() override { wxEvtHandler::RemoveFilter(this); }
    int FilterEvent(wxEvent& event) override
    {
        const wxEventType type = event.GetEventType();
        presses += type == wxEVT_LEFT_DOWN || type == wxEVT_LEFT_DCLICK;
        motions += type == wxEVT_MOTION;
        releases += type == wxEVT_LEFT_UP;
        return Event_Skip;
    }
    int presses = 0;
    int motions = 0;
    int releases = 0;
};

// Writes the screen's rect to build/screenshots/name; the path written.
std::string ScreenshotOf(const wxRect& r, const std::string& name)
{
    const std::string dir = std::filesystem::path(ZYN_BIN_DIR).parent_path() / "screenshots";
    std::filesystem::create_directories(dir);
    const std::string path = dir + "/" + name;
    zyntest::Shell("import -window root -crop " + std::to_string(r.width) + "x" + std::to_string(r.height) + "+" +
                   std::to_string(r.x) + "+" + std::to_string(r.y) + " '" + path + "'");
    return path;
}

// The first fully opaque pixel of the picture's middle row, in picture coordinates.
wxPoint OpaquePoint(const Picture& picture)
{
    const int y = picture.GetHeight() / 2;
    for (int x = 0; x < picture.GetWidth(); ++x)
        if ((picture.GetPixel(x, y) >> 24) == 0xFF)
            return wxPoint(x, y);
    return wxPoint(-1, -1);
}

class WidgetDesk : public testing::Test {
protected:
    void SetUp() override
    {
        for (const char* dir : {"Images", "Fonts"})
            zyntest::LinkFromBuild(dir, app.Path());
        ASSERT_TRUE(FontManager::Initial());
        ASSERT_TRUE(BitmapManager::Initial());
        auto fake = std::make_unique<zplat::FakeSystemInfo>();
        info = fake.get();
        zplat::SetSystemInfo(std::move(fake));
    }
    void TearDown() override
    {
        ModalOpenFlag = false;
        x.Button(1, false);
        zplat::SetSystemInfo(nullptr);
        FontManager::Release();
        zyntest::SyncToolkit(); // the widgets' windows go
        EXPECT_TRUE(PumpUntil([] { return wxPendingDelete.IsEmpty(); }));
    }

    ConfigImpl* Core() { return GetConfig(cfg::Core); }
    long Key(const char* key) { return Core()->ReadLong(cfg::Plugin, key, -99999); }

    // Presses at grab (a screen point on window), moves by delta in steps and
    // releases, all with real input; true when the window followed every step.
    bool DragBy(wxWindow* window, const wxPoint& grab, const wxPoint& delta)
    {
        const wxPoint start = window->GetPosition();
        x.MoveTo(grab.x, grab.y);
        x.Button(1, true);
        bool followed = PumpUntil([&] { return window->HasCapture(); });
        for (int i = 1; i <= 4; ++i) {
            const wxPoint at = grab + wxPoint(delta.x * i / 4, delta.y * i / 4);
            x.MoveTo(at.x, at.y);
            followed = PumpUntil([&] { return window->GetPosition() == start + at - grab; }) && followed;
        }
        Release();
        return followed && !window->HasCapture();
    }

    // A press at grab, a move by delta (none: a click) and a release, each
    // waited for until the toolkit took it.
    void PressMoveRelease(const wxPoint& grab, const wxPoint& delta)
    {
        MouseCounter seen;
        x.MoveTo(grab.x, grab.y);
        x.Button(1, true);
        EXPECT_TRUE(PumpUntil([&] { return seen.presses > 0; }));
        if (delta != wxPoint(0, 0)) {
            x.MoveTo(grab.x + delta.x, grab.y + delta.y);
            EXPECT_TRUE(PumpUntil([&] { return seen.motions > 0; }));
        }
        Release();
    }

    void Click(const wxPoint& at) { PressMoveRelease(at, wxPoint(0, 0)); }

    void Release()
    {
        MouseCounter seen;
        x.Button(1, false);
        EXPECT_TRUE(PumpUntil([&] { return seen.releases > 0; }));
    }

    bool ShowsOpaque(const wxPoint& screen, uint32_t argb)
    {
        return PumpUntil([&] { return NearRgb(probe.Pixel(screen.x, screen.y), argb & 0xFFFFFF); });
    }

    zyntest::ScopedAppDir app;
    zplat::FakeSystemInfo* info = nullptr;
    zyntest::ScreenProbe probe;
    zyntest::XClient x;
};

// ---- HP bar ----

TEST_F(WidgetDesk, StoredPlacesBeyondAnyScreenPutTheWidgetsOnIt)
{
    const wxSize screen = ScreenSize();
    for (const char* key : {cfg::HPPosX, cfg::HPPosY, cfg::MonitorPosX, cfg::MonitorPosY, cfg::ImageWidgetPosX,
                            cfg::ImageWidgetPosY})
        Core()->WriteLong(cfg::Plugin, key, 2147483647L);
    HPBar bar(nullptr);
    EXPECT_EQ(bar.barWindow->GetPosition(), wxPoint(screen.x - 1, screen.y - 1));
    EXPECT_EQ(bar.iconWindow->GetPosition(), wxPoint(screen.x + 1, screen.y + 33));
    ImageWidget image(nullptr);
    EXPECT_EQ(image.imageWindow->GetPosition(), wxPoint(screen.x - 1, screen.y - 1));
    SystemMonitor monitor(nullptr);
    EXPECT_EQ(monitor.icon->GetPosition(), wxPoint(screen.x - 1, screen.y - 1));
}

TEST_F(WidgetDesk, HPBarStandsHiddenAtItsSavedPlaceUntilShownOnce)
{
    Core()->WriteLong(cfg::Plugin, cfg::HPPosX, 300);
    Core()->WriteLong(cfg::Plugin, cfg::HPPosY, 150);
    HPBar bar(nullptr);
    EXPECT_EQ(bar.GetName(), "HP Bar");
    EXPECT_TRUE(bar.IsEnabled());
    EXPECT_FALSE(bar.barWindow->IsShown());
    EXPECT_FALSE(bar.IsRunning());
    EXPECT_EQ(bar.tickCount, 1); // drawn once at construction
    EXPECT_EQ(bar.barWindow->GetRect(), wxRect(300, 150, 368, 84));
    EXPECT_EQ(bar.iconWindow->GetRect(), wxRect(302, 184, 36, 36));

    EXPECT_TRUE(bar.Show(true));
    EXPECT_FALSE(bar.Show(true));
    EXPECT_TRUE(bar.IsRunning());
    EXPECT_LE(bar.GetInterval(), 60000);
    EXPECT_TRUE(bar.iconWindow->IsShown());
    const wxPoint p = OpaquePoint(bar.barCanvas);
    ASSERT_GE(p.x, 0);
    EXPECT_TRUE(ShowsOpaque(wxPoint(300, 150) + p, bar.barCanvas.GetPixel(p.x, p.y)));

    EXPECT_TRUE(bar.Show(false));
    EXPECT_FALSE(bar.Show(false));
    EXPECT_FALSE(bar.IsRunning());
    EXPECT_FALSE(bar.iconWindow->IsShown());

    // Shown again it is redrawn, but that counts no tick.
    EXPECT_TRUE(bar.Show(true));
    EXPECT_EQ(bar.tickCount, 1);
}

TEST_F(WidgetDesk, HPBarShowsTheCurrentMinuteWhenShownAndTicksOnTheMinute)
{
    wxDateTime now(9, wxDateTime::Mar, 2013, 12, 30, 40);
    HPBar bar(nullptr);
    bar.clock = [&] { return now; };
    const wxRect dateArea(38, 4, 200, 18);
    auto dateAt = [&](const wxDateTime& when) {
        HPBar other(nullptr);
        other.DrawBar(when, bar.playerName, 500, 500, 1);
        return other.barCanvas.GetSubPicture(wxRect(0, 0, 368, 84));
    };
    struct Case {
        int minutesLater;
        int second;
        int interval;
    };
    for (const Case& c : {Case{0, 40, 20000}, Case{7, 0, 60000}, Case{75, 59, 1000}}) {
        SCOPED_TRACE(c.minutesLater);
        now = wxDateTime(9, wxDateTime::Mar, 2013, 12, 30, 0) + wxTimeSpan::Minutes(c.minutesLater) + wxTimeSpan::Seconds(c.second);
        ASSERT_TRUE(bar.Show(true));
        EXPECT_EQ(bar.tickCount, 1);
        EXPECT_EQ(bar.GetInterval(), c.interval);
        EXPECT_TRUE(bar.IsOneShot());
        EXPECT_TRUE(SamePixels(bar.barCanvas, dateAt(now), dateArea));
        EXPECT_FALSE(SamePixels(bar.barCanvas, dateAt(now - wxTimeSpan::Minute()), dateArea));
        const wxPoint p = OpaquePoint(bar.barCanvas);
        EXPECT_TRUE(ShowsOpaque(bar.barWindow->GetPosition() + p, bar.barCanvas.GetPixel(p.x, p.y)));
        // The tick at the next boundary counts and schedules the one after.
        now = now + wxTimeSpan::Milliseconds(c.interval);
        bar.Notify();
        EXPECT_EQ(bar.tickCount, 2);
        EXPECT_EQ(bar.GetInterval(), 60000);
        bar.tickCount = 1;
        bar.Show(false);
    }
}

TEST_F(WidgetDesk, HPBarNameFitsBetweenTheHelmetAndTheHitPoints)
{
    HPBar bar(nullptr);
    const wxDateTime now(9, wxDateTime::Mar, 2013, 12, 30);
    struct Case {
        const char* name;
        bool shrinks;
    };
    const wxString hitPoints = "500 / 500";
    const int hpLeft = 263 - MeasureGlyphText(hitPoints, DefaultTextSize) / 2;
    for (const Case& c : {Case{"Daskel", false}, Case{"Aria", false}, Case{"Bartholomew Maximilian", true},
                          Case{"\u5F20\u4E09\u674E\u56DB\u738B\u4E94\u8D75\u516D\u5B59\u4E03\u5468\u516B", true}}) {
        const wxString name = wxString::FromUTF8(c.name);
        SCOPED_TRACE(c.name);
        const int size = HPBar::NameFitSize(name, hitPoints);
        EXPECT_EQ(size < 17, c.shrinks);
        EXPECT_LT(42 + MeasureGlyphText(name, size), hpLeft);
        // On the canvas: nothing of the name between its end and the hit points.
        bar.DrawBar(now, name, 500, 500, 1);
        const Picture drawn = bar.barCanvas.GetSubPicture(wxRect(0, 0, 368, 84));
        bar.DrawBar(now, "A", 500, 500, 1);
        EXPECT_TRUE(SamePixels(drawn, bar.barCanvas, wxRect(hpLeft - 2, 34, 368 - hpLeft + 2, 18)));
    }
}

TEST_F(WidgetDesk, HPBarFillShowsTheBatteryFromTheRight)
{
    HPBar bar(nullptr);
    const Picture& frame = bar.frame;
    struct Case {
        std::optional<int> battery;
        int filledEnd;                 // first canvas column after the fill
        int fill;                      // 0 green, 1 yellow, 2 red
        const char* text;
    };
    const Case cases[] = {
        {std::nullopt, 341, 0, "no battery: full"}, {100, 341, 0, "full"},   {60, 83 + 156, 0, "60 %"},
        {49, 83 + 127, 1, "49 %"},                  {24, 83 + 62, 2, "24 %"}, {0, 83, 2, "empty"},
    };
    const int y = 35;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        info->battery = c.battery;
        bar.Notify();
        const Picture& canvas = bar.barCanvas;
        // Past the fill the frame shows alone (over nothing).
        EXPECT_EQ(canvas.GetPixel(c.filledEnd + 2, y), frame.GetPixel(c.filledEnd + 2, y));
        if (c.filledEnd == 83)
            continue;
        EXPECT_NE(canvas.GetPixel(c.filledEnd - 3, y), frame.GetPixel(c.filledEnd - 3, y));
        const uint32_t px = canvas.GetPixel(c.filledEnd - 3, y);
        const int r = (px >> 16) & 0xFF, g = (px >> 8) & 0xFF, b = px & 0xFF;
        if (c.fill == 0)
            EXPECT_GT(g, r + 40);
        else if (c.fill == 1)
            EXPECT_TRUE(r > b + 60 && g > b + 60) << std::hex << px;
        else
            EXPECT_GT(r, g + 60);
    }
    // A full bar starts at the trough's edge, a shorter one two pixels in.
    info->battery = std::nullopt;
    bar.Notify();
    EXPECT_NE(bar.barCanvas.GetPixel(82, y), frame.GetPixel(82, y));
    info->battery = 60;
    bar.Notify();
    EXPECT_EQ(bar.barCanvas.GetPixel(82, y), frame.GetPixel(82, y));
}

TEST_F(WidgetDesk, HPBarTextsFollowTheFiguresAndAnEmptyNameIsDaskel)
{
    HPBar bar(nullptr);
    const wxDateTime now(9, wxDateTime::Mar, 2013, 12, 30);
    auto draw = [&](const wxString& name, int current, int level, const wxDateTime& when) {
        bar.DrawBar(when, name, current, level * 500, level);
        return bar.barCanvas.GetSubPicture(wxRect(0, 0, 368, 84));
    };
    const wxRect whole(0, 0, 368, 84), dateArea(38, 4, 200, 18), nameArea(40, 32, 200, 22), hpArea(200, 58, 110, 18),
        levelArea(312, 58, 48, 18);
    const Picture daskel = draw("Daskel", 500, 1, now);
    EXPECT_TRUE(SamePixels(draw("", 500, 1, now), daskel, whole));
    EXPECT_FALSE(SamePixels(draw("Aria", 500, 1, now), daskel, nameArea));
    const Picture less = draw("Daskel", 499, 1, now);
    EXPECT_FALSE(SamePixels(less, daskel, hpArea));
    EXPECT_TRUE(SamePixels(less, daskel, levelArea));
    EXPECT_TRUE(SamePixels(less, daskel, dateArea));
    EXPECT_FALSE(SamePixels(draw("Daskel", 500, 1, now + wxTimeSpan::Minute()), daskel, dateArea));
    EXPECT_FALSE(SamePixels(draw("Daskel", 4500, 9, now), draw("Daskel", 5000, 10, now), levelArea));
    // The last level keeps its last digit inside the canvas and stands where the others do.
    EXPECT_FALSE(SamePixels(draw("Daskel", 5000, 10, now), draw("Daskel", 50000, 100, now), levelArea));
    bar.DrawBar(now, "Daskel", 500, 500, 10);
    const Picture ten = bar.barCanvas.GetSubPicture(whole);
    bar.DrawBar(now, "Daskel", 500, 500, 100);
    EXPECT_TRUE(SamePixels(bar.barCanvas, ten, wxRect(312, 58, 36, 18))) << "Lv.100 moved from x 315";
    EXPECT_FALSE(SamePixels(bar.barCanvas, ten, wxRect(348, 58, 20, 18)));
}

TEST_F(WidgetDesk, HPBarLevelRisesOnceEverySixtyTicksUpToAHundred)
{
    HPBar bar(nullptr);
    for (int i = 2; i < 60; ++i)
        bar.Notify();
    EXPECT_EQ(bar.tickCount, 59);
    EXPECT_EQ(bar.level, 1);
    bar.Notify();
    EXPECT_EQ(bar.level, 2);
    for (int i = 0; i < 59; ++i)
        bar.Notify();
    EXPECT_EQ(bar.level, 2);
    bar.Notify();
    EXPECT_EQ(bar.level, 3);

    bar.level = 100;
    bar.tickCount = 179;
    bar.Notify();
    EXPECT_EQ(bar.tickCount, 180);
    EXPECT_EQ(bar.level, 100);
    EXPECT_EQ(info->batteryReads, 121);
}

TEST_F(WidgetDesk, HPBarIconAsksForTheNameWithoutCountingATick)
{
    HPBar bar(nullptr);
    bar.Show(true);
    const wxPoint icon = bar.iconWindow->GetPosition() + wxPoint(18, 18);
    {
        DialogAnswer answer([](wxDialog* d) {
            static_cast<wxTextEntryDialog*>(d)->SetValue("Aria");
            return wxID_OK;
        });
        Click(icon);
        ASSERT_TRUE(PumpUntil([&] { return answer.shown == 1; }));
        EXPECT_EQ(answer.title, "Choose Name");
    }
    EXPECT_EQ(bar.playerName, "Aria");
    EXPECT_EQ(bar.tickCount, 1);
    EXPECT_EQ(Core()->ReadString(cfg::Plugin, cfg::HPName, "absent"), "Aria");
    {
        DialogAnswer cancel;
        Click(icon);
        ASSERT_TRUE(PumpUntil([&] { return cancel.shown == 1; }));
    }
    EXPECT_EQ(bar.playerName, "Aria");
    {
        DialogAnswer empty([](wxDialog* d) {
            static_cast<wxTextEntryDialog*>(d)->SetValue("");
            return wxID_OK;
        });
        Click(icon);
        ASSERT_TRUE(PumpUntil([&] { return empty.shown == 1; }));
    }
    EXPECT_EQ(Core()->ReadString(cfg::Plugin, cfg::HPName, "absent"), "");
    EXPECT_EQ(bar.tickCount, 1);

    ModalOpenFlag = true;
    DialogAnswer none;
    Click(icon);
    EXPECT_EQ(none.shown, 0);
}

TEST_F(WidgetDesk, DraggingTheHPBarMovesItsIconAlongAndThePlaceIsWrittenAtTheEnd)
{
    auto bar = std::make_unique<HPBar>(nullptr);
    bar->Show(true);
    const wxPoint grab = bar->barWindow->GetPosition() + OpaquePoint(bar->barCanvas);
    ASSERT_TRUE(DragBy(bar->barWindow, grab, wxPoint(-150, 90)));
    EXPECT_EQ(bar->barWindow->GetPosition(), wxPoint(490, 290));
    EXPECT_EQ(bar->iconWindow->GetPosition(), wxPoint(492, 324));
    EXPECT_TRUE(PumpUntil([&] { return probe.IsAbove(bar->iconWindow, bar->barWindow); })) << "the helmet went under the bar";
    ScreenshotOf(wxRect(440, 240, 480, 190), "hp-bar-after-drag.png");
    int sx = 0, sy = 0, w = 0, h = 0;
    ASSERT_TRUE(probe.Geometry(bar->iconWindow, sx, sy, w, h));
    EXPECT_EQ(wxPoint(sx, sy), wxPoint(492, 324));

    // While a modal window is open a press starts nothing.
    ModalOpenFlag = true;
    PressMoveRelease(grab + wxPoint(-150, 90), wxPoint(40, 40));
    EXPECT_EQ(bar->barWindow->GetPosition(), wxPoint(490, 290));
    EXPECT_EQ(Key(cfg::HPPosX), -99999);

    bar.reset();
    EXPECT_EQ(Key(cfg::HPPosX), 490);
    EXPECT_EQ(Key(cfg::HPPosY), 290);
}

// ---- image widget ----

std::string WritePng(const std::string& path, int width, int height, const wxColour& colour)
{
    wxImage image(width, height);
    image.SetRGB(wxRect(0, 0, width, height), colour.Red(), colour.Green(), colour.Blue());
    EXPECT_TRUE(image.SaveFile(wxString::FromUTF8(path), wxBITMAP_TYPE_PNG));
    return path;
}

TEST_F(WidgetDesk, ImageWidgetShowsTheAddIconUntilAPictureLoads)
{
    const Picture& add = BitmapManager::System(ICON_ADD)[0];
    struct Case {
        const char* path; // relative to the app directory; nullptr: no key
        wxSize size;
    };
    WritePng(app / "big.png", 1000, 800, *wxBLUE);
    ASSERT_TRUE(zyntest::WriteFile(app / "broken.png", "not a picture"));
    const Case cases[] = {{nullptr, add.GetSize()}, {"big.png", wxSize(1000, 800)}, {"broken.png", add.GetSize()},
                          {"missing.png", add.GetSize()}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path ? c.path : "no path");
        if (c.path)
            Core()->WriteString(cfg::Plugin, cfg::ImageWidgetPath, app / c.path);
        ImageWidget widget(nullptr);
        EXPECT_EQ(widget.GetName(), "Image Widget");
        EXPECT_FALSE(widget.imageWindow->IsShown());
        EXPECT_EQ(widget.imageWindow->GetRect(), wxRect(wxPoint(640, 400), c.size));
        // A stored path that does not load stays as it was.
        EXPECT_EQ(Core()->ReadString(cfg::Plugin, cfg::ImageWidgetPath, ""), c.path ? app / c.path : "");
    }
    ImageWidget widget(nullptr);
    EXPECT_TRUE(widget.Show(true));
    EXPECT_FALSE(widget.Show(true));
    const wxPoint p = OpaquePoint(add);
    EXPECT_TRUE(ShowsOpaque(wxPoint(640, 400) + p, add.GetPixel(p.x, p.y)));
}

TEST_F(WidgetDesk, ImageWidgetClickChoosesAPictureButADragOrAModalWindowNever)
{
    const std::string red = WritePng(app / "red.png", 120, 90, *wxRED);
    ASSERT_TRUE(zyntest::WriteFile(app / "broken.PNG", "not a picture"));
    auto widget = std::make_unique<ImageWidget>(nullptr);
    widget->Show(true);
    wxWindow* window = widget->imageWindow;
    const wxPoint at = window->GetPosition() + OpaquePoint(BitmapManager::System(ICON_ADD)[0]);

    // A release that follows no press inside the widget does nothing.
    {
        DialogAnswer none;
        wxMouseEvent up(wxEVT_LEFT_UP);
        up.SetEventObject(window);
        window->GetEventHandler()->ProcessEvent(up);
        EXPECT_EQ(none.shown, 0);
    }
    // A drag moves the picture and asks nothing.
    {
        DialogAnswer none;
        ASSERT_TRUE(DragBy(window, at, wxPoint(100, -60)));
        EXPECT_EQ(none.shown, 0);
        EXPECT_EQ(window->GetPosition(), wxPoint(740, 340));
    }
    // The next press comes quickly at the same place of the window: the toolkit calls it a double click.
    const wxPoint moved = at + wxPoint(100, -60);
    wxString wildcard, message;
    auto choose = [&](const std::string& path, int id) {
        DialogAnswer answer([&](wxDialog* d) {
            auto* files = static_cast<wxFileDialog*>(d);
            wildcard = files->GetWildcard();
            message = files->GetMessage(); // the chooser's title
            files->SetPath(wxString::FromUTF8(path));
            PumpUntil([&] { return files->GetPath() == wxString::FromUTF8(path); });
            return id;
        });
        Click(moved);
        const bool shown = PumpUntil([&] { return answer.shown == 1; });
        EXPECT_EQ(message, wxFileSelectorPromptStr); // the toolkit's title for a file chooser
        return shown;
    };
    // A file that does not load changes nothing, nor does Cancel.
    ASSERT_TRUE(choose(app / "broken.PNG", wxID_OK));
    EXPECT_TRUE(wildcard.StartsWith("*.PNG|"));
    ASSERT_TRUE(choose(red, wxID_CANCEL));
    EXPECT_EQ(Core()->ReadString(cfg::Plugin, cfg::ImageWidgetPath, "absent"), "absent");
    EXPECT_EQ(window->GetSize(), BitmapManager::System(ICON_ADD)[0].GetSize());

    ASSERT_TRUE(choose(red, wxID_OK));
    EXPECT_EQ(Core()->ReadString(cfg::Plugin, cfg::ImageWidgetPath, "absent"), red);
    EXPECT_EQ(window->GetRect(), wxRect(740, 340, 120, 90));
    EXPECT_TRUE(ShowsOpaque(wxPoint(800, 380), 0xFFFF0000));

    ModalOpenFlag = true;
    {
        DialogAnswer none;
        PressMoveRelease(wxPoint(800, 380), wxPoint(30, 30));
        Click(wxPoint(800, 380));
        EXPECT_EQ(none.shown, 0);
        EXPECT_EQ(window->GetPosition(), wxPoint(740, 340));
    }
    widget.reset();
    EXPECT_EQ(Key(cfg::ImageWidgetPosX), 740);
    EXPECT_EQ(Key(cfg::ImageWidgetPosY), 340);
}

// ---- system monitor ----

// Whether any pixel of area is not fully transparent.
bool Drawn(const Picture& picture, const wxRect& area)
{
    for (int y = area.y; y < area.GetBottom(); ++y)
        for (int x = area.x; x < area.GetRight(); ++x)
            if (picture.GetPixel(x, y) >> 24)
                return true;
    return false;
}

const wxRect MemoryLine(0, 28, 240, 22), Digits(70, 100, 110, 50);

// Whether the canvas shows dial frame `dial` at (60, 65), looked at outside the digits.
bool ShowsDial(const Picture& canvas, const Picture& dial)
{
    for (int y = 0; y < dial.GetHeight(); ++y)
        for (int x = 0; x < dial.GetWidth(); ++x)
            if (!Digits.Contains(60 + x, 65 + y) && canvas.GetPixel(60 + x, 65 + y) != dial.GetPixel(x, y))
                return false;
    return true;
}

// Whether everything drawn over the dial inside the digits' box stays off the ring's
// segments (radius 45 and more around the dial's centre, (120, 125) of the canvas).
bool DigitsInsideRing(const Picture& canvas, const Picture& dial)
{
    for (int y = Digits.GetTop(); y <= Digits.GetBottom(); ++y)
        for (int x = Digits.GetLeft(); x <= Digits.GetRight(); ++x) {
            const wxPoint d(x - 60, y - 65);
            const bool onDial = d.x >= 0 && d.y >= 0 && d.x < dial.GetWidth() && d.y < dial.GetHeight();
            const uint32_t under = onDial ? dial.GetPixel(d.x, d.y) : 0;
            const int dx = x - 120, dy = y - 125;
            if (canvas.GetPixel(x, y) != under && dx * dx + dy * dy >= 45 * 45)
                return false;
        }
    return true;
}

class MonitorDesk : public WidgetDesk {
protected:
    void SetUp() override
    {
        WidgetDesk::SetUp();
        info->cpuSamples = {{0, 0, 0}, {95, 100, 0}, {153, 200, 0}}; // idle, kernel, user: 5 %, then 42 %
        info->memory.totalBytes = uint64_t(4096) << 20;
        info->memory.availableBytes = uint64_t(1024) << 20;
    }
    wxPoint IconCentre(const SystemMonitor& m) { return m.icon->GetPosition() + wxPoint(m.icon->GetSize().x / 2, m.icon->GetSize().y / 2); }
    // The panel's place beside the icon at pos.
    wxPoint PanelBeside(const SystemMonitor& m, const wxPoint& pos)
    {
        return pos + wxPoint(m.panel->GetOffset().x - m.icon->GetMargin().x, m.panel->GetOffset().y + m.icon->GetSize().y / 2);
    }
};

TEST_F(MonitorDesk, ClickOpensThePanelWithDashesThenTheFiguresEverySecondAndTheNextClickClosesIt)
{
    Core()->WriteLong(cfg::Plugin, cfg::MonitorPosX, 900);
    Core()->WriteLong(cfg::Plugin, cfg::MonitorPosY, 500);
    SystemMonitor monitor(nullptr);
    EXPECT_EQ(monitor.GetName(), "System Monitor");
    EXPECT_EQ(monitor.icon->GetPosition(), wxPoint(900, 500));
    EXPECT_TRUE(monitor.icon->builtIn);
    EXPECT_EQ(info->cpuReads, 0u); // nothing sampled, drawn or shown yet
    EXPECT_FALSE(monitor.icon->IsShown());
    EXPECT_TRUE(monitor.Show(true));
    EXPECT_FALSE(monitor.Show(true));
    EXPECT_FALSE(monitor.panel->IsShown());

    Click(IconCentre(monitor));
    ASSERT_TRUE(PumpUntil([&] { return monitor.panel->IsShown(); }));
    EXPECT_TRUE(monitor.panelOpen);
    EXPECT_TRUE(monitor.icon->IsActive());
    EXPECT_TRUE(monitor.IsRunning());
    EXPECT_EQ(monitor.GetInterval(), 1000);
    const Picture opened = monitor.canvasBitmap.GetSubPicture(wxRect(0, 0, 240, 240));
    EXPECT_TRUE(Drawn(opened, MemoryLine));
    const auto& dials = monitor.dialFrames;
    ASSERT_EQ(dials.size(), 24u);
    Picture lone(240, 240, 0); // frame 0 alone: the next frame differs from it where the test looks
    BitmapDC(lone).BlendBitmap(dials[0], wxPoint(60, 65), 255);
    EXPECT_FALSE(ShowsDial(lone, dials[1]));
    EXPECT_TRUE(ShowsDial(opened, dials[0]));

    monitor.Notify(); // 5 %, 3072 of 4096 MB
    const Picture five = monitor.canvasBitmap.GetSubPicture(wxRect(0, 0, 240, 240));
    EXPECT_FALSE(SamePixels(five, opened, MemoryLine));
    EXPECT_TRUE(ShowsDial(five, dials[1]));
    EXPECT_FALSE(SamePixels(five, opened, Digits));
    monitor.Notify(); // 42 %
    const Picture fortyTwo = monitor.canvasBitmap.GetSubPicture(wxRect(0, 0, 240, 240));
    EXPECT_TRUE(ShowsDial(fortyTwo, dials[10]));
    EXPECT_TRUE(SamePixels(fortyTwo, five, MemoryLine));
    EXPECT_FALSE(SamePixels(fortyTwo, five, Digits));

    Click(IconCentre(monitor));
    EXPECT_TRUE(PumpUntil([&] { return !monitor.panel->IsShown(); }));
    EXPECT_FALSE(monitor.panelOpen);
    EXPECT_FALSE(monitor.icon->IsActive());
    EXPECT_FALSE(monitor.IsRunning());
}

TEST_F(MonitorDesk, AFullProcessorFillsTheDialAndAWideMemoryLineStillShows)
{
    SystemMonitor monitor(nullptr);
    struct Case {
        int usage, used, total, entry;
    };
    for (const Case& c : {Case{100, 3072, 4096, 23}, Case{97, 200000, 262144, 23}, Case{3, 0, 0, 0}, Case{50, 12034, 15925, 12}}) {
        SCOPED_TRACE(c.usage);
        monitor.DrawMemoryUsage(c.usage, c.used, c.total);
        const Picture& canvas = monitor.canvasBitmap;
        EXPECT_TRUE(ShowsDial(canvas, monitor.dialFrames[c.entry]));
        EXPECT_TRUE(Drawn(canvas, MemoryLine));
        EXPECT_FALSE(Drawn(canvas, wxRect(0, 28, 8, 22)) || Drawn(canvas, wxRect(232, 28, 8, 22))) << "cut at an edge";
        EXPECT_TRUE(Drawn(canvas, Digits));
        EXPECT_TRUE(DigitsInsideRing(canvas, monitor.dialFrames[c.entry])) << "digits over the ring";
    }
}

TEST_F(MonitorDesk, ADragMovesThePanelAlongNeverTogglesItAndThePlaceIsWrittenAtTheEnd)
{
    auto monitor = std::make_unique<SystemMonitor>(nullptr);
    monitor->Show(true);
    Click(IconCentre(*monitor));
    ASSERT_TRUE(PumpUntil([&] { return monitor->panel->IsShown() && !monitor->panel->animator.IsRunning(); }));
    EXPECT_EQ(monitor->panel->GetPosition(), PanelBeside(*monitor, wxPoint(640, 480)));

    ASSERT_TRUE(DragBy(monitor->icon, IconCentre(*monitor), wxPoint(200, -100)));
    EXPECT_EQ(monitor->icon->GetPosition(), wxPoint(840, 380));
    EXPECT_EQ(monitor->panel->GetPosition(), PanelBeside(*monitor, wxPoint(840, 380)));
    EXPECT_TRUE(monitor->panelOpen);
    EXPECT_TRUE(monitor->icon->IsActive());
    EXPECT_TRUE(monitor->panel->IsShown());

    monitor.reset();
    EXPECT_EQ(Key(cfg::MonitorPosX), 840);
    EXPECT_EQ(Key(cfg::MonitorPosY), 380);
}

TEST_F(MonitorDesk, ALongPressOrAClickUnderAModalWindowChangesNothing)
{
    zplat::ManualClock clock;
    zplat::SetClock(&clock);
    SystemMonitor monitor(nullptr);
    monitor.Show(true);
    Click(IconCentre(monitor));
    ASSERT_TRUE(PumpUntil([&] { return monitor.panel->IsShown(); }));

    // A long press is only a slow click: the panel closes as on any click.
    DialogAnswer none;
    MouseCounter seen;
    x.MoveTo(IconCentre(monitor).x, IconCentre(monitor).y);
    x.Button(1, true);
    ASSERT_TRUE(PumpUntil([&] { return seen.presses > 0 && PressTimer && PressTimer->IsRunning(); }));
    clock.Advance(PressInterval + 100);
    EXPECT_TRUE(PumpUntil([&] { return !PressTimer->IsRunning(); }));
    Release();
    EXPECT_TRUE(PumpUntil([&] {
        clock.Advance(10); // the fade runs on the test's clock
        return !monitor.panel->IsShown();
    }));
    EXPECT_FALSE(monitor.panelOpen);
    EXPECT_EQ(none.shown, 0);

    const size_t reads = info->cpuReads;
    ModalOpenFlag = true;
    Click(IconCentre(monitor));
    EXPECT_FALSE(monitor.panelOpen);
    EXPECT_FALSE(monitor.panel->IsShown());
    EXPECT_EQ(info->cpuReads, reads);
    zplat::SetClock(nullptr);
}

TEST_F(MonitorDesk, AFailedSampleIsLoggedAndThePanelOpensWithoutRefreshing)
{
    info->cpuSamples.clear();
    SystemMonitor monitor(nullptr);
    monitor.Show(true);
    zyntest::LogCapture log;
    Click(IconCentre(monitor));
    ASSERT_TRUE(PumpUntil([&] { return monitor.panel->IsShown(); }));
    EXPECT_EQ(log.Texts(wxLOG_Error), std::vector<std::string>{"Cannot query system performance."});
    ASSERT_FALSE(log.lines.empty());
    EXPECT_EQ(log.lines.back().source, "src/widgets");
    EXPECT_EQ(log.lines.back().function, "OnSelect");
    EXPECT_FALSE(monitor.IsRunning());
    EXPECT_FALSE(Drawn(monitor.canvasBitmap, wxRect(0, 0, 240, 240)));
    Click(IconCentre(monitor));
    EXPECT_TRUE(PumpUntil([&] { return !monitor.panel->IsShown(); }));
}

TEST_F(MonitorDesk, HiddenAndShownAgainThePanelComesBackWithoutANewSample)
{
    SystemMonitor monitor(nullptr);
    monitor.Show(true);
    Click(IconCentre(monitor));
    ASSERT_TRUE(PumpUntil([&] { return monitor.panel->IsShown(); }));
    const size_t reads = info->cpuReads;

    EXPECT_TRUE(monitor.Show(false));
    EXPECT_FALSE(monitor.IsRunning());
    EXPECT_TRUE(PumpUntil([&] { return !monitor.panel->IsShown(); }));
    EXPECT_TRUE(monitor.panelOpen);

    EXPECT_TRUE(monitor.Show(true));
    EXPECT_TRUE(PumpUntil([&] { return monitor.panel->IsShown(); }));
    EXPECT_TRUE(monitor.IsRunning());
    EXPECT_EQ(info->cpuReads, reads);
}

// ---- stacking ----

TEST_F(WidgetDesk, WidgetsStayBelowOtherWindowsAndAboveTheDesktop)
{
    const unsigned long desktop = probe.MapForeignWindow(0, 0, 1920, 1080, true);
    HPBar bar(nullptr);
    ImageWidget image(nullptr);
    SystemMonitor monitor(nullptr);
    const unsigned long other = probe.MapForeignWindow(600, 150, 500, 400);
    bar.Show(true);
    image.Show(true);
    monitor.Show(true);
    const std::vector<wxWindow*> windows = {bar.barWindow, bar.iconWindow, image.imageWindow, monitor.icon};
    for (wxWindow* w : windows)
        EXPECT_TRUE(PumpUntil([&] { return probe.IsAboveWindow(w, desktop) && !probe.IsAboveWindow(w, other); }))
            << w->GetName();
    EXPECT_TRUE(probe.IsAbove(bar.iconWindow, bar.barWindow));

    // A dialog of the program neither lifts them nor leaves them on top when it goes.
    {
        wxDialog dialog(nullptr, wxID_ANY, "Preferences", wxPoint(100, 100), wxSize(200, 100));
        dialog.Show();
        ASSERT_TRUE(PumpUntil([&] { return probe.IsAbove(&dialog, bar.barWindow) && dialog.IsShownOnScreen(); }));
        EXPECT_FALSE(probe.IsAboveWindow(bar.barWindow, other));
        dialog.Hide();
        PumpUntil([&] { return !dialog.IsShownOnScreen(); });
    }
    for (wxWindow* w : windows)
        EXPECT_FALSE(probe.IsAboveWindow(w, other)) << w->GetName();
    EXPECT_TRUE(probe.IsAbove(bar.iconWindow, bar.barWindow));

    // Hidden and shown again, still at the bottom.
    bar.Show(false);
    bar.Show(true);
    EXPECT_TRUE(PumpUntil([&] { return probe.IsAboveWindow(bar.barWindow, desktop); }));
    EXPECT_FALSE(probe.IsAboveWindow(bar.barWindow, other));
}

TEST_F(WidgetDesk, DialogsAWidgetOpensStandAboveIt)
{
    HPBar bar(nullptr);
    ImageWidget image(nullptr);
    bar.Show(true);
    image.Show(true);
    // Another program's window, away from the widgets: clicks on them leave them under it.
    const unsigned long other = probe.MapForeignWindow(1500, 800, 200, 100);
    struct Case {
        wxWindow* clicked;
        wxPoint at;
        const char* screenshot;
    };
    const Case cases[] = {
        {image.imageWindow, image.imageWindow->GetPosition() + OpaquePoint(BitmapManager::System(ICON_ADD)[0]), "widget-dialog.png"},
        {bar.iconWindow, bar.iconWindow->GetPosition() + wxPoint(18, 18), "hp-bar-name-dialog.png"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.screenshot);
        // What the widget shows where it is clicked, before any dialog covers it.
        uint32_t widgetPixel = 0;
        ASSERT_TRUE(PumpUntil([&] {
            widgetPixel = probe.Pixel(c.at.x, c.at.y);
            return probe.IsOnScreen(c.clicked) && !NearRgb(widgetPixel, probe.Pixel(5, 1075));
        }));
        // Once the dialog stands above both widgets and hides the clicked point, the
        // screen is taken and the dialog cancelled; one that never does is cancelled after 5 s.
        DialogSeen seen;
        bool above = false, covers = false;
        int ticks = 0;
        wxTimer check;
        check.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
            wxDialog* dialog = seen.dialog;
            if (!dialog || !dialog->IsModal() || !probe.IsOnScreen(dialog))
                return;
            above = probe.IsAbove(dialog, c.clicked) && probe.IsAbove(dialog, bar.iconWindow) &&
                    probe.IsAbove(dialog, image.imageWindow);
            covers = !NearRgb(probe.Pixel(c.at.x, c.at.y), widgetPixel);
            if (above && covers)
                ScreenshotOf(wxRect(0, 0, 1920, 1080), c.screenshot);
            if ((above && covers) || ++ticks > 250)
                dialog->EndModal(wxID_CANCEL);
        });
        check.Start(20);
        Click(c.at);
        EXPECT_GT(seen.shown, 0) << "the click opened no dialog";
        EXPECT_TRUE(above) << "the dialog stands under a widget";
        EXPECT_TRUE(covers) << "the widget is drawn over the dialog";
        for (wxWindow* w : {bar.barWindow, bar.iconWindow, image.imageWindow})
            EXPECT_FALSE(probe.IsAboveWindow(w, other)) << w->GetName() << " was raised";
    }
    EXPECT_TRUE(probe.IsAbove(bar.iconWindow, bar.barWindow));
}

TEST_F(WidgetDesk, WidgetWindowsNeverActivateAndShowingTwiceLowersOnce)
{
    auto fake = std::make_unique<zplat::FakeWindowService>();
    zplat::FakeWindowService* service = fake.get();
    zplat::SetWindowService(std::move(fake));
    {
        HPBar bar(nullptr);
        ImageWidget image(nullptr);
        SystemMonitor monitor(nullptr);
        for (int i = 0; i < 2; ++i) {
            bar.Show(true);
            image.Show(true);
            monitor.Show(true);
        }
        struct Case {
            wxWindow* window;
            int lowers;
            wxWindow* owner;
        };
        for (const Case& c : {Case{bar.barWindow, 1, nullptr}, Case{bar.iconWindow, 1, bar.barWindow},
                              Case{image.imageWindow, 1, nullptr}, Case{monitor.icon, 1, nullptr},
                              Case{monitor.panel, 0, monitor.icon}}) {
            const zplat::FakeWindowService::Record* r = service->Find(c.window->GetHandle());
            ASSERT_NE(r, nullptr);
            EXPECT_EQ(r->lowers, c.lowers) << c.window->GetName();
            EXPECT_EQ(r->kind, zplat::WindowKind::NoActivate) << c.window->GetName();
            EXPECT_EQ(r->owner, c.owner ? c.owner->GetHandle() : nullptr) << c.window->GetName();
        }
    }
    zyntest::SyncToolkit(); // the windows are gone before their service
    EXPECT_TRUE(PumpUntil([] { return wxPendingDelete.IsEmpty(); }));
    zplat::SetWindowService(nullptr);
}

} // namespace
