// The desktop session the program runs in: what the display offers, and the
// one-instance rule.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace zplat {

class Session {
public:
    virtual ~Session() = default;

    // What the program needs of the display and does not find: "an X11 display",
    // "the XTEST extension", "the X Input 2 extension", "the SHAPE extension".
    virtual std::vector<std::string> MissingDisplayFeatures() = 0;

    // Claims the one-instance token of the display. False when another instance
    // holds it; that instance is then asked to show its launcher.
    virtual bool ClaimInstance() = 0;
    // Called on the GUI thread when a later start asks this instance to show itself.
    virtual void SetShowRequestHandler(std::function<void()> handler) = 0;
    virtual void ReleaseInstance() = 0;
    // Tells the display that the start is complete (a second selection, owned
    // by the same window), which scripts and tests wait for.
    virtual void AnnounceReady() = 0;

    // Called on the GUI thread when the session asks the program to end
    // (SIGTERM, SIGINT, SIGHUP), so that it can save and exit cleanly.
    virtual void SetTerminateHandler(std::function<void()> handler) = 0;
};

// Answers every open toolkit dialog as its window's close button would, so the
// modal loops they run end: the end of the session must not wait on a box nobody
// is left to answer.
void CloseToolkitDialogs();

// The session in use: the X11 one unless a test installed another.
Session& GetSession();
// Installs session (owned); nullptr restores the X11 session.
void SetSession(std::unique_ptr<Session> session);

// A session that answers from its fields, for tests without a display.
class FakeSession : public Session {
public:
    std::vector<std::string> missing;
    bool otherInstance = false;
    int showRequestsSent = 0;
    std::function<void()> handler;

    std::vector<std::string> MissingDisplayFeatures() override { return missing; }
    bool ClaimInstance() override
    {
        if (otherInstance)
            ++showRequestsSent;
        return !otherInstance;
    }
    void SetShowRequestHandler(std::function<void()> h) override { handler = std::move(h); }
    void ReleaseInstance() override {}
    void AnnounceReady() override { ready = true; }
    bool ready = false;
    void SetTerminateHandler(std::function<void()> h) override { terminate = std::move(h); }
    std::function<void()> terminate;
};

} // namespace zplat
