// The font store: the one FreeType library and up to five faces, opened once
// at start in a fallback chain. The canvas picks a face per character.
#pragma once

#include <vector>

#include <ft2build.h>
#include FT_FREETYPE_H

namespace FontManager {

// The slots in lookup order.
enum FontSlot { FONT_CUSTOM = 0, FONT_GOTHAM = 1, FONT_FZZY = 2, FONT_SIMHEI = 3, FONT_ARIAL = 4, FONT_SLOTS = 5 };

extern FT_Library FreeTypeLibrary;
extern FT_Face FontFaces[FONT_SLOTS];

// Opens the library and the faces by the chain; false when no face opens.
// The two system faces come from the system's font set: the best CJK sans
// for zh-cn (in place of "simhei.ttf") and the best match for Arial.
bool Initial();
// Closes every face and the library, and clears the slots.
void Release();

// The face that draws code: the first slot holding a face, the GothamNights
// face only for codes up to 255; nullptr when none. Whether it has the glyph plays no part.
FT_Face FaceFor(unsigned code);

// A character as the canvas draws it from the face of FaceFor: the pen's
// advance and, once asked for, its 8-bit coverage with the place of its top-left
// pixel relative to the pen (x right, y up, as FreeType gives them).
struct Glyph {
    int advanceX = 0, advanceY = 0;
    bool rendered = false;
    int left = 0, top = 0, width = 0, rows = 0;
    std::vector<unsigned char> coverage; // rows x width, top row first
};

// The glyph of code at pixelSize, auto-hinted; emboldened when bold is set and
// always from the GothamNights face. With render it carries its coverage. Each
// one goes through FreeType once and is kept until Release, so text drawn again
// does no outline work. Null when no face serves the code or it fails to load.
const Glyph* GlyphFor(unsigned code, int pixelSize, bool bold, bool render);
// How many glyph loads went through FreeType since the program started.
unsigned long GlyphLoads();

} // namespace FontManager
