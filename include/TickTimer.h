// A one-shot count-down measured on the platform clock (zplat::TickCount), so
// a test that installs a ManualClock decides when it runs out. It looks at the
// clock at most every TickPollMs and, once the time is up, sends its owner the
// ordinary wxTimerEvent.
#pragma once

#include <cstdint>

#include <wx/timer.h>

inline constexpr int TickPollMs = 50;

class TickTimer : public wxTimer {
public:
    explicit TickTimer(wxEvtHandler* owner, int id = wxID_ANY);

    // Starts the count-down of ms milliseconds from now (again when running).
    bool StartOnce(int ms);
    void Notify() override;

private:
    uint32_t startTick = 0;
    int32_t timeoutMs = 0;
};
