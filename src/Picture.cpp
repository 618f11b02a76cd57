#include "Picture.h"

#include <algorithm>

#include <wx/filefn.h>
#include <wx/log.h>

Picture::Picture(int w, int h, uint32_t argb)
{
    if (w <= 0 || h <= 0)
        return;
    width = w;
    height = h;
    pixels.assign(static_cast<size_t>(w) * h, argb);
}

Picture Picture::GetSubPicture(const wxRect& rect) const
{
    const wxRect r = rect.Intersect(wxRect(0, 0, width, height));
    Picture out(r.width, r.height);
    for (int y = 0; y < out.height; ++y)
        std::copy_n(Row(r.y + y) + r.x, r.width, out.Row(y));
    return out;
}

Picture Picture::FromImage(const wxImage& image)
{
    if (!image.IsOk())
        return Picture();
    Picture out(image.GetWidth(), image.GetHeight());
    const unsigned char* rgb = image.GetData();
    const unsigned char* alpha = image.HasAlpha() ? image.GetAlpha() : nullptr;
    const size_t count = static_cast<size_t>(out.width) * out.height;
    for (size_t i = 0; i < count; ++i) {
        const uint32_t a = alpha ? alpha[i] : 255;
        const uint32_t r = (rgb[3 * i] * a + 127) / 255;
        const uint32_t g = (rgb[3 * i + 1] * a + 127) / 255;
        const uint32_t b = (rgb[3 * i + 2] * a + 127) / 255;
        out.pixels[i] = (a << 24) | (r << 16) | (g << 8) | b;
    }
    return out;
}

wxImage Picture::ToImage() const
{
    if (!IsOk())
        return wxImage();
    wxImage image(width, height, false);
    image.InitAlpha();
    unsigned char* rgb = image.GetData();
    unsigned char* alpha = image.GetAlpha();
    const size_t count = pixels.size();
    for (size_t i = 0; i < count; ++i) {
        const uint32_t p = pixels[i];
        const uint32_t a = p >> 24;
        alpha[i] = static_cast<unsigned char>(a);
        for (int c = 0; c < 3; ++c) {
            const uint32_t v = (p >> (16 - 8 * c)) & 0xFF;
            rgb[3 * i + c] = static_cast<unsigned char>(a ? std::min<uint32_t>(255, (v * 255 + a / 2) / a) : 0);
        }
    }
    return image;
}

wxBitmap Picture::ToBitmap() const
{
    return IsOk() ? wxBitmap(ToImage(), 32) : wxBitmap();
}

Picture Picture::Load(const wxString& path)
{
    if (!wxFileExists(path))
        return Picture();
    wxLogNull quiet; // a broken file is the caller's to report
    wxImage image;
    if (!image.LoadFile(path))
        return Picture();
    return FromImage(image);
}
