#include "zplat/Crash.h"

#include "x11/X11Common.h"

#include <fcntl.h>
#include <limits.h>
#include <signal.h>
#include <string.h>
#include <unistd.h>

#include <algorithm>
#include <vector>

extern char** environ;

namespace zplat {
namespace {

// Prepared once, read by the handler.
std::string reportText;
std::string logPath;
char exePath[PATH_MAX];
std::vector<std::string> envStrings;
std::vector<char*> envp;
char* argvStore[2];
int xfd = -1;

void WriteAll(int fd, const char* data, size_t size)
{
    while (size > 0) {
        const ssize_t n = write(fd, data, size);
        if (n <= 0)
            return;
        data += n;
        size -= static_cast<size_t>(n);
    }
}

void OnFatalSignal(int sig)
{
    WriteAll(STDERR_FILENO, reportText.data(), reportText.size());
    if (!logPath.empty()) {
        const int fd = open(logPath.c_str(), O_WRONLY | O_APPEND | O_NONBLOCK);
        if (fd >= 0) {
            WriteAll(fd, reportText.data(), reportText.size());
            close(fd);
        }
    }
    if (xfd >= 0)
        close(xfd); // the server drops us and frees our grabs at once
    const pid_t child = fork();
    if (child == 0) {
        execve(exePath, argvStore, envp.data());
        _exit(127);
    }
    signal(sig, SIG_DFL);
    raise(sig);
}

} // namespace

bool InstallCrashHandler(const CrashReport& report)
{
    reportText = report.text;
    if (reportText.empty() || reportText.back() != '\n')
        reportText += '\n';
    logPath = report.logPath;
    const ssize_t n = readlink("/proc/self/exe", exePath, sizeof exePath - 1);
    if (n <= 0)
        return false;
    exePath[n] = '\0';
    argvStore[0] = exePath;
    argvStore[1] = nullptr;

    envStrings.clear();
    for (char** e = environ; *e; ++e)
        envStrings.emplace_back(*e);
    envStrings.push_back(report.envFlag);
    envp.clear();
    for (std::string& s : envStrings)
        envp.push_back(s.data());
    envp.push_back(nullptr);

    if (Display* d = x11::GetDisplay())
        xfd = ConnectionNumber(d);

    // A stack overflow leaves no room on the stack for the handler: it runs on its own.
    static std::vector<char> altStack(std::max<size_t>(64 * 1024, SIGSTKSZ));
    stack_t stack{};
    stack.ss_sp = altStack.data();
    stack.ss_size = altStack.size();
    const bool onAltStack = sigaltstack(&stack, nullptr) == 0;

    struct sigaction action{};
    action.sa_handler = OnFatalSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESETHAND | SA_NODEFER | (onAltStack ? SA_ONSTACK : 0);
    bool ok = true;
    for (int sig : {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT})
        ok = sigaction(sig, &action, nullptr) == 0 && ok;
    return ok;
}

void SetCrashLogPath(const std::string& path) { logPath = path; }

} // namespace zplat
