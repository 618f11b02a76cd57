// Fuzz target: the configuration's reader and writer on a settings file: read,
// look keys up, write one, save.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include <wx/init.h>
#include <wx/log.h>

#include "ConfigImpl.h"
#include "SystemPaths.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static wxInitializer toolkit;
    static std::string dir = [] {
        char name[] = "/tmp/zyn-fuzz-config.XXXXXX";
        const std::string made = mkdtemp(name);
        std::system(("mkdir -p " + made + "/Configs").c_str());
        if (chdir(made.c_str()) != 0)
            std::abort();
        return made;
    }();
    wxLogNull quiet;
    if (FILE* f = std::fopen("Configs/Fuzz.xml", "wb")) {
        std::fwrite(data, 1, size, f);
        std::fclose(f);
    }
    ConfigImpl* config = GetConfig("Fuzz");
    config->ReadLong("General", "PressTimeout", 0);
    config->ReadString("Plugin", "HPName", "");
    config->WriteBool("General", "CheckUpdate", true);
    DestroyAllConfigs();
    std::remove("Configs/Fuzz.xml.bak");
    return 0;
}
