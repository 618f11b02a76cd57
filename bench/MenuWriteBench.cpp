// Writing what the program saves, with values that need escaping or splitting:
//   zyn-bench-menuwrite CASE [runs] [KiB]
// CASE: sections (a command of 1 MiB of "]]>", one CDATA section each, written
// and read back as the menu file is), quotes (a setting of 3 MiB of '"', which the
// toolkit's writer escapes as "&quot;"); KiB sets another size of the value. Prints the median and the worst time of
// building the tree and writing it out, and of reading it back.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <wx/filefn.h>
#include <wx/init.h>
#include <wx/log.h>
#include <wx/xml/xml.h>

#include "MenuXml.h"
#include "XmlFile.h"
#include "PrintTimes.h"

namespace {

using zynbench::Clock;
using zynbench::PrintTimes;
using zynbench::MsSince;

} // namespace

int main(int argc, char** argv)
{
    wxInitializer toolkit;
    const std::string name = argc > 1 ? argv[1] : "";
    const int runs = argc > 2 ? std::atoi(argv[2]) : 5;
    const bool sections = name == "sections";
    const long kib = argc > 3 ? std::atol(argv[3]) : (sections ? 1024 : 3072);
    if (!sections && name != "quotes") {
        std::fprintf(stderr, "usage: %s sections|quotes [runs] [KiB]\n", argv[0]);
        return 2;
    }
    wxString value;
    for (long i = 0; i < (sections ? kib * 1024 / 3 : kib * 1024); ++i)
        value += sections ? "]]>" : "\"";
    const wxString path = "/tmp/zyn-bench-menuwrite.xml";
    wxLogNull quiet;
    std::vector<double> write, read;
    size_t bytes = 0;
    for (int i = 0; i < runs; ++i) {
        const auto start = Clock::now();
        wxXmlDocument doc;
        auto* root = new wxXmlNode(wxXML_ELEMENT_NODE, sections ? "Launcher" : "Core");
        doc.SetRoot(root);
        if (sections)
            MenuXml::AddCData(root, "command", value);
        else
            MenuXml::AddElement(root, "property")->AddAttribute("value", value);
        std::string out;
        if (!XmlFile::Write(doc, out))
            return 1;
        write.push_back(MsSince(start));
        bytes = out.size();
        if (!sections)
            continue;
        if (!doc.Save(path, 2))
            return 1;
        const auto again = Clock::now();
        wxXmlDocument back;
        if (!MenuXml::Load(back, path) || MenuXml::Content(back.GetRoot()->GetChildren()) != value)
            return 1;
        read.push_back(MsSince(again));
    }
    wxRemoveFile(path);
    std::printf("%s (%zu bytes written):\n", name.c_str(), bytes);
    PrintTimes("build and write", write);
    if (!read.empty())
        PrintTimes("read back", read);
    return 0;
}
