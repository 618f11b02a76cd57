// The themed picture: premultiplied 0xAARRGGBB pixels, one uint32_t each, rows
// packed. Theme images, canvases and layered-window contents are Pictures; a
// wxBitmap is made only where a toolkit control shows a picture.
//
// Copies share their pixels (theme frames are handed out and copied into item
// frame lists all the time); the first write through a copy gives it pixels
// of its own. Writable access is Pixels() and Row() on a non-const Picture:
// take the pointer after the last copy, not before.
#pragma once

#include <cstdint>
#include <memory>
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

    uint32_t* Pixels() { return Own(); }
    const uint32_t* Pixels() const { return data ? data->data() : nullptr; }
    uint32_t* Row(int y) { return Own() + static_cast<size_t>(y) * width; }
    const uint32_t* Row(int y) const { return Pixels() + static_cast<size_t>(y) * width; }
    uint32_t GetPixel(int x, int y) const { return Row(y)[x]; }
    zplat::PixelView View() const { return {Pixels(), width, height, width}; }

    // True when both are the same pixels (a copy nobody has written to since).
    bool SharesPixelsWith(const Picture& other) const { return data && data == other.data; }

    // A copy of the part of the picture inside rect (clipped to the picture).
    Picture GetSubPicture(const wxRect& rect) const;
    // Resampled to size with bilinear filtering on the premultiplied pixels;
    // an invalid Picture when size has an empty side.
    Picture Scaled(const wxSize& size) const;

    // Straight RGBA image <-> premultiplied pixels. An image without alpha is opaque
    // but for the pixels of its mask colour, if it has one.
    static Picture FromImage(const wxImage& image);
    wxImage ToImage() const;
    wxBitmap ToBitmap() const;

    // Loads an image file of the given type (any the toolkit reads by default);
    // an invalid Picture on failure. Only a regular file is read, and only when
    // the size its header declares is known and has no side over MaxLoadSide:
    // a small file can declare a picture of gigabytes. A refused file is logged.
    static Picture Load(const wxString& path, wxBitmapType type = wxBITMAP_TYPE_ANY);

    // Far more than the theme, an icon or a desktop picture needs.
    static constexpr int MaxLoadSide = 4096;

private:
    uint32_t* Own();

    int width = 0;
    int height = 0;
    std::shared_ptr<std::vector<uint32_t>> data;
};
