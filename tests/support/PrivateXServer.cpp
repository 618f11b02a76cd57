#include "PrivateXServer.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>

namespace zyntest {

PrivateXServer::PrivateXServer(const std::vector<std::string>& args)
{
    int fds[2];
    if (pipe(fds) != 0)
        return;
    pid = fork();
    if (pid == 0) {
        close(fds[0]);
        const int quiet = open("/dev/null", O_WRONLY); // it reports each display number it tries
        dup2(quiet, STDERR_FILENO);
        std::vector<std::string> words = {"Xvfb", "-displayfd", std::to_string(fds[1]), "-nolisten", "tcp",
                                          "-screen", "0", "800x600x24"};
        words.insert(words.end(), args.begin(), args.end());
        std::vector<char*> argv;
        for (std::string& w : words)
            argv.push_back(w.data());
        argv.push_back(nullptr);
        execvp("Xvfb", argv.data());
        _exit(127);
    }
    close(fds[1]);
    char buf[16] = {};
    const ssize_t n = pid > 0 ? read(fds[0], buf, sizeof buf - 1) : 0; // written once the server is ready
    close(fds[0]);
    if (n > 0)
        display = ":" + std::to_string(std::atoi(buf));
}

PrivateXServer::~PrivateXServer()
{
    if (pid > 0) {
        kill(pid, SIGTERM);
        waitpid(pid, nullptr, 0);
    }
}

} // namespace zyntest
