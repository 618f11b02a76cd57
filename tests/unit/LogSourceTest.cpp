#include <gtest/gtest.h>

#include <cstring>

#include "ZynLog.h"

TEST(LogSource, NamesTheModuleUnderSrc)
{
    EXPECT_STREQ(zyn::LogSource("/a/b/src/ZynUtils.cpp"), "src/ZynUtils");
    EXPECT_STREQ(zyn::LogSource("/x/src/widgets/HPBar.cpp"), "src/widgets");
    EXPECT_STREQ(zyn::LogSource("/x/updater/Updater.cpp"), "updater/Updater");
    EXPECT_EQ(zyn::LogSource("/a/src/Same.cpp"), zyn::LogSource("/b/src/Same.cpp"));
}
