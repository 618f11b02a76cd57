// The window service on X11. Themed windows are override-redirect toplevels
// with a depth-32 visual: a push moves/resizes the X window and puts the
// picture (MIT-SHM when the server offers it) in one flush, without waiting on
// the window manager. The constant opacity is _NET_WM_WINDOW_OPACITY, so a fade
// sends one property change instead of a picture. GTK still paints the window on
// exposes; its draw handler copies the same stored picture.
//
// Stacking: X11 keeps no owner relation between override-redirect windows, so
// the service restacks owned windows above their owner after every map and
// raise. Toolkit dialogs and frames of the program are managed windows, which
// the window manager keeps below override-redirect ones; while one is shown,
// the themed windows are stacked just below it, and go back on top when the
// last one hides. Desktop widgets are the exception: lowered once, their
// group stays at the bottom, just above the desktop's own window.
#include "zplat/Windows.h"

#include "Backend.h"
#include "X11Common.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>
#include <X11/extensions/shape.h>
#include <gdk/gdk.h>
#include <gdk/gdkx.h>
#include <gtk/gtk.h>
#include <gtk/gtkx.h>
#include <sys/ipc.h>
#include <sys/shm.h>

#include <algorithm>
#include <cstring>
#include <utility>

namespace zplat {
namespace {

// More rectangles than this in one shape request broke the X connection in
// measurements (about 57,000); past the cap the shape goes as a 1-bit mask.
constexpr size_t kMaxShapeRects = 4096;

// An XImage of capacity capWidth x capHeight, in shared memory when possible.
struct ImageBuffer {
    XImage* image = nullptr;
    XShmSegmentInfo shm{};
    bool usesShm = false;
    bool putPending = false;
    int capWidth = 0;
    int capHeight = 0;
};

struct Window32 {
    GtkWidget* widget = nullptr;
    Window xid = 0;
    WindowKind kind = WindowKind::Tool;
    GtkWidget* owner = nullptr;
    bool clipBounding = false; // no compositor: the bounding shape hides transparent pixels
    bool bottom = false;       // kept at the bottom of the stacking order

    // What the X window has been given.
    WindowRect applied;
    bool positionKnown = false;
    bool geometryPending = false; // applied, not sent yet (the window is unmapped)
    bool pendingMove = false;
    uint8_t alpha = 255;

    // The stored picture: the content is the top-left contentWidth x
    // contentHeight of buffers[current]. Two buffers, so that a push does not
    // wait for the server to finish reading the one before.
    ImageBuffer buffers[2];
    int current = 0;
    int contentWidth = 0;
    int contentHeight = 0;
    bool contentOnScreen = false; // put while mapped, and not unmapped since
    // The content is one colour, which the server holds as the background:
    // no buffer, and a window mapped again is filled without a put.
    bool solid = false;
    uint32_t colour = 0;
    GC gc = nullptr;
    bool readied = false;
    gulong readyHandler = 0; // waits for the map event of the unseen first show
    std::vector<gulong> blockedForReady; // the toolkit's handlers of that event

    std::vector<XRectangle> shape; // alpha > 0 of the content, when it fits the cap
    bool shapeAsMask = false;
    std::vector<uint8_t> maskBits;
    std::vector<XRectangle> appliedShape; // what the server has, to skip repeating it
    bool appliedEmpty = false;
    bool shapeApplied = false;

    XImage* Image() const { return buffers[current].image; }
};

class X11WindowService : public WindowService {
public:
    ~X11WindowService() override
    {
        while (!windows.empty())
            Forget(windows.back()->widget);
        if (filtering)
            gdk_window_remove_filter(nullptr, &X11WindowService::Filter, this);
        if (mapHook)
            g_signal_remove_emission_hook(g_signal_lookup("map-event", GTK_TYPE_WIDGET), mapHook);
        if (unmapHook)
            g_signal_remove_emission_hook(g_signal_lookup("unmap-event", GTK_TYPE_WIDGET), unmapHook);
    }

    bool Prepare(void* handle, WindowKind kind) override
    {
        if (!handle || !GTK_IS_WINDOW(handle) || Find(handle))
            return false;
        InstallHooks();
        auto w = std::make_unique<Window32>();
        w->widget = GTK_WIDGET(handle);
        w->kind = kind;
        GdkScreen* screen = gtk_widget_get_screen(w->widget);
        if (!gtk_widget_get_realized(w->widget)) {
            if (GdkVisual* rgba = gdk_screen_get_rgba_visual(screen))
                gtk_widget_set_visual(w->widget, rgba);
        }
        gtk_widget_set_app_paintable(w->widget, TRUE);
        // GTK sizes a toplevel that is not resizable from its monitor's work
        // area on every show: two monitor lookups, four round trips each, that
        // wait behind the compositor's paint. No window manager sees these
        // windows and the program alone sizes them, so they are resizable for
        // GTK, without the toolkit's creation size as their smallest size.
        gtk_window_set_resizable(GTK_WINDOW(w->widget), TRUE);
        gtk_widget_set_size_request(w->widget, -1, -1);
        w->clipBounding = !gdk_screen_is_composited(screen);
        ApplyKindHints(*w);
        g_signal_connect_after(w->widget, "realize", G_CALLBACK(&X11WindowService::OnRealize), w.get());
        g_signal_connect_after(w->widget, "draw", G_CALLBACK(&X11WindowService::OnDraw), w.get());
        g_signal_connect_after(w->widget, "unmap", G_CALLBACK(&X11WindowService::OnUnmap), w.get());
        g_signal_connect_after(w->widget, "map", G_CALLBACK(&X11WindowService::OnMap), this);
        windows.push_back(std::move(w));
        if (gtk_widget_get_realized(windows.back()->widget))
            OnRealize(windows.back()->widget, windows.back().get());
        return true;
    }

