// Hot key latency: a real key press through XTest until the hot-key window's
// handler runs, with the layer's key grab and the posted event in between.
//   ./scripts/session.sh -- build/bin/zyn-bench-hotkey
#include <benchmark/benchmark.h>

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include <wx/app.h>
#include <wx/evtloop.h>
#include <wx/init.h>

#include "HotkeyManager.h"

namespace {

void Pump()
{
    wxEventLoopBase* loop = wxEventLoopBase::GetActive();
    while (loop->Pending())
        loop->Dispatch();
    wxTheApp->ProcessPendingEvents();
}

void HotkeyPressToHandler(benchmark::State& state)
{
    Display* d = XOpenDisplay(nullptr);
    if (!d || !HotkeyManager::Initial()) {
        state.SkipWithError("no display");
        return;
    }
    wxEvtHandler window;
    int presses = 0;
    window.Bind(ZYN_EVT_HOTKEY, [&](wxKeyEvent&) { ++presses; });
    HotkeyManager::SetHotkeyWindow(&window);
    HotkeyManager::SetEnable(true);
    if (!HotkeyManager::SetHotkey(HotkeyManager::MOD_CONTROL | HotkeyManager::MOD_ALT, 'K')) {
        state.SkipWithError("the hot key cannot be grabbed");
        return;
    }
    const KeyCode ctrl = XKeysymToKeycode(d, XK_Control_L), alt = XKeysymToKeycode(d, XK_Alt_L), k = XKeysymToKeycode(d, XK_k);

    std::vector<double> samples;
    for (auto _ : state) {
        XTestFakeKeyEvent(d, ctrl, True, CurrentTime);
        XTestFakeKeyEvent(d, alt, True, CurrentTime);
        XSync(d, False);
        const int before = presses;
        const auto start = std::chrono::steady_clock::now();
        XTestFakeKeyEvent(d, k, True, CurrentTime);
        XFlush(d);
        while (presses == before)
            Pump();
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        state.SetIterationTime(took.count());
        samples.push_back(took.count() * 1000.0);
        for (KeyCode code : {k, alt, ctrl})
            XTestFakeKeyEvent(d, code, False, CurrentTime);
        XSync(d, False);
        Pump();
    }
    std::sort(samples.begin(), samples.end());
    state.counters["median_ms"] = samples[samples.size() / 2];
    state.counters["worst_ms"] = samples.back();

    HotkeyManager::SetEnable(false);
    HotkeyManager::ClearHotkey();
    HotkeyManager::SetHotkeyWindow(nullptr);
    XCloseDisplay(d);
}

} // namespace

BENCHMARK(HotkeyPressToHandler)->UseManualTime()->Iterations(50)->Unit(benchmark::kMillisecond);

// The toolkit on the session's display, with an active event loop to pump.
int main(int argc, char** argv)
{
    setenv("GDK_BACKEND", "x11", 1);
    setenv("NO_AT_BRIDGE", "1", 0);
    benchmark::Initialize(&argc, argv);
    wxApp::SetInstance(new wxApp);
    if (!wxEntryStart(argc, argv)) {
        fprintf(stderr, "zyn-bench-hotkey: cannot start the toolkit (is DISPLAY set?)\n");
        return 1;
    }
    wxGUIEventLoop loop;
    wxEventLoopBase::SetActive(&loop);
    benchmark::RunSpecifiedBenchmarks();
    wxEventLoopBase::SetActive(nullptr);
    wxEntryCleanup();
    return 0;
}
