// The settings' read at start and their write at exit, for a Core.xml of many
// empty keys in one catalog and as many empty catalogs beside it:
//   zyn-bench-configexit [keys] [runs]     (keys: 100000 unless given)
// Prints the median and the worst time of each.
#include <stdlib.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <wx/init.h>
#include <wx/log.h>

#include "ConfigImpl.h"
#include "ConfigKeys.h"
#include "SystemPaths.h"
#include "PrintTimes.h"

namespace {

using zynbench::Clock;
using zynbench::PrintTimes;
using zynbench::MsSince;

} // namespace

int main(int argc, char** argv)
{
    wxInitializer toolkit;
    const long keys = argc > 1 ? std::atol(argv[1]) : 100000;
    const int runs = argc > 2 ? std::atoi(argv[2]) : 5;
    std::string xml = "<Core><config catalog=\"C\">";
    for (long i = 0; i < keys; ++i)
        xml += "<p/>";
    xml += "</config>";
    for (long i = 0; i < keys; ++i)
        xml += "<c/>";
    xml += "</Core>";

    char pattern[] = "/tmp/zyn-bench-configexit.XXXXXX";
    const std::filesystem::path dir = mkdtemp(pattern);
    AppDir = wxString::FromUTF8(dir.string());
    std::filesystem::create_directories(dir / "Configs");
    wxLogNull quiet;
    std::vector<double> read, exit;
    for (int i = 0; i < runs; ++i) {
        std::ofstream(dir / "Configs/Core.xml", std::ios::trunc) << xml;
        const auto start = Clock::now();
        GetConfig(cfg::Core);
        read.push_back(MsSince(start));
        const auto end = Clock::now();
        DestroyAllConfigs();
        exit.push_back(MsSince(end));
    }
    std::filesystem::remove_all(dir);
    std::printf("%ld keys and %ld catalogs (%zu bytes):\n", keys, keys, xml.size());
    PrintTimes("read", read);
    PrintTimes("exit", exit);
    return 0;
}