    void SetKind(void* handle, WindowKind kind) override
    {
        if (Window32* w = Find(handle)) {
            w->kind = kind;
            ApplyKindHints(*w);
        }
    }

    void Forget(void* handle) override
    {
        auto it = std::find_if(windows.begin(), windows.end(), [handle](const auto& w) { return w->widget == handle; });
        if (it == windows.end())
            return;
        Window32& w = **it;
        g_signal_handlers_disconnect_by_data(w.widget, &w);
        g_signal_handlers_disconnect_by_func(w.widget, reinterpret_cast<gpointer>(&X11WindowService::OnMap), this);
        for (ImageBuffer& b : w.buffers)
            ReleaseImage(b);
        if (w.gc)
            XFreeGC(x11::GetDisplay(), w.gc);
        for (auto& other : windows)
            if (other->owner == w.widget)
                other->owner = nullptr;
        windows.erase(it);
    }

    bool Push(void* handle, const WindowPush& push) override
    {
        Window32* w = Find(handle);
        const int width = push.rect.width, height = push.rect.height;
        if (!w || width <= 0 || height <= 0)
            return false;
        if (!push.solid && push.picture && (!push.picture->pixels || push.picture->width < width || push.picture->height < height))
            return false;
        if (!gtk_widget_get_realized(w->widget))
            gtk_widget_realize(w->widget);
        Display* d = x11::GetDisplay();
        if (!d || !w->xid)
            return false;

        // A tick that only moves a window or fades it hands over the picture it
        // has already: no copy and no shape for that, and no put once it is on
        // screen. An unmapped window drops what is put, so its picture is put
        // when it maps.
        const bool newSolid = push.solid && !(w->solid && w->colour == push.colour && w->contentWidth == width &&
                                              w->contentHeight == height);
        const bool newPicture = !push.solid && push.picture && !Holds(*w, *push.picture, width, height);
        bool reshape = false;
        if (newSolid) {
            TakeSolid(d, *w, push.colour, width, height);
            reshape = true;
        } else if (newPicture) {
            if (!Store(*w, *push.picture, width, height))
                return false;
            BuildShape(*w);
            reshape = true;
            w->contentOnScreen = false;
        }
        if (push.alpha != w->alpha) {
            reshape = reshape || (push.alpha == 0) != (w->alpha == 0);
            w->alpha = push.alpha;
            SetOpacity(d, *w);
        }
        WindowRect rect = push.rect;
        if (!push.move) {
            rect.x = w->applied.x;
            rect.y = w->applied.y;
        }
        Configure(d, *w, rect, push.move);
        if (reshape)
            ApplyShape(d, *w);
        if ((push.picture || push.solid) && !w->contentOnScreen && gtk_widget_get_mapped(w->widget))
            ShowContent(d, *w);
        XFlush(d);
        return true;
    }

    void SetGeometry(void* handle, const WindowRect& rect) override
    {
        Window32* w = Find(handle);
        Display* d = x11::GetDisplay();
        if (!w || !d || !w->xid || rect.width <= 0 || rect.height <= 0)
            return;
        if (Configure(d, *w, rect, true))
            XFlush(d);
    }

    void Ready(void* handle) override
    {
        Window32* w = Find(handle);
        if (!w || !w->xid || w->readied || w->alpha != 0 || gtk_widget_get_visible(w->widget))
            return;
        w->readied = true;
        // The show and hide are GTK's alone: the toolkit above would take the
        // map event, which comes after the hide, for a show of its own, so its
        // handlers of that event wait until it has come. At alpha 0 the window
        // takes no input and shows nothing, with or without a compositor.
        const guint mapEvent = g_signal_lookup("map-event", GTK_TYPE_WIDGET);
        const auto unblocked = static_cast<GSignalMatchType>(G_SIGNAL_MATCH_ID | G_SIGNAL_MATCH_UNBLOCKED);
        while (const gulong id = g_signal_handler_find(w->widget, unblocked, mapEvent, 0, nullptr, nullptr, nullptr)) {
            g_signal_handler_block(w->widget, id);
            w->blockedForReady.push_back(id);
        }
        w->readyHandler = g_signal_connect(w->widget, "map-event", G_CALLBACK(&X11WindowService::OnReadyMapped), w);
        gtk_widget_show(w->widget);
        gtk_widget_hide(w->widget);
    }

    bool SetOwner(void* handle, void* owner) override
    {
        Window32* w = Find(handle);
        if (!w || owner == handle)
            return false;
        // An owner chain that led back to this window would restack forever.
        for (Window32* o = Find(owner); o; o = Find(o->owner))
            if (o == w)
                return false;
        w->owner = owner ? GTK_WIDGET(owner) : nullptr;
        // Only the owned window moves: raising the owner would put it over the
        // windows shown since (a backdrop over its own menus).
        if (Find(owner) && gtk_widget_get_mapped(w->widget))
            Restack(*w);
        return true;
    }

