// Global input on X11. The hot key is a passive grab on the root window, one per
// combination of the lock modifiers, so Caps Lock or Num Lock being on does not
// hide the press. The pointer is observed through XInput 2 raw button events on
// the root window, which arrive whatever client holds the pointer; they carry no
// position, so the cursor is queried when each one is read. The watch has an X
// connection of its own, read from the GUI thread's main loop: event selections
// are per connection, so nothing the toolkit selects on the root can end it.
// Nothing here ever grabs the pointer or holds a synchronous grab.
#include "zplat/Input.h"

#include "Backend.h"
#include "X11Common.h"

#include <X11/extensions/XInput2.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#include <gdk/gdk.h>
#include <gdk/gdkx.h>
#include <glib-unix.h>

#include <map>

namespace zplat {
namespace {

struct KeyGrab {
    KeyCode keycode;
    unsigned mods; // X modifier mask
};

class X11Input : public Input {
public:
    ~X11Input() override
    {
        for (auto it = grabs.begin(); it != grabs.end(); it = grabs.begin())
            UngrabKey(it->first);
        if (filtering)
            gdk_window_remove_filter(nullptr, &X11Input::Filter, this);
        if (watchSource)
            g_source_remove(watchSource);
        if (watch)
            XCloseDisplay(watch);
    }

    bool Available() override
    {
        Display* d = x11::GetDisplay();
        int opcode, event, error, major, minor;
        return d && XTestQueryExtension(d, &event, &error, &major, &minor) &&
               XQueryExtension(d, "XInputExtension", &opcode, &event, &error);
    }

    bool GrabKey(int id, unsigned modifiers, uint32_t keysym, std::string& error) override
    {
        UngrabKey(id);
        Display* d = x11::GetDisplay();
        if (!d) {
            error = "there is no X display";
            return false;
        }
        const KeyCode keycode = keysym ? XKeysymToKeycode(d, keysym) : 0;
        if (keycode == 0) {
            error = "no key of the keyboard types it";
            return false;
        }
        const KeyGrab grab{keycode, ModifierMask(d, modifiers)};
        if (!Grab(d, grab, true)) {
            Grab(d, grab, false);
            error = "another program holds it";
            return false;
        }
        grabs[id] = grab;
        Listen();
        return true;
    }

    void UngrabKey(int id) override
    {
        const auto it = grabs.find(id);
        if (it == grabs.end())
            return;
        if (Display* d = x11::GetDisplay())
            Grab(d, it->second, false);
        grabs.erase(it);
    }

    void SetKeyHandler(std::function<void(int)> handler) override { keyHandler = std::move(handler); }

    bool WatchPointer(std::function<void(const PointerEvent&)> handler) override
    {
        if (!handler) {
            pointerHandler = nullptr;
            if (watch)
                SelectRawButtons(false);
            return true;
        }
        if (!OpenWatch() || !SelectRawButtons(true))
            return false;
        pointerHandler = std::move(handler);
        return true;
    }

    bool InjectLeftRelease() override
    {
        Display* d = watch ? watch : x11::GetDisplay();
        if (!d)
            return false;
        const bool ok = XTestFakeButtonEvent(d, Button1, False, CurrentTime);
        XFlush(d);
        return ok;
    }

private:
    // The modifier bit that carries keysym, 0 when no modifier does.
    static unsigned ModifierOf(Display* d, KeySym keysym)
    {
        const KeyCode code = XKeysymToKeycode(d, keysym);
        XModifierKeymap* map = XGetModifierMapping(d);
        unsigned bit = 0;
        for (int mod = 0; map && code && mod < 8 && !bit; ++mod)
            for (int k = 0; k < map->max_keypermod; ++k)
                if (map->modifiermap[mod * map->max_keypermod + k] == code)
                    bit = 1u << mod;
        if (map)
            XFreeModifiermap(map);
        return bit;
    }

    static unsigned ModifierMask(Display* d, unsigned modifiers)
    {
        unsigned mask = 0;
        if (modifiers & KEY_MOD_ALT) {
            const unsigned alt = ModifierOf(d, XK_Alt_L);
            mask |= alt ? alt : Mod1Mask;
        }
        if (modifiers & KEY_MOD_CONTROL)
            mask |= ControlMask;
        if (modifiers & KEY_MOD_SHIFT)
            mask |= ShiftMask;
        if (modifiers & KEY_MOD_SUPER) {
            const unsigned super = ModifierOf(d, XK_Super_L);
            mask |= super ? super : Mod4Mask;
        }
        return mask;
    }

    // Caps Lock, Num Lock and Scroll Lock: the modifiers a hot key must ignore.
    static unsigned LockModifiers(Display* d)
    {
        return LockMask | ModifierOf(d, XK_Num_Lock) | ModifierOf(d, XK_Scroll_Lock);
    }

