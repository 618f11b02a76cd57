#include "zplat/Process.h"

#include <errno.h>
#include <fcntl.h>
#include <glib-unix.h>
#include <glib.h>
#include <signal.h>
#include <spawn.h>
#include <string.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>

#include <wx/app.h>

extern char** environ;

namespace zplat {
namespace {

std::vector<std::string> KeptEnvironment;
bool Kept = false;

const size_t kOutputLimit = 16 * 1024;

// One started program that is waited for: its end comes through a pidfd, its
// output through a pipe. The pipe may outlive the program (what it started in
// turn holds it): it is read until its end, and what comes after the program's
// end is dropped.
struct Child {
    pid_t pid = -1;
    int out = -1;
    bool ended = false;
    std::string output;
    std::function<void(const ProcessEnd&)> onEnd;
};

void FreeWhenDone(Child* child)
{
    if (child->ended && child->out < 0)
        delete child;
}

// Reads one piece, or with drain what is there up to the limit (a busy writer
// must not hold the loop); false at the pipe's end or on an error.
bool ReadOutput(Child* child, bool drain)
{
    char buffer[4096];
    size_t read = 0;
    for (;;) {
        const ssize_t n = ::read(child->out, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return n < 0 && errno == EAGAIN;
        if (!child->ended && child->output.size() < kOutputLimit)
            child->output.append(buffer, std::min(static_cast<size_t>(n), kOutputLimit - child->output.size()));
        read += static_cast<size_t>(n);
        if (!drain || read >= kOutputLimit)
            return true;
    }
}

gboolean OnOutput(gint, GIOCondition, gpointer data)
{
    auto* child = static_cast<Child*>(data);
    if (ReadOutput(child, false))
        return G_SOURCE_CONTINUE;
    close(child->out);
    child->out = -1;
    FreeWhenDone(child);
    return G_SOURCE_REMOVE;
}

// True once the program has ended and its end was handed on.
bool Reap(Child* child)
{
    int status = 0;
    const pid_t got = waitpid(child->pid, &status, WNOHANG);
    if (got == 0 || (got < 0 && errno == EINTR))
        return false;
    if (child->out >= 0)
        ReadOutput(child, true); // what it wrote just before it ended
    child->ended = true;
    if (child->onEnd) {
        ProcessEnd end;
        end.exitCode = got == child->pid && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        end.output = std::move(child->output);
        auto deliver = [onEnd = std::move(child->onEnd), end] { onEnd(end); };
        if (wxTheApp)
            wxTheApp->CallAfter(deliver);
        else
            deliver();
    }
    FreeWhenDone(child);
    return true;
}

gboolean OnExit(gint fd, GIOCondition, gpointer data)
{
    if (!Reap(static_cast<Child*>(data)))
        return G_SOURCE_CONTINUE;
    close(fd);
    return G_SOURCE_REMOVE;
}

// Without pidfds (kernels before 5.3) the end is asked for a few times a second.
gboolean OnTick(gpointer data)
{
    return Reap(static_cast<Child*>(data)) ? G_SOURCE_REMOVE : G_SOURCE_CONTINUE;
}

void Watch(pid_t pid, int out, std::function<void(const ProcessEnd&)> onEnd)
{
    auto* child = new Child;
    child->pid = pid;
    child->out = out;
    child->onEnd = std::move(onEnd);
    if (out >= 0) {
        fcntl(out, F_SETFL, fcntl(out, F_GETFL) | O_NONBLOCK);
        g_unix_fd_add(out, static_cast<GIOCondition>(G_IO_IN | G_IO_HUP | G_IO_ERR), OnOutput, child);
    }
    const int pidfd = static_cast<int>(syscall(SYS_pidfd_open, pid, 0));
    if (pidfd >= 0) {
        fcntl(pidfd, F_SETFD, FD_CLOEXEC);
        g_unix_fd_add(pidfd, G_IO_IN, OnExit, child);
    } else {
        g_timeout_add(200, OnTick, child);
    }
}

// Variables that name this start alone and must not be handed on.
bool OwnStartOnly(const std::string& entry)
{
    for (const char* name : {"DESKTOP_STARTUP_ID=", "XDG_ACTIVATION_TOKEN="})
        if (entry.compare(0, strlen(name), name) == 0)
            return true;
    return false;
}

} // namespace

void KeepUserEnvironment()
{
    KeptEnvironment.clear();
    for (char** e = environ; *e; ++e)
        if (!OwnStartOnly(*e))
            KeptEnvironment.emplace_back(*e);
    Kept = true;
}

std::vector<std::string> UserEnvironment()
{
    if (Kept)
        return KeptEnvironment;
    std::vector<std::string> now;
    for (char** e = environ; *e; ++e)
        now.emplace_back(*e);
    return now;
}

bool StartProcess(const std::vector<std::string>& argv, std::string& error, std::function<void(const ProcessEnd&)> onEnd)
{
    if (argv.empty() || argv[0].empty()) {
        error = "nothing to start";
        return false;
    }
    int pipe[2] = {-1, -1};
    if (onEnd && pipe2(pipe, O_CLOEXEC) != 0) {
        error = strerror(errno);
        return false;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (onEnd) {
        posix_spawn_file_actions_adddup2(&actions, pipe[1], STDOUT_FILENO);
        posix_spawn_file_actions_adddup2(&actions, pipe[1], STDERR_FILENO);
    }
    posix_spawn_file_actions_addclosefrom_np(&actions, STDERR_FILENO + 1);
    // Signals this program blocks or ignores are the started program's own business.
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t none, defaults;
    sigemptyset(&none);
    sigemptyset(&defaults);
    for (int sig : {SIGPIPE, SIGCHLD, SIGINT, SIGTERM, SIGHUP})
        sigaddset(&defaults, sig);
    posix_spawnattr_setsigmask(&attributes, &none);
    posix_spawnattr_setsigdefault(&attributes, &defaults);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);

    std::vector<char*> args;
    for (const std::string& arg : argv)
        args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);
    std::vector<std::string> environment = UserEnvironment();
    std::vector<char*> envp;
    for (std::string& entry : environment)
        envp.push_back(entry.data());
    envp.push_back(nullptr);

    pid_t pid = -1;
    const int rc = posix_spawnp(&pid, args[0], &actions, &attributes, args.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    if (pipe[1] >= 0)
        close(pipe[1]);
    if (rc != 0) {
        error = strerror(rc);
        if (pipe[0] >= 0)
            close(pipe[0]);
        return false;
    }
    Watch(pid, pipe[0], std::move(onEnd));
    return true;
}

} // namespace zplat
