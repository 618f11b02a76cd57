// The one-instance token is a selection owned by a small unmapped window of
// ours: the server arbitrates it, frees it when the process dies, and a client
// message reaches the owner whether the launcher is mapped or not.
#include "zplat/Session.h"

#include "Backend.h"
#include "X11Common.h"

#include <X11/Xatom.h>
#include <X11/extensions/XInput2.h>
#include <X11/extensions/XTest.h>
#include <X11/extensions/shape.h>
#include <gdk/gdk.h>
#include <gdk/gdkx.h>
#include <gtk/gtk.h>
#include <glib-unix.h>
#include <signal.h>

#include <wx/app.h>

namespace zplat {
namespace {

const char kInstanceSelection[] = "_ZYN_UTILS_LAUNCHER";
// Owned by the same window once the start is complete: the instance token is
// claimed first, before anything is opened, so it cannot mean "ready".
const char kReadySelection[] = "_ZYN_UTILS_READY";
const char kShowMessage[] = "_ZYN_UTILS_SHOW";

class X11Session : public Session {
public:
    ~X11Session() override { ReleaseInstance(); }

    std::vector<std::string> MissingDisplayFeatures() override
    {
        Display* d = x11::GetDisplay();
        if (!d)
            return {"an X11 display"};
        std::vector<std::string> missing;
        int event, error, major = 0, minor = 0;
        if (!XTestQueryExtension(d, &event, &error, &major, &minor))
            missing.push_back("the XTEST extension");
        if (!HasXInput2(d))
            missing.push_back("the X Input 2 extension");
        if (!XShapeQueryExtension(d, &event, &error))
            missing.push_back("the SHAPE extension");
        return missing;
    }

    bool ClaimInstance() override
    {
        Display* d = x11::GetDisplay();
        if (!d)
            return true; // nothing to arbitrate without a display
        const Atom selection = XInternAtom(d, kInstanceSelection, False);
        const Window owner = XGetSelectionOwner(d, selection);
        if (owner != None) {
            SendShow(d, owner);
            return false;
        }
        window = XCreateSimpleWindow(d, DefaultRootWindow(d), -10, -10, 1, 1, 0, 0, 0);
        XStoreName(d, window, "Zyn Utils - Launcher");
        XSetSelectionOwner(d, selection, window, CurrentTime);
        if (XGetSelectionOwner(d, selection) != window) { // lost a race with another start
            XDestroyWindow(d, window);
            window = 0;
            if (const Window other = XGetSelectionOwner(d, selection))
                SendShow(d, other);
            return false;
        }
        gdk_window_add_filter(nullptr, &X11Session::Filter, this);
        filtering = true;
        return true;
    }

    void SetShowRequestHandler(std::function<void()> h) override { handler = std::move(h); }

    void AnnounceReady() override
    {
        Display* d = x11::GetDisplay();
        if (!d || !window)
            return;
        XSetSelectionOwner(d, XInternAtom(d, kReadySelection, False), window, CurrentTime);
        XFlush(d);
    }

    void SetTerminateHandler(std::function<void()> h) override
    {
        terminate = std::move(h);
        if (signalSources.empty()) {
            // GLib turns the signal into a main-loop callback: nothing runs in signal context.
            for (int sig : {SIGTERM, SIGINT, SIGHUP})
                signalSources.push_back(g_unix_signal_add(sig, &X11Session::OnSignal, this));
        }
    }

    void ReleaseInstance() override
    {
        for (guint source : signalSources)
            g_source_remove(source);
        signalSources.clear();
        if (filtering) {
            gdk_window_remove_filter(nullptr, &X11Session::Filter, this);
            filtering = false;
        }
        if (window) {
            if (Display* d = x11::GetDisplay()) {
                XDestroyWindow(d, window);
                XFlush(d);
            }
            window = 0;
        }
    }

private:
    static bool HasXInput2(Display* d)
    {
        int opcode, event, error;
        if (!XQueryExtension(d, "XInputExtension", &opcode, &event, &error))
            return false;
        // GDK has already announced its own XI2 version on this connection; asking
        // for another one is refused with BadValue, which still means XI2 is there.
        x11::ErrorTrap trap;
        int major = 2, minor = 2;
        const Status status = XIQueryVersion(d, &major, &minor);
        const int code = trap.Code();
        return (status == Success && major >= 2) || code == BadValue;
    }

    static void SendShow(Display* d, Window owner)
    {
        x11::ErrorTrap trap; // the owner may vanish between the lookup and the send
        XEvent ev{};
        ev.xclient.type = ClientMessage;
        ev.xclient.window = owner;
        ev.xclient.message_type = XInternAtom(d, kShowMessage, False);
        ev.xclient.format = 32;
        XSendEvent(d, owner, False, NoEventMask, &ev);
        XSync(d, False);
    }

    static GdkFilterReturn Filter(GdkXEvent* xevent, GdkEvent*, gpointer data)
    {
        auto* self = static_cast<X11Session*>(data);
        const XEvent* ev = static_cast<const XEvent*>(xevent);
        if (ev->type != ClientMessage || ev->xclient.window != self->window)
            return GDK_FILTER_CONTINUE;
        Display* d = x11::GetDisplay();
        if (d && ev->xclient.message_type == XInternAtom(d, kShowMessage, True) && self->handler)
            Deliver(self->handler);
        return GDK_FILTER_REMOVE;
    }

    static gboolean OnSignal(gpointer data)
    {
        auto* self = static_cast<X11Session*>(data);
        if (self->terminate)
            Deliver(self->terminate);
        return G_SOURCE_CONTINUE;
    }

    // Runs handler as a toolkit event: called straight from a GLib source, what it does
    // would wait for unrelated events (a window it destroys would stay until the next one).
    static void Deliver(const std::function<void()>& handler)
    {
        if (wxTheApp)
            wxTheApp->CallAfter(handler);
        else
            handler();
    }

    Window window = 0;
    bool filtering = false;
    std::function<void()> handler;
    std::function<void()> terminate;
    std::vector<guint> signalSources;
};

using Slot = Backend<Session, X11Session>;

} // namespace

void CloseToolkitDialogs()
{
    GList* windows = gtk_window_list_toplevels();
    for (GList* item = windows; item; item = item->next)
        if (GTK_IS_DIALOG(item->data) && gtk_widget_get_visible(GTK_WIDGET(item->data)))
            gtk_dialog_response(GTK_DIALOG(item->data), GTK_RESPONSE_DELETE_EVENT);
    g_list_free(windows);
}

Session& GetSession() { return Slot::Get(); }
void SetSession(std::unique_ptr<Session> session) { Slot::Set(std::move(session)); }

} // namespace zplat
