// The layered-window context and the object windows against the fake window
// service: what is pushed, where, at which opacity, and what is not pushed.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

#include <wx/log.h>

#include "AlertObject.h"
#include "LogCapture.h"
#include "Picture.h"
#include "ZynObject.h"
#include "zplat/Windows.h"

namespace {

class Probe : public ZynObject {
public:
    Probe() : ZynObject(nullptr, "probe", wxPoint(5, 6), wxSize(7, 8)) {}
    ObjectDC& DC() { return objectDC; }
};

class LogCapture : public wxLog {
public:
    wxString text;

protected:
    void DoLogTextAtLevel(wxLogLevel, const wxString& msg) override { text += msg + "\n"; }
};

class ObjectContext : public testing::Test {
protected:
    void SetUp() override
    {
        auto fake = std::make_unique<zplat::FakeWindowService>();
        service = fake.get();
        zplat::SetWindowService(std::move(fake));
    }
    void TearDown() override { zplat::SetWindowService(nullptr); }

    const zplat::FakeWindowService::Record& Of(wxWindow* w) { return *service->Find(w->GetHandle()); }

    zplat::FakeWindowService* service = nullptr;
};

TEST_F(ObjectContext, FreshContextPushesOpaqueAtOrigin)
{
    std::unique_ptr<Probe> w(new Probe);
    ASSERT_NE(service->Find(w->GetHandle()), nullptr);
    EXPECT_EQ(Of(w.get()).kind, zplat::WindowKind::Tool);
    w->DC().size = wxSize(4, 3);
    ASSERT_TRUE(w->DC().Update(Picture(4, 3, 0xFF112233), true));
    EXPECT_EQ(Of(w.get()).alpha, 255);
    EXPECT_EQ(Of(w.get()).rect, (zplat::WindowRect{0, 0, 4, 3}));
    EXPECT_EQ(w->GetRect(), wxRect(0, 0, 4, 3));
    EXPECT_EQ(Of(w.get()).content, std::vector<uint32_t>(12, 0xFF112233));
}

TEST_F(ObjectContext, PushGoesToAnyPositionMinusOneIncluded)
{
    std::unique_ptr<Probe> w(new Probe);
    w->DC().size = wxSize(4, 3);
    for (const wxPoint at : {wxPoint(-1, -1), wxPoint(-1, 40), wxPoint(30, -1), wxPoint(-20, -30)}) {
        w->DC().pos = at;
        ASSERT_TRUE(w->DC().Update(Picture(4, 3, 0xFF112233), true));
        EXPECT_EQ(w->GetPosition(), at);
        EXPECT_EQ(Of(w.get()).rect, (zplat::WindowRect{at.x, at.y, 4, 3}));
    }
}

TEST_F(ObjectContext, MovesReachMinusOne)
{
    std::unique_ptr<Probe> w(new Probe);
    for (const bool animated : {true, false})
        for (const wxPoint at : {wxPoint(-1, -1), wxPoint(20, -1), wxPoint(-1, 30), wxPoint(40, 50)}) {
            SCOPED_TRACE(testing::Message() << (animated ? "frame " : "move ") << at.x << "," << at.y);
            if (animated) {
                AnimationFrame f;
                f.x = at.x;
                f.y = at.y;
                f.flags = FRAME_Y;
                w->ApplyFrame(f);
            } else {
                w->Move(at);
            }
            EXPECT_EQ(w->GetRect(), wxRect(at, wxSize(7, 8)));
            EXPECT_EQ(Of(w.get()).rect, (zplat::WindowRect{at.x, at.y, 7, 8}));
        }
}

TEST_F(ObjectContext, PushWithoutPositionKeepsTheToolkitsPlace)
{
    std::unique_ptr<Probe> w(new Probe);
    w->Move(40, 50);
    w->DC().size = wxSize(2, 2);
    w->DC().pos = wxPoint(300, 300); // not used without move
    ASSERT_TRUE(w->DC().Update(Picture(5, 5, 0xFFFFFFFF), false));
    EXPECT_EQ(w->GetPosition(), wxPoint(40, 50));
    EXPECT_EQ(Of(w.get()).rect, (zplat::WindowRect{40, 50, 2, 2}));
    EXPECT_EQ(Of(w.get()).content.size(), 4u); // the top-left of the picture
}

TEST_F(ObjectContext, OutOfRangeAlphaKeepsThePreviousOpacity)
{
    std::unique_ptr<Probe> w(new Probe);
    ObjectDC& dc = w->DC();
    dc.size = wxSize(1, 1);
    for (auto [value, expected] : {std::pair{128, 128}, {256, 128}, {-1, 128}, {0, 0}, {255, 255}}) {
        dc.SetAlpha(value);
        ASSERT_TRUE(dc.Update(Picture(1, 1, 0xFF000000), false));
        EXPECT_EQ(Of(w.get()).alpha, expected) << value;
    }
}

TEST_F(ObjectContext, FadeStepCopiesNoPicture)
{
    std::unique_ptr<Probe> w(new Probe);
    ObjectDC& dc = w->DC();
    dc.size = wxSize(8, 8);
    ASSERT_TRUE(dc.Update(Picture(8, 8, 0xFF000000), true));
    for (int alpha = 0; alpha <= 255; alpha += 51) {
        dc.SetAlpha(alpha);
        ASSERT_TRUE(dc.UpdateAlpha());
        EXPECT_EQ(Of(w.get()).alpha, alpha);
    }
    EXPECT_EQ(Of(w.get()).contentPushes, 1);
    EXPECT_EQ(Of(w.get()).pushes, 7);
}

// Only a hidden window that has a picture is readied for its first show.
TEST_F(ObjectContext, OnlyAHiddenWindowWithAPictureIsReadied)
{
    std::unique_ptr<Probe> w(new Probe);
    w->Ready();
    EXPECT_EQ(Of(w.get()).readies, 0) << "nothing pushed yet";
    w->DC().size = wxSize(4, 3);
    w->DC().SetAlpha(0);
    ASSERT_TRUE(w->DC().Update(Picture(4, 3, 0xFF112233), true));
    w->Ready();
    EXPECT_EQ(Of(w.get()).readies, 1);
    w->Show();
    w->Ready();
    EXPECT_EQ(Of(w.get()).readies, 1) << "shown";
}

TEST_F(ObjectContext, NullWindowIsLoggedAndNeverPushes)
{
    LogCapture capture;
    wxLog* previous = wxLog::SetActiveTarget(&capture);
    {
        ObjectDC dc(nullptr);
        EXPECT_FALSE(dc.IsOk());
        dc.size = wxSize(1, 1);
        EXPECT_FALSE(dc.Update(Picture(1, 1, 0xFF000000), true));
    }
    wxLog::SetActiveTarget(previous);
    EXPECT_NE(capture.text.Find("Invalid Window."), wxNOT_FOUND) << capture.text;
}

// A window the window service refuses is reported by the window it belongs to,
// in the one record that names it.
TEST_F(ObjectContext, ARefusedWindowIsReportedAsAWindowContextThatCannotBeMade)
{
    service->refuses = true;
    const struct {
        const char* source;
        std::function<void()> make;
    } cases[] = {
        {"src/ZynObject", [] { Probe probe; }},
        {"src/AlertObject", [] { AlertObject alert(nullptr, "question"); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.source);
        zyntest::LogCapture capture;
        c.make();
        std::vector<zyntest::LogLine> errors;
        for (const zyntest::LogLine& line : capture.lines)
            if (line.level == wxLOG_Error && line.text != "Invalid BITMAP_TYPE.") // no theme loaded here
                errors.push_back(line);
        ASSERT_EQ(errors.size(), 1u) << capture.Text();
        EXPECT_EQ(errors[0].text, "Cannot Create Window DC.");
        EXPECT_EQ(errors[0].source, c.source);
        EXPECT_EQ(errors[0].function, std::string(c.source).substr(4));
    }
}

TEST_F(ObjectContext, ObjectsGoThroughTheService)
{
    std::unique_ptr<Probe> owner(new Probe), owned(new Probe);
    EXPECT_TRUE(owned->SetOwner(owner.get()));
    EXPECT_EQ(Of(owned.get()).owner, owner->GetHandle());
    owned->Raise();
    EXPECT_EQ(Of(owned.get()).raises, 1);
    owned->DC().SetKind(zplat::WindowKind::NoActivate);
    EXPECT_EQ(Of(owned.get()).kind, zplat::WindowKind::NoActivate);

    std::unique_ptr<EmptyObject> empty(new EmptyObject(nullptr));
    EXPECT_EQ(Of(empty.get()).contentPushes, 0); // never pushes a picture

    std::unique_ptr<StaticObject> none(new StaticObject(nullptr, "none", wxPoint(1, 1), Picture()));
    EXPECT_EQ(Of(none.get()).pushes, 0);
    EXPECT_EQ(none->GetName(), "none");

    void* handle = owner->GetHandle();
    owner.reset();
    EXPECT_EQ(service->Find(handle), nullptr); // forgotten with the window
    EXPECT_EQ(Of(owned.get()).owner, nullptr);
}

} // namespace
