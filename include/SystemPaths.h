// The directories fixed at start: AppDir (the working directory at start, against
// which every data path is resolved) and StartupDir (the session's autostart folder).
#pragma once

#include <wx/string.h>

// Set once before the application object is created; tests may point them elsewhere.
extern wxString AppDir;
extern wxString StartupDir;

// Makes AppDir the process working directory again (several loaders do so first).
void EnterAppDir();

// The start-up entry "Zyn Utils.desktop" in StartupDir.
wxString StartupShortcutPath();
// True when the entry existed and was deleted.
bool RemoveStartupShortcut();
// Writes the entry pointing at the program in AppDir; false when it cannot be written.
bool CreateStartupShortcut();
