// The canvas against pixman and cairo on the same pictures: fill, blend
// (a 46x46 theme icon and 1920x1080 pictures), the fade ramp, text, and the
// copy of a frame list. Prints the time ratio ours / theirs at the end.
//   cmake --build build --target zyn-bench-canvas && build/bin/zyn-bench-canvas
#include <benchmark/benchmark.h>

#include <cairo.h>
#include <pixman.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include <wx/image.h>
#include <wx/imagpng.h>
#include <wx/init.h>

#include "BitmapDC.h"
#include "BitmapManager.h"
#include "FontManager.h"
#include "SystemPaths.h"

namespace {

// ---- The pictures ---------------------------------------------------------------

// Every opacity from clear to opaque across the width: no run of pixels takes a
// shortcut, the slowest case for both sides.
Picture Translucent(int w, int h)
{
    Picture p(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const uint32_t a = static_cast<uint32_t>((x + y) % 256);
            p.Row(y)[x] = (a << 24) | ((a * 3 / 4) << 16) | ((a / 2) << 8) | (a / 4);
        }
    return p;
}

// The theme's information panel tiled over the screen: opaque stone, soft
// shadows and clear margins, as a composed launcher frame has them.
Picture Tiled(const Picture& tile, int w, int h)
{
    Picture p(w, h, 0u);
    BitmapDC dc(p);
    for (int y = 0; y < h; y += tile.GetHeight())
        for (int x = 0; x < w; x += tile.GetWidth())
            dc.Blit(tile, wxRect(tile.GetSize()), wxPoint(x, y));
    return p;
}

struct Pictures {
    Picture icon;           // symbol/info_normal.png, 46 x 46
    Picture panel;          // background/panel.png
    Picture translucent;    // 1920 x 1080
    Picture screen;         // 1920 x 1080, tiled panels
    Picture iconBackground; // 46 x 46 opaque
    Picture background;     // 1920 x 1080 opaque
};

Pictures& Shared()
{
    static Pictures p = [] {
        Pictures out;
        const wxString images = wxString(ZYN_APP_DIR) + "/Images/";
        out.icon = Picture::Load(images + "symbol/info_normal.png", wxBITMAP_TYPE_PNG);
        out.panel = Picture::Load(images + "background/panel.png", wxBITMAP_TYPE_PNG);
        if (!out.icon.IsOk() || !out.panel.IsOk()) {
            fprintf(stderr, "zyn-bench: build the application directory first (%s)\n", ZYN_APP_DIR);
            exit(1);
        }
        out.translucent = Translucent(1920, 1080);
        out.screen = Tiled(out.panel, 1920, 1080);
        out.iconBackground = Picture(46, 46, 0xFF203040u);
        out.background = Picture(1920, 1080, 0xFF203040u);
        return out;
    }();
    return p;
}

const Picture& Source(int which)
{
    Pictures& p = Shared();
    return which == 0 ? p.icon : which == 1 ? p.translucent : p.screen;
}

const char* SourceName(int which) { return which == 0 ? "icon46" : which == 1 ? "translucent1080p" : "theme1080p"; }

cairo_surface_t* Surface(Picture& p)
{
    return cairo_image_surface_create_for_data(reinterpret_cast<unsigned char*>(p.Pixels()), CAIRO_FORMAT_ARGB32,
                                               p.GetWidth(), p.GetHeight(), p.GetWidth() * 4);
}

pixman_image_t* Image(Picture& p)
{
    return pixman_image_create_bits(PIXMAN_a8r8g8b8, p.GetWidth(), p.GetHeight(), p.Pixels(), p.GetWidth() * 4);
}

void SetPixels(benchmark::State& state, const Picture& p)
{
    state.SetItemsProcessed(state.iterations() * p.GetWidth() * p.GetHeight());
}

// ---- Blend: args {source, alpha} --------------------------------------------------

void BlendOurs(benchmark::State& state)
{
    const Picture& src = Source(static_cast<int>(state.range(0)));
    const auto alpha = static_cast<unsigned char>(state.range(1));
    Picture dst = src.GetWidth() == 46 ? Shared().iconBackground : Shared().background;
    BitmapDC dc(dst);
    for (auto _ : state) {
        dc.BlendBitmap(src, wxPoint(0, 0), alpha);
        benchmark::DoNotOptimize(dst.Pixels());
    }
    SetPixels(state, src);
}

void BlendPixman(benchmark::State& state)
{
    Picture src = Source(static_cast<int>(state.range(0)));
    const int alpha = static_cast<int>(state.range(1));
    Picture dst = src.GetWidth() == 46 ? Shared().iconBackground : Shared().background;
    pixman_image_t* s = Image(src);
    pixman_image_t* d = Image(dst);
    const pixman_color_t constant = {0, 0, 0, static_cast<uint16_t>(alpha * 0x101)};
    pixman_image_t* mask = alpha == 255 ? nullptr : pixman_image_create_solid_fill(&constant);
    for (auto _ : state) {
        pixman_image_composite32(PIXMAN_OP_OVER, s, mask, d, 0, 0, 0, 0, 0, 0, src.GetWidth(), src.GetHeight());
        benchmark::DoNotOptimize(dst.Pixels());
    }
    if (mask)
        pixman_image_unref(mask);
    pixman_image_unref(d);
    pixman_image_unref(s);
    SetPixels(state, src);
}

void BlendCairo(benchmark::State& state)
{
    Picture src = Source(static_cast<int>(state.range(0)));
    const double alpha = static_cast<double>(state.range(1)) / 255.0;
    Picture dst = src.GetWidth() == 46 ? Shared().iconBackground : Shared().background;
    cairo_surface_t* s = Surface(src);
    cairo_surface_t* d = Surface(dst);
    cairo_t* cr = cairo_create(d);
    cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
    for (auto _ : state) {
        cairo_set_source_surface(cr, s, 0, 0);
        cairo_paint_with_alpha(cr, alpha);
        cairo_surface_flush(d);
        benchmark::DoNotOptimize(dst.Pixels());
    }
    cairo_destroy(cr);
    cairo_surface_destroy(d);
    cairo_surface_destroy(s);
    SetPixels(state, src);
}

void BlendArgs(benchmark::internal::Benchmark* b)
{
    for (int which : {0, 1, 2})
        for (int alpha : {255, 128})
            b->Args({which, alpha});
}

// ---- Fill: arg {size} ---------------------------------------------------------------

Picture& FillTarget(int which)
{
    static Picture icon(46, 46), screen(1920, 1080);
    return which == 0 ? icon : screen;
}

void FillOurs(benchmark::State& state)
{
    Picture& p = FillTarget(static_cast<int>(state.range(0)));
    BitmapDC dc(p);
    for (auto _ : state) {
        dc.Fill(0x80102030u);
        benchmark::DoNotOptimize(p.Pixels());
    }
    SetPixels(state, p);
}

void FillPixman(benchmark::State& state)
{
    Picture& p = FillTarget(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        pixman_fill(p.Pixels(), p.GetWidth(), 32, 0, 0, p.GetWidth(), p.GetHeight(), 0x80102030u);
        benchmark::DoNotOptimize(p.Pixels());
    }
    SetPixels(state, p);
}

void FillCairo(benchmark::State& state)
{
    Picture& p = FillTarget(static_cast<int>(state.range(0)));
    cairo_surface_t* s = Surface(p);
    cairo_t* cr = cairo_create(s);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_set_source_rgba(cr, 0x30 / 255.0, 0x20 / 255.0, 0x10 / 255.0, 0x80 / 255.0);
    for (auto _ : state) {
        cairo_paint(cr);
        cairo_surface_flush(s);
        benchmark::DoNotOptimize(p.Pixels());
    }
    cairo_destroy(cr);
    cairo_surface_destroy(s);
    SetPixels(state, p);
}

// ---- CopyFaded: the screen picture with a 200-row ramp --------------------------------

void FadeOurs(benchmark::State& state)
{
    const Picture& src = Shared().screen;
    Picture dst(1920, 1080);
    BitmapDC dc(dst);
    for (auto _ : state) {
        dc.CopyFaded(src, 440, 640, 255, 0);
        benchmark::DoNotOptimize(dst.Pixels());
    }
    SetPixels(state, dst);
}

void FadeCairo(benchmark::State& state)
{
    Picture src = Shared().screen;
    Picture dst(1920, 1080);
    cairo_surface_t* s = Surface(src);
    cairo_surface_t* d = Surface(dst);
    cairo_t* cr = cairo_create(d);
    cairo_pattern_t* ramp = cairo_pattern_create_linear(0, 440, 0, 640);
    cairo_pattern_add_color_stop_rgba(ramp, 0, 0, 0, 0, 1);
    cairo_pattern_add_color_stop_rgba(ramp, 1, 0, 0, 0, 0);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    for (auto _ : state) {
        cairo_set_source_surface(cr, s, 0, 0);
        cairo_mask(cr, ramp);
        cairo_surface_flush(d);
        benchmark::DoNotOptimize(dst.Pixels());
    }
    cairo_pattern_destroy(ramp);
    cairo_destroy(cr);
    cairo_surface_destroy(d);
    cairo_surface_destroy(s);
    SetPixels(state, dst);
}

// ---- Text: a 40-character line at the label size ------------------------------------

void TextLine(benchmark::State& state)
{
    const wxString line = "Veyrune launcher: open, run and go! 1234"; // 40 characters
    Picture canvas(800, 40, 0u);
    BitmapDC dc(canvas);
    for (auto _ : state) {
        dc.DrawGlyphText(line, wxPoint(20, 28), 0xFFFFFFFFu, DefaultTextSize);
        benchmark::DoNotOptimize(canvas.Pixels());
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(line.length()));
    state.SetLabel("items = glyphs");
}

// ---- A frame list copied as the items copy theme frames --------------------------------

void CopyFramesShared(benchmark::State& state)
{
    const Frames& frames = BitmapManager::System(BITMAP_CATALOG);
    for (auto _ : state) {
        Frames copy = frames;
        benchmark::DoNotOptimize(copy.data());
    }
}

void CopyFramesDeep(benchmark::State& state)
{
    const Frames& frames = BitmapManager::System(BITMAP_CATALOG);
    for (auto _ : state) {
        Frames copy;
        for (const Picture& f : frames)
            copy.push_back(f.GetSubPicture(wxRect(f.GetSize())));
        benchmark::DoNotOptimize(copy.data());
    }
}

// ---- Ratios -------------------------------------------------------------------------

// Keeps each run's time by name and prints ours / theirs when all have run.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs)
            times[run.benchmark_name()] = run.GetAdjustedRealTime();
    }
    void Finalize() override
    {
        ConsoleReporter::Finalize();
        printf("\nRatio of times, ours / theirs (below 1: ours is faster)\n");
        for (const auto& [name, ours] : times) {
            const size_t at = name.find("Ours");
            if (at == std::string::npos)
                continue;
            for (const char* other : {"Pixman", "Cairo"}) {
                std::string theirs = name;
                theirs.replace(at, 4, other);
                const auto it = times.find(theirs);
                if (it != times.end())
                    printf("  %-40s vs %-6s %.2f\n", name.c_str(), other, ours / it->second);
            }
        }
    }

