#include "SystemPaths.h"

#include <unistd.h>

#include <cstdlib>

#include <wx/filefn.h>
#include <wx/filename.h>
#include <wx/log.h>

#include "AtomicFile.h"
#include "ZynLog.h"
#include "zplat/Desktop.h"

namespace {

// The file system speaks UTF-8 here; the toolkit's locale is not set up yet at
// static initialisation, so the conversion is named rather than taken from it.
wxString GetCurrentDir()
{
    char* cwd = getcwd(nullptr, 0);
    const wxString dir = cwd ? wxString::FromUTF8(cwd) : wxString();
    free(cwd);
    return dir;
}

wxString GetStartupDir() { return wxString::FromUTF8(zplat::AutostartDir()); }

} // namespace

wxString AppDir = GetCurrentDir();
wxString StartupDir = GetStartupDir();

wxString AppPath(const wxString& relative)
{
    return AppDir.empty() ? relative : AppDir + "/" + relative;
}

void EnterAppDir()
{
    wxLogNull quiet; // an empty or vanished AppDir leaves the directory as it is
    wxSetWorkingDirectory(AppDir);
}

wxString StartupShortcutPath() { return StartupDir + "/Zyn Utils.desktop"; }

bool RemoveStartupShortcut()
{
    const wxString path = StartupShortcutPath();
    return !StartupDir.empty() && wxFileExists(path) && wxRemoveFile(path);
}

bool CreateStartupShortcut()
{
    RemoveStartupShortcut();
    wxString error;
    if (AppDir.empty()) {
        error = "the program's folder is unknown";
    } else if (StartupDir.empty()) {
        error = "the autostart folder is unknown";
    } else {
        wxLogNull quiet;
        if (!wxFileName::Mkdir(StartupDir, 0700, wxPATH_MKDIR_FULL))
            error = "the autostart folder cannot be created";
    }
    if (error.empty()) {
        const std::string text = zplat::DesktopEntryText("Zyn Utils", AppPath("zyn-utils").utf8_string(), AppDir.utf8_string());
        if (WriteFileAtomically(StartupShortcutPath(), text, error))
            return true;
    }
    ZLOG_ERROR("Can not write the start-up entry \"%s\": %s.", StartupShortcutPath(), error);
    return false;
}
