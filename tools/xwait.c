/* zyn-xwait: waits for a condition on the X server, polling every 10 ms.
 *   zyn-xwait selection NAME [timeout_ms]   a selection (e.g. _NET_WM_CM_S0) has an owner
 *   zyn-xwait rootprop NAME [timeout_ms]    the root window has the property NAME
 * Exits 0 when the condition holds, 1 on time-out, 2 when the display cannot be opened. */
#include <X11/Xlib.h>
#include <X11/Xatom.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>

static long now_ms(void) {
    struct timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return ts.tv_sec * 1000L + ts.tv_nsec / 1000000L;
}

static int holds(Display* d, const char* what, Atom atom) {
    if (strcmp(what, "selection") == 0) return XGetSelectionOwner(d, atom) != None;
    Atom type; int format; unsigned long n, after; unsigned char* data = NULL;
    int ok = XGetWindowProperty(d, DefaultRootWindow(d), atom, 0, 1, False, AnyPropertyType,
                                &type, &format, &n, &after, &data) == Success && type != None;
    if (data) XFree(data);
    return ok;
}

int main(int argc, char** argv) {
    if (argc < 3 || (strcmp(argv[1], "selection") && strcmp(argv[1], "rootprop"))) {
        fprintf(stderr, "usage: zyn-xwait selection|rootprop NAME [timeout_ms]\n");
        return 2;
    }
    long limit = argc > 3 ? atol(argv[3]) : 10000;
    long start = now_ms();
    Display* d = NULL;
    while (!(d = XOpenDisplay(NULL))) {
        if (now_ms() - start > limit) { fprintf(stderr, "zyn-xwait: cannot open display\n"); return 2; }
        struct timespec ts = {0, 10 * 1000000L};
        nanosleep(&ts, NULL);
    }
    Atom atom = XInternAtom(d, argv[2], False);
    for (;;) {
        if (holds(d, argv[1], atom)) { XCloseDisplay(d); return 0; }
        if (now_ms() - start > limit) break;
        struct timespec ts = {0, 10 * 1000000L};
        nanosleep(&ts, NULL);
    }
    fprintf(stderr, "zyn-xwait: %s %s not there after %ld ms\n", argv[1], argv[2], limit);
    XCloseDisplay(d);
    return 1;
}
