// Runs the real program for e2e tests: a private copy of the application
// directory, the program started there with its output captured, and waits on
// what it writes.
#pragma once

#include <string>
#include <sys/types.h>
#include <utility>
#include <vector>

#include "TestSupport.h"

namespace zyntest {

class AppRunner {
public:
    AppRunner();  // copies the build's application directory
    ~AppRunner(); // kills the program if it still runs

    const std::string& Dir() const { return dir.Path(); }
    std::string PathOf(const std::string& name) const { return dir / name; }

    // Writes "Configs/Core.xml" with the given <config> elements inside <Core>.
    void WriteCore(const std::string& catalogs);
    // ("Catalog/Key", value) pairs that change or add properties (and catalogs).
    using Settings = std::vector<std::pair<std::string, std::string>>;
    // The <config> elements of a quiet run: verbose log, no update check, no splash;
    // then moreCatalogs.
    static std::string QuietVerboseCatalogs(const Settings& settings = {}, const std::string& moreCatalogs = "");
    // Writes them as "Configs/Core.xml".
    void WriteQuietVerboseCore(const std::string& moreCatalogs = "", const Settings& settings = {});

    // Starts the program (another instance when one runs already), or another program of
    // the application directory; extraEnv as "NAME=VALUE" replaces those variables, a bare
    // "NAME" removes NAME.
    pid_t Start(const std::vector<std::string>& extraEnv = {}, const std::string& name = "zyn-utils");
    bool WaitForLog(const std::string& text, int timeoutMs = 15000) const;
    // Waits until the display knows the start is complete (the program's ready
    // selection has an owner). The server handles a client's requests in order, so
    // every window the program made during its start is on the server by then.
    bool WaitForReadyOnDisplay(int timeoutMs = 15000) const;
    std::string Log() const { return ReadFile(PathOf("Verbose.log")); }
    std::string Output() const { return ReadFile(PathOf("output.txt")); }

    // Waits for pid to end; its wait status, or -1 on time-out.
    int WaitExit(pid_t pid, int timeoutMs = 15000);
    // Answers the message box (an X window id) of pid with Return and waits for pid to
    // end by that answer alone; its wait status, or -1 when it still runs (the
    // destructor then kills it).
    int AnswerBoxAndWaitExit(const std::string& box, pid_t pid);
    // For a test that only needs pid gone after its box: answers the box, and when
    // pid still runs, asks it to end (SIGTERM). The wait status, or -1 when it never ends.
    int AnswerBoxOrTerminate(const std::string& box, pid_t pid);

private:
    TempDir dir;
    std::vector<pid_t> pids;
};

} // namespace zyntest
