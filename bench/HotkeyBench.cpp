// Hot key latency: a real key press through XTest until the hot-key window's
// handler runs, with the layer's key grab and the posted event in between.
//   ./scripts/session.sh -- build/bin/zyn-bench-hotkey
#include <benchmark/benchmark.h>

#include <vector>

#include <wx/event.h>

#include "BenchSupport.h"
#include "HotkeyManager.h"

namespace {

using zynbench::Clock;

void HotkeyPressToHandler(benchmark::State& state)
{
    wxEvtHandler window;
    int presses = 0;
    window.Bind(ZYN_EVT_HOTKEY, [&](wxKeyEvent&) { ++presses; });
    zynbench::HotkeyPress hotkey;
    if (const char* why = hotkey.Grab(&window)) {
        state.SkipWithError(why);
        return;
    }
    std::vector<double> samples;
    for (auto _ : state) {
        hotkey.HoldModifiers();
        const int before = presses;
        const auto start = Clock::now();
        hotkey.PressKey();
        // Polled without sleeping, so no sleep granularity adds to the time.
        while (presses == before)
            zynbench::Pump();
        const double took = zynbench::Ms(Clock::now() - start);
        state.SetIterationTime(took / 1000.0);
        samples.push_back(took);
        hotkey.ReleaseAll();
        zynbench::Pump();
    }
    zynbench::ReportTimes(state, samples);
}

} // namespace

BENCHMARK(HotkeyPressToHandler)->UseManualTime()->Iterations(50)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (!zynbench::StartToolkit(argc, argv, "zyn-bench-hotkey"))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    zynbench::StopToolkit();
    return 0;
}
