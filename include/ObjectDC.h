// What a themed window needs to show a composed picture: the window, the
// blend (its constant alpha is the whole-window opacity), and the place and
// size the next push gives the window.
#pragma once

#include <cstdint>

#include <wx/gdicmn.h>

class Picture;
class wxWindow;

struct BlendFunction {
    uint8_t BlendOp = 0;               // source over
    uint8_t BlendFlags = 0;
    uint8_t SourceConstantAlpha = 255; // whole-window opacity
    uint8_t AlphaFormat = 1;           // per-pixel (premultiplied) alpha
};

extern const wxPoint ZeroPoint;
extern const wxSize ZeroSize;

class ObjectDC {
public:
    // A null window is logged ("Invalid Window."); every push through it then fails.
    explicit ObjectDC(wxWindow* window);
    ObjectDC(const ObjectDC&) = delete;
    ObjectDC& operator=(const ObjectDC&) = delete;

    bool IsOk() const { return hwnd != nullptr; }

    // The layered update: shows the top-left `size` of picture (premultiplied)
    // in the window with blend's constant alpha; with move the window first
    // goes to `pos`, without it keeps its place. The window takes `size`.
    // A hidden window keeps the picture and shows it when next shown.
    bool Update(const Picture& picture, bool move);

    // Sets the constant alpha when value is within 0..255; other values keep the previous one.
    void SetAlpha(int32_t value)
    {
        if (value >= 0 && value <= 255)
            blend.SourceConstantAlpha = static_cast<uint8_t>(value);
    }

    wxWindow* hwnd = nullptr;
    BlendFunction blend;
    wxPoint pos = ZeroPoint;
    wxSize size = ZeroSize;
};
