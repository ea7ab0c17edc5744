// Loading and exporting a large quote file.
#include "ctlkit/base/CRecordingPrompter.h"
#include "quotes/CCsvQuoteWriter.h"
#include "quotes/CStock.h"
#include "quotes/QuoteFileFormat.h"
#include <benchmark/benchmark.h>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace {
constexpr int kLines = 1000000;

// A program folder with a settings file, so the series neither asks nor warns.
struct SBenchHome {
    SBenchHome() {
        std::string pattern = "/tmp/zs-bench-quotes-XXXXXX";
        folder = std::string(::mkdtemp(pattern.data())) + "/";
        ::setenv("ZENTRISTOCK_HOME", folder.c_str(), 1);
        std::ofstream(folder + "setup.ini") << "[STOCKLINE_SETUP]\nDisPeriod=400\n";
        quoteFile = folder + "big.csv";
        WriteBigFile();
    }
    ~SBenchHome() { std::filesystem::remove_all(folder); }

    // Newest first, one line per day going back from 2037 and starting over in 1951.
    void WriteBigFile() {
        static const char* const kMonths[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
        std::string text = std::string(kCsvQuoteHeader) + "\n";
        int year = 2037, month = 12, day = 31;
        char line[128];
        for (int i = 0; i < kLines; ++i) {
            double close = 20 + (i % 9973) * 0.01;
            std::snprintf(line, sizeof line, "%d-%s-%02d,%.2f,%.2f,%.2f,%.2f,%d,%.2f\n", day,
                          kMonths[month - 1], year % 100, close - 0.3, close + 0.5, close - 0.6,
                          close, static_cast<int>(1000000 + (int64_t{i} * 7919) % 9000000), close);
            text += line;
            if (--day == 0) {
                if (--month == 0) {
                    month = 12;
                    if (--year == 1950) year = 2037;
                }
                day = 28;
            }
        }
        std::ofstream(quoteFile, std::ios::binary) << text;
        bytes = text.size();
    }

    std::string folder;
    std::string quoteFile;
    size_t bytes = 0;
};

SBenchHome& Home() {
    static SBenchHome home;
    return home;
}

void BM_LoadCsvMillionLines(benchmark::State& state) {
    CRecordingPrompter prompter;
    CScopedPrompter scoped(prompter);
    CStock stock;
    stock.SetMaximumQuotes(kLines, false);
    for (auto _ : state) {
        bool loaded = stock.LoadQuoteFile(Home().quoteFile).ok();
        if (!loaded || stock.Base().size() != kLines) state.SkipWithError("load failed");
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * Home().bytes));
}
BENCHMARK(BM_LoadCsvMillionLines)->Unit(benchmark::kMillisecond);

void BM_ExportCsvMillionQuotes(benchmark::State& state) {
    CRecordingPrompter prompter;
    CScopedPrompter scoped(prompter);
    CStock stock;
    stock.SetMaximumQuotes(kLines, false);
    if (!stock.LoadQuoteFile(Home().quoteFile)) state.SkipWithError("load failed");
    std::string out = Home().folder + "export.csv";
    for (auto _ : state) {
        if (!stock.ExportCsv(out)) state.SkipWithError("export failed");
    }
    state.SetBytesProcessed(
        static_cast<int64_t>(state.iterations() * std::filesystem::file_size(out)));
}
BENCHMARK(BM_ExportCsvMillionQuotes)->Unit(benchmark::kMillisecond);

// The formatting alone, without the disk.
void BM_FormatCsvMillionQuotes(benchmark::State& state) {
    CRecordingPrompter prompter;
    CScopedPrompter scoped(prompter);
    CStock stock;
    stock.SetMaximumQuotes(kLines, false);
    if (!stock.LoadQuoteFile(Home().quoteFile)) state.SkipWithError("load failed");
    size_t bytes = 0;
    for (auto _ : state) {
        std::string text = CCsvQuoteWriter::Format(stock.Display());
        bytes = text.size();
        benchmark::DoNotOptimize(text.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
}
BENCHMARK(BM_FormatCsvMillionQuotes)->Unit(benchmark::kMillisecond);
} // namespace
