// The system's font set: which installed font file best answers a request,
// the way the desktop's own text rendering would choose it.
#pragma once

#include <map>
#include <memory>
#include <string>

namespace zplat {

struct FontFile {
    std::string path;
    int index = 0; // the face within a collection file
};

class FontLookup {
public:
    virtual ~FontLookup() = default;
    // The file of the installed font that best matches family (a family name
    // or a generic one such as "sans-serif"). With lang set ("zh-cn"), only a
    // font that covers that language answers. False when none does.
    virtual bool Find(const std::string& family, const std::string& lang, FontFile& out) = 0;
};

// The lookup in use: fontconfig unless a test installed another.
FontLookup& GetFontLookup();
// Installs lookup (owned); nullptr restores fontconfig.
void SetFontLookup(std::unique_ptr<FontLookup> lookup);

// A lookup that answers from a table keyed by family, for tests.
class FakeFontLookup : public FontLookup {
public:
    std::map<std::string, FontFile> answers;

    bool Find(const std::string& family, const std::string&, FontFile& out) override
    {
        const auto it = answers.find(family);
        if (it == answers.end())
            return false;
        out = it->second;
        return true;
    }
};

} // namespace zplat
