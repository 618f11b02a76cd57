#include <gtest/gtest.h>

#include <vector>

#include "BitmapDC.h"
#include "NotifyLayout.h"
#include "NotifyWindow.h"
#include "Picture.h"

namespace {

struct BandCase {
    const char* what;
    BandRows rows;
    wxSize full;
    int w, h;
    wxSize drawn;
    wxRect topDest;
    wxRect middle;
    wxRect bottomDest;
};

} // namespace

TEST(NotifyLayout, BandsSqueezeSidewaysAndOpenAroundTheMiddle)
{
    const wxSize alert(350, 253);
    const wxSize message(400, 237);
    const std::vector<BandCase> cases = {
        {"alert closed, nothing wide", AlertBands, alert, 0, 189, {0, 189}, {175, 32, 0, 83}, {}, {175, 115, 0, 106}},
        {"alert strip widening", AlertBands, alert, 101, 189, {101, 189}, {124, 32, 101, 83}, {}, {124, 115, 101, 106}},
        {"alert below the strip", AlertBands, alert, 350, 0, {350, 189}, {0, 32, 350, 83}, {}, {0, 115, 350, 106}},
        {"alert opening", AlertBands, alert, 350, 200, {350, 200}, {0, 26, 350, 83}, {0, 109, 350, 11}, {0, 120, 350, 106}},
        {"alert open", AlertBands, alert, 350, 253, {350, 253}, {0, 0, 350, 83}, {0, 83, 350, 64}, {0, 147, 350, 106}},
        {"alert beyond full", AlertBands, alert, 500, 400, {350, 253}, {0, 0, 350, 83}, {0, 83, 350, 64}, {0, 147, 350, 106}},
        {"balloon closed", MessageBands, message, 0, 173, {0, 173}, {200, 32, 0, 83}, {}, {200, 115, 0, 90}},
        {"balloon at 172 keeps the strip", MessageBands, message, 400, 172, {400, 173}, {0, 32, 400, 83}, {}, {0, 115, 400, 90}},
        {"balloon opening", MessageBands, message, 400, 200, {400, 200}, {0, 18, 400, 83}, {0, 101, 400, 27}, {0, 128, 400, 90}},
        {"balloon open: unchanged picture", MessageBands, message, 400, 237, {400, 237}, {0, 0, 400, 83}, {0, 83, 400, 64}, {0, 147, 400, 90}},
        // A background shorter than the strip: the bands overhang, and the copies clip.
        {"short alert closed", AlertBands, {350, 150}, 350, 0, {350, 189}, {0, -19, 350, 83}, {}, {0, 64, 350, 106}},
        {"short alert past its height", AlertBands, {350, 150}, 350, 200, {350, 150}, {0, 0, 350, 83}, {}, {0, 83, 350, 106}},
        {"negative width", AlertBands, alert, -5, 189, {0, 189}, {175, 32, 0, 83}, {}, {175, 115, 0, 106}},
    };
    for (const BandCase& c : cases) {
        SCOPED_TRACE(c.what);
        const BandLayout l = LayoutBands(c.rows, c.full, c.w, c.h);
        EXPECT_EQ(l.drawn, c.drawn);
        EXPECT_EQ(l.topSource, wxRect(0, 0, c.full.x, c.rows.topHeight));
        EXPECT_EQ(l.topDest, c.topDest);
        EXPECT_EQ(l.middle, c.middle);
        EXPECT_EQ(l.bottomSource, wxRect(0, c.rows.bottomRow, c.full.x, c.rows.bottomHeight));
        EXPECT_EQ(l.bottomDest, c.bottomDest);
    }
}

TEST(NotifyLayout, ButtonsFadeInWhileTheAlertOpens)
{
    const struct {
        int drawn, full, alpha;
    } cases[] = {
        {189, 253, -1}, {190, 253, 3}, {221, 253, 127}, {252, 253, 251}, {253, 253, 255},
        {189, 189, -1}, {189, 150, -1}, // no room to open: never drawn, never divided by 0
    };
    for (const auto& c : cases)
        EXPECT_EQ(ButtonAlpha(c.drawn, c.full), c.alpha) << c.drawn << " of " << c.full;
}

TEST(NotifyLayout, NoticeGrowsCentredAndNeverBeyondItsPicture)
{
    const wxSize full(120, 120);
    EXPECT_EQ(LayoutGrowth(full, 0, 0), wxRect(60, 60, 0, 0));
    EXPECT_EQ(LayoutGrowth(full, 61, 31), wxRect(29, 44, 61, 31));
    EXPECT_EQ(LayoutGrowth(full, 120, 120), wxRect(0, 0, 120, 120));
    EXPECT_EQ(LayoutGrowth(full, 300, 200), wxRect(0, 0, 120, 120));
    EXPECT_EQ(LayoutGrowth(wxSize(0, 0), 10, 10), wxRect(0, 0, 0, 0));
}

