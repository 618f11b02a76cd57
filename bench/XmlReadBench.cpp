// Reading hostile XML files: the program's reader against the toolkit's.
//   zyn-bench-xmlread CASE [toolkit] [runs]
// CASE: deep-menu (a truncated menu 349,000 deep), deep-core (1,000,000 deep),
// newlines (one value of 1 MiB of newlines), attribute (an 8 MiB attribute),
// bound (16 MiB of menu items), and more files at the size limit: siblings (empty
// elements side by side), mixed (text and elements in turn), instructions
// (processing instructions side by side), entities (one value of character references), text (one
// value of plain text), attributes (elements of many attributes). Prints the median and the worst time; run it under
// /usr/bin/time -v for the peak memory. The toolkit's reader crashes on the deep cases.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <wx/init.h>
#include <wx/log.h>
#include <wx/xml/xml.h>

#include "XmlFile.h"

namespace {

std::string Repeat(const std::string& piece, size_t times)
{
    std::string out;
    out.reserve(piece.size() * times);
    for (size_t i = 0; i < times; ++i)
        out += piece;
    return out;
}

std::string Make(const std::string& name)
{
    if (name == "deep-menu")
        return "<Launcher>" + Repeat("<a>", 349000);
    if (name == "deep-core")
        return Repeat("<a>", 1000000) + Repeat("</a>", 1000000);
    if (name == "newlines")
        return "<Launcher><name>x" + std::string(1 << 20, '\n') + "</name></Launcher>";
    if (name == "attribute")
        return "<Core><config catalog=\"C\"><property key=\"K\" value=\"" + std::string(8 << 20, 'v') +
               "\"/></config></Core>";
    if (name == "bound") {
        const std::string item = "<item><name>Name</name><icon><normal/><hover/><press/></icon></item>\n";
        return "<Launcher><menu type=\"1\">" + Repeat(item, (XmlFile::MaxBytes - 64) / item.size()) + "</menu></Launcher>";
    }
    const size_t room = static_cast<size_t>(XmlFile::MaxBytes) - 64;
    if (name == "siblings")
        return "<Launcher>" + Repeat("<a/>", room / 4) + "</Launcher>";
    if (name == "mixed")
        return "<Launcher>" + Repeat("x<a/>", room / 5) + "</Launcher>";
    if (name == "instructions")
        return "<Launcher>" + Repeat("<?a?>", room / 5) + "</Launcher>";
    if (name == "entities")
        return "<Launcher><name>" + Repeat("&quot;", room / 6) + "</name></Launcher>";
    if (name == "text")
        return "<Launcher><name>" + std::string(room, 't') + "</name></Launcher>";
    if (name == "attributes") {
        std::string element = "<a";
        for (int i = 0; i < 100; ++i)
            element += " k" + std::to_string(i) + "=\"v\"";
        element += "/>";
        return "<Launcher>" + Repeat(element, room / element.size()) + "</Launcher>";
    }
    return std::string();
}

} // namespace

int main(int argc, char** argv)
{
    wxInitializer toolkit;
    const std::string name = argc > 1 ? argv[1] : "";
    const bool theirs = argc > 2 && std::string(argv[2]) == "toolkit";
    const int runs = argc > 3 ? std::atoi(argv[3]) : 5;
    const std::string xml = Make(name);
    if (xml.empty()) {
        std::fprintf(stderr, "usage: %s deep-menu|deep-core|newlines|attribute|bound|siblings|mixed|instructions|entities|text|attributes [toolkit|ours] [runs]\n", argv[0]);
        return 2;
    }
    const std::string path = "/tmp/zyn-bench-xmlread.xml";
    if (FILE* f = std::fopen(path.c_str(), "wb")) {
        std::fwrite(xml.data(), 1, xml.size(), f);
        std::fclose(f);
    }
    wxLogNull quiet;
    std::vector<double> ms;
    bool read = false;
    for (int i = 0; i < runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        wxXmlDocument doc;
        wxString error;
        read = theirs ? doc.Load(path, "UTF-8", wxXMLDOC_KEEP_WHITESPACE_NODES) : XmlFile::Read(doc, path, error);
        ms.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    std::remove(path.c_str());
    std::sort(ms.begin(), ms.end());
    std::printf("%s (%zu bytes, %s reader): %s; median %.1f ms, worst %.1f ms over %d runs\n", name.c_str(), xml.size(),
                theirs ? "toolkit" : "program", read ? "read" : "refused", ms[ms.size() / 2], ms.back(), runs);
    return 0;
}
