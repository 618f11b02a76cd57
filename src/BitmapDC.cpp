#include "BitmapDC.h"

#include <algorithm>
#include <cstring>

#if defined(__SSE2__)
#include <immintrin.h>
#endif

#include "FontManager.h"
#include "ZynLog.h"

namespace {

// x * a / 255, rounded, for the two channels in bits 0-7 and 16-23 of rb.
inline uint32_t MulPair(uint32_t rb, uint32_t a)
{
    uint32_t t = rb * a + 0x00800080u;
    t += (t >> 8) & 0x00FF00FFu;
    return (t >> 8) & 0x00FF00FFu;
}

// All four channels of p times a / 255, rounded.
inline uint32_t Mul(uint32_t p, uint32_t a)
{
    return MulPair(p & 0x00FF00FFu, a) | (MulPair((p >> 8) & 0x00FF00FFu, a) << 8);
}

// Premultiplied source over destination with the constant opacity alpha
// already applied to s. Valid premultiplied pixels never overflow a channel.
inline uint32_t Over(uint32_t s, uint32_t d)
{
    const uint32_t sa = s >> 24;
    if (sa == 255)
        return s;
    if (s == 0)
        return d;
    return s + Mul(d, 255 - sa);
}

#if defined(__SSE2__)
// Four pixels at a time on 16-bit lanes, two pixels per register, the way
// pixman does it: x * a / 255 rounded is ((x * a + 128) * 257) >> 16.
struct Lanes {
    const __m128i zero = _mm_setzero_si128();
    const __m128i half = _mm_set1_epi16(0x80);
    const __m128i scale = _mm_set1_epi16(0x101);
    const __m128i full = _mm_set1_epi16(0xFF);

    __m128i Mul(__m128i x, __m128i a) const
    {
        return _mm_mulhi_epu16(_mm_adds_epu16(_mm_mullo_epi16(x, a), half), scale);
    }
    // 255 minus the alpha of each of the two pixels, spread over its four lanes.
    __m128i Rest(__m128i x) const
    {
        x = _mm_shufflelo_epi16(x, _MM_SHUFFLE(3, 3, 3, 3));
        return _mm_xor_si128(_mm_shufflehi_epi16(x, _MM_SHUFFLE(3, 3, 3, 3)), full);
    }
    // s over d, with s already in lanes.
    __m128i Over(__m128i slo, __m128i shi, __m128i d) const
    {
        const __m128i lo = _mm_adds_epu8(slo, Mul(_mm_unpacklo_epi8(d, zero), Rest(slo)));
        const __m128i hi = _mm_adds_epu8(shi, Mul(_mm_unpackhi_epi8(d, zero), Rest(shi)));
        return _mm_packus_epi16(lo, hi);
    }
};
#endif

#if defined(__x86_64__) && defined(__GNUC__)
#define ZYN_AVX2 __attribute__((target("avx2"), always_inline)) inline

ZYN_AVX2 __m256i Mul8(__m256i x, __m256i a)
{
    const __m256i t = _mm256_adds_epu16(_mm256_mullo_epi16(x, a), _mm256_set1_epi16(0x80));
    return _mm256_mulhi_epu16(t, _mm256_set1_epi16(0x101));
}

ZYN_AVX2 __m256i Rest8(__m256i x)
{
    x = _mm256_shufflelo_epi16(x, _MM_SHUFFLE(3, 3, 3, 3));
    return _mm256_xor_si256(_mm256_shufflehi_epi16(x, _MM_SHUFFLE(3, 3, 3, 3)), _mm256_set1_epi16(0xFF));
}

// Eight premultiplied pixels of s (already times the constant opacity) over d.
ZYN_AVX2 __m256i Over8(__m256i slo, __m256i shi, __m256i d)
{
    const __m256i zero = _mm256_setzero_si256();
    const __m256i lo = _mm256_adds_epu8(slo, Mul8(_mm256_unpacklo_epi8(d, zero), Rest8(slo)));
    const __m256i hi = _mm256_adds_epu8(shi, Mul8(_mm256_unpackhi_epi8(d, zero), Rest8(shi)));
    return _mm256_packus_epi16(lo, hi);
}

// The row blend for processors with AVX2 (chosen at run time), for rows of
// eight pixels or more: the steps of the 16-byte loop below, eight pixels a
// step, on aligned destination blocks. The first and the last eight pixels
// are blended first, from the destination as it was, and stored last: where
// they overlap the loop's blocks they hold the same values.
__attribute__((target("avx2"))) void BlendRowAvx2(uint32_t* dst, const uint32_t* src, int n, uint32_t alpha)
{
    const __m256i zero = _mm256_setzero_si256();
    const __m256i ones = _mm256_set1_epi32(-1);
    const __m256i constant = _mm256_set1_epi16(static_cast<short>(alpha));
    auto blend = [&](int at) __attribute__((target("avx2"))) {
        const __m256i s = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(src + at));
        __m256i slo = _mm256_unpacklo_epi8(s, zero);
        __m256i shi = _mm256_unpackhi_epi8(s, zero);
        if (alpha != 255) {
            slo = Mul8(slo, constant);
            shi = Mul8(shi, constant);
        }
        return Over8(slo, shi, _mm256_loadu_si256(reinterpret_cast<const __m256i*>(dst + at)));
    };
    const __m256i first = blend(0);
    const __m256i last = blend(n - 8);
    const int start = static_cast<int>((32 - (reinterpret_cast<uintptr_t>(dst) & 31)) & 31) / 4;
    for (int i = start; i + 8 <= n; i += 8) {
        const __m256i s = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(src + i));
        __m256i* out = reinterpret_cast<__m256i*>(dst + i);
        if (static_cast<unsigned>(_mm256_movemask_epi8(_mm256_cmpeq_epi8(s, zero))) == 0xFFFFFFFFu)
            continue; // eight clear pixels change nothing
        if (alpha == 255 && (static_cast<unsigned>(_mm256_movemask_epi8(_mm256_cmpeq_epi8(s, ones))) & 0x88888888u) == 0x88888888u)
            _mm256_store_si256(out, s); // eight opaque pixels replace the destination
        else
            _mm256_store_si256(out, blend(i));
    }
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(dst), first);
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(dst + n - 8), last);
}

