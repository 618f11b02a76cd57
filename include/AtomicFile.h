// Whole-file writes that never leave a half-written file behind.
#pragma once

#include <string>

#include <wx/string.h>

// Writes bytes to "<path>.tmp" beside path, flushes it to the disk and renames it
// over path, so a crash or a full disk during the write leaves the old file
// whole. False, with the reason in error, when any step failed; the temporary
// file is then removed. A symbolic link at path stays: the file it names is replaced.
bool WriteFileAtomically(const wxString& path, const std::string& bytes, wxString& error);

// Removes the "<path>.tmp" that a write to path cut short by a kill left behind
// (anything but a folder), logging it; true when one was removed.
bool RemoveLeftoverTemporary(const wxString& path);
