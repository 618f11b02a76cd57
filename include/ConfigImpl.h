// Named configurations: settings read at the point of use by catalog and key,
// with the caller's default, and written to "Configs/<name>.xml" at exit.
#pragma once

#include <wx/string.h>

class ConfigImpl {
public:
    virtual bool ReadBool(const wxString& catalog, const wxString& key, const bool& def) = 0;
    virtual long ReadLong(const wxString& catalog, const wxString& key, const long& def) = 0;
    virtual wxString ReadString(const wxString& catalog, const wxString& key, const wxString& def) = 0;
    virtual bool WriteBool(const wxString& catalog, const wxString& key, const bool& value) = 0;
    virtual bool WriteLong(const wxString& catalog, const wxString& key, const long& value) = 0;
    virtual bool WriteString(const wxString& catalog, const wxString& key, const wxString& value) = 0;
    virtual void Clear() = 0;
    virtual bool Flush() = 0;
    virtual ~ConfigImpl() = default;
};

// The configuration registered under name (exactly as given); opened on first use.
// Never null; callers never delete it.
ConfigImpl* GetConfig(const wxString& name);

// Deletes every open configuration (each writes its file) and empties the registry.
void DestroyAllConfigs();
