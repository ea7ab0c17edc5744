// Every indicator and signal system over one million bars of a random walk; items are bars,
// so the rate reads as bars per second (and the time per item as ns per bar).
#include "series/Oscillators.h"
#include "series/Overlays.h"
#include "series/TradeSignals.h"
#include <algorithm>
#include <benchmark/benchmark.h>
#include <random>

namespace {

constexpr std::size_t kBars = 1'000'000;

const std::vector<SQuote>& Walk() {
    static const std::vector<SQuote> quotes = [] {
        std::mt19937 rng(20240601);
        std::uniform_int_distribution<int> step(-150, 150), spread(0, 200), volume(0, 50000);
        std::vector<SQuote> q;
        q.reserve(kBars);
        int close = 5000;
        for (std::size_t i = 0; i < kBars; ++i) {
            const int open = close;
            close = std::max(100, close + step(rng));
            const int high = std::max(open, close) + spread(rng) / 2;
            const int low = std::max(1, std::min(open, close) - spread(rng) / 2);
            q.push_back(SQuote{int32_t(i), open / 100.0f, high / 100.0f, low / 100.0f,
                               close / 100.0f, close / 100.0f, float(volume(rng))});
        }
        return q;
    }();
    return quotes;
}

template <class Formula> void Run(benchmark::State& state, Formula formula) {
    const std::vector<SQuote>& q = Walk();
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
    using namespace IndicatorFormulas;
    Register("SMA", SMA);
    Register("WMA", WMA);
    Register("EMA", EMA);
    Register("BOL", BOL);
    Register("MAE", MAE);
    Register("SAR", SAR);
    Register("KC", KC);
    Register("52WK H and L",
             [](const std::vector<SQuote>& q) { return FiftyTwoWeekHighLow(q, 0, 1); });
    Register("STC", STC);
    Register("MACD", MACD);
    Register("VOL", VOL);
    Register("VOLP", VOLP);
    Register("ADX", ADX);
    Register("ATR", ATR);
    Register("CCI", CCI);
    Register("MTM", MTM);
    Register("ROC", ROC);
    Register("MFI", MFI);
    Register("OBV", OBV);
    Register("RSI", RSI);
    Register("VOLA", VOLA);
    Register("VAO", VAO);
    Register("WR", WR);
    Register("FLAGMA", FLAGMA);
    Register("FLAGWMA", FLAGWMA);
    Register("FLAGEMA", FLAGEMA);
    Register("FLAGSAR", FLAGSAR);
    Register("FLAGKDJ", FLAGKDJ);
    Register("FLAGMACD", FLAGMACD);
    return true;
}();

} // namespace
