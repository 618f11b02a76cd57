#include "zplat/Clock.h"

#include <time.h>

namespace zplat {
namespace {

class MonotonicClock : public Clock {
public:
    uint32_t Ticks() const override
    {
        timespec ts{};
        clock_gettime(CLOCK_MONOTONIC, &ts);
        return static_cast<uint32_t>(static_cast<uint64_t>(ts.tv_sec) * 1000u + ts.tv_nsec / 1000000u);
    }
};

const MonotonicClock monotonic;
const Clock* current = &monotonic;

} // namespace

const Clock& GetClock() { return *current; }
void SetClock(const Clock* clock) { current = clock ? clock : &monotonic; }

} // namespace zplat