    void Raise(void* handle) override
    {
        if (Window32* w = Find(handle); w && gtk_widget_get_mapped(w->widget))
            Restack(*w);
    }

    void Lower(void* handle) override
    {
        Window32* w = Find(handle);
        if (!w)
            return;
        w->bottom = true;
        Window32& root = GroupRoot(*w);
        if (root.xid && gtk_widget_get_mapped(root.widget))
            Restack(root);
    }

    bool IsComposited() override
    {
        GdkScreen* screen = gdk_screen_get_default();
        return screen && gdk_screen_is_composited(screen);
    }

private:
    Window32* Find(const void* handle)
    {
        if (!handle)
            return nullptr;
        for (auto& w : windows)
            if (w->widget == handle)
                return w.get();
        return nullptr;
    }

    Window32* FindXid(Window xid)
    {
        for (auto& w : windows)
            if (w->xid == xid)
                return w.get();
        return nullptr;
    }

    static void ApplyKindHints(Window32& w)
    {
        GtkWindow* window = GTK_WINDOW(w.widget);
        gtk_window_set_skip_taskbar_hint(window, w.kind != WindowKind::App);
        gtk_window_set_skip_pager_hint(window, w.kind != WindowKind::App);
        gtk_window_set_accept_focus(window, w.kind != WindowKind::NoActivate);
        gtk_window_set_focus_on_map(window, w.kind == WindowKind::App);
    }

    void InstallHooks()
    {
        if (!filtering) {
            gdk_window_add_filter(nullptr, &X11WindowService::Filter, this);
            filtering = true;
        }
        if (!mapHook) {
            mapHook = g_signal_add_emission_hook(g_signal_lookup("map-event", GTK_TYPE_WIDGET), 0,
                                                 &X11WindowService::OnAnyMap, this, nullptr);
            unmapHook = g_signal_add_emission_hook(g_signal_lookup("unmap-event", GTK_TYPE_WIDGET), 0,
                                                   &X11WindowService::OnAnyUnmap, this, nullptr);
        }
    }

    // ---- realize, draw, map ----

    static void OnRealize(GtkWidget* widget, gpointer data)
    {
        auto* w = static_cast<Window32*>(data);
        GdkWindow* gdkWindow = gtk_widget_get_window(widget);
        Display* d = x11::GetDisplay();
        if (!gdkWindow || !d)
            return;
        gdk_window_set_override_redirect(gdkWindow, TRUE);
        w->xid = x11::GetWindow(widget);
        if (!w->xid)
            return;
        // Nothing pushed yet: no input, and without a compositor nothing visible.
        XShapeCombineRectangles(d, w->xid, ShapeInput, 0, 0, nullptr, 0, ShapeSet, Unsorted);
        if (w->clipBounding)
            XShapeCombineRectangles(d, w->xid, ShapeBounding, 0, 0, nullptr, 0, ShapeSet, Unsorted);
        if (w->alpha != 255)
            SetOpacity(d, *w);
    }

    static gboolean OnDraw(GtkWidget*, cairo_t* cr, gpointer data)
    {
        const auto* w = static_cast<Window32*>(data);
        cairo_save(cr);
        cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
        cairo_surface_t* surface = nullptr;
        if (w->solid) {
            // cairo takes the colour unpremultiplied.
            const double a = (w->colour >> 24) / 255.0;
            const auto channel = [&](int shift) { return a > 0 ? ((w->colour >> shift) & 0xFF) / 255.0 / a : 0.0; };
            cairo_set_source_rgba(cr, channel(16), channel(8), channel(0), a);
        } else if (const XImage* image = w->Image(); image && w->contentWidth > 0) {
            surface = cairo_image_surface_create_for_data(reinterpret_cast<unsigned char*>(image->data),
                                                          CAIRO_FORMAT_ARGB32, w->contentWidth, w->contentHeight,
                                                          image->bytes_per_line);
            cairo_set_source_surface(cr, surface, 0, 0);
        } else {
            cairo_set_source_rgba(cr, 0, 0, 0, 0);
        }
        cairo_paint(cr);
        cairo_restore(cr);
        if (surface)
            cairo_surface_destroy(surface);
        return FALSE;
    }

    // The map event of Ready's show: the handlers before this one did not see it.
    static gboolean OnReadyMapped(GtkWidget* widget, GdkEvent*, gpointer data)
    {
        auto* w = static_cast<Window32*>(data);
        g_signal_handler_disconnect(widget, std::exchange(w->readyHandler, 0));
        for (gulong id : std::exchange(w->blockedForReady, {}))
            g_signal_handler_unblock(widget, id);
        return FALSE;
    }

    // The server drops the content of an unmapped window.
    static void OnUnmap(GtkWidget*, gpointer data) { static_cast<Window32*>(data)->contentOnScreen = false; }

