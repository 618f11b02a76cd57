#include "LogWindow.h"

#include <wx/msgout.h>

#include "ConfigImpl.h"
#include "ConfigKeys.h"
#include "RegularFile.h"
#include "SystemPaths.h"
#include "ZynLog.h"

namespace {

bool WriteLine(wxFile& file, const wxString& line)
{
    return file.Write(line + "\n", wxConvUTF8);
}

} // namespace

LogWindow::LogWindow()
    : stamp(wxDateTime::Now())
{
    previousTarget = wxLog::SetActiveTarget(this);
    bool opened;
    {
        wxLogNull quiet; // reported below, in the log's own words
        const wxString path = AppPath("Verbose.log");
        opened = RegularFile::IsReplaceable(path) && file.Create(path, true) &&
                 WriteLine(file, "Zyn Utils Verbose Log - " + stamp.Format("%Y-%m-%d %H:%M:%S"));
    }
    if (!opened) {
        file.Close();
        ZLOG_ERROR("Can not open Verbose.log!");
    }
    wxLog::SetVerbose(GetConfig(cfg::Core)->ReadBool(cfg::General, cfg::VerboseMode, false));
}

LogWindow::~LogWindow()
{
    wxLog::SetActiveTarget(previousTarget);
    file.Close();
}

void LogWindow::DoLogRecord(wxLogLevel level, const wxString& msg, const wxLogRecordInfo& info)
{
    if (file.IsOpened() && wxLog::GetVerbose()) {
        stamp.Set(static_cast<time_t>(info.timestampMS / 1000));
        WriteLine(file, stamp.Format("%H:%M:%S") + LogLevelTag(level) + msg);
    }
    if (boxes)
        wxLogGui::DoLogRecord(level, msg, info);
    else if (level <= wxLOG_Warning)
        wxMessageOutputStderr().Output(LogLevelTag(level) + msg);
}

void LogWindow::StopBoxes()
{
    boxes = false;
    Clear();
}

void LogWindow::Flush()
{
    if (!boxes)
        return;
    // Informational records wait for the next warning or error and show with it.
    if (GetSeverityIcon() == wxICON_INFORMATION) {
        m_bHasMessages = false;
        wxLogGui::Flush();
        return;
    }
    // The box's main text is its last record: it must be the warning or error, so
    // the records after the last one wait for the next box.
    size_t end = m_aMessages.size();
    while (end > 0 && m_aSeverity[end - 1] > wxLOG_Warning)
        --end;
    const size_t later = m_aMessages.size() - end;
    const wxArrayString messages(m_aMessages);
    const wxArrayInt severities(m_aSeverity);
    const wxArrayLong times(m_aTimes);
    if (later) {
        m_aMessages.RemoveAt(end, later);
        m_aSeverity.RemoveAt(end, later);
        m_aTimes.RemoveAt(end, later);
    }
    m_bHasMessages = true;
    wxLogGui::Flush();
    // Before any record that came while the box was open.
    for (size_t i = messages.size(); i-- > end;) {
        m_aMessages.Insert(messages[i], 0);
        m_aSeverity.Insert(severities[i], 0);
        m_aTimes.Insert(times[i], 0);
    }
}

const char* LogLevelTag(wxLogLevel level)
{
    switch (level) {
    case wxLOG_FatalError: return " <FatalError> ";
    case wxLOG_Error: return " <Error> ";
    case wxLOG_Warning: return " <Warning> ";
    case wxLOG_Message: return " <Message> ";
    case wxLOG_Info: return " <Info> ";
    default: return " <Other> ";
    }
}
