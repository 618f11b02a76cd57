// Placeholder until the configuration store lands.
#include "ConfigImpl.h"

#include <map>

namespace {
class MemoryConfig : public ConfigImpl {
public:
    bool ReadBool(const wxString&, const wxString&, const bool& def) override { return def; }
    long ReadLong(const wxString&, const wxString&, const long& def) override { return def; }
    wxString ReadString(const wxString&, const wxString&, const wxString& def) override { return def; }
    bool WriteBool(const wxString&, const wxString&, const bool&) override { return true; }
    bool WriteLong(const wxString&, const wxString&, const long&) override { return true; }
    bool WriteString(const wxString&, const wxString&, const wxString&) override { return true; }
    void Clear() override {}
    bool Flush() override { return true; }
};
std::map<wxString, ConfigImpl*> registry;
} // namespace

ConfigImpl* GetConfig(const wxString& name)
{
    ConfigImpl*& slot = registry[name];
    if (!slot)
        slot = new MemoryConfig;
    return slot;
}

void DestroyAllConfigs()
{
    for (auto& entry : registry)
        delete entry.second;
    registry.clear();
}
