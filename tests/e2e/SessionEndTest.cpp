// The end of the session while something went wrong: a box nobody answers, a
// save that fails. The program still ends, its files are whole, and what failed
// is said in the log and on standard error.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <string>

#include "AppRunner.h"

using zyntest::AppRunner;
using zyntest::ReadFile;

namespace {

// Ends the program through the session and checks it left the loop and saved what it could.
void EndSession(AppRunner& app, pid_t pid)
{
    ASSERT_EQ(kill(pid, SIGTERM), 0);
    const int status = app.WaitExit(pid);
    ASSERT_NE(status, -1) << "still running after the end of the session\n" << app.Output() << app.Log();
    ASSERT_TRUE(WIFEXITED(status)) << status;
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_NE(app.Log().find("Exiting..."), std::string::npos) << app.Log();
}

// Writes zeros to path until the file system is full.
void FillUp(const std::string& path)
{
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT, 0644);
    ASSERT_GE(fd, 0);
    const std::string block(1 << 16, '\0');
    while (write(fd, block.data(), block.size()) > 0) {
    }
    while (write(fd, block.data(), 1) > 0) {
    }
    close(fd);
}

} // namespace

// An error box from the start is still open: the end answers it, writes the
// settings and the menu, and keeps the file that could not be read.
TEST(SessionEnd, AnOpenErrorBoxDoesNotHoldTheEnd)
{
    AppRunner app;
    app.WriteQuietVerboseCore();
    ASSERT_TRUE(zyntest::WriteFile(app.PathOf("launcher.xml"), "not a menu"));
    const std::string core = ReadFile(app.PathOf("Configs/Core.xml"));
    const pid_t pid = app.Start();
    ASSERT_FALSE(zyntest::WaitForWindow("Zyn Utils Error").empty()) << app.Output() << app.Log();

    EndSession(app, pid);
    EXPECT_TRUE(zyntest::WaitForWindow("Zyn Utils Error", 0).empty()) << "the box outlived the program";
    EXPECT_EQ(ReadFile(app.PathOf("launcher.xml.bak")), "not a menu");
    EXPECT_NE(ReadFile(app.PathOf("launcher.xml")).find("<Launcher>"), std::string::npos);
    EXPECT_NE(ReadFile(app.PathOf("Configs/Core.xml")), core) << "the settings were not written at the end";
}

// A menu that cannot be written at the end is reported without a box that would hold the end.
TEST(SessionEnd, AFailedSaveAtTheEndIsReportedAndTheProgramEnds)
{
    AppRunner app;
    app.WriteQuietVerboseCore();
    const pid_t pid = app.Start();
    ASSERT_TRUE(app.WaitForLog("Zyn Utils is ready.")) << app.Output() << app.Log();
    std::filesystem::remove(app.PathOf("launcher.xml"));
    std::filesystem::create_directory(app.PathOf("launcher.xml"));

    EndSession(app, pid);
    const std::string message = "Cannot write \"launcher.xml\": Is a directory.";
    EXPECT_NE(app.Log().find("<Error> " + message), std::string::npos) << app.Log();
    EXPECT_NE(app.Output().find(message), std::string::npos) << app.Output();
    EXPECT_NE(ReadFile(app.PathOf("Configs/Core.xml")).find("\"Application\""), std::string::npos);
}

// A full disk at the end: both files stay as they were and both failures are said.
TEST(SessionEnd, AFullDiskKeepsTheOldFiles)
{
    AppRunner app;
    const std::string dir = app.Dir();
    if (mount("tmpfs", dir.c_str(), "tmpfs", 0, "size=48m") != 0)
        GTEST_SKIP() << "cannot mount a small file system here: " << std::strerror(errno);
    struct Unmount {
        std::string dir;
        ~Unmount() { umount2(dir.c_str(), MNT_DETACH); }
    } unmount{dir};
    namespace fs = std::filesystem;
    fs::copy(zyntest::AppDirOfBuild(), dir, fs::copy_options::recursive);
    app.WriteQuietVerboseCore();
    // The log and the output live elsewhere, so that they can still tell what failed.
    const zyntest::TempDir elsewhere;
    for (const char* name : {"Verbose.log", "output.txt"})
        fs::create_symlink(elsewhere / name, app.PathOf(name));
    const std::string core = ReadFile(app.PathOf("Configs/Core.xml"));
    const std::string menu = ReadFile(app.PathOf("launcher.xml"));
    const pid_t pid = app.Start();
    ASSERT_TRUE(app.WaitForLog("Zyn Utils is ready.")) << app.Output() << app.Log();
    FillUp(app.PathOf("filler"));

    EndSession(app, pid);
    EXPECT_EQ(ReadFile(app.PathOf("launcher.xml")), menu);
    EXPECT_EQ(ReadFile(app.PathOf("Configs/Core.xml")), core);
    EXPECT_FALSE(fs::exists(app.PathOf("launcher.xml.tmp")));
    EXPECT_FALSE(fs::exists(app.PathOf("Configs/Core.xml.tmp")));
    const std::string output = app.Output();
    EXPECT_NE(output.find("Cannot write \"launcher.xml\": No space left on device."), std::string::npos) << output;
    EXPECT_NE(output.find("Can not save \"Configs/Core.xml\": No space left on device."), std::string::npos) << output;
    EXPECT_NE(app.Log().find("<Error> Can not save \"Configs/Core.xml\""), std::string::npos) << app.Log();
}
