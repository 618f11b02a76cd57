// Fuzz target: the menu file's reader, then the comparison and text joining the
// launcher runs on what it read.
#include <cstddef>
#include <cstdint>

#include <wx/init.h>
#include <wx/log.h>
#include <wx/xml/xml.h>

#include "MenuXml.h"
#include "XmlFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static wxInitializer toolkit;
    wxLogNull quiet;
    wxXmlDocument doc;
    wxString error;
    if (!XmlFile::Parse(doc, reinterpret_cast<const char*>(data), size, error))
        return 0;
    const wxXmlNode* root = doc.GetRoot();
    MenuXml::SameData(root, root);
    for (const wxXmlNode* node = root ? root->GetChildren() : nullptr; node; node = node->GetNext())
        MenuXml::Number(MenuXml::Content(node));
    return 0;
}
