#include "FileConfig.h"

#include <map>

#include <wx/filefn.h>
#include <wx/filename.h>
#include <wx/log.h>

#include "AtomicFile.h"
#include "SystemPaths.h"
#include "XmlFile.h"
#include "ZynLog.h"

namespace {

std::map<wxString, ConfigImpl*> ConfigRegistry;

// Children are matched by their attribute alone, whatever the element is called.
wxXmlNode* FindChild(const wxXmlNode* parent, const wxString& attribute, const wxString& value)
{
    if (!parent)
        return nullptr;
    for (wxXmlNode* child = parent->GetChildren(); child; child = child->GetNext()) {
        if (child->GetType() == wxXML_ELEMENT_NODE && child->GetAttribute(attribute) == value)
            return child;
    }
    return nullptr;
}

wxXmlNode* NewProperty(const wxString& key, const wxString& value)
{
    wxXmlNode* node = new wxXmlNode(wxXML_ELEMENT_NODE, "property");
    node->AddAttribute("key", key);
    node->AddAttribute("value", value);
    return node;
}

// A copy of the store's own part of the tree: the root, its catalogs and their
// keys, each with its attributes, and nothing below or beside them, so the file
// written never holds more than the store reads from it. Each copy goes after the
// last one (AddChild walks the whole list), so a file of many keys is copied in
// time in step with their number.
wxXmlNode* StoredTree(const wxXmlNode* root)
{
    auto copyElement = [](const wxXmlNode* from) {
        auto* to = new wxXmlNode(wxXML_ELEMENT_NODE, from->GetName());
        for (const wxXmlAttribute* a = from->GetAttributes(); a; a = a->GetNext())
            to->AddAttribute(a->GetName(), a->GetValue());
        return to;
    };
    wxXmlNode* top = copyElement(root);
    wxXmlNode* lastCatalog = nullptr;
    for (const wxXmlNode* catalog = root->GetChildren(); catalog; catalog = catalog->GetNext()) {
        if (catalog->GetType() != wxXML_ELEMENT_NODE)
            continue;
        wxXmlNode* copy = copyElement(catalog);
        top->InsertChildAfter(copy, lastCatalog);
        lastCatalog = copy;
        wxXmlNode* lastKey = nullptr;
        for (const wxXmlNode* key = catalog->GetChildren(); key; key = key->GetNext()) {
            if (key->GetType() != wxXML_ELEMENT_NODE)
                continue;
            wxXmlNode* keyCopy = copyElement(key);
            copy->InsertChildAfter(keyCopy, lastKey);
            lastKey = keyCopy;
        }
    }
    return top;
}

} // namespace

FileConfig::FileConfig(const wxString& configName)
    : name(configName), document(std::make_unique<wxXmlDocument>())
{
    name.Replace(" ", "");
    EnterAppDir();
    path = "Configs/" + name + ".xml";

    const wxString full = FullPath();
    if (wxFileName::Exists(full)) {
        wxString error;
        if (!XmlFile::Read(*document, full, error) || !document->GetRoot()) {
            // Reads as empty, but what the user had is kept, not overwritten at exit.
            // An error, not a verbose record: the verbose switch itself was in this file.
            const wxString backup = XmlFile::BackupName(full);
            if (!backup.empty() && wxRenameFile(full, backup, false))
                ZLOG_ERROR("\"%s\" is not a readable configuration (%s); kept as \"%s\".", path, error, backup);
            else
                ZLOG_ERROR("\"%s\" is not a readable configuration (%s) and cannot be kept as \"%s\".", path, error, backup);
        }
    }
    if (!document->GetRoot()) {
        document = std::make_unique<wxXmlDocument>();
        document->SetFileEncoding("UTF-8");
        document->SetRoot(new wxXmlNode(wxXML_ELEMENT_NODE, name));
    }
    root = document->GetRoot();
}

FileConfig::~FileConfig()
{
    Flush();
}