const bool HasAvx2 = __builtin_cpu_supports("avx2");
#endif

// One row of n pixels of src blended over dst with the constant opacity alpha.
void BlendRow(uint32_t* dst, const uint32_t* src, int n, uint32_t alpha)
{
#if defined(__x86_64__) && defined(__GNUC__)
    if (HasAvx2 && n >= 8) {
        BlendRowAvx2(dst, src, n, alpha);
        return;
    }
#endif
    int i = 0;
#if defined(__SSE2__)
    // Aligned destination stores never straddle a cache line.
    for (; i < n && (reinterpret_cast<uintptr_t>(dst + i) & 15) != 0; ++i)
        dst[i] = Over(alpha == 255 ? src[i] : Mul(src[i], alpha), dst[i]);
    const Lanes l;
    const __m128i ones = _mm_set1_epi32(-1);
    if (alpha == 255) {
        for (; i + 4 <= n; i += 4) {
            const __m128i s = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + i));
            if ((_mm_movemask_epi8(_mm_cmpeq_epi8(s, ones)) & 0x8888) == 0x8888) { // four opaque pixels replace the destination
                _mm_store_si128(reinterpret_cast<__m128i*>(dst + i), s);
                continue;
            }
            if (_mm_movemask_epi8(_mm_cmpeq_epi8(s, l.zero)) == 0xFFFF) // four clear pixels change nothing
                continue;
            __m128i* out = reinterpret_cast<__m128i*>(dst + i);
            _mm_store_si128(out, l.Over(_mm_unpacklo_epi8(s, l.zero), _mm_unpackhi_epi8(s, l.zero), _mm_load_si128(out)));
        }
    } else {
        const __m128i constant = _mm_set1_epi16(static_cast<short>(alpha));
        for (; i + 4 <= n; i += 4) {
            const __m128i s = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + i));
            if (_mm_movemask_epi8(_mm_cmpeq_epi8(s, l.zero)) == 0xFFFF)
                continue;
            const __m128i slo = l.Mul(_mm_unpacklo_epi8(s, l.zero), constant);
            const __m128i shi = l.Mul(_mm_unpackhi_epi8(s, l.zero), constant);
            __m128i* out = reinterpret_cast<__m128i*>(dst + i);
            _mm_store_si128(out, l.Over(slo, shi, _mm_load_si128(out)));
        }
    }
