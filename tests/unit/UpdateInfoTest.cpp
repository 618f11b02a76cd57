#include <gtest/gtest.h>

#include <wx/translation.h>

#include "HttpServer.h"
#include "TestSupport.h"
#include "UpdateInfo.h"

using zyntest::HttpServer;

namespace {

std::string U8(const wxString& s) { return s.utf8_string(); }

} // namespace

TEST(UpdateInfo, ReadsDateAndVersionAndComparesWithTheBuildDate)
{
    struct Case {
        const char* text;
        bool read;
        const char* date;
        const char* version;
        bool newer;
    } const cases[] = {
        {"2013.03.10 Alpha2", true, "2013.03.10", "Alpha2", true},
        {"2013.03.09 Alpha1", true, "2013.03.09", "Alpha1", false}, // equal is not newer
        {"2013.03.08 Alpha0", true, "2013.03.08", "Alpha0", false},
        {"2013.03.09", false, "", "", false},                       // a bare date: 10 characters
        {"2013.03.10 ", true, "2013.03.10", "", true},              // 11 characters
        {"", false, "", "", false},
        {"2014.01.01-X", true, "2014.01.01", "X", true},            // any separator
        {"2014.01.01\nBeta\n", true, "2014.01.01", "Beta\n", true}, // the line break belongs to the version
        {"A013.01.01 B", false, "", "", false},                    // no date: a letter
        {"1999.12.31 Old", true, "1999.12.31", "Old", false},
        {"2013.3.1 Old", false, "", "", false},                    // no date: too few digits
        {"<html><head>", false, "", "", false},                    // a portal's page
        {"2099-01-01 X", false, "", "", false},                    // other separators
        {"2013.03.1版", false, "", "", false},                     // 10 characters in 12 bytes
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        UpdateInfo info{"old", "old", "old"};
        EXPECT_EQ(info.ReadText(wxString::FromUTF8(c.text)), c.read);
        EXPECT_EQ(U8(info.date), c.date);
        EXPECT_EQ(U8(info.version), c.version);
        EXPECT_EQ(U8(info.text), c.read ? c.text : "");
        EXPECT_EQ(info.IsNewer(BuildDate), c.newer);
    }
    EXPECT_STREQ(BuildDate, "2013.03.09");
    EXPECT_FALSE(UpdateInfo().IsNewer(""));
}

