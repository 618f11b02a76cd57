// The notification area (system tray) of the desktop.
#pragma once

namespace zplat {

// Whether a notification area runs on the display: some client owns the tray
// selection of the default screen. Without one a tray icon has nowhere to appear.
bool HasNotificationArea();

} // namespace zplat
