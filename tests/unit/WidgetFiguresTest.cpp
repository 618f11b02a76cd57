// The arithmetic of the HP bar and the system monitor: hit points, fill span,
// level text, processor use, memory figures, dial frame and the texts drawn.
#include <gtest/gtest.h>

#include <cstdint>
#include <optional>

#include "HPBar.h"
#include "SystemMonitor.h"

namespace {

TEST(HPBarFigures, HitPointsFollowTheLevelAndTheBattery)
{
    struct Case {
        int level;
        std::optional<int> battery;
        int current, maximum;
    };
    const Case cases[] = {
        {1, std::nullopt, 500, 500}, // no battery: full
        {1, 24, 120, 500},
        {1, 100, 500, 500},
        {1, 0, 0, 500},
        {3, 33, 495, 1500},
        {100, 1, 500, 50000},
    };
    for (const Case& c : cases) {
        const HitPoints hp = ComputeHitPoints(c.level, c.battery);
        EXPECT_EQ(hp.current, c.current) << c.level << " " << c.battery.value_or(-1);
        EXPECT_EQ(hp.maximum, c.maximum) << c.level;
    }
}

TEST(HPBarFigures, FillColourAndSpanFollowThePercentage)
{
    struct Case {
        int percent;
        int fill; // 0 green, 1 yellow, 2 red
        int filled, skipped, x;
    };
    // Fill images are 260 pixels wide; what is shown is their right-hand end.
    const Case cases[] = {
        {100, 0, 260, 0, 81},
        {99, 0, 257, 3, 83},
        {50, 0, 130, 130, 83},
        {49, 1, 127, 133, 83},
        {25, 1, 65, 195, 83},
        {24, 2, 62, 198, 83},
        {0, 2, 0, 260, 83},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(HPFillIndex(c.percent), c.fill) << c.percent;
        const HPFillSpan span = ComputeHPFillSpan(c.percent, 260);
        EXPECT_EQ(span.filled, c.filled) << c.percent;
        EXPECT_EQ(span.skipped, c.skipped) << c.percent;
        EXPECT_EQ(span.x, c.x) << c.percent;
    }
    // Two pixels short still starts at the trough's edge; a missing image shows nothing.
    EXPECT_EQ(ComputeHPFillSpan(99, 200).x, 81);
    EXPECT_EQ(ComputeHPFillSpan(24, 0).filled, 0);
}

TEST(HPBarFigures, LevelTextHasTwoDigitsAtLeast)
{
    EXPECT_EQ(HPLevelText(1), "Lv.01");
    EXPECT_EQ(HPLevelText(9), "Lv.09");
    EXPECT_EQ(HPLevelText(10), "Lv.10");
    EXPECT_EQ(HPLevelText(100), "Lv.100");
}

TEST(SystemMonitorFigures, ProcessorUseIsTheBusyShareOfTheTimeThatPassed)
{
    struct Case {
        zplat::CpuTimes before, after;
        int usage;
    };
    const uint64_t big = uint64_t(1) << 40; // far past 32 bits, as on a machine up for weeks
    const Case cases[] = {
        {{0, 0, 0}, {50, 80, 20}, 50},      // kernel counts the idle time
        {{100, 200, 300}, {195, 300, 300}, 5},
        {{0, 0, 0}, {0, 60, 40}, 100},
        {{10, 10, 10}, {10, 10, 10}, 0},     // no time passed
        {{big, big, big}, {big + 100, big + 100, big + 300}, 75},
        // A long gap whose counts overflow 32 bits is still measured whole.
        {{0, 0, 0}, {uint64_t(5) << 32, uint64_t(5) << 32, uint64_t(5) << 32}, 50},
        // A counter that went back (the kernel's iowait may) never gives more than 100 or less than 0.
        {{500, 500, 0}, {400, 600, 100}, 100},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ComputeCpuUsage(c.before, c.after), c.usage) << c.after.idle << " " << c.after.kernel;
}

TEST(SystemMonitorFigures, MemoryFiguresAndText)
{
    zplat::MemoryStatus memory;
    memory.totalBytes = uint64_t(4096) << 20;
    memory.availableBytes = uint64_t(1024) << 20;
    const MemoryFigures mb = ComputeMemoryFigures(memory);
    EXPECT_EQ(mb.usedMB, 3072);
    EXPECT_EQ(mb.totalMB, 4096);
    EXPECT_EQ(MemoryUsageText(mb.usedMB, mb.totalMB), "Memory Usage: 3072 / 4096 mb");
    EXPECT_EQ(MemoryUsageText(0, 0), "Memory Usage: ---- / ---- mb");
    EXPECT_EQ(MemoryUsageText(12, 0), "Memory Usage: ---- / ---- mb");
    EXPECT_EQ(MemoryUsageText(-1, 4096), "Memory Usage: ---- / ---- mb");

    memory.availableBytes = memory.totalBytes + 1; // never "negative" use
    EXPECT_EQ(ComputeMemoryFigures(memory).usedMB, 0);
}

TEST(SystemMonitorFigures, DialFrameAndDigits)
{
    struct Case {
        int usage;
        int entry;
        const char* digits;
    };
    const Case cases[] = {
        {0, 0, "00"}, {3, 0, "03"}, {4, 1, "04"}, {5, 1, "05"}, {9, 2, "09"}, {10, 2, "10"},
        {91, 22, "91"}, {92, 23, "92"}, {99, 23, "99"}, {100, 23, "100"}, // a full processor keeps the full dial
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DialEntry(c.usage), c.entry) << c.usage;
        EXPECT_EQ(UsageDigits(c.usage), c.digits) << c.usage;
    }
}

} // namespace
