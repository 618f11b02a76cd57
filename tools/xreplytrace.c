/* zyn-xreplytrace: a preload library that times every X round trip of a program
 * and writes, for each, its wait, when it was asked (CLOCK_MONOTONIC, ms) and the
 * call stack that asked, to the file
 * named by ZYN_XREPLY_TRACE (nothing is written while it is unset or empty).
 *   ./scripts/session.sh -- env ZYN_XREPLY_TRACE=/tmp/replies.log LD_PRELOAD=$PWD/build/libzyn-xreplytrace.so program
 * Resolve the program's own frames with addr2line -f -C -e program ADDRESS. */
#define _GNU_SOURCE
#include <X11/Xlibint.h>
#include <dlfcn.h>
#include <execinfo.h>
#include <stdio.h>
#include <stdlib.h>
#include <time.h>

typedef Status (*ReplyFn)(Display*, xReply*, int, Bool);

static double now_ms(void) {
    struct timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}

Status _XReply(Display* d, xReply* reply, int extra, Bool discard) {
    static ReplyFn real;
    if (!real)
        real = (ReplyFn)dlsym(RTLD_NEXT, "_XReply");
    const char* path = getenv("ZYN_XREPLY_TRACE");
    if (!path || !*path)
        return real(d, reply, extra, discard);
    const double start = now_ms();
    const Status status = real(d, reply, extra, discard);
    const double took = now_ms() - start;
    FILE* out = fopen(path, "a");
    if (!out)
        return status;
    fprintf(out, "REPLY %.2f ms at %.3f\n", took, start);
    fflush(out);
    void* frames[24];
    const int count = backtrace(frames, 24);
    backtrace_symbols_fd(frames + 1, count - 1, fileno(out));
    fprintf(out, "END\n");
    fclose(out);
    return status;
}
