// One animation step of an unfolding notification: the bands of the finished
// picture composed at the next height (what every tick of the alert and the
// balloons costs besides the push).
#include <benchmark/benchmark.h>

#include "BitmapDC.h"
#include "NotifyLayout.h"
#include "NotifyWindow.h"
#include "Picture.h"

namespace {

void ComposeUnfolding(benchmark::State& state, const BandRows& rows, const wxSize& full)
{
    const Picture source(full.x, full.y, 0xFF806040);
    Picture display = source;
    BitmapDC canvas(display);
    wxSize drawn = full;
    int h = rows.ClosedHeight();
    for (auto _ : state) {
        // The heights of one opening, over and over: each step composes.
        h = h >= full.y ? rows.ClosedHeight() : h + 4;
        benchmark::DoNotOptimize(ComposeBands(canvas, source, rows, drawn, full.x, h));
    }
}

void BM_AlertOpeningStep(benchmark::State& state) { ComposeUnfolding(state, AlertBands, wxSize(350, 253)); }
void BM_BalloonOpeningStep(benchmark::State& state) { ComposeUnfolding(state, MessageBands, wxSize(400, 237)); }

} // namespace

BENCHMARK(BM_AlertOpeningStep);
BENCHMARK(BM_BalloonOpeningStep);
