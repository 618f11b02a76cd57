// Reading the program's XML files (the menu file, the configurations) into the
// toolkit's tree, within bounds: the toolkit's own reader joins long texts by
// copying them again and again, rescans a long attribute at every 16 KiB, and
// frees a deep tree with one call per level, so a hostile file could stall or
// crash every start.
#pragma once

#include <string>

#include <wx/string.h>

class wxXmlDocument;

namespace XmlFile {

// How deep elements may nest: far deeper than any file of the program.
inline constexpr int MaxDepth = 1000;

// How large a file may be; what the program writes stays below it.
inline constexpr long MaxBytes = 16L << 20;

// Reads the file at path into doc, keeping every text node as it stands (blank
// ones too) and joining adjacent pieces of one text. False, with the reason in
// error, when it cannot be read, is larger than MaxBytes, is not well-formed or
// nests deeper than MaxDepth; the document is then left empty.
bool Read(wxXmlDocument& doc, const wxString& path, wxString& error);

// The same for bytes already in memory (the fuzz targets use it).
bool Parse(wxXmlDocument& doc, const char* data, size_t size, wxString& error);

// Writes doc out as the program stores it (indented by two) into bytes; false
// when the toolkit cannot. The bytes grow geometrically: the toolkit's memory
// stream grows by each piece and so copies a large file again and again.
bool Write(const wxXmlDocument& doc, std::string& bytes);

// Where a file that cannot be read is kept: the first of "<path>.bak",
// "<path>.bak.1", "<path>.bak.2", ... that is no file yet; empty when a hundred are.
wxString BackupName(const wxString& path);

} // namespace XmlFile
