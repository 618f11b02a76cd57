// The test's own X client: the user's keyboard and mouse through XTest, and
// "another program" that grabs keys. There is one keyboard and one pointer per
// display while the gui tests run in parallel: a client holds the display's
// input lock for its whole life, so tests that drive real input take turns.
#pragma once

#include <X11/Xlib.h>

#include <initializer_list>
#include <string>

namespace zyntest {

class XClient {
public:
    // The session's display, or the one named (":N"); waits for that display's input lock.
    explicit XClient(const std::string& display = "");
    ~XClient(); // lets go of every lock key, closes the connection and the lock
    XClient(const XClient&) = delete;
    XClient& operator=(const XClient&) = delete;

    Display* operator*() const { return d; }
    explicit operator bool() const { return d != nullptr; }

    void Key(KeySym keysym, bool down);
    // Presses and releases keysym with the modifier keys held.
    void Chord(std::initializer_list<KeySym> modifiers, KeySym keysym);
    void Button(unsigned button, bool down);
    void MoveTo(int x, int y);
    void Pointer(int& x, int& y);
    // A marker through the server, for a client of the toolkit's display: when the
    // round trips of this connection and then of the toolkit's return, every event
    // the input sent so far has reached the toolkit, which then handles all it has
    // in hand. GTK holds a last motion event for its next frame: wait for that one.
    void Sync();

    // The modifier bit of Num Lock on this server.
    unsigned NumLock() const;
    // Sets the locked modifiers (Caps Lock, Num Lock) to exactly mask.
    void Locks(unsigned mask);

    // The tray icon a program embedded (found by its class name), 0 when none is
    // on screen: other programs of the session may have icons in the tray too.
    Window FindTrayIcon(const std::string& program) const;
    // The middle of that icon on the screen; false while none is embedded (the tray
    // host may be embedding it again when the program sets a new picture).
    bool TrayIconCentre(const std::string& program, int& x, int& y) const;
    // A popup menu is up: a viewable override-redirect window of the popup-menu type
    // (the desktop widgets are override-redirect windows too).
    bool PopupMenuShown() const;

    // Grabs the key on the root as another program would; false when refused.
    bool Grab(KeyCode code, unsigned mods);

private:
    Display* d;
};

// Asks a top-level window to close, as the window manager does for its close box.
void RequestClose(Display* display, Window window);

} // namespace zyntest
