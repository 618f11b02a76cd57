#include "TickTimer.h"

#include <algorithm>

#include "zplat/Clock.h"

namespace {
// Never 0: a timer with interval 0 spins on GTK.
int NextWait(int32_t remainingMs)
{
    return std::max(1, std::min<int32_t>(remainingMs, TickPollMs));
}
} // namespace

TickTimer::TickTimer(wxEvtHandler* owner, int id) : wxTimer(owner, id) {}

bool TickTimer::StartOnce(int ms)
{
    startTick = zplat::TickCount();
    timeoutMs = ms;
    return wxTimer::Start(NextWait(ms), wxTIMER_ONE_SHOT);
}

void TickTimer::Notify()
{
    const int32_t elapsed = static_cast<int32_t>(zplat::TickCount() - startTick);
    if (elapsed < timeoutMs) {
        wxTimer::Start(NextWait(timeoutMs - elapsed), wxTIMER_ONE_SHOT);
        return;
    }
    wxTimer::Notify();
}
