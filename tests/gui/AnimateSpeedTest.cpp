// The application's settings pass reloads the animation speed.
#include <gtest/gtest.h>

#include <wx/app.h>

#include "ConfigImpl.h"
#include "ConfigKeys.h"
#include "WinFX.h"
#include "ZynUtils.h"

TEST(AnimateSpeed, ApplySettingsReloadsTheDuration)
{
    auto* app = static_cast<ZynUtils*>(wxTheApp);
    ConfigImpl* core = GetConfig(cfg::Core);
    core->WriteLong(cfg::Appearance, cfg::AnimateSpeed, 1);
    app->ApplySettings();
    EXPECT_EQ(AnimationDuration, 500);
    core->WriteLong(cfg::Appearance, cfg::AnimateSpeed, -1);
    app->ApplySettings();
    EXPECT_EQ(AnimationDuration, 125);
    core->Clear();
    app->ApplySettings();
    EXPECT_EQ(AnimationDuration, 250);
}
