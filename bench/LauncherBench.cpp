// The launcher opening with the build's default menu on the session's screen
// (1920 x 1080 under scripts/session.sh): how soon the first backdrop frame is
// pushed after a show request or a real hot-key press (XTest), and the longest
// event-loop turn while the backdrop and the root menu animate in (every tick
// composes and pushes the items and the backdrop).
//   ./scripts/session.sh -- build/bin/zyn-bench-launcher
#include <benchmark/benchmark.h>

#include <vector>

#include <wx/app.h>
#include <wx/image.h>

#include "BenchSupport.h"
#include "BitmapManager.h"
#include "FontManager.h"
#include "LaunchWindow.h"
#include "MenuImpl.h"
#include "SystemPaths.h"
#include "WinFX.h"

namespace {

using zynbench::Clock;
using zynbench::Ms;
using zynbench::PumpUntil;

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
    zynbench::ReportTimes(state, first, "first_frame_");
    zynbench::ReportTimes(state, worstTick, "animation_tick_");
    zynbench::ReportTimes(state, showCall, "show_call_");
}
BENCHMARK(BM_ShowRequestToFirstFrame)->UseManualTime()->Iterations(20)->Unit(benchmark::kMillisecond);

// A real key press of the hot key (XTest) until the first backdrop frame.
void BM_HotkeyPressToFirstFrame(benchmark::State& state)
{
    TimedLauncher* launcher = Launcher();
    if (!launcher) {
        state.SkipWithError("cannot load the build's theme and fonts");
        return;
    }
    zynbench::HotkeyPress hotkey;
    if (const char* why = hotkey.Grab(launcher)) {
        state.SkipWithError(why);
        return;
    }
    std::vector<double> first;
    for (auto _ : state) {
        hotkey.HoldModifiers();
        launcher->Expect();
        const auto press = Clock::now();
        hotkey.PressKey();
        PumpUntil([&] { return launcher->pushed; });
        const double took = Ms(launcher->firstPush - press);
        state.SetIterationTime(took / 1000.0);
        first.push_back(took);
        hotkey.ReleaseAll();
        PumpUntil([&] { return !Animating(*launcher); });
        Hide(*launcher);
    }
    zynbench::ReportTimes(state, first, "first_frame_");
}
BENCHMARK(BM_HotkeyPressToFirstFrame)->UseManualTime()->Iterations(50)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (!zynbench::StartToolkit(argc, argv, "zyn-bench-launcher"))
        return 1;
    wxInitAllImageHandlers();
    benchmark::RunSpecifiedBenchmarks();
    delete Launcher();
    zynbench::StopToolkit();
    return 0;
}
