#include "XClient.h"

#include <X11/XKBlib.h>
#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <sys/file.h>
#include <unistd.h>

#include "TestSupport.h"

namespace zyntest {
namespace {

// The input lock of the display: an flock taken by the first client of the
// process and given back by the last one.
int lockHolders = 0;
int lockFd = -1;

void TakeInputLock(const std::string& display)
{
    if (lockHolders++ > 0)
        return;
    std::string name = "/tmp/zyn-input";
    const char* shown = display.empty() ? getenv("DISPLAY") : display.c_str();
    for (const char* c = shown; c && *c; ++c)
        name += isalnum(static_cast<unsigned char>(*c)) ? *c : '_';
    lockFd = open((name + ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (lockFd >= 0)
        flock(lockFd, LOCK_EX);
}

void GiveInputLock()
{
    if (--lockHolders > 0 || lockFd < 0)
        return;
    close(lockFd); // releases the flock
    lockFd = -1;
}

} // namespace

XClient::XClient(const std::string& display)
    : d((TakeInputLock(display), XOpenDisplay(display.empty() ? nullptr : display.c_str())))
{
}

XClient::~XClient()
{
    if (d) {
        Locks(0);
        XCloseDisplay(d);
    }
    GiveInputLock();
}

void XClient::Key(KeySym keysym, bool down)
{
    XTestFakeKeyEvent(d, XKeysymToKeycode(d, keysym), down, CurrentTime);
    XFlush(d);
}

void XClient::Chord(std::initializer_list<KeySym> modifiers, KeySym keysym)
{
    for (KeySym m : modifiers)
        Key(m, true);
    Key(keysym, true);
    Key(keysym, false);
    for (KeySym m : modifiers)
        Key(m, false);
}

void XClient::Button(unsigned button, bool down)
{
    XTestFakeButtonEvent(d, button, down, CurrentTime);
    XFlush(d);
}

void XClient::MoveTo(int x, int y)
{
    // A pointer that already stands there would send no motion at all (an earlier test may
    // have left it on the same spot): come from one pixel aside, so the window sees the move.
    int px = 0;
    int py = 0;
    Pointer(px, py);
    if (px == x && py == y)
        XTestFakeMotionEvent(d, -1, x + 1, y + 1, CurrentTime);
    XTestFakeMotionEvent(d, -1, x, y, CurrentTime);
    XSync(d, False);
}

void XClient::Sync()
{
    XSync(d, False);
    SyncToolkit();
}


void XClient::Pointer(int& x, int& y)
{
    Window root, child;
    int wx, wy;
    unsigned state;
    XQueryPointer(d, DefaultRootWindow(d), &root, &child, &x, &y, &wx, &wy, &state);
}

unsigned XClient::NumLock() const
{
    const unsigned mask = XkbKeysymToModifiers(d, XK_Num_Lock);
    return mask ? mask : Mod2Mask;
}

void XClient::Locks(unsigned mask)
{
    XkbLockModifiers(d, XkbUseCoreKbd, LockMask | NumLock(), mask);
    XSync(d, False);
}

namespace {

Window FindEmbedded(Display* d, Window w, Atom info, const std::string& program)
{
    Window root, parent, *children = nullptr;
    unsigned n = 0;
    if (!XQueryTree(d, w, &root, &parent, &children, &n))
        return 0;
    Window found = 0;
    for (unsigned i = 0; i < n && !found; ++i) {
        XWindowAttributes attrs;
        Atom type = None;
        int format;
        unsigned long items, after;
        unsigned char* data = nullptr;
        XClassHint hint{};
        if (XGetWindowAttributes(d, children[i], &attrs) && attrs.map_state == IsViewable && attrs.width > 1 &&
            XGetWindowProperty(d, children[i], info, 0, 2, False, AnyPropertyType, &type, &format, &items, &after, &data) == Success &&
            type != None && XGetClassHint(d, children[i], &hint))
            found = program == hint.res_name ? children[i] : 0;
        if (data)
            XFree(data);
        if (hint.res_name)
            XFree(hint.res_name);
        if (hint.res_class)
            XFree(hint.res_class);
        if (!found)
            found = FindEmbedded(d, children[i], info, program);
    }
    if (children)
        XFree(children);
    return found;
}

} // namespace

Window XClient::FindTrayIcon(const std::string& program) const
{
    // An embedded icon carries _XEMBED_INFO.
    return FindEmbedded(d, DefaultRootWindow(d), XInternAtom(d, "_XEMBED_INFO", False), program);
}

bool XClient::TrayIconCentre(const std::string& program, int& x, int& y) const
{
    const Window icon = FindTrayIcon(program);
    XWindowAttributes attrs;
    Window child;
    return icon && XGetWindowAttributes(d, icon, &attrs) &&
           XTranslateCoordinates(d, icon, DefaultRootWindow(d), attrs.width / 2, attrs.height / 2, &x, &y, &child);
}

bool XClient::PopupMenuShown() const
{
    const Atom type = XInternAtom(d, "_NET_WM_WINDOW_TYPE", False);
    const Atom popup = XInternAtom(d, "_NET_WM_WINDOW_TYPE_POPUP_MENU", False);
    Window root, parent, *children = nullptr;
    unsigned n = 0;
    XQueryTree(d, DefaultRootWindow(d), &root, &parent, &children, &n);
    bool found = false;
    for (unsigned i = 0; i < n && !found; ++i) {
        XWindowAttributes attrs;
        if (!XGetWindowAttributes(d, children[i], &attrs) || attrs.map_state != IsViewable || !attrs.override_redirect)
            continue;
        Atom actual;
        int format;
        unsigned long count, after;
        unsigned char* data = nullptr;
        if (XGetWindowProperty(d, children[i], type, 0, 8, False, XA_ATOM, &actual, &format, &count, &after, &data) ==
                Success && data) {
            const Atom* types = reinterpret_cast<const Atom*>(data);
            found = std::find(types, types + count, popup) != types + count;
            XFree(data);
        }
    }
    if (children)
        XFree(children);
    return found;
}

bool XClient::Grab(KeyCode code, unsigned mods)
{
    static int error;
    error = 0;
    XSync(d, False);
    // Xlib's error handler is process-wide and GDK has its own: put it back at once.
    const XErrorHandler previous = XSetErrorHandler([](Display*, XErrorEvent* e) {
        error = e->error_code;
        return 0;
    });
    XGrabKey(d, code, mods, DefaultRootWindow(d), False, GrabModeAsync, GrabModeAsync);
    XSync(d, False);
    XSetErrorHandler(previous);
    return error == 0;
}

void RequestClose(Display* display, Window window)
{
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, window, False, NoEventMask, &event);
    XFlush(display);
}

} // namespace zyntest
