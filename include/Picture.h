// The themed picture: premultiplied 0xAARRGGBB pixels, one uint32_t each, rows
// packed. Theme images, canvases and layered-window contents are Pictures; a
// wxBitmap is made only where a toolkit control shows a picture.
#pragma once

#include <cstdint>
#include <vector>

#include <wx/bitmap.h>
#include <wx/gdicmn.h>
#include <wx/image.h>

#include "zplat/PixelView.h"

class Picture {
public:
    Picture() = default;
    Picture(int width, int height, uint32_t argb = 0);

    bool IsOk() const { return width > 0 && height > 0; }
    int GetWidth() const { return width; }
    int GetHeight() const { return height; }
    wxSize GetSize() const { return wxSize(width, height); }

    uint32_t* Pixels() { return pixels.data(); }
    const uint32_t* Pixels() const { return pixels.data(); }
    uint32_t* Row(int y) { return pixels.data() + static_cast<size_t>(y) * width; }
    const uint32_t* Row(int y) const { return pixels.data() + static_cast<size_t>(y) * width; }
    uint32_t GetPixel(int x, int y) const { return Row(y)[x]; }
    zplat::PixelView View() const { return {pixels.data(), width, height, width}; }

    // A copy of the part of the picture inside rect (clipped to the picture).
    Picture GetSubPicture(const wxRect& rect) const;

    // Straight RGBA image <-> premultiplied pixels. An image without alpha is opaque.
    static Picture FromImage(const wxImage& image);
    wxImage ToImage() const;
    wxBitmap ToBitmap() const;

    // Loads a PNG (or any format the toolkit reads); an invalid Picture on failure.
    static Picture Load(const wxString& path);

private:
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;
};
