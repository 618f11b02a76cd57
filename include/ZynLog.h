// Log records of the program: the toolkit's log with the source ("src/ZynUtils"),
// the line and the function attached. Progress goes to the verbose (information)
// level, failures to the error level.
#pragma once

#include <wx/log.h>

namespace zyn {
// "src/ZynUtils" for "src/ZynUtils.cpp", the file's path from the project root as the
// build gives it in __FILE__; the returned text lives for the process.
const char* LogSource(const char* file);
}

#define ZYN_LOGGER(level) wxLogger(level, zyn::LogSource(__FILE__), __LINE__, __func__, wxLOG_COMPONENT)
#define ZLOG_INFO(...) \
    do { if (wxLog::GetVerbose()) ZYN_LOGGER(wxLOG_Info).Log(__VA_ARGS__); } while (0)
#define ZLOG_ERROR(...) ZYN_LOGGER(wxLOG_Error).Log(__VA_ARGS__)
#define ZLOG_WARNING(...) ZYN_LOGGER(wxLOG_Warning).Log(__VA_ARGS__)
