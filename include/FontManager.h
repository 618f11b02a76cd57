// The font store: the one FreeType library and up to five faces, opened once
// at start in a fallback chain. The canvas picks a face per character.
#pragma once

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

} // namespace FontManager
