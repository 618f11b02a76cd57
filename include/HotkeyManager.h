// Global hot key and mouse gesture that call up the launcher. Both are switched
// on and off together; the settings live in the catalog "Hotkey" of "Core".
#pragma once

namespace HotkeyManager {
// Switches the hot key and the gesture on or off; false when the state is unchanged.
bool SetEnable(const bool& enable);
// Reads the catalog "Hotkey" and applies it.
void LoadSettings();
} // namespace HotkeyManager

// The hot key and the gesture are switched on.
extern bool HotkeyEnabledFlag;