    static void OnMap(GtkWidget* widget, gpointer data)
    {
        auto* self = static_cast<X11WindowService*>(data);
        Window32* w = self->Find(widget);
        Display* d = x11::GetDisplay();
        if (!w || !d || !w->xid)
            return;
        if (w->geometryPending) {
            w->geometryPending = false;
            SendGeometry(d, *w, std::exchange(w->pendingMove, false));
        }
        // GDK sets its own (full) input shape when it shows a toplevel.
        w->shapeApplied = false;
        self->ApplyShape(d, *w);
        if (!w->contentOnScreen)
            ShowContent(d, *w);
        self->Restack(*w);
    }

    // ---- geometry and content ----

    // Gives the window the geometry when it differs from what it has; true when it changed.
    static bool Configure(Display* d, Window32& w, const WindowRect& rect, bool move)
    {
        const bool sameSize = rect.width == w.applied.width && rect.height == w.applied.height;
        const bool samePlace = w.positionKnown && rect.x == w.applied.x && rect.y == w.applied.y;
        if (move && !(sameSize && samePlace)) {
            w.applied = rect;
            w.positionKnown = true;
            SendGeometry(d, w, true);
            return true;
        }
        if (!move && !sameSize) {
            w.applied.width = rect.width;
            w.applied.height = rect.height;
            SendGeometry(d, w, false);
            return true;
        }
        return false;
    }

    // Sends the applied geometry; an unmapped window keeps it until it maps:
    // its ConfigureNotify would make wx ask GTK for the window's position (four
    // round trips) on every tick that moves a hidden item.
    static void SendGeometry(Display* d, Window32& w, bool move)
    {
        if (!gtk_widget_get_mapped(w.widget)) {
            w.geometryPending = true;
            w.pendingMove = w.pendingMove || move;
            return;
        }
        const WindowRect& r = w.applied;
        if (move)
            XMoveResizeWindow(d, w.xid, r.x, r.y, static_cast<unsigned>(r.width), static_cast<unsigned>(r.height));
        else
            XResizeWindow(d, w.xid, static_cast<unsigned>(r.width), static_cast<unsigned>(r.height));
    }

    static void SetOpacity(Display* d, const Window32& w)
    {
        const Atom opacity = XInternAtom(d, "_NET_WM_WINDOW_OPACITY", False);
        if (w.alpha == 255) {
            XDeleteProperty(d, w.xid, opacity);
            return;
        }
        const unsigned long value = static_cast<unsigned long>(w.alpha) * 0x01010101ul;
        XChangeProperty(d, w.xid, opacity, XA_CARDINAL, 32, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(&value), 1);
    }

    static void ReleaseImage(ImageBuffer& b)
    {
        Display* d = x11::GetDisplay();
        if (!b.image)
            return;
        if (b.usesShm) {
            if (d) {
                XShmDetach(d, &b.shm);
                XSync(d, False);
            }
            shmdt(b.shm.shmaddr);
            b.image->data = nullptr;
        }
        XDestroyImage(b.image); // frees the data of a non-shared image
        b = ImageBuffer{};
    }

    // Makes room for width x height; a buffer only ever grows.
    static bool Reserve(Display* d, Window32& w, ImageBuffer& b, int width, int height)
    {
        if (b.image && width <= b.capWidth && height <= b.capHeight)
            return true;
        const int capWidth = std::max(width, b.capWidth), capHeight = std::max(height, b.capHeight);
        ReleaseImage(b);
        // The visual GDK made the window with: no question to the server.
        GdkWindow* gdkWindow = gtk_widget_get_window(w.widget);
        GdkVisual* gdkVisual = gdkWindow ? gdk_window_get_visual(gdkWindow) : nullptr;
        if (!gdkVisual)
            return false;
        Visual* visual = gdk_x11_visual_get_xvisual(gdkVisual);
        const unsigned depth = static_cast<unsigned>(gdk_visual_get_depth(gdkVisual));
        if (!w.gc)
            w.gc = XCreateGC(d, w.xid, 0, nullptr);
        if (XShmQueryExtension(d)) {
            XImage* image = XShmCreateImage(d, visual, depth, ZPixmap, nullptr, &b.shm,
                                            static_cast<unsigned>(capWidth), static_cast<unsigned>(capHeight));
            if (image) {
                b.shm.shmid = shmget(IPC_PRIVATE, static_cast<size_t>(image->bytes_per_line) * capHeight, IPC_CREAT | 0600);
                void* addr = b.shm.shmid >= 0 ? shmat(b.shm.shmid, nullptr, 0) : reinterpret_cast<void*>(-1);
                bool attached = false;
                if (addr != reinterpret_cast<void*>(-1)) {
                    b.shm.shmaddr = image->data = static_cast<char*>(addr);
                    b.shm.readOnly = True;
                    x11::ErrorTrap trap; // a remote server refuses the attach
                    attached = XShmAttach(d, &b.shm) && trap.Code() == 0;
                }
                if (b.shm.shmid >= 0)
                    shmctl(b.shm.shmid, IPC_RMID, nullptr); // freed when both sides detach
                if (attached) {
                    b.image = image;
                    b.usesShm = true;
                } else {
                    if (addr != reinterpret_cast<void*>(-1))
                        shmdt(addr);
                    image->data = nullptr;
                    XDestroyImage(image);
                }
            }
        }
        if (!b.image) {
            char* data = static_cast<char*>(malloc(static_cast<size_t>(capWidth) * capHeight * 4));
            b.image = data ? XCreateImage(d, visual, depth, ZPixmap, 0, data, static_cast<unsigned>(capWidth),
                                          static_cast<unsigned>(capHeight), 32, 0)
                           : nullptr;
            if (!b.image) {
                free(data);
                return false;
            }
        }
        b.capWidth = capWidth;
        b.capHeight = capHeight;
        return true;
    }

