// Hit testing of a pane's elements on every mouse move: 1,000 drawing elements of every tool
// kind spread over a 1200 x 600 plot, the cursor swept across the plot.
#include "ctlkit/dc/CRecordingDC.h"
#include "indicators/CTCurve.h"
#include "tools/ElementFactory.h"
#include "view/CElementTracker.h"
#include <benchmark/benchmark.h>
#include <memory>

namespace {

constexpr int kToolCodes[] = {1,  2,  3,  6,  7,  8,  9,  10, 11, 12, 13, 15,
                              16, 17, 19, 20, 24, 27, 28, 30, 51, 60, 75};

void FillPane(CTCurve& pane, int count) {
    const CRect plot{8, 40, 1208, 640};
    CRecordingDC dc;
    uint32_t seed = 12345;
    auto next = [&seed](int range) {
        seed = seed * 1664525u + 1013904223u;
        return static_cast<float>((seed >> 8) % static_cast<uint32_t>(range));
    };
    for (int i = 0; i < count; ++i) {
        auto element = CreateToolElement(kToolCodes[i % std::size(kToolCodes)]);
        element->x1 = next(500);
        element->y1 = 50 + next(100);
        element->x2 = element->x1 + 1 + next(40);
        element->y2 = 50 + next(100);
        element->placed = 1;
        element->Draw(dc, 150.0f, 50.0f, 0, 500, plot);
        dc.Clear();
        pane.AddElement(std::move(element));
    }
}

void BM_HoverOverElements(benchmark::State& state) {
    CTCurve pane;
    FillPane(pane, static_cast<int>(state.range(0)));
    CElementTracker tracker;
    tracker.SetPane(&pane);
    int x = 8, y = 40;
    for (auto _ : state) {
        benchmark::DoNotOptimize(tracker.Hover(x, y));
        x = x >= 1207 ? 8 : x + 7;
        y = y >= 639 ? 40 : y + 3;
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_HoverOverElements)->Arg(1000)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
