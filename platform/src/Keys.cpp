#include "zplat/Input.h"

#include <X11/keysym.h>

namespace zplat {

uint32_t KeysymForCharacter(char c)
{
    // Latin-1 keysyms equal their character codes; only the keys of a US layout that
    // type the character without Shift are named, so the grab needs no Shift of its own.
    if (c >= 'A' && c <= 'Z')
        return XK_a + static_cast<uint32_t>(c - 'A');
    if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'))
        return static_cast<uint32_t>(c);
    switch (c) {
    case ' ': return XK_space;
    case '`': return XK_grave;
    case '-': return XK_minus;
    case '=': return XK_equal;
    case '[': return XK_bracketleft;
    case ']': return XK_bracketright;
    case '\\': return XK_backslash;
    case ';': return XK_semicolon;
    case '\'': return XK_apostrophe;
    case ',': return XK_comma;
    case '.': return XK_period;
    case '/': return XK_slash;
    default: return 0;
    }
}

} // namespace zplat
