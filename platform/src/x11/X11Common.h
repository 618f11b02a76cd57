// Shared by the X11 backend: the toolkit's X connection and an error trap.
#pragma once

#include <X11/Xlib.h>

namespace zplat::x11 {

// The X connection GDK opened for the toolkit; nullptr when GDK is not on X11
// or has no display yet.
Display* GetDisplay();

// The X window behind a toolkit window handle (a GtkWidget*); 0 when it has none yet.
Window GetWindow(void* widget);

// Traps X errors for its lifetime; Code() syncs and gives the first error's
// code (0 when none), e.g. BadAccess when another client holds a grab.
class ErrorTrap {
public:
    ErrorTrap();
    ~ErrorTrap();
    int Code();

private:
    bool popped = false;
    int code = 0;
};

} // namespace zplat::x11
