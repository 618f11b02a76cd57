// The launcher opening with the build's default menu on the session's screen
// (1920 x 1080 under scripts/session.sh): how soon the first backdrop frame is
// pushed after a show request or a real hot-key press (XTest), and the longest
// event-loop turn while the backdrop and the root menu animate in (every tick
// composes and pushes the items and the backdrop).
//   ./scripts/session.sh -- build/bin/zyn-bench-launcher
#include <benchmark/benchmark.h>

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

#include <wx/app.h>
#include <wx/evtloop.h>
#include <wx/init.h>
#include <wx/utils.h>

#include "BitmapManager.h"
#include "FontManager.h"
#include "HotkeyManager.h"
#include "LaunchWindow.h"
#include "MenuImpl.h"
#include "SystemPaths.h"
#include "WinFX.h"

namespace {

using Clock = std::chrono::steady_clock;

double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

// The launcher, noting when it pushes its first backdrop frame after a request.
class TimedLauncher : public LaunchWindow {
public:
    void ApplyFrame(AnimationFrame& f) override
    {
        LaunchWindow::ApplyFrame(f);
        if (!pushed) {
            pushed = true;
            firstPush = Clock::now();
        }
    }
    void Expect() { pushed = false; }

    bool pushed = true;
    Clock::time_point firstPush;
};

// Runs the toolkit's events until done, each turn timed; the longest turn in ms.
double PumpUntil(const std::function<bool()>& done, double limitMs = 3000)
{
    wxEventLoopBase* loop = wxEventLoopBase::GetActive();
    double worst = 0;
    const auto start = Clock::now();
    while (!done() && Ms(Clock::now() - start) < limitMs) {
        if (!loop->Pending()) {
            wxTheApp->ProcessPendingEvents();
            wxMilliSleep(1);
            continue;
        }
        const auto t0 = Clock::now();
        loop->Dispatch();
        wxTheApp->ProcessPendingEvents();
        worst = std::max(worst, Ms(Clock::now() - t0));
    }
    return worst;
}

bool Animating(TimedLauncher& launcher)
{
    return launcher.animator.IsRunning() || (launcher.tray->menu && launcher.tray->menu->animator.IsRunning());
}

// Hides the launcher, lets its fade end and the display settle, as between two uses.
void Hide(TimedLauncher& launcher)
{
    launcher.Toggle();
    PumpUntil([&] { return !Animating(launcher) && !launcher.IsShown(); });
    const auto end = Clock::now() + std::chrono::milliseconds(300);
    PumpUntil([&] { return Clock::now() > end; });
}

void Report(benchmark::State& state, std::vector<double>& ms, const char* name)
{
    std::sort(ms.begin(), ms.end());
    if (ms.empty())
        return;
    state.counters[std::string(name) + "_median_ms"] = ms[ms.size() / 2];
    state.counters[std::string(name) + "_worst_ms"] = ms.back();
}

TimedLauncher* Launcher()
{
    static TimedLauncher* launcher = [] {
        AppDir = ZYN_APP_DIR;
        EnterAppDir();
        if (!FontManager::Initial() || !BitmapManager::Initial())
            return static_cast<TimedLauncher*>(nullptr);
        return new TimedLauncher;
    }();
    return launcher;
}

// A show request (as a second start, the gesture and the tray make it) until
// the first backdrop frame, and the longest turn of the opening animation.
void BM_ShowRequestToFirstFrame(benchmark::State& state)
{
    TimedLauncher* launcher = Launcher();
    if (!launcher) {
        state.SkipWithError("cannot load the build's theme and fonts");
        return;
    }
    wxTheApp->SetTopWindow(launcher);
    std::vector<double> first, worstTick, showCall;
    for (auto _ : state) {
        launcher->Expect();
        const auto request = Clock::now();
        launcher->Show(true);
        showCall.push_back(Ms(Clock::now() - request));
        const double worst = PumpUntil([&] { return launcher->pushed && !Animating(*launcher); });
        const double took = Ms(launcher->firstPush - request);
        state.SetIterationTime(took / 1000.0);
        first.push_back(took);
        worstTick.push_back(worst);
        Hide(*launcher);
    }
    Report(state, first, "first_frame");
    Report(state, worstTick, "animation_tick");
    Report(state, showCall, "show_call");
}
BENCHMARK(BM_ShowRequestToFirstFrame)->UseManualTime()->Iterations(20)->Unit(benchmark::kMillisecond);

// A real key press of the hot key (XTest) until the first backdrop frame.
void BM_HotkeyPressToFirstFrame(benchmark::State& state)
{
    TimedLauncher* launcher = Launcher();
    Display* d = XOpenDisplay(nullptr);
    if (!launcher || !d || !HotkeyManager::Initial()) {
        state.SkipWithError("needs an X display (scripts/session.sh) and the build's theme");
        return;
    }
    HotkeyManager::SetHotkeyWindow(launcher);
    HotkeyManager::SetEnable(true);
    if (!HotkeyManager::SetHotkey(HotkeyManager::MOD_CONTROL | HotkeyManager::MOD_ALT, 'K')) {
        state.SkipWithError("the hot key cannot be grabbed");
        return;
    }
    const KeyCode ctrl = XKeysymToKeycode(d, XK_Control_L), alt = XKeysymToKeycode(d, XK_Alt_L), k = XKeysymToKeycode(d, XK_k);
    std::vector<double> first;
    for (auto _ : state) {
        XTestFakeKeyEvent(d, ctrl, True, CurrentTime);
        XTestFakeKeyEvent(d, alt, True, CurrentTime);
        XSync(d, False);
        launcher->Expect();
        const auto press = Clock::now();
        XTestFakeKeyEvent(d, k, True, CurrentTime);
        XFlush(d);
        PumpUntil([&] { return launcher->pushed; });
        const double took = Ms(launcher->firstPush - press);
        state.SetIterationTime(took / 1000.0);
        first.push_back(took);
        for (KeyCode code : {k, alt, ctrl})
            XTestFakeKeyEvent(d, code, False, CurrentTime);
        XSync(d, False);
        PumpUntil([&] { return !Animating(*launcher); });
        Hide(*launcher);
    }
    Report(state, first, "first_frame");
    HotkeyManager::SetEnable(false);
    HotkeyManager::ClearHotkey();
    HotkeyManager::SetHotkeyWindow(nullptr);
    XCloseDisplay(d);
}
BENCHMARK(BM_HotkeyPressToFirstFrame)->UseManualTime()->Iterations(50)->Unit(benchmark::kMillisecond);

} // namespace

// The toolkit on the session's display, with an active event loop to pump.
int main(int argc, char** argv)
{
    setenv("GDK_BACKEND", "x11", 1);
    setenv("NO_AT_BRIDGE", "1", 0);
    benchmark::Initialize(&argc, argv);
    wxApp::SetInstance(new wxApp);
    if (!wxEntryStart(argc, argv)) {
        fprintf(stderr, "zyn-bench-launcher: cannot start the toolkit (is DISPLAY set?)\n");
        return 1;
    }
    wxInitAllImageHandlers();
    wxGUIEventLoop loop;
    wxEventLoopBase::SetActive(&loop);
    benchmark::RunSpecifiedBenchmarks();
    if (TimedLauncher* launcher = Launcher())
        delete launcher;
    wxEventLoopBase::SetActive(nullptr);
    wxEntryCleanup();
    return 0;
}
