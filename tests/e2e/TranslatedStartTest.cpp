// The real program under the user's locale: with the locale installed, its message boxes,
// tray menu and preferences window speak the catalog of the locale's canonical name; a
// locale the system lacks leaves it in English and never stops the start with a box.
#include <gtest/gtest.h>

#include <X11/keysym.h>
#include <signal.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <memory>

#include "AppRunner.h"
#include "TestSupport.h"
#include "XClient.h"

using zyntest::AppRunner;

namespace {

class TranslatedStart : public testing::Test {
protected:
    // The Chinese locales, compiled into a folder of the test's own: the system's locales
    // stay as they are. With LOCPATH set, the C library looks for locales there alone, so
    // an empty folder stands for a system without them.
    static void SetUpTestSuite()
    {
        locales = std::make_unique<zyntest::TempDir>();
        std::filesystem::create_directory(*locales / "none");
        for (const char* name : {"zh_CN", "zh_TW"}) {
            const std::string command = std::string("localedef -i ") + name + " -f UTF-8 " + (*locales / name) +
                                        ".UTF-8 >/dev/null 2>&1";
            if (std::system(command.c_str()) != 0 || !std::filesystem::exists(*locales / name + ".UTF-8/LC_MESSAGES"))
                failed += std::string(" ") + name;
        }
    }
    static void TearDownTestSuite() { locales.reset(); }
    void SetUp() override { ASSERT_TRUE(failed.empty()) << "localedef could not compile" << failed << " (package locales)"; }

    // The environment of a start under lang: LANG alone names the language.
    static std::vector<std::string> Environment(const std::string& lang, bool installed)
    {
        return {"LANG=" + lang, "LOCPATH=" + (installed ? locales->Path() : *locales / "none"), "LANGUAGE", "LC_ALL",
                "LC_MESSAGES"};
    }

    static std::unique_ptr<zyntest::TempDir> locales;
    static std::string failed;
};

std::unique_ptr<zyntest::TempDir> TranslatedStart::locales;
std::string TranslatedStart::failed;

} // namespace

TEST_F(TranslatedStart, FatalErrorBoxIsTitledInTheLanguageOfAnInstalledLocale)
{
    struct Case {
        const char* lang;
        bool installed;
        const char* title;
    } const cases[] = {
        {"zh_CN.UTF-8", true, "致命错误"},
        {"zh_TW.UTF-8", true, "致命錯誤"},
        // A catalog exists, the locale does not: the texts stay as written.
        {"zh_TW.UTF-8", false, "Fatal Error"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.lang) + (c.installed ? " installed" : " not installed"));
        AppRunner app;
        app.WriteQuietVerboseCore();
        std::filesystem::remove(app.PathOf("Images/background/panel.png"));
        const pid_t pid = app.Start(Environment(c.lang, c.installed));
        const std::string box = zyntest::WaitForWindow(c.title);
        ASSERT_FALSE(box.empty()) << "no \"" << c.title << "\" box\n" << app.Output();
        // Answering it ends the program.
        const int status = app.AnswerBoxAndWaitExit(box, pid);
        ASSERT_NE(status, -1) << "the program still runs after its box was answered\n" << app.Log();
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) != 0) << status;
    }
}

TEST_F(TranslatedStart, StartsWithoutABoxAndOpensThePreferencesFromTheTrayMenuUnderTheirTitle)
{
    struct Case {
        const char* lang;
        bool installed;
        const char* title;
    } const cases[] = {
        {"zh_CN.UTF-8", true, "首选项 - Zyn Utils"},
        // An uninstalled locale: the toolkit's complaint must not become a modal box.
        {"zh_CN.UTF-8", false, "Preferences - Zyn Utils"},
        {"fr_FR.UTF-8", false, "Preferences - Zyn Utils"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.lang) + (c.installed ? " installed" : " not installed"));
        AppRunner app;
        app.WriteQuietVerboseCore();
        app.Start(Environment(c.lang, c.installed));
        // The log keeps the program's own wording whatever the language.
        ASSERT_TRUE(app.WaitForLog("Zyn Utils is ready.")) << app.Output() << app.Log();
        EXPECT_EQ(zyntest::Shell("for w in $(xdotool search --onlyvisible --classname '^zyn-utils$' 2>/dev/null); do "
                                 "xprop -id $w _NET_WM_WINDOW_TYPE; done").find("_NET_WM_WINDOW_TYPE_DIALOG"),
                  std::string::npos)
            << "a box of the program is up after a quiet start";

        zyntest::XClient client;
        int x = 0, y = 0;
        ASSERT_TRUE(zyntest::WaitUntil([&] { return client.TrayIconCentre("zyn-utils", x, y); }, 15000))
            << "the tray host never embedded the icon";
        client.MoveTo(x, y);
        client.Button(Button3, true);
        client.Button(Button3, false);
        ASSERT_TRUE(zyntest::WaitUntil([&] { return client.PopupMenuShown(); })) << "no tray menu";
        // "&Preference" keeps its mnemonic in every catalog.
        client.Chord({}, XK_p);
        EXPECT_FALSE(zyntest::WaitForWindow(c.title).empty()) << "no \"" << c.title << "\" window\n" << app.Output();
    }
}

TEST_F(TranslatedStart, TheCrashReportSpeaksTheLanguageToo)
{
    AppRunner app;
    app.WriteQuietVerboseCore();
    const pid_t pid = app.Start(Environment("zh_CN.UTF-8", true));
    ASSERT_TRUE(app.WaitForLog("Zyn Utils is ready.")) << app.Output() << app.Log();
    ASSERT_EQ(kill(pid, SIGSEGV), 0);
    app.WaitExit(pid);
    // The report box comes from a fresh process, which reads the catalog itself.
    const std::string box = zyntest::WaitForWindow("糟糕！");
    ASSERT_FALSE(box.empty()) << "no translated report box\n" << app.Output();
    zyntest::KillOwnerOf(box);
}
