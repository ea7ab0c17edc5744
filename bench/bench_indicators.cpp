// Every indicator builder through the whole protocol (pane lookup, clearing, naming, the
// formula, handing the curves or flags to the pane, the identifier list) over one million
// bars of a random walk. Items are bars, so the time per item reads as ns per bar.
#include "BenchBars.h"
#include "indicators/CStockPanes.h"
#include "indicators/IndicatorBuilder.h"
#include "indicators/IndicatorCatalog.h"
#include "quotes/CStock.h"
#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstdlib>
#include <fstream>
#include <random>
#include <string>

namespace {

constexpr std::size_t kBars = 1'000'000;

std::vector<SQuote> Walk() {
    return BenchRandomWalk(kBars);
}

// The series lives in a program folder of its own, so its settings go nowhere that matters.
CStock& Stock() {
    static CStock* stock = [] {
        static std::string home = "/tmp/zs-bench-indicators-XXXXXX";
        if (::mkdtemp(home.data())) {
            ::setenv("ZENTRISTOCK_HOME", home.c_str(), 1);
            std::ofstream(home + "/setup.ini") << "[STOCKLINE_SETUP]\nDisPeriod=400\n";
        }
        auto* s = new CStock;
        std::vector<SQuote> walk = Walk();
        s->RestoreSeries(walk, walk);
        s->RestoreWindow(0, static_cast<int>(walk.size()));
        return s;
    }();
    return *stock;
}

void Build(benchmark::State& state, const SIndicatorEntry* entry) {
    CStock& stock = Stock();
    const int pane = entry->place == EIndicatorPlace::Sub ? 1 : 0;
    const bool insert = entry->place == EIndicatorPlace::Flags;
    for (auto _ : state) {
        if (!BuildIndicator(stock, *entry, pane, insert, true)) {
            state.SkipWithError("the builder refused the entry");
            break;
        }
        // Flag systems add to the pane and its list; take them out again outside the timing,
        // or the full list refuses the next build.
        state.PauseTiming();
        CStockPanes::InstallIn(stock).PaneAt(pane).RemoveIndicatorElements();
        if (insert) stock.ViewPar(pane).identifiers.clear();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(int64_t(state.iterations()) * int64_t(kBars));
}

const bool kRegistered = [] {
    for (const SIndicatorEntry& entry : IndicatorTable())
        benchmark::RegisterBenchmark(("Build/" + std::string(entry.identifier)).c_str(), Build,
                                     &entry)
            ->Unit(benchmark::kMillisecond);
    return true;
}();

} // namespace
