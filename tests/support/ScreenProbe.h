// What the X server shows and real input, for gui tests: pixels of the root
// window (the composited screen when a compositor runs), the stacking order of
// top-level windows, and XTest clicks. Uses a connection of its own.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

class wxString;
class wxWindow;

namespace zyntest {

class XClient;

class ScreenProbe {
public:
    ScreenProbe();
    ~ScreenProbe();
    ScreenProbe(const ScreenProbe&) = delete;
    ScreenProbe& operator=(const ScreenProbe&) = delete;

    bool IsOk() const { return display != nullptr; }
    // 0x00RRGGBB of the screen at (x, y).
    uint32_t Pixel(int x, int y);
    // Moves the pointer there and clicks the left button, as an XClient of the
    // probe's own: from the first click on the probe holds the display's input lock.
    void Click(int x, int y);
    // The X top-level window (child of the root) that holds the window: its
    // window-manager frame when it is managed; 0 when it has none yet.
    unsigned long TopLevelOf(const wxWindow* window);
    // Whether a's top-level stands above b's.
    bool IsAbove(const wxWindow* a, const wxWindow* b);
    // Another client's window, managed by the window manager, mapped (raised
    // by the window manager as a new window) and waited for. A desktop window
    // (the kind that draws the wallpaper) is kept below all others by the window manager.
    unsigned long MapForeignWindow(int x, int y, int width, int height, bool desktop = false);
    // Whether the window's top-level stands above the X window `other`.
    bool IsAboveWindow(const wxWindow* window, unsigned long other);
    // Whether the X input focus is on the window (its client window or a child of it).
    bool HasFocus(const wxWindow* window);
    // Whether the X server shows the window (mapped, and its ancestors too).
    bool IsOnScreen(const wxWindow* window);
    // A marker through the window manager: it answers a request for the frame a new
    // window would get only after it has handled every event it was sent before, such
    // as a click; false when no answer came.
    bool WindowManagerSync();
    // The window's geometry as the X server has it (root coordinates).
    bool Geometry(const wxWindow* window, int& x, int& y, int& width, int& height);

private:
    std::vector<unsigned long> StackingOrder();
    void* display = nullptr;
    std::unique_ptr<XClient> input;
};

// The label a native expander (the toolkit's collapsible pane) shows; empty for other windows.
wxString ExpanderLabel(const wxWindow* window);

// |a - b| <= tolerance for each of the three channels.
bool NearRgb(uint32_t a, uint32_t b, int tolerance = 3);

} // namespace zyntest