TEST(NotifyLayout, CanvasIsClearedOnlyWhenThePictureShrinks)
{
    const wxSize drawn(100, 189);
    EXPECT_EQ(RecomposeFor(drawn, 100, 189), Recompose::None);
    EXPECT_EQ(RecomposeFor(drawn, 120, 189), Recompose::Draw);
    EXPECT_EQ(RecomposeFor(drawn, 100, 200), Recompose::Draw);
    EXPECT_EQ(RecomposeFor(drawn, 99, 300), Recompose::ClearAndDraw);
    EXPECT_EQ(RecomposeFor(drawn, 300, 0), Recompose::ClearAndDraw);
}

TEST(NotifyLayout, ScreenPlaces)
{
    const wxSize screen(1920, 1080);
    EXPECT_EQ(CentredOnScreen(screen, wxSize(350, 253)), wxPoint(785, 413));
    EXPECT_EQ(CentredOnScreen(wxSize(1001, 801), wxSize(400, 237)), wxPoint(300, 282));
    EXPECT_EQ(DefaultNoticePosition(screen, wxSize(320, 128)), wxPoint(800, 284));
    EXPECT_EQ(DefaultNoticePosition(screen, wxSize(120, 120)), wxPoint(900, 300));
    // Truncation toward zero, also for a picture wider than the screen.
    EXPECT_EQ(DefaultNoticePosition(wxSize(101, 101), wxSize(200, 10)), wxPoint(-49, 30));
}

TEST(NotifyLayout, HitBoxesExcludeTheirEdges)
{
    const wxSize face(40, 40);
    const struct {
        wxPoint p;
        AlertChoice hit;
    } cases[] = {
        {{80, 200}, CHOICE_NONE}, {{81, 200}, CHOICE_YES}, {{119, 200}, CHOICE_YES}, {{120, 200}, CHOICE_NONE},
        {{100, 185}, CHOICE_NONE}, {{100, 186}, CHOICE_YES}, {{100, 224}, CHOICE_YES}, {{100, 225}, CHOICE_NONE},
        {{230, 200}, CHOICE_NONE}, {{231, 200}, CHOICE_NO}, {{269, 224}, CHOICE_NO}, {{270, 200}, CHOICE_NONE},
        {{175, 126}, CHOICE_NONE},
    };
    for (const auto& c : cases)
        EXPECT_EQ(HitButton(c.p, face), c.hit) << c.p.x << "," << c.p.y;
    // Both boxes take the yes face's size.
    EXPECT_EQ(HitButton(wxPoint(290, 200), wxSize(70, 40)), CHOICE_NO);
    EXPECT_EQ(HitButton(wxPoint(100, 200), wxSize(0, 0)), CHOICE_NONE);
}

namespace {

enum Kind { MOVE, PRESS, RELEASE };
struct Input {
    Kind kind;
    wxPoint p;
    bool animating = false;
};

struct AnswerCase {
    const char* what;
    std::vector<Input> inputs;
    bool fadesOut;
    int answer;
    int sounds;
};

const wxPoint Yes(100, 200), No(250, 200), Off(10, 10);

} // namespace

TEST(NotifyLayout, AlertAnswersTheButtonLastChosen)
{
    const wxSize face(40, 40);
    const std::vector<AnswerCase> cases = {
        {"press yes, release", {{PRESS, Yes}, {RELEASE, {}}}, true, wxYES, 1},
        {"press yes, drag to no, release", {{PRESS, Yes}, {MOVE, No}, {RELEASE, {}}}, true, wxNO, 1},
        {"press outside, drag to yes, release", {{PRESS, Off}, {MOVE, Yes}, {RELEASE, {}}}, true, wxYES, 0},
        {"release off both buttons keeps it open", {{PRESS, Yes}, {MOVE, Off}, {RELEASE, {}}}, false, wxNO, 1},
        {"release with no choice at all", {{RELEASE, {}}}, false, wxNO, 0},
        {"press outside clears the choice, with a sound", {{PRESS, No}, {PRESS, Off}, {RELEASE, {}}}, false, wxNO, 2},
        {"press outside with no choice is silent", {{PRESS, Off}}, false, wxNO, 0},
        {"input while animating is ignored", {{MOVE, Yes, true}, {PRESS, Yes, true}, {RELEASE, {}, false}}, false, wxNO, 0},
        {"release while animating is ignored", {{PRESS, Yes}, {RELEASE, {}, true}}, false, wxYES, 1},
        {"a move keeps the answer where the release lands", {{MOVE, No}, {RELEASE, {}}}, true, wxNO, 0},
    };
    for (const AnswerCase& c : cases) {
        SCOPED_TRACE(c.what);
        AlertInput input;
        bool fadesOut = false;
        int sounds = 0;
        for (const Input& in : c.inputs) {
            AlertInput::Step step;
            if (in.kind == MOVE)
                step = input.Move(in.p, face, in.animating);
            else if (in.kind == PRESS)
                step = input.Press(in.p, face, in.animating);
            else
                step = input.Release(in.animating);
            fadesOut = fadesOut || step.fadeOut;
            sounds += step.sound ? 1 : 0;
        }
        EXPECT_EQ(fadesOut, c.fadesOut);
        EXPECT_EQ(input.Answer(), c.answer);
        EXPECT_EQ(sounds, c.sounds);
    }
}

