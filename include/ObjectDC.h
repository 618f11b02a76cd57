// What a themed window needs to show a composed picture: the window, the
// blend (its constant alpha is the whole-window opacity), and the place and
// size the next push gives the window. Works for any top-level window (the
// themed windows and the modal alert, a dialog that draws itself the same way).
#pragma once

#include <cstdint>

#include <wx/gdicmn.h>

#include "zplat/Windows.h"

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
    // Takes the window into the platform's window service, so it must be made
    // before the window is first shown (the per-pixel-alpha visual is chosen
    // then). A null window is logged ("Invalid Window."); every push through it
    // fails. A window the service refuses is not usable: the owner reports it.
    explicit ObjectDC(wxWindow* window);
    ~ObjectDC();
    ObjectDC(const ObjectDC&) = delete;
    ObjectDC& operator=(const ObjectDC&) = delete;

    bool IsOk() const { return hwnd != nullptr && prepared; }
    // A picture has reached the window (the window service holds one for it).
    bool HasPicture() const { return pushed; }

    // The layered update: shows the top-left `size` of picture (premultiplied)
    // in the window with blend's constant alpha; with move the window first
    // goes to `pos`, without it keeps its place. The window takes `size`.
    // A hidden window keeps the picture and shows it when next shown.
    bool Update(const Picture& picture, bool move);
    // The same for a picture of one colour (premultiplied ARGB) all over
    // `size`, which the window service holds without any picture.
    bool UpdateSolid(uint32_t colour, bool move);
    // Shows the picture pushed last with the present constant alpha: a fade
    // costs no picture copy. False before the first Update.
    bool UpdateAlpha();

    // Sets the constant alpha when value is within 0..255; other values keep the previous one.
    void SetAlpha(int32_t value)
    {
        if (value >= 0 && value <= 255)
            blend.SourceConstantAlpha = static_cast<uint8_t>(value);
    }

    // Window kind (tool window by default); set it before the window is first shown.
    void SetKind(zplat::WindowKind kind);
    // Keeps the window above owner (nullptr: none), also after the owner is raised.
    bool SetOwner(wxWindow* owner);
    // Raises the window and those it owns without taking the keyboard focus.
    void Raise();
    // Does the toolkit's work of a first show now, unseen, for a hidden window
    // pushed at alpha 0, so that its first show costs what later ones cost.
    void Ready();

    wxWindow* hwnd = nullptr;
    BlendFunction blend;
    wxPoint pos = ZeroPoint;
    wxSize size = ZeroSize;

private:
    // Hands the push the window's place, size and opacity, then sends it.
    bool Push(zplat::WindowPush& push, bool move);
    void SyncToolkit(bool move);
    bool prepared = false;
    bool pushed = false;
};
