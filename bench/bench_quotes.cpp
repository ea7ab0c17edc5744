// Loading and exporting a large quote file.
#include "ctlkit/base/CRecordingPrompter.h"
#include "quotes/CCsvQuoteReader.h"
#include "quotes/CCsvQuoteWriter.h"
#include "quotes/CStock.h"
#include "quotes/QuoteFileFormat.h"
#include <benchmark/benchmark.h>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

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
        isoFile = folder + "big-iso.csv";
        WriteBigFile();
    }
    ~SBenchHome() { std::filesystem::remove_all(folder); }

    // Newest first, one line per day going back from 2037 and starting over in 1951; the
    // same quotes with ISO dates in the second file.
    void WriteBigFile() {
        static const char* const kMonths[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
        std::string text = std::string(kCsvQuoteHeader) + "\n";
        std::string iso = text;
        int year = 2037, month = 12, day = 31;
        char line[128], date[40];
        for (int i = 0; i < kLines; ++i) {
            double close = 20 + (i % 9973) * 0.01;
            const char* rest = ",%.2f,%.2f,%.2f,%.2f,%d,%.2f\n";
            const int volume = static_cast<int>(1000000 + (int64_t{i} * 7919) % 9000000);
            std::snprintf(date, sizeof date, "%d-%s-%02d", day, kMonths[month - 1], year % 100);
            std::snprintf(line, sizeof line, rest, close - 0.3, close + 0.5, close - 0.6, close,
                          volume, close);
            text += date;
            text += line;
            std::snprintf(date, sizeof date, "%04d-%02d-%02d", year, month, day);
            iso += date;
            iso += line;
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
        std::ofstream(isoFile, std::ios::binary) << iso;
        isoBytes = iso.size();
    }

    std::string folder;
    std::string quoteFile, isoFile;
    size_t bytes = 0, isoBytes = 0;
};

// Every benchmark calls this before its timed loop: the first call writes the file, which
// inside the loop would make the first repetition several times slower than the others.
SBenchHome& Home() {
    static SBenchHome home;
    return home;
}

// What reading the same file cannot go below: the whole file read at once, then every field
// parsed with from_chars into the same seven values, with no checks beyond what from_chars
// does; the month found among twelve packed names and the day numbered without a calendar.
constexpr uint32_t Packed(const char* name) {
    return uint32_t(uint8_t(name[0])) << 16 | uint32_t(uint8_t(name[1])) << 8 | uint8_t(name[2]);
}
constexpr uint32_t kPackedMonths[12] = {Packed("Jan"), Packed("Feb"), Packed("Mar"), Packed("Apr"),
                                        Packed("May"), Packed("Jun"), Packed("Jul"), Packed("Aug"),
                                        Packed("Sep"), Packed("Oct"), Packed("Nov"), Packed("Dec")};

void BM_CsvParseFloor(benchmark::State& state) {
    const SBenchHome& home = Home();
    std::vector<char> text;
    std::vector<SQuote> quotes;
    for (auto _ : state) {
        FILE* file = std::fopen(home.quoteFile.c_str(), "rb");
        if (!file) {
            state.SkipWithError("open failed");
            break;
        }
        text.resize(home.bytes);
        size_t got = std::fread(text.data(), 1, text.size(), file);
        std::fclose(file);
        quotes.clear();
        quotes.reserve(kLines);
        const char* p = text.data();
        const char* end = p + got;
        p = static_cast<const char*>(std::memchr(p, '\n', static_cast<size_t>(end - p))) + 1;
        while (p < end) {
            SQuote q;
            int day = 0, year = 0;
            p = std::from_chars(p, end, day).ptr + 1;
            const uint32_t name = uint32_t(uint8_t(p[0])) << 16 | uint32_t(uint8_t(p[1])) << 8 |
                                  uint8_t(p[2]);
            int month = 0;
            while (month < 11 && kPackedMonths[month] != name) ++month;
            p = std::from_chars(p + 4, end, year).ptr + 1;
            q.date = static_cast<int32_t>((int64_t{year} * 372 + month * 31 + day) * 86400);
            for (float* field : {&q.open, &q.high, &q.low, &q.close, &q.volume})
                p = std::from_chars(p, end, *field).ptr + 1;
            p = std::from_chars(p, end, q.adjClose).ptr + 1;
            quotes.push_back(q);
        }
        benchmark::DoNotOptimize(quotes.data());
    }
    if (quotes.size() != kLines) state.SkipWithError("floor parse miscounted");
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * home.bytes));
}
BENCHMARK(BM_CsvParseFloor)->Unit(benchmark::kMillisecond);

// The reader alone on one of the benchmark's files: into the same quote records, every check.
void ReadMillionLines(benchmark::State& state, const std::string& path, size_t bytes) {
    std::vector<SQuote> quotes;
    for (auto _ : state) {
        quotes.clear();
        SQuoteReadStats stats;
        CCsvQuoteReader reader;
        auto result = reader.Read(path, kLines + 1, quotes, stats);
        if (result != CCsvQuoteReader::EResult::Read || quotes.size() != kLines)
            state.SkipWithError("read failed");
        benchmark::DoNotOptimize(quotes.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
}

void BM_ReadCsvMillionLines(benchmark::State& state) {
    ReadMillionLines(state, Home().quoteFile, Home().bytes);
}
BENCHMARK(BM_ReadCsvMillionLines)->Unit(benchmark::kMillisecond);

// The same with the ISO dates of files that other tools wrote.
void BM_ReadCsvMillionIsoLines(benchmark::State& state) {
    ReadMillionLines(state, Home().isoFile, Home().isoBytes);
}
BENCHMARK(BM_ReadCsvMillionIsoLines)->Unit(benchmark::kMillisecond);

// The whole load of a chart: header check, reader, series and display columns.
void BM_LoadCsvMillionLines(benchmark::State& state) {
    const SBenchHome& home = Home();
    CRecordingPrompter prompter;
    CScopedPrompter scoped(prompter);
    CStock stock;
    stock.SetMaximumQuotes(kLines, false);
    for (auto _ : state) {
        bool loaded = stock.LoadQuoteFile(home.quoteFile).ok();
        if (!loaded || stock.Base().size() != kLines) state.SkipWithError("load failed");
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * home.bytes));
}
BENCHMARK(BM_LoadCsvMillionLines)->Unit(benchmark::kMillisecond);

void BM_ExportCsvMillionQuotes(benchmark::State& state) {
    CRecordingPrompter prompter;
    CScopedPrompter scoped(prompter);
    CStock stock;
    stock.SetMaximumQuotes(kLines, false);
    const SBenchHome& home = Home();
    if (!stock.LoadQuoteFile(home.quoteFile)) state.SkipWithError("load failed");
    std::string out = home.folder + "export.csv";
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
