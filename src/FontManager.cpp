#include "FontManager.h"

#include <wx/string.h>

#include "ConfigImpl.h"
#include "ConfigKeys.h"
#include "RegularFile.h"
#include "SystemPaths.h"
#include "ZynLog.h"
#include "zplat/Fonts.h"

namespace FontManager {

FT_Library FreeTypeLibrary = nullptr;
FT_Face FontFaces[FONT_SLOTS] = {};

namespace {

const char GothamPath[] = "Fonts/GothamNights.ttf";
const char FzzyPath[] = "Fonts/FZZY.ttf";

// A font file to try: its path (relative ones resolve against the working
// directory) and the face within it.
struct FontSource {
    wxString path;
    long index = 0;
    bool found = true;
};

// The system font that stands in for a font of the Windows fonts folder. When
// the system has none, the source names the Windows file and is not opened.
FontSource SystemFont(const char* family, const char* lang, const char* windowsName)
{
    zplat::FontFile file;
    if (!zplat::GetFontLookup().Find(family, lang, file))
        return {windowsName, 0, false};
    return {wxString::FromUTF8(file.path), file.index};
}

bool Open(FontSlot slot, const FontSource& source)
{
    if (FontFaces[slot])
        return true;
    if (!source.found || source.path.empty() || !RegularFile::IsReadable(source.path))
        return false;
    FT_Face face = nullptr;
    if (FT_New_Face(FreeTypeLibrary, source.path.utf8_str(), source.index, &face) != 0)
        return false;
    FontFaces[slot] = face;
    return true;
}

} // namespace

bool Initial()
{
    ZLOG_INFO("Initializing FontManager...");
    Release(); // a second start of the store begins from nothing
    EnterAppDir();
    if (FT_Init_FreeType(&FreeTypeLibrary) != 0) {
        FreeTypeLibrary = nullptr;
        ZLOG_ERROR("Cannot initial FreeType library.");
        return false;
    }

    const wxString custom = GetConfig(cfg::Core)->ReadString(cfg::Appearance, cfg::CustomFont, wxString());
    bool ready = Open(FONT_CUSTOM, {custom, 0});
    if (!ready && !custom.empty())
        ZLOG_WARNING("Cannot load font file \"%s\", trying to load app fonts.", custom);

    if (!ready) {
        ready = Open(FONT_GOTHAM, {GothamPath, 0}) && Open(FONT_FZZY, {FzzyPath, 0});
        if (!ready) {
            if (!FontFaces[FONT_GOTHAM])
                ZLOG_WARNING("Cannot load font file \"%s\" trying to load default fonts.", GothamPath);
            if (!FontFaces[FONT_FZZY])
                ZLOG_WARNING("Cannot load font file \"%s\" trying to load default fonts.", FzzyPath);
        }
    }

    if (!ready) {
        const FontSource simhei = SystemFont("sans-serif", "zh-cn", "simhei.ttf");
        ready = Open(FONT_SIMHEI, simhei);
        if (!ready)
            ZLOG_WARNING("Cannot load font file \"%s\" trying to load system fonts.", simhei.path);
    }

    if (!ready) {
        ready = Open(FONT_ARIAL, SystemFont("Arial", "", "ARIAL.TTF"));
        if (!ready) {
            ZLOG_ERROR("Cannot Find ANY Avaliable Fonts.");
            return false;
        }
    }

    ZLOG_INFO("FontManager is ready.");
    return true;
}

void Release()
{
    for (FontSlot slot : {FONT_GOTHAM, FONT_FZZY, FONT_CUSTOM, FONT_SIMHEI, FONT_ARIAL}) {
        if (FontFaces[slot])
            FT_Done_Face(FontFaces[slot]);
        FontFaces[slot] = nullptr;
    }
    if (FreeTypeLibrary)
        FT_Done_FreeType(FreeTypeLibrary);
    FreeTypeLibrary = nullptr;
}

FT_Face FaceFor(unsigned code)
{
    for (int slot = FONT_CUSTOM; slot < FONT_SLOTS; ++slot) {
        if (!FontFaces[slot] || (slot == FONT_GOTHAM && code > 255))
            continue;
        return FontFaces[slot];
    }
    return nullptr;
}

} // namespace FontManager
