// The configuration stored as "Configs/<name>.xml" under AppDir: one <config>
// element per catalog, one <property key value> element per key.
#pragma once

#include <memory>

#include <wx/string.h>
#include <wx/xml/xml.h>

#include "ConfigImpl.h"

class FileConfig : public ConfigImpl {
public:
    // Loads "Configs/<name without spaces>.xml"; a missing or malformed file gives
    // an empty configuration (a malformed one is first kept beside it as a backup).
    explicit FileConfig(const wxString& name);
    // Writes the file, changed or not.
    ~FileConfig() override;

    bool ReadBool(const wxString& catalog, const wxString& key, const bool& def) override;
    long ReadLong(const wxString& catalog, const wxString& key, const long& def) override;
    wxString ReadString(const wxString& catalog, const wxString& key, const wxString& def) override;
    bool WriteBool(const wxString& catalog, const wxString& key, const bool& value) override;
    bool WriteLong(const wxString& catalog, const wxString& key, const long& value) override;
    bool WriteString(const wxString& catalog, const wxString& key, const wxString& value) override;
    void Clear() override;
    bool Flush() override;

private:
    wxXmlNode* FindKey(const wxString& catalog, const wxString& key) const;
    bool Write(const wxString& catalog, const wxString& key, const wxString& value);
    bool ReadNumber(const wxString& catalog, const wxString& key, long& number) const;
    wxString FullPath() const;

    wxString name;
    wxString path;
    std::unique_ptr<wxXmlDocument> document;
    wxXmlNode* root = nullptr;
};