#endif
    for (; i < n; ++i)
        dst[i] = Over(alpha == 255 ? src[i] : Mul(src[i], alpha), dst[i]);
}

void FillRow(uint32_t* dst, size_t n, uint32_t argb)
{
    size_t i = 0;
#if defined(__SSE2__)
    const __m128i v = _mm_set1_epi32(static_cast<int>(argb));
    for (; i + 16 <= n; i += 16) {
        _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + i), v);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + i + 4), v);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + i + 8), v);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + i + 12), v);
    }
#endif
    for (; i < n; ++i)
        dst[i] = argb;
}

// The destination rectangle of an unscaled copy of srcRect (of a picture of
// srcSize) to dest, clipped to both pictures. Destination pixel (x, y) reads
// source pixel (x, y) - offset.
wxRect ClipCopy(const wxRect& srcRect, const wxSize& srcSize, const wxPoint& dest, const wxSize& destSize, wxPoint& offset)
{
    offset = dest - srcRect.GetTopLeft();
    const wxRect from = srcRect.Intersect(wxRect(srcSize));
    return wxRect(from.GetTopLeft() + offset, from.GetSize()).Intersect(wxRect(destSize));
}

} // namespace

BitmapDC::BitmapDC(Picture& picture) : target(&picture)
{
    if (!picture.IsOk())
        ZLOG_ERROR("Invalid Bitmap.");
}

void BitmapDC::Fill(uint32_t argb)
{
    if (!IsOk())
        return;
    FillRow(target->Pixels(), static_cast<size_t>(target->GetWidth()) * target->GetHeight(), argb);
}

void BitmapDC::BlendBitmap(const Picture& bitmap, const wxPoint& pos, unsigned char alpha)
{
    blendAlpha = alpha;
    const wxRect whole(wxPoint(0, 0), bitmap.GetSize());
    AlphaBlend(bitmap, whole, wxRect(pos, bitmap.GetSize()), alpha);
}

void BitmapDC::CopyFaded(const Picture& src, int y0, int y1, unsigned char a0, unsigned char a1)
{
    if (!IsOk() || !src.IsOk())
        return;
    const int w = target->GetWidth();
    const int h = target->GetHeight();
    if (y0 < 0 || y0 > h || y1 < 0 || y1 > h || y0 > y1)
        return;
    // A smaller source would be read past its end; a larger one gives its top-left part.
    if (src.GetWidth() < w || src.GetHeight() < h)
        return;
    uint32_t* dst = target->Pixels();
    auto copyOrClear = [&](int from, int to, unsigned char a) {
        for (int y = from; y < to; ++y) {
            uint32_t* row = dst + static_cast<size_t>(y) * w;
            if (a == 0)
                FillRow(row, w, 0);
            else if (row != src.Row(y)) // a picture faded onto itself keeps these rows
                std::memcpy(row, src.Row(y), sizeof(uint32_t) * w);
        }
    };
    copyOrClear(0, y0, a0);
    const int dy = y1 - y0;
    for (int j = 0; j < dy; ++j) {
        const uint32_t opacity = static_cast<uint32_t>(a0 + (j * (a1 - a0)) / dy);
        const uint32_t* in = src.Row(y0 + j);
        uint32_t* out = dst + static_cast<size_t>(y0 + j) * w;
        for (int x = 0; x < w; ++x) {
            const uint32_t p = in[x];
            const uint32_t rb = ((p & 0x00FF00FFu) * opacity >> 8) & 0x00FF00FFu;
            const uint32_t ag = (((p >> 8) & 0x00FF00FFu) * opacity) & 0xFF00FF00u;
            out[x] = rb | ag;
        }
    }
    copyOrClear(y1, h, a1);
}

void BitmapDC::Blit(const Picture& src, const wxRect& srcRect, const wxPoint& dest)
{
    if (!IsOk() || !src.IsOk())
        return;
    wxPoint offset;
    const wxRect to = ClipCopy(srcRect, src.GetSize(), dest, target->GetSize(), offset);
    if (to.IsEmpty())
        return;
    const Picture in = src; // a copy within one picture then writes to fresh pixels
    uint32_t* dst = target->Pixels();
    const int dw = target->GetWidth();
    for (int y = to.y; y <= to.GetBottom(); ++y)
        std::memcpy(dst + static_cast<size_t>(y) * dw + to.x, in.Row(y - offset.y) + (to.x - offset.x), sizeof(uint32_t) * to.width);
}

