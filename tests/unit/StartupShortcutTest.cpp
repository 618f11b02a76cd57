#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>

#include "SystemPaths.h"
#include "LogCapture.h"
#include "TestSupport.h"
#include "zplat/Desktop.h"

using zyntest::ReadFile;

namespace {

// The entry must start the program in AppDir, whatever characters the path holds:
// a stand-in program records where it runs and under which name.
TEST(StartupShortcut, StartsTheProgramInItsFolderWhateverThePathHolds)
{
    const char* const names[] = {
        "plain", "with space", "100% sure", "say \"hi\"", "$HOME", "back\\slash",
        "tick`s", "semi;colon & <more>", "single 'quote'", "tab\there", " leading and trailing ",
    };
    zyntest::ScopedAppDir base;
    for (const char* name : names) {
        SCOPED_TRACE(name);
        const std::string dir = base / name;
        std::filesystem::create_directories(dir);
        const std::string record = base / "record.txt";
        std::filesystem::remove(record);
        ASSERT_TRUE(zyntest::WriteFile(dir + "/zyn-utils",
                                       "#!/bin/sh\nprintf '%s\\n%s\\n' \"$0\" \"$(pwd)\" > '" + record + "'\n"));
        chmod((dir + "/zyn-utils").c_str(), 0755);
        AppDir = wxString::FromUTF8(dir);

        ASSERT_TRUE(CreateStartupShortcut());
        const std::string entry = StartupShortcutPath().utf8_string();
        EXPECT_EQ(entry, base / "autostart/Zyn Utils.desktop");
        const std::string problems = zyntest::Shell("desktop-file-validate '" + entry + "' 2>&1; echo rc=$?");
        EXPECT_EQ(problems, "rc=0\n") << ReadFile(entry);

        std::string error;
        ASSERT_TRUE(zplat::LaunchDesktopEntry(entry, error)) << error << "\n" << ReadFile(entry);
        ASSERT_TRUE(zyntest::WaitUntil([&] { return ReadFile(record).find('\n') != ReadFile(record).rfind('\n'); }))
            << ReadFile(entry);
        EXPECT_EQ(ReadFile(record), dir + "/zyn-utils\n" + dir + "\n") << ReadFile(entry);
    }
}

TEST(StartupShortcut, CreatesTheFolderAndRemovesOnlyWhatExists)
{
    zyntest::ScopedAppDir app;
    StartupDir = wxString::FromUTF8(app / "config/deeper/autostart");
    EXPECT_FALSE(RemoveStartupShortcut()) << "nothing to remove";
    EXPECT_FALSE(std::filesystem::exists(app / "config")) << "removing touches nothing";

    ASSERT_TRUE(CreateStartupShortcut());
    ASSERT_TRUE(CreateStartupShortcut()) << "a second start writes it again";
    const std::string entry = StartupShortcutPath().utf8_string();
    EXPECT_EQ(ReadFile(entry),
              "[Desktop Entry]\nType=Application\nName=Zyn Utils\nExec=\"" + app.Path() + "/zyn-utils\"\nPath=" + app.Path() + "\n");
    EXPECT_EQ(std::filesystem::status(app / "config/deeper/autostart").permissions() & std::filesystem::perms::all,
              std::filesystem::perms::owner_all);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(app / "config/deeper/autostart"),
                            std::filesystem::directory_iterator()), 1) << "no temporary file is left";

    EXPECT_TRUE(RemoveStartupShortcut());
    EXPECT_FALSE(std::filesystem::exists(entry));
    EXPECT_FALSE(RemoveStartupShortcut());
}

TEST(StartupShortcut, FailsWithoutAnAutostartFolder)
{
    zyntest::ScopedAppDir app;
    zyntest::LogCapture log;
    StartupDir.clear();
    EXPECT_FALSE(CreateStartupShortcut());
    EXPECT_TRUE(log.Contains("1 Can not write the start-up entry")) << log.Text();
    // A file where the folder should be.
    ASSERT_TRUE(zyntest::WriteFile(app / "file", "x"));
    StartupDir = wxString::FromUTF8(app / "file/autostart");
    EXPECT_FALSE(CreateStartupShortcut());
}

TEST(StartupShortcut, AutostartFolderFollowsTheXdgConfigHome)
{
    struct Case {
        const char* configHome; // nullptr: unset
        const char* home;
        std::string expected;
    } const cases[] = {
        {"/cfg", "/home/u", "/cfg/autostart"},
        {nullptr, "/home/u", "/home/u/.config/autostart"},
        {"", "/home/u", "/home/u/.config/autostart"},
        {"relative/cfg", "/home/u", "/home/u/.config/autostart"}, // relative values are invalid
    };
    const std::string savedConfig = getenv("XDG_CONFIG_HOME") ? getenv("XDG_CONFIG_HOME") : "";
    const bool hadConfig = getenv("XDG_CONFIG_HOME") != nullptr;
    const std::string savedHome = getenv("HOME") ? getenv("HOME") : "";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.configHome ? c.configHome : "(unset)");
        if (c.configHome)
            setenv("XDG_CONFIG_HOME", c.configHome, 1);
        else
            unsetenv("XDG_CONFIG_HOME");
        setenv("HOME", c.home, 1);
        EXPECT_EQ(zplat::AutostartDir(), c.expected);
    }
    setenv("HOME", savedHome.c_str(), 1);
    if (hadConfig)
        setenv("XDG_CONFIG_HOME", savedConfig.c_str(), 1);
    else
        unsetenv("XDG_CONFIG_HOME");
}

} // namespace