private:
    std::map<std::string, double> times;
};

// Whether our blend gives pixman's pixels, bit for bit.
void CompareWithPixman()
{
    for (int which : {0, 1, 2}) {
        for (int alpha : {255, 128, 7}) {
            Picture src = Source(which);
            Picture ours = src.GetWidth() == 46 ? Shared().iconBackground : Shared().background;
            Picture theirs = ours.GetSubPicture(wxRect(ours.GetSize()));
            BitmapDC(ours).BlendBitmap(src, wxPoint(0, 0), static_cast<unsigned char>(alpha));
            pixman_image_t* s = Image(src);
            pixman_image_t* d = Image(theirs);
            const pixman_color_t constant = {0, 0, 0, static_cast<uint16_t>(alpha * 0x101)};
            pixman_image_t* mask = alpha == 255 ? nullptr : pixman_image_create_solid_fill(&constant);
            pixman_image_composite32(PIXMAN_OP_OVER, s, mask, d, 0, 0, 0, 0, 0, 0, src.GetWidth(), src.GetHeight());
            if (mask)
                pixman_image_unref(mask);
            pixman_image_unref(d);
            pixman_image_unref(s);
            size_t differ = 0;
            const size_t n = static_cast<size_t>(ours.GetWidth()) * ours.GetHeight();
            for (size_t i = 0; i < n; ++i)
                differ += ours.Pixels()[i] != theirs.Pixels()[i];
            printf("blend %s alpha %d: %zu of %zu pixels differ from pixman\n", SourceName(which), alpha, differ, n);
        }
    }
}

} // namespace