    // Grabs (or releases) the key under every combination of the lock modifiers.
    // False when the server refused any of the grabs.
    bool Grab(Display* d, const KeyGrab& grab, bool on)
    {
        const Window root = DefaultRootWindow(d);
        const unsigned locks = LockModifiers(d) & ~grab.mods;
        x11::ErrorTrap trap;
        // Every subset of the lock bits, the empty one included.
        for (unsigned sub = locks;; sub = (sub - 1) & locks) {
            if (on)
                XGrabKey(d, grab.keycode, grab.mods | sub, root, False, GrabModeAsync, GrabModeAsync);
            else
                XUngrabKey(d, grab.keycode, grab.mods | sub, root);
            if (sub == 0)
                break;
        }
        return trap.Code() == 0;
    }

    void Listen()
    {
        if (!filtering) {
            gdk_window_add_filter(nullptr, &X11Input::Filter, this);
            filtering = true;
        }
    }

    bool OnKey(Display* d, const XKeyEvent& key)
    {
        const unsigned state = key.state & ~LockModifiers(d) & 0xff;
        for (const auto& [id, grab] : grabs) {
            if (grab.keycode != key.keycode || grab.mods != state)
                continue;
            if (key.type == KeyPress && keyHandler)
                keyHandler(id);
            return true;
        }
        return false;
    }

    // The watch connection: XInput 2 announced on it, read whenever it has data.
    bool OpenWatch()
    {
        if (watch)
            return true;
        Display* d = x11::GetDisplay();
        if (!d)
            return false;
        watch = XOpenDisplay(DisplayString(d));
        int event, error, major = 2, minor = 2;
        if (!watch || !XQueryExtension(watch, "XInputExtension", &watchOpcode, &event, &error) ||
            XIQueryVersion(watch, &major, &minor) != Success) {
            if (watch)
                XCloseDisplay(watch);
            watch = nullptr;
            return false;
        }
        watchSource = g_unix_fd_add(ConnectionNumber(watch), G_IO_IN, &X11Input::OnWatchReadable, this);
        return true;
    }

    bool SelectRawButtons(bool on)
    {
        unsigned char bits[XIMaskLen(XI_LASTEVENT)] = {};
        if (on) {
            XISetMask(bits, XI_RawButtonPress);
            XISetMask(bits, XI_RawButtonRelease);
        }
        XIEventMask mask{XIAllMasterDevices, sizeof bits, bits};
        const bool ok = XISelectEvents(watch, DefaultRootWindow(watch), &mask, 1) == Success;
        XFlush(watch);
        return ok;
    }

    static gboolean OnWatchReadable(gint, GIOCondition, gpointer data)
    {
        auto* self = static_cast<X11Input*>(data);
        Display* d = self->watch;
        // Also what earlier requests' replies brought into the queue.
        while (XPending(d)) {
            XEvent ev;
            XNextEvent(d, &ev);
            XGenericEventCookie* cookie = &ev.xcookie;
            if (ev.type != GenericEvent || cookie->extension != self->watchOpcode || !XGetEventData(d, cookie))
                continue;
            if (cookie->evtype == XI_RawButtonPress || cookie->evtype == XI_RawButtonRelease)
                self->OnPointer(cookie->evtype == XI_RawButtonPress, static_cast<const XIRawEvent*>(cookie->data)->detail);
            XFreeEventData(d, cookie);
        }
        return G_SOURCE_CONTINUE;
    }

    void OnPointer(bool press, int detail)
    {
        PointerButton button;
        if (detail == Button1)
            button = press ? PointerButton::LeftDown : PointerButton::LeftUp;
        else if (detail == Button3)
            button = press ? PointerButton::RightDown : PointerButton::RightUp;
        else
            return;
        Window root, child;
        int x = 0, y = 0, wx, wy;
        unsigned state;
        XQueryPointer(watch, DefaultRootWindow(watch), &root, &child, &x, &y, &wx, &wy, &state);
        if (pointerHandler)
            pointerHandler(PointerEvent{button, x, y});
    }

    static GdkFilterReturn Filter(GdkXEvent* xevent, GdkEvent*, gpointer data)
    {
        auto* self = static_cast<X11Input*>(data);
        XEvent* ev = static_cast<XEvent*>(xevent);
        Display* d = x11::GetDisplay();
        if (!d)
            return GDK_FILTER_CONTINUE;
        if ((ev->type == KeyPress || ev->type == KeyRelease) && ev->xkey.window == DefaultRootWindow(d))
            return self->OnKey(d, ev->xkey) ? GDK_FILTER_REMOVE : GDK_FILTER_CONTINUE;
        return GDK_FILTER_CONTINUE;
    }

    std::map<int, KeyGrab> grabs;
    std::function<void(int)> keyHandler;
    std::function<void(const PointerEvent&)> pointerHandler;
    bool filtering = false;
    Display* watch = nullptr;
    int watchOpcode = 0;
    guint watchSource = 0;
};

using Slot = Backend<Input, X11Input>;

} // namespace

Input& GetInput() { return Slot::Get(); }
void SetInput(std::unique_ptr<Input> input) { Slot::Set(std::move(input)); }

} // namespace zplat
