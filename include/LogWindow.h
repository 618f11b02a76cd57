// The verbose log: every record of the process also goes to "Verbose.log".
#pragma once

#include <wx/datetime.h>
#include <wx/log.h>
#include <wx/textfile.h>

class LogWindow : public wxLogGui {
public:
    LogWindow();
    ~LogWindow() override;
    void Flush() override;

protected:
    void DoLogRecord(wxLogLevel level, const wxString& msg, const wxLogRecordInfo& info) override;

private:
    wxTextFile file;
    wxLog* previousTarget = nullptr;
    wxDateTime stamp;
};

// " <Info> " and the other tags of the file's lines, by the toolkit's log level.
const char* LogLevelTag(wxLogLevel level);