namespace {

// Walks the destination pixels of a scaled copy from srcRect of src to destRect,
// both clipped, and hands each pair of pixels to put.
template <class Put>
void ForEachScaled(Picture& target, const Picture& src, const wxRect& srcRect, const wxRect& destRect, Put put)
{
    if (!target.IsOk() || !src.IsOk() || srcRect.width <= 0 || srcRect.height <= 0 ||
        destRect.width <= 0 || destRect.height <= 0)
        return;
    const wxRect to = destRect.Intersect(wxRect(target.GetSize()));
    if (to.IsEmpty())
        return;
    const Picture in = src; // scaling within one picture reads the pixels as they were
    uint32_t* dst = target.Pixels();
    const uint32_t* base = in.Pixels();
    const int dw = target.GetWidth();
    const int sw = src.GetWidth();
    for (int y = to.y; y < to.GetBottom() + 1; ++y) {
        const int sy = srcRect.y + static_cast<int>(static_cast<int64_t>(y - destRect.y) * srcRect.height / destRect.height);
        if (sy < 0 || sy >= src.GetHeight())
            continue;
        uint32_t* out = dst + static_cast<size_t>(y) * dw;
        const uint32_t* in = base + static_cast<size_t>(sy) * sw;
        for (int x = to.x; x < to.GetRight() + 1; ++x) {
            const int sx = srcRect.x + static_cast<int>(static_cast<int64_t>(x - destRect.x) * srcRect.width / destRect.width);
            if (sx >= 0 && sx < sw)
                put(out[x], in[sx]);
        }
    }
}

} // namespace

void BitmapDC::StretchBlit(const Picture& src, const wxRect& srcRect, const wxRect& destRect)
{
    if (!IsOk())
        return;
    if (srcRect.GetSize() == destRect.GetSize()) {
        Blit(src, srcRect, destRect.GetTopLeft());
        return;
    }
    ForEachScaled(*target, src, srcRect, destRect, [](uint32_t& d, uint32_t s) { d = s; });
}

void BitmapDC::AlphaBlend(const Picture& src, const wxRect& srcRect, const wxRect& destRect, unsigned char alpha)
{
    if (!IsOk() || !src.IsOk() || alpha == 0)
        return;
    if (srcRect.GetSize() != destRect.GetSize()) {
        ForEachScaled(*target, src, srcRect, destRect,
                      [alpha](uint32_t& d, uint32_t s) { d = Over(alpha == 255 ? s : Mul(s, alpha), d); });
        return;
    }
    wxPoint offset;
    const wxRect to = ClipCopy(srcRect, src.GetSize(), destRect.GetTopLeft(), target->GetSize(), offset);
    if (to.IsEmpty())
        return;
    // Blending a picture over itself reads the pixels as they were.
    const Picture copy = src.SharesPixelsWith(*target) ? src : Picture();
    const Picture& in = copy.IsOk() ? copy : src;
    uint32_t* dst = target->Pixels();
    const int dw = target->GetWidth();
    for (int y = to.y; y <= to.GetBottom(); ++y)
        BlendRow(dst + static_cast<size_t>(y) * dw + to.x, in.Row(y - offset.y) + (to.x - offset.x), to.width, alpha);
}

// ---- Text -------------------------------------------------------------------

