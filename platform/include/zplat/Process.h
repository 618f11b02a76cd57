// Starting other programs as the user would: in the environment the user started
// this program with (not the one it set up for the toolkit), without waiting.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace zplat {

// Keeps the process environment as the user gave it. Called first in main, before
// anything is set for the toolkit.
void KeepUserEnvironment();
// That environment as "NAME=VALUE" entries; the present one when none was kept.
std::vector<std::string> UserEnvironment();

// How a started program ended.
struct ProcessEnd {
    int exitCode = -1;  // -1 when a signal ended it
    std::string output; // its standard output and error, cut after some kilobytes
};

// Starts argv (argv[0] looked up on PATH when it holds no '/') in the user's
// environment with no descriptor of this program but the standard ones, and
// returns at once; false, with the reason in error, when it cannot be started.
// With onEnd, what it writes to its standard output and error is collected instead
// of reaching this program's terminal (what it leaves running writes on into the
// void), and onEnd is called on the GUI thread once it has ended.
bool StartProcess(const std::vector<std::string>& argv, std::string& error,
                  std::function<void(const ProcessEnd&)> onEnd = {});

} // namespace zplat
