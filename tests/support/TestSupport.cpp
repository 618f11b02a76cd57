#include "TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include <signal.h>
#include <unistd.h>

#include <X11/Xlib.h>

#include <wx/app.h>
#include <wx/debug.h>
#include <wx/evtloop.h>
#include <wx/filefn.h>
#include <wx/gdicmn.h>
#include <wx/log.h>
#include <wx/utils.h>

#include "ConfigImpl.h"
#include "Picture.h"
#include "SoundManager.h"
#include "SystemPaths.h"
#include "zplat/Sound.h"

#include <fontconfig/fontconfig.h>

// Last: its macros (None, Status) would clash with the names above.
#include <X11/Xlib.h>

namespace zyntest {
namespace {

void FailOnAssert(const wxString& file, int line, const wxString& func, const wxString& cond, const wxString& msg)
{
    ADD_FAILURE() << "wx assert: " << cond << " (" << msg << ") at " << file << ":" << line << " in " << func;
}

template <class Step>
bool Poll(const std::function<bool()>& cond, int timeoutMs, Step step)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        step();
        if (cond())
            return true;
        if (std::chrono::steady_clock::now() > end)
            return cond();
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
}

} // namespace

void ReleaseFontconfig() { FcFini(); }

void InstallAssertFailure() { wxSetAssertHandler(FailOnAssert); }

void GuardAppDirOfBuild()
{
    class Guard : public testing::Environment {
        void SetUp() override { existed = std::filesystem::exists(configs); }
        void TearDown() override
        {
            if (existed || !std::filesystem::exists(configs))
                return;
            ADD_FAILURE() << "a test wrote settings into the build's application directory: " << configs;
            std::error_code ec;
            std::filesystem::remove_all(configs, ec); // so that the next run can tell again
        }

        const std::string configs = AppDirOfBuild() + "/Configs";
        bool existed = false;
    };
    testing::AddGlobalTestEnvironment(new Guard);
}

bool PumpUntil(const std::function<bool()>& cond, int timeoutMs)
{
    return Poll(cond, timeoutMs, [] {
        if (wxEventLoopBase* loop = wxEventLoopBase::GetActive()) {
            while (loop->Pending())
                loop->Dispatch();
            loop->ProcessIdle();
        }
        if (wxTheApp)
            wxTheApp->ProcessPendingEvents();
    });
}

void Drain()
{
    PumpUntil([] {
        const wxEventLoopBase* loop = wxEventLoopBase::GetActive();
        return (!loop || !loop->Pending()) && !(wxTheApp && wxTheApp->HasPendingEvents());
    });
}

void SyncToolkit()
{
    XSync(wxGetX11Display(), False);
    Drain();
}

bool WaitUntil(const std::function<bool()>& cond, int timeoutMs)
{
    return Poll(cond, timeoutMs, [] {});
}

TempDir::TempDir()
{
    char pattern[] = "/tmp/zyn-test.XXXXXX";
    path = mkdtemp(pattern);
}

TempDir::~TempDir()
{
    std::error_code ec;
    std::filesystem::permissions(path, std::filesystem::perms::owner_all, ec);
    std::filesystem::remove_all(path, ec);
}

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

bool WriteFile(const std::string& path, const std::string& content)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << content;
    return static_cast<bool>(out);
}

wxVector<wxString> IconPaths(const wxString& normal, const wxString& hover, const wxString& press)
{
    wxVector<wxString> paths;
    paths.push_back(normal);
    paths.push_back(hover);
    paths.push_back(press);
    return paths;
}

bool SamePixels(const Picture& a, const Picture& b)
{
    if (a.GetSize() != b.GetSize())
        return false;
    return std::equal(a.Pixels(), a.Pixels() + static_cast<size_t>(a.GetWidth()) * a.GetHeight(), b.Pixels());
}

bool SamePixels(const Picture& a, const Picture& b, const wxRect& area)
{
    for (int y = area.y; y <= area.GetBottom(); ++y)
        for (int x = area.x; x <= area.GetRight(); ++x)
            if (a.GetPixel(x, y) != b.GetPixel(x, y))
                return false;
    return true;
}

std::string Shell(const std::string& command)
{
    std::string out;
    if (FILE* p = popen(command.c_str(), "r")) {
        char buf[256];
        while (fgets(buf, sizeof buf, p))
            out += buf;
        pclose(p);
    }
    return out;
}

