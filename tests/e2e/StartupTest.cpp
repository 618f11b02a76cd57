// The real program's start, single-instance rule, clean end and crash path.
#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <memory>

#include "AppRunner.h"

// Disabled until the configuration store and the verbose log replace their placeholders.
using zyntest::AppRunner;

namespace {

struct DisplayCloser {
    void operator()(Display* d) const { XCloseDisplay(d); }
};
using DisplayPtr = std::unique_ptr<Display, DisplayCloser>;

size_t Where(const std::string& log, const std::string& text)
{
    const size_t at = log.find(text);
    EXPECT_NE(at, std::string::npos) << "\"" << text << "\" is not in the log:\n" << log;
    return at;
}

} // namespace

TEST(Startup, DISABLED_LogsItsOrderAndSavesWhenTheSessionEndsIt)
{
    AppRunner app;
    app.WriteQuietVerboseCore();
    const pid_t pid = app.Start();
    ASSERT_TRUE(app.WaitForLog("Zyn Utils is ready.")) << app.Output() << app.Log();

    const std::string log = app.Log();
    EXPECT_EQ(log.rfind("Zyn Utils Verbose Log - ", 0), 0u) << log;
    EXPECT_LT(Where(log, "Zyn Utils Started."), Where(log, "Initializing..."));
    EXPECT_LT(Where(log, "Initializing..."), Where(log, "Zyn Utils is ready."));

    ASSERT_EQ(kill(pid, SIGTERM), 0);
    const int status = app.WaitExit(pid);
    ASSERT_TRUE(WIFEXITED(status)) << status << app.Output();
    const std::string end = app.Log();
    EXPECT_LT(Where(end, "Shutting down..."), Where(end, "Exiting..."));
    const std::string core = zyntest::ReadFile(app.PathOf("Configs/Core.xml"));
    EXPECT_NE(core.find("<config catalog=\"Application\">"), std::string::npos) << core;
    EXPECT_NE(core.find("<property key=\"Name\" value=\"Zyn Utils\"/>"), std::string::npos) << core;
}

TEST(Startup, DISABLED_SecondStartShowsTheFirstAndTouchesNoFile)
{
    AppRunner app;
    app.WriteQuietVerboseCore();
    app.Start();
    ASSERT_TRUE(app.WaitForLog("Zyn Utils is ready.")) << app.Output();

    const std::string corePath = app.PathOf("Configs/Core.xml");
    const std::string before = zyntest::ReadFile(corePath);
    struct stat st1{};
    ASSERT_EQ(stat(corePath.c_str(), &st1), 0);

    const pid_t second = app.Start();
    const int status = app.WaitExit(second);
    ASSERT_NE(status, -1) << "the second start did not end";
    EXPECT_TRUE(app.WaitForLog("A second start asked for the launcher."));

    struct stat st2{};
    ASSERT_EQ(stat(corePath.c_str(), &st2), 0);
    EXPECT_EQ(zyntest::ReadFile(corePath), before);
    EXPECT_EQ(st1.st_mtim.tv_sec, st2.st_mtim.tv_sec);
    EXPECT_EQ(st1.st_mtim.tv_nsec, st2.st_mtim.tv_nsec);
}

TEST(Startup, DISABLED_CrashReportsOopsAndLeavesInputUsable)
{
    DisplayPtr display(XOpenDisplay(nullptr));
    ASSERT_TRUE(display) << "no X display";
    AppRunner app;
    app.WriteQuietVerboseCore();
    const pid_t pid = app.Start();
    ASSERT_TRUE(app.WaitForLog("Zyn Utils is ready.")) << app.Output();

    ASSERT_EQ(kill(pid, SIGSEGV), 0);
    const int status = app.WaitExit(pid);
    ASSERT_TRUE(WIFSIGNALED(status)) << status;
    EXPECT_EQ(WTERMSIG(status), SIGSEGV);
    EXPECT_NE(app.Output().find("Oops!"), std::string::npos) << app.Output();
    EXPECT_NE(app.Log().find("Zyn Utils was already stopped :("), std::string::npos) << app.Log();

    // Another client can take the pointer and the keyboard at once.
    Display* d = display.get();
    const Window root = DefaultRootWindow(d);
    EXPECT_EQ(XGrabPointer(d, root, False, ButtonPressMask, GrabModeAsync, GrabModeAsync, None, None, CurrentTime), GrabSuccess);
    EXPECT_EQ(XGrabKeyboard(d, root, False, GrabModeAsync, GrabModeAsync, CurrentTime), GrabSuccess);
    XUngrabPointer(d, CurrentTime);
    XUngrabKeyboard(d, CurrentTime);
    XSync(d, False);

    // The report box comes from a fresh process; close it.
    std::string windows;
    EXPECT_TRUE(zyntest::WaitUntil([&] {
        windows = zyntest::Shell("xdotool search --name '^Oops!$' 2>/dev/null");
        return !windows.empty();
    }, 15000)) << "no \"Oops!\" box";
    const std::string reportPid = zyntest::Shell("xdotool getwindowpid " + windows.substr(0, windows.find('\n')) + " 2>/dev/null");
    if (!reportPid.empty())
        kill(std::stoi(reportPid), SIGKILL);
}
