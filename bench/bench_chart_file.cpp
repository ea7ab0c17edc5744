// Save and load of a chart file in memory: 100,000 bars in both series and ten panes of three
// curves each, one value per bar. The curves carry no identifier lists, so loading measures
// the reader itself and no indicator is recomputed.
#include "chart/CChartFile.h"
#include "ctlkit/base/CPrompter.h"
#include "ctlkit/base/CRecordingPrompter.h"
#include "indicators/CStockPanes.h"
#include "indicators/CTCurve.h"
#include <benchmark/benchmark.h>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <unistd.h>

namespace {
constexpr int kBars = 100000;
constexpr int kPanes = 10;
constexpr int kCurvesPerPane = 3;

void PrepareHome() {
    static const bool prepared = [] {
        std::string tmpl = "/tmp/bench_chart.XXXXXX";
        if (!::mkdtemp(tmpl.data())) std::abort();
        std::ofstream(tmpl + "/setup.ini") << "[STOCKLINE_SETUP]\nDisPeriod=400\n";
        ::setenv("ZENTRISTOCK_HOME", (tmpl + "/").c_str(), 1);
        return true;
    }();
    (void)prepared;
}

std::unique_ptr<CStock> BigChart() {
    PrepareHome();
    auto stock = std::make_unique<CStock>();
    std::vector<SQuote> bars(kBars);
    for (int i = 0; i < kBars; ++i) {
        // Hourly: 100,000 days would pass the end of the 32-bit date (and overflow int).
        bars[i].date = 3600 * i;
        bars[i].close = 10.0f + static_cast<float>(i % 97) * 0.125f;
        bars[i].open = bars[i].close - 0.25f;
        bars[i].high = bars[i].close + 1;
        bars[i].low = bars[i].close - 1;
        bars[i].volume = 1000.0f + static_cast<float>(i % 13);
    }
    stock->RestoreSeries(bars, bars);
    stock->RestoreWindow(kBars - 250, kBars);
    stock->SetPaneCount(kPanes);
    CStockPanes& panes = CStockPanes::InstallIn(*stock);
    for (int number = 0; number < kPanes; ++number) {
        CTCurve& pane = panes.PaneAt(number);
        for (int c = 0; c < kCurvesPerPane; ++c) {
            auto curve = std::make_unique<CCurve>();
            curve->values.resize(kBars);
            for (int i = 0; i < kBars; ++i) curve->values[i] = static_cast<float>(i * (c + 1));
            pane.AddCurve(std::move(curve));
        }
    }
    return stock;
}

void BM_SaveChart(benchmark::State& state) {
    auto stock = BigChart();
    size_t bytes = 0;
    for (auto _ : state) {
        const std::string written = CChartFile::Write(*stock);
        bytes = written.size();
        benchmark::DoNotOptimize(written.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
}
BENCHMARK(BM_SaveChart)->Unit(benchmark::kMillisecond);

void BM_LoadChart(benchmark::State& state) {
    CRecordingPrompter prompter;
    CScopedPrompter scoped(prompter);
    const std::string bytes = CChartFile::Write(*BigChart());
    for (auto _ : state) {
        std::unique_ptr<CStock> stock;
        const CFileResult read = CChartFile::Read(bytes, stock);
        if (!read) state.SkipWithError(read.message().c_str());
        benchmark::DoNotOptimize(stock.get());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_LoadChart)->Unit(benchmark::kMillisecond);
} // namespace
