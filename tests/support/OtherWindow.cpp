#include "OtherWindow.h"

#include "TestSupport.h"

namespace zyntest {

namespace {
const long Events = ButtonPressMask | ButtonReleaseMask | KeyPressMask | StructureNotifyMask;
}

OtherWindow::OtherWindow(Display* d) : d(d)
{
    window = XCreateSimpleWindow(d, DefaultRootWindow(d), 300, 300, 400, 400, 0, 0, 0xffffff);
    XSelectInput(d, window, Events);
    XMapRaised(d, window);
    XSync(d, False);
}

OtherWindow::~OtherWindow()
{
    XDestroyWindow(d, window);
    XSync(d, False);
}

bool OtherWindow::Receives(int type, unsigned detail)
{
    return WaitUntil([&] {
        XEvent ev;
        while (XCheckWindowEvent(d, window, Events, &ev)) {
            const unsigned got = ev.type == KeyPress ? ev.xkey.keycode : ev.type == MapNotify ? 0 : ev.xbutton.button;
            if (ev.type == type && (detail == 0 || got == detail))
                return true;
        }
        return false;
    }, 5000);
}

bool OtherWindow::HoldLeftPressRight(XClient& client)
{
    int x, y;
    Window child;
    XTranslateCoordinates(d, window, DefaultRootWindow(d), 200, 200, &x, &y, &child);
    client.MoveTo(x, y);
    client.Button(Button1, true);
    client.Button(Button3, true);
    return Receives(ButtonPress, Button1) && Receives(ButtonPress, Button3) && Receives(ButtonRelease, Button1);
}

} // namespace zyntest
