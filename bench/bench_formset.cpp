// Opening the price series settings dialog: construction, show and the first paint of its
// preview, on Qt's offscreen platform; and the chart's questions (insert or replace, Y scale,
// pane count, N days) up to their first paint. The first open of a process (styles, fonts and the
// samples' first pictures) is measured on its own, then opens once everything is warm.
#include "DialogOpening.h"
#include "ctlkit/lang/qt/ControlId.h"
#include "formset/qt/CInnerSelFormset.h"
#include "formset/qt/CNDaysFormset.h"
#include "formset/qt/CPaneCountFormset.h"
#include "formset/qt/CStockSetFormset.h"
#include "formset/qt/CYScaleFormset.h"
#include <QApplication>
#include <QEvent>
#include <benchmark/benchmark.h>
#include <cstdlib>
#include <memory>

namespace {

using dialog_opening::Open;

// Open once the preview has painted its first picture.
void OpenStockSet(benchmark::State& state) {
    Open<CStockSetFormset>(state, CPriceLineSettings{}, [](CStockSetFormset& dialog) {
        return FindControl(dialog, CStockSetFormset::kPreview);
    });
}

void BM_OpenStockSetFormsetFirst(benchmark::State& state) {
    OpenStockSet(state);
}
BENCHMARK(BM_OpenStockSetFormsetFirst)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_OpenStockSetFormset(benchmark::State& state) {
    OpenStockSet(state);
}
BENCHMARK(BM_OpenStockSetFormset)->Unit(benchmark::kMillisecond);

void BM_OpenInnerSelFormset(benchmark::State& state) {
    Open<CInnerSelFormset>(state, SInnerSelChoice{1, "MACD", true});
}
BENCHMARK(BM_OpenInnerSelFormset)->Unit(benchmark::kMillisecond);

void BM_OpenYScaleFormset(benchmark::State& state) {
    Open<CYScaleFormset>(state, SYScaleRange{120.5f, 99.25f});
}
BENCHMARK(BM_OpenYScaleFormset)->Unit(benchmark::kMillisecond);

void BM_OpenPaneCountFormset(benchmark::State& state) {
    Open<CPaneCountFormset>(state, SWholeNumberChoice::PaneCount(3));
}
BENCHMARK(BM_OpenPaneCountFormset)->Unit(benchmark::kMillisecond);

void BM_OpenNDaysFormset(benchmark::State& state) {
    Open<CNDaysFormset>(state, SWholeNumberChoice::NDays(5, 401));
}
BENCHMARK(BM_OpenNDaysFormset)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
