// Catalog and key names of the configuration "Core": one definition each.
#pragma once

namespace cfg {

inline constexpr char Core[] = "Core";

inline constexpr char General[] = "General";
inline constexpr char LockingMode[] = "LockingMode";
inline constexpr char PressTimeout[] = "PressTimeout";
inline constexpr char StartWithSystem[] = "StartWithSystem";
inline constexpr char CheckUpdate[] = "CheckUpdate";
inline constexpr char VerboseMode[] = "VerboseMode";

inline constexpr char Appearance[] = "Appearance";
inline constexpr char ShowSplash[] = "ShowSplash";
inline constexpr char LaunchType[] = "LaunchType";
inline constexpr char BackgroundDensity[] = "BackgroundDensity";
inline constexpr char AnimateSpeed[] = "AnimateSpeed";
inline constexpr char CustomFont[] = "CustomFont";

inline constexpr char Plugin[] = "Plugin";
inline constexpr char Enable[] = "Enable";
inline constexpr char EnableSystemMonitor[] = "EnableSystemMonitor";
inline constexpr char EnableHPBar[] = "EnableHPBar";
inline constexpr char EnableImageWidget[] = "EnableImageWidget";
inline constexpr char HPName[] = "HPName";
inline constexpr char HPPosX[] = "HPPosX";
inline constexpr char HPPosY[] = "HPPosY";
inline constexpr char MonitorPosX[] = "MonitorPosX";
inline constexpr char MonitorPosY[] = "MonitorPosY";
inline constexpr char ImageWidgetPosX[] = "ImageWidgetPosX";
inline constexpr char ImageWidgetPosY[] = "ImageWidgetPosY";
inline constexpr char ImageWidgetPath[] = "ImageWidgetPath";

inline constexpr char Sound[] = "Sound";

inline constexpr char Hotkey[] = "Hotkey";
inline constexpr char HotkeyType[] = "HotkeyType";
inline constexpr char HotkeyChar[] = "HotkeyChar";
inline constexpr char GestureType[] = "GestureType";
inline constexpr char GestureSensitive[] = "GestureSensitive";

inline constexpr char Application[] = "Application";
inline constexpr char Name[] = "Name";
inline constexpr char Version[] = "Version";
inline constexpr char Author[] = "Author";
inline constexpr char Web[] = "Web";
inline constexpr char Date[] = "Date";

} // namespace cfg
