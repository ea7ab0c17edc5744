// Turning a Nasdaq symbol directory of about 1 MB into a symbol list, and that list into a
// symbol database.
#include "download/CSymbolDatabase.h"
#include "download/CSymbolDirectory.h"
#include <benchmark/benchmark.h>
#include <string>

namespace {
// otherlisted.txt's form, CR LF as served: rows of made-up tickers, one in fifty a test issue.
std::string Directory() {
    std::string text = "ACT Symbol|Security Name|Exchange|CQS Symbol|ETF|Round Lot Size|"
                       "Test Issue|NASDAQ Symbol\r\n";
    for (int i = 0; text.size() < (1u << 20); ++i) {
        std::string ticker;
        for (int n = i; ticker.size() < 4; n /= 26) ticker += static_cast<char>('A' + n % 26);
        if (i % 7 == 0) ticker += ".A";
        text += ticker + "|" + ticker + " Holdings Corporation Common Stock|N|" + ticker +
                "|N|100|" + (i % 50 == 0 ? "Y" : "N") + "|" + ticker + "\r\n";
    }
    return text + "File Creation Time: 1210202612:00|||||||\r\n";
}

void BM_DirectoryToList(benchmark::State& state) {
    const std::string text = Directory();
    std::string list;
    for (auto _ : state) {
        if (!CSymbolDirectory::ToSymbolList(text, list)) state.SkipWithError("refused");
        benchmark::DoNotOptimize(list.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(text.size()));
}

void BM_DirectoryToDatabase(benchmark::State& state) {
    const std::string text = Directory();
    std::string bytes;
    for (auto _ : state) {
        if (!CSymbolDatabase::ConvertList(text, bytes)) state.SkipWithError("refused");
        benchmark::DoNotOptimize(bytes.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(text.size()));
}
} // namespace

BENCHMARK(BM_DirectoryToList);
BENCHMARK(BM_DirectoryToDatabase);
