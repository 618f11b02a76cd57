// Shared helpers of the tests: event-driven waits, temporary directories, the
// application directory, and toolkit asserts turned into test failures.
#pragma once

#include <functional>
#include <string>

#include <wx/string.h>
#include <wx/vector.h>

class Picture;
class wxLog;
class wxRect;

namespace zplat {
class FakeSoundPlayer;
}

namespace zyntest {

// Turns toolkit asserts into test failures.
void InstallAssertFailure();
// Fails the run when the build's application directory gains a "Configs" folder
// while it runs: tests keep their settings in directories of their own.
void GuardAppDirOfBuild();

// Runs the toolkit's pending events (gui tests) and polls cond every few
// milliseconds until it holds or timeoutMs passed; returns the last answer.
// Frees fontconfig's configuration, which it keeps for the life of the process,
// as a test program without the toolkit's text stack ends (that stack would
// still hold patterns of it).
void ReleaseFontconfig();

bool PumpUntil(const std::function<bool()>& cond, int timeoutMs = 5000);
// The same without the toolkit's events (unit and e2e tests).
bool WaitUntil(const std::function<bool()>& cond, int timeoutMs = 5000);
// Handles every event, pending event and idle call the toolkit has in hand.
void Drain();
// A marker through the X server for the toolkit's connection: when its round trip
// returns, every event the server sent before has been read; then Drain.
void SyncToolkit();

// A fresh directory under /tmp, removed with its content on destruction.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::string& Path() const { return path; }
    std::string operator/(const std::string& name) const { return path + "/" + name; }

private:
    std::string path;
};

std::string ReadFile(const std::string& path);
bool WriteFile(const std::string& path, const std::string& content);

// The three icon paths of an item (normal, hover, press), as its editor takes them.
wxVector<wxString> IconPaths(const wxString& normal, const wxString& hover = "", const wxString& press = "");

// Same size and the same pixels.
bool SamePixels(const Picture& a, const Picture& b);
// The same pixels inside area, which both pictures cover.
bool SamePixels(const Picture& a, const Picture& b, const wxRect& area);

// Runs a shell command and gives its standard output.
std::string Shell(const std::string& command);

// The X id of the first window titled exactly title, or "" when there is none;
// with onlyShown, of the first one that is shown.
std::string FindWindow(const std::string& title, bool onlyShown = false);
// The same, waiting up to timeoutMs for one to appear.
std::string WaitForWindow(const std::string& title, int timeoutMs = 15000);
// Kills the process that shows window (an X window id), when there is one.
void KillOwnerOf(const std::string& window);

// The application directory the build assembled.
std::string AppDirOfBuild();
// Makes the build's application folder sub ("Images", "Fonts" ...) readable as dir/sub.
void LinkFromBuild(const std::string& sub, const std::string& dir);

// Points AppDir (and StartupDir) at a fresh temporary directory for its lifetime,
// and closes every configuration opened meanwhile without keeping the caller's
// working directory changed.
class ScopedAppDir {
public:
    ScopedAppDir();
    ~ScopedAppDir();
    const std::string& Path() const { return dir.Path(); }
    std::string operator/(const std::string& name) const { return dir / name; }

private:
    TempDir dir;
    std::string oldAppDir, oldStartupDir, oldCwd;
};

// Installs a fake sound player for its lifetime and loads the build's event
// sounds, so a test can check which sounds were played: Count(SOUND_ALERT).
class FakeSound {
public:
    FakeSound();
    ~FakeSound();
    int Count(unsigned type) const;
    void Reset(); // forgets what was played
    bool loaded = false; // every sound of the build loaded

private:
    zplat::FakeSoundPlayer* player; // installed, owned by the platform layer
};

} // namespace zyntest
