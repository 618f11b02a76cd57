#include "HotkeyManager.h"

#include <wx/app.h>
#include <wx/weakref.h>

#include "ConfigImpl.h"
#include "ConfigKeys.h"
#include "ZynLog.h"
#include "ZynUtils.h"
#include "zplat/Input.h"

wxDEFINE_EVENT(ZYN_EVT_HOTKEY, wxKeyEvent);

bool HotkeyEnabledFlag = false;

namespace HotkeyManager {
namespace {

const int HotkeyId = 0;
const int KnownModifiers = MOD_ALT | MOD_CONTROL | MOD_SHIFT | MOD_WIN;

int HotkeyModifiers = 0;
char HotkeyKey = 0;
int GestureKind = 0;
int GestureThreshold = 250;
bool InputReady = false;
bool HookInstalled = false;
GestureState Gesture;
wxWeakRef<wxEvtHandler> HotkeyWindow;

// "Ctrl+Alt+A", for the log.
wxString HotkeyName(int modifiers, char key)
{
    wxString name;
    if (modifiers & MOD_CONTROL)
        name += "Ctrl+";
    if (modifiers & MOD_ALT)
        name += "Alt+";
    if (modifiers & MOD_SHIFT)
        name += "Shift+";
    if (modifiers & MOD_WIN)
        name += "Win+";
    // The byte is a Latin-1 code point, as the key's symbol takes it; a char would be
    // read in the locale's encoding, where a byte above 127 alone is no character.
    return name + wxString(wxUniChar(static_cast<unsigned>(static_cast<unsigned char>(key))));
}

bool RegisterHotkey()
{
    std::string error;
    const uint32_t keysym = zplat::KeysymForCharacter(HotkeyKey);
    if (zplat::GetInput().GrabKey(HotkeyId, static_cast<unsigned>(HotkeyModifiers), keysym, error))
        return true;
    ZLOG_INFO("Cannot register the hot key %s: %s.", HotkeyName(HotkeyModifiers, HotkeyKey), wxString::FromUTF8(error));
    return false;
}

void UnregisterHotkey() { zplat::GetInput().UngrabKey(HotkeyId); }

void OnHotkeyPressed(int id)
{
    wxEvtHandler* window = HotkeyWindow;
    if (!window || id != HotkeyId)
        return;
    wxKeyEvent event(ZYN_EVT_HOTKEY);
    event.SetId(id);
    event.SetEventObject(window);
    event.m_keyCode = wxToupper(static_cast<unsigned char>(HotkeyKey));
    event.SetControlDown(HotkeyModifiers & MOD_CONTROL);
    event.SetAltDown(HotkeyModifiers & MOD_ALT);
    event.SetShiftDown(HotkeyModifiers & MOD_SHIFT);
    event.SetMetaDown(HotkeyModifiers & MOD_WIN);
    // Posted, not processed here: the layer's callback runs inside the toolkit's
    // event dispatch, and the handler may open windows.
    wxPostEvent(window, event);
}

GestureEvent ToGestureEvent(zplat::PointerButton button)
{
    switch (button) {
    case zplat::PointerButton::LeftDown: return GestureEvent::LeftDown;
    case zplat::PointerButton::LeftUp: return GestureEvent::LeftUp;
    case zplat::PointerButton::RightDown: return GestureEvent::RightDown;
    case zplat::PointerButton::RightUp: return GestureEvent::RightUp;
    }
    return GestureEvent::Other;
}

void OnPointer(const zplat::PointerEvent& event)
{
    const GestureStep step = GestureHookProc(Gesture, ToGestureEvent(event.button), event.y, GestureThreshold);
    Gesture = step.next;
    if (step.injectLeftUp)
        zplat::GetInput().InjectLeftRelease();
    if (step.showLauncher) {
        // Only the program's own application object has a launcher to show. Queued: the
        // layer calls from outside the toolkit's event dispatch.
        if (auto* app = dynamic_cast<ZynUtils*>(wxApp::GetInstance()))
            app->CallAfter([app] { app->ShowLauncher(true); });
    }
}

// The completion test: both buttons up and the drop beyond the threshold.
void Complete(GestureStep& step, int y, int threshold)
{
    if (step.next.buttons == 0 && y - step.next.startY > threshold) {
        step.showLauncher = true;
        step.next.armed = false;
    }
}

} // namespace

GestureStep GestureHookProc(const GestureState& state, GestureEvent event, int y, int threshold)
{
    GestureStep step;
    step.next = state;
    GestureState& next = step.next;
    switch (event) {
    case GestureEvent::LeftDown:
        next.buttons = GESTURE_LEFT;
        next.armed = false;
        next.passInjectedLeftUp = false;
        break;
    case GestureEvent::RightDown:
        if (state.buttons == GESTURE_LEFT) {
            next.buttons = GESTURE_LEFT | GESTURE_RIGHT;
            next.armed = true;
            next.passInjectedLeftUp = true;
            next.startY = y;
            step.injectLeftUp = true;
            step.verdict = GestureVerdict::Swallow;
        }
        break;
    case GestureEvent::LeftUp:
        if (state.passInjectedLeftUp) {
            next.passInjectedLeftUp = false;
            break;
        }
        next.buttons &= ~GESTURE_LEFT;
        if (state.armed) {
            Complete(step, y, threshold);
            step.verdict = GestureVerdict::PassAndBlock;
        }
        break;
    case GestureEvent::RightUp:
        next.buttons &= ~GESTURE_RIGHT;
        if (state.armed) {
            Complete(step, y, threshold);
            step.verdict = GestureVerdict::PassAndBlock;
        }
        break;
    case GestureEvent::Other:
        break;
    }
    return step;
}

bool Initial()
{
    ZLOG_INFO("Initializing HotkeyManager...");
    zplat::Input& input = zplat::GetInput();
    if (!input.Available()) {
        ZLOG_ERROR("Cannot get instance handle.");
        return false;
    }
    input.SetKeyHandler(OnHotkeyPressed);
    InputReady = true;
    ZLOG_INFO("HotkeyManager is ready.");
    return true;
}

void LoadSettings()
{
    ConfigImpl* core = GetConfig(cfg::Core);
    const bool enable = core->ReadBool(cfg::Hotkey, cfg::Enable, true);
    const wxString text = core->ReadString(cfg::Hotkey, cfg::HotkeyChar, wxEmptyString);
    const long modifiers = core->ReadLong(cfg::Hotkey, cfg::HotkeyType, 0);
    const long gesture = core->ReadLong(cfg::Hotkey, cfg::GestureType, 0);
    switch (core->ReadLong(cfg::Hotkey, cfg::GestureSensitive, 0)) {
    case -1: GestureThreshold = 125; break;
    case 1: GestureThreshold = 500; break;
    default: GestureThreshold = 250; break;
    }
    if (modifiers != 0) {
        const char key = text.empty() ? 0 : static_cast<char>(static_cast<wxUint32>(text[0].GetValue()) & 0xff);
        SetHotkey(static_cast<int>(modifiers), key);
    } else {
        ClearHotkey();
    }
    SetGestureType(static_cast<int>(gesture));
    SetEnable(enable);
}

bool SetEnable(const bool& enable)
{
    if (enable == HotkeyEnabledFlag)
        return false;
    // The flag first: the hook follows it.
    HotkeyEnabledFlag = enable;
    SetHook(enable);
    if (HotkeyWindow && HotkeyModifiers != 0) {
        if (enable)
            RegisterHotkey();
        else
            UnregisterHotkey();
    }
    return true;
}

bool SetHook(const bool& on)
{
    if (!InputReady)
        return false;
    // The launcher turns the hook on whenever it hides; it only runs while the hot
    // keys are switched on and a gesture is chosen.
    const bool want = on && HotkeyEnabledFlag && GestureKind != 0;
    if (want && !HookInstalled) {
        // Buttons released while nobody watched would leave a stale state behind.
        Gesture = GestureState();
        HookInstalled = zplat::GetInput().WatchPointer(OnPointer);
        if (!HookInstalled)
            ZLOG_INFO("Cannot watch the mouse: the gesture is off.");
    } else if (!want && HookInstalled) {
        zplat::GetInput().WatchPointer(nullptr);
        HookInstalled = false;
    }
    return true;
}

bool SetHotkey(const int& modifiers, const char& key)
{
    if (!HotkeyWindow)
        return false;
    // Bits outside the four modifiers name no key; without any of them the grab would
    // take a bare key away from every program.
    if ((modifiers & KnownModifiers) == 0 || key == 0)
        return false;
    if (!HotkeyEnabledFlag) {
        HotkeyModifiers = modifiers & KnownModifiers;
        HotkeyKey = key;
        return true;
    }
    if (HotkeyModifiers != 0)
        UnregisterHotkey();
    HotkeyModifiers = modifiers & KnownModifiers;
    HotkeyKey = key;
    return RegisterHotkey();
}

bool ClearHotkey()
{
    if (HotkeyWindow && HotkeyEnabledFlag && HotkeyModifiers != 0)
        UnregisterHotkey();
    HotkeyModifiers = 0;
    HotkeyKey = 0;
    return true;
}

bool SetGestureType(const int& type)
{
    GestureKind = type;
    if (HotkeyEnabledFlag)
        return SetHook(true);
    return type != 0;
}

void SetHotkeyWindow(wxEvtHandler* window) { HotkeyWindow = window; }
wxEvtHandler* GetHotkeyWindow() { return HotkeyWindow; }
const GestureState& GetGestureState() { return Gesture; }
int GetGestureThreshold() { return GestureThreshold; }
bool IsHookInstalled() { return HookInstalled; }

} // namespace HotkeyManager
