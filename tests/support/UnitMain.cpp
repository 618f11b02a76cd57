// Main of the unit and e2e tests: the toolkit's base library only, no display.
#include <gtest/gtest.h>

#include <cstdio>

#include <wx/init.h>

#include "TestSupport.h"

// Last: its macros clash with the names above.
#include <X11/Xlib.h>

namespace {

// Xlib's own handler ends the process on any error, so a window that goes away between
// a lookup and a query (a tray icon embedded again) would take the whole test binary,
// and the programs it started, with it. The failed request returns an error instead.
int ReportXError(Display* display, XErrorEvent* e)
{
    char text[128];
    XGetErrorText(display, e->error_code, text, sizeof text);
    std::fprintf(stderr, "X error ignored: %s (request %d)\n", text, e->request_code);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    XSetErrorHandler(ReportXError);
    zyntest::GuardAppDirOfBuild();
    wxInitializer init;
    if (!init.IsOk())
        return 1;
    zyntest::InstallAssertFailure();
    const int rc = RUN_ALL_TESTS();
    // The settings live until the program ends, which destroys (and so writes)
    // them as here; tests that read the build's theme leave settings open on the
    // build's folder, so they are written into a scratch one instead.
    {
        zyntest::ScopedAppDir scratch;
    }
    zyntest::ReleaseFontconfig();
    return rc;
}
