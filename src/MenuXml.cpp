#include "MenuXml.h"

#include <map>
#include <vector>

#include <wx/filename.h>
#include <wx/xml/xml.h>

#include "XmlFile.h"
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

namespace {

bool IsText(const wxXmlNode* node)
{
    return node->GetType() == wxXML_TEXT_NODE || node->GetType() == wxXML_CDATA_SECTION_NODE;
}

// The next child from node on that is not text; nullptr at the end.
const wxXmlNode* SkipText(const wxXmlNode* node)
{
    while (node && IsText(node))
        node = node->GetNext();
    return node;
}

std::map<wxString, wxString> DataAttributes(const wxXmlNode* element)
{
    std::map<wxString, wxString> attributes;
    for (const wxXmlAttribute* a = element->GetAttributes(); a; a = a->GetNext())
        if (a->GetName() != "id")
            attributes[a->GetName()] = a->GetValue();
    return attributes;
}

} // namespace

bool SameData(const wxXmlNode* a, const wxXmlNode* b)
{
    if (!a || !b)
        return a == b;
    if (a->GetType() != wxXML_ELEMENT_NODE || b->GetType() != wxXML_ELEMENT_NODE || a->GetName() != b->GetName() ||
        Content(a) != Content(b) || DataAttributes(a) != DataAttributes(b))
        return false;
    const wxXmlNode* x = SkipText(a->GetChildren());
    const wxXmlNode* y = SkipText(b->GetChildren());
    for (; x && y; x = SkipText(x->GetNext()), y = SkipText(y->GetNext()))
        if (!SameData(x, y))
            return false;
    return !x && !y;
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
    const wxString safe = Sanitize(text);
    // A reader turns a carriage return inside CDATA into a line feed; as text it stays.
    if (safe.find('\r') != wxString::npos) {
        element->AddChild(new wxXmlNode(wxXML_TEXT_NODE, wxString(), safe));
        return element;
    }
    // Each "]]>" ends one section after "]]" and starts the next with ">". The search goes
    // on from the cut and each section goes after the last one (AddChild walks the whole
    // list), so a text of many of them is written in time in step with its length.
    wxXmlNode* last = nullptr;
    auto addSection = [&](const wxString& part) {
        auto* section = new wxXmlNode(wxXML_CDATA_SECTION_NODE, wxString(), part);
        element->InsertChildAfter(section, last);
        last = section;
    };
    size_t start = 0;
    for (size_t cut = safe.find("]]>"); cut != wxString::npos; cut = safe.find("]]>", start)) {
        addSection(safe.substr(start, cut + 2 - start));
        start = cut + 2;
    }
    addSection(safe.substr(start));
    return element;
}

namespace {

bool IsBlank(const wxXmlNode* node)
{
    if (node->GetType() != wxXML_TEXT_NODE)
        return false;
    for (wxUniChar c : node->GetContent())
        if (c != ' ' && c != '\t' && c != '\n' && c != '\r')
            return false;
    return true;
}

// Drops the blank text around elements and CDATA sections (the file's
// indentation); a value that is text alone keeps all of its blanks.
void DropIndentation(wxXmlNode* root)
{
    std::vector<wxXmlNode*> pending{root};
    while (!pending.empty()) {
        wxXmlNode* element = pending.back();
        pending.pop_back();
        bool mixed = false;
        for (wxXmlNode* child = element->GetChildren(); child; child = child->GetNext())
            mixed = mixed || child->GetType() == wxXML_ELEMENT_NODE || child->GetType() == wxXML_CDATA_SECTION_NODE;
        // Unlinked here, as RemoveChild would look for each from the first child again.
        wxXmlNode* previous = nullptr;
        for (wxXmlNode* child = element->GetChildren(); child;) {
            wxXmlNode* next = child->GetNext();
            if (mixed && IsBlank(child)) {
                if (previous)
                    previous->SetNext(next);
                else
                    element->SetChildren(next);
                child->SetNext(nullptr);
                child->SetParent(nullptr);
                delete child;
            } else {
                if (child->GetType() == wxXML_ELEMENT_NODE)
                    pending.push_back(child);
                previous = child;
            }
            child = next;
        }
    }
}

} // namespace

bool Load(wxXmlDocument& doc, const wxString& path)
{
    wxString error;
    if (!XmlFile::Read(doc, path, error)) {
        ZLOG_ERROR("Error parsing xml, %s.", error);
        return false;
    }
    if (doc.GetRoot())
        DropIndentation(doc.GetRoot());
    return true;
}

} // namespace MenuXml
