// Global input on X11. The hot key is a passive grab on the root window, one per
// combination of the lock modifiers, so Caps Lock or Num Lock being on does not
// hide the press. The pointer is observed through XInput 2 raw button events on
// the root window, which arrive whatever client holds the pointer; they carry no
// position, so the cursor is queried when each one is read. Nothing here ever
// grabs the pointer or holds a synchronous grab.
#include "zplat/Input.h"

#include "X11Common.h"

#include <X11/extensions/XInput2.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#include <gdk/gdk.h>
#include <gdk/gdkx.h>

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
        WatchPointer(nullptr);
        if (filtering)
            gdk_window_remove_filter(nullptr, &X11Input::Filter, this);
    }

    bool Available() override
    {
        Display* d = x11::GetDisplay();
        int event, error, major, minor;
        return d && XTestQueryExtension(d, &event, &error, &major, &minor) && XiOpcode(d) != 0;
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
        Display* d = x11::GetDisplay();
        const int opcode = d ? XiOpcode(d) : 0;
        if (!opcode) {
            pointerHandler = nullptr;
            return !handler;
        }
        unsigned char bits[XIMaskLen(XI_LASTEVENT)] = {};
        if (handler) {
            XISetMask(bits, XI_RawButtonPress);
            XISetMask(bits, XI_RawButtonRelease);
        }
        XIEventMask mask{XIAllMasterDevices, sizeof bits, bits};
        x11::ErrorTrap trap;
        XISelectEvents(d, DefaultRootWindow(d), &mask, 1);
        if (trap.Code() != 0) {
            pointerHandler = nullptr;
            return !handler;
        }
        pointerHandler = std::move(handler);
        if (pointerHandler)
            Listen();
        return true;
    }

    bool InjectLeftRelease() override
    {
        Display* d = x11::GetDisplay();
        if (!d)
            return false;
        const bool ok = XTestFakeButtonEvent(d, Button1, False, CurrentTime);
        XFlush(d);
        return ok;
    }

private:
    // Asked once: the filter sees every event of the connection.
    static int XiOpcode(Display* d)
    {
        static const int opcode = [d] {
            int op, event, error;
            return XQueryExtension(d, "XInputExtension", &op, &event, &error) ? op : 0;
        }();
        return opcode;
    }

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
    static unsigned LockMask_(Display* d)
    {
        return LockMask | ModifierOf(d, XK_Num_Lock) | ModifierOf(d, XK_Scroll_Lock);
    }

    // Grabs (or releases) the key under every combination of the lock modifiers.
    // False when the server refused any of the grabs.
    bool Grab(Display* d, const KeyGrab& grab, bool on)
    {
        const Window root = DefaultRootWindow(d);
        const unsigned locks = LockMask_(d) & ~grab.mods;
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
        const unsigned state = key.state & ~LockMask_(d) & 0xff;
        for (const auto& [id, grab] : grabs) {
            if (grab.keycode != key.keycode || grab.mods != state)
                continue;
            if (key.type == KeyPress && keyHandler)
                keyHandler(id);
            return true;
        }
        return false;
    }

    void OnPointer(Display* d, XGenericEventCookie* cookie)
    {
        const bool owned = !cookie->data && XGetEventData(d, cookie);
        if (cookie->data && pointerHandler) {
            const auto* raw = static_cast<const XIRawEvent*>(cookie->data);
            const bool press = cookie->evtype == XI_RawButtonPress;
            PointerButton button;
            bool known = true;
            if (raw->detail == Button1)
                button = press ? PointerButton::LeftDown : PointerButton::LeftUp;
            else if (raw->detail == Button3)
                button = press ? PointerButton::RightDown : PointerButton::RightUp;
            else
                known = false;
            if (known) {
                Window root, child;
                int x = 0, y = 0, wx, wy;
                unsigned state;
                XQueryPointer(d, DefaultRootWindow(d), &root, &child, &x, &y, &wx, &wy, &state);
                pointerHandler(PointerEvent{button, x, y});
            }
        }
        if (owned)
            XFreeEventData(d, cookie);
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
        if (ev->type == GenericEvent && ev->xcookie.extension == XiOpcode(d) &&
            (ev->xcookie.evtype == XI_RawButtonPress || ev->xcookie.evtype == XI_RawButtonRelease)) {
            self->OnPointer(d, &ev->xcookie);
            return GDK_FILTER_REMOVE;
        }
        return GDK_FILTER_CONTINUE;
    }

    std::map<int, KeyGrab> grabs;
    std::function<void(int)> keyHandler;
    std::function<void(const PointerEvent&)> pointerHandler;
    bool filtering = false;
};

std::unique_ptr<Input>& Slot()
{
    static std::unique_ptr<Input> input;
    return input;
}

} // namespace

Input& GetInput()
{
    if (!Slot())
        Slot() = std::make_unique<X11Input>();
    return *Slot();
}

void SetInput(std::unique_ptr<Input> input) { Slot() = std::move(input); }

} // namespace zplat
