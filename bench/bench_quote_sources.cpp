#include "TestQuotes.h"
#include "download/CAlphaVantageSource.h"
#include "download/CStooqSource.h"
#include "download/CYahooSource.h"
#include <benchmark/benchmark.h>

namespace {
// About 1 MB of answer in the source's own form.
std::string Answer(const std::string& source) {
    const std::vector<std::string> days = WeekdayLines(2049, 12, 31, 20000);
    if (source == "yahoo") return QuoteText(days);
    if (source == "stooq") return IsoAnswer(days, true, "Date,Open,High,Low,Close,Volume", "\r\n");
    return IsoAnswer(days, false, "timestamp,open,high,low,close,volume", "\r\n");
}

void Convert(benchmark::State& state, const CQuoteSource& source) {
    const std::string body = Answer(std::string(source.Name()));
    for (auto _ : state) {
        SQuoteConversion converted = source.ToQuoteLines(body);
        if (!converted.ok) state.SkipWithError(converted.message.c_str());
        benchmark::DoNotOptimize(converted.text.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(body.size()));
}

void BM_ConvertYahoo(benchmark::State& state) {
    Convert(state, CYahooSource(""));
}
void BM_ConvertStooq(benchmark::State& state) {
    Convert(state, CStooqSource("", "", ""));
}
void BM_ConvertAlphaVantage(benchmark::State& state) {
    Convert(state, CAlphaVantageSource("", "", ""));
}
} // namespace

BENCHMARK(BM_ConvertYahoo);
BENCHMARK(BM_ConvertStooq);
BENCHMARK(BM_ConvertAlphaVantage);
