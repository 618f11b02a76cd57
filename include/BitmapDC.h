// The software canvas: draws into a Picture (premultiplied 0xAARRGGBB) that it
// does not own. Every operation clips to the canvas and to its sources.
#pragma once

#include <cstdint>

#include <wx/gdicmn.h>
#include <wx/string.h>

#include "Picture.h"

class BitmapDC {
public:
    BitmapDC() = default;
    // Draws into picture, which must outlive the canvas. An invalid picture is
    // logged ("Invalid Bitmap.") and leaves the canvas unusable but safe.
    explicit BitmapDC(Picture& picture);

    bool IsOk() const { return target && target->IsOk(); }
    void SelectObject(Picture& picture) { target = &picture; }
    Picture* GetPicture() const { return target; }
    wxSize GetSize() const { return target ? target->GetSize() : wxSize(0, 0); }

    void Fill(uint32_t argb);
    // Blends the whole bitmap (premultiplied) at pos with constant opacity alpha.
    void BlendBitmap(const Picture& bitmap, const wxPoint& pos, unsigned char alpha);
    // Replaces the canvas with src, fading rows y0..y1 from a0 to a1.
    void CopyFaded(const Picture& src, int y0, int y1, unsigned char a0, unsigned char a1);

    // Text in straight 0xAARRGGBB colour; pos is the pen's x and the baseline's y.
    void DrawGlyphText(const wxString& text, const wxPoint& pos, const uint32_t& colour, const int& pixelSize);
    void DrawGlyphTextEx(const wxString& text, const wxPoint& pos, const wxSize& box, const uint32_t& colour, const int& pixelSize);
    void DrawGlyphTextCentered(const wxString& text, const wxPoint& pos, const uint32_t& colour, const int& pixelSize);

    // Rectangle copies between canvases:
    // srcRect of src goes to dest (copied as it is, no blending).
    void Blit(const Picture& src, const wxRect& srcRect, const wxPoint& dest);
    // srcRect of src scaled to destRect, copied as it is.
    void StretchBlit(const Picture& src, const wxRect& srcRect, const wxRect& destRect);
    // srcRect of src scaled to destRect and blended over the canvas with constant opacity alpha.
    void AlphaBlend(const Picture& src, const wxRect& srcRect, const wxRect& destRect, unsigned char alpha);

    // The blend constant the last BlendBitmap used (callers may read or preset it).
    unsigned char blendAlpha = 255;

private:
    Picture* target = nullptr;
};

// Width in pixels of text drawn at pixelSize, measured exactly as it is drawn.
int MeasureGlyphText(const wxString& text, const int& pixelSize);

// The text pixel size of item names and other labels.
inline constexpr int DefaultTextSize = 15;
