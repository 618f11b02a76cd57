// What the benches that run the toolkit on the session's display share: the
// toolkit with an active event loop to pump, the hot key pressed for real
// (XTest), and the median and worst of a series of times.
#pragma once

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>
#include <wx/app.h>
#include <wx/evtloop.h>
#include <wx/init.h>
#include <wx/utils.h>

#include "Counters.h"
#include "HotkeyManager.h"

namespace zynbench {

using Clock = std::chrono::steady_clock;

inline double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

inline wxGUIEventLoop* toolkitLoop = nullptr;

// Starts the toolkit on the session's display with an active event loop (the
// benches pump it themselves); false, with a message naming program, without one.
inline bool StartToolkit(int& argc, char** argv, const char* program)
{
    setenv("GDK_BACKEND", "x11", 1);
    setenv("NO_AT_BRIDGE", "1", 0);
    wxApp::SetInstance(new wxApp);
    if (!wxEntryStart(argc, argv)) {
        fprintf(stderr, "%s: cannot start the toolkit (is DISPLAY set?)\n", program);
        return false;
    }
    toolkitLoop = new wxGUIEventLoop;
    wxEventLoopBase::SetActive(toolkitLoop);
    return true;
}

inline void StopToolkit()
{
    wxEventLoopBase::SetActive(nullptr);
    delete toolkitLoop;
    toolkitLoop = nullptr;
    wxEntryCleanup();
}

// Dispatches every event that is waiting, without waiting for more.
inline void Pump()
{
    wxEventLoopBase* loop = wxEventLoopBase::GetActive();
    while (loop->Pending())
        loop->Dispatch();
    wxTheApp->ProcessPendingEvents();
}

// Runs the toolkit's events until done, each turn timed; the longest turn in ms.
inline double PumpUntil(const std::function<bool()>& done, double limitMs = 3000)
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

// Sets name + "median_ms" and name + "worst_ms" from times in ms.
inline void ReportTimes(benchmark::State& state, std::vector<double>& ms, const std::string& name = "")
{
    std::sort(ms.begin(), ms.end()); // callers may read the sorted series after
    ReportMedianWorst(state, ms, name, "_ms");
}

// Ctrl+Alt+K grabbed for a window of the program and pressed through XTest
// from a connection of its own, as a user would; the grab ends with it.
class HotkeyPress {
public:
    // Why the hot key cannot be pressed, or nullptr when it can.
    const char* Grab(wxEvtHandler* window)
    {
        display = XOpenDisplay(nullptr);
        if (!display || !HotkeyManager::Initial())
            return "needs an X display (scripts/session.sh)";
        grabbing = true;
        HotkeyManager::SetHotkeyWindow(window);
        HotkeyManager::SetEnable(true);
        if (!HotkeyManager::SetHotkey(HotkeyManager::MOD_CONTROL | HotkeyManager::MOD_ALT, 'K'))
            return "the hot key cannot be grabbed";
        ctrl = XKeysymToKeycode(display, XK_Control_L);
        alt = XKeysymToKeycode(display, XK_Alt_L);
        key = XKeysymToKeycode(display, XK_k);
        return nullptr;
    }
    // The modifiers go down first and reach the server before the timed key press.
    void HoldModifiers()
    {
        XTestFakeKeyEvent(display, ctrl, True, CurrentTime);
        XTestFakeKeyEvent(display, alt, True, CurrentTime);
        XSync(display, False);
    }
    void PressKey()
    {
        XTestFakeKeyEvent(display, key, True, CurrentTime);
        XFlush(display);
    }
    void ReleaseAll()
    {
        for (KeyCode code : {key, alt, ctrl})
            XTestFakeKeyEvent(display, code, False, CurrentTime);
        XSync(display, False);
    }
    ~HotkeyPress()
    {
        if (grabbing) {
            HotkeyManager::SetEnable(false);
            HotkeyManager::ClearHotkey();
            HotkeyManager::SetHotkeyWindow(nullptr);
        }
        if (display)
            XCloseDisplay(display);
    }

private:
    Display* display = nullptr;
    bool grabbing = false;
    KeyCode ctrl = 0, alt = 0, key = 0;
};

} // namespace zynbench
