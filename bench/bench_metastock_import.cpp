// Import of a MetaStock ASCII file of 1,000,000 lines (100 tickers of 10,000 days each): in
// memory (reading, checking, formatting and merging), and from disk into quote files on disk,
// into an empty market folder and again into the files the first import wrote (every day
// already held). Wall-clock time: the disk cases include the flush of every quote file.
#include "quotefetch/MetaStockImporter.h"
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>

namespace {
class CBenchFolder {
public:
    CBenchFolder() {
        std::string pattern = "/tmp/zs-bench-import-XXXXXX";
        if (!::mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
        m_path = pattern + "/";
    }
    ~CBenchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    const std::string& Path() const { return m_path; }

private:
    std::string m_path;
};

constexpr int kTickers = 100;
constexpr int kDaysPerTicker = 10000;

// Writes the file and gives its size in bytes.
size_t WriteMetaStockFile(const std::string& path) {
    std::string text = "<TICKER>,<PER>,<DTYYYYMMDD>,<TIME>,<OPEN>,<HIGH>,<LOW>,<CLOSE>,<VOL>,"
                       "<OPENINT>\n";
    char line[160];
    for (int t = 0; t < kTickers; ++t) {
        int year = 1970, month = 1, day = 1;
        for (int d = 0; d < kDaysPerTicker; ++d) {
            double close = 20.0 + (d % 500) * 0.05 + t;
            std::snprintf(line, sizeof line,
                          "TCK%03d,D,%04d%02d%02d,000000,%.2f,%.2f,%.2f,%.2f,%d,0\n", t, year,
                          month, day, close - 0.1, close + 0.4, close - 0.5, close, 100000 + d * 7);
            text += line;
            if (++day > 28) { // every month of 28 days keeps the dates real
                day = 1;
                if (++month > 12) {
                    month = 1;
                    ++year;
                }
            }
        }
    }
    std::ofstream(path, std::ios::binary) << text;
    return text.size();
}

void ImportInMemory(benchmark::State& state) {
    CBenchFolder folder;
    const std::string file = folder.Path() + "eod.txt";
    const size_t bytes = WriteMetaStockFile(file);
    CMemoryQuoteFileStore store;
    store.files[file] = [&] {
        std::ifstream in(file, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }();
    SImportOptions options;
    options.dataFolder = "/data/";
    options.market = "NYSE";
    CRecordingImportLog log;
    for (auto _ : state) {
        state.PauseTiming();
        for (auto it = store.files.begin(); it != store.files.end();)
            it = it->first == file ? std::next(it) : store.files.erase(it);
        state.ResumeTiming();
        MetaStockImporter importer(store, log);
        if (!importer.ImportFiles({file}, options) ||
            importer.Reports().at(0).result != EImportFileResult::Imported)
            state.SkipWithError("the import failed");
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
}

void Import(benchmark::State& state, bool intoExisting) {
    CBenchFolder folder;
    const std::string file = folder.Path() + "eod.txt";
    const size_t bytes = WriteMetaStockFile(file);
    CDiskQuoteFileStore store;
    SImportOptions options;
    options.dataFolder = folder.Path() + "Data/";
    options.market = "NYSE";
    CRecordingImportLog log;
    if (intoExisting) MetaStockImporter(store, log).ImportFiles({file}, options);
    for (auto _ : state) {
        if (!intoExisting) {
            state.PauseTiming();
            std::filesystem::remove_all(options.dataFolder);
            state.ResumeTiming();
        }
        log.lines.clear();
        MetaStockImporter importer(store, log);
        if (!importer.ImportFiles({file}, options) ||
            importer.Reports().at(0).result != EImportFileResult::Imported)
            state.SkipWithError("the import failed");
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
    state.counters["lines"] = kTickers * kDaysPerTicker;
}
} // namespace

static void BM_ImportInMemory(benchmark::State& state) {
    ImportInMemory(state);
}
static void BM_ImportIntoEmptyFolder(benchmark::State& state) {
    Import(state, false);
}
static void BM_ImportIntoExistingFiles(benchmark::State& state) {
    Import(state, true);
}
// CPU time: the work of the import itself, whatever else runs on the machine.
BENCHMARK(BM_ImportInMemory)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_ImportIntoEmptyFolder)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();
BENCHMARK(BM_ImportIntoExistingFiles)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();
BENCHMARK_MAIN();
