// Placeholder until the system paths land.
#include "SystemPaths.h"

#include <wx/filefn.h>

wxString AppDir = wxGetCwd();
wxString StartupDir;

void EnterAppDir() { wxSetWorkingDirectory(AppDir); }
wxString StartupShortcutPath() { return StartupDir + "/Zyn Utils.desktop"; }
bool RemoveStartupShortcut() { return false; }
bool CreateStartupShortcut() { return false; }
