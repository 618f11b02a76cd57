// The per-pixel-alpha window service: a toolkit top-level window shows a
// premultiplied picture pushed by the program, with a constant opacity, an
// input shape taken from the picture, an owner it stays above, and raises that
// never take the keyboard focus. Windows are named by the toolkit's native
// handle (wxWindow::GetHandle()).
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "zplat/PixelView.h"

namespace zplat {

enum class WindowKind {
    Tool,       // kept out of the taskbar and the pager
    App,        // the launcher
    NoActivate, // never takes the focus, not even when clicked
    Modal,      // a modal question: above the program's toolkit windows too
};

struct WindowRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool operator==(const WindowRect& o) const { return x == o.x && y == o.y && width == o.width && height == o.height; }
    bool operator!=(const WindowRect& o) const { return !(*this == o); }
};

// One push: the window takes rect (its position only when move is set) and
// shows the top-left rect.width x rect.height of picture at opacity alpha.
// A null picture keeps the content last pushed (a fade changes only alpha).
// With solid, the window shows the one premultiplied colour `colour` all
// over instead: the server holds it, so no picture is copied or put, and a
// window mapped later is filled at once.
struct WindowPush {
    const PixelView* picture = nullptr;
    bool solid = false;
    uint32_t colour = 0;
    WindowRect rect;
    bool move = false;
    uint8_t alpha = 255;
};

class WindowService {
public:
    virtual ~WindowService() = default;

    // Takes the window into the service; called right after the toolkit created
    // it, before it is realized (the visual is chosen then). Until the first
    // push the window shows nothing and takes no input.
    virtual bool Prepare(void* handle, WindowKind kind) = 0;
    // Changes the kind; takes full effect only before the window is first shown.
    virtual void SetKind(void* handle, WindowKind kind) = 0;
    // Drops the window and everything kept for it (before the toolkit destroys it).
    virtual void Forget(void* handle) = 0;

    virtual bool Push(void* handle, const WindowPush& push) = 0;
    // Moves and sizes the window at once (nothing when rect is what it has).
    virtual void SetGeometry(void* handle, const WindowRect& rect) = 0;
    // Does now, unseen, what the toolkit does on a window's first show (it
    // sizes the window from its monitor's work area and sets its hints, each
    // a question to the server), so that its first show only maps it. Only
    // for a hidden window pushed at alpha 0; the toolkit's own state (shown
    // or not) does not change.
    virtual void Ready(void* handle) = 0;

    // Keeps handle stacked above owner (nullptr: no owner), also after the owner is raised.
    virtual bool SetOwner(void* handle, void* owner) = 0;
    // Raises the window and the windows it owns, without taking the focus.
    virtual void Raise(void* handle) = 0;
    // Puts the window, with its owner and the windows they own, at the bottom
    // of the stacking order, just above the desktop's own window when there is
    // one. From then on a map or raise keeps the group there, and the dialog
    // rule leaves it alone (desktop widgets).
    virtual void Lower(void* handle) = 0;

    // Whether translucency is shown (a compositing manager runs).
    virtual bool IsComposited() = 0;
};

// The service in use: the X11 one unless a test installed another.
WindowService& GetWindowService();
// Installs service (owned); nullptr restores the X11 one.
void SetWindowService(std::unique_ptr<WindowService> service);

// Records what it is asked, for tests without a display.
class FakeWindowService : public WindowService {
public:
    struct Record {
        WindowKind kind = WindowKind::Tool;
        void* owner = nullptr;
        WindowRect rect;
        uint8_t alpha = 255;
        int pushes = 0;
        int contentPushes = 0;
        int raises = 0;
        int lowers = 0;
        int readies = 0;
        std::vector<uint32_t> content; // rect.width x rect.height of the last picture
    };

    bool Prepare(void* handle, WindowKind kind) override;
    void SetKind(void* handle, WindowKind kind) override;
    void Forget(void* handle) override;
    bool Push(void* handle, const WindowPush& push) override;
    void SetGeometry(void* handle, const WindowRect& rect) override;
    void Ready(void* handle) override;
    bool SetOwner(void* handle, void* owner) override;
    void Raise(void* handle) override;
    void Lower(void* handle) override;
    bool IsComposited() override { return composited; }

    // nullptr when the window is not known.
    const Record* Find(void* handle) const;

    bool composited = true;
    bool refuses = false; // Prepare takes no window
    std::vector<std::pair<void*, Record>> windows;

private:
    Record* Get(void* handle);
};

} // namespace zplat
