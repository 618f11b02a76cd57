// Shared helpers of the tests: event-driven waits, temporary directories, the
// application directory, and toolkit asserts turned into test failures.
#pragma once

#include <functional>
#include <string>

#include <wx/log.h>

namespace zyntest {

// Turns toolkit asserts into test failures.
void InstallAssertFailure();

// Runs the toolkit's pending events (gui tests) and polls cond every few
// milliseconds until it holds or timeoutMs passed; returns the last answer.
bool PumpUntil(const std::function<bool()>& cond, int timeoutMs = 5000);
// The same without the toolkit's events (unit and e2e tests).
bool WaitUntil(const std::function<bool()>& cond, int timeoutMs = 5000);

// Collects the log's text while it lives, verbose records included.
class LogCapture : public wxLog {
public:
    LogCapture();
    ~LogCapture() override;
    std::string text;

protected:
    void DoLogTextAtLevel(wxLogLevel, const wxString& msg) override;

private:
    wxLog* previous;
    bool wasVerbose;
};

// A fresh directory under /tmp, removed with its content on destruction.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::string& Path() const { return path; }
    std::string operator/(const std::string& name) const { return path + "/" + name; }

private:
    std::string path;
};

std::string ReadFile(const std::string& path);
bool WriteFile(const std::string& path, const std::string& content);

// Runs a shell command and gives its standard output.
std::string Shell(const std::string& command);

// The application directory the build assembled.
std::string AppDirOfBuild();

} // namespace zyntest