TEST(UpdateInfo, FetchesTheTextOverHttp)
{
    const std::string later = "2013.03.10 Alpha2\n";
    struct Case {
        const char* name;
        std::string response;
        bool read;
        const char* version;
    } const cases[] = {
        {"ok", HttpServer::Ok(later), true, "Alpha2\n"},
        {"utf-8", HttpServer::Ok("2013.03.10 版本"), true, "版本"},
        {"no length", "HTTP/1.0 200 OK\r\n\r\n" + later, true, "Alpha2\n"},
        {"bare date", HttpServer::Ok("2013.03.10"), false, ""},
        {"not found", "HTTP/1.0 404 Not Found\r\nContent-Length: 18\r\n\r\n" + later, false, ""},
        {"server error", "HTTP/1.0 500 Oops\r\n\r\n" + later, false, ""},
        {"closed", "", false, ""},
        {"cut short", "HTTP/1.0 200 OK\r\nContent-Length: 40\r\n\r\n" + later, false, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        HttpServer server(c.response);
        ASSERT_NE(server.Port(), 0);
        UpdateInfo info{"old", "old", "old"};
        EXPECT_EQ(info.FetchUpdateInfo(server.Url("/update/zyn-utils.txt"), 5000), c.read);
        EXPECT_EQ(U8(info.version), c.version);
        EXPECT_EQ(info.date.empty(), !c.read);
        EXPECT_EQ(server.Requests(), std::vector<std::string>{"GET /update/zyn-utils.txt HTTP/1.0"});
    }
}

TEST(UpdateInfo, GivesUpOnHostsThatNeverAnswerOrNeverEnd)
{
    for (HttpServer::Mode mode : {HttpServer::Mode::Silent, HttpServer::Mode::Endless}) {
        SCOPED_TRACE(static_cast<int>(mode));
        HttpServer server("", mode);
        UpdateInfo info;
        EXPECT_FALSE(info.FetchUpdateInfo(server.Url("/update/zyn-utils.txt"), 1000));
        EXPECT_TRUE(info.text.empty() && info.date.empty() && info.version.empty());
        EXPECT_EQ(server.Requests().size(), 1u);
    }
}

TEST(UpdateInfo, LeavesTheRecordAloneWhenTheAddressIsRejected)
{
    UpdateInfo info{"2020.01.01", "v", "2020.01.01 v"};
    EXPECT_FALSE(info.FetchUpdateInfo("no scheme/update/zyn-utils.txt", 1000));
    EXPECT_FALSE(info.FetchUpdateInfo("gopher://host/x", 1000));
    EXPECT_EQ(U8(info.text), "2020.01.01 v");
    EXPECT_EQ(U8(info.date), "2020.01.01");
}

// Only a whole 2xx answer that starts with a newer date asks; every other answer,
// however it is shaped or paced, asks nothing and ends by the deadline. The
// question shows one short line of the version.
TEST(UpdateInfo, TheCheckAsksOnlyForAWholeSuccessfulAnswerWithANewerDate)
{
    const std::string later = "2099.01.01 Beta\n";
    const auto status = [&](const std::string& line) {
        return "HTTP/1.0 " + line + "\r\nContent-Length: " + std::to_string(later.size()) + "\r\n\r\n" + later;
    };
    std::string lines;
    for (int i = 0; i < 30000; ++i)
        lines += "x\n";
    std::string headers;
    while (headers.size() < 4096)
        headers += "X-Line: y\r\n";
    using Mode = HttpServer::Mode;
    struct Case {
        const char* name;
        std::string response;
        Mode mode;
        std::string filler;
        long deadlineMs;
        const char* shown; // the version the question shows; nullptr: no question
    } const cases[] = {
        {"newer", HttpServer::Ok("2013.03.10 Alpha2\n"), Mode::Answer, "", 10000, "Alpha2\n"},
        {"created", status("201 Created"), Mode::Answer, "", 10000, "Beta\n"},
        {"moved permanently", status("301 Moved Permanently"), Mode::Answer, "", 10000, nullptr},
        {"found elsewhere", status("302 Found"), Mode::Answer, "", 10000, nullptr},
        {"not found", status("404 Not Found"), Mode::Answer, "", 10000, nullptr},
        {"server error", status("500 Internal Server Error"), Mode::Answer, "", 10000, nullptr},
        {"no status line", later, Mode::Answer, "", 10000, nullptr},
        {"a portal's page", HttpServer::Ok("<html><body>2099.01.01 Beta</body></html>"), Mode::Answer, "", 10000, nullptr},
        {"short body", HttpServer::Ok("2099.01.0"), Mode::Answer, "", 10000, nullptr},
        {"cut short", "HTTP/1.0 200 OK\r\nContent-Length: 400\r\n\r\n" + later, Mode::Answer, "", 10000, nullptr},
        {"slow body", HttpServer::Ok(later), Mode::Drip, "", 1000, nullptr},
        {"silent host", "", Mode::Silent, "", 1000, nullptr},
        {"endless body", "", Mode::Endless, std::string(4096, 'x'), 10000, nullptr},
        {"endless header line", "HTTP/1.0 200 OK\r\nX-Long: ", Mode::Endless, std::string(4096, 'x'), 10000, nullptr},
        {"endless header lines", "HTTP/1.0 200 OK\r\n", Mode::Endless, headers, 10000, nullptr},
        {"many lines", HttpServer::Ok("2099.01.01 Beta\n" + lines), Mode::Answer, "", 10000, "Beta\n"},
        {"long line", HttpServer::Ok("2099.01.01 " + std::string(1000, 'v')), Mode::Answer, "", 10000,
         "vvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvvv"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        HttpServer server(c.response, c.mode, c.filler);
        ASSERT_NE(server.Port(), 0);
        std::vector<std::string> asked, opened;
        const bool asks = CheckForUpdate(
            wxString::FromUTF8(server.Url("/update/zyn-utils.txt")), c.deadlineMs,
            [&](const wxString& question, const wxString& caption) {
                asked.push_back(U8(caption) + "|" + U8(question));
                return true;
            },
            [&](const wxString& page) { opened.push_back(U8(page)); });
        EXPECT_EQ(asks, c.shown != nullptr);
        if (c.shown) {
            const std::string date = c.response.find("2013.03.10") != std::string::npos ? "2013.03.10" : "2099.01.01";
            EXPECT_EQ(asked, std::vector<std::string>{"New Version|New version found!\nVersion: " + std::string(c.shown) +
                                                      "\nDate: " + date +
                                                      "\nWould you like to check it on the develop page?"});
            EXPECT_EQ(opened, std::vector<std::string>{U8(ProductPageAddress())});
        } else {
            EXPECT_TRUE(asked.empty() && opened.empty()) << (asked.empty() ? "" : asked[0].substr(0, 200));
        }
        if (c.mode == Mode::Drip) {
            EXPECT_FALSE(server.Sent()) << "it waited for the whole slow answer";
        }
    }
}

TEST(UpdateInfo, AsksInTheLanguageOfTheCatalog)
{
    UpdateInfo info;
    ASSERT_TRUE(info.ReadText("2013.03.10 Alpha2\n"));
    EXPECT_EQ(U8(UpdateQuestion(info)),
              "New version found!\nVersion: Alpha2\n\nDate: 2013.03.10\nWould you like to check it on the develop page?");

    wxFileTranslationsLoader::AddCatalogLookupPathPrefix(wxString::FromUTF8(zyntest::AppDirOfBuild() + "/Langs"));
    wxTranslations* translations = new wxTranslations;
    wxTranslations::Set(translations);
    translations->SetLanguage("zh_CN");
    ASSERT_TRUE(translations->AddCatalog("zh_CN"));
    EXPECT_EQ(U8(UpdateQuestion(info)), "发现新版本！\n版本：Alpha2\n\n日期：2013.03.10\n要在开发页面上查看吗？");
    wxTranslations::Set(nullptr);
}
