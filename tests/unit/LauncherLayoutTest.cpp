#include <gtest/gtest.h>

#include <vector>

#include "LauncherLayout.h"

namespace {

struct FadeCase {
    int y;
    EdgeFade::Place place;
    int y0, y1, a0, a1;
    bool clipped;
};

void ExpectFade(const EdgeFade& f, const FadeCase& c)
{
    EXPECT_EQ(f.place, c.place) << "y " << c.y;
    if (c.place != EdgeFade::Faded)
        return;
    EXPECT_EQ(f.y0, c.y0) << "y " << c.y;
    EXPECT_EQ(f.y1, c.y1) << "y " << c.y;
    EXPECT_EQ(f.a0, c.a0) << "y " << c.y;
    EXPECT_EQ(f.a1, c.a1) << "y " << c.y;
    EXPECT_EQ(f.clipped, c.clipped) << "y " << c.y;
}

} // namespace

// Items 50 high with margin 6: a view of 280 rows from 0, fading 25 rows beyond each edge.
TEST(LauncherLayout, IconItemsFadeAtTheEdgesOfTheFiveRowView)
{
    const std::vector<FadeCase> cases = {
        {0, EdgeFade::Inside, 0, 0, 0, 0, false},
        {230, EdgeFade::Inside, 0, 0, 0, 0, false},     // bottom exactly on the view's edge
        {231, EdgeFade::Faded, 49, 50, 255, 245, false}, // one row lower
        {260, EdgeFade::Faded, 20, 45, 255, 0, true},    // far edge past the band
        {305, EdgeFade::Outside, 0, 0, 0, 0, false},
        {-10, EdgeFade::Faded, 0, 10, 153, 255, false},
        {-74, EdgeFade::Faded, 49, 50, 0, 10, true},
        {-75, EdgeFade::Outside, 0, 0, 0, 0, false},
    };
    for (const FadeCase& c : cases)
        ExpectFade(IconViewFade(c.y, 50, 0), c);
}

// Rows 30 high, pitch 28: clear from mid - 56 to mid + 56, fading to mid -/+ 86.
TEST(LauncherLayout, ListRowsFadeAtTheEdgesOfTheBand)
{
    const int mid = 500;
    const std::vector<FadeCase> cases = {
        {384, EdgeFade::Outside, 0, 0, 0, 0, false},
        {400, EdgeFade::Faded, 14, 30, 0, 136, true},
        {430, EdgeFade::Faded, 0, 14, 136, 255, false},
        {444, EdgeFade::Inside, 0, 0, 0, 0, false},
        {526, EdgeFade::Inside, 0, 0, 0, 0, false},
        {527, EdgeFade::Faded, 29, 30, 255, 247, false},
        {570, EdgeFade::Faded, 0, 16, 136, 0, true},
        {586, EdgeFade::Outside, 0, 0, 0, 0, false},
    };
    for (const FadeCase& c : cases)
        ExpectFade(ListBandFade(c.y, 30, -2, mid), c);
}

// Items under 2 rows high have no fade band at all; the slopes must not divide by zero.
TEST(LauncherLayout, TinyItemsNeverFade)
{
    for (int h = 0; h < 2; ++h)
        for (int y = -400; y < 400; ++y) {
            EXPECT_NE(IconViewFade(y, h, 0).place, EdgeFade::Faded) << h << " " << y;
            EXPECT_NE(ListBandFade(y, h, -2, 0).place, EdgeFade::Faded) << h << " " << y;
        }
    EXPECT_EQ(IconViewFade(39, 2, 0).place, EdgeFade::Faded);
}

TEST(LauncherLayout, IndicatorBandsFromTheImage)
{
    struct Case {
        int band, shown;
        IndicatorSlices::Kind kind;
        bool clear;
        int shownAfter, top, cap;
    };
    const std::vector<Case> cases = {
        {150, 260, IndicatorSlices::Slices, true, 150, 55, 62},   // three list rows
        {50, 260, IndicatorSlices::Slices, true, 56, 102, 15},    // one row: the 56-row minimum
        {0, 260, IndicatorSlices::Slices, true, 56, 102, 15},     // no sub-menu
        {57, 260, IndicatorSlices::Slices, true, 57, 101, 15},    // draws 56, records 57
        {100, 56, IndicatorSlices::Slices, false, 100, 80, 37},   // growing keeps the canvas
        {150, 150, IndicatorSlices::Unchanged, false, 150, 0, 0},
        {260, 150, IndicatorSlices::WholeImage, false, 260, 0, 0},
        {400, 150, IndicatorSlices::WholeImage, false, 260, 0, 0},
    };
    for (const Case& c : cases) {
        const IndicatorSlices s = ComposeIndicator(c.band, 260, c.shown);
        EXPECT_EQ(s.kind, c.kind) << "band " << c.band;
        EXPECT_EQ(s.clearFirst, c.clear) << "band " << c.band;
        EXPECT_EQ(s.shownHeight, c.shownAfter) << "band " << c.band;
        if (c.kind == IndicatorSlices::Slices) {
            EXPECT_EQ(s.top, c.top) << "band " << c.band;
            EXPECT_EQ(s.cap, c.cap) << "band " << c.band;
        }
    }
}

