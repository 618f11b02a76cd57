// The real program's start with a picture that declares 16000 x 16000 pixels in
// a file of about a megabyte (a valid PNG of transparent pixels): as the theme's
// panel background, as an item's icon and as the image widget's picture. Each
// run times the process from its start until it is ready, or until it refused
// to start ("Cannot load the theme image" in its verbose log), and reads its
// peak resident memory (VmHWM) at that moment. Each run uses a fresh copy of the
// application directory; the first run of each case warms the caches.
//   ./scripts/session.sh -- build/bin/zyn-bench-hugepicture [--benchmark_...]
// ZYN_BENCH_APP=<folder> runs the program of another build's application folder.
#include <benchmark/benchmark.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#include <zlib.h>

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

constexpr int Side = 16000;

std::string Read(const fs::path& path) { return zynbench::ReadText(path); }

double PeakMiB(pid_t pid) { return zynbench::StatusMiB(pid, "VmHWM:"); }

void PutBig(std::string& out, uint32_t v)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out += static_cast<char>(v >> shift);
}

void PutChunk(std::string& out, const char* type, const std::string& data)
{
    PutBig(out, static_cast<uint32_t>(data.size()));
    const std::string body = type + data;
    out += body;
    PutBig(out, static_cast<uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(body.data()), body.size())));
}

// A valid side x side RGBA PNG of transparent pixels, compressed row by row.
std::string TransparentPng(int side)
{
    std::string header;
    PutBig(header, side);
    PutBig(header, side);
    header += std::string("\x08\x06\x00\x00\x00", 5); // 8 bits, RGBA, deflate, no filter, no interlace

    const std::vector<Bytef> row(1 + 4 * static_cast<size_t>(side), 0); // filter "none", then the pixels
    std::string idat;
    std::vector<Bytef> buffer(1 << 16);
    z_stream z{};
    deflateInit(&z, Z_BEST_COMPRESSION);
    for (int y = 0; y <= side; ++y) {
        z.next_in = const_cast<Bytef*>(row.data());
        z.avail_in = y < side ? static_cast<uInt>(row.size()) : 0;
        const int flush = y < side ? Z_NO_FLUSH : Z_FINISH;
        do {
            z.next_out = buffer.data();
            z.avail_out = static_cast<uInt>(buffer.size());
            deflate(&z, flush);
            idat.append(reinterpret_cast<const char*>(buffer.data()), buffer.size() - z.avail_out);
        } while (z.avail_out == 0);
    }
    deflateEnd(&z);

    std::string png("\x89PNG\r\n\x1a\n", 8);
    PutChunk(png, "IHDR", header);
    PutChunk(png, "IDAT", idat);
    PutChunk(png, "IEND", "");
    return png;
}

const std::string& HugePng()
{
    static const std::string png = TransparentPng(Side);
    return png;
}

std::string Core(const std::string& plugin = "")
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Core>\n"
           "  <config catalog=\"General\">\n"
           "    <property key=\"VerboseMode\" value=\"1\"/>\n"
           "    <property key=\"CheckUpdate\" value=\"0\"/>\n"
           "  </config>\n"
           "  <config catalog=\"Appearance\">\n"
           "    <property key=\"ShowSplash\" value=\"0\"/>\n"
           "  </config>\n" +
           (plugin.empty() ? "" : "  <config catalog=\"Plugin\">\n" + plugin + "  </config>\n") + "</Core>\n";
}

// A menu of one icon whose normal face is the picture at icon.
std::string MenuWithIcon(const std::string& icon)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Launcher>\n<menu type=\"1\">\n"
           "<item><name>Huge</name><icon><normal>" + icon + "</normal><hover/><press/></icon>"
           "<panel><type>0</type><descrip/><image/></panel></item>\n</menu>\n</Launcher>\n";
}

struct Case {
    std::string picture; // where the huge picture goes, relative to the application folder
    std::string menu;    // the menu file; the default one when empty
    std::string core;
};

struct Run {
    double ms = -1;
    double peakMiB = 0;
    bool refused = false; // the start was refused rather than ready
};

// One start in a fresh copy of app set up as c; ends the program after the measurement.
Run StartOnce(const fs::path& app, const Case& c)
{
    char pattern[] = "/tmp/zyn-bench-hugepicture.XXXXXX";
    const fs::path dir = mkdtemp(pattern);
    fs::copy(app, dir, fs::copy_options::recursive);
    fs::create_directories(dir / "Configs");
    std::ofstream(dir / "Configs/Core.xml") << c.core;
    if (!c.menu.empty())
        std::ofstream(dir / "launcher.xml", std::ios::trunc) << c.menu;
    std::ofstream(dir / c.picture, std::ios::trunc | std::ios::binary) << HugePng();
    const fs::path log = dir / "Verbose.log";

    Run run;
    const auto start = Clock::now();
    const pid_t pid = zynbench::StartAppIn(dir);
    // A program that decodes the whole picture takes tens of seconds.
    while (Clock::now() - start < std::chrono::seconds(180)) {
        const std::string text = Read(log);
        run.refused = text.find("Cannot load the theme image") != std::string::npos;
        if (run.refused || text.find("Zyn Utils is ready.") != std::string::npos) {
            run.ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
            run.peakMiB = PeakMiB(pid);
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    kill(pid, SIGKILL); // a refused start waits in its fatal error box
    int status = 0;
    waitpid(pid, &status, 0);
    fs::remove_all(dir);
    return run;
}

void Report(benchmark::State& state, std::vector<double> values, const std::string& name)
{
    zynbench::ReportMedianWorst(state, std::move(values), name + "_", "");
}

void Measure(benchmark::State& state, const Case& c)
{
    const char* other = std::getenv("ZYN_BENCH_APP");
    const fs::path app = other ? fs::path(other) : fs::path(ZYN_APP_DIR);
    state.counters["png_bytes"] = static_cast<double>(HugePng().size());
    StartOnce(app, c); // warms the caches
    std::vector<double> ms, peak;
    double refused = 0;
    for (auto _ : state) {
        const Run run = StartOnce(app, c);
        if (run.ms < 0) {
            state.SkipWithError("the program neither got ready nor refused to start (is DISPLAY a session of scripts/session.sh?)");
            return;
        }
        state.SetIterationTime(run.ms / 1000.0);
        ms.push_back(run.ms);
        peak.push_back(run.peakMiB);
        refused += run.refused;
    }
    Report(state, ms, "ms");
    Report(state, peak, "peak_mib");
    state.counters["refused_runs"] = refused;
}

void BM_HugePanelBackground(benchmark::State& state)
{
    Measure(state, {"Images/background/panel.png", "", Core()});
}
BENCHMARK(BM_HugePanelBackground)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);

void BM_HugeItemIcon(benchmark::State& state)
{
    Measure(state, {"huge.png", MenuWithIcon("huge.png"), Core()});
}
BENCHMARK(BM_HugeItemIcon)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);

void BM_HugeImageWidgetPicture(benchmark::State& state)
{
    Measure(state, {"huge.png", "", Core("    <property key=\"ImageWidgetPath\" value=\"huge.png\"/>\n")});
}
BENCHMARK(BM_HugeImageWidgetPicture)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);

} // namespace
