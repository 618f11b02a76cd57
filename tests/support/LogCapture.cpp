#include "LogCapture.h"

namespace zyntest {

LogCapture::LogCapture()
{
    wasVerbose = wxLog::GetVerbose();
    wxLog::SetVerbose(true);
    previous = wxLog::SetActiveTarget(this);
}

LogCapture::~LogCapture()
{
    wxLog::SetActiveTarget(previous);
    wxLog::SetVerbose(wasVerbose);
}

std::vector<std::string> LogCapture::Texts(wxLogLevel level) const
{
    std::vector<std::string> out;
    for (const LogLine& line : lines) {
        if (line.level == level)
            out.push_back(line.text);
    }
    return out;
}

std::string LogCapture::Text() const
{
    std::string text;
    for (const LogLine& line : lines)
        text += std::to_string(line.level) + " " + line.text + "\n";
    return text;
}

void LogCapture::DoLogRecord(wxLogLevel level, const wxString& msg, const wxLogRecordInfo& info)
{
    lines.push_back({level, msg.utf8_string(), info.filename ? info.filename : "", info.func ? info.func : ""});
}

} // namespace zyntest
