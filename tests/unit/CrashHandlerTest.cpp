// The crash handler of the platform layer, in a process of its own that dies
// from a fatal signal: the report reaches standard error and the log, and the
// report process starts, also when the stack has run out.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

#include "TestSupport.h"

namespace {

struct Death {
    int status = -1;
    std::string error; // what the helper wrote to standard error
};

Death RunHelper(const zyntest::TempDir& dir, const std::string& how)
{
    const std::string log = dir / "crash.log", marker = dir / "marker", errors = dir / "stderr";
    zyntest::WriteFile(log, "before\n");
    Death death;
    const pid_t pid = fork();
    if (pid == 0) {
        const int fd = open(errors.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        dup2(fd, STDERR_FILENO);
        const std::string helper = std::string(ZYN_BIN_DIR) + "/zyn-crash-helper";
        execl(helper.c_str(), helper.c_str(), log.c_str(), marker.c_str(), how.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    if (pid > 0)
        waitpid(pid, &death.status, 0);
    death.error = zyntest::ReadFile(errors);
    return death;
}

} // namespace

TEST(CrashHandler, TheReportIsWrittenAndShownForAFaultAndForAStackOverflow)
{
    for (const char* how : {"segv", "overflow"}) {
        SCOPED_TRACE(how);
        zyntest::TempDir dir;
        const Death death = RunHelper(dir, how);
        ASSERT_TRUE(WIFSIGNALED(death.status)) << death.status << death.error;
        EXPECT_EQ(WTERMSIG(death.status), SIGSEGV);
        EXPECT_EQ(death.error, "Crash helper report\n");
        EXPECT_EQ(zyntest::ReadFile(dir / "crash.log"), "before\nCrash helper report\n");
        EXPECT_TRUE(zyntest::WaitUntil([&] { return zyntest::ReadFile(dir / "marker") == "shown"; }))
            << "the report process did not run";
    }
}