int main(int argc, char** argv)
{
    wxInitializer init;
    wxImage::AddHandler(new wxPNGHandler);
    AppDir = ZYN_APP_DIR;
    if (!FontManager::Initial() || !BitmapManager::Initial()) {
        fprintf(stderr, "zyn-bench-canvas: the application directory %s does not open\n", ZYN_APP_DIR);
        return 1;
    }
    benchmark::Initialize(&argc, argv);
    const std::vector<benchmark::internal::Benchmark*> registered = {
        benchmark::RegisterBenchmark("FillOurs", FillOurs)->Arg(0)->Arg(1),
        benchmark::RegisterBenchmark("FillPixman", FillPixman)->Arg(0)->Arg(1),
        benchmark::RegisterBenchmark("FillCairo", FillCairo)->Arg(0)->Arg(1),
        benchmark::RegisterBenchmark("BlendOurs", BlendOurs)->Apply(BlendArgs),
        benchmark::RegisterBenchmark("BlendPixman", BlendPixman)->Apply(BlendArgs),
        benchmark::RegisterBenchmark("BlendCairo", BlendCairo)->Apply(BlendArgs),
        benchmark::RegisterBenchmark("FadeOurs", FadeOurs),
        benchmark::RegisterBenchmark("FadeCairo", FadeCairo),
        benchmark::RegisterBenchmark("TextLine", TextLine),
        benchmark::RegisterBenchmark("CopyFramesShared", CopyFramesShared),
        benchmark::RegisterBenchmark("CopyFramesDeep", CopyFramesDeep),
    };
    // The fastest of the repetitions: the least disturbed by other work on the machine.
    for (benchmark::internal::Benchmark* b : registered)
        b->ComputeStatistics("min", [](const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); });
    CompareWithPixman();
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    FontManager::Release();
    return 0;
}
