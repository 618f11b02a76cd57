// The notification area (system tray) of the desktop.
#pragma once

#include <functional>

namespace zplat {

// Whether a notification area runs on the display: some client owns the tray
// selection of the default screen. Without one a tray icon has nowhere to appear.
bool HasNotificationArea();

// Calls chosen each time the native menu item (the toolkit's handle of a menu
// entry) is activated, for as long as the item lives. The toolkit reports no
// choice of a popup menu's title, which GTK draws as an entry of its own.
void WhenMenuItemChosen(void* item, std::function<void()> chosen);

} // namespace zplat
