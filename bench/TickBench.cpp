// The animation ticks of the launcher as it opens and closes with the build's
// default menu on the session's screen (1920 x 1080 under scripts/session.sh):
// every turn of the event loop while the backdrop fades and the root menu's
// items slide, timed and with its allocations counted: the turns that run a
// tick (compose what changed and push it), the first three of them on their
// own (the windows mapped just before make them the slowest), and the other
// turns; then the ticks alone: each animator's Notify, which is the compose
// and the push of one frame.
//   ./scripts/session.sh -- build/bin/zyn-bench-tick
#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <utility>
#include <cstdlib>
#include <new>
#include <vector>

#include <wx/app.h>
#include <wx/image.h>

#include "BenchSupport.h"
#include "BitmapManager.h"
#include "ButtonImpl.h"
#include "FontManager.h"
#include "LaunchWindow.h"
#include "MenuImpl.h"
#include "SystemPaths.h"
#include "WinFX.h"
#include "AllocationCounter.h"

namespace {

using zynbench::allocations;

using zynbench::Clock;
using zynbench::Ms;

LaunchWindow* Launcher()
{
    static LaunchWindow* launcher = [] {
        AppDir = ZYN_APP_DIR;
        EnterAppDir();
        if (!FontManager::Initial() || !BitmapManager::Initial())
            return static_cast<LaunchWindow*>(nullptr);
        return new LaunchWindow;
    }();
    return launcher;
}

bool Animating(LaunchWindow& launcher)
{
    return launcher.animator.IsRunning() || (launcher.tray->menu && launcher.tray->menu->animator.IsRunning());
}

// What the turns of one animation took: those that ran a tick (the backdrop's
// alpha or the first item's place changed), and the others (the toolkit's own
// events: exposures, configure and map notifications).
struct Turns {
    std::vector<double> ms;
    std::vector<double> allocs;
    std::vector<double> firstMs; // the first three ticks
    std::vector<double> otherMs;
};

// The state a tick changes.
std::pair<int32_t, int> Drawn(LaunchWindow& launcher)
{
    const MenuImpl* menu = launcher.tray->menu;
    const int y = menu && !menu->items.empty() ? menu->items.front()->GetPosition().y : 0;
    return {launcher.GetFrame()->alpha, y};
}

// Runs the event loop until the animation ends, each turn timed and its allocations counted.
void RunAnimation(LaunchWindow& launcher, Turns& turns)
{
    wxEventLoopBase* loop = wxEventLoopBase::GetActive();
    const auto start = Clock::now();
    size_t ticks = 0;
    while (Animating(launcher) && Ms(Clock::now() - start) < 3000) {
        if (!loop->Pending()) {
            wxTheApp->ProcessPendingEvents();
            wxMilliSleep(1);
            continue;
        }
        const auto drawn = Drawn(launcher);
        const long before = allocations.load();
        const auto t0 = Clock::now();
        loop->Dispatch();
        wxTheApp->ProcessPendingEvents();
        const double took = Ms(Clock::now() - t0);
        const long allocated = allocations.load() - before;
        if (Drawn(launcher) == drawn) {
            turns.otherMs.push_back(took);
            continue;
        }
        turns.ms.push_back(took);
        turns.allocs.push_back(static_cast<double>(allocated));
        if (ticks++ < 3)
            turns.firstMs.push_back(took);
    }
}

// The display settles between two uses, as it would for a user.
void Settle()
{
    const auto end = Clock::now() + std::chrono::milliseconds(300);
    zynbench::PumpUntil([&] { return Clock::now() > end; });
}

void ReportAllocs(benchmark::State& state, std::vector<double>& allocs, const std::string& name)
{
    std::sort(allocs.begin(), allocs.end());
    if (allocs.empty())
        return;
    state.counters[name + "allocs_median"] = allocs[allocs.size() / 2];
    state.counters[name + "allocs_worst"] = allocs.back();
}

// Opening and closing the launcher: every event-loop turn of both animations.
void BM_LauncherTurns(benchmark::State& state)
{
    LaunchWindow* launcher = Launcher();
    if (!launcher) {
        state.SkipWithError("cannot load the build's theme and fonts");
        return;
    }
    wxTheApp->SetTopWindow(launcher);
    Turns open, close;
    std::vector<double> showCall;
    for (auto _ : state) {
        const auto request = Clock::now();
        launcher->Toggle();
        showCall.push_back(Ms(Clock::now() - request));
        RunAnimation(*launcher, open);
        state.SetIterationTime(Ms(Clock::now() - request) / 1000.0);
        Settle();
        launcher->Toggle();
        RunAnimation(*launcher, close);
        zynbench::PumpUntil([&] { return !launcher->IsShown(); });
        Settle();
    }
    zynbench::ReportTimes(state, open.ms, "open_tick_turn_");
    zynbench::ReportTimes(state, open.firstMs, "open_first3_tick_turn_");
    ReportAllocs(state, open.allocs, "open_tick_turn_");
    zynbench::ReportTimes(state, open.otherMs, "open_other_turn_");
    zynbench::ReportTimes(state, close.ms, "close_tick_turn_");
    ReportAllocs(state, close.allocs, "close_tick_turn_");
    zynbench::ReportTimes(state, close.otherMs, "close_other_turn_");
    zynbench::ReportTimes(state, showCall, "show_call_");
}
BENCHMARK(BM_LauncherTurns)->UseManualTime()->Iterations(20)->Unit(benchmark::kMillisecond);

// One tick of each animator by hand while the opening animation runs: the
// compose and the push of a frame without the rest of the event loop.
void BM_LauncherTicks(benchmark::State& state)
{
    LaunchWindow* launcher = Launcher();
    if (!launcher) {
        state.SkipWithError("cannot load the build's theme and fonts");
        return;
    }
    std::vector<double> ms, allocs;
    for (auto _ : state) {
        launcher->Toggle();
        MenuImpl* menu = launcher->tray->menu;
        while (Animating(*launcher)) {
            const long before = allocations.load();
            const auto t0 = Clock::now();
            if (launcher->animator.IsRunning())
                launcher->animator.Notify();
            if (menu && menu->animator.IsRunning())
                menu->animator.Notify();
            const double took = Ms(Clock::now() - t0);
            ms.push_back(took);
            allocs.push_back(static_cast<double>(allocations.load() - before));
            // The rest of the frame: what the server sent back (no timer runs here).
            zynbench::Pump();
            const auto next = t0 + std::chrono::milliseconds(AnimationTickMs);
            while (Clock::now() < next)
                wxMilliSleep(1);
        }
        state.SetIterationTime(ms.empty() ? 0 : ms.back() / 1000.0);
        Settle();
        launcher->Toggle();
        zynbench::PumpUntil([&] { return !Animating(*launcher) && !launcher->IsShown(); });
        Settle();
    }
    zynbench::ReportTimes(state, ms, "tick_");
    ReportAllocs(state, allocs, "tick_");
}
BENCHMARK(BM_LauncherTicks)->UseManualTime()->Iterations(10)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (!zynbench::StartToolkit(argc, argv, "zyn-bench-tick"))
        return 1;
    wxInitAllImageHandlers();
    benchmark::RunSpecifiedBenchmarks();
    delete Launcher();
    zynbench::StopToolkit();
    return 0;
}
