// Save and load of a chart file in memory: 100,000 bars in both series and ten panes of three
// curves each, one value per bar. The curves carry no identifier lists, so loading measures
// the reader itself and no indicator is recomputed.
#include "chart/CChartFile.h"
#include "ctlkit/base/CPrompter.h"
#include "ctlkit/base/CRecordingPrompter.h"
#include "indicators/CStockPanes.h"
#include "indicators/CTCurve.h"
#include "indicators/IndicatorBuilder.h"
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

// The largest chart file the program may be handed (16 MB): half of it base series and half
// display series, ten panes whose lists cycle through every indicator and flag system. With
// `fullLists` each list holds 64 entries (refused: far more work than a chart may ask for),
// else the lists hold together as many entries as a chart of that many bars may: the
// heaviest chart that opens.
constexpr size_t kLargestFile = 16u << 20;
const char* const kEveryIndicator[] = {
    "SMA",  "WMA", "EMA",    "BOL",     "MAE",     "SAR",     "KC",      "STC",     "MACD", "VOL",
    "VOLP", "ADX", "ATR",    "CCI",     "MTM",     "ROC",     "MFI",     "OBV",     "RSI",  "VOLA",
    "VAO",  "WR",  "FLAGMA", "FLAGWMA", "FLAGEMA", "FLAGSAR", "FLAGKDJ", "FLAGMACD"};

std::string LargestChart(bool fullLists, const char* only = nullptr) {
    PrepareHome();
    CStock stock;
    stock.SetPaneCount(kPanes);
    for (int pane = 0; pane < kPanes; ++pane) {
        std::vector<std::string>& list = stock.ViewPar(pane).identifiers;
        for (int i = 0; i < CViewPar::kMaxIdentifiers; ++i)
            list.push_back(only ? only
                                : kEveryIndicator[(pane * CViewPar::kMaxIdentifiers + i) %
                                                  std::size(kEveryIndicator)]);
    }
    const std::string empty = CChartFile::Write(stock);
    const size_t bars = (kLargestFile - empty.size()) / (2 * CChartFile::kStoredQuoteSize);
    if (!fullLists) {
        const int entries = MaxIndicatorEntries(bars);
        for (int pane = 0; pane < kPanes; ++pane)
            stock.ViewPar(pane).identifiers.resize(
                static_cast<size_t>(entries / kPanes + (pane < entries % kPanes ? 1 : 0)));
    }
    std::vector<SQuote> quotes(bars);
    for (size_t i = 0; i < bars; ++i) {
        // A walk up and down, so that the flag systems find their crossings.
        const float wave = static_cast<float>((i * 7919) % 211) * 0.05f;
        quotes[i].date = static_cast<int32_t>(3600 * i);
        quotes[i].close = 20.0f + wave;
        quotes[i].open = quotes[i].close - 0.3f + static_cast<float>(i % 5) * 0.15f;
        quotes[i].high = quotes[i].close + 1;
        quotes[i].low = quotes[i].close - 1;
        quotes[i].volume = 1000.0f + static_cast<float>(i % 17);
    }
    stock.RestoreSeries(quotes, quotes);
    stock.RestoreWindow(static_cast<int>(bars) - 250, static_cast<int>(bars));
    stock.SetExportOnClose(false);
    return CChartFile::Write(stock);
}

// Opens (arg 0; arg 2: every entry the costliest indicator) or refuses (arg 1) the largest
// chart.
void BM_OpenLargestChart(benchmark::State& state) {
    CRecordingPrompter prompter;
    CScopedPrompter scoped(prompter);
    const bool fullLists = state.range(0) == 1;
    const std::string bytes = LargestChart(fullLists, state.range(0) == 2 ? "CCI" : nullptr);
    for (auto _ : state) {
        std::unique_ptr<CStock> stock;
        const CFileResult read = CChartFile::Read(bytes, stock);
        if (static_cast<bool>(read) == fullLists)
            state.SkipWithError(fullLists ? "the full lists were taken" : read.message().c_str());
        if (stock) stock->SetExportOnClose(false);
        benchmark::DoNotOptimize(stock.get());
    }
    state.counters["MB"] = static_cast<double>(bytes.size()) / (1 << 20);
    state.SetLabel(fullLists ? "refused: 640 entries"
                             : "opens: " +
                                   std::to_string(MaxIndicatorEntries(
                                       (bytes.size()) / (2 * CChartFile::kStoredQuoteSize))) +
                                   " entries");
}
BENCHMARK(BM_OpenLargestChart)
    ->Arg(0)
    ->Arg(1)
    ->Arg(2)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

// One build of each indicator over the display series of the largest chart: what one entry
// of a full list costs.
void BM_BuildOnTheLargestSeries(benchmark::State& state) {
    CRecordingPrompter prompter;
    CScopedPrompter scoped(prompter);
    std::unique_ptr<CStock> stock;
    if (!CChartFile::Read(LargestChart(false), stock, false)) std::abort();
    stock->SetExportOnClose(false);
    const char* identifier = kEveryIndicator[state.range(0)];
    for (auto _ : state) {
        stock->ViewPar(1).identifiers = {identifier};
        CStockPanes::Of(*stock)->ReplayPane(*stock, 1);
    }
    state.SetLabel(identifier);
}
BENCHMARK(BM_BuildOnTheLargestSeries)
    ->DenseRange(0, static_cast<int>(std::size(kEveryIndicator)) - 1)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(2);

// 16 MB whose first view record asks for as many builds as the bytes can hold: refused at
// the count, before a string is read.
void BM_RefuseLargestIdentifierList(benchmark::State& state) {
    CRecordingPrompter prompter;
    CScopedPrompter scoped(prompter);
    std::string bytes = CChartFile::Write(*[] {
        PrepareHome();
        auto stock = std::make_unique<CStock>();
        stock->ViewPar(0).identifiers.assign(4000000, "SMA");
        return stock;
    }());
    bytes.resize(kLargestFile, '\0');
    for (auto _ : state) {
        std::unique_ptr<CStock> stock;
        const CFileResult read = CChartFile::Read(bytes, stock);
        if (read) state.SkipWithError("the list was taken");
        benchmark::DoNotOptimize(stock.get());
    }
    state.counters["MB"] = static_cast<double>(bytes.size()) / (1 << 20);
}
BENCHMARK(BM_RefuseLargestIdentifierList)->Unit(benchmark::kMillisecond);
} // namespace
