// The real program's start, as a user's session starts it: from the start of
// the process until "Zyn Utils is ready." is in its verbose log, and its
// resident memory then, with the default menu and the three desktop widgets
// on (the splash and the update check off). Each run uses a fresh copy of the
// application directory; the first run warms the caches and is not counted.
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

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

std::string Read(const fs::path& path)
{
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// The program's resident set in MiB, 0 when it cannot be read.
double RssMiB(pid_t pid)
{
    const std::string status = Read("/proc/" + std::to_string(pid) + "/status");
    const size_t at = status.find("VmRSS:");
    return at == std::string::npos ? 0 : std::stod(status.substr(at + 6)) / 1024.0;
}

const char Core[] = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Core>\n"
                    "  <config catalog=\"General\">\n"
                    "    <property key=\"VerboseMode\" value=\"1\"/>\n"
                    "    <property key=\"CheckUpdate\" value=\"0\"/>\n"
                    "  </config>\n"
                    "  <config catalog=\"Appearance\">\n"
                    "    <property key=\"ShowSplash\" value=\"0\"/>\n"
                    "  </config>\n"
                    "</Core>\n";

struct Run {
    double readyMs = -1;
    double rssMiB = 0;
};

// One start in a fresh copy of app; ends the program after the measurement.
Run StartOnce(const fs::path& app)
{
    char pattern[] = "/tmp/zyn-bench-start.XXXXXX";
    const fs::path dir = mkdtemp(pattern);
    fs::copy(app, dir, fs::copy_options::recursive);
    fs::create_directories(dir / "Configs");
    std::ofstream(dir / "Configs/Core.xml") << Core;
    const fs::path log = dir / "Verbose.log";

    Run run;
    const auto start = Clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        if (chdir(dir.c_str()) != 0)
            _exit(126);
        freopen("/dev/null", "w", stdout);
        freopen("/dev/null", "w", stderr);
        execl("./zyn-utils", "zyn-utils", static_cast<char*>(nullptr));
        _exit(127);
    }
    while (Clock::now() - start < std::chrono::seconds(20)) {
        if (Read(log).find("Zyn Utils is ready.") != std::string::npos) {
            run.readyMs = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
            run.rssMiB = RssMiB(pid);
            break;
        }
        std::this_thread::sleep_for(std::chrono::microseconds(500));
    }
    kill(pid, SIGTERM);
    int status = 0;
    waitpid(pid, &status, 0);
    fs::remove_all(dir);
    return run;
}

void Report(benchmark::State& state, std::vector<double> values, const std::string& name)
{
    std::sort(values.begin(), values.end());
    if (values.empty())
        return;
    state.counters[name + "_median"] = values[values.size() / 2];
    state.counters[name + "_worst"] = values.back();
}

void BM_StartToReady(benchmark::State& state)
{
    const char* other = std::getenv("ZYN_BENCH_APP");
    const fs::path app = other ? fs::path(other) : fs::path(ZYN_APP_DIR);
    StartOnce(app); // warms the caches
    std::vector<double> ready, rss;
    for (auto _ : state) {
        const Run run = StartOnce(app);
        if (run.readyMs < 0) {
            state.SkipWithError("the program did not get ready (is DISPLAY a session of scripts/session.sh?)");
            return;
        }
        state.SetIterationTime(run.readyMs / 1000.0);
        ready.push_back(run.readyMs);
        rss.push_back(run.rssMiB);
    }
    Report(state, ready, "ready_ms");
    Report(state, rss, "rss_mib");
}
BENCHMARK(BM_StartToReady)->UseManualTime()->Iterations(10)->Unit(benchmark::kMillisecond);

} // namespace
