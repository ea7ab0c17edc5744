// Every indicator and signal system over one million bars of a random walk; items are bars,
// so the rate reads as bars per second (and the time per item as ns per bar).
#include "BenchBars.h"
#include "FormulaTable.h"
#include <algorithm>
#include <benchmark/benchmark.h>
#include <random>

namespace {

const CBarColumns& Walk() {
    static const CBarColumns bars(BenchRandomWalk());
    return bars;
}

template <class Formula> void Run(benchmark::State& state, Formula formula) {
    const CBarColumns& q = Walk();
    for (auto _ : state) {
        auto result = formula(q);
        benchmark::DoNotOptimize(result);
    }
    state.SetItemsProcessed(int64_t(state.iterations()) * int64_t(q.size()));
}

template <class Formula> void Register(const char* name, Formula formula) {
    benchmark::RegisterBenchmark(name, [formula](benchmark::State& s) {
        Run(s, formula);
    })->Unit(benchmark::kMillisecond);
}

const bool kRegistered = [] {
    ForEachFormula([](const char* name, auto formula) { Register(name, formula); });
    return true;
}();

} // namespace