namespace {

// The window's title: its UTF-8 name, or else its plain name.
std::string TitleOf(Display* d, Window w)
{
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    std::string title;
    if (XGetWindowProperty(d, w, XInternAtom(d, "_NET_WM_NAME", False), 0, 1024, False,
                           XInternAtom(d, "UTF8_STRING", False), &type, &format, &count, &after, &data) == Success &&
        data && format == 8)
        title.assign(reinterpret_cast<char*>(data), count);
    if (data)
        XFree(data);
    char* name = nullptr;
    if (title.empty() && XFetchName(d, w, &name) && name)
        title = name;
    if (name)
        XFree(name);
    return title;
}

// The first window below w (depth first, in stacking order) titled title.
Window FindTitled(Display* d, Window w, const std::string& title, bool onlyShown)
{
    Window root = 0, parent = 0, *children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(d, w, &root, &parent, &children, &count))
        return 0; // gone while the tree was walked
    Window found = 0;
    for (unsigned i = 0; i < count && !found; ++i) {
        XWindowAttributes attrs;
        if (TitleOf(d, children[i]) == title &&
            (!onlyShown || (XGetWindowAttributes(d, children[i], &attrs) && attrs.map_state == IsViewable)))
            found = children[i];
        else
            found = FindTitled(d, children[i], title, onlyShown);
    }
    if (children)
        XFree(children);
    return found;
}

} // namespace

std::string FindWindow(const std::string& title, bool onlyShown)
{
    Display* d = XOpenDisplay(nullptr);
    if (!d)
        return "";
    // Windows of other clients come and go while the tree is walked: the errors
    // about those are expected. Xlib's handler is process-wide and GDK has its
    // own: it is put back at once.
    XSync(d, False);
    const XErrorHandler previous = XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });
    const Window found = FindTitled(d, DefaultRootWindow(d), title, onlyShown);
    XSync(d, False);
    XSetErrorHandler(previous);
    XCloseDisplay(d);
    return found ? std::to_string(found) : "";
}

std::string WaitForWindow(const std::string& title, int timeoutMs)
{
    std::string window;
    WaitUntil([&] { return !(window = FindWindow(title)).empty(); }, timeoutMs);
    return window;
}

void KillOwnerOf(const std::string& window)
{
    const std::string pid = Shell("xdotool getwindowpid " + window + " 2>/dev/null");
    if (!pid.empty())
        kill(static_cast<pid_t>(std::strtol(pid.c_str(), nullptr, 10)), SIGKILL);
}

std::string AppDirOfBuild() { return ZYN_APP_DIR; }

void LinkFromBuild(const std::string& sub, const std::string& dir)
{
    std::filesystem::create_directory_symlink(AppDirOfBuild() + "/" + sub, dir + "/" + sub);
}

ScopedAppDir::ScopedAppDir()
    : oldAppDir(AppDir.utf8_string()), oldStartupDir(StartupDir.utf8_string())
{
    char* cwd = getcwd(nullptr, 0);
    oldCwd = cwd ? cwd : "/";
    free(cwd);
    AppDir = wxString::FromUTF8(dir.Path());
    StartupDir = wxString::FromUTF8(dir / "autostart");
}

ScopedAppDir::~ScopedAppDir()
{
    DestroyAllConfigs();
    AppDir = wxString::FromUTF8(oldAppDir);
    StartupDir = wxString::FromUTF8(oldStartupDir);
    if (chdir(oldCwd.c_str()) != 0)
        ADD_FAILURE() << "cannot return to " << oldCwd;
}

FakeSound::FakeSound()
{
    auto fake = std::make_unique<zplat::FakeSoundPlayer>();
    player = fake.get();
    zplat::SetSoundPlayer(std::move(fake));
    const wxString appDir = AppDir;
    const wxString cwd = wxGetCwd();
    AppDir = wxString::FromUTF8(AppDirOfBuild());
    loaded = SoundManager::Initial();
    AppDir = appDir;
    wxSetWorkingDirectory(cwd);
    SoundEnabledFlag = true;
}

FakeSound::~FakeSound() { zplat::SetSoundPlayer(nullptr); }

int FakeSound::Count(unsigned type) const { return player->PlayCount(type); }

void FakeSound::Reset() { player->played.clear(); }

} // namespace zyntest
