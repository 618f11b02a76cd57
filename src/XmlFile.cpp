#include "XmlFile.h"

#include <algorithm>

#include <expat.h>

#include <cstdio>
#include <string>

#include <wx/filefn.h>
#include <wx/stream.h>
#include <wx/xml/xml.h>

#include "RegularFile.h"

namespace XmlFile {
namespace {

// Builds the tree as the toolkit's reader would, but gathers each text in one
// buffer and turns it into a node once it ends, and stops at MaxDepth.
struct Builder {
    XML_Parser parser = nullptr;
    wxXmlNode* node = nullptr;      // the element being read
    wxXmlNode* lastChild = nullptr; // its last child so far
    wxXmlNode* open = nullptr;      // the text or CDATA node that text goes to, if any
    std::string text;               // what that node is still owed
    int depth = 0;
    bool tooDeep = false;

    void Append(wxXmlNode* child)
    {
        node->InsertChildAfter(child, lastChild);
        lastChild = child;
    }
    // Gives the open node its text and closes it.
    void Close()
    {
        if (open)
            open->SetContent(wxString::FromUTF8(text.data(), text.size()));
        open = nullptr;
        text.clear();
    }
};

Builder& Of(void* data) { return *static_cast<Builder*>(data); }

void OnStart(void* data, const XML_Char* name, const XML_Char** attributes)
{
    Builder& b = Of(data);
    b.Close();
    if (++b.depth > MaxDepth) {
        b.tooDeep = true;
        XML_StopParser(b.parser, XML_FALSE);
        return;
    }
    auto* element = new wxXmlNode(wxXML_ELEMENT_NODE, wxString::FromUTF8(name));
    wxXmlAttribute* last = nullptr;
    for (const XML_Char** a = attributes; *a; a += 2) {
        auto* attribute = new wxXmlAttribute(wxString::FromUTF8(a[0]), wxString::FromUTF8(a[1]));
        if (last)
            last->SetNext(attribute);
        else
            element->SetAttributes(attribute);
        last = attribute;
    }
    b.Append(element);
    b.node = element;
    b.lastChild = nullptr;
}

void OnEnd(void* data, const XML_Char*)
{
    Builder& b = Of(data);
    b.Close();
    --b.depth;
    b.lastChild = b.node;
    b.node = b.node->GetParent();
}

void OnText(void* data, const XML_Char* s, int len)
{
    Builder& b = Of(data);
    if (!b.open) {
        b.open = new wxXmlNode(wxXML_TEXT_NODE, "text");
        b.Append(b.open);
    }
    b.text.append(s, static_cast<size_t>(len));
}

void OnCDataStart(void* data)
{
    Builder& b = Of(data);
    b.Close();
    b.open = new wxXmlNode(wxXML_CDATA_SECTION_NODE, "cdata");
    b.Append(b.open);
}

void OnCDataEnd(void* data) { Of(data).Close(); }

void OnComment(void* data, const XML_Char* s)
{
    Builder& b = Of(data);
    b.Close();
    b.Append(new wxXmlNode(wxXML_COMMENT_NODE, "comment", wxString::FromUTF8(s)));
}

void OnInstruction(void* data, const XML_Char* target, const XML_Char* s)
{
    Builder& b = Of(data);
    b.Close();
    b.Append(new wxXmlNode(wxXML_PI_NODE, wxString::FromUTF8(target), wxString::FromUTF8(s)));
}

// Having a default handler keeps references to entities a document declares
// for itself unexpanded, as the toolkit's reader leaves them: no entity can
// swell a small file into a huge text.
void OnOther(void*, const XML_Char*, int) {}

} // namespace

bool Parse(wxXmlDocument& doc, const char* data, size_t size, wxString& error)
{
    doc.SetDocumentNode(nullptr);
    if (size > static_cast<size_t>(MaxBytes)) {
        error = wxString::Format("the file is larger than %ld bytes", MaxBytes);
        return false;
    }
    auto* top = new wxXmlNode(wxXML_DOCUMENT_NODE, wxString());
    Builder b;
    b.parser = XML_ParserCreate(nullptr);
    b.node = top;
    XML_SetUserData(b.parser, &b);
    XML_SetElementHandler(b.parser, OnStart, OnEnd);
    XML_SetCharacterDataHandler(b.parser, OnText);
    XML_SetCdataSectionHandler(b.parser, OnCDataStart, OnCDataEnd);
    XML_SetCommentHandler(b.parser, OnComment);
    XML_SetProcessingInstructionHandler(b.parser, OnInstruction);
    XML_SetDefaultHandler(b.parser, OnOther);
    // All at once: given in pieces, the parser reads a long token again with each.
    const bool ok = XML_Parse(b.parser, data, static_cast<int>(size), XML_TRUE) == XML_STATUS_OK;
    if (b.tooDeep)
        error = wxString::Format("elements nested deeper than %d levels", MaxDepth);
    else if (!ok)
        error = wxString::Format("%s at line %lu", XML_ErrorString(XML_GetErrorCode(b.parser)),
                                 static_cast<unsigned long>(XML_GetCurrentLineNumber(b.parser)));
    b.Close();
    XML_ParserFree(b.parser);
    // The tree is at most MaxDepth deep: freeing it one call per level is safe.
    if (!ok) {
        delete top;
        return false;
    }
    doc.SetDocumentNode(top);
    doc.SetFileEncoding("UTF-8");
    return true;
}

bool Read(wxXmlDocument& doc, const wxString& path, wxString& error)
{
    doc.SetDocumentNode(nullptr);
    // Only a regular file is opened: a FIFO would hold the start.
    wxFile regular;
    FILE* file = RegularFile::Open(path, regular) ? fdopen(regular.Detach(), "rb") : nullptr;
    if (!file) {
        error = "the file cannot be opened";
        return false;
    }
    // One byte more than allowed tells a file above the bound, whatever stat says.
    // Read in pieces, so that a small file costs its own size and not the bound's.
    const size_t limit = static_cast<size_t>(MaxBytes) + 1;
    std::string bytes;
    char piece[16384];
    while (bytes.size() < limit) {
        const size_t want = std::min(sizeof piece, limit - bytes.size());
        const size_t got = std::fread(piece, 1, want, file);
        bytes.append(piece, got);
        if (got < want)
            break;
    }
    const bool failed = std::ferror(file);
    std::fclose(file);
    if (failed) {
        error = "the file cannot be read";
        return false;
    }
    return Parse(doc, bytes.data(), bytes.size(), error);
}

namespace {

class StringOutput : public wxOutputStream {
public:
    explicit StringOutput(std::string& bytes) : bytes(bytes) {}

private:
    size_t OnSysWrite(const void* buffer, size_t size) override
    {
        bytes.append(static_cast<const char*>(buffer), size);
        return size;
    }
    std::string& bytes;
};

} // namespace

bool Write(const wxXmlDocument& doc, std::string& bytes)
{
    bytes.clear();
    StringOutput out(bytes);
    return doc.Save(out, 2);
}

wxString BackupName(const wxString& path)
{
    for (int n = 0; n < 100; ++n) {
        const wxString backup = path + ".bak" + (n ? wxString::Format(".%d", n) : wxString());
        if (!wxFileExists(backup))
            return backup;
    }
    return wxString();
}

} // namespace XmlFile
