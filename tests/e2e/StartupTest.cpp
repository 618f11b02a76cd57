// The real program's start, single-instance rule, clean end and crash path.
#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include <memory>

#include "AppRunner.h"
#include "PrivateXServer.h"
#include "XClient.h"
#include "ZynUtils.h"

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

TEST(Startup, LogsItsOrderAndSavesWhenTheSessionEndsIt)
{
    AppRunner app;
    app.WriteQuietVerboseCore();
    const std::string core = zyntest::ReadFile(app.PathOf("Configs/Core.xml"));
    for (int run = 1; run <= 2; ++run) {
        SCOPED_TRACE(run);
        const pid_t pid = app.Start();
        // The second run starts with the first run's file still there: wait for this run's end of start.
        ASSERT_TRUE(zyntest::WaitUntil([&] {
            const std::string log = app.Log();
            return log.find("Zyn Utils is ready.") != std::string::npos && log.find("Exiting...") == std::string::npos;
        }, 15000)) << app.Output() << app.Log();

        // Only this run's records follow one header.
        const std::string log = app.Log();
        EXPECT_EQ(log.rfind("Zyn Utils Verbose Log - ", 0), 0u) << log;
        EXPECT_EQ(log.find("Zyn Utils Verbose Log - ", 1), std::string::npos) << log;
        EXPECT_EQ(log.find("Exiting..."), std::string::npos) << log;
        const char* const order[] = {"<Info> Zyn Utils Started.", "<Info> Initializing...",
                                     "<Info> Initializing FontManager...", "<Info> FontManager is ready.",
                                     "<Info> Initializing HotkeyManager...", "<Info> HotkeyManager is ready.",
                                     "<Info> Initializing BitmapManager...", "<Info> BitmapManager is ready.",
                                     "<Info> Initializing SoundManager...", "<Info> SoundManager is ready.",
                                     "<Info> Zyn Utils is ready."};
        for (size_t i = 1; i < std::size(order); ++i)
            EXPECT_LT(Where(log, order[i - 1]), Where(log, order[i]));

        ASSERT_EQ(kill(pid, SIGTERM), 0);
        const int status = app.WaitExit(pid);
        ASSERT_TRUE(WIFEXITED(status)) << status << app.Output();
        const std::string end = app.Log();
        EXPECT_LT(Where(end, "Shutting down..."), Where(end, "Exiting..."));
        // Exactly what was there, the Application catalog written at every start, and
        // the desktop widgets' places written at the end.
        EXPECT_EQ(zyntest::ReadFile(app.PathOf("Configs/Core.xml")),
                  core.substr(0, core.rfind("</Core>")) +
                      "  <config catalog=\"Application\">\n"
                      "    <property key=\"Name\" value=\"Zyn Utils\"/>\n"
                      "    <property key=\"Version\" value=\"Alpha1\"/>\n"
                      "    <property key=\"Author\" value=\"Orvain (Tavrel)\"/>\n"
                      "    <property key=\"Web\" value=\"" + std::string(AppWebHost) + "\"/>\n"
                      "    <property key=\"Date\" value=\"2013.03.09\"/>\n"
                      "  </config>\n"
                      "  <config catalog=\"Plugin\">\n"
                      "    <property key=\"HPPosX\" value=\"640\"/>\n"
                      "    <property key=\"HPPosY\" value=\"200\"/>\n"
                      "    <property key=\"ImageWidgetPosX\" value=\"640\"/>\n"
                      "    <property key=\"ImageWidgetPosY\" value=\"400\"/>\n"
                      "    <property key=\"MonitorPosX\" value=\"640\"/>\n"
                      "    <property key=\"MonitorPosY\" value=\"480\"/>\n"
                      "  </config>\n"
                      "</Core>\n");
    }
}

// What scripts wait for: the display learns that the start is complete only
// once it is, after the last record of the start.
TEST(Startup, TheReadySignalComesAfterTheStartIsComplete)
{
    DisplayPtr display(XOpenDisplay(nullptr));
    ASSERT_TRUE(display) << "no X display";
    const Atom ready = XInternAtom(display.get(), "_ZYN_UTILS_READY", False);
    AppRunner app;
    app.WriteQuietVerboseCore();
    app.Start();
    ASSERT_TRUE(zyntest::WaitUntil([&] { return XGetSelectionOwner(display.get(), ready) != None; }, 15000)) << app.Output();
    EXPECT_NE(app.Log().find("Zyn Utils is ready."), std::string::npos) << app.Log();
}

TEST(Startup, SecondStartShowsTheFirstAndTouchesNoFile)
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

TEST(Startup, CrashReportsOopsAndLeavesInputUsable)
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
    const std::string box = zyntest::WaitForWindow("Oops!");
    EXPECT_FALSE(box.empty()) << "no \"Oops!\" box";
    zyntest::KillOwnerOf(box);
}

