#include "TestSupport.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include <wx/app.h>
#include <wx/debug.h>
#include <wx/evtloop.h>

namespace zyntest {
namespace {

void FailOnAssert(const wxString& file, int line, const wxString& func, const wxString& cond, const wxString& msg)
{
    ADD_FAILURE() << "wx assert: " << cond << " (" << msg << ") at " << file << ":" << line << " in " << func;
}

template <class Step>
bool Poll(const std::function<bool()>& cond, int timeoutMs, Step step)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        step();
        if (cond())
            return true;
        if (std::chrono::steady_clock::now() > end)
            return cond();
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
}

} // namespace

void InstallAssertFailure() { wxSetAssertHandler(FailOnAssert); }

bool PumpUntil(const std::function<bool()>& cond, int timeoutMs)
{
    return Poll(cond, timeoutMs, [] {
        if (wxEventLoopBase* loop = wxEventLoopBase::GetActive()) {
            while (loop->Pending())
                loop->Dispatch();
            loop->ProcessIdle();
        }
        if (wxTheApp)
            wxTheApp->ProcessPendingEvents();
    });
}

bool WaitUntil(const std::function<bool()>& cond, int timeoutMs)
{
    return Poll(cond, timeoutMs, [] {});
}

LogCapture::LogCapture() : previous(wxLog::SetActiveTarget(this)), wasVerbose(wxLog::GetVerbose())
{
    wxLog::SetVerbose(true);
}

LogCapture::~LogCapture()
{
    wxLog::SetActiveTarget(previous);
    wxLog::SetVerbose(wasVerbose);
}

void LogCapture::DoLogTextAtLevel(wxLogLevel, const wxString& msg) { text += msg.utf8_string() + "\n"; }

TempDir::TempDir()
{
    char pattern[] = "/tmp/zyn-test.XXXXXX";
    path = mkdtemp(pattern);
}

TempDir::~TempDir()
{
    std::error_code ec;
    std::filesystem::permissions(path, std::filesystem::perms::owner_all, ec);
    std::filesystem::remove_all(path, ec);
}

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

bool WriteFile(const std::string& path, const std::string& content)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << content;
    return static_cast<bool>(out);
}

std::string Shell(const std::string& command)
{
    std::string out;
    if (FILE* p = popen(command.c_str(), "r")) {
        char buf[256];
        while (fgets(buf, sizeof buf, p))
            out += buf;
        pclose(p);
    }
    return out;
}

std::string AppDirOfBuild() { return ZYN_APP_DIR; }

} // namespace zyntest
