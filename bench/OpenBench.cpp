// The launcher opening as a user sees it, measured from outside the program:
// the real program runs from a copy of the build's application directory with
// the hot key Ctrl+Alt+Z; this bench is another X client that presses the key
// through XTest and watches the composited screen (damage on the root window
// plus one probe pixel on the backdrop, away from the menus) until the
// darkened backdrop shows. The program is started again every few opens, so
// the first open after a start is measured too (first_open_*). Where the
// session names its X server (ZYN_XSERVER_PID), the server's page faults per
// open are counted too: a server that gave the memory of the backdrop's
// full-screen pixmap back to the system faults it in again on every map, which
// costs it 15-50 ms here; no_fault_* are the opens where it reused its memory.
//   ./scripts/session.sh -- build/bin/zyn-bench-open
#include <benchmark/benchmark.h>

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xdamage.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#include <poll.h>
#include <signal.h>

#include <chrono>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "AppRunner.h"
#include "BenchSupport.h"
#include "ProcessFiles.h"

namespace {

using zynbench::Clock;
using zynbench::Ms;

// On the backdrop, clear of the root menu (launch type 1 puts it at 300, 250),
// the tray (bottom right) and the notifications (top right).
constexpr int ProbeX = 1100, ProbeY = 120;
constexpr int OpensPerStart = 10;

const char Hotkey[] = "  <config catalog=\"Hotkey\">\n"
                      "    <property key=\"Enable\" value=\"1\"/>\n"
                      "    <property key=\"HotkeyType\" value=\"3\"/>\n"
                      "    <property key=\"HotkeyChar\" value=\"Z\"/>\n"
                      "  </config>\n";

// The bench's own X connection: XTest key presses, and the screen as the
// compositor paints it.
class Screen {
public:
    bool Open()
    {
        d = XOpenDisplay(nullptr);
        int error = 0;
        if (!d || !XDamageQueryExtension(d, &damageEvent, &error))
            return false;
        damage = XDamageCreate(d, DefaultRootWindow(d), XDamageReportNonEmpty);
        ctrl = XKeysymToKeycode(d, XK_Control_L);
        alt = XKeysymToKeycode(d, XK_Alt_L);
        key = XKeysymToKeycode(d, XK_z);
        XSync(d, False);
        return true;
    }
    ~Screen()
    {
        if (d)
            XCloseDisplay(d);
    }

    uint32_t Probe()
    {
        XImage* image = XGetImage(d, DefaultRootWindow(d), ProbeX, ProbeY, 1, 1, AllPlanes, ZPixmap);
        if (!image)
            return 0;
        const uint32_t pixel = static_cast<uint32_t>(XGetPixel(image, 0, 0)) & 0xFFFFFF;
        XDestroyImage(image);
        return pixel;
    }

    // Waits for the next paint (a damage event) for at most ms; true when one came.
    bool WaitDamage(int ms)
    {
        const auto end = Clock::now() + std::chrono::milliseconds(ms);
        for (;;) {
            while (XPending(d)) {
                XEvent ev;
                XNextEvent(d, &ev);
                if (ev.type == damageEvent + XDamageNotify) {
                    XDamageSubtract(d, damage, 0, 0);
                    return true;
                }
            }
            const int left = static_cast<int>(Ms(end - Clock::now()));
            if (left <= 0)
                return false;
            pollfd fd{ConnectionNumber(d), POLLIN, 0};
            poll(&fd, 1, left);
        }
    }

    // Waits until the screen has stopped changing: no paint for quietMs.
    void Settle(int quietMs = 250, int limitMs = 5000)
    {
        const auto end = Clock::now() + std::chrono::milliseconds(limitMs);
        while (WaitDamage(quietMs) && Clock::now() < end) {
        }
    }

    void Modifiers(bool down)
    {
        XTestFakeKeyEvent(d, ctrl, down, CurrentTime);
        XTestFakeKeyEvent(d, alt, down, CurrentTime);
        XSync(d, False);
    }
    void Key(bool down)
    {
        XTestFakeKeyEvent(d, key, down, CurrentTime);
        XFlush(d);
    }

    // Presses the hot key; ms until the probe pixel differs from `from` on
    // screen, or a negative value when it never does within limitMs.
    double PressUntilProbeLeaves(uint32_t from, int limitMs = 3000)
    {
        Modifiers(true);
        while (WaitDamage(0)) {
        }
        const auto press = Clock::now();
        Key(true);
        double took = -1;
        while (Ms(Clock::now() - press) < limitMs) {
            WaitDamage(1); // a paint, or one millisecond: the probe is read either way
            if (Probe() != from) {
                took = Ms(Clock::now() - press);
                break;
            }
        }
        Key(false);
        Modifiers(false);
        return took;
    }

