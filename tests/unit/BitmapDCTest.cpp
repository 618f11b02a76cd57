#include <gtest/gtest.h>

#include <random>

#include "BitmapDC.h"
#include "FontFixture.h"
#include "LogCapture.h"
#include "TestSupport.h"

using fixture::FontCase;
using fixture::FontStore;
using zyntest::SamePixels;

namespace {

// Reference arithmetic, written independently of the canvas: x * a / 255 rounded.
uint32_t RefMul(uint32_t x, uint32_t a) { return (x * a + 127) / 255; }

// Premultiplied source over destination after the constant opacity m.
uint32_t RefBlend(uint32_t s, uint32_t d, uint32_t m)
{
    uint32_t sc[4], dc[4], out = 0;
    for (int c = 0; c < 4; ++c) {
        sc[c] = RefMul((s >> (8 * c)) & 0xFF, m);
        dc[c] = (d >> (8 * c)) & 0xFF;
    }
    for (int c = 0; c < 4; ++c)
        out |= std::min<uint32_t>(255, sc[c] + RefMul(dc[c], 255 - sc[3])) << (8 * c);
    return out;
}

uint32_t RandomPremultiplied(std::mt19937& rng)
{
    const uint32_t a = rng() % 4 == 0 ? (rng() % 2) * 255 : rng() % 256; // plenty of clear and opaque pixels
    uint32_t p = a << 24;
    for (int c = 0; c < 3; ++c)
        p |= (a ? rng() % (a + 1) : 0) << (8 * c);
    return p;
}

Picture RandomPicture(std::mt19937& rng, int w, int h)
{
    Picture p(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            p.Row(y)[x] = RandomPremultiplied(rng);
    return p;
}

// The pixels where a and b differ, as a count.
int Changed(const Picture& a, const Picture& b)
{
    int n = 0;
    for (int i = 0; i < a.GetWidth() * a.GetHeight(); ++i)
        n += a.Pixels()[i] != b.Pixels()[i];
    return n;
}

} // namespace

TEST(BitmapDC, FillThenOpaqueBlendReproducesThePicture)
{
    std::mt19937 rng(1);
    Picture source(13, 7);
    for (int y = 0; y < 7; ++y)
        for (int x = 0; x < 13; ++x)
            source.Row(y)[x] = 0xFF000000u | (rng() & 0xFFFFFF);
    Picture canvas(13, 7, 0x12345678u);
    BitmapDC dc(canvas);
    dc.Fill(0);
    EXPECT_EQ(canvas.GetPixel(12, 6), 0u);
    dc.BlendBitmap(source, wxPoint(0, 0), 255);
    EXPECT_TRUE(SamePixels(canvas, source));
}

TEST(BitmapDC, BlendMatchesTheReferenceOnEveryRowLength)
{
    std::mt19937 rng(7);
    for (int width : {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 16, 17, 23, 46}) {
        for (unsigned alpha : {0u, 1u, 77u, 128u, 254u, 255u}) {
            const Picture src = RandomPicture(rng, width, 3);
            Picture canvas = RandomPicture(rng, width, 3);
            const Picture before = canvas;
            BitmapDC dc(canvas);
            dc.BlendBitmap(src, wxPoint(0, 0), static_cast<unsigned char>(alpha));
            EXPECT_EQ(dc.blendAlpha, alpha);
            for (int y = 0; y < 3; ++y)
                for (int x = 0; x < width; ++x)
                    ASSERT_EQ(canvas.GetPixel(x, y), RefBlend(src.GetPixel(x, y), before.GetPixel(x, y), alpha))
                        << "width " << width << " alpha " << alpha << " at " << x << "," << y;
        }
    }
}

TEST(BitmapDC, CopiesAndBlendsClipToBothPictures)
{
    // A 4x4 source whose pixel value names its place.
    Picture src(4, 4);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            src.Row(y)[x] = 0xFF000000u | static_cast<uint32_t>(y * 16 + x + 1);
    const uint32_t bg = 0xFF808080u;
    struct Case {
        const char* name;
        wxRect srcRect;
        wxRect destRect;
        int op; // 0 Blit, 1 StretchBlit, 2 AlphaBlend
        // Expected: destination pixel -> source pixel, or none (background stays).
    };
    auto expectMap = [&](const Picture& canvas, const std::function<bool(int, int, int&, int&)>& from) {
        for (int y = 0; y < canvas.GetHeight(); ++y)
            for (int x = 0; x < canvas.GetWidth(); ++x) {
                int sx = 0, sy = 0;
                const uint32_t want = from(x, y, sx, sy) ? src.GetPixel(sx, sy) : bg;
                ASSERT_EQ(canvas.GetPixel(x, y), want) << x << "," << y;
            }
    };
    const Case cases[] = {
        {"up-left off the canvas", wxRect(0, 0, 4, 4), wxRect(-2, -1, 4, 4), 0},
        {"down-right off the canvas", wxRect(0, 0, 4, 4), wxRect(3, 4, 4, 4), 0},
        {"source rect past the source", wxRect(2, 2, 5, 5), wxRect(0, 0, 5, 5), 0},
        {"source rect before the source", wxRect(-1, -1, 3, 3), wxRect(1, 1, 3, 3), 0},
        {"blend up-left", wxRect(0, 0, 4, 4), wxRect(-3, -3, 4, 4), 2},
        {"blend past both", wxRect(1, 1, 9, 9), wxRect(4, 4, 9, 9), 2},
        {"stretch twice the size", wxRect(0, 0, 4, 4), wxRect(-2, -2, 8, 8), 1},
        {"stretch half the size", wxRect(0, 0, 4, 4), wxRect(5, 5, 2, 2), 1},
        {"blend stretched", wxRect(0, 0, 2, 2), wxRect(4, 0, 6, 6), 2},
        {"empty rect", wxRect(0, 0, 0, 4), wxRect(0, 0, 0, 4), 1},
        {"entirely outside", wxRect(0, 0, 4, 4), wxRect(6, 0, 4, 4), 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Picture canvas(6, 6, bg);
        BitmapDC dc(canvas);
        if (c.op == 0)
            dc.Blit(src, c.srcRect, c.destRect.GetTopLeft());
        else if (c.op == 1)
            dc.StretchBlit(src, c.srcRect, c.destRect);
        else
            dc.AlphaBlend(src, c.srcRect, c.destRect, 255);
        expectMap(canvas, [&](int x, int y, int& sx, int& sy) {
            if (!c.destRect.Contains(x, y) || c.destRect.IsEmpty())
                return false;
            sx = c.srcRect.x + (x - c.destRect.x) * c.srcRect.width / c.destRect.width;
            sy = c.srcRect.y + (y - c.destRect.y) * c.srcRect.height / c.destRect.height;
            return sx >= 0 && sy >= 0 && sx < 4 && sy < 4;
        });
    }
}

TEST(BitmapDC, BlendingAPictureOntoItselfReadsItAsItWas)
{
    Picture canvas(6, 1);
    for (int x = 0; x < 6; ++x)
        canvas.Row(0)[x] = 0xFF000000u | static_cast<uint32_t>(x + 1);
    const Picture before = canvas;
    BitmapDC dc(canvas);
    dc.Blit(canvas, wxRect(0, 0, 5, 1), wxPoint(1, 0));
    for (int x = 1; x < 6; ++x)
        EXPECT_EQ(canvas.GetPixel(x, 0), before.GetPixel(x - 1, 0));
    // The shared copy taken before the write still holds the old pixels.
    EXPECT_EQ(before.GetPixel(1, 0), 0xFF000002u);
}

TEST(BitmapDC, CopyFadedRamps)
{
    const int w = 3, h = 30;
    Picture src(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            src.Row(y)[x] = 0xF0C08040u + static_cast<uint32_t>(y);
    const uint32_t bg = 0x11111111u;
    // Channel-wise p * opacity >> 8, as the ramp computes it.
    auto faded = [](uint32_t p, int opacity) {
        uint32_t out = 0;
        for (int c = 0; c < 4; ++c)
            out |= ((((p >> (8 * c)) & 0xFF) * static_cast<uint32_t>(opacity)) >> 8) << (8 * c);
        return out;
    };
    struct Case {
        int y0, y1, a0, a1;
        bool applied;
    };
    const Case cases[] = {
        {10, 20, 255, 0, true},  {10, 20, 0, 255, true}, {0, 30, 40, 200, true},
        {12, 12, 0, 255, true},  {12, 12, 255, 0, true}, {0, 0, 0, 128, true},
        {30, 30, 100, 0, true},  {-1, 10, 0, 0, false},  {5, 31, 0, 0, false},
        {20, 10, 0, 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.y0 << ".." << c.y1 << " " << c.a0 << "->" << c.a1);
        Picture canvas(w, h, bg);
        BitmapDC dc(canvas);
        dc.CopyFaded(src, c.y0, c.y1, static_cast<unsigned char>(c.a0), static_cast<unsigned char>(c.a1));
        for (int y = 0; y < h; ++y) {
            uint32_t want = bg;
            if (c.applied) {
                if (y < c.y0)
                    want = c.a0 ? src.GetPixel(0, y) : 0;
                else if (y < c.y1)
                    want = faded(src.GetPixel(0, y), c.a0 + ((y - c.y0) * (c.a1 - c.a0)) / (c.y1 - c.y0));
                else
                    want = c.a1 ? src.GetPixel(0, y) : 0;
            }
            for (int x = 0; x < w; ++x)
                ASSERT_EQ(canvas.GetPixel(x, y), want) << "row " << y;
        }
    }
    // Rows 10..19 of 255 -> 0: the ramp starts at 255 and stops short of 0.
    Picture canvas(w, h, bg);
    BitmapDC(canvas).CopyFaded(src, 10, 20, 255, 0);
    EXPECT_EQ(canvas.GetPixel(0, 10), faded(src.GetPixel(0, 10), 255));
    EXPECT_EQ(canvas.GetPixel(0, 11), faded(src.GetPixel(0, 11), 230));
    EXPECT_EQ(canvas.GetPixel(0, 19), faded(src.GetPixel(0, 19), 26));
}

TEST(BitmapDC, CopyFadedRefusesASmallerSource)
{
    const Picture src(4, 9, 0xFFFFFFFFu);
    for (const wxSize canvasSize : {wxSize(4, 10), wxSize(5, 9)}) {
        Picture canvas(canvasSize.x, canvasSize.y, 0x01020304u);
        BitmapDC(canvas).CopyFaded(src, 0, 5, 255, 255);
        EXPECT_EQ(canvas.GetPixel(0, 0), 0x01020304u);
    }
    // A larger source gives its top-left part.
    const Picture big(8, 12, 0xFFFFFFFFu);
    Picture canvas(4, 9, 0u);
    BitmapDC(canvas).CopyFaded(big, 9, 9, 255, 255);
    EXPECT_EQ(canvas.GetPixel(3, 8), 0xFFFFFFFFu);
}

TEST(BitmapDC, InvalidCanvasIsLoggedAndDrawsNothing)
{
    zyntest::LogCapture log;
    Picture none;
    BitmapDC dc(none);
    EXPECT_EQ(log.Texts(wxLOG_Error), std::vector<std::string>{"Invalid Bitmap."});
    EXPECT_EQ(log.lines[0].source, "src/BitmapDC");
    EXPECT_EQ(log.lines[0].function, "BitmapDC");
    dc.Fill(0xFFFFFFFFu);
    dc.BlendBitmap(Picture(2, 2, 0xFFFFFFFFu), wxPoint(0, 0), 255);
    dc.CopyFaded(Picture(2, 2), 0, 0, 0, 0);
    dc.DrawGlyphText("abc", wxPoint(20, 20), 0xFFFFFFFFu, 15);
    EXPECT_FALSE(none.IsOk());
}

// ---- Text ---------------------------------------------------------------------

class GlyphText : public testing::Test {
protected:
    void Open(const FontCase& c) { ASSERT_TRUE(store.Open(c)) << "a fixture font is not installed (scripts/deps.sh)"; }
    FontStore store;
};

TEST_F(GlyphText, CoverageBlendsByTheFormula)
{
    Open({true, true, true, true});
    const wxPoint pen(80, 80);
    const int w = 200, h = 100;
    // With white on transparent black only full coverage gives exactly white.
    Picture probe(w, h, 0u);
    BitmapDC(probe).DrawGlyphText("l", pen, 0xFFFFFFFFu, 60);
    std::vector<int> full;
    for (int i = 0; i < w * h; ++i) {
        if (probe.Pixels()[i] == 0xFFFFFFFFu)
            full.push_back(i);
    }
    ASSERT_FALSE(full.empty());

    const uint32_t d = 0xFF336699u;
    const uint32_t rgb = 0x102030u;
    Picture opaque(w, h, d);
    BitmapDC(opaque).DrawGlyphText("l", pen, 0xFF000000u | rgb, 60);
    Picture translucent(w, h, d);
    BitmapDC(translucent).DrawGlyphText("l", pen, 0xCC000000u | rgb, 60);
    const uint32_t a = 203; // (255 * 0xCC) >> 8
    uint32_t want = 0;
    for (int c = 0; c < 4; ++c) {
        const uint32_t s = ((0xFF000000u | rgb) >> (8 * c)) & 0xFF;
        want |= (((255 - a) * ((d >> (8 * c)) & 0xFF) + a * s) >> 8) << (8 * c);
    }
    for (int i : full) {
        ASSERT_EQ(opaque.Pixels()[i], 0xFF000000u | rgb);
        ASSERT_EQ(translucent.Pixels()[i], want);
    }
    // On white, any coverage at all changes a pixel ((255 * 255) >> 8 is 254);
    // where none does, the pixel stays as it was.
    Picture white(w, h, 0xFFFFFFFFu);
    BitmapDC(white).DrawGlyphText("l", pen, 0xFF000000u, 60);
    for (int i = 0; i < w * h; ++i) {
        if (white.Pixels()[i] == 0xFFFFFFFFu) {
            ASSERT_EQ(opaque.Pixels()[i], d);
        }
    }
}

TEST_F(GlyphText, GuardsDrawNothing)
{
    Open({true, true, true, true});
    struct Case {
        const char* name;
        int op; // 0 line, 1 box, 2 centred
        wxPoint pos;
        wxSize box;
        int size;
    };
    const Case cases[] = {
        {"x below the size", 0, wxPoint(14, 40), {}, 15},
        {"y below the size", 0, wxPoint(40, 14), {}, 15},
        {"negative size", 0, wxPoint(40, 40), {}, -1},
        {"pen at the right edge", 0, wxPoint(86, 40), {}, 15},
        {"baseline below the canvas", 0, wxPoint(40, 100), {}, 15},
        {"box narrower than the size", 1, wxPoint(20, 20), wxSize(14, 50), 15},
        {"box lower than the size", 1, wxPoint(20, 20), wxSize(50, 14), 15},
        {"centred start left of the size", 2, wxPoint(30, 40), {}, 15},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Picture canvas(100, 100, 0xFF000000u);
        BitmapDC dc(canvas);
        const wxString text = "Wide enough text";
        if (c.op == 0)
            dc.DrawGlyphText(text, c.pos, 0xFFFFFFFFu, c.size);
        else if (c.op == 1)
            dc.DrawGlyphTextEx(text, c.pos, c.box, 0xFFFFFFFFu, c.size);
        else
            dc.DrawGlyphTextCentered(text, c.pos, 0xFFFFFFFFu, c.size);
        EXPECT_EQ(Changed(canvas, Picture(100, 100, 0xFF000000u)), 0);
    }
    // The centred line does draw once its start clears the size.
    Picture canvas(300, 100, 0xFF000000u);
    BitmapDC(canvas).DrawGlyphTextCentered("Wide enough text", wxPoint(150, 40), 0xFFFFFFFFu, 15);
    EXPECT_GT(Changed(canvas, Picture(300, 100, 0xFF000000u)), 0);
}

TEST_F(GlyphText, CentredTextStartsHalfItsWidthLeft)
{
    Open({true, true, true, true});
    const wxString text = "Centre me";
    const int width = MeasureGlyphText(text, 15);
    ASSERT_GT(width, 0);
    Picture centred(200, 40, 0u);
    BitmapDC(centred).DrawGlyphTextCentered(text, wxPoint(100, 30), 0xFFFFFFFFu, 15);
    Picture line(200, 40, 0u);
    BitmapDC(line).DrawGlyphText(text, wxPoint(100 - width / 2, 30), 0xFFFFFFFFu, 15);
    EXPECT_TRUE(SamePixels(centred, line));
    EXPECT_EQ(MeasureGlyphText("", 15), 0);
}

TEST_F(GlyphText, LineFeedStartsANewLineOneSizeLower)
{
    Open({true, true, true, true});
    Picture box(100, 80, 0u);
    BitmapDC(box).DrawGlyphTextEx("a\nb", wxPoint(20, 30), wxSize(60, 40), 0xFFFFFFFFu, 15);
    Picture lines(100, 80, 0u);
    BitmapDC dc(lines);
    dc.DrawGlyphText("a", wxPoint(20, 30), 0xFFFFFFFFu, 15);
    dc.DrawGlyphText("b", wxPoint(20, 45), 0xFFFFFFFFu, 15);
    EXPECT_TRUE(SamePixels(box, lines));

    // Text past the right limit is cut until the next line feed; lines past the bottom stop.
    Picture cut(200, 200, 0u);
    BitmapDC(cut).DrawGlyphTextEx("abcdefghijklmnop\nb\nc\nd", wxPoint(20, 30), wxSize(40, 31), 0xFFFFFFFFu, 15);
    Picture expected(200, 200, 0u);
    BitmapDC e(expected);
    int penX = 20;
    for (char ch : std::string("abcdefghijklmnop")) {
        if (penX + 15 >= 60)
            break;
        e.DrawGlyphText(wxString(ch), wxPoint(penX, 30), 0xFFFFFFFFu, 15);
        penX += MeasureGlyphText(wxString(ch), 15);
    }
    e.DrawGlyphText("b", wxPoint(20, 45), 0xFFFFFFFFu, 15);
    e.DrawGlyphText("c", wxPoint(20, 60), 0xFFFFFFFFu, 15);
    EXPECT_TRUE(SamePixels(cut, expected));
}

TEST_F(GlyphText, GothamNightsDrawsOnlyLatinOneAndBolder)
{
    // GothamNights and the CJK sans loaded; FZZY missing.
    Open({true, false, true, true});
    auto draw = [](const wxString& text) {
        Picture p(160, 60, 0u);
        BitmapDC(p).DrawGlyphText(text, wxPoint(30, 45), 0xFFFFFFFFu, 30);
        return p;
    };
    const Picture latinWithGotham = draw(wxString::FromUTF8("Aé"));
    const Picture aboveWithGotham = draw(wxString::FromUTF8("Āĉ中"));
    ASSERT_GT(Changed(latinWithGotham, Picture(160, 60, 0u)), 0);
    ASSERT_GT(Changed(aboveWithGotham, Picture(160, 60, 0u)), 0);
    FontManager::Release();

    // The same texts with only the CJK sans.
    FontStore cjkOnly;
    ASSERT_TRUE(cjkOnly.Open({false, false, true, true}));
    EXPECT_TRUE(SamePixels(aboveWithGotham, draw(wxString::FromUTF8("Āĉ中"))));
    EXPECT_FALSE(SamePixels(latinWithGotham, draw(wxString::FromUTF8("Aé"))));
}

TEST_F(GlyphText, GothamNightsIsEmboldened)
{
    auto ink = [](const Picture& p) {
        uint64_t sum = 0;
        for (int i = 0; i < p.GetWidth() * p.GetHeight(); ++i)
            sum += p.Pixels()[i] >> 24;
        return sum;
    };
    auto draw = [] {
        Picture p(200, 60, 0u);
        BitmapDC(p).DrawGlyphText("Iliad", wxPoint(30, 45), 0xFFFFFFFFu, 30);
        return p;
    };
    // The same Liberation Sans file, once as GothamNights and once as the system's Arial match.
    Open({true, true, true, true});
    const uint64_t gotham = ink(draw());
    FontManager::Release();
    FontStore plain;
    ASSERT_TRUE(plain.Prepare({false, false, false, false}));
    auto lookup = std::make_unique<zplat::FakeFontLookup>();
    lookup->answers["Arial"] = {fixture::InstalledFont(fixture::GothamFamily), 0};
    zplat::SetFontLookup(std::move(lookup));
    ASSERT_TRUE(FontManager::Initial());
    const uint64_t regular = ink(draw());
    EXPECT_GT(gotham, regular + regular / 10);
}

// A text of Latin and Chinese letters (the welcome) has one weight: where GothamNights
// draws its Latin part emboldened, the other face's glyphs are emboldened as well.
TEST_F(GlyphText, AMixedTextHasOneWeight)
{
    Open({true, false, true, true});
    auto ink = [](const wxString& text, bool wrapped) {
        Picture p(200, 60, 0u);
        BitmapDC dc(p);
        if (wrapped)
            dc.DrawGlyphTextEx(text, wxPoint(30, 45), wxSize(165, 40), 0xFFFFFFFFu, 30);
        else
            dc.DrawGlyphText(text, wxPoint(30, 45), 0xFFFFFFFFu, 30);
        uint64_t sum = 0;
        for (int i = 0; i < p.GetWidth() * p.GetHeight(); ++i)
            sum += p.Pixels()[i] >> 24;
        return sum;
    };
    const wxString chinese = wxString::FromUTF8("中文");
    for (const bool wrapped : {false, true}) {
        SCOPED_TRACE(wrapped ? "in a box" : "on a line");
        const uint64_t alone = ink(chinese, wrapped);
        const uint64_t besideLatin = ink("A" + chinese, wrapped) - ink("A", wrapped);
        ASSERT_GT(alone, 0u);
        EXPECT_GT(besideLatin, alone + alone / 10);
    }
}

// A figure redrawn every second (the system monitor's) loads its glyphs through
// FreeType once: measuring and drawing the same text again does no outline work
// and gives the same pixels; another size or weight is a glyph of its own.
TEST_F(GlyphText, TextDrawnAgainGoesThroughFreeTypeOnce)
{
    Open({true, true, true, true});
    const wxString text = wxString::FromUTF8("Memory Usage: 3072 / 4096 mb 中");
    auto draw = [&](int size) {
        Picture p(500, 80, 0u);
        BitmapDC(p).DrawGlyphTextCentered(text, wxPoint(250, 50), 0xBB333333u, size);
        return p;
    };
    const unsigned long start = FontManager::GlyphLoads();
    const Picture first = draw(15);
    const unsigned long loads = FontManager::GlyphLoads() - start;
    ASSERT_GT(loads, 0u);
    const Picture again = draw(15);
    EXPECT_EQ(MeasureGlyphText(text, 15), MeasureGlyphText(text, 15));
    EXPECT_EQ(FontManager::GlyphLoads() - start, loads);
    EXPECT_TRUE(SamePixels(first, again));
    EXPECT_GT(Changed(first, Picture(500, 80, 0u)), 0);

    const Picture larger = draw(20);
    EXPECT_GT(FontManager::GlyphLoads() - start, loads);
    EXPECT_FALSE(SamePixels(first, larger));

    // The Chinese letter alone is drawn in its regular weight, beside Latin ones emboldened.
    const unsigned long beforeAlone = FontManager::GlyphLoads();
    Picture alone(60, 60, 0u);
    BitmapDC(alone).DrawGlyphText(wxString::FromUTF8("中"), wxPoint(20, 40), 0xFFFFFFFFu, 15);
    EXPECT_GT(FontManager::GlyphLoads(), beforeAlone);
}

TEST_F(GlyphText, TextAtEveryEdgeStaysInsideTheCanvas)
{
    // Emboldened GothamNights with tall accents and descenders, and CJK, at
    // large sizes over a small canvas; the sanitizer build catches any stray write.
    Open({true, true, true, true});
    const wxString text = wxString::FromUTF8("ÂÉgjpÇ|Å中\nÿ_Qy");
    Picture canvas(24, 20, 0u);
    BitmapDC dc(canvas);
    for (int size : {0, 1, 6, 15, 19, 23, 40}) {
        for (int y = 0; y <= 60; y += 3) {
            for (int x = 0; x <= 40; x += 3) {
                dc.DrawGlyphText(text, wxPoint(x, y), 0xFFFFFFFFu, size);
                dc.DrawGlyphTextEx(text, wxPoint(x, y), wxSize(60, 60), 0xCCFFFFFFu, size);
                dc.DrawGlyphTextCentered(text, wxPoint(x, y), 0x80FFFFFFu, size);
            }
        }
    }
    EXPECT_GT(Changed(canvas, Picture(24, 20, 0u)), 0);
}

TEST_F(GlyphText, GlyphsCutAtTheEdgeMatchALargerCanvas)
{
    // A glyph that passes the pen checks but reaches past the right or bottom
    // edge is cut there: the canvas shows exactly the top-left part of what a
    // larger canvas shows, with nothing wrapped into the next row.
    Open({true, true, true, true});
    const int n = 40;
    for (const char* glyph : {"W", "M", "@", "g", "\xC3\x85", "\xC3\xBF", "\xE4\xB8\xAD"}) {
        for (int size : {6, 9, 15, 23}) {
            for (int x = n - size - 4; x < n - size; ++x) {
                for (int y : {size, n / 2, n - 6, n - 1}) {
                    SCOPED_TRACE(testing::Message() << glyph << " size " << size << " at " << x << "," << y);
                    Picture small(n, n, 0u);
                    BitmapDC(small).DrawGlyphText(wxString::FromUTF8(glyph), wxPoint(x, y), 0xFFFFFFFFu, size);
                    Picture large(2 * n, 2 * n, 0u);
                    BitmapDC(large).DrawGlyphText(wxString::FromUTF8(glyph), wxPoint(x, y), 0xFFFFFFFFu, size);
                    ASSERT_TRUE(SamePixels(small, large.GetSubPicture(wxRect(0, 0, n, n))));
                }
            }
        }
    }
}

TEST_F(GlyphText, MonochromeStrikesDrawWholePixels)
{
    // WenQuanYi Zen Hei Sharp (face 2 of the collection) has 1-bit strikes at
    // 12 to 16 pixels: rows of packed bits with their own pitch.
    FontCase c{false, false, false, false};
    ASSERT_TRUE(store.Prepare(c));
    const std::string file = fixture::InstalledFont(fixture::SimheiFamily);
    auto lookup = std::make_unique<zplat::FakeFontLookup>();
    lookup->answers["sans-serif"] = {file, 2};
    zplat::SetFontLookup(std::move(lookup));
    ASSERT_TRUE(FontManager::Initial());
    FT_Face face = FontManager::FontFaces[FontManager::FONT_SIMHEI];
    ASSERT_EQ(std::string(face->family_name), "WenQuanYi Zen Hei Sharp");

    FT_Set_Pixel_Sizes(face, 0, 15);
    ASSERT_EQ(FT_Load_Char(face, 0x4E2D, FT_LOAD_FORCE_AUTOHINT), 0);
    const FT_Bitmap& bitmap = face->glyph->bitmap;
    ASSERT_EQ(bitmap.pixel_mode, FT_PIXEL_MODE_MONO);
    int bits = 0;
    for (unsigned y = 0; y < bitmap.rows; ++y)
        for (unsigned x = 0; x < bitmap.width; ++x)
            bits += (bitmap.buffer[y * bitmap.pitch + x / 8] >> (7 - x % 8)) & 1;
    const wxSize glyphSize(static_cast<int>(bitmap.width), static_cast<int>(bitmap.rows));

    Picture canvas(60, 40, 0u);
    BitmapDC(canvas).DrawGlyphText(wxString::FromUTF8("\xE4\xB8\xAD"), wxPoint(20, 25), 0xFF4080C0u, 15);
    int ink = 0;
    wxRect box;
    for (int y = 0; y < 40; ++y) {
        for (int x = 0; x < 60; ++x) {
            const uint32_t p = canvas.GetPixel(x, y);
            if (p == 0)
                continue;
            ASSERT_EQ(p, 0xFF4080C0u) << x << "," << y;
            ++ink;
            box.Union(wxRect(x, y, 1, 1));
        }
    }
    EXPECT_EQ(ink, bits);
    EXPECT_GT(ink, 20);
    EXPECT_LE(box.width, glyphSize.x);
    EXPECT_LE(box.height, glyphSize.y);
}
