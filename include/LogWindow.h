// The verbose log: every record of the process also goes to "Verbose.log" in
// AppDir, one "%H:%M:%S <Tag> text" line each (UTF-8, LF line ends), after a
// header line naming the start of the run.
#pragma once

#include <wx/datetime.h>
#include <wx/file.h>
#include <wx/log.h>

class LogWindow : public wxLogGui {
public:
    // Becomes the active log target; the previous run's file is discarded.
    LogWindow();
    // Restores the previous target.
    ~LogWindow() override;
    // Shows the collected records only when one of them is a warning or an error,
    // up to the last such one: the box's main text is that record.
    void Flush() override;
    // From now on records go to the file and to standard error, never to a box:
    // at the end of the session nobody is left to answer one.
    void StopBoxes();

protected:
    void DoLogRecord(wxLogLevel level, const wxString& msg, const wxLogRecordInfo& info) override;

private:
    // Lines are appended as they come, so the file is whole up to the last record.
    wxFile file;
    wxLog* previousTarget = nullptr;
    wxDateTime stamp;
    bool boxes = true;
};

// " <Info> " and the other tags of the file's lines, by the toolkit's log level.
const char* LogLevelTag(wxLogLevel level);