    // Presses the hot key until the probe shows `to` (the launcher hidden again).
    bool PressUntilProbeIs(uint32_t to, int limitMs = 5000)
    {
        Modifiers(true);
        Key(true);
        Key(false);
        Modifiers(false);
        const auto start = Clock::now();
        while (Ms(Clock::now() - start) < limitMs) {
            WaitDamage(5);
            if (Probe() == to)
                return true;
        }
        return false;
    }

private:
    Display* d = nullptr;
    Damage damage = 0;
    int damageEvent = 0;
    KeyCode ctrl = 0, alt = 0, key = 0;
};

// Hot key press -> darkened backdrop on screen, over several starts of the program.
void BM_HotkeyToBackdropVisible(benchmark::State& state)
{
    Screen screen;
    if (!screen.Open()) {
        state.SkipWithError("needs an X display with DAMAGE (scripts/session.sh)");
        return;
    }
    std::unique_ptr<zyntest::AppRunner> app;
    uint32_t desktop = 0;
    std::vector<double> all, first, faults, noFault;
    const char* serverPid = getenv("ZYN_XSERVER_PID");
    const pid_t server = serverPid ? static_cast<pid_t>(atoi(serverPid)) : 0;
    const auto serverFaults = [&] { return server > 0 ? zynbench::StatField(server, 10) : -1; };
    int opens = 0, failed = 0;
    for (auto _ : state) {
        if (opens++ % OpensPerStart == 0) {
            app.reset(); // ends the program that ran
            screen.Settle();
            app = std::make_unique<zyntest::AppRunner>();
            app->WriteQuietVerboseCore(Hotkey, {{"Appearance/LaunchType", "1"}});
            if (app->Start() <= 0 || !app->WaitForLog("Zyn Utils is ready.")) {
                state.SkipWithError("the program did not start");
                return;
            }
            screen.Settle();
            desktop = screen.Probe();
        }
        const bool firstOpen = (opens - 1) % OpensPerStart == 0;
        const long long faultsBefore = serverFaults();
        const double took = screen.PressUntilProbeLeaves(desktop);
        const long long faultsAfter = serverFaults();
        if (took < 0) {
            ++failed;
            state.SetIterationTime(3.0);
        } else {
            state.SetIterationTime(took / 1000.0);
            all.push_back(took);
            if (firstOpen)
                first.push_back(took);
            if (faultsBefore >= 0 && faultsAfter >= 0) {
                faults.push_back(static_cast<double>(faultsAfter - faultsBefore));
                if (faults.back() < 256) // under a megabyte faulted in
                    noFault.push_back(took);
            }
        }
        screen.Settle(); // the opening animation ends
        if (!screen.PressUntilProbeIs(desktop)) {
            state.SkipWithError("the launcher did not hide");
            return;
        }
        screen.Settle();
    }
    zynbench::ReportTimes(state, all);
    zynbench::ReportTimes(state, first, "first_open_");
    if (!faults.empty()) {
        zynbench::ReportTimes(state, noFault, "no_fault_");
        zynbench::ReportMedianWorst(state, faults, "server_page_faults_", "");
    }
    state.counters["not_shown"] = failed;
}
BENCHMARK(BM_HotkeyToBackdropVisible)->UseManualTime()->Iterations(5 * OpensPerStart)->Unit(benchmark::kMillisecond);

double RssMiB(pid_t pid) { return zynbench::StatusMiB(pid, "VmRSS:"); }

void ReportMiB(benchmark::State& state, std::vector<double> values, const std::string& name)
{
    zynbench::ReportMedianWorst(state, std::move(values), name + "_", "_mib");
}

// Resident memory over 50 opens by the hot key, one start of the program per iteration.
void BM_RssOverOpens(benchmark::State& state)
{
    constexpr int Opens = 50;
    Screen screen;
    if (!screen.Open()) {
        state.SkipWithError("needs an X display with DAMAGE (scripts/session.sh)");
        return;
    }
    std::vector<double> ready, first, last, growth;
    for (auto _ : state) {
        zyntest::AppRunner app;
        app.WriteQuietVerboseCore(Hotkey, {{"Appearance/LaunchType", "1"}});
        const pid_t pid = app.Start();
        if (pid <= 0 || !app.WaitForLog("Zyn Utils is ready.")) {
            state.SkipWithError("the program did not start");
            return;
        }
        screen.Settle();
        const uint32_t desktop = screen.Probe();
        ready.push_back(RssMiB(pid));
        const auto start = Clock::now();
        for (int k = 1; k <= Opens; ++k) {
            if (screen.PressUntilProbeLeaves(desktop) < 0) {
                state.SkipWithError("the launcher did not show");
                return;
            }
            screen.Settle();
            if (!screen.PressUntilProbeIs(desktop)) {
                state.SkipWithError("the launcher did not hide");
                return;
            }
            screen.Settle();
            if (k == 1)
                first.push_back(RssMiB(pid));
        }
        last.push_back(RssMiB(pid));
        growth.push_back(last.back() - first.back());
        state.SetIterationTime(Ms(Clock::now() - start) / 1000.0);
    }
    ReportMiB(state, ready, "rss_ready");
    ReportMiB(state, first, "rss_first_open");
    ReportMiB(state, last, "rss_50_opens");
    ReportMiB(state, growth, "growth_after_first");
}
BENCHMARK(BM_RssOverOpens)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);

} // namespace
