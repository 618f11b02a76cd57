// Where the launcher puts its root menu and how dark its backdrop is, as the
// settings and the cursor decide.
#include <gtest/gtest.h>

#include "ConfigImpl.h"
#include "ConfigKeys.h"
#include "LaunchWindow.h"
#include "TestSupport.h"

namespace {

TEST(LaunchPlacement, TheCursorIsClampedIntoTheScreen)
{
    const struct {
        wxPoint cursor;
        wxSize screen;
        wxPoint root;
    } cases[] = {
        {{10, 10}, {1920, 1080}, {300, 250}},      {{1900, 1000}, {1920, 1080}, {1420, 680}},
        {{800, 600}, {1920, 1080}, {800, 600}},    {{299, 249}, {1920, 1080}, {300, 250}},
        {{300, 250}, {1920, 1080}, {300, 250}},    {{1420, 680}, {1920, 1080}, {1420, 680}},
        {{1421, 681}, {1920, 1080}, {1420, 680}},  {{-50, 2000}, {1920, 1080}, {300, 680}},
        {{700, 700}, {1366, 768}, {700, 368}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Launch::CursorPoint(c.cursor, c.screen), c.root) << c.cursor.x << "," << c.cursor.y;
}

TEST(LaunchPlacement, LaunchTypesPickAFixedPlaceOrTheCursor)
{
    Launch::ScreenSize = wxSize(1366, 768);
    Launch::LaunchPoint = wxPoint(1, 2);
    const struct {
        int type;
        bool accepted;
        int mode;
        wxPoint point;
    } steps[] = {
        {1, true, 1, {300, 250}}, {2, true, 2, {533, 250}}, {3, true, 3, {866, 250}},
        {7, false, 3, {866, 250}}, {-1, false, 3, {866, 250}},
        {0, true, 0, {866, 250}}, // the cursor decides at the next show
    };
    for (const auto& s : steps) {
        SCOPED_TRACE(s.type);
        EXPECT_EQ(ApplyLaunchType(s.type), s.accepted);
        EXPECT_EQ(Launch::LaunchMode, s.mode);
        EXPECT_EQ(Launch::LaunchPoint, s.point);
    }
}

TEST(LaunchPlacement, SettingsGiveTheBackdropTheLowEightBitsOfTheDensity)
{
    const zyntest::ScopedAppDir dir;
    Launch::ScreenSize = wxSize(1920, 1080);
    ConfigImpl* core = GetConfig(cfg::Core);
    const struct {
        long density; // 0: not stored
        long type;
        uint8_t alpha;
        int mode;
    } cases[] = {{0, 0, 150, 0}, {300, 2, 44, 2}, {256, 9, 0, 2}, {255, 3, 255, 3}, {-1, 0, 255, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.density);
        core->Clear();
        if (c.density)
            core->WriteLong(cfg::Appearance, cfg::BackgroundDensity, c.density);
        core->WriteLong(cfg::Appearance, cfg::LaunchType, c.type);
        LoadLaunchSettings();
        EXPECT_EQ(Launch::BackdropAlpha, c.alpha);
        EXPECT_EQ(Launch::LaunchMode, c.mode);
    }
    EXPECT_EQ(Launch::LaunchPoint, wxPoint(1420, 250));
}

} // namespace
