// The crash handler: on a fatal signal it writes the report text to standard
// error and appends it to the log file, drops the X connection (the server then
// releases every grab the process holds), starts a fresh process to show the
// report box, and lets the process die with the signal. Only async-signal-safe
// calls run inside the handler; everything it needs is prepared here.
#pragma once

#include <string>

namespace zplat {

struct CrashReport {
    std::string text;    // UTF-8, written to stderr and the log
    std::string logPath; // appended to when it exists; empty for none (see SetCrashLogPath)
    std::string envFlag; // "NAME=VALUE" added to the environment of the report process
};

// Installs the handler for SIGSEGV, SIGBUS, SIGFPE, SIGILL and SIGABRT. The report
// process is this executable again, started with envFlag in its environment.
bool InstallCrashHandler(const CrashReport& report);

// The log the report is appended to from now on; empty for none.
void SetCrashLogPath(const std::string& path);

} // namespace zplat
