#include "MenuXml.h"

#include <wx/xml/xml.h>

#include "ZynLog.h"

namespace MenuXml {

wxXmlNode* Expect(wxXmlNode* node, const char* name)
{
    return node && node->GetType() == wxXML_ELEMENT_NODE && node->GetName() == name ? node : nullptr;
}

wxString Content(const wxXmlNode* element)
{
    wxString text;
    if (!element)
        return text;
    for (const wxXmlNode* child = element->GetChildren(); child; child = child->GetNext())
        if (child->GetType() == wxXML_TEXT_NODE || child->GetType() == wxXML_CDATA_SECTION_NODE)
            text += child->GetContent();
    return text;
}

long Number(const wxString& text)
{
    long value = 0;
    return text.ToLong(&value, 10) ? value : 0;
}

namespace {

bool XmlChar(wxUniChar c)
{
    const unsigned long v = c.GetValue();
    return v == 0x9 || v == 0xA || v == 0xD || (v >= 0x20 && v <= 0xD7FF) || (v >= 0xE000 && v <= 0xFFFD) ||
           (v >= 0x10000 && v <= 0x10FFFF);
}

} // namespace

wxString Sanitize(const wxString& text)
{
    wxString out;
    out.reserve(text.length());
    for (wxUniChar c : text)
        if (XmlChar(c))
            out += c;
    if (out.length() != text.length())
        ZLOG_INFO("Dropped %zu characters that XML cannot hold from '%s'.", text.length() - out.length(), out);
    return out;
}

wxXmlNode* AddElement(wxXmlNode* parent, const wxString& name)
{
    wxXmlNode* element = new wxXmlNode(wxXML_ELEMENT_NODE, name);
    parent->AddChild(element);
    return element;
}

wxXmlNode* AddText(wxXmlNode* parent, const wxString& name, const wxString& text)
{
    wxXmlNode* element = AddElement(parent, name);
    const wxString safe = Sanitize(text);
    if (!safe.empty())
        element->AddChild(new wxXmlNode(wxXML_TEXT_NODE, wxString(), safe));
    return element;
}

wxXmlNode* AddCData(wxXmlNode* parent, const wxString& name, const wxString& text)
{
    wxXmlNode* element = AddElement(parent, name);
    wxString rest = Sanitize(text);
    // Each "]]>" ends one section after "]]" and starts the next with ">".
    for (size_t cut = rest.find("]]>"); cut != wxString::npos; cut = rest.find("]]>")) {
        element->AddChild(new wxXmlNode(wxXML_CDATA_SECTION_NODE, wxString(), rest.substr(0, cut + 2)));
        rest = rest.substr(cut + 2);
    }
    element->AddChild(new wxXmlNode(wxXML_CDATA_SECTION_NODE, wxString(), rest));
    return element;
}

} // namespace MenuXml
