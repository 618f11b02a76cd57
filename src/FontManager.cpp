#include "FontManager.h"

#include <functional>
#include <unordered_map>

#include <wx/string.h>

#include FT_OUTLINE_H

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

// What a glyph is kept by: everything its pixels depend on.
struct GlyphKey {
    FT_Face face;
    int pixelSize;
    bool bold;
    unsigned code;
    bool operator==(const GlyphKey& o) const
    {
        return face == o.face && pixelSize == o.pixelSize && bold == o.bold && code == o.code;
    }
};

struct GlyphKeyHash {
    size_t operator()(const GlyphKey& k) const
    {
        size_t h = std::hash<const void*>()(k.face);
        h = h * 31 + std::hash<unsigned>()(k.code);
        return h * 31 + static_cast<size_t>(k.pixelSize) * 2 + (k.bold ? 1 : 0);
    }
};

// A kept glyph; a code that failed to load is kept as failed, so it is not tried again.
struct GlyphEntry {
    bool loaded = false;
    Glyph glyph;
};

// The program draws a few labels at a few sizes; a store that outgrows this
// (text of many different characters) starts again from nothing.
constexpr size_t GlyphCacheLimit = 4096;
std::unordered_map<GlyphKey, GlyphEntry, GlyphKeyHash> GlyphCache;
unsigned long LoadCount = 0;

// Copies the rendered bitmap of slot as 8-bit coverage; other pixel modes draw nothing.
void KeepCoverage(FT_GlyphSlot slot, Glyph& glyph)
{
    glyph.rendered = true;
    const FT_Bitmap& bitmap = slot->bitmap;
    if (bitmap.pixel_mode != FT_PIXEL_MODE_GRAY && bitmap.pixel_mode != FT_PIXEL_MODE_MONO)
        return;
    if (!bitmap.buffer || bitmap.rows == 0 || bitmap.width == 0)
        return;
    glyph.left = slot->bitmap_left;
    glyph.top = slot->bitmap_top;
    glyph.width = static_cast<int>(bitmap.width);
    glyph.rows = static_cast<int>(bitmap.rows);
    glyph.coverage.resize(static_cast<size_t>(glyph.width) * glyph.rows);
    // A negative pitch stores the rows bottom-up, buffer at the last one.
    const unsigned char* first = bitmap.pitch >= 0 ? bitmap.buffer
                                                   : bitmap.buffer - static_cast<ptrdiff_t>(bitmap.pitch) * (bitmap.rows - 1);
    unsigned char* out = glyph.coverage.data();
    for (int y = 0; y < glyph.rows; ++y) {
        const unsigned char* row = first + static_cast<ptrdiff_t>(bitmap.pitch) * y;
        for (int x = 0; x < glyph.width; ++x) {
            if (bitmap.pixel_mode == FT_PIXEL_MODE_MONO)
                *out++ = (row[x >> 3] >> (7 - (x & 7))) & 1 ? 255 : 0;
            else
                *out++ = row[x];
        }
    }
}

// Loads code from face as the canvas draws it into entry, rendered when render is set.
void LoadInto(FT_Face face, const GlyphKey& key, bool render, GlyphEntry& entry)
{
    // The faces are shared: set the size unless the face has it already (a
    // request for the same size costs a third of a CFF glyph's load).
    const FT_Size_Metrics& now = face->size->metrics;
    if (now.x_ppem != key.pixelSize || now.y_ppem != key.pixelSize)
        FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(key.pixelSize));
    ++LoadCount;
    entry.loaded = FT_Load_Char(face, key.code, FT_LOAD_FORCE_AUTOHINT) == 0;
    if (!entry.loaded)
        return;
    FT_GlyphSlot slot = face->glyph;
    // Emboldening and rendering leave the advance as it is.
    entry.glyph.advanceX = static_cast<int>(slot->advance.x >> 6);
    entry.glyph.advanceY = static_cast<int>(slot->advance.y >> 6);
    if (!render)
        return;
    if (key.bold && slot->format == FT_GLYPH_FORMAT_OUTLINE)
        FT_Outline_Embolden(&slot->outline, 46);
    FT_Render_Glyph(slot, FT_RENDER_MODE_NORMAL);
    KeepCoverage(slot, entry.glyph);
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
    GlyphCache.clear(); // a face opened later may get a closed one's address
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

const Glyph* GlyphFor(unsigned code, int pixelSize, bool bold, bool render)
{
    FT_Face face = FaceFor(code);
    if (!face)
        return nullptr;
    const GlyphKey key{face, pixelSize, bold || face == FontFaces[FONT_GOTHAM], code};
    auto found = GlyphCache.find(key);
    if (found == GlyphCache.end()) {
        if (GlyphCache.size() >= GlyphCacheLimit)
            GlyphCache.clear();
        found = GlyphCache.emplace(key, GlyphEntry()).first;
        LoadInto(face, key, render, found->second);
    } else if (render && found->second.loaded && !found->second.glyph.rendered) {
        LoadInto(face, key, true, found->second);
    }
    return found->second.loaded ? &found->second.glyph : nullptr;
}

unsigned long GlyphLoads() { return LoadCount; }

} // namespace FontManager
