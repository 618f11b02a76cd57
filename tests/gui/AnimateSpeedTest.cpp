// The application's settings pass reloads the animation speed: the next animation
// takes as long as the setting says.
#include <gtest/gtest.h>

#include <wx/app.h>

#include "ConfigImpl.h"
#include "ConfigKeys.h"
#include "WinFX.h"
#include "ZynUtils.h"
#include "zplat/Clock.h"

namespace {

// Something to animate; where it goes does not matter here.
class Still : public Animatable {
public:
    void ApplyFrame(AnimationFrame&) override {}
    void OnAnimationStart() override {}
    void OnAnimationEnd() override {}
};

} // namespace

TEST(AnimateSpeed, ApplySettingsGivesTheNextAnimationTheLengthOfTheSetting)
{
    auto* app = static_cast<ZynUtils*>(wxTheApp);
    ConfigImpl* core = GetConfig(cfg::Core);
    zplat::ManualClock clock;
    zplat::SetClock(&clock);
    const struct {
        long speed; // 0: not stored
        uint32_t ms;
    } cases[] = {{1, 500}, {-1, 125}, {0, 250}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.speed);
        core->Clear();
        if (c.speed)
            core->WriteLong(cfg::Appearance, cfg::AnimateSpeed, c.speed);
        app->ApplySettings();
        Still still;
        WinFX fx(&still);
        AnimationFrame end;
        end.flags = FRAME_ALPHA;
        fx.SetFrame(end);
        ASSERT_TRUE(fx.Start());
        // Each look the animator's timer takes, taken here at the clock's time.
        clock.Advance(c.ms - 1);
        fx.Notify();
        EXPECT_TRUE(fx.IsRunning());
        clock.Advance(1);
        fx.Notify();
        EXPECT_FALSE(fx.IsRunning());
    }
    core->Clear();
    app->ApplySettings();
    zplat::SetClock(nullptr);
}
