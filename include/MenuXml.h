// Small helpers for the elements of the menu file "launcher.xml": reading the
// text of an element, reading numbers, and writing text and CDATA children
// that always read back unchanged.
#pragma once

#include <wx/string.h>

class wxXmlNode;

namespace MenuXml {

// The element when it is an element named name, else nullptr.
wxXmlNode* Expect(wxXmlNode* node, const char* name);

// All text and CDATA children of the element, joined; "" for nullptr.
wxString Content(const wxXmlNode* element);

// The text as a base-10 number; 0 when it is not entirely one.
long Number(const wxString& text);

// text without the characters XML 1.0 cannot hold (most control characters).
wxString Sanitize(const wxString& text);

// Appends an empty child element named name and returns it.
wxXmlNode* AddElement(wxXmlNode* parent, const wxString& name);
// Appends an element holding text.
wxXmlNode* AddText(wxXmlNode* parent, const wxString& name, const wxString& text);
// Appends an element holding text as CDATA; "]]>" inside it is split across
// two sections, which Content joins again.
wxXmlNode* AddCData(wxXmlNode* parent, const wxString& name, const wxString& text);

} // namespace MenuXml
