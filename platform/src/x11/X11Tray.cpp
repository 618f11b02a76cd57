#include "zplat/Tray.h"

#include "X11Common.h"

#include <gtk/gtk.h>

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

namespace {

void OnActivate(GtkMenuItem*, gpointer data) { (*static_cast<std::function<void()>*>(data))(); }

void ForgetChosen(gpointer data, GClosure*) { delete static_cast<std::function<void()>*>(data); }

} // namespace

void WhenMenuItemChosen(void* item, std::function<void()> chosen)
{
    if (!item || !GTK_IS_MENU_ITEM(item) || !chosen)
        return;
    g_signal_connect_data(item, "activate", G_CALLBACK(OnActivate), new std::function<void()>(std::move(chosen)),
                          &ForgetChosen, GConnectFlags(0));
}

} // namespace zplat
