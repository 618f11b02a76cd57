// The real program over data files that are not what they seem: it still
// starts, says what it skipped, and ends when asked.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <filesystem>


#include "AppRunner.h"

using zyntest::AppRunner;

TEST(HostileData, FifosInPlaceOfDataFilesAreSkippedAndTheProgramStartsAndEnds)
{
    for (const char* name : {"launcher.xml", "Sounds/welcome.wav", "Fonts/FZZY.ttf", "Images/etc/welcome.png"}) {
        SCOPED_TRACE(name);
        AppRunner app;
        app.WriteQuietVerboseCore();
        std::filesystem::remove(app.PathOf(name));
        ASSERT_EQ(mkfifo(app.PathOf(name).c_str(), 0600), 0);
        const pid_t pid = app.Start();
        ASSERT_TRUE(app.WaitForLog("Zyn Utils is ready.")) << app.Output() << app.Log();
        EXPECT_NE(app.Log().find(std::string(name) + "\" is not a regular file; it is skipped."), std::string::npos)
            << app.Log();
        ASSERT_EQ(kill(pid, SIGTERM), 0);
        const int status = app.WaitExit(pid);
        EXPECT_TRUE(status != -1 && WIFEXITED(status)) << status;
    }
}

TEST(HostileData, APanelDeclaringAHugePictureIsRefusedWithItsName)
{
    AppRunner app;
    app.WriteQuietVerboseCore();
    // A real PNG whose header says 16000 x 16000 (its checksum is not checked before the refusal).
    const std::string path = app.PathOf("Images/background/panel.png");
    std::string bytes = zyntest::ReadFile(path);
    for (int at : {16, 20})
        for (int i = 0; i < 4; ++i)
            bytes[at + i] = static_cast<char>(16000 >> (24 - 8 * i));
    ASSERT_TRUE(zyntest::WriteFile(path, bytes));
    const pid_t pid = app.Start();
    const std::string box = zyntest::WaitForWindow("Fatal Error");
    ASSERT_FALSE(box.empty()) << app.Output() << app.Log();
    EXPECT_NE(app.AnswerBoxOrTerminate(box, pid), -1);
    EXPECT_NE(app.Log().find("Images/background/panel.png\" is not loaded: its picture of 16000 x 16000 pixels is larger"),
              std::string::npos)
        << app.Log();
    EXPECT_NE(app.Log().find("Cannot load the theme image \"Images/background/panel.png\"."), std::string::npos);
}

TEST(HostileData, LeftoverTemporariesOfASaveAreRemovedAtStart)
{
    AppRunner app;
    app.WriteQuietVerboseCore();
    ASSERT_TRUE(zyntest::WriteFile(app.PathOf("launcher.xml.tmp"), "<Launcher"));
    ASSERT_TRUE(zyntest::WriteFile(app.PathOf("Configs/Core.xml.tmp"), "<Core"));
    const pid_t pid = app.Start();
    ASSERT_TRUE(app.WaitForLog("Zyn Utils is ready.")) << app.Output() << app.Log();
    EXPECT_FALSE(std::filesystem::exists(app.PathOf("launcher.xml.tmp")));
    EXPECT_FALSE(std::filesystem::exists(app.PathOf("Configs/Core.xml.tmp")));
    EXPECT_NE(app.Log().find("launcher.xml.tmp\", left by a save that did not finish."), std::string::npos) << app.Log();
    kill(pid, SIGTERM);
    app.WaitExit(pid);
}
