// Placeholder until the verbose log lands.
#include "LogWindow.h"

LogWindow::LogWindow() { previousTarget = wxLog::SetActiveTarget(this); }
LogWindow::~LogWindow() { wxLog::SetActiveTarget(previousTarget); }
void LogWindow::Flush() { wxLogGui::Flush(); }
void LogWindow::DoLogRecord(wxLogLevel level, const wxString& msg, const wxLogRecordInfo& info)
{
    wxLogGui::DoLogRecord(level, msg, info);
}
const char* LogLevelTag(wxLogLevel) { return " <Other> "; }
