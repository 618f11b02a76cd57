// The real program's start, as a user's session starts it: from the start of
// the process until "Zyn Utils is ready." is in its verbose log, and its
// resident memory then, with the default menu and the three desktop widgets
// on (the splash and the update check off), and again with a generated menu of
// 1000 entries. Each run uses a fresh copy of the application directory; the
// first run warms the caches and is not counted.
//   ./scripts/session.sh -- build/bin/zyn-bench-start [--benchmark_...]
// ZYN_BENCH_APP=<folder> times the program of another build's application folder.
#include <benchmark/benchmark.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>
#include "Counters.h"
#include "ProcessFiles.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

std::string Read(const fs::path& path) { return zynbench::ReadText(path); }

double RssMiB(pid_t pid) { return zynbench::StatusMiB(pid, "VmRSS:"); }

const char Core[] = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Core>\n"
                    "  <config catalog=\"General\">\n"
                    "    <property key=\"VerboseMode\" value=\"1\"/>\n"
                    "    <property key=\"CheckUpdate\" value=\"0\"/>\n"
                    "  </config>\n"
                    "  <config catalog=\"Appearance\">\n"
                    "    <property key=\"ShowSplash\" value=\"0\"/>\n"
                    "  </config>\n"
                    "</Core>\n";

// A menu file of icons x rows entries: a root column of icons, each opening a
// list of rows that run a command, every one with the pictures of the default menu.
std::string GeneratedMenu(int icons, int rows)
{
    std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Launcher>\n<menu type=\"1\">\n";
    for (int i = 1; i <= icons; ++i) {
        xml += "<item><name>Group " + std::to_string(i) +
               "</name><icon><normal>Images/launcher/terminal_normal.png</normal>"
               "<hover>Images/launcher/terminal_hover.png</hover><press/></icon>"
               "<panel><type>1</type><descrip>A group of entries.</descrip><image/></panel>\n<menu type=\"3\">\n";
        for (int r = 1; r <= rows; ++r)
            xml += "<item><name>Entry " + std::to_string(i) + "." + std::to_string(r) +
                   "</name><icon><normal>Images/launcher/terminal_small_normal.png</normal>"
                   "<hover>Images/launcher/terminal_small_hover.png</hover><press/></icon>"
                   "<action><type>4</type><command>true</command></action></item>\n";
        xml += "</menu></item>\n";
    }
    return xml + "</menu>\n</Launcher>\n";
}

struct Run {
    double readyMs = -1;
    double rssMiB = 0;
    bool menuReadWhole = true; // no copy of an unreadable menu file was kept
};

// One start in a fresh copy of app, with menu as its menu file unless empty;
// ends the program after the measurement.
Run StartOnce(const fs::path& app, const std::string& menu = "")
{
    char pattern[] = "/tmp/zyn-bench-start.XXXXXX";
    const fs::path dir = mkdtemp(pattern);
    fs::copy(app, dir, fs::copy_options::recursive);
    fs::create_directories(dir / "Configs");
    std::ofstream(dir / "Configs/Core.xml") << Core;
    if (!menu.empty())
        std::ofstream(dir / "launcher.xml", std::ios::trunc) << menu;
    const fs::path log = dir / "Verbose.log";

    Run run;
    const auto start = Clock::now();
    const pid_t pid = zynbench::StartAppIn(dir);
    while (Clock::now() - start < std::chrono::seconds(20)) {
        if (Read(log).find("Zyn Utils is ready.") != std::string::npos) {
            run.readyMs = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
            run.rssMiB = RssMiB(pid);
            break;
        }
        std::this_thread::sleep_for(std::chrono::microseconds(500));
    }
    run.menuReadWhole = !fs::exists(dir / "launcher.xml.bak");
    kill(pid, SIGTERM);
    int status = 0;
    waitpid(pid, &status, 0);
    fs::remove_all(dir);
    return run;
}

void Report(benchmark::State& state, std::vector<double> values, const std::string& name)
{
    zynbench::ReportMedianWorst(state, std::move(values), name + "_", "");
}

void Measure(benchmark::State& state, const std::string& menu)
{
    const char* other = std::getenv("ZYN_BENCH_APP");
    const fs::path app = other ? fs::path(other) : fs::path(ZYN_APP_DIR);
    StartOnce(app, menu); // warms the caches
    std::vector<double> ready, rss;
    for (auto _ : state) {
        const Run run = StartOnce(app, menu);
        if (run.readyMs < 0) {
            state.SkipWithError("the program did not get ready (is DISPLAY a session of scripts/session.sh?)");
            return;
        }
        if (!run.menuReadWhole) {
            state.SkipWithError("the program did not read the whole menu file");
            return;
        }
        state.SetIterationTime(run.readyMs / 1000.0);
        ready.push_back(run.readyMs);
        rss.push_back(run.rssMiB);
    }
    Report(state, ready, "ready_ms");
    Report(state, rss, "rss_mib");
}

void BM_StartToReady(benchmark::State& state) { Measure(state, ""); }
BENCHMARK(BM_StartToReady)->UseManualTime()->Iterations(10)->Unit(benchmark::kMillisecond);

// 10 icons of 100 rows each.
void BM_StartToReadyWith1000Entries(benchmark::State& state) { Measure(state, GeneratedMenu(10, 100)); }
BENCHMARK(BM_StartToReadyWith1000Entries)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);

} // namespace
