// The animator driven by a hand-turned clock: durations, curves, stagger,
// reverse order, lock, anchor and the target list.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "ConfigImpl.h"
#include "ConfigKeys.h"
#include "FrameOps.h"
#include "TestSupport.h"
#include "WinFX.h"
#include "zplat/Clock.h"

namespace {

class Target : public Animatable {
public:
    Target(int32_t x = 0, int32_t y = 0, int32_t width = 10, int32_t height = 10, int32_t alpha = 255)
    {
        frame.x = x;
        frame.y = y;
        frame.width = width;
        frame.height = height;
        frame.alpha = alpha;
        frame.flags = FRAME_ALL;
    }
    void ApplyFrame(AnimationFrame& f) override
    {
        applied.push_back(f);
        if (f.flags & FRAME_X)
            frame.x = *f.px;
        if (f.flags & FRAME_Y)
            frame.y = *f.py;
        if (f.flags & FRAME_WIDTH)
            frame.width = *f.pw;
        if (f.flags & FRAME_HEIGHT)
            frame.height = *f.ph;
        if (f.flags & FRAME_ALPHA)
            frame.alpha = *f.palpha;
    }
    void OnAnimationStart() override { ++starts; }
    void OnAnimationEnd() override { ++ends; }

    const AnimationFrame& Now() const { return frame; }
    std::vector<AnimationFrame> applied;
    int starts = 0;
    int ends = 0;
};

AnimationFrame Frame(uint32_t flags, int32_t x = 0, int32_t y = 0, int32_t width = 0, int32_t height = 0, int32_t alpha = 0)
{
    AnimationFrame f;
    f.x = x;
    f.y = y;
    f.width = width;
    f.height = height;
    f.alpha = alpha;
    f.flags = flags;
    return f;
}

class Animator : public testing::Test {
protected:
    void SetUp() override
    {
        zplat::SetClock(&clock);
        AnimationDuration = 250;
    }
    void TearDown() override
    {
        zplat::SetClock(nullptr);
        AnimationDuration = 250;
    }
    // Advances the clock to elapsed ms after the start and ticks once.
    void TickAt(WinFX& fx, uint32_t elapsed)
    {
        clock.now = fx.startTick + elapsed;
        fx.Notify();
    }
    bool Run(WinFX& fx, uint32_t effect, const AnimationFrame& end) { return Animate(fx, effect, end); }

    zplat::ManualClock clock;
};

TEST(AnimationFrameCopy, CopiesPointAtThemselves)
{
    AnimationFrame a = Frame(FRAME_ALL, 1, 2, 3, 4, 5);
    std::vector<AnimationFrame> list;
    for (int i = 0; i < 20; ++i) // growth copies every element
        list.push_back(a);
    for (AnimationFrame& f : list) {
        EXPECT_EQ(f.px, &f.x);
        EXPECT_EQ(f.palpha, &f.alpha);
        EXPECT_EQ(*f.ph, 4);
    }
    AnimationFrame b;
    b = a;
    EXPECT_EQ(b.py, &b.y);
    EXPECT_EQ(*b.py, 2);
    EXPECT_EQ(b.flags, static_cast<uint32_t>(FRAME_ALL));
}

TEST_F(Animator, DurationFollowsSpeedAndHalfBit)
{
    struct Case {
        int32_t speedDuration;
        uint32_t effect;
        int32_t duration;
    } cases[] = {{250, 0x10, 250}, {250, 0x11, 125}, {125, 0x11, 62}, {500, 0x04, 500}, {125, 0x08, 125}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.effect);
        AnimationDuration = c.speedDuration;
        Target t;
        WinFX fx(&t);
        ASSERT_TRUE(Run(fx, c.effect, Frame(FRAME_ALPHA, 0, 0, 0, 0, 0)));
        EXPECT_EQ(fx.duration, c.duration);
        TickAt(fx, static_cast<uint32_t>(c.duration - 1));
        EXPECT_TRUE(fx.IsRunning());
        EXPECT_EQ(t.ends, 0);
        TickAt(fx, static_cast<uint32_t>(c.duration));
        EXPECT_FALSE(fx.IsRunning());
        EXPECT_EQ(t.ends, 1);
        EXPECT_EQ(t.Now().alpha, 0);
    }
}

