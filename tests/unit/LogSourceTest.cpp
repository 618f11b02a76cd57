#include <gtest/gtest.h>

#include <cstring>

#include "ZynLog.h"

TEST(LogSource, NamesTheModuleFromTheProjectRoot)
{
    const struct {
        const char* file;
        const char* source;
    } cases[] = {
        {"src/ZynUtils.cpp", "src/ZynUtils"},
        {"src/widgets/HPBar.cpp", "src/widgets"},
        {"include/BitmapManager.h", "include/BitmapManager"},
        {"updater/Updater.cpp", "updater/Updater"},
    };
    for (const auto& c : cases)
        EXPECT_STREQ(zyn::LogSource(c.file), c.source);
    EXPECT_EQ(zyn::LogSource("src/Same.cpp"), zyn::LogSource("src/Same.cpp"));
}

// Whatever folder the checkout lives in (one named "src" included), the build hands
// the path from the project root.
TEST(LogSource, TheBuildGivesThePathFromTheProjectRoot)
{
    EXPECT_STREQ(__FILE__, "tests/unit/LogSourceTest.cpp");
    EXPECT_STREQ(zyn::LogSource(__FILE__), "tests/unit/LogSourceTest");
}