    // Copies the picture into the buffer the server is not reading.
    static bool Store(Window32& w, const PixelView& picture, int width, int height)
    {
        Display* d = x11::GetDisplay();
        const int next = w.buffers[1 - w.current].image || w.buffers[w.current].putPending ? 1 - w.current : w.current;
        ImageBuffer& b = w.buffers[next];
        // The server may still be reading it: its completion event says when
        // it is done; a round trip only when that has not come in yet.
        if (b.putPending && !TakeCompletion(d, b))
            XSync(d, False);
        b.putPending = false;
        if (!Reserve(d, w, b, width, height))
            return false;
        for (int y = 0; y < height; ++y)
            memcpy(b.image->data + static_cast<size_t>(y) * b.image->bytes_per_line,
                   picture.pixels + static_cast<size_t>(y) * picture.stride, static_cast<size_t>(width) * 4);
        w.current = next;
        w.contentWidth = width;
        w.contentHeight = height;
        if (w.solid) {
            w.solid = false;
            XSetWindowBackgroundPixmap(d, w.xid, None); // the picture is put on map
        }
        return true;
    }

    // Makes the content one colour: the window's background, which the server
    // paints on every map and clear. The buffers are not needed any more.
    static void TakeSolid(Display* d, Window32& w, uint32_t colour, int width, int height)
    {
        for (ImageBuffer& b : w.buffers)
            ReleaseImage(b);
        w.current = 0;
        w.solid = true;
        w.colour = colour;
        w.contentWidth = width;
        w.contentHeight = height;
        w.contentOnScreen = false;
        w.shapeAsMask = false;
        w.shape.clear();
        if (colour >> 24)
            w.shape.push_back({0, 0, static_cast<unsigned short>(width), static_cast<unsigned short>(height)});
        XSetWindowBackground(d, w.xid, colour);
    }

    // Puts the stored content on screen: a clear that the server fills with a
    // solid colour (set again, as GDK resets the background when it maps an
    // override-redirect window), or a put of the picture.
    static void ShowContent(Display* d, Window32& w)
    {
        if (w.solid) {
            XSetWindowBackground(d, w.xid, w.colour);
            XClearWindow(d, w.xid);
            w.contentOnScreen = true;
        } else if (w.Image() && w.contentWidth > 0) {
            PutContent(d, w);
        }
    }

    // Whether the stored content is width x height of picture already.
    static bool Holds(const Window32& w, const PixelView& picture, int width, int height)
    {
        const XImage* image = w.Image();
        if (!image || w.contentWidth != width || w.contentHeight != height)
            return false;
        const size_t rowBytes = static_cast<size_t>(width) * 4;
        for (int y = 0; y < height; ++y)
            if (memcmp(image->data + static_cast<size_t>(y) * image->bytes_per_line,
                       picture.pixels + static_cast<size_t>(y) * picture.stride, rowBytes) != 0)
                return false;
        return true;
    }

    static int CompletionType(Display* d) { return XShmGetEventBase(d) + ShmCompletion; }

    // Takes the completion event of b's last put from the queue, without waiting.
    static bool TakeCompletion(Display* d, const ImageBuffer& b)
    {
        struct Match {
            int type;
            ShmSeg seg;
        } match{CompletionType(d), b.shm.shmseg};
        XEvent ev;
        return XCheckIfEvent(
            d, &ev,
            [](Display*, XEvent* e, XPointer arg) -> Bool {
                const auto* m = reinterpret_cast<const Match*>(arg);
                return e->type == m->type && reinterpret_cast<const XShmCompletionEvent*>(e)->shmseg == m->seg;
            },
            reinterpret_cast<XPointer>(&match));
    }

    // A put's completion event that the toolkit's reading took from the queue.
    void OnCompletion(const XShmCompletionEvent& ev)
    {
        for (auto& w : windows)
            for (ImageBuffer& b : w->buffers)
                if (b.usesShm && b.shm.shmseg == ev.shmseg)
                    b.putPending = false;
    }

    static void PutContent(Display* d, Window32& w)
    {
        w.contentOnScreen = true;
        const unsigned width = static_cast<unsigned>(w.contentWidth), height = static_cast<unsigned>(w.contentHeight);
        ImageBuffer& b = w.buffers[w.current];
        if (b.usesShm) {
            XShmPutImage(d, w.xid, w.gc, b.image, 0, 0, 0, 0, width, height, True);
            b.putPending = true;
        } else {
            XPutImage(d, w.xid, w.gc, b.image, 0, 0, 0, 0, width, height);
        }
    }

    // ---- shape: alpha > 0 of the content ----

    const uint32_t* ContentRow(const Window32& w, int y) const
    {
        const XImage* image = w.Image();
        return reinterpret_cast<const uint32_t*>(image->data + static_cast<size_t>(y) * image->bytes_per_line);
    }

