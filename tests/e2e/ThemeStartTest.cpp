// The start opens the font and image stores: without a background image the
// program stops with its fatal box; with the whole theme it starts quietly.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <filesystem>

#include "AppRunner.h"

using zyntest::AppRunner;

TEST(ThemeStart, MissingPanelImageEndsTheStartWithFatalError)
{
    AppRunner app;
    app.WriteQuietVerboseCore();
    std::filesystem::remove(app.PathOf("Images/background/panel.png"));
    const pid_t pid = app.Start();
    const std::string box = zyntest::WaitForWindow("Fatal Error");
    ASSERT_FALSE(box.empty()) << "no \"Fatal Error\" box\n" << app.Output();
    // Answering the box ends the program, as a start that failed.
    const int status = app.AnswerBoxAndWaitExit(box, pid);
    ASSERT_NE(status, -1) << "the program still runs after its box was answered\n" << app.Log();
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) != 0) << status;
    EXPECT_EQ(app.Log().find("Zyn Utils is ready."), std::string::npos);
    EXPECT_NE(app.Log().find("<Info> Cannot load the theme image \"Images/background/panel.png\"."), std::string::npos) << app.Log();
}

TEST(ThemeStart, FontChainWarnsOnlyForWhatIsMissing)
{
    struct Case {
        const char* missing; // a file removed from the application directory, or ""
        const char* warning; // the one font warning expected, or ""
    };
    const Case cases[] = {
        {"", ""},
        {"Fonts/FZZY.ttf", "Cannot load font file \"Fonts/FZZY.ttf\" trying to load default fonts."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.missing);
        AppRunner app;
        app.WriteQuietVerboseCore();
        if (*c.missing)
            std::filesystem::remove(app.PathOf(c.missing));
        app.Start();
        ASSERT_TRUE(app.WaitForLog("Zyn Utils is ready.")) << app.Output() << app.Log();
        const std::string log = app.Log();
        EXPECT_LT(log.find("FontManager is ready."), log.find("BitmapManager is ready.")) << log;
        const size_t first = log.find("Cannot load font file");
        if (*c.warning) {
            EXPECT_NE(log.find(c.warning), std::string::npos) << log;
            EXPECT_EQ(log.find("Cannot load font file", first + 1), std::string::npos) << log;
        } else {
            EXPECT_EQ(first, std::string::npos) << log;
        }
    }
}
