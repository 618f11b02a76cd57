#include "zplat/Tray.h"

#include "X11Common.h"

#include <string>

namespace zplat {

bool HasNotificationArea()
{
    Display* d = x11::GetDisplay();
    if (!d)
        return false;
    const std::string name = "_NET_SYSTEM_TRAY_S" + std::to_string(DefaultScreen(d));
    return XGetSelectionOwner(d, XInternAtom(d, name.c_str(), False)) != None;
}

} // namespace zplat
