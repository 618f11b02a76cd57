// The directories fixed at start: AppDir (the working directory at start, against
// which every data path is resolved) and StartupDir (the session's autostart folder).
#pragma once

#include <wx/string.h>

// Set once before the application object is created; tests may point them elsewhere.
// Empty when the system cannot tell.
extern wxString AppDir;
extern wxString StartupDir;

// The data file at relative (such as "Configs/Core.xml") under AppDir.
wxString AppPath(const wxString& relative);

// Makes AppDir the process working directory again (several loaders do so first).
void EnterAppDir();

// The start-up entry "Zyn Utils.desktop" in StartupDir.
wxString StartupShortcutPath();
// True when the entry existed and was deleted.
bool RemoveStartupShortcut();
// Writes the entry that starts the program in AppDir with AppDir as its working
// directory, creating StartupDir when missing; false (logged) when it cannot be written.
bool CreateStartupShortcut();