TEST(LauncherLayout, PanelRevealsFromTheBottomRightThenDownwards)
{
    const wxSize full(270, 429);
    const PanelReveal first = RevealPanel(wxSize(50, 40), full, full);
    EXPECT_TRUE(first.clearFirst);
    EXPECT_EQ(first.shown, wxSize(80, 80));
    EXPECT_EQ(first.body, wxRect(190, 206, 80, 72));
    EXPECT_EQ(first.border, wxRect(190, 421, 80, 8));
    EXPECT_EQ(first.borderDest, wxPoint(190, 278));

    const PanelReveal second = RevealPanel(wxSize(270, 300), wxSize(270, 286), full);
    EXPECT_FALSE(second.clearFirst);
    EXPECT_EQ(second.body, wxRect(0, 0, 270, 292));
    EXPECT_EQ(second.border, wxRect(0, 421, 270, 8));
    EXPECT_EQ(second.borderDest, wxPoint(0, 292));

    EXPECT_EQ(RevealPanel(wxSize(900, 900), wxSize(80, 80), full).shown, full);
    EXPECT_TRUE(RevealPanel(wxSize(80, 80), wxSize(80, 80), full).unchanged);
    EXPECT_EQ(PanelImagePos(wxSize(100, 100)), wxPoint(73, 113));
}

TEST(LauncherLayout, ListsCentreOnTheirOwner)
{
    EXPECT_EQ(ListCentreOffset(60, 1, 50, -2), 4);
    EXPECT_EQ(ListCentreOffset(60, 3, 50, -2), -46);
    EXPECT_EQ(ListCentreOffset(61, 3, 50, -2), -45); // truncated toward zero
}

TEST(LauncherLayout, ScrolledColumnsStayOverTheBand)
{
    struct Case {
        int top, delta, expected;
    };
    // A column of 400 rows that must cover 100 to 300.
    const std::vector<Case> cases = {
        {50, -10, 50}, {-150, -10, -100}, {120, 10, 100}, {90, 10, 90}, {120, 0, 120}, {-150, 0, -150},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ClampColumnTop(c.top, c.delta, 400, 100, 300), c.expected) << c.top << " " << c.delta;
}

TEST(LauncherLayout, SmoothScrollStepsAddUpToNotches)
{
    WheelAccumulator wheel;
    EXPECT_EQ(wheel.Add(40, 120), 0);
    EXPECT_EQ(wheel.Add(40, 120), 0);
    EXPECT_EQ(wheel.Add(40, 120), 1);
    EXPECT_EQ(wheel.Add(360, 120), 3);
    EXPECT_EQ(wheel.Add(-60, 120), 0); // the other way starts afresh
    EXPECT_EQ(wheel.Add(-60, 120), -1);
    EXPECT_EQ(wheel.Add(-120, 0), -1); // a missing delta counts as the usual 120
}

// A view from 100 to 430 with slots of 66: centres outside it scroll the column one slot.
TEST(LauncherLayout, SwappedItemsOutOfViewScrollTheColumnOneSlot)
{
    struct Case {
        int a, b, scroll;
    };
    const std::vector<Case> cases = {
        {130, 196, 0},  {100, 430, 0},   // both inside, the edges included
        {99, 130, 66},  {130, 99, 66},   // either one above: down
        {431, 365, -66}, {365, 431, -66}, // either one below: up
        {99, 431, 66},                    // above wins
    };
    for (const Case& c : cases)
        EXPECT_EQ(SwapScroll(c.a, c.b, 100, 430, 66), c.scroll) << c.a << " " << c.b;
}

namespace {

struct ShiftCase {
    unsigned count, selected, index;
    unsigned first, last;
    bool upward;
    unsigned select;
};

void ExpectShift(const ColumnShift& s, const ShiftCase& c)
{
    const std::string what = std::to_string(c.count) + " items, selected " + std::to_string(c.selected) + ", index " +
                             std::to_string(c.index);
    EXPECT_EQ(s.first, c.first) << what;
    if (c.first != 0) {
        EXPECT_EQ(s.last, c.last) << what;
        EXPECT_EQ(s.upward, c.upward) << what;
    }
    EXPECT_EQ(s.select, c.select) << what;
}

} // namespace

TEST(LauncherLayout, CatalogColumnsCloseTheGapTowardsTheSelection)
{
    const std::vector<ShiftCase> cases = {
        {5, 2, 4, 4, 4, false, 0}, // below the selection: those below move up
        {5, 2, 5, 0, 0, false, 0}, // the last, below the selection: nothing moves
        {5, 4, 2, 1, 1, true, 0},  // above the selection: those above move down
        {5, 4, 1, 0, 0, true, 0},  // the first, above it: nothing moves
        {5, 3, 3, 3, 4, false, 3}, // the selected one: the next takes its place and the selection
        {5, 5, 5, 4, 1, true, 4},  // the selected last: the one above takes both, the column comes down
        {2, 2, 2, 1, 1, true, 1},
        {4, 4, 2, 1, 1, true, 0},  // no selection counts as the last selected
    };
    for (const ShiftCase& c : cases)
        ExpectShift(CatalogDeleteShift(c.count, c.selected, c.index), c);
}

TEST(LauncherLayout, CatalogColumnsOpenAGapAwayFromTheSelection)
{
    const std::vector<ShiftCase> cases = {
        {5, 4, 2, 3, 1, true, 0},  // above the selection: it stays, the new one and those above move up
        {5, 4, 1, 2, 1, true, 0},
        {5, 2, 4, 4, 6, false, 0}, // below it: the new one takes the place, those below move down
        {5, 3, 3, 3, 6, false, 3}, // at the selection: the new one takes its place and the selection
        {5, 5, 5, 5, 6, false, 5},
        {1, 1, 1, 1, 2, false, 1},
    };
    for (const ShiftCase& c : cases)
        ExpectShift(CatalogInsertShift(c.count, c.selected, c.index), c);
}
