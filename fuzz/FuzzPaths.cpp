// The application directory for the configuration fuzz target: the directory it runs in.
#include "SystemPaths.h"

wxString AppPath(const wxString& relative) { return relative; }
void EnterAppDir() {}
