// Small helpers for the elements of the menu file "launcher.xml": reading the
// text of an element, reading numbers, and writing text and CDATA children
// that always read back unchanged.
#pragma once

#include <wx/string.h>

class wxXmlDocument;
class wxXmlNode;

namespace MenuXml {

// Reads the file at path (UTF-8) with the blank text between elements dropped,
// but every character of the values kept; false (logged) when it is missing or
// XmlFile::Read refuses it, the document then empty.
bool Load(wxXmlDocument& doc, const wxString& path);

// The element when it is an element named name, else nullptr.
wxXmlNode* Expect(wxXmlNode* node, const char* name);

// All text and CDATA children of the element, joined; "" for nullptr.
wxString Content(const wxXmlNode* element);

// The text as a base-10 number; 0 when it is not entirely one.
long Number(const wxString& text);

// text without the characters XML 1.0 cannot hold (most control characters).
wxString Sanitize(const wxString& text);

// Whether two elements hold the same menu data: the same names, attributes
// (but the ids, which are written and never read), text (whether text or
// CDATA) and child elements, recursively. Anything else, such as a comment,
// makes them differ: a save would not write it back.
bool SameData(const wxXmlNode* a, const wxXmlNode* b);

// Appends an empty child element named name and returns it.
wxXmlNode* AddElement(wxXmlNode* parent, const wxString& name);
// Appends an element holding text.
wxXmlNode* AddText(wxXmlNode* parent, const wxString& name, const wxString& text);
// Appends an element holding text as CDATA; "]]>" inside it is split across
// two sections, which Content joins again. Text with a carriage return, which
// CDATA cannot keep, is written as (escaped) text instead.
wxXmlNode* AddCData(wxXmlNode* parent, const wxString& name, const wxString& text);

} // namespace MenuXml
