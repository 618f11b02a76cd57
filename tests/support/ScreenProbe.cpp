#include "ScreenProbe.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <gtk/gtk.h>
#include <gdk/gdkx.h>

#include <algorithm>
#include <cstdlib>

#include <wx/window.h>

#include "TestSupport.h"
#include "XClient.h"

namespace zyntest {
namespace {

Display* D(void* d) { return static_cast<Display*>(d); }

Window XidOf(const wxWindow* window)
{
    GtkWidget* widget = window ? static_cast<GtkWidget*>(window->GetHandle()) : nullptr;
    GdkWindow* gdk = widget ? gtk_widget_get_window(widget) : nullptr;
    return gdk ? GDK_WINDOW_XID(gdk) : 0;
}

} // namespace

wxString ExpanderLabel(const wxWindow* window)
{
    GtkWidget* widget = window ? static_cast<GtkWidget*>(window->GetHandle()) : nullptr;
    if (!widget || !GTK_IS_EXPANDER(widget))
        return wxString();
    const char* label = gtk_expander_get_label(GTK_EXPANDER(widget));
    return label ? wxString::FromUTF8(label) : wxString();
}

ScreenProbe::ScreenProbe() : display(XOpenDisplay(nullptr)) {}

ScreenProbe::~ScreenProbe()
{
    if (display)
        XCloseDisplay(D(display));
}

uint32_t ScreenProbe::Pixel(int x, int y)
{
    Display* d = D(display);
    XImage* image = XGetImage(d, DefaultRootWindow(d), x, y, 1, 1, AllPlanes, ZPixmap);
    if (!image)
        return 0xFFFFFFFF;
    const uint32_t value = static_cast<uint32_t>(XGetPixel(image, 0, 0)) & 0xFFFFFF;
    XDestroyImage(image);
    return value;
}

void ScreenProbe::Click(int x, int y)
{
    if (!input)
        input = std::make_unique<XClient>();
    input->MoveTo(x, y);
    input->Button(1, true);
    input->Button(1, false);
    XSync(**input, False);
}

bool ScreenProbe::WindowManagerSync()
{
    Display* d = D(display);
    const Window root = DefaultRootWindow(d);
    const Window w = XCreateSimpleWindow(d, root, 0, 0, 10, 10, 0, 0, 0);
    const Atom request = XInternAtom(d, "_NET_REQUEST_FRAME_EXTENTS", False);
    const Atom extents = XInternAtom(d, "_NET_FRAME_EXTENTS", False);
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.window = w;
    e.xclient.message_type = request;
    e.xclient.format = 32;
    XSendEvent(d, root, False, SubstructureRedirectMask | SubstructureNotifyMask, &e);
    XSync(d, False);
    const bool answered = WaitUntil([&] {
        Atom type = None;
        int format = 0;
        unsigned long count = 0, after = 0;
        unsigned char* data = nullptr;
        const bool set = XGetWindowProperty(d, w, extents, 0, 4, False, XA_CARDINAL, &type, &format, &count, &after,
                                            &data) == Success &&
                         type == XA_CARDINAL && count == 4;
        if (data)
            XFree(data);
        return set;
    });
    XDestroyWindow(d, w);
    XSync(d, False);
    return answered;
}

unsigned long ScreenProbe::TopLevelOf(const wxWindow* window)
{
    Display* d = D(display);
    Window xid = XidOf(window);
    Window root = 0, parent = 0, *children = nullptr;
    unsigned count = 0;
    while (xid && XQueryTree(d, xid, &root, &parent, &children, &count)) {
        if (children)
            XFree(children);
        if (parent == root)
            return xid;
        xid = parent;
    }
    return 0;
}

bool ScreenProbe::IsOnScreen(const wxWindow* window)
{
    XWindowAttributes attrs;
    const Window xid = XidOf(window);
    return xid && XGetWindowAttributes(D(display), xid, &attrs) && attrs.map_state == IsViewable;
}

std::vector<unsigned long> ScreenProbe::StackingOrder()
{
    Display* d = D(display);
    Window root = 0, parent = 0, *children = nullptr;
    unsigned count = 0;
    std::vector<unsigned long> order;
    if (XQueryTree(d, DefaultRootWindow(d), &root, &parent, &children, &count)) {
        order.assign(children, children + count);
        XFree(children);
    }
    return order;
}

unsigned long ScreenProbe::MapForeignWindow(int x, int y, int width, int height, bool desktop)
{
    Display* d = D(display);
    XSetWindowAttributes attrs{};
    attrs.event_mask = StructureNotifyMask;
    attrs.background_pixel = 0xFFFFFF;
    const Window w = XCreateWindow(d, DefaultRootWindow(d), x, y, static_cast<unsigned>(width),
                                   static_cast<unsigned>(height), 0, CopyFromParent, InputOutput, CopyFromParent,
                                   CWEventMask | CWBackPixel, &attrs);
    if (desktop) {
        const Atom type = XInternAtom(d, "_NET_WM_WINDOW_TYPE_DESKTOP", False);
        XChangeProperty(d, w, XInternAtom(d, "_NET_WM_WINDOW_TYPE", False), XA_ATOM, 32, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(&type), 1);
    }
    XMapWindow(d, w);
    XEvent ev;
    do
        XNextEvent(d, &ev);
    while (ev.type != MapNotify || ev.xmap.window != w);
    XSync(d, False);
    return w;
}

bool ScreenProbe::IsAboveWindow(const wxWindow* window, unsigned long other)
{
    Display* d = D(display);
    Window xid = other, root = 0, parent = 0, *children = nullptr;
    unsigned count = 0;
    while (xid && XQueryTree(d, xid, &root, &parent, &children, &count)) { // up to its frame
        if (children)
            XFree(children);
        if (parent == root)
            break;
        xid = parent;
    }
    const unsigned long mine = TopLevelOf(window);
    const std::vector<unsigned long> order = StackingOrder();
    const auto im = std::find(order.begin(), order.end(), mine), io = std::find(order.begin(), order.end(), xid);
    return mine && im != order.end() && io != order.end() && im > io;
}

bool ScreenProbe::IsAbove(const wxWindow* a, const wxWindow* b)
{
    const unsigned long ta = TopLevelOf(a), tb = TopLevelOf(b);
    const std::vector<unsigned long> order = StackingOrder(); // bottom first
    const auto ia = std::find(order.begin(), order.end(), ta), ib = std::find(order.begin(), order.end(), tb);
    return ta && tb && ia != order.end() && ib != order.end() && ia > ib;
}

bool ScreenProbe::HasFocus(const wxWindow* window)
{
    Display* d = D(display);
    Window focus = 0, root = 0, parent = 0, *children = nullptr;
    int revert = 0;
    unsigned count = 0;
    XGetInputFocus(d, &focus, &revert);
    const Window mine = XidOf(window);
    while (focus > PointerRoot && focus != mine && XQueryTree(d, focus, &root, &parent, &children, &count)) {
        if (children)
            XFree(children);
        focus = parent == root ? 0 : parent;
    }
    return mine && focus == mine;
}

bool ScreenProbe::Geometry(const wxWindow* window, int& x, int& y, int& width, int& height)
{
    Display* d = D(display);
    const Window xid = XidOf(window);
    Window root = 0, child = 0;
    int wx = 0, wy = 0;
    unsigned w = 0, h = 0, border = 0, depth = 0;
    if (!xid || !XGetGeometry(d, xid, &root, &wx, &wy, &w, &h, &border, &depth))
        return false;
    XTranslateCoordinates(d, xid, root, 0, 0, &x, &y, &child);
    width = static_cast<int>(w);
    height = static_cast<int>(h);
    return true;
}

bool NearRgb(uint32_t a, uint32_t b, int tolerance)
{
    for (int shift : {0, 8, 16})
        if (std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)) > tolerance)
            return false;
    return true;
}

} // namespace zyntest
