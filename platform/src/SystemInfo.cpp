#include "zplat/SystemInfo.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "Backend.h"

namespace zplat {
namespace {

std::string FirstLine(const std::filesystem::path& path)
{
    std::ifstream in(path);
    std::string line;
    std::getline(in, line);
    return line;
}

// A whole non-negative number from a sysfs attribute, or nothing.
std::optional<uint64_t> Number(const std::filesystem::path& path)
{
    const std::string text = FirstLine(path);
    uint64_t value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || stop != end)
        return std::nullopt;
    return value;
}

// What one battery holds now and when full, in its own units (energy in µWh,
// charge in µAh, or the percentage when the driver gives nothing else).
struct Charge {
    uint64_t now = 0;
    uint64_t full = 0;
};

std::optional<Charge> BatteryCharge(const std::filesystem::path& dir)
{
    if (FirstLine(dir / "type") != "Battery")
        return std::nullopt;
    // Batteries of mice, keyboards and phones report the scope "Device".
    if (FirstLine(dir / "scope") == "Device")
        return std::nullopt;
    if (const auto present = Number(dir / "present"); present && *present == 0)
        return std::nullopt;
    for (const char* kind : {"energy", "charge"}) {
        const auto now = Number(dir / (std::string(kind) + "_now"));
        const auto full = Number(dir / (std::string(kind) + "_full"));
        if (now && full && *full > 0)
            return Charge{std::min(*now, *full), *full};
    }
    if (const auto capacity = Number(dir / "capacity"))
        return Charge{std::min<uint64_t>(*capacity, 100), 100};
    return std::nullopt;
}

using Slot = Backend<SystemInfo, ProcSystemInfo>;

} // namespace

bool ProcSystemInfo::ReadCpuTimes(CpuTimes& times)
{
    std::ifstream in(root + "/proc/stat");
    std::string line;
    if (!std::getline(in, line) || line.compare(0, 4, "cpu ") != 0)
        return false;
    std::istringstream fields(line.substr(4));
    // user nice system idle iowait irq softirq steal (later kernels add guest
    // times, which user already counts).
    uint64_t v[8] = {};
    int count = 0;
    while (count < 8 && fields >> v[count])
        ++count;
    if (count < 4)
        return false;
    const uint64_t idle = v[3] + v[4];
    times.idle = idle;
    times.kernel = v[2] + v[5] + v[6] + v[7] + idle;
    times.user = v[0] + v[1];
    return true;
}

bool ProcSystemInfo::ReadMemory(MemoryStatus& memory)
{
    std::ifstream in(root + "/proc/meminfo");
    std::optional<uint64_t> total, available, free, buffers, cached;
    std::string key;
    uint64_t kb = 0;
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        if (!(fields >> key >> kb))
            continue;
        if (key == "MemTotal:")
            total = kb;
        else if (key == "MemAvailable:")
            available = kb;
        else if (key == "MemFree:")
            free = kb;
        else if (key == "Buffers:")
            buffers = kb;
        else if (key == "Cached:")
            cached = kb;
    }
    // Kernels before 3.14 give no estimate of their own.
    if (!available && free)
        available = *free + buffers.value_or(0) + cached.value_or(0);
    if (!total || !available)
        return false;
    memory.totalBytes = *total * 1024;
    memory.availableBytes = std::min(*available, *total) * 1024;
    return true;
}

std::optional<int> ProcSystemInfo::BatteryPercent()
{
    std::error_code error;
    std::filesystem::directory_iterator it(root + "/sys/class/power_supply", error), end;
    Charge sum;
    for (; !error && it != end; it.increment(error)) {
        if (const auto charge = BatteryCharge(it->path())) {
            sum.now += charge->now;
            sum.full += charge->full;
        }
    }
    if (sum.full == 0)
        return std::nullopt;
    return static_cast<int>(sum.now * 100 / sum.full);
}

SystemInfo& GetSystemInfo() { return Slot::Get(); }
void SetSystemInfo(std::unique_ptr<SystemInfo> info) { Slot::Set(std::move(info)); }

} // namespace zplat