TEST(Startup, StartWithSystemWritesAnEntryForTheFolderItStartedFrom)
{
    zyntest::TempDir config;
    const std::string entry = config / "autostart/Zyn Utils.desktop";
    const std::vector<std::string> env = {"XDG_CONFIG_HOME=" + config.Path()};
    AppRunner first, second; // the program started from two folders in turn
    for (AppRunner* app : {&first, &second}) {
        SCOPED_TRACE(app->Dir());
        app->WriteQuietVerboseCore("", {{"General/StartWithSystem", "1"}});
        const pid_t pid = app->Start(env);
        ASSERT_TRUE(app->WaitForLog("Zyn Utils is ready.")) << app->Output();
        const std::string text = zyntest::ReadFile(entry);
        EXPECT_NE(text.find("\nExec=\"" + app->Dir() + "/zyn-utils\"\n"), std::string::npos) << text;
        EXPECT_NE(text.find("\nPath=" + app->Dir() + "\n"), std::string::npos) << text;
        EXPECT_EQ(zyntest::Shell("desktop-file-validate '" + entry + "' 2>&1; echo rc=$?"), "rc=0\n");
        kill(pid, SIGTERM);
        ASSERT_NE(app->WaitExit(pid), -1);
    }
    second.WriteQuietVerboseCore("", {{"General/StartWithSystem", "0"}});
    std::filesystem::remove(second.PathOf("Verbose.log")); // so the wait below sees this run
    const pid_t pid = second.Start(env);
    ASSERT_TRUE(second.WaitForLog("Zyn Utils is ready.")) << second.Output();
    EXPECT_FALSE(std::filesystem::exists(entry)) << "switched off, the entry is removed";
    kill(pid, SIGTERM);
    ASSERT_NE(second.WaitExit(pid), -1);
}

TEST(Startup, ADisplayWithoutXTestEndsTheStartWithAFatalErrorBoxBeforeAnyFile)
{
    const zyntest::PrivateXServer server({"-extension", "XTEST"});
    ASSERT_FALSE(server.display.empty()) << "Xvfb did not start";
    AppRunner app;
    std::filesystem::remove_all(app.PathOf("Configs"));
    const pid_t pid = app.Start({"DISPLAY=" + server.display});

    std::string box;
    ASSERT_TRUE(zyntest::WaitUntil([&] {
        box = zyntest::Shell("DISPLAY=" + server.display + " xdotool search --name '^Fatal Error$' 2>/dev/null");
        return !box.empty();
    }, 15000)) << app.Output();
    EXPECT_FALSE(std::filesystem::exists(app.PathOf("Configs"))) << "\"Core\" is never opened";

    // Close the box as a window manager would; the program then ends.
    DisplayPtr display(XOpenDisplay(server.display.c_str()));
    ASSERT_TRUE(display);
    zyntest::RequestClose(display.get(), std::stoul(box));

    const int status = app.WaitExit(pid);
    ASSERT_TRUE(WIFEXITED(status)) << status << app.Output();
    EXPECT_NE(WEXITSTATUS(status), 0);
    EXPECT_FALSE(std::filesystem::exists(app.PathOf("Configs")));
    EXPECT_FALSE(std::filesystem::exists(app.PathOf("Verbose.log")));
}

TEST(Startup, StartsTheUpdaterInItsFolderOnlyWhenAskedAndWhenItExists)
{
    struct Case {
        const char* name;
        bool checkUpdate;
        bool present;
    } const cases[] = {{"on", true, true}, {"off", false, true}, {"missing", true, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        AppRunner app;
        app.WriteQuietVerboseCore("", {{"General/CheckUpdate", c.checkUpdate ? "1" : "0"}});
        std::filesystem::remove(app.PathOf("zyn-updater"));
        if (c.present) {
            ASSERT_TRUE(zyntest::WriteFile(app.PathOf("zyn-updater"), "#!/bin/sh\npwd > updater-ran.txt\n"));
            std::filesystem::permissions(app.PathOf("zyn-updater"), std::filesystem::perms(0755));
        }
        const pid_t pid = app.Start();
        ASSERT_TRUE(app.WaitForLog("Zyn Utils is ready.")) << app.Output();
        const bool started = c.checkUpdate && c.present;
        EXPECT_EQ(app.Log().find("Starting the Updater.") != std::string::npos, started) << app.Log();
        if (started) {
            EXPECT_TRUE(zyntest::WaitUntil([&] { return !zyntest::ReadFile(app.PathOf("updater-ran.txt")).empty(); }));
            EXPECT_EQ(zyntest::ReadFile(app.PathOf("updater-ran.txt")), app.Dir() + "\n");
        }
        kill(pid, SIGTERM);
        const int status = app.WaitExit(pid);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    }
}

// A truncated menu file nested far deeper than any menu is refused and kept, and the
// program starts with the default menu (the XML library crashed freeing such a tree).
TEST(Startup, ADeeplyNestedMenuFileIsKeptAsideAndTheProgramStarts)
{
    AppRunner app;
    app.WriteQuietVerboseCore();
    std::string deep = "<Launcher>";
    for (int i = 0; i < 349000; ++i)
        deep += "<a>";
    ASSERT_TRUE(zyntest::WriteFile(app.PathOf("launcher.xml"), deep));
    const pid_t pid = app.Start();
    ASSERT_TRUE(app.WaitForLog("Zyn Utils is ready.")) << app.Output() << app.Log();
    EXPECT_NE(app.Log().find("Error parsing xml, elements nested deeper than 1000 levels."), std::string::npos) << app.Log();
    EXPECT_EQ(zyntest::ReadFile(app.PathOf("launcher.xml.bak")), deep);

    ASSERT_EQ(kill(pid, SIGTERM), 0);
    const int status = app.WaitExit(pid);
    ASSERT_TRUE(WIFEXITED(status)) << status << app.Output();
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(app.Output().find("Oops!"), std::string::npos) << app.Output();
    EXPECT_NE(zyntest::ReadFile(app.PathOf("launcher.xml")).find("<name>Unkonwn</name>"), std::string::npos);
}
