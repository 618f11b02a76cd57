// What the benches that run the real program share: reading a text file whole
// (the program's log, /proc), a memory figure of its /proc status, and starting
// it in an application folder of its own with its output silenced.
#pragma once

#include <sys/types.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

namespace zynbench {

inline std::string ReadText(const std::string& path)
{
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// A "VmRSS:" or "VmHWM:" line of the process's status in MiB, 0 when it cannot be read.
inline double StatusMiB(pid_t pid, const std::string& field)
{
    const std::string status = ReadText("/proc/" + std::to_string(pid) + "/status");
    const size_t at = status.find(field);
    return at == std::string::npos ? 0 : std::stod(status.substr(at + field.size())) / 1024.0;
}

// Numeric field `index` (counted from 1, as proc(5) does) of /proc/<pid>/stat; -1 when unreadable.
inline long long StatField(pid_t pid, int index)
{
    const std::string stat = ReadText("/proc/" + std::to_string(pid) + "/stat");
    const size_t close = stat.rfind(')'); // the command name may hold spaces
    if (close == std::string::npos || index < 3)
        return -1;
    std::istringstream fields(stat.substr(close + 2));
    std::string field;
    for (int i = 3; fields >> field; ++i)
        if (i == index)
            return std::stoll(field);
    return -1;
}

// Starts dir's zyn-utils with dir as its working folder; the child's pid, -1 on failure.
inline pid_t StartAppIn(const std::string& dir)
{
    const pid_t pid = fork();
    if (pid == 0) {
        if (chdir(dir.c_str()) != 0)
            _exit(126);
        if (!freopen("/dev/null", "w", stdout) || !freopen("/dev/null", "w", stderr))
            _exit(126);
        execl("./zyn-utils", "zyn-utils", static_cast<char*>(nullptr));
        _exit(127);
    }
    return pid;
}

} // namespace zynbench
