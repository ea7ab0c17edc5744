// Opening the properties dialog of each drawing tool, and the text dialog of a placed text:
// construction from the element's record, show, layout and the first paint, on Qt's offscreen
// platform, and gathering the chart's dates that the dialogs show. The first open of a process
// (styles, fonts, the pickers' first pictures) is measured on its own, then opens once everything
// is warm.
#include "BenchBars.h"
#include "DialogOpening.h"
#include "formset/element/ElementRecord.h"
#include "formset/qt/element/CElementFormset.h"
#include "formset/qt/element/ElementProperties.h"
#include "quotes/CStock.h"
#include "tools/CText.h"
#include "tools/ElementFactory.h"
#include <benchmark/benchmark.h>
#include <cstdlib>
#include <memory>

namespace {

using dialog_opening::OpenMade;

// The chart a dialog is opened over: a year of bars and two curves.
std::shared_ptr<const SElementContext> Chart() {
    static const auto context = [] {
        auto chart = std::make_shared<SElementContext>();
        chart->curveNames = {"MA(5)", "RSI(14)"};
        for (int bar = 0; bar < 5000; ++bar)
            chart->barDates.push_back(std::to_string(bar % 28 + 1) + "-Jan-" + std::to_string(bar));
        return chart;
    }();
    return context;
}

std::string RecordOf(int code) {
    std::unique_ptr<CSymbol> element = CreateToolElement(code);
    element->SetAnchor(4500.0f, 101.25f, 1);
    element->SetPoint2(4800.0f, 98.5f);
    return ElementRecord::Of(*element);
}

void Open(benchmark::State& state, const std::string& record, CElementFormset::EMode mode) {
    OpenMade(state, [&] {
        return std::make_unique<CElementFormset>(SElementRecord{record, Chart()}, nullptr, mode);
    });
}

void BM_OpenElementFormsetFirst(benchmark::State& state) {
    Open(state, RecordOf(10), CElementFormset::EMode::Properties);
}
BENCHMARK(BM_OpenElementFormsetFirst)->Iterations(1)->Unit(benchmark::kMillisecond);

// Argument: the tool's type code.
void BM_OpenElementFormset(benchmark::State& state) {
    Open(state, RecordOf(static_cast<int>(state.range(0))), CElementFormset::EMode::Properties);
}
BENCHMARK(BM_OpenElementFormset)
    ->ArgName("type")
    ->DenseRange(1, 3)
    ->Arg(6)
    ->DenseRange(7, 13)
    ->DenseRange(15, 17)
    ->Arg(19)
    ->Arg(20)
    ->Arg(24)
    ->DenseRange(27, 30)
    ->Unit(benchmark::kMillisecond);

void BM_OpenPlacedTextFormset(benchmark::State& state) {
    Open(state, ElementRecord::Of(CText()), CElementFormset::EMode::PlacedText);
}
BENCHMARK(BM_OpenPlacedTextFormset)->Unit(benchmark::kMillisecond);

// What the chart window gathers before a dialog opens: the dates of every bar in the program's
// date format and the pane's curve names. Argument: the number of bars.
void BM_ElementContextOf(benchmark::State& state) {
    const std::vector<SQuote> bars = BenchRandomWalk(static_cast<std::size_t>(state.range(0)));
    CStock stock(0);
    stock.RestoreSeries(bars, bars);
    for (auto _ : state) benchmark::DoNotOptimize(ElementContextOf(stock, 0));
}
BENCHMARK(BM_ElementContextOf)->Arg(1000)->Arg(5000)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
