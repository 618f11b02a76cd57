// Another program's plain window on the session's display, for e2e tests: what
// it receives, in order, and the start of the mouse gesture made on it.
#pragma once

#include <X11/Xlib.h>

#include "XClient.h"

namespace zyntest {

class OtherWindow {
public:
    // A white 400 x 400 window at (300, 300), mapped and raised.
    explicit OtherWindow(Display* d);
    ~OtherWindow();
    OtherWindow(const OtherWindow&) = delete;
    OtherWindow& operator=(const OtherWindow&) = delete;

    // Waits for an event of type (and button or keycode detail, 0 for any) on the window.
    bool Receives(int type, unsigned detail = 0);
    // Moves the pointer onto the window, holds left and presses right. True when the
    // window sees both presses (nothing takes the right one away) and then the left
    // release that a program watching the gesture injects.
    bool HoldLeftPressRight(XClient& client);

    Window window;

private:
    Display* d;
};

} // namespace zyntest