TEST_F(Animator, LoadAnimateSpeedMapsTheSetting)
{
    zyntest::ScopedAppDir app; // settings of the test's own, gone with it
    ConfigImpl* core = GetConfig(cfg::Core);
    core->WriteLong(cfg::Appearance, cfg::AnimateSpeed, 1);
    ASSERT_EQ(core->ReadLong(cfg::Appearance, cfg::AnimateSpeed, 0), 1) << "the settings did not keep the speed";
    for (auto [speed, duration] : {std::pair{-1L, 125}, {1L, 500}, {0L, 250}, {7L, 250}}) {
        core->WriteLong(cfg::Appearance, cfg::AnimateSpeed, speed);
        LoadAnimateSpeed();
        EXPECT_EQ(AnimationDuration, duration) << speed;
    }
}

TEST_F(Animator, CurvesFollowTheIntegerFormulas)
{
    // x from 0 by 100 over 250 ms, sampled at 125 ms.
    struct Case {
        uint32_t effect;
        int32_t atHalf;
    } cases[] = {{0x04, 50}, {0x08, 75}, {0x10, 25}, {0x00, 100}, {0x0C, 100}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.effect);
        Target t;
        WinFX fx(&t);
        ASSERT_TRUE(Run(fx, c.effect, Frame(FRAME_X, 100)));
        TickAt(fx, 125);
        EXPECT_EQ(t.Now().x, c.atHalf);
        EXPECT_TRUE(fx.IsRunning()); // even a jump runs until the duration has passed
        TickAt(fx, 250);
        EXPECT_EQ(t.Now().x, 100);
        EXPECT_EQ(t.ends, 1);
    }
}

TEST_F(Animator, FiveStaggeredTargets)
{
    std::vector<Target> targets(5);
    WinFX fx;
    for (Target& t : targets)
        ASSERT_TRUE(fx.AddTarget(&t));
    ASSERT_TRUE(Run(fx, 0x44, Frame(FRAME_Y, 0, 105)));
    EXPECT_EQ(fx.staggerStep, 35);
    EXPECT_EQ(fx.targetDuration, 105);

    TickAt(fx, 139);
    EXPECT_TRUE(targets[4].applied.empty()); // starts at 140
    EXPECT_EQ(targets[0].Now().y, 105);      // finished at 105
    TickAt(fx, 141);
    EXPECT_EQ(targets[4].Now().y, 1);
    TickAt(fx, 245);
    EXPECT_EQ(targets[4].Now().y, 105); // ends at 245
    EXPECT_TRUE(fx.IsRunning());
}

TEST_F(Animator, ReverseStartsWithTheLastTarget)
{
    std::vector<Target> targets(3);
    WinFX fx;
    for (Target& t : targets)
        fx.AddTarget(&t);
    ASSERT_TRUE(Run(fx, 0xC4, Frame(FRAME_X, 100)));
    TickAt(fx, 10);
    EXPECT_FALSE(targets[2].applied.empty());
    EXPECT_TRUE(targets[0].applied.empty());
}

TEST_F(Animator, StaggeredTargetsKeepTheirSpacing)
{
    Target first(0, 200), second(0, 250);
    WinFX fx;
    fx.AddTarget(&first);
    fx.AddTarget(&second);
    ASSERT_TRUE(Run(fx, 0x48, Frame(FRAME_Y, 0, 100)));
    TickAt(fx, 250);
    EXPECT_EQ(first.Now().y, 100);
    EXPECT_EQ(second.Now().y, 150);
}