wxString FileConfig::FullPath() const
{
    return AppPath(path);
}

wxXmlNode* FileConfig::FindKey(const wxString& catalog, const wxString& key) const
{
    return FindChild(FindChild(root, "catalog", catalog), "key", key);
}

wxString FileConfig::ReadString(const wxString& catalog, const wxString& key, const wxString& def)
{
    const wxXmlNode* node = FindKey(catalog, key);
    return node ? node->GetAttribute("value", def) : def;
}

bool FileConfig::ReadNumber(const wxString& catalog, const wxString& key, long& number) const
{
    const wxXmlNode* node = FindKey(catalog, key);
    return node && node->GetAttribute("value").ToLong(&number, 10);
}

long FileConfig::ReadLong(const wxString& catalog, const wxString& key, const long& def)
{
    long number;
    return ReadNumber(catalog, key, number) ? number : def;
}

bool FileConfig::ReadBool(const wxString& catalog, const wxString& key, const bool& def)
{
    long number;
    return ReadNumber(catalog, key, number) ? number != 0 : def;
}

bool FileConfig::WriteBool(const wxString& catalog, const wxString& key, const bool& value)
{
    return Write(catalog, key, value ? "1" : "0");
}

bool FileConfig::WriteLong(const wxString& catalog, const wxString& key, const long& value)
{
    return Write(catalog, key, wxString::Format("%ld", value));
}

bool FileConfig::WriteString(const wxString& catalog, const wxString& key, const wxString& value)
{
    return Write(catalog, key, value);
}

bool FileConfig::Write(const wxString& catalog, const wxString& key, const wxString& value)
{
    wxXmlNode* catalogNode = FindChild(root, "catalog", catalog);
    if (!catalogNode) {
        catalogNode = new wxXmlNode(wxXML_ELEMENT_NODE, "config");
        catalogNode->AddAttribute("catalog", catalog);
        root->AddChild(catalogNode);
    }
    wxXmlNode* keyNode = FindChild(catalogNode, "key", key);
    if (!keyNode) {
        catalogNode->AddChild(NewProperty(key, value));
        return true;
    }
    // The element keeps exactly these two attributes: anything else it carried goes.
    while (const wxXmlAttribute* attribute = keyNode->GetAttributes())
        keyNode->DeleteAttribute(attribute->GetName());
    keyNode->AddAttribute("key", key);
    keyNode->AddAttribute("value", value);
    return true;
}

void FileConfig::Clear()
{
    document->SetRoot(new wxXmlNode(wxXML_ELEMENT_NODE, name));
    root = document->GetRoot();
}

bool FileConfig::Flush()
{
    const wxString full = FullPath();
    wxString error;
    {
        wxLogNull quiet;
        if (!wxFileName::Mkdir(AppPath("Configs"), wxS_DIR_DEFAULT, wxPATH_MKDIR_FULL))
            error = "the folder \"Configs\" cannot be created";
    }
    if (error.empty()) {
        wxXmlDocument stored;
        stored.SetFileEncoding("UTF-8");
        stored.SetRoot(StoredTree(root));
        std::string bytes;
        if (XmlFile::Write(stored, bytes)) {
            // A file the next start would refuse is not written: the old one stays.
            if (bytes.size() > static_cast<size_t>(XmlFile::MaxBytes))
                error = wxString::Format("it would be larger than %ld bytes", XmlFile::MaxBytes);
            else if (WriteFileAtomically(full, bytes, error))
                return true;
        } else {
            error = "the document cannot be written out";
        }
    }
    ZLOG_ERROR("Can not save \"%s\": %s.", path, error);
    return false;
}

ConfigImpl* GetConfig(const wxString& name)
{
    ConfigImpl*& config = ConfigRegistry[name];
    if (!config)
        config = new FileConfig(name);
    return config;
}

void DestroyAllConfigs()
{
    for (auto& entry : ConfigRegistry)
        delete entry.second;
    ConfigRegistry.clear();
}
