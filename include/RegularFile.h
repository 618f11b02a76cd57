// Opening the program's data files (theme images, sounds, fonts, the menu file,
// configurations, translations) only when they are regular files. A FIFO in
// their place would hold open() until some other program writes to it, and a
// device may never end: either would stop the start for good.
#pragma once

#include <wx/file.h>
#include <wx/string.h>

namespace RegularFile {

// Opens path for reading when it is a regular file (a symbolic link to one
// counts). Anything else is not opened; when something is there, it is logged
// as skipped. The open itself never waits.
bool Open(const wxString& path, wxFile& file);

// Whether path is a regular file that can be read, for readers that open the
// file by its name themselves; what is skipped is logged as by Open.
bool IsReadable(const wxString& path);

// Whether a file may be created or replaced at path: nothing is there yet or
// a regular file is (logged as by Open otherwise).
bool IsReplaceable(const wxString& path);

} // namespace RegularFile
