// Pushing pictures to themed windows (run under scripts/session.sh), and the
// measurement behind the choice of override-redirect windows: how long a
// move/resize takes to be applied, with and without the window manager.
//   ./scripts/session.sh -- build/bin/zyn-bench-windowpush
#include <benchmark/benchmark.h>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <new>
#include <vector>

#include "BenchSupport.h"
#include "Picture.h"
#include "ZynObject.h"
#include "AllocationCounter.h"

namespace {

using zynbench::allocations;

using zynbench::Pump;

// Started on first use: the compose bench needs no display.
bool StartToolkit()
{
    static const bool started = [] {
        static int argc = 1;
        static char name[] = "zyn-bench-windowpush";
        static char* argv[] = {name, nullptr};
        return getenv("DISPLAY") && zynbench::StartToolkit(argc, argv, name);
    }();
    return started;
}

class BenchObject : public ZynObject {
public:
    BenchObject() : ZynObject(nullptr, "bench", wxPoint(0, 0), wxSize(0, 0)) {}
    ObjectDC& DC() { return objectDC; }
};

void ShowFullScreen(BenchObject& window, const Picture& picture)
{
    window.DC().size = picture.GetSize();
    window.DC().Update(picture, true);
    window.Show();
    Pump();
}

// Frame times in milliseconds: median and worst as counters.
void Report(benchmark::State& state, std::vector<double>& ms, long allocs)
{
    zynbench::ReportTimes(state, ms);
    if (!ms.empty())
        state.counters["allocs_per_frame"] = static_cast<double>(allocs) / static_cast<double>(ms.size());
}

// Compose (write every pixel of a 1920x1080 picture) and push it; arg 1 moves
// the window by one pixel every frame; arg 2 paces the frames at 60 per second
// as an animation does (the wait between frames is not timed).
void BM_ComposeAndPush1080p(benchmark::State& state)
{
    if (!StartToolkit()) {
        state.SkipWithError("needs an X display (scripts/session.sh)");
        return;
    }
    const bool moving = state.range(0) == 1, paced = state.range(0) == 2;
    Picture picture(1920, 1080, 0xFF000000);
    BenchObject window;
    ShowFullScreen(window, picture);
    std::vector<double> ms;
    ms.reserve(state.max_iterations);
    uint32_t frame = 0;
    long between = 0; // what the events between paced frames allocate is not the frame's
    const long before = allocations;
    auto next = std::chrono::steady_clock::now();
    for (auto _ : state) {
        if (paced) {
            state.PauseTiming();
            const long pumped = allocations;
            next += std::chrono::microseconds(16667);
            while (std::chrono::steady_clock::now() < next)
                Pump();
            between += allocations - pumped;
            state.ResumeTiming();
        }
        const auto t0 = std::chrono::steady_clock::now();
        const uint32_t argb = 0xC0000000u | (frame * 0x010203u & 0xC0C0C0u);
        std::fill_n(picture.Pixels(), 1920 * 1080, argb);
        window.DC().pos = wxPoint(moving ? static_cast<int>(frame % 2) : 0, 0);
        window.DC().Update(picture, true);
        ms.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count());
        ++frame;
    }
    Report(state, ms, allocations - before - between);
}
BENCHMARK(BM_ComposeAndPush1080p)->Arg(0)->Arg(1)->Arg(2)->Iterations(100)->Unit(benchmark::kMillisecond);