TEST_F(Animator, LockedRunAcceptsOnlyLockedStarts)
{
    Target t;
    WinFX fx(&t);
    ASSERT_TRUE(Run(fx, 0x108, Frame(FRAME_ALPHA, 0, 0, 0, 0, 100)));
    EXPECT_TRUE(fx.locked);
    EXPECT_FALSE(Run(fx, 0x08, Frame(FRAME_ALPHA, 0, 0, 0, 0, 7)));
    EXPECT_EQ(fx.target.alpha, 100); // SetFrame refused as well
    EXPECT_EQ(fx.effect, 0x108u);    // the locked run goes on with its own curve
    EXPECT_TRUE(Run(fx, 0x110, Frame(FRAME_ALPHA, 0, 0, 0, 0, 0)));
    EXPECT_TRUE(fx.locked);
    EXPECT_EQ(t.ends, 0); // an interrupted run gets no end
    EXPECT_EQ(t.starts, 2);
}

TEST_F(Animator, DestroyingARunningAnimatorCallsNoEnd)
{
    // Owners delete their animator while their targets are half torn down.
    Target t;
    auto fx = std::make_unique<WinFX>(&t);
    ASSERT_TRUE(Run(*fx, 0x08, Frame(FRAME_X, 100)));
    fx.reset();
    EXPECT_EQ(t.ends, 0);
}

TEST_F(Animator, ListOperations)
{
    Target a, b, c, d;
    WinFX fx;
    EXPECT_FALSE(fx.Start()); // no targets
    fx.AddTarget(&a);
    fx.AddTarget(&b);
    fx.AddTarget(&c);
    EXPECT_FALSE(fx.InsertTarget(&d, 4));
    EXPECT_FALSE(fx.InsertTarget(&d, 0));
    ASSERT_TRUE(fx.InsertTarget(&d, 3));
    EXPECT_EQ(fx.targets, (std::vector<Animatable*>{&a, &b, &d, &c}));
    EXPECT_EQ(fx.startFrames.size(), 4u);
    EXPECT_TRUE(fx.SwapTargets(1, 4));
    EXPECT_FALSE(fx.SwapTargets(1, 5));
    EXPECT_EQ(fx.targets.front(), &c);
    EXPECT_TRUE(fx.RemoveTarget(&d));
    EXPECT_FALSE(fx.RemoveTarget(&d));

    // Refused while running, except ClearTargets.
    ASSERT_TRUE(Run(fx, 0x04, Frame(FRAME_X, 10)));
    EXPECT_FALSE(fx.AddTarget(&d));
    EXPECT_FALSE(fx.InsertTarget(&d, 1));
    EXPECT_FALSE(fx.SwapTargets(1, 2));
    EXPECT_FALSE(fx.SetTarget(&d));
    EXPECT_FALSE(fx.RemoveTarget(&a));
    EXPECT_EQ(fx.targets.size(), 3u);
    fx.Stop();
    EXPECT_EQ(a.ends + b.ends + c.ends, 3);
    EXPECT_TRUE(fx.SetTarget(&d));
    EXPECT_EQ(fx.targets, std::vector<Animatable*>{&d});
}

TEST_F(Animator, FollowsAMovingAnchor)
{
    Target anchor(100, 100), item(150, 130);
    WinFX fx(&item);
    fx.anchor = &anchor;
    // End 10 right of and 20 below the anchor, whatever it does meanwhile.
    ASSERT_TRUE(Run(fx, 0x04, Frame(FRAME_POSITION, 10, 20)));
    TickAt(fx, 125);
    EXPECT_EQ(item.Now().x, 130); // halfway from 50 to 10, plus 100
    AnimationFrame moved = Frame(FRAME_POSITION, 300, 400);
    anchor.ApplyFrame(moved);
    TickAt(fx, 250);
    EXPECT_EQ(item.Now().x, 310);
    EXPECT_EQ(item.Now().y, 420);
}

TEST_F(Animator, StaggerWithMoreTargetsThanMillisecondsEndsAtOnce)
{
    AnimationDuration = 2;
    std::vector<Target> targets(4);
    WinFX fx;
    for (Target& t : targets)
        fx.AddTarget(&t);
    ASSERT_TRUE(Run(fx, 0x44, Frame(FRAME_X, 80)));
    EXPECT_EQ(fx.targetDuration, 0);
    TickAt(fx, 0);
    EXPECT_EQ(targets[0].Now().x, 80);
}

} // namespace
