// Main of the gui tests: the program's own application object (OnInit is not
// run), the toolkit started on the test session's display, and an active event
// loop for PumpUntil. Listing the tests needs no display.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>

#include <wx/app.h>
#include <wx/evtloop.h>
#include <wx/image.h>
#include <wx/init.h>
#include <wx/log.h>

#include "TestSupport.h"
#include "ZynUtils.h"

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    zyntest::GuardAppDirOfBuild();
    if (testing::GTEST_FLAG(list_tests))
        return RUN_ALL_TESTS();
    setenv("GDK_BACKEND", "x11", 1);
    // Two quick clicks of a test reach the toolkit further apart on a loaded
    // machine than the desktop's double-click time (400 ms): the toolkit reads a
    // longer one from a settings file of the tests' own.
    zyntest::TempDir settings;
    std::filesystem::create_directories(settings / "gtk-3.0");
    std::ofstream(settings / "gtk-3.0/settings.ini") << "[Settings]\ngtk-double-click-time=2000\n";
    const char* dirs = std::getenv("XDG_CONFIG_DIRS");
    setenv("XDG_CONFIG_DIRS", (settings.Path() + ":" + (dirs && *dirs ? dirs : "/etc/xdg")).c_str(), 1);
    setenv("NO_AT_BRIDGE", "1", 0);
    wxApp::SetInstance(new ZynUtils);
    if (!wxEntryStart(argc, argv)) {
        fprintf(stderr, "gui_tests: cannot start the toolkit (is DISPLAY set?)\n");
        return 1;
    }
    wxInitAllImageHandlers();
    zyntest::InstallAssertFailure();
    // The toolkit's GUI log target would stop a test in a modal box; records go to stderr.
    delete wxLog::SetActiveTarget(new wxLogStderr);
    wxGUIEventLoop loop;
    wxEventLoopBase::SetActive(&loop);
    const int rc = RUN_ALL_TESTS();
    // The settings live until the program ends, which destroys (and so writes)
    // them as here; tests that read the build's theme leave settings open on the
    // build's folder, so they are written into a scratch one instead.
    {
        zyntest::ScopedAppDir scratch;
    }
    wxEventLoopBase::SetActive(nullptr);
    wxEntryCleanup();
    return rc;
}
