// What the desktop widgets show of the machine: processor times, physical
// memory and the battery charge. The Linux reader takes them from /proc and
// /sys; tests install a FakeSystemInfo that answers from tables.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace zplat {

// Processor time of all processors since boot, in clock ticks. kernel counts
// the idle time too, so kernel + user is all the time that passed.
struct CpuTimes {
    uint64_t idle = 0;
    uint64_t kernel = 0;
    uint64_t user = 0;
};

struct MemoryStatus {
    uint64_t totalBytes = 0;
    uint64_t availableBytes = 0;
};

class SystemInfo {
public:
    virtual ~SystemInfo() = default;
    // False when the times cannot be read.
    virtual bool ReadCpuTimes(CpuTimes& times) = 0;
    // False when the figures cannot be read.
    virtual bool ReadMemory(MemoryStatus& memory) = 0;
    // The charge of the machine's batteries in percent (0 to 100); nothing when
    // the machine has no battery (or none that can be read).
    virtual std::optional<int> BatteryPercent() = 0;
};

// The reader in use: the Linux one unless a test installed another.
SystemInfo& GetSystemInfo();
// Installs info (owned); nullptr restores the Linux reader.
void SetSystemInfo(std::unique_ptr<SystemInfo> info);

// Reads root + "/proc/stat", "/proc/meminfo" and "/sys/class/power_supply";
// root is empty for the running system.
class ProcSystemInfo : public SystemInfo {
public:
    explicit ProcSystemInfo(std::string root = std::string()) : root(std::move(root)) {}
    bool ReadCpuTimes(CpuTimes& times) override;
    bool ReadMemory(MemoryStatus& memory) override;
    std::optional<int> BatteryPercent() override;

private:
    std::string root;
};

// Answers from its tables and counts the questions.
class FakeSystemInfo : public SystemInfo {
public:
    // Answered in turn; the last one again once the table is used up. Empty: failure.
    std::vector<CpuTimes> cpuSamples;
    bool memoryOk = true;
    MemoryStatus memory;
    std::optional<int> battery;

    size_t cpuReads = 0;
    int memoryReads = 0;
    int batteryReads = 0;

    bool ReadCpuTimes(CpuTimes& times) override;
    bool ReadMemory(MemoryStatus& out) override;
    std::optional<int> BatteryPercent() override;
};

} // namespace zplat
