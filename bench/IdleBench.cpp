// The real program's cost while nobody uses it: the share of one processor core
// it takes over a quiet stretch, read from outside from /proc/<pid>/stat (user
// plus system time), with the three desktop widgets on, once with the system
// monitor's panel open (it redraws its figures every second) and once with it
// closed. Each iteration is one start of the program from a fresh copy of the
// build's application directory.
//   ./scripts/session.sh -- build/bin/zyn-bench-idle [--benchmark_...]
// ZYN_BENCH_IDLE_SECONDS sets the length of each measured stretch (default 30);
// ZYN_BENCH_APP=<folder> runs the program of another build's application folder.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <dirent.h>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "AppRunner.h"
#include "BenchSupport.h"
#include "ScreenProbe.h"
#include "XClient.h"
#include "Counters.h"
#include "ProcessFiles.h"

namespace {

using zynbench::Clock;
using zynbench::Ms;

// The monitor's icon stands at its default place; its panel opens to the left of it.
constexpr int IconX = 640, IconY = 480, IconSize = 60;
constexpr int PanelProbeX = 500, PanelProbeY = 420;

std::string Read(const std::string& path) { return zynbench::ReadText(path); }

// User plus system time of the process in seconds, from /proc/<pid>/stat; -1 when unreadable.
double StatCpuSeconds(pid_t pid)
{
    const long long utime = zynbench::StatField(pid, 14), stime = zynbench::StatField(pid, 15);
    if (utime < 0 || stime < 0)
        return -1;
    return static_cast<double>(utime + stime) / static_cast<double>(sysconf(_SC_CLK_TCK));
}

// The time on a processor of each thread of the process in seconds, by thread
// id, from the scheduler's nanosecond counts (/proc/<pid>/task/*/schedstat):
// the same figure as the stat file's without its 10 ms steps.
std::map<std::string, double> SchedCpuSeconds(pid_t pid)
{
    std::map<std::string, double> threads;
    const std::string tasks = "/proc/" + std::to_string(pid) + "/task";
    DIR* dir = opendir(tasks.c_str());
    if (!dir)
        return threads;
    while (const dirent* entry = readdir(dir)) {
        if (entry->d_name[0] == '.')
            continue;
        std::istringstream in(Read(tasks + "/" + entry->d_name + "/schedstat"));
        unsigned long long ns = 0;
        if (in >> ns)
            threads[entry->d_name] = static_cast<double>(ns) / 1e9;
    }
    closedir(dir);
    return threads;
}

// The processor time the threads alive at the end took since the first reading
// (a thread that ended meanwhile takes its time with it).
double SchedGrowth(const std::map<std::string, double>& before, const std::map<std::string, double>& after)
{
    double seconds = 0;
    for (const auto& [tid, now] : after) {
        const auto then = before.find(tid);
        seconds += now - (then == before.end() ? 0 : then->second);
    }
    return seconds;
}

int StretchSeconds()
{
    const char* value = std::getenv("ZYN_BENCH_IDLE_SECONDS");
    const int seconds = value ? std::atoi(value) : 0;
    return seconds > 0 ? seconds : 30;
}

void ReportPercent(benchmark::State& state, std::vector<double> values, const std::string& name)
{
    zynbench::ReportMedianWorst(state, std::move(values), name + "_", "_pct");
}

void MeasureIdle(benchmark::State& state, bool panelOpen)
{
    zyntest::ScreenProbe probe;
    if (!probe.IsOk()) {
        state.SkipWithError("needs an X display (scripts/session.sh)");
        return;
    }
    const int seconds = StretchSeconds();
    std::vector<double> stat, sched;
    for (auto _ : state) {
        zyntest::AppRunner app;
        if (const char* other = std::getenv("ZYN_BENCH_APP"))
            std::filesystem::copy(other, app.Dir(),
                                  std::filesystem::copy_options::recursive | std::filesystem::copy_options::overwrite_existing);
        app.WriteQuietVerboseCore();
        const pid_t pid = app.Start();
        if (pid <= 0 || !app.WaitForLog("Zyn Utils is ready.")) {
            state.SkipWithError("the program did not start");
            return;
        }
        // The widgets have appeared when the monitor's icon is on screen.
        const uint32_t desk = probe.Pixel(PanelProbeX, PanelProbeY);
        if (panelOpen) {
            // The bench has no toolkit: the click goes through an X client of its own.
            zyntest::XClient input;
            input.MoveTo(IconX + IconSize / 2, IconY + IconSize / 2);
            input.Button(1, true);
            input.Button(1, false);
            XSync(*input, False);
            if (!zyntest::WaitUntil([&] { return probe.Pixel(PanelProbeX, PanelProbeY) != desk; })) {
                state.SkipWithError("the system monitor's panel did not open");
                return;
            }
        }
        // Start-up and the panel's animation are over well before this.
        std::this_thread::sleep_for(std::chrono::seconds(2));
        const double stat0 = StatCpuSeconds(pid);
        const auto sched0 = SchedCpuSeconds(pid);
        const auto start = Clock::now();
        std::this_thread::sleep_for(std::chrono::seconds(seconds));
        const double stat1 = StatCpuSeconds(pid);
        const auto sched1 = SchedCpuSeconds(pid);
        const double wall = Ms(Clock::now() - start) / 1000.0;
        if (stat0 < 0 || stat1 < 0) {
            state.SkipWithError("the program ended during the measurement");
            return;
        }
        state.SetIterationTime(wall);
        stat.push_back(100.0 * (stat1 - stat0) / wall);
        sched.push_back(100.0 * SchedGrowth(sched0, sched1) / wall);
    }
    ReportPercent(state, stat, "cpu");
    ReportPercent(state, sched, "cpu_sched");
}

void BM_IdleWithMonitorPanelOpen(benchmark::State& state) { MeasureIdle(state, true); }
BENCHMARK(BM_IdleWithMonitorPanelOpen)->UseManualTime()->Iterations(3)->Unit(benchmark::kSecond);

void BM_IdleWithWidgetsOn(benchmark::State& state) { MeasureIdle(state, false); }
BENCHMARK(BM_IdleWithWidgetsOn)->UseManualTime()->Iterations(3)->Unit(benchmark::kSecond);

} // namespace
