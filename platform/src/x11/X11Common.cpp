#include "X11Common.h"

#include <gdk/gdk.h>
#include <gdk/gdkx.h>
#include <gtk/gtk.h>

namespace zplat::x11 {

Display* GetDisplay()
{
    GdkDisplay* display = gdk_display_get_default();
    if (!display || !GDK_IS_X11_DISPLAY(display))
        return nullptr;
    return GDK_DISPLAY_XDISPLAY(display);
}

Window GetWindow(void* widget)
{
    if (!widget || !GTK_IS_WIDGET(widget))
        return 0;
    GdkWindow* window = gtk_widget_get_window(GTK_WIDGET(widget));
    if (!window || !GDK_IS_X11_WINDOW(window))
        return 0;
    return GDK_WINDOW_XID(window);
}

ErrorTrap::ErrorTrap()
{
    if (GdkDisplay* display = gdk_display_get_default())
        gdk_x11_display_error_trap_push(display);
}

ErrorTrap::~ErrorTrap()
{
    Code();
}

int ErrorTrap::Code()
{
    if (!popped) {
        popped = true;
        if (GdkDisplay* display = gdk_display_get_default())
            code = gdk_x11_display_error_trap_pop(display);
    }
    return code;
}

} // namespace zplat::x11
