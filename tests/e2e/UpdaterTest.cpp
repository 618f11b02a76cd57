// The real Updater from the application directory: its request goes through
// HTTP_PROXY (the toolkit's default proxy, "host:port") to a local server; a fake
// browser records the address it is asked to open.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>

#include "AppRunner.h"
#include "HttpServer.h"

using zyntest::AppRunner;
using zyntest::HttpServer;

namespace {

const std::string kRequest = "GET http://" ZYN_WEB_HOST "/update/zyn-utils.txt HTTP/1.0";
const std::string kProductPage = "http://" ZYN_WEB_HOST "/post/develop/zyn-utils/";

// The Updater in a copy of the application directory, with a browser of its own:
// "xdg-open" first on PATH, also the desktop's default handler of http addresses,
// so the address is recorded whichever way the toolkit opens it.
class UpdaterRun {
public:
    UpdaterRun()
    {
        namespace fs = std::filesystem;
        fs::create_directories(home / "bin");
        fs::create_directories(home / "data/applications");
        fs::create_directories(home / "config");
        const std::string browser = home / "bin/xdg-open";
        zyntest::WriteFile(browser, "#!/bin/sh\nprintf '%s\\n' \"$*\" >> '" + (home / "opened.txt") + "'\n");
        fs::permissions(browser, fs::perms(0755));
        zyntest::WriteFile(home / "data/applications/zyn-test-browser.desktop",
                           "[Desktop Entry]\nType=Application\nName=Test Browser\nExec=" + browser +
                               " %u\nMimeType=x-scheme-handler/http;x-scheme-handler/https;\n");
        zyntest::WriteFile(home / "config/mimeapps.list",
                           "[Default Applications]\nx-scheme-handler/http=zyn-test-browser.desktop\n"
                           "x-scheme-handler/https=zyn-test-browser.desktop\n");
    }

    pid_t Start(const std::string& proxy, const std::string& language = "C.UTF-8")
    {
        return app.Start({"HTTP_PROXY=" + proxy, "PATH=" + (home / "bin") + ":" + std::getenv("PATH"),
                          "XDG_DATA_HOME=" + (home / "data"), "XDG_CONFIG_HOME=" + (home / "config"),
                          "LC_ALL=" + language, "LANGUAGE="},
                         "zyn-updater");
    }

    std::string Opened() const { return zyntest::ReadFile(home / "opened.txt"); }

    AppRunner app;
    zyntest::TempDir home;
};

// A local port nobody listens on: a server's, once it is gone.
int ClosedPort()
{
    return HttpServer("").Port();
}

} // namespace

TEST(Updater, OffersTheProductPageForANewerReleaseAndOpensItOnOk)
{
    struct Case {
        const char* name;
        const char* key;
        bool opens;
    } const cases[] = {{"ok", "Return", true}, {"cancel", "Escape", false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        HttpServer server(HttpServer::Ok("2013.03.10 Alpha2\n"));
        UpdaterRun run;
        const pid_t pid = run.Start(server.HostPort());
        const std::string box = zyntest::WaitForWindow("New Version");
        ASSERT_FALSE(box.empty()) << run.app.Output();
        EXPECT_EQ(server.Requests(), std::vector<std::string>{kRequest});
        zyntest::Shell("xdotool windowactivate --sync " + box + " key " + c.key);
        const int status = run.app.WaitExit(pid);
        ASSERT_TRUE(WIFEXITED(status)) << status << run.app.Output();
        if (c.opens) {
            EXPECT_TRUE(zyntest::WaitUntil([&] { return !run.Opened().empty(); }));
        }
        EXPECT_EQ(run.Opened(), c.opens ? kProductPage + "\n" : "");
    }
}

TEST(Updater, EndsAtOnceAndShowsNothingWithoutANewerRelease)
{
    struct Case {
        const char* name;
        std::string response;
        HttpServer::Mode mode;
        bool served;
    } const cases[] = {
        {"same date", HttpServer::Ok("2013.03.09 Alpha1\n"), HttpServer::Mode::Answer, true},
        {"older date", HttpServer::Ok("1999.12.31 Old\n"), HttpServer::Mode::Answer, true},
        {"bare date", HttpServer::Ok("2013.03.10"), HttpServer::Mode::Answer, true},
        {"not found", "HTTP/1.0 404 Not Found\r\n\r\n2013.03.10 Alpha2\n", HttpServer::Mode::Answer, true},
        {"no server", "", HttpServer::Mode::Answer, false},
        // Holds the connection and never answers: the Updater gives up at its deadline.
        {"silent host", "", HttpServer::Mode::Silent, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        HttpServer server(c.response, c.mode);
        UpdaterRun run;
        const pid_t pid = run.Start(c.served ? server.HostPort() : "127.0.0.1:" + std::to_string(ClosedPort()));
        const int status = run.app.WaitExit(pid, 60000);
        ASSERT_TRUE(WIFEXITED(status)) << status << run.app.Output();
        EXPECT_EQ(server.Requests(), c.served ? std::vector<std::string>{kRequest} : std::vector<std::string>{});
        EXPECT_EQ(run.Opened(), "");
        EXPECT_EQ(run.app.Output(), "");
    }
}
