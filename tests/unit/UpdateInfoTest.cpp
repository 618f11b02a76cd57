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
        {"A013.01.01 B", true, "A013.01.01", "B", true},           // a letter sorts after every digit
        {"1999.12.31 Old", true, "1999.12.31", "Old", false},
        {"2013.3.1 Old", true, "2013.3.1 O", "d", true},           // characters compared, not numbers
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
        EXPECT_EQ(info.FetchUpdateInfo(server.Url("/update/zyn-utils.txt"), 5), c.read);
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
        EXPECT_FALSE(info.FetchUpdateInfo(server.Url("/update/zyn-utils.txt"), 1));
        EXPECT_TRUE(info.text.empty() && info.date.empty() && info.version.empty());
        EXPECT_EQ(server.Requests().size(), 1u);
    }
}

TEST(UpdateInfo, LeavesTheRecordAloneWhenTheAddressIsRejected)
{
    UpdateInfo info{"2020.01.01", "v", "2020.01.01 v"};
    EXPECT_FALSE(info.FetchUpdateInfo("no scheme/update/zyn-utils.txt", 1));
    EXPECT_FALSE(info.FetchUpdateInfo("gopher://host/x", 1));
    EXPECT_EQ(U8(info.text), "2020.01.01 v");
    EXPECT_EQ(U8(info.date), "2020.01.01");
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
