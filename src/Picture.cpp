#include "Picture.h"

#include <algorithm>
#include <cstring>

#include <wx/log.h>
#include <wx/wfstream.h>

#include "RegularFile.h"
#include "ZynLog.h"
#include "zplat/Images.h"

Picture::Picture(int w, int h, uint32_t argb)
{
    if (w <= 0 || h <= 0)
        return;
    width = w;
    height = h;
    data = std::make_shared<std::vector<uint32_t>>(static_cast<size_t>(w) * h, argb);
}

uint32_t* Picture::Own()
{
    if (!data)
        return nullptr;
    if (data.use_count() > 1)
        data = std::make_shared<std::vector<uint32_t>>(*data);
    return data->data();
}

Picture Picture::GetSubPicture(const wxRect& rect) const
{
    const wxRect r = rect.Intersect(wxRect(0, 0, width, height));
    Picture out(r.width, r.height);
    for (int y = 0; y < out.height; ++y)
        std::copy_n(Row(r.y + y) + r.x, r.width, out.Row(y));
    return out;
}

namespace {

// The premultiplied channels as they are, so that the toolkit's resampler
// weighs colour and alpha alike and transparent pixels lend no colour.
wxImage RawImage(const Picture& picture)
{
    wxImage image(picture.GetWidth(), picture.GetHeight(), false);
    image.InitAlpha();
    unsigned char* rgb = image.GetData();
    unsigned char* alpha = image.GetAlpha();
    const uint32_t* src = picture.Pixels();
    const size_t count = static_cast<size_t>(picture.GetWidth()) * picture.GetHeight();
    for (size_t i = 0; i < count; ++i) {
        const uint32_t p = src[i];
        rgb[3 * i] = static_cast<unsigned char>(p >> 16);
        rgb[3 * i + 1] = static_cast<unsigned char>(p >> 8);
        rgb[3 * i + 2] = static_cast<unsigned char>(p);
        alpha[i] = static_cast<unsigned char>(p >> 24);
    }
    return image;
}

} // namespace

Picture Picture::Scaled(const wxSize& size) const
{
    if (!IsOk() || size.x <= 0 || size.y <= 0)
        return Picture();
    if (size == GetSize())
        return *this;
    const wxImage image = RawImage(*this).Scale(size.x, size.y, wxIMAGE_QUALITY_BILINEAR);
    Picture out(size.x, size.y);
    const unsigned char* rgb = image.GetData();
    const unsigned char* alpha = image.GetAlpha();
    uint32_t* dst = out.Pixels();
    const size_t count = static_cast<size_t>(size.x) * size.y;
    for (size_t i = 0; i < count; ++i) {
        const uint32_t a = alpha[i];
        const uint32_t r = std::min<uint32_t>(rgb[3 * i], a);
        const uint32_t g = std::min<uint32_t>(rgb[3 * i + 1], a);
        const uint32_t b = std::min<uint32_t>(rgb[3 * i + 2], a);
        dst[i] = (a << 24) | (r << 16) | (g << 8) | b;
    }
    return out;
}

Picture Picture::FromImage(const wxImage& source)
{
    if (!source.IsOk())
        return Picture();
    // A mask colour (GIF, XPM, icon files) is transparency too.
    wxImage image = source;
    if (!image.HasAlpha() && image.HasMask())
        image.InitAlpha();
    Picture out(image.GetWidth(), image.GetHeight());
    const unsigned char* rgb = image.GetData();
    const unsigned char* alpha = image.HasAlpha() ? image.GetAlpha() : nullptr;
    uint32_t* dst = out.Pixels();
    const size_t count = static_cast<size_t>(out.width) * out.height;
    for (size_t i = 0; i < count; ++i) {
        const uint32_t a = alpha ? alpha[i] : 255;
        const uint32_t r = (rgb[3 * i] * a + 127) / 255;
        const uint32_t g = (rgb[3 * i + 1] * a + 127) / 255;
        const uint32_t b = (rgb[3 * i + 2] * a + 127) / 255;
        dst[i] = (a << 24) | (r << 16) | (g << 8) | b;
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
    const uint32_t* src = Pixels();
    const size_t count = static_cast<size_t>(width) * height;
    for (size_t i = 0; i < count; ++i) {
        const uint32_t p = src[i];
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

namespace {

uint32_t Be32(const unsigned char* p)
{
    return static_cast<uint32_t>(p[0]) << 24 | static_cast<uint32_t>(p[1]) << 16 | p[2] << 8 | p[3];
}

// The size the image file declares: a PNG's from its header chunk, which must
// come first; any other format's from the system's image library. False when
// it cannot be told.
bool DeclaredSize(const wxString& path, wxFile& file, uint32_t& width, uint32_t& height)
{
    static const unsigned char signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    unsigned char head[24];
    const bool whole = file.Read(head, sizeof head) == static_cast<ssize_t>(sizeof head);
    file.Seek(0);
    if (whole && std::memcmp(head, signature, sizeof signature) == 0) {
        if (std::memcmp(head + 12, "IHDR", 4) != 0)
            return false;
        width = Be32(head + 16);
        height = Be32(head + 20);
        return true;
    }
    int w = 0, h = 0;
    if (!zplat::ImageFileSize(path.utf8_string(), w, h))
        return false;
    width = static_cast<uint32_t>(w);
    height = static_cast<uint32_t>(h);
    return true;
}

} // namespace

Picture Picture::Load(const wxString& path, wxBitmapType type)
{
    wxFile file;
    if (!RegularFile::Open(path, file))
        return Picture();
    uint32_t width = 0, height = 0;
    if (!DeclaredSize(path, file, width, height)) {
        ZLOG_INFO("\"%s\" is not loaded: its picture size cannot be read.", path);
        return Picture();
    }
    if (width > MaxLoadSide || height > MaxLoadSide) {
        ZLOG_INFO("\"%s\" is not loaded: its picture of %u x %u pixels is larger than %d x %d.", path, width,
                  height, MaxLoadSide, MaxLoadSide);
        return Picture();
    }
    wxLogNull quiet; // a broken file is the caller's to report
    wxFileInputStream stream(file);
    wxImage image;
    if (!image.LoadFile(stream, type))
        return Picture();
    return FromImage(image);
}