    // Row runs of visible pixels; a row whose runs equal the row above extends those rectangles.
    void BuildShape(Window32& w)
    {
        w.shape.clear();
        w.shapeAsMask = false;
        size_t rowStart = 0; // first rectangle of the previous row
        const size_t rowBytes = static_cast<size_t>(w.contentWidth) * 4;
        for (int y = 0; y < w.contentHeight; ++y) {
            const uint32_t* row = ContentRow(w, y);
            const size_t thisStart = w.shape.size();
            // A row equal to the one above (the common case) needs no scan.
            if (y > 0 && memcmp(row, ContentRow(w, y - 1), rowBytes) == 0) {
                if (thisStart > rowStart && w.shape[rowStart].y + w.shape[rowStart].height == y)
                    for (size_t i = rowStart; i < thisStart; ++i)
                        ++w.shape[i].height;
                continue;
            }
            for (int x = 0; x < w.contentWidth;) {
                while (x < w.contentWidth && (row[x] >> 24) == 0)
                    ++x;
                if (x == w.contentWidth)
                    break;
                const int start = x;
                while (x < w.contentWidth && (row[x] >> 24) != 0)
                    ++x;
                w.shape.push_back({static_cast<short>(start), static_cast<short>(y), static_cast<unsigned short>(x - start), 1});
            }
            const size_t prevCount = thisStart - rowStart, count = w.shape.size() - thisStart;
            bool same = y > 0 && count == prevCount && count > 0 && w.shape[rowStart].y + w.shape[rowStart].height == y;
            for (size_t i = 0; same && i < count; ++i)
                same = w.shape[rowStart + i].x == w.shape[thisStart + i].x && w.shape[rowStart + i].width == w.shape[thisStart + i].width;
            if (same) {
                for (size_t i = 0; i < count; ++i)
                    ++w.shape[rowStart + i].height;
                w.shape.resize(thisStart);
            } else if (count > 0) {
                rowStart = thisStart;
            }
            if (w.shape.size() > kMaxShapeRects) {
                w.shape.clear();
                w.shapeAsMask = true;
                return;
            }
        }
    }

    void ApplyShape(Display* d, Window32& w)
    {
        const bool empty = w.alpha == 0 || (!w.shapeAsMask && w.shape.empty());
        if (w.shapeApplied && !w.shapeAsMask && empty == w.appliedEmpty && (empty || ShapeUnchanged(w)))
            return;
        w.shapeApplied = true;
        w.appliedEmpty = empty;
        w.appliedShape = w.shape;
        if (empty) {
            XShapeCombineRectangles(d, w.xid, ShapeInput, 0, 0, nullptr, 0, ShapeSet, Unsorted);
            if (w.clipBounding)
                XShapeCombineRectangles(d, w.xid, ShapeBounding, 0, 0, nullptr, 0, ShapeSet, Unsorted);
            return;
        }
        if (!w.shapeAsMask) {
            for (int kind : {ShapeInput, ShapeBounding}) {
                if (kind == ShapeBounding && !w.clipBounding)
                    continue;
                XShapeCombineRectangles(d, w.xid, kind, 0, 0, w.shape.data(), static_cast<int>(w.shape.size()), ShapeSet, YXBanded);
            }
            return;
        }
        const int bytesPerRow = (w.contentWidth + 7) / 8;
        w.maskBits.assign(static_cast<size_t>(bytesPerRow) * w.contentHeight, 0);
        for (int y = 0; y < w.contentHeight; ++y) {
            const uint32_t* row = ContentRow(w, y);
            uint8_t* bits = w.maskBits.data() + static_cast<size_t>(y) * bytesPerRow;
            for (int x = 0; x < w.contentWidth; ++x)
                if (row[x] >> 24)
                    bits[x / 8] |= static_cast<uint8_t>(1u << (x % 8));
        }
        const Pixmap mask = XCreateBitmapFromData(d, w.xid, reinterpret_cast<const char*>(w.maskBits.data()),
                                                  static_cast<unsigned>(w.contentWidth), static_cast<unsigned>(w.contentHeight));
        XShapeCombineMask(d, w.xid, ShapeInput, 0, 0, mask, ShapeSet);
        if (w.clipBounding)
            XShapeCombineMask(d, w.xid, ShapeBounding, 0, 0, mask, ShapeSet);
        XFreePixmap(d, mask);
    }

    static bool ShapeUnchanged(const Window32& w)
    {
        if (w.shape.size() != w.appliedShape.size())
            return false;
        for (size_t i = 0; i < w.shape.size(); ++i) {
            const XRectangle &a = w.shape[i], &b = w.appliedShape[i];
            if (a.x != b.x || a.y != b.y || a.width != b.width || a.height != b.height)
                return false;
        }
        return true;
    }

    // ---- stacking ----

    // The first window of w's owner chain.
    Window32& GroupRoot(Window32& w)
    {
        Window32* root = &w;
        while (Window32* o = Find(root->owner))
            root = o;
        return *root;
    }

    // Whether w or one of its owners was lowered.
    bool AtBottom(const Window32& w)
    {
        for (const Window32* o = &w; o; o = Find(o->owner))
            if (o->bottom)
                return true;
        return false;
    }

