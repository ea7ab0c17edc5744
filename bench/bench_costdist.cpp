// Rebuild of the cost distribution table over 100,000 bars of the shared random walk: one
// 202-float record per bar, each resampled from the one before.
#include "BenchBars.h"
#include "indicators/CCostDistribution.h"
#include <benchmark/benchmark.h>

namespace {

void BM_CostDistributionRebuild(benchmark::State& state) {
    const std::vector<SQuote> bars = BenchRandomWalk(static_cast<std::size_t>(state.range(0)));
    CCostDistribution table;
    for (auto _ : state) {
        table.Rebuild(bars);
        benchmark::DoNotOptimize(table.At(table.Size() - 1)[0]);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

} // namespace

BENCHMARK(BM_CostDistributionRebuild)->Arg(100000)->Unit(benchmark::kMillisecond);
