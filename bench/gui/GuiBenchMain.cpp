// Main of the benchmarks that need a display: the toolkit started on the session's
// display and an active event loop, then Google Benchmark. Run inside
// scripts/session.sh: `./scripts/session.sh -- build/bin/zyn-gui-bench`.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>

#include <wx/app.h>
#include <wx/evtloop.h>
#include <wx/init.h>

int main(int argc, char** argv)
{
    setenv("GDK_BACKEND", "x11", 1);
    setenv("NO_AT_BRIDGE", "1", 0);
    benchmark::Initialize(&argc, argv);
    wxApp::SetInstance(new wxApp);
    if (!wxEntryStart(argc, argv)) {
        fprintf(stderr, "zyn-gui-bench: cannot start the toolkit (is DISPLAY set?)\n");
        return 1;
    }
    wxGUIEventLoop loop;
    wxEventLoopBase::SetActive(&loop);
    benchmark::RunSpecifiedBenchmarks();
    wxEventLoopBase::SetActive(nullptr);
    wxEntryCleanup();
    return 0;
}
