// The cost distribution over the shared random walk: the rebuild of the table, and the record
// of the bar under the cursor, asked at random bars (the worst case: no answer to continue
// from), with the table's bytes per bar as a counter.
#include "BenchBars.h"
#include "indicators/CCostDistribution.h"
#include <benchmark/benchmark.h>
#include <random>

namespace {

void BM_CostDistributionRebuild(benchmark::State& state) {
    const std::vector<SQuote> bars = BenchRandomWalk(static_cast<std::size_t>(state.range(0)));
    CCostDistribution table;
    for (auto _ : state) {
        table.Rebuild(bars);
        benchmark::DoNotOptimize(table.Size());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
    state.counters["bytes_per_bar"] = double(table.MemoryBytes()) / double(bars.size());
}

void BM_CostDistributionBarUnderCursor(benchmark::State& state) {
    const std::vector<SQuote> bars = BenchRandomWalk(static_cast<std::size_t>(state.range(0)));
    CCostDistribution table;
    table.Rebuild(bars);
    std::mt19937 rng(7);
    std::uniform_int_distribution<std::size_t> pick(0, bars.size() - 1);
    for (auto _ : state) benchmark::DoNotOptimize(table.At(pick(rng))[0]);
}

} // namespace

BENCHMARK(BM_CostDistributionRebuild)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CostDistributionBarUnderCursor)->Arg(1000000)->Unit(benchmark::kMicrosecond);
