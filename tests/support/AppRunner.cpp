#include "AppRunner.h"

#include <X11/Xlib.h>
#include <fcntl.h>
#include <sys/prctl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <memory>

extern char** environ;

namespace zyntest {

AppRunner::AppRunner()
{
    namespace fs = std::filesystem;
    fs::copy(AppDirOfBuild(), dir.Path(), fs::copy_options::recursive | fs::copy_options::overwrite_existing);
}

AppRunner::~AppRunner()
{
    for (pid_t pid : pids) {
        if (kill(pid, 0) == 0) {
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
        }
    }
}

void AppRunner::WriteCore(const std::string& catalogs)
{
    std::filesystem::create_directories(dir / "Configs");
    WriteFile(dir / "Configs/Core.xml", "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Core>\n" + catalogs + "</Core>\n");
}

std::string AppRunner::QuietVerboseCatalogs(const Settings& settings, const std::string& moreCatalogs)
{
    struct Catalog {
        std::string name;
        Settings properties;
    };
    std::vector<Catalog> catalogs = {{"General", {{"VerboseMode", "1"}, {"CheckUpdate", "0"}}},
                                     {"Appearance", {{"ShowSplash", "0"}}}};
    for (const auto& [path, value] : settings) {
        const std::string name = path.substr(0, path.find('/')), key = path.substr(path.find('/') + 1);
        auto catalog = std::find_if(catalogs.begin(), catalogs.end(), [&](const Catalog& c) { return c.name == name; });
        if (catalog == catalogs.end())
            catalog = catalogs.insert(catalogs.end(), Catalog{name, {}});
        Settings& properties = catalog->properties;
        auto it = std::find_if(properties.begin(), properties.end(), [&](const auto& p) { return p.first == key; });
        if (it != properties.end())
            it->second = value;
        else
            properties.emplace_back(key, value);
    }
    std::string text;
    for (const Catalog& catalog : catalogs) {
        text += "  <config catalog=\"" + catalog.name + "\">\n";
        for (const auto& [key, value] : catalog.properties)
            text += "    <property key=\"" + key + "\" value=\"" + value + "\"/>\n";
        text += "  </config>\n";
    }
    return text + moreCatalogs;
}

void AppRunner::WriteQuietVerboseCore(const std::string& moreCatalogs, const Settings& settings)
{
    WriteCore(QuietVerboseCatalogs(settings, moreCatalogs));
}

pid_t AppRunner::Start(const std::vector<std::string>& extraEnv, const std::string& name)
{
    const std::string program = dir / name;
    const std::string output = dir / "output.txt";
    // extraEnv replaces variables of the same name (getenv would find the first one);
    // a bare "NAME" removes NAME.
    const auto nameOf = [](const std::string& entry) { return entry.substr(0, entry.find('=')); };
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e) {
        const std::string entry(*e);
        const bool replaced = std::any_of(extraEnv.begin(), extraEnv.end(),
                                          [&](const std::string& x) { return nameOf(x) == nameOf(entry); });
        if (!replaced)
            env.push_back(entry);
    }
    for (const std::string& x : extraEnv)
        if (x.find('=') != std::string::npos)
            env.push_back(x);
    std::vector<char*> envp;
    for (std::string& s : env)
        envp.push_back(s.data());
    envp.push_back(nullptr);

    const pid_t parent = getpid();
    const pid_t pid = fork();
    if (pid == 0) {
        // The program ends with the test, however the test ends: a program left
        // running would answer every later test's start as the running instance.
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (getppid() != parent)
            _exit(125);
        if (chdir(dir.Path().c_str()) != 0)
            _exit(126);
        const int fd = open(output.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
        dup2(fd, STDOUT_FILENO);
        dup2(fd, STDERR_FILENO);
        char* argv[] = {const_cast<char*>(program.c_str()), nullptr};
        execve(program.c_str(), argv, envp.data());
        _exit(127);
    }
    if (pid > 0)
        pids.push_back(pid);
    return pid;
}

bool AppRunner::WaitForLog(const std::string& text, int timeoutMs) const
{
    return WaitUntil([&] { return Log().find(text) != std::string::npos; }, timeoutMs);
}

bool AppRunner::WaitForReadyOnDisplay(int timeoutMs) const
{
    const std::unique_ptr<Display, int (*)(Display*)> display(XOpenDisplay(nullptr), XCloseDisplay);
    if (!display)
        return false;
    const Atom ready = XInternAtom(display.get(), "_ZYN_UTILS_READY", False);
    return WaitUntil([&] { return XGetSelectionOwner(display.get(), ready) != None; }, timeoutMs);
}

int AppRunner::WaitExit(pid_t pid, int timeoutMs)
{
    int status = -1;
    const bool ended = WaitUntil([&] { return waitpid(pid, &status, WNOHANG) == pid; }, timeoutMs);
    if (!ended)
        return -1;
    pids.erase(std::remove(pids.begin(), pids.end(), pid), pids.end());
    return status;
}

int AppRunner::AnswerBoxAndWaitExit(const std::string& box, pid_t pid)
{
    Shell("xdotool windowactivate --sync " + box + " key --clearmodifiers Return 2>/dev/null");
    return WaitExit(pid);
}

int AppRunner::AnswerBoxOrTerminate(const std::string& box, pid_t pid)
{
    Shell("xdotool windowactivate --sync " + box + " key --clearmodifiers Return 2>/dev/null");
    const int status = WaitExit(pid, 5000);
    if (status != -1)
        return status;
    kill(pid, SIGTERM);
    return WaitExit(pid);
}

} // namespace zyntest
