// Every indicator formula and signal system over a bar file shared with a peer measurement
// (bench/peer/talib_compare.mjs), so that both sides read exactly the same bars.
//
//   bench_peer_compare --write-bars=FILE    writes the bar file and exits
//   ZS_PEER_BARS=FILE bench_peer_compare    times every formula over FILE (ms per call)
//
// The bars are the random walk of bench_series and bench_indicators (same generator, seed
// and size), so the builder figures of bench_indicators apply to the same data.
//
// Bar file (little-endian): 8 bytes "ZSBARS1\0", uint32 bar count n, uint32 0, then five
// arrays of n 32-bit floats: open, high, low, close, volume (index 0 = oldest bar).
#include "BenchBars.h"
#include "FormulaTable.h"
#include "series/Oscillators.h"
#include "series/Overlays.h"
#include "series/TradeSignals.h"
#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr std::size_t kBars = 1'000'000;
constexpr char kMagic[8] = {'Z', 'S', 'B', 'A', 'R', 'S', '1', '\0'};
constexpr const char* kFileVariable = "ZS_PEER_BARS";

std::vector<SQuote> RandomWalk() {
    return BenchRandomWalk(kBars);
}

bool WriteBars(const std::string& path, const std::vector<SQuote>& q) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    const uint32_t header[2] = {uint32_t(q.size()), 0};
    out.write(kMagic, sizeof kMagic);
    out.write(reinterpret_cast<const char*>(header), sizeof header);
    for (float SQuote::*field :
         {&SQuote::open, &SQuote::high, &SQuote::low, &SQuote::close, &SQuote::volume}) {
        std::vector<float> column;
        column.reserve(q.size());
        for (const SQuote& bar : q) column.push_back(bar.*field);
        out.write(reinterpret_cast<const char*>(column.data()),
                  std::streamsize(column.size() * sizeof(float)));
    }
    return bool(out.flush());
}

// The bars of the file, or an empty array with `error` set when it cannot be read whole.
std::vector<SQuote> ReadBars(const std::string& path, std::string& error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = "cannot open " + path;
        return {};
    }
    char magic[8];
    uint32_t header[2];
    in.read(magic, sizeof magic);
    in.read(reinterpret_cast<char*>(header), sizeof header);
    if (!in || std::memcmp(magic, kMagic, sizeof magic) != 0) {
        error = path + " is not a bar file";
        return {};
    }
    const std::size_t n = header[0];
    in.seekg(0, std::ios::end);
    const auto size = std::size_t(in.tellg());
    if (size != sizeof magic + sizeof header + 5 * n * sizeof(float)) {
        error = path + " has the wrong size for " + std::to_string(n) + " bars";
        return {};
    }
    in.seekg(std::streamoff(sizeof magic + sizeof header));
    std::vector<SQuote> q(n);
    for (float SQuote::*field :
         {&SQuote::open, &SQuote::high, &SQuote::low, &SQuote::close, &SQuote::volume}) {
        std::vector<float> column(n);
        in.read(reinterpret_cast<char*>(column.data()), std::streamsize(n * sizeof(float)));
        for (std::size_t i = 0; i < n; ++i) q[i].*field = column[i];
    }
    if (!in) {
        error = "short read of " + path;
        return {};
    }
    for (std::size_t i = 0; i < n; ++i) {
        q[i].date = int32_t(i);
        q[i].adjClose = q[i].close;
    }
    return q;
}

const CBarColumns* g_bars = nullptr;
std::string g_skipReason;

template <class Formula> void Run(benchmark::State& state, Formula formula) {
    if (!g_bars) {
        state.SkipWithError(g_skipReason.c_str());
        return;
    }
    const CBarColumns& q = *g_bars;
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

void RegisterAll() {
    ForEachFormula([](const char* name, auto formula) { Register(name, formula); });
}

} // namespace

int main(int argc, char** argv) {
    const std::string writeOption = "--write-bars=";
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg.rfind(writeOption, 0) == 0) {
            const std::string path = arg.substr(writeOption.size());
            if (!WriteBars(path, RandomWalk())) {
                std::fprintf(stderr, "bench_peer_compare: cannot write %s\n", path.c_str());
                return 1;
            }
            std::printf("wrote %zu bars to %s\n", kBars, path.c_str());
            return 0;
        }
    }

    static CBarColumns bars;
    if (const char* path = std::getenv(kFileVariable); path && *path) {
        bars = CBarColumns(ReadBars(path, g_skipReason));
        if (g_skipReason.empty()) g_bars = &bars;
    } else {
        g_skipReason = std::string(kFileVariable) + " names no bar file; write one with " +
                       "--write-bars=FILE and set " + kFileVariable + "=FILE";
    }
    if (!g_bars) std::fprintf(stderr, "bench_peer_compare: skipped: %s\n", g_skipReason.c_str());

    RegisterAll();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