    // Puts w and the mapped windows it owns (each above its owner) on top, or
    // just below the lowest shown dialog of the program; a modal window always on
    // top; a lowered group goes back to the bottom as a whole.
    void Restack(Window32& w)
    {
        Display* d = x11::GetDisplay();
        if (!d || !w.xid)
            return;
        group.clear();
        if (AtBottom(w)) {
            Window32& root = GroupRoot(w);
            if (!root.xid)
                return;
            Collect(root);
            StackGroupAbove(d, DesktopFloor(d));
            XFlush(d);
            return;
        }
        Collect(w);
        const Window dialog = w.kind == WindowKind::Modal ? 0 : LowestDialogFrame(d);
        if (dialog) {
            // A modal window owned by this one stays above the dialogs, over its owner.
            std::vector<Window> modal;
            group.erase(std::remove_if(group.begin(), group.end(),
                                       [&](Window xid) {
                                           const Window32* o = FindXid(xid);
                                           if (!o || o->kind != WindowKind::Modal)
                                               return false;
                                           modal.push_back(xid);
                                           return true;
                                       }),
                        group.end());
            StackGroupBelow(d, dialog);
            for (Window xid : modal)
                XRaiseWindow(d, xid);
        } else {
            for (Window xid : group)
                XRaiseWindow(d, xid);
        }
        XFlush(d);
    }

    // Stacks `group` (bottom first) directly below sibling, keeping its order.
    void StackGroupBelow(Display* d, Window sibling)
    {
        stackList.assign(1, sibling);
        for (auto it = group.rbegin(); it != group.rend(); ++it)
            stackList.push_back(*it);
        XRestackWindows(d, stackList.data(), static_cast<int>(stackList.size()));
    }

    // Stacks `group` (bottom first) directly above sibling, or at the very
    // bottom when sibling is 0.
    void StackGroupAbove(Display* d, Window sibling)
    {
        x11::ErrorTrap trap; // the sibling may be gone already
        for (Window xid : group) {
            if (sibling) {
                XWindowChanges changes{};
                changes.sibling = sibling;
                changes.stack_mode = Above;
                XConfigureWindow(d, xid, CWSibling | CWStackMode, &changes);
            } else {
                XLowerWindow(d, xid);
            }
            sibling = xid;
        }
    }

    // The top-most window manager frame of a desktop window (the one that
    // draws the wallpaper and the icons), 0 when there is none.
    static Window DesktopFloor(Display* d)
    {
        const Window rootWindow = DefaultRootWindow(d);
        const Atom clientList = XInternAtom(d, "_NET_CLIENT_LIST", False);
        const Atom typeAtom = XInternAtom(d, "_NET_WM_WINDOW_TYPE", False);
        const Atom desktopType = XInternAtom(d, "_NET_WM_WINDOW_TYPE_DESKTOP", False);
        std::vector<Window> desktops;
        x11::ErrorTrap trap; // clients may go away while they are asked
        for (Window client : WindowList(d, rootWindow, clientList, XA_WINDOW)) {
            Atom actual = 0;
            int format = 0;
            unsigned long count = 0, after = 0;
            unsigned char* data = nullptr;
            if (XGetWindowProperty(d, client, typeAtom, 0, 16, False, XA_ATOM, &actual, &format, &count, &after, &data) == Success && data) {
                const Atom* types = reinterpret_cast<const Atom*>(data);
                if (format == 32 && std::find(types, types + count, desktopType) != types + count)
                    if (const Window frame = TopLevelOf(d, client))
                        desktops.push_back(frame);
                XFree(data);
            }
        }
        if (desktops.empty())
            return 0;
        Window root = 0, parent = 0, *children = nullptr;
        unsigned count = 0;
        Window floor = 0;
        if (XQueryTree(d, rootWindow, &root, &parent, &children, &count)) {
            for (unsigned i = count; i > 0 && !floor; --i)
                if (std::find(desktops.begin(), desktops.end(), children[i - 1]) != desktops.end())
                    floor = children[i - 1];
            if (children)
                XFree(children);
        }
        return floor;
    }

    // A window-list property (format 32) of window.
    static std::vector<Window> WindowList(Display* d, Window window, Atom property, Atom type)
    {
        std::vector<Window> list;
        Atom actual = 0;
        int format = 0;
        unsigned long count = 0, after = 0;
        unsigned char* data = nullptr;
        if (XGetWindowProperty(d, window, property, 0, 4096, False, type, &actual, &format, &count, &after, &data) == Success && data) {
            if (format == 32) {
                const Window* items = reinterpret_cast<const Window*>(data);
                list.assign(items, items + count);
            }
            XFree(data);
        }
        return list;
    }

    void Collect(Window32& w)
    {
        if (std::find(group.begin(), group.end(), w.xid) != group.end())
            return;
        group.push_back(w.xid);
        for (auto& other : windows)
            if (other->owner == w.widget && other->xid && gtk_widget_get_mapped(other->widget))
                Collect(*other);
    }

