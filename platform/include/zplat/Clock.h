// The millisecond tick count of animations and timeouts. Unsigned 32-bit, so
// differences survive the wrap. Tests install a ManualClock to run a 250 ms
// fade in microseconds.
#pragma once

#include <cstdint>

namespace zplat {

class Clock {
public:
    virtual ~Clock() = default;
    virtual uint32_t Ticks() const = 0;
};

// The clock in use: CLOCK_MONOTONIC unless a test installed another.
const Clock& GetClock();
inline uint32_t TickCount() { return GetClock().Ticks(); }

// Installs clock (not owned); nullptr restores the monotonic clock.
void SetClock(const Clock* clock);

class ManualClock : public Clock {
public:
    uint32_t Ticks() const override { return now; }
    void Advance(uint32_t ms) { now += ms; }
    uint32_t now = 0;
};

} // namespace zplat