namespace {

// Blends glyph with its pen at (penX, penY); every pixel is clipped to the canvas.
void BlendGlyph(Picture& canvas, const FontManager::Glyph& glyph, int penX, int penY, uint32_t colour)
{
    if (glyph.coverage.empty())
        return;
    const int left = penX + glyph.left;
    const int top = penY - glyph.top;
    const int w = canvas.GetWidth();
    const int h = canvas.GetHeight();
    const int x0 = std::max(0, -left);
    const int x1 = std::min(glyph.width, w - left);
    const int y0 = std::max(0, -top);
    const int y1 = std::min(glyph.rows, h - top);
    if (x0 >= x1 || y0 >= y1)
        return;
    const uint32_t alpha = colour >> 24;
    const uint32_t solid = colour | 0xFF000000u;
    uint32_t* pixels = canvas.Pixels();
    for (int y = y0; y < y1; ++y) {
        const unsigned char* row = glyph.coverage.data() + static_cast<size_t>(y) * glyph.width;
        uint32_t* out = pixels + static_cast<size_t>(top + y) * w + left;
        for (int x = x0; x < x1; ++x) {
            const uint32_t k = row[x];
            if (k == 0)
                continue;
            if (k == 255 && alpha == 255) {
                out[x] = colour;
                continue;
            }
            const uint32_t a = (k * alpha) >> 8;
            const uint32_t d = out[x];
            uint32_t result = 0;
            for (int shift = 0; shift < 32; shift += 8) {
                const uint32_t channel = ((255 - a) * ((d >> shift) & 0xFF) + a * ((solid >> shift) & 0xFF)) >> 8;
                result |= channel << shift;
            }
            out[x] = result;
        }
    }
}

// Whether text draws with the emboldened GothamNights face and another one: the
// other face's glyphs are then emboldened too, so that one text has one weight.
bool MixesWeights(const wxString& text)
{
    const FT_Face gotham = FontManager::FontFaces[FontManager::FONT_GOTHAM];
    bool withGotham = false, withOther = false;
    for (const wxUniChar c : text) {
        if (c == '\n')
            continue;
        if (const FT_Face face = FontManager::FaceFor(c.GetValue()))
            (face == gotham ? withGotham : withOther) = true;
    }
    return withGotham && withOther;
}

// Draws code at the pen and advances it; a code that fails to load draws nothing and stays.
void DrawCode(Picture& canvas, unsigned code, int pixelSize, uint32_t colour, int& penX, int& penY, bool bold)
{
    const FontManager::Glyph* glyph = FontManager::GlyphFor(code, pixelSize, bold, true);
    if (!glyph)
        return;
    BlendGlyph(canvas, *glyph, penX, penY, colour);
    penX += glyph->advanceX;
    penY += glyph->advanceY;
}

} // namespace

int MeasureGlyphText(const wxString& text, const int& pixelSize)
{
    // The advances come from the glyphs the text is drawn with, so drawing it next loads nothing again.
    const bool bold = MixesWeights(text);
    int width = 0;
    for (const wxUniChar c : text) {
        if (const FontManager::Glyph* glyph = FontManager::GlyphFor(c.GetValue(), pixelSize, bold, false))
            width += glyph->advanceX;
    }
    return width;
}

void BitmapDC::DrawGlyphText(const wxString& text, const wxPoint& pos, const uint32_t& colour, const int& pixelSize)
{
    if (!IsOk() || pixelSize < 0 || pixelSize > pos.x || pixelSize > pos.y)
        return;
    const int w = target->GetWidth();
    const int h = target->GetHeight();
    int penX = pos.x;
    int penY = pos.y;
    const bool bold = MixesWeights(text);
    for (const wxUniChar c : text) {
        if (penX + pixelSize >= w || penY >= h)
            break;
        DrawCode(*target, c.GetValue(), pixelSize, colour, penX, penY, bold);
    }
}

void BitmapDC::DrawGlyphTextEx(const wxString& text, const wxPoint& pos, const wxSize& box, const uint32_t& colour, const int& pixelSize)
{
    if (!IsOk() || pixelSize < 0 || pixelSize > pos.x || pixelSize > pos.y || pixelSize > box.x || pixelSize > box.y)
        return;
    const int right = std::min(pos.x + box.x, target->GetWidth());
    const int bottom = std::min(pos.y + box.y, target->GetHeight());
    int penX = pos.x;
    int penY = pos.y;
    const bool bold = MixesWeights(text);
    for (const wxUniChar c : text) {
        if (c == '\n') {
            penX = pos.x;
            penY += pixelSize;
            continue;
        }
        if (penX + pixelSize >= right)
            continue; // cut until the next line feed
        if (penY >= bottom)
            break;
        DrawCode(*target, c.GetValue(), pixelSize, colour, penX, penY, bold);
    }
}

void BitmapDC::DrawGlyphTextCentered(const wxString& text, const wxPoint& pos, const uint32_t& colour, const int& pixelSize)
{
    const int start = pos.x - MeasureGlyphText(text, pixelSize) / 2;
    DrawGlyphText(text, wxPoint(start, pos.y), colour, pixelSize);
}