// The compose part alone, to tell it from the push.
void BM_Compose1080p(benchmark::State& state)
{
    Picture picture(1920, 1080, 0xFF000000);
    uint32_t frame = 0;
    for (auto _ : state) {
        std::fill_n(picture.Pixels(), 1920 * 1080, 0xC0000000u | (frame++ * 0x010203u & 0xC0C0C0u));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_Compose1080p)->Iterations(100)->Unit(benchmark::kMillisecond);

// A whole-window fade step of a full-screen window: constant alpha only.
void BM_FadeStep1080p(benchmark::State& state)
{
    if (!StartToolkit()) {
        state.SkipWithError("needs an X display (scripts/session.sh)");
        return;
    }
    Picture picture(1920, 1080, 0xFF000000);
    BenchObject window;
    ShowFullScreen(window, picture);
    std::vector<double> ms;
    ms.reserve(state.max_iterations);
    int alpha = 0;
    const long before = allocations;
    for (auto _ : state) {
        const auto t0 = std::chrono::steady_clock::now();
        window.DC().SetAlpha(alpha = (alpha + 17) % 256);
        window.DC().UpdateAlpha();
        ms.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count());
    }
    Report(state, ms, allocations - before);
}
BENCHMARK(BM_FadeStep1080p)->Iterations(100)->Unit(benchmark::kMillisecond);

// A raw X window, override-redirect (arg 1) or managed by the window manager
// (arg 0), moved and resized every frame: the time until the server reports the
// new geometry, and how often the window stands elsewhere than asked.
void BM_MoveResizeApplied(benchmark::State& state)
{
    Display* d = XOpenDisplay(nullptr);
    if (!d) {
        state.SkipWithError("needs an X display (scripts/session.sh)");
        return;
    }
    const bool overrideRedirect = state.range(0) != 0;
    XSetWindowAttributes attrs{};
    attrs.override_redirect = overrideRedirect;
    attrs.event_mask = StructureNotifyMask;
    const Window root = DefaultRootWindow(d);
    const Window w = XCreateWindow(d, root, 100, 100, 200, 200, 0, CopyFromParent, InputOutput, CopyFromParent,
                                   CWOverrideRedirect | CWEventMask, &attrs);
    if (!overrideRedirect) { // borderless, placed where asked
        const long motif[5] = {2, 0, 0, 0, 0};
        const Atom hints = XInternAtom(d, "_MOTIF_WM_HINTS", False);
        XChangeProperty(d, w, hints, hints, 32, PropModeReplace, reinterpret_cast<const unsigned char*>(motif), 5);
        XSizeHints size{};
        size.flags = USPosition | USSize;
        XSetWMNormalHints(d, w, &size);
    }
    XMapWindow(d, w);
    XEvent ev;
    do
        XNextEvent(d, &ev);
    while (ev.type != MapNotify);

    std::vector<double> ms;
    ms.reserve(state.max_iterations);
    int misplaced = 0, timeouts = 0, late = 0, frame = 0;
    for (auto _ : state) {
        ++frame; // frame 0 would ask for the geometry the window has
        const int x = 100 + (frame % 50) * 4, y = 100 + (frame % 7) * 3;
        const unsigned width = 200 + (frame % 2) * 20;
        const auto t0 = std::chrono::steady_clock::now();
        XMoveResizeWindow(d, w, x, y, width, 200);
        XSync(d, False);
        // A picture put now (as a push does, in the same flush) meets this size:
        Window groot;
        int gx, gy;
        unsigned gw = 0, gh, gb, gd;
        XGetGeometry(d, w, &groot, &gx, &gy, &gw, &gh, &gb, &gd);
        late += gw != width;
        bool applied = false;
        while (!applied) {
            if (std::chrono::steady_clock::now() - t0 > std::chrono::milliseconds(200)) {
                ++timeouts;
                break;
            }
            if (!XPending(d))
                continue;
            XNextEvent(d, &ev);
            applied = ev.type == ConfigureNotify && ev.xconfigure.window == w &&
                      static_cast<unsigned>(ev.xconfigure.width) == width;
        }
        ms.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count());
        int rx = 0, ry = 0;
        Window child;
        XTranslateCoordinates(d, w, root, 0, 0, &rx, &ry, &child);
        misplaced += rx != x || ry != y;
    }
    Report(state, ms, 0);
    state.counters["misplaced"] = misplaced;
    state.counters["timeouts"] = timeouts;
    state.counters["late"] = late;
    XDestroyWindow(d, w);
    XCloseDisplay(d);
}
BENCHMARK(BM_MoveResizeApplied)->Arg(1)->Arg(0)->Iterations(100)->Unit(benchmark::kMillisecond);

} // namespace