TEST(NotifyLayout, AlertRedrawsOnlyTheFacesThatChange)
{
    const wxSize face(40, 40);
    AlertInput input;
    AlertInput::Step step = input.Move(Yes, face, false);
    EXPECT_EQ(step.highlight, CHOICE_YES);
    EXPECT_EQ(step.restore, CHOICE_NONE);
    EXPECT_FALSE(input.Move(Yes + wxPoint(5, 5), face, false).Redraws());

    // A jump from one button straight onto the other leaves one lit face.
    step = input.Move(No, face, false);
    EXPECT_EQ(step.highlight, CHOICE_NO);
    EXPECT_EQ(step.restore, CHOICE_YES);

    step = input.Move(Off, face, false);
    EXPECT_EQ(step.highlight, CHOICE_NONE);
    EXPECT_EQ(step.restore, CHOICE_NO);
    EXPECT_FALSE(input.Move(Off, face, false).Redraws());
}

// Rows numbered in their blue channel show where each band of the picture lands.
TEST(NotifyLayout, ComposedBandsCopyTheirRowsAndClearWhenShrinking)
{
    Picture source(20, 253);
    for (int y = 0; y < source.GetHeight(); ++y)
        for (int x = 0; x < source.GetWidth(); ++x)
            source.Row(y)[x] = 0xFF000000u | static_cast<uint32_t>(y);
    Picture display = source;
    BitmapDC canvas(display);
    wxSize drawn = source.GetSize();
    // The row of the source a display row shows, or -1 for a clear row.
    const auto rowAt = [&](int y) { return display.GetPixel(10, y) == 0 ? -1 : static_cast<int>(display.GetPixel(10, y) & 0xFF); };

    ASSERT_TRUE(ComposeBands(canvas, source, AlertBands, drawn, 20, 189));
    EXPECT_EQ(drawn, wxSize(20, 189));
    EXPECT_EQ(rowAt(31), -1);
    EXPECT_EQ(rowAt(32), 0);
    EXPECT_EQ(rowAt(114), 82);
    EXPECT_EQ(rowAt(115), 147);
    EXPECT_EQ(rowAt(220), 252);
    EXPECT_EQ(rowAt(221), -1);
    EXPECT_FALSE(ComposeBands(canvas, source, AlertBands, drawn, 20, 189)) << "unchanged: nothing composed";

    ASSERT_TRUE(ComposeBands(canvas, source, AlertBands, drawn, 20, 200));
    EXPECT_EQ(rowAt(26), 0);
    EXPECT_EQ(rowAt(109), 109) << "the middle shows the finished picture at its place";
    EXPECT_EQ(rowAt(119), 119);
    EXPECT_EQ(rowAt(120), 147);
    EXPECT_EQ(rowAt(225), 252);
    EXPECT_EQ(rowAt(226), -1);

    // Narrower: squeezed towards the centre, the sides cleared.
    ASSERT_TRUE(ComposeBands(canvas, source, AlertBands, drawn, 10, 200));
    EXPECT_EQ(display.GetPixel(4, 30), 0u);
    EXPECT_NE(display.GetPixel(5, 30), 0u);
    EXPECT_NE(display.GetPixel(14, 30), 0u);
    EXPECT_EQ(display.GetPixel(15, 30), 0u);
}

// A background shorter than the bands: the copies clip (checked under the sanitizers).
TEST(NotifyLayout, ComposedBandsOfAShortBackgroundClip)
{
    Picture source(20, 100, 0xFF102030);
    Picture display = source;
    BitmapDC canvas(display);
    wxSize drawn = source.GetSize();
    for (const int h : {0, 50, 189, 300})
        ComposeBands(canvas, source, AlertBands, drawn, 20, h);
    EXPECT_EQ(drawn, wxSize(20, 100));
    EXPECT_EQ(display.GetPixel(10, 0), 0xFF102030u);
}
