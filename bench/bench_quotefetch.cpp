// The downloader's batch run over 500 symbols, each one day behind, against the local test
// server: the time of the whole run and the bytes the server sent per symbol.
#include "CTestServer.h"
#include "quotefetch/FetchBatch.h"
#include "quotefetch/SSelectedStock.h"
#include "quotes/QuoteLineDate.h"
#include <benchmark/benchmark.h>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

namespace {
constexpr int kSymbols = 500;
const std::string kHeader = "Date,Open,High,Low,Close,Volume,Adj. Close*";

// Newest first: `count` calendar days ending `daysBack` days before today.
std::string History(int daysBack, int count) {
    static const char* const months[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                         "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    const time_t now = std::time(nullptr);
    std::tm today{};
    localtime_r(&now, &today);
    const int64_t midnight =
        LocalMidnightSeconds(today.tm_year + 1900, today.tm_mon + 1, today.tm_mday);
    std::string text = kHeader + "\n";
    for (int back = daysBack; back < daysBack + count; ++back) {
        time_t t = static_cast<time_t>(midnight) - static_cast<time_t>(back) * 86400 + 43200;
        std::tm tm{};
        localtime_r(&t, &tm);
        char line[96];
        std::snprintf(line, sizeof line, "%d-%s-%02d,%d.25,%d.50,%d.00,%d.75,%d,%d.75\n",
                      tm.tm_mday, months[tm.tm_mon], tm.tm_year % 100, 10 + back % 7, 11 + back % 7,
                      9 + back % 7, 10 + back % 7, 100000 + back, 10 + back % 7);
        text += line;
    }
    return text;
}

bool WriteFile(const std::string& path, const std::string& text) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    const bool ok = std::fwrite(text.data(), 1, text.size(), f) == text.size();
    return std::fclose(f) == 0 && ok;
}

std::string Ticker(int i) {
    return "S" + std::to_string(1000 + i);
}
} // namespace

static void BM_BatchOf500SymbolsOneDayBehind(benchmark::State& state) {
    const std::string home = MakeTempFolder("bench-quotefetch");
    CTestServer http(home + "/server");
    if (!http.Started()) {
        state.SkipWithError("the test server did not start");
        return;
    }
    const std::string service = History(0, 300);
    const std::string local = History(1, 299);
    std::vector<SSelectedStock> stocks;
    for (int i = 0; i < kSymbols; ++i) {
        http.PutQuotes(Ticker(i), service);
        stocks.push_back({"NYSE", Ticker(i)});
    }
    std::filesystem::create_directories(home + "/Data/NYSE");
    std::filesystem::create_directories(home + "/System");
    if (!WriteSelectionFile(home + "/System/downloader.dat", stocks)) {
        state.SkipWithError("cannot write the selection");
        return;
    }
    std::FILE* quiet = std::fopen("/dev/null", "w");
    const std::vector<std::string> words = {"--batch", "--home", home, "--server", http.BaseUrl()};
    long sent = 0, runs = 0;
    int status = 0;
    for (auto _ : state) {
        state.PauseTiming();
        for (int i = 0; i < kSymbols; ++i)
            WriteFile(home + "/Data/NYSE/" + Ticker(i) + ".csv", local);
        http.Reset();
        state.ResumeTiming();
        status = RunFetchBatch(words, quiet, quiet);
        state.PauseTiming();
        sent += http.BytesSent();
        ++runs;
        state.ResumeTiming();
    }
    std::fclose(quiet);
    if (status != 0) state.SkipWithError("the batch run did not finish cleanly");
    state.counters["bytes_per_symbol"] = static_cast<double>(sent) / runs / kSymbols;
    state.counters["symbols"] = kSymbols;
    std::filesystem::remove_all(home);
}
BENCHMARK(BM_BatchOf500SymbolsOneDayBehind)->Unit(benchmark::kSecond)->Iterations(3)->UseRealTime();
