// The program's entry: the toolkit runs the one ZynUtils. A start with the crash
// report flag in its environment only shows the crash report box.
#include <cstdlib>
#include <cstring>

#include <wx/app.h>
#include <wx/init.h>
#include <wx/intl.h>

#include "ZynUtils.h"
#include "zplat/Process.h"

namespace {

class CrashReportApp : public wxApp {
public:
    bool OnInit() override
    {
        InitTranslations(locale);
        ReportFatalError();
        return false;
    }

private:
    wxLocale locale;
};

bool IsCrashReport()
{
    const char* eq = std::strchr(CrashReportFlag, '=');
    const std::string name(CrashReportFlag, eq);
    const char* value = std::getenv(name.c_str());
    return value && std::strcmp(value, eq + 1) == 0;
}

wxAppConsole* CreateZynUtils() { return new ZynUtils; }
wxAppConsole* CreateCrashReport() { return new CrashReportApp; }

} // namespace

int main(int argc, char** argv)
{
    // Programs the launcher starts get the user's environment, not what is set here for the toolkit.
    zplat::KeepUserEnvironment();
    // Everything the program does on screen is X11; under Wayland it runs through XWayland.
    setenv("GDK_BACKEND", "x11", 1);
    setenv("NO_AT_BRIDGE", "1", 0);
    // The program draws no GL: GDK's GL probe would load a software renderer
    // (tens of megabytes and a tenth of a second) at the first window.
    setenv("GDK_GL", "disable", 1);
    wxApp::SetInitializerFunction(IsCrashReport() ? CreateCrashReport : CreateZynUtils);
    return wxEntry(argc, argv);
}
