// Interface in place; the key grab and the pointer watch follow.
#include "HotkeyManager.h"

#include <wx/weakref.h>
#include <wx/window.h>

#include "ConfigImpl.h"
#include "ConfigKeys.h"

wxDEFINE_EVENT(ZYN_EVT_HOTKEY, wxKeyEvent);

bool HotkeyEnabledFlag = false;

namespace HotkeyManager {
namespace {
wxWeakRef<wxWindow> HotkeyWindow;
GestureState Gesture;
int GestureThreshold = 250;
} // namespace

GestureStep GestureHookProc(const GestureState& state, GestureEvent, int, int)
{
    GestureStep step;
    step.next = state;
    return step;
}

bool Initial() { return true; }

void LoadSettings()
{
    SetEnable(GetConfig(cfg::Core)->ReadBool(cfg::Hotkey, cfg::Enable, true));
}

bool SetEnable(const bool& enable)
{
    if (enable == HotkeyEnabledFlag)
        return false;
    HotkeyEnabledFlag = enable;
    return true;
}

bool SetHook(const bool&) { return true; }
bool SetHotkey(const int&, const char&) { return false; }
bool ClearHotkey() { return true; }
bool SetGestureType(const int& type) { return type != 0; }

void SetHotkeyWindow(wxWindow* window) { HotkeyWindow = window; }
wxWindow* GetHotkeyWindow() { return HotkeyWindow; }
const GestureState& GetGestureState() { return Gesture; }
int GetGestureThreshold() { return GestureThreshold; }
bool IsHookInstalled() { return false; }

} // namespace HotkeyManager
