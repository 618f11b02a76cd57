// Real input of the gui tests takes turns on the display: a test process that
// drives the pointer (XClient, or a ScreenProbe that clicks) holds the
// display's input lock, and every other one waits for it.
#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>

#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include "ScreenProbe.h"
#include "TestSupport.h"
#include "XClient.h"

namespace {

using zyntest::WaitUntil;

TEST(InputLock, ProbeClicksWaitWhileAnotherTestProcessDrivesTheInput)
{
    int held[2], release[2];
    ASSERT_EQ(pipe(held), 0);
    ASSERT_EQ(pipe(release), 0);
    const pid_t other = fork();
    ASSERT_GE(other, 0);
    if (other == 0) {
        zyntest::XClient input; // another test's input, for as long as it runs
        char c = input ? 1 : 0;
        if (write(held[1], &c, 1) == 1)
            c = read(release[0], &c, 1) == 1 ? 0 : 1;
        _exit(c);
    }
    char c = 0;
    ASSERT_EQ(read(held[0], &c, 1), 1);
    ASSERT_EQ(c, 1) << "the other process has no display";

    zyntest::ScreenProbe probe;
    std::atomic<bool> clicked{false};
    std::atomic<pid_t> clickerThread{0};
    std::thread clicker([&] {
        clickerThread = gettid();
        probe.Click(40, 40);
        clicked = true;
    });
    // The clicker waits in the lock's flock call: its click is still to come.
    const auto waitsForTheLock = [&] {
        const pid_t tid = clickerThread;
        return tid && zyntest::ReadFile("/proc/self/task/" + std::to_string(tid) + "/syscall")
                              .rfind(std::to_string(SYS_flock) + " ", 0) == 0;
    };
    EXPECT_TRUE(WaitUntil(waitsForTheLock)) << "the click does not wait for the lock";
    EXPECT_FALSE(clicked.load()) << "clicked amid another process's input";
    EXPECT_EQ(write(release[1], &c, 1), 1);
    EXPECT_TRUE(WaitUntil([&] { return clicked.load(); }, 5000));
    clicker.join();
    int status = -1;
    EXPECT_EQ(waitpid(other, &status, 0), other);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    for (int fd : {held[0], held[1], release[0], release[1]})
        close(fd);
}

} // namespace
