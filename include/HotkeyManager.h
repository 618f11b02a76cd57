// Global hot key and mouse gesture that call up the launcher. Both are switched
// on and off together; the settings live in the catalog "Hotkey" of "Core".
//
// The hot key is grabbed for the whole display; each press is posted to the hot-key
// window (the launcher window) as a ZYN_EVT_HOTKEY key event with id 0, so that window
// only binds EVT_ZYN_HOTKEY(0, handler). The gesture (hold left, press right, drag down,
// release) is watched on the pointer's global button events and, when complete,
// asks the application to show the launcher.
#pragma once

#include <wx/event.h>

// The hot-key press, delivered on the GUI thread with id 0.
wxDECLARE_EVENT(ZYN_EVT_HOTKEY, wxKeyEvent);
#define EVT_ZYN_HOTKEY(winid, func) wx__DECLARE_EVT1(ZYN_EVT_HOTKEY, winid, wxKeyEventHandler(func))

namespace HotkeyManager {

// Modifier bits of Hotkey/HotkeyType, the toolkit's encoding.
enum HotkeyModifier { MOD_ALT = 1, MOD_CONTROL = 2, MOD_SHIFT = 4, MOD_WIN = 8 };

// Gesture buttons held (GestureState::buttons).
enum GestureButton { GESTURE_LEFT = 2, GESTURE_RIGHT = 4 };

// One global pointer button event, as the gesture sees it.
enum class GestureEvent { LeftDown, LeftUp, RightDown, RightUp, Other };

// What the event's receivers should get: everything (Pass), nothing (Swallow), or the
// other watchers but no window (PassAndBlock).
enum class GestureVerdict { Pass, Swallow, PassAndBlock };

struct GestureState {
    int buttons = 0;                 // GESTURE_LEFT | GESTURE_RIGHT held during a gesture
    bool armed = false;              // right pressed while only the left was held
    bool passInjectedLeftUp = false; // the next left release is the injected one
    int startY = -1;                 // cursor y when the right button went down
    bool operator==(const GestureState& o) const
    {
        return buttons == o.buttons && armed == o.armed && passInjectedLeftUp == o.passInjectedLeftUp && startY == o.startY;
    }
};

struct GestureStep {
    GestureState next;
    GestureVerdict verdict = GestureVerdict::Pass;
    bool injectLeftUp = false; // end the drag of the window under the cursor
    bool showLauncher = false; // the gesture is complete
};

// The gesture's state table: a pure function of the state, the event, the cursor y
// at the event and the threshold the drop must exceed.
GestureStep GestureHookProc(const GestureState& state, GestureEvent event, int y, int threshold);

// Checks that global input can be watched and injected; false stops the start.
bool Initial();
// Reads the catalog "Hotkey" of "Core" and applies it.
void LoadSettings();
// Switches hot key and gesture on or off together; false when the state is unchanged.
bool SetEnable(const bool& enable);
// Starts or stops watching the gesture; it only runs while switched on and a gesture
// type is set. False when Initial did not succeed.
bool SetHook(const bool& on);
// Stores the hot key and, while switched on, grabs it; false when there is no hot-key
// window, modifiers or key is 0, or the key cannot be grabbed (logged).
bool SetHotkey(const int& modifiers, const char& key);
// Releases and forgets the hot key.
bool ClearHotkey();
// Stores the gesture type (0 none) and, while switched on, applies it.
bool SetGestureType(const int& type);

// The window that owns the hot key and receives its presses: the launcher window
// (any event handler will do). Tracked, so its destruction leaves no dangling target;
// without one the hot key cannot be set.
void SetHotkeyWindow(wxEvtHandler* window);
wxEvtHandler* GetHotkeyWindow();

// The running gesture's state and the threshold in pixels (125, 250 or 500).
const GestureState& GetGestureState();
int GetGestureThreshold();
// Whether the gesture is being watched right now.
bool IsHookInstalled();

} // namespace HotkeyManager

// The hot key and the gesture are switched on.
extern bool HotkeyEnabledFlag;
