// Collects the log records written while it exists (verbose ones included),
// so tests can check the exact messages, their levels and their sources.
#pragma once

#include <string>
#include <vector>

#include <wx/log.h>

namespace zyntest {

struct LogLine {
    wxLogLevel level;
    std::string text;
    std::string source; // "src/FontManager"
    std::string function;
};

class LogCapture : public wxLog {
public:
    LogCapture();
    ~LogCapture() override;
    LogCapture(const LogCapture&) = delete;
    LogCapture& operator=(const LogCapture&) = delete;

    std::vector<LogLine> lines;
    // The texts of the records at level, in order.
    std::vector<std::string> Texts(wxLogLevel level) const;
    // Every record as a "<level> text" line.
    std::string Text() const;
    bool Contains(const std::string& text) const { return Text().find(text) != std::string::npos; }

protected:
    void DoLogRecord(wxLogLevel level, const wxString& msg, const wxLogRecordInfo& info) override;

private:
    wxLog* previous = nullptr;
    bool wasVerbose = false;
};

} // namespace zyntest
