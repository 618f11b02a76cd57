// An X server of a test's own (Xvfb: no window manager, no compositor, no tray), for
// what the shared session cannot offer: a display without an extension, or without
// a notification area.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace zyntest {

class PrivateXServer {
public:
    // args are added to Xvfb's command line, e.g. {"-extension", "XTEST"}.
    explicit PrivateXServer(const std::vector<std::string>& args = {});
    ~PrivateXServer();
    PrivateXServer(const PrivateXServer&) = delete;
    PrivateXServer& operator=(const PrivateXServer&) = delete;

    // ":N" once the server is ready; empty when it did not start.
    std::string display;

private:
    pid_t pid = -1;
};

} // namespace zyntest
