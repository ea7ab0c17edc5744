// Opening the price series settings dialog: construction, show and the first paint of its
// preview, on Qt's offscreen platform; and the chart's questions (insert or replace, Y scale,
// pane count, N days) up to their first paint. The first open of a process (styles, fonts and the
// samples' first pictures) is measured on its own, then opens once everything is warm.
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

QApplication& App() {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static int argc = 1;
    static char name[] = "bench_formset";
    static char* argv[] = {name, nullptr};
    static QApplication app(argc, argv);
    return app;
}

// Notes the first paint of the widget it watches.
class CPaintWatch : public QObject {
public:
    bool painted = false;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) painted = true;
        return false;
    }
};

void OpenOnce(benchmark::State& state) {
    auto dialog = std::make_unique<CStockSetFormset>(CPriceLineSettings{}, nullptr);
    CPaintWatch watch;
    FindControl(*dialog, CStockSetFormset::kPreview)->installEventFilter(&watch);
    dialog->show();
    while (!watch.painted) QApplication::processEvents();
    state.PauseTiming();
    dialog.reset();
    QApplication::processEvents();
    state.ResumeTiming();
}

void BM_OpenStockSetFormsetFirst(benchmark::State& state) {
    App();
    for (auto _ : state) OpenOnce(state);
}
BENCHMARK(BM_OpenStockSetFormsetFirst)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_OpenStockSetFormset(benchmark::State& state) {
    App();
    for (auto _ : state) OpenOnce(state);
}
BENCHMARK(BM_OpenStockSetFormset)->Unit(benchmark::kMillisecond);

// One open of a question: made, shown, painted once, closed.
template <class Dialog, class Model>
void OpenQuestion(benchmark::State& state, const Model& model) {
    App();
    for (auto _ : state) {
        auto dialog = std::make_unique<Dialog>(model, nullptr);
        CPaintWatch watch;
        dialog->installEventFilter(&watch);
        dialog->show();
        while (!watch.painted) QApplication::processEvents();
        state.PauseTiming();
        dialog.reset();
        QApplication::processEvents();
        state.ResumeTiming();
    }
}

void BM_OpenInnerSelFormset(benchmark::State& state) {
    OpenQuestion<CInnerSelFormset>(state, SInnerSelChoice{1, "MACD", true});
}
BENCHMARK(BM_OpenInnerSelFormset)->Unit(benchmark::kMillisecond);

void BM_OpenYScaleFormset(benchmark::State& state) {
    OpenQuestion<CYScaleFormset>(state, SYScaleRange{120.5f, 99.25f});
}
BENCHMARK(BM_OpenYScaleFormset)->Unit(benchmark::kMillisecond);

void BM_OpenPaneCountFormset(benchmark::State& state) {
    OpenQuestion<CPaneCountFormset>(state, SWholeNumberChoice::PaneCount(3));
}
BENCHMARK(BM_OpenPaneCountFormset)->Unit(benchmark::kMillisecond);

void BM_OpenNDaysFormset(benchmark::State& state) {
    OpenQuestion<CNDaysFormset>(state, SWholeNumberChoice::NDays(5, 401));
}
BENCHMARK(BM_OpenNDaysFormset)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
