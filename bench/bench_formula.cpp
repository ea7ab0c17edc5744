// A user formula against the same composition written in C++ (the built-in indicator), over
// one million bars of the shared random walk. The formula is parsed once, outside the timing;
// items are bars, so the time per item reads as ns per bar.
#include "BenchBars.h"
#include "formula/CFormula.h"
#include "series/Oscillators.h"
#include "series/TradeSignals.h"
#include <benchmark/benchmark.h>
#include <cstdlib>

namespace {

const CBarColumns& Bars() {
    static const CBarColumns bars(BenchRandomWalk());
    return bars;
}

CFormula Parsed(const char* text) {
    SFormulaError error;
    auto formula = CFormula::Parse(text, error);
    if (!formula) std::abort();
    return std::move(*formula);
}

const char kMacd[] = "DIF: EMA(C,12)-EMA(C,26); DEA: EMA(DIF,9); MACD: DIF-DEA;";
const char kStochastic[] = "LL := LLV(L,9); RSV := (C-LL)/(HHV(H,9)-LL)*100;"
                           "K: SMA(RSV,3,1); D: SMA(K,3,1);";
const char kRsi[] = "LC := REF(C,1); UP := IF(C>=LC, C-LC, 0); DN := IF(C<LC, LC-C, 0);"
                    "SU9 := SMA(UP,9,1); RSI9: SU9/(SU9+SMA(DN,9,1))*100;"
                    "SU11 := SMA(UP,11,1); RSI11: SU11/(SU11+SMA(DN,11,1))*100;"
                    "SU25 := SMA(UP,25,1); RSI25: SU25/(SU25+SMA(DN,25,1))*100;";

void Formula(benchmark::State& state, const char* text) {
    const CFormula formula = Parsed(text);
    for (auto _ : state) benchmark::DoNotOptimize(formula.Evaluate(Bars()));
    state.SetItemsProcessed(int64_t(state.iterations()) * int64_t(Bars().size()));
}

template <SIndicatorCurves (*F)(const CBarColumns&)> void Composition(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(F(Bars()));
    state.SetItemsProcessed(int64_t(state.iterations()) * int64_t(Bars().size()));
}

void Parse(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(Parsed(kRsi));
}

} // namespace

BENCHMARK_CAPTURE(Formula, MACD, kMacd)->Unit(benchmark::kMillisecond);
BENCHMARK(Composition<IndicatorFormulas::MACD>)->Name("Cpp/MACD")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Formula, STC, kStochastic)->Unit(benchmark::kMillisecond);
BENCHMARK(Composition<IndicatorFormulas::STC>)->Name("Cpp/STC")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Formula, RSI, kRsi)->Unit(benchmark::kMillisecond);
BENCHMARK(Composition<IndicatorFormulas::RSI>)->Name("Cpp/RSI")->Unit(benchmark::kMillisecond);
BENCHMARK(Parse)->Unit(benchmark::kMicrosecond);
