// A small program for the crash handler's tests: it installs the program's crash
// handler and then dies the way it is told.
//   zyn-crash-helper LOG MARKER overflow|segv
// LOG is the log the report is appended to; the report process (this program again,
// started by the handler) writes "shown" to MARKER in place of showing the box.
#include <signal.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "zplat/Crash.h"

namespace {

const char ReportFlag[] = "ZYN_CRASH_HELPER_REPORT=1";
volatile bool stop = false; // never set

// Uses a little stack on each call and needs it after the call returns, so no
// compiler can turn it into a loop: it ends only in a stack overflow.
int Recurse(int depth)
{
    volatile char frame[512];
    frame[0] = static_cast<char>(depth);
    if (stop)
        return 0;
    return Recurse(depth + 1) + frame[0];
}

} // namespace

int main(int argc, char** argv)
{
    if (const char* flag = std::getenv("ZYN_CRASH_HELPER_REPORT"); flag && std::strcmp(flag, "1") == 0) {
        const char* marker = std::getenv("ZYN_CRASH_HELPER_MARKER");
        FILE* file = marker ? std::fopen(marker, "w") : nullptr;
        if (!file)
            return 1;
        std::fputs("shown", file);
        return std::fclose(file) == 0 ? 0 : 1;
    }
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s LOG MARKER overflow|segv\n", argv[0]);
        return 2;
    }
    setenv("ZYN_CRASH_HELPER_MARKER", argv[2], 1);
    zplat::CrashReport report;
    report.text = "Crash helper report";
    report.logPath = argv[1];
    report.envFlag = ReportFlag;
    if (!zplat::InstallCrashHandler(report))
        return 3;
    if (std::string(argv[3]) == "overflow")
        return Recurse(0);
    raise(SIGSEGV);
    return 4;
}