    static Window TopLevelOf(Display* d, Window xid)
    {
        x11::ErrorTrap trap; // the window may be gone already
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

    // The bottom-most window manager frame of the program's shown dialogs.
    Window LowestDialogFrame(Display* d)
    {
        if (dialogs.empty())
            return 0;
        Window root = 0, parent = 0, *children = nullptr;
        unsigned count = 0;
        if (!XQueryTree(d, DefaultRootWindow(d), &root, &parent, &children, &count))
            return 0;
        frames.clear();
        for (Window dialog : dialogs)
            if (Window frame = TopLevelOf(d, dialog))
                frames.push_back(frame);
        Window lowest = 0;
        for (unsigned i = 0; i < count && !lowest; ++i)
            if (std::find(frames.begin(), frames.end(), children[i]) != frames.end())
                lowest = children[i];
        if (children)
            XFree(children);
        return lowest;
    }

    // Themed windows in their present stacking order, bottom first; modal
    // ones only when asked (they stay above a dialog that comes later);
    // lowered groups stay where they are.
    void ThemedInStackingOrder(Display* d, bool withModal)
    {
        group.clear();
        Window root = 0, parent = 0, *children = nullptr;
        unsigned count = 0;
        if (!XQueryTree(d, DefaultRootWindow(d), &root, &parent, &children, &count))
            return;
        for (unsigned i = 0; i < count; ++i)
            if (Window32* w = FindXid(children[i]);
                w && gtk_widget_get_mapped(w->widget) && !AtBottom(*w) && (withModal || w->kind != WindowKind::Modal))
                group.push_back(children[i]);
        if (children)
            XFree(children);
    }

    // A toolkit toplevel of the program; not the tray icon's plug, which lives
    // inside the tray host's window (another program's, below the themed ones).
    static bool IsDialogCandidate(GtkWidget* widget)
    {
        return GTK_IS_WINDOW(widget) && !GTK_IS_PLUG(widget) &&
               gtk_window_get_window_type(GTK_WINDOW(widget)) == GTK_WINDOW_TOPLEVEL;
    }

    static gboolean OnAnyMap(GSignalInvocationHint*, guint count, const GValue* params, gpointer data)
    {
        auto* self = static_cast<X11WindowService*>(data);
        GtkWidget* widget = count > 0 ? GTK_WIDGET(g_value_get_object(&params[0])) : nullptr;
        Display* d = x11::GetDisplay();
        if (!d || !widget || !IsDialogCandidate(widget) || self->Find(widget))
            return TRUE;
        const Window xid = x11::GetWindow(widget);
        if (!xid)
            return TRUE;
        if (std::find(self->dialogs.begin(), self->dialogs.end(), xid) == self->dialogs.end())
            self->dialogs.push_back(xid);
        // Everything themed that stands above the new dialog goes just below it.
        if (const Window frame = self->LowestDialogFrame(d)) {
            self->ThemedInStackingOrder(d, false);
            self->StackGroupBelow(d, frame);
            XFlush(d);
        }
        return TRUE;
    }

    static gboolean OnAnyUnmap(GSignalInvocationHint*, guint count, const GValue* params, gpointer data)
    {
        auto* self = static_cast<X11WindowService*>(data);
        GtkWidget* widget = count > 0 ? GTK_WIDGET(g_value_get_object(&params[0])) : nullptr;
        Display* d = x11::GetDisplay();
        if (!d || !widget || !IsDialogCandidate(widget))
            return TRUE;
        const Window xid = x11::GetWindow(widget);
        auto it = std::find(self->dialogs.begin(), self->dialogs.end(), xid);
        if (it == self->dialogs.end())
            return TRUE;
        self->dialogs.erase(it);
        if (self->dialogs.empty()) {
            self->ThemedInStackingOrder(d, true); // back on top, in the same order
            for (Window w : self->group)
                XRaiseWindow(d, w);
            XFlush(d);
        }
        return TRUE;
    }

    // A ConfigureNotify of a themed window reports the geometry given last, so
    // the toolkit never takes a stale position from a queued event.
    static GdkFilterReturn Filter(GdkXEvent* xevent, GdkEvent*, gpointer data)
    {
        auto* self = static_cast<X11WindowService*>(data);
        auto* ev = static_cast<XEvent*>(xevent);
        if (ev->type == DestroyNotify) {
            auto& list = self->dialogs;
            list.erase(std::remove(list.begin(), list.end(), ev->xdestroywindow.window), list.end());
        }
        if (ev->type == CompletionType(ev->xany.display)) {
            self->OnCompletion(*reinterpret_cast<XShmCompletionEvent*>(ev));
            return GDK_FILTER_REMOVE;
        }
        if (ev->type != ConfigureNotify)
            return GDK_FILTER_CONTINUE;
        if (Window32* w = self->FindXid(ev->xconfigure.window)) {
            if (w->positionKnown) {
                ev->xconfigure.x = w->applied.x;
                ev->xconfigure.y = w->applied.y;
            }
            if (w->applied.width > 0) {
                ev->xconfigure.width = w->applied.width;
                ev->xconfigure.height = w->applied.height;
            }
        }
        return GDK_FILTER_CONTINUE;
    }

    std::vector<std::unique_ptr<Window32>> windows;
    std::vector<Window> dialogs; // client windows of the program's shown dialogs and frames
    std::vector<Window> group, stackList, frames;
    bool filtering = false;
    gulong mapHook = 0;
    gulong unmapHook = 0;
};

using Slot = Backend<WindowService, X11WindowService>;

} // namespace

WindowService& GetWindowService() { return Slot::Get(); }
void SetWindowService(std::unique_ptr<WindowService> service) { Slot::Set(std::move(service)); }

} // namespace zplat
