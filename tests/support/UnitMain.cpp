// Main of the unit and e2e tests: the toolkit's base library only, no display.
#include <gtest/gtest.h>

#include <wx/init.h>

#include "TestSupport.h"

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    zyntest::GuardAppDirOfBuild();
    wxInitializer init;
    if (!init.IsOk())
        return 1;
    zyntest::InstallAssertFailure();
    return RUN_ALL_TESTS();
}
