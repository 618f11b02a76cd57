// The machine figures read from /proc and /sys, over fixture trees: processor
// times, memory, batteries (none being a normal answer), and the fake's tables.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "TestSupport.h"
#include "zplat/SystemInfo.h"

namespace {

class ProcSystemInfoTest : public testing::Test {
protected:
    void Put(const std::string& relative, const std::string& text)
    {
        const std::filesystem::path path = root / relative;
        std::filesystem::create_directories(path.parent_path());
        ASSERT_TRUE(zyntest::WriteFile(path, text));
    }
    // A power supply under /sys/class/power_supply with its attributes.
    void Supply(const std::string& name, const std::map<std::string, std::string>& attributes)
    {
        for (const auto& [key, value] : attributes)
            Put("sys/class/power_supply/" + name + "/" + key, value + "\n");
    }

    zyntest::TempDir root;
    zplat::ProcSystemInfo info{root.Path()};
};

TEST_F(ProcSystemInfoTest, ProcessorTimesCountIdleInKernelAndNiceInUser)
{
    // user nice system idle iowait irq softirq steal guest guest_nice
    Put("proc/stat", "cpu  100 20 30 400 50 6 7 8 90 10\ncpu0 1 2 3 4 5 6 7 8 9 10\nintr 1 2 3\n");
    zplat::CpuTimes t;
    ASSERT_TRUE(info.ReadCpuTimes(t));
    EXPECT_EQ(t.idle, 450u);
    EXPECT_EQ(t.kernel, 30u + 6 + 7 + 8 + 450);
    EXPECT_EQ(t.user, 120u);

    Put("proc/stat", "cpu  1 2 3 4\n"); // the oldest kernels give four fields
    ASSERT_TRUE(info.ReadCpuTimes(t));
    EXPECT_EQ(t.idle, 4u);
    EXPECT_EQ(t.kernel, 7u);
    EXPECT_EQ(t.user, 3u);

    for (const char* broken : {"", "cpu0 1 2 3 4\n", "cpu  1 2\n", "intr 1\ncpu  1 2 3 4\n"}) {
        Put("proc/stat", broken);
        EXPECT_FALSE(info.ReadCpuTimes(t)) << broken;
    }
}

TEST_F(ProcSystemInfoTest, MemoryTakesTheKernelsEstimateOrFreeBuffersAndCache)
{
    zplat::MemoryStatus m;
    EXPECT_FALSE(info.ReadMemory(m)); // no file

    Put("proc/meminfo", "MemTotal:        4194304 kB\nMemFree:          100000 kB\nMemAvailable:    1048576 kB\n"
                        "Buffers:           2000 kB\nCached:           30000 kB\n");
    ASSERT_TRUE(info.ReadMemory(m));
    EXPECT_EQ(m.totalBytes, uint64_t(4096) << 20);
    EXPECT_EQ(m.availableBytes, uint64_t(1024) << 20);

    Put("proc/meminfo", "MemTotal: 1000 kB\nMemFree: 100 kB\nBuffers: 20 kB\nCached: 300 kB\n");
    ASSERT_TRUE(info.ReadMemory(m));
    EXPECT_EQ(m.availableBytes, 420u * 1024);

    Put("proc/meminfo", "MemFree: 100 kB\n");
    EXPECT_FALSE(info.ReadMemory(m));
}

TEST_F(ProcSystemInfoTest, NoBatteryIsAnAnswer)
{
    EXPECT_EQ(info.BatteryPercent(), std::nullopt); // no power_supply folder at all
    Supply("AC", {{"type", "Mains"}, {"online", "1"}});
    Supply("hidpp_battery_0", {{"type", "Battery"}, {"scope", "Device"}, {"capacity", "40"}}); // a mouse
    Supply("BAT9", {{"type", "Battery"}, {"present", "0"}, {"capacity", "0"}});                // an empty bay
    EXPECT_EQ(info.BatteryPercent(), std::nullopt);
}

TEST_F(ProcSystemInfoTest, BatteriesAddUpTheirChargeAndStayWithinAHundred)
{
    struct Case {
        std::map<std::string, std::string> bat0, bat1;
        std::optional<int> percent;
    };
    const Case cases[] = {
        {{{"type", "Battery"}, {"capacity", "24"}}, {}, 24},
        {{{"type", "Battery"}, {"capacity", "104"}}, {}, 100}, // worn batteries may report more
        {{{"type", "Battery"}, {"energy_now", "30000000"}, {"energy_full", "40000000"}, {"capacity", "1"}}, {}, 75},
        {{{"type", "Battery"}, {"charge_now", "500"}, {"charge_full", "4000"}}, {}, 12},
        {{{"type", "Battery"}, {"energy_now", "50"}, {"energy_full", "0"}, {"capacity", "33"}}, {}, 33},
        // Two batteries: the charge of both over the capacity of both.
        {{{"type", "Battery"}, {"energy_now", "10"}, {"energy_full", "100"}},
         {{"type", "Battery"}, {"energy_now", "290"}, {"energy_full", "300"}}, 75},
        {{{"type", "Battery"}, {"capacity", "garbage"}}, {}, std::nullopt},
        {{{"type", "Battery"}, {"capacity", "-5"}}, {}, std::nullopt},
        {{{"type", "Battery"}, {"capacity", "123456789012345678901234567890"}}, {}, std::nullopt}, // too large
    };
    for (const Case& c : cases) {
        std::filesystem::remove_all(root / "sys");
        Supply("BAT0", c.bat0);
        if (!c.bat1.empty())
            Supply("BAT1", c.bat1);
        EXPECT_EQ(info.BatteryPercent(), c.percent) << c.bat0.begin()->second << " " << c.bat0.size();
    }
}

TEST(FakeSystemInfo, AnswersItsTablesInTurnAndRepeatsTheLast)
{
    zplat::CpuTimes t;
    EXPECT_FALSE(zplat::FakeSystemInfo().ReadCpuTimes(t)); // an empty table is a failure
    zplat::FakeSystemInfo fake;
    fake.cpuSamples = {{1, 2, 3}, {4, 5, 6}};
    for (uint64_t expected : {1u, 4u, 4u}) {
        ASSERT_TRUE(fake.ReadCpuTimes(t));
        EXPECT_EQ(t.idle, expected);
    }
    EXPECT_EQ(fake.cpuReads, 3u);
    fake.memoryOk = false;
    zplat::MemoryStatus m;
    EXPECT_FALSE(fake.ReadMemory(m));
    fake.battery = 42;
    EXPECT_EQ(fake.BatteryPercent(), 42);
}

} // namespace
