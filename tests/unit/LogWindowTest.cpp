#include <gtest/gtest.h>

#include <regex>

#include <wx/log.h>

#include "ConfigImpl.h"
#include "ConfigKeys.h"
#include "LogWindow.h"
#include "SystemPaths.h"
#include "TestSupport.h"

using zyntest::ReadFile;

namespace {

// Records what the toolkit's log dialog would show instead of showing it.
class ShownLogWindow : public LogWindow {
public:
    std::vector<std::vector<std::string>> shown;
    // Restoring the previous target flushes this one: do it while the recorders still exist.
    ~ShownLogWindow() override { Flush(); }

private:
    void DoShowSingleLogMessage(const wxString& message, const wxString&, int) override
    {
        shown.push_back({message.utf8_string()});
    }
    void DoShowMultipleLogMessages(const wxArrayString& messages, const wxArrayInt&, const wxArrayLong&,
                                   const wxString&, int) override
    {
        shown.emplace_back();
        for (const wxString& m : messages)
            shown.back().push_back(m.utf8_string());
    }
};

class LogWindowTest : public testing::Test {
protected:
    void SetUp() override { GetConfig(cfg::Core)->WriteBool(cfg::General, cfg::VerboseMode, true); }
    void TearDown() override { wxLog::SetVerbose(false); }
    std::string LogFile() const { return ReadFile(app / "Verbose.log"); }

    zyntest::ScopedAppDir app;
};

TEST_F(LogWindowTest, WritesItsRunsHeaderThenOneTaggedLinePerRecord)
{
    ASSERT_TRUE(zyntest::WriteFile(app / "Verbose.log", "Zyn Utils Verbose Log - old run\n10:00:00 <Info> old\n"));
    wxLog* const before = wxLog::GetActiveTarget();
    {
        ShownLogWindow log;
        EXPECT_EQ(wxLog::GetActiveTarget(), &log);
        EXPECT_TRUE(wxLog::GetVerbose());
        wxLogError("an error %d", 1);
        wxLogWarning("a warning");
        wxLogMessage("a message");
        wxLogVerbose("progress");
        wxLogGeneric(wxLOG_Debug, "debugging");
        wxLogGeneric(wxLOG_Trace, "tracing");
        wxLogGeneric(wxLOG_User, wxString::FromUTF8("user level, ünïcode"));
    }
    EXPECT_EQ(wxLog::GetActiveTarget(), before) << "the previous target is back";

    const std::string text = LogFile();
    EXPECT_EQ(text.find('\r'), std::string::npos) << "lines end in LF alone";
    const std::regex expected("Zyn Utils Verbose Log - \\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d\n"
                              "\\d\\d:\\d\\d:\\d\\d <Error> an error 1\n"
                              "\\d\\d:\\d\\d:\\d\\d <Warning> a warning\n"
                              "\\d\\d:\\d\\d:\\d\\d <Message> a message\n"
                              "\\d\\d:\\d\\d:\\d\\d <Info> progress\n"
                              "\\d\\d:\\d\\d:\\d\\d <Other> debugging\n"
                              "\\d\\d:\\d\\d:\\d\\d <Other> tracing\n"
                              "\\d\\d:\\d\\d:\\d\\d <Other> user level, \xC3\xBCn\xC3\xAF" "code\n");
    EXPECT_TRUE(std::regex_match(text, expected)) << text;
}

TEST_F(LogWindowTest, TagsFollowTheLevel)
{
    const std::pair<wxLogLevel, const char*> tags[] = {
        {wxLOG_FatalError, " <FatalError> "}, {wxLOG_Error, " <Error> "}, {wxLOG_Warning, " <Warning> "},
        {wxLOG_Message, " <Message> "},       {wxLOG_Status, " <Other> "}, {wxLOG_Info, " <Info> "},
        {wxLOG_Debug, " <Other> "},           {wxLOG_Trace, " <Other> "}, {wxLOG_Progress, " <Other> "},
        {wxLOG_User, " <Other> "},
    };
    for (const auto& [level, tag] : tags)
        EXPECT_STREQ(LogLevelTag(level), tag) << level;
}

TEST_F(LogWindowTest, WritesNothingButTheHeaderWhenVerboseModeIsOff)
{
    GetConfig(cfg::Core)->WriteBool(cfg::General, cfg::VerboseMode, false);
    {
        ShownLogWindow log;
        wxLogError("not written");
    }
    EXPECT_TRUE(std::regex_match(LogFile(), std::regex("Zyn Utils Verbose Log - [-0-9]+ [:0-9]+\n"))) << LogFile();
}

TEST_F(LogWindowTest, ShowsCollectedRecordsOnlyWithAWarningOrAnError)
{
    ShownLogWindow log;
    wxLogMessage("first");
    wxLogVerbose("second");
    log.Flush();
    EXPECT_TRUE(log.shown.empty()) << "informational records alone show nothing";

    wxLogWarning("third");
    log.Flush();
    ASSERT_EQ(log.shown.size(), 1u);
    EXPECT_EQ(log.shown[0], (std::vector<std::string>{"first", "second", "third"}));

    log.Flush();
    EXPECT_EQ(log.shown.size(), 1u) << "shown once";
    wxLogError("fourth");
    log.Flush();
    ASSERT_EQ(log.shown.size(), 2u);
    EXPECT_EQ(log.shown[1], (std::vector<std::string>{"fourth"}));
}

// The box's main text is its last record: the error, not the progress that followed it,
// which waits for the next box.
TEST_F(LogWindowTest, TheBoxEndsWithTheErrorAndLaterRecordsWaitForTheNextOne)
{
    ShownLogWindow log;
    wxLogVerbose("Initializing...");
    wxLogError("no menu file");
    wxLogVerbose("Zyn Utils is ready.");
    log.Flush();
    ASSERT_EQ(log.shown.size(), 1u);
    EXPECT_EQ(log.shown[0], (std::vector<std::string>{"Initializing...", "no menu file"}));

    log.Flush();
    EXPECT_EQ(log.shown.size(), 1u) << "progress alone shows nothing";
    wxLogWarning("a warning");
    wxLogVerbose("after the warning");
    log.Flush();
    ASSERT_EQ(log.shown.size(), 2u);
    EXPECT_EQ(log.shown[1], (std::vector<std::string>{"Zyn Utils is ready.", "a warning"}));
}

// At the end of the session no box may wait for an answer: records, also those
// collected before, reach the file but no box.
TEST_F(LogWindowTest, AfterStopBoxesRecordsReachTheFileButNoBox)
{
    ShownLogWindow log;
    wxLogError("collected before");
    log.StopBoxes();
    wxLogError("after");
    log.Flush();
    EXPECT_TRUE(log.shown.empty());
    EXPECT_NE(LogFile().find("<Error> collected before\n"), std::string::npos) << LogFile();
    EXPECT_NE(LogFile().find("<Error> after\n"), std::string::npos) << LogFile();
}

TEST_F(LogWindowTest, AFileThatCannotBeOpenedIsReportedAndRecordsStillReachTheDialog)
{
    AppDir = wxString::FromUTF8(app / "missing/folder");
    ShownLogWindow log;
    wxLogMessage("still collected");
    log.Flush();
    ASSERT_EQ(log.shown.size(), 1u);
    EXPECT_EQ(log.shown[0], (std::vector<std::string>{"Can not open Verbose.log!"}));
    wxLogError("next");
    log.Flush();
    ASSERT_EQ(log.shown.size(), 2u);
    EXPECT_EQ(log.shown[1], (std::vector<std::string>{"still collected", "next"}));
}

} // namespace
