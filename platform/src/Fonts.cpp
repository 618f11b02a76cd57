#include "zplat/Fonts.h"

#include <fontconfig/fontconfig.h>

#include "Backend.h"

namespace zplat {
namespace {

class FontconfigLookup : public FontLookup {
public:
    bool Find(const std::string& family, const std::string& lang, FontFile& out) override
    {
        FcPattern* pattern = FcPatternCreate();
        if (!pattern)
            return false;
        FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
        FcLangSet* langs = nullptr;
        if (!lang.empty()) {
            langs = FcLangSetCreate();
            FcLangSetAdd(langs, reinterpret_cast<const FcChar8*>(lang.c_str()));
            FcPatternAddLangSet(pattern, FC_LANG, langs);
        }
        FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
        FcDefaultSubstitute(pattern);
        FcResult result = FcResultNoMatch;
        FcPattern* match = FcFontMatch(nullptr, pattern, &result);
        bool found = false;
        if (match) {
            // Without a font for the language fontconfig still answers, with a face that lacks it.
            FcLangSet* covered = nullptr;
            const bool covers = lang.empty() ||
                                (FcPatternGetLangSet(match, FC_LANG, 0, &covered) == FcResultMatch &&
                                 FcLangSetHasLang(covered, reinterpret_cast<const FcChar8*>(lang.c_str())) == FcLangEqual);
            FcChar8* file = nullptr;
            int index = 0;
            if (covers && FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch) {
                FcPatternGetInteger(match, FC_INDEX, 0, &index);
                out.path = reinterpret_cast<const char*>(file);
                out.index = index;
                found = true;
            }
            FcPatternDestroy(match);
        }
        if (langs)
            FcLangSetDestroy(langs);
        FcPatternDestroy(pattern);
        return found;
    }
};

using Slot = Backend<FontLookup, FontconfigLookup>;

} // namespace

FontLookup& GetFontLookup() { return Slot::Get(); }
void SetFontLookup(std::unique_ptr<FontLookup> lookup) { Slot::Set(std::move(lookup)); }

} // namespace zplat
