// Switch state only until the key grab and the pointer watch land.
#include "HotkeyManager.h"

#include "ConfigImpl.h"
#include "ConfigKeys.h"

bool HotkeyEnabledFlag = false;

namespace HotkeyManager {

bool SetEnable(const bool& enable)
{
    if (enable == HotkeyEnabledFlag)
        return false;
    HotkeyEnabledFlag = enable;
    return true;
}

void LoadSettings()
{
    SetEnable(GetConfig(cfg::Core)->ReadBool(cfg::Hotkey, cfg::Enable, true));
}

} // namespace HotkeyManager
