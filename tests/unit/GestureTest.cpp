// The gesture's state table, one transition per row, and whole gestures played
// through it.
#include <gtest/gtest.h>

#include <vector>

#include "HotkeyManager.h"

using namespace HotkeyManager;

namespace {

const int kThreshold = 250;

GestureState State(int buttons, bool armed, bool passInjected = false, int startY = -1)
{
    GestureState s;
    s.buttons = buttons;
    s.armed = armed;
    s.passInjectedLeftUp = passInjected;
    s.startY = startY;
    return s;
}

struct Row {
    const char* what;
    GestureState before;
    GestureEvent event;
    int y;
    GestureState after;
    GestureVerdict verdict;
    bool inject;
    bool show;
};

const int L = GESTURE_LEFT, R = GESTURE_RIGHT;
using E = GestureEvent;
using V = GestureVerdict;

const Row kRows[] = {
    {"left down resets everything", State(L | R, true, true, 100), E::LeftDown, 5, State(L, false, false, 100), V::Pass, false, false},
    {"right while only left is held arms", State(L, false), E::RightDown, 100, State(L | R, true, true, 100), V::Swallow, true, false},
    {"right without left passes", State(0, false), E::RightDown, 100, State(0, false), V::Pass, false, false},
    {"right while armed passes", State(L | R, true, false, 100), E::RightDown, 300, State(L | R, true, false, 100), V::Pass, false, false},
    {"the injected release is let through", State(L | R, true, true, 100), E::LeftUp, 100, State(L | R, true, false, 100), V::Pass, false, false},
    {"left up with right held blocks, no show", State(L | R, true, false, 100), E::LeftUp, 900, State(R, true, false, 100), V::PassAndBlock, false, false},
    {"a drop equal to the threshold does not fire", State(R, true, false, 100), E::RightUp, 100 + kThreshold, State(0, true, false, 100), V::PassAndBlock, false, false},
    {"one pixel more fires", State(R, true, false, 100), E::RightUp, 101 + kThreshold, State(0, false, false, 100), V::PassAndBlock, false, true},
    {"left released last fires too", State(L, true, false, 100), E::LeftUp, 101 + kThreshold, State(0, false, false, 100), V::PassAndBlock, false, true},
    {"upward drag does not fire", State(R, true, false, 600), E::RightUp, 100, State(0, true, false, 600), V::PassAndBlock, false, false},
    {"still armed after a short gesture: a later release fires", State(0, true, false, 100), E::RightUp, 400, State(0, false, false, 100), V::PassAndBlock, false, true},
    {"a plain left click passes", State(L, false), E::LeftUp, 100, State(0, false), V::Pass, false, false},
    {"a plain right release passes", State(0, false), E::RightUp, 900, State(0, false), V::Pass, false, false},
    {"other events change nothing", State(L | R, true, true, 100), E::Other, 900, State(L | R, true, true, 100), V::Pass, false, false},
};

} // namespace

TEST(GestureTable, EachTransition)
{
    for (const Row& row : kRows) {
        SCOPED_TRACE(row.what);
        const GestureStep step = GestureHookProc(row.before, row.event, row.y, kThreshold);
        EXPECT_EQ(step.next, row.after);
        EXPECT_EQ(step.verdict, row.verdict);
        EXPECT_EQ(step.injectLeftUp, row.inject);
        EXPECT_EQ(step.showLauncher, row.show);
    }
}

namespace {

struct Played {
    GestureState state;
    int shows = 0;
    int injections = 0;
};

Played Play(const std::vector<std::pair<GestureEvent, int>>& events, int threshold = kThreshold)
{
    Played p;
    for (const auto& [event, y] : events) {
        const GestureStep step = GestureHookProc(p.state, event, y, threshold);
        p.state = step.next;
        p.shows += step.showLauncher;
        p.injections += step.injectLeftUp;
    }
    return p;
}

} // namespace

TEST(GestureTable, WholeGestures)
{
    // Hold left, press right (the injected left release follows), drag down, release both.
    const Played full = Play({{E::LeftDown, 50}, {E::RightDown, 100}, {E::LeftUp, 100}, {E::RightUp, 400}, {E::LeftUp, 420}});
    EXPECT_EQ(full.shows, 1);
    EXPECT_EQ(full.injections, 1);
    EXPECT_FALSE(full.state.armed);
    EXPECT_EQ(full.state.buttons, 0);

    // Too short: stays armed; a left press then resets it, so the next right release is plain.
    const Played reset = Play({{E::LeftDown, 50}, {E::RightDown, 100}, {E::LeftUp, 100}, {E::RightUp, 200}, {E::LeftUp, 200},
                               {E::LeftDown, 200}, {E::LeftUp, 200}, {E::RightDown, 200}, {E::RightUp, 900}});
    EXPECT_EQ(reset.shows, 0);
    EXPECT_FALSE(reset.state.armed);

    // Only the vertical drop between the right press and the final release counts.
    EXPECT_EQ(Play({{E::LeftDown, 0}, {E::RightDown, 0}, {E::LeftUp, 0}, {E::LeftUp, 126}, {E::RightUp, 126}}, 125).shows, 1);
    EXPECT_EQ(Play({{E::LeftDown, 0}, {E::RightDown, 0}, {E::LeftUp, 0}, {E::LeftUp, 499}, {E::RightUp, 500}}, 500).shows, 0);
}
