// Every indicator item side by side with TA-Lib's C functions on the same million bars, in
// one run: "ours/ID" is the formula, "talib/ID" the same work composed of TA-Lib calls (the
// compositions of talib_compare.mjs, without the Node bindings), outputs allocated per call.
// TA-Lib's single-precision entry points (TA_S_*) read our float columns directly.
//
// Built only when asked, from the C sources of the `talib` npm package:
//   mkdir -p /work/scratch/talibsrc && cd /work/scratch/talibsrc && npm pack talib &&
//   tar xzf talib-*.tgz
//   cmake --preset release -DZS_TALIB_C_DIR=/work/scratch/talibsrc/package/src/lib
//   cmake --build build/release --target bench_talib_c && build/release/bench/bench_talib_c
#include "BenchBars.h"
#include "FormulaTable.h"
#include <benchmark/benchmark.h>
#include <cmath>
#include <cstring>
#include <functional>
#include <malloc.h>
#include <memory>
#include <string>
#include <vector>

extern "C" {
#include "ta_libc.h"
}

namespace {

struct SBars {
    std::vector<SQuote> quotes = BenchRandomWalk();
    CBarColumns columns{quotes};
    int n = int(columns.size());
    const float* high = columns.High().data();
    const float* low = columns.Low().data();
    const float* close = columns.Close().data();
    const float* volume = columns.Volume().data();
    std::vector<double> volumeD{columns.Volume().begin(), columns.Volume().end()};
};

const SBars& Bars() {
    static const SBars bars;
    return bars;
}

using Out = std::unique_ptr<double[]>;
Out NewOut(int n) {
    return Out(new double[std::size_t(n)]);
}

// One TA-Lib result: its values and the bar of its first value.
struct SResult {
    Out v;
    int beg = 0, count = 0;
};

template <class Call> SResult One(int n, Call call) {
    SResult r{NewOut(n)};
    call(r.v.get(), &r.beg, &r.count);
    return r;
}

SResult Sma(const double* x, int n, int period) {
    return One(n, [&](double* o, int* b, int* c) { TA_SMA(0, n - 1, x, period, b, c, o); });
}
SResult SmaS(const float* x, int n, int period) {
    return One(n, [&](double* o, int* b, int* c) { TA_S_SMA(0, n - 1, x, period, b, c, o); });
}
SResult Ema(const double* x, int n, int period) {
    return One(n, [&](double* o, int* b, int* c) { TA_EMA(0, n - 1, x, period, b, c, o); });
}
SResult EmaS(const float* x, int n, int period) {
    return One(n, [&](double* o, int* b, int* c) { TA_S_EMA(0, n - 1, x, period, b, c, o); });
}

// Sum of close*volume over sum of volume, each window `period`.
SResult Vwma(const SBars& d, const double* cv, int period) {
    SResult num = One(d.n, [&](double* o, int* b, int* c) { TA_SUM(0, d.n - 1, cv, period, b, c, o); });
    SResult den = One(d.n, [&](double* o, int* b, int* c) {
        TA_S_SUM(0, d.n - 1, d.volume, period, b, c, o);
    });
    return One(num.count, [&](double* o, int* b, int* c) {
        TA_DIV(0, num.count - 1, num.v.get(), den.v.get(), b, c, o);
    });
}

SResult Multiply(const SBars& d) {
    return One(d.n, [&](double* o, int* b, int* c) { TA_S_MULT(0, d.n - 1, d.close, d.volume, b, c, o); });
}

// The crossing rule of our flag systems; bars before a series' first value compare as
// +infinity. Buy flags sit at the low, sell flags at the high.
template <class Fast, class Slow>
std::pair<Out, Out> CrossFlags(const SBars& d, Fast fast, int fastBeg, Slow slow, int slowBeg) {
    Out buy = NewOut(d.n), sell = NewOut(d.n);
    buy[0] = sell[0] = 0.0;
    const double inf = INFINITY;
    double f0 = fastBeg <= 0 ? fast[0] : inf, s0 = slowBeg <= 0 ? slow[0] : inf;
    for (int i = 1; i < d.n; ++i) {
        const double f1 = i >= fastBeg ? fast[i - fastBeg] : inf;
        const double s1 = i >= slowBeg ? slow[i - slowBeg] : inf;
        buy[i] = f0 <= s0 && f1 > s1 ? d.low[i] : 0.0;
        sell[i] = s0 <= f0 && s1 > f1 ? d.high[i] : 0.0;
        f0 = f1;
        s0 = s1;
    }
    return {std::move(buy), std::move(sell)};
}

SResult Stoch(const SBars& d, Out& slowD) {
    slowD = NewOut(d.n);
    return One(d.n, [&](double* o, int* b, int* c) {
        TA_S_STOCH(0, d.n - 1, d.high, d.low, d.close, 9, 5, TA_MAType_EMA, 5, TA_MAType_EMA, b, c,
                   o, slowD.get());
    });
}

SResult Macd(const SBars& d, Out& signal, Out& hist) {
    signal = NewOut(d.n);
    hist = NewOut(d.n);
    return One(d.n, [&](double* o, int* b, int* c) {
        TA_S_MACD(0, d.n - 1, d.close, 12, 26, 9, b, c, o, signal.get(), hist.get());
    });
}

using PeerWork = std::function<void(const SBars&)>;

// The TA-Lib side of each item, by the identifiers of the formula table.
const std::vector<std::pair<std::string, PeerWork>>& PeerItems() {
    static const std::vector<std::pair<std::string, PeerWork>> items = {
        {"SMA", [](const SBars& d) { for (int p : {5, 10, 30, 60}) benchmark::DoNotOptimize(SmaS(d.close, d.n, p)); }},
        {"WMA", [](const SBars& d) {
             SResult cv = Multiply(d);
             for (int p : {5, 10, 30, 60}) benchmark::DoNotOptimize(Vwma(d, cv.v.get(), p));
         }},
        {"EMA", [](const SBars& d) { for (int p : {5, 10, 30, 60}) benchmark::DoNotOptimize(EmaS(d.close, d.n, p)); }},
        {"BOL", [](const SBars& d) {
             Out u = NewOut(d.n), m = NewOut(d.n), l = NewOut(d.n);
             int b, c;
             TA_S_BBANDS(0, d.n - 1, d.close, 20, 2, 2, TA_MAType_SMA, &b, &c, u.get(), m.get(), l.get());
             benchmark::DoNotOptimize(u);
         }},
        {"MAE", [](const SBars& d) {
             SResult m = SmaS(d.close, d.n, 20);
             Out u = NewOut(m.count), lo = NewOut(m.count);
             for (int i = 0; i < m.count; ++i) {
                 u[i] = m.v[i] + m.v[i] * 0.15;
                 lo[i] = m.v[i] + m.v[i] * -0.15;
             }
             benchmark::DoNotOptimize(u);
         }},
        {"SAR", [](const SBars& d) {
             benchmark::DoNotOptimize(One(d.n, [&](double* o, int* b, int* c) {
                 TA_S_SAR(0, d.n - 1, d.high, d.low, 0.02, 0.2, b, c, o);
             }));
         }},
        {"KC", [](const SBars& d) {
             SResult t = One(d.n, [&](double* o, int* b, int* c) {
                 TA_S_TYPPRICE(0, d.n - 1, d.high, d.low, d.close, b, c, o);
             });
             SResult mt = Sma(t.v.get(), d.n, 15);
             SResult range = One(d.n, [&](double* o, int* b, int* c) { TA_S_SUB(0, d.n - 1, d.high, d.low, b, c, o); });
             SResult r = Sma(range.v.get(), d.n, 15);
             benchmark::DoNotOptimize(One(mt.count, [&](double* o, int* b, int* c) {
                 TA_ADD(0, mt.count - 1, mt.v.get(), r.v.get(), b, c, o);
             }));
             benchmark::DoNotOptimize(One(mt.count, [&](double* o, int* b, int* c) {
                 TA_SUB(0, mt.count - 1, mt.v.get(), r.v.get(), b, c, o);
             }));
         }},
        {"52WK H and L", [](const SBars& d) {
             benchmark::DoNotOptimize(One(d.n, [&](double* o, int* b, int* c) { TA_S_MAX(0, d.n - 1, d.high, 365, b, c, o); }));
             benchmark::DoNotOptimize(One(d.n, [&](double* o, int* b, int* c) { TA_S_MIN(0, d.n - 1, d.low, 365, b, c, o); }));
         }},
        {"STC", [](const SBars& d) {
             Out slowD;
             benchmark::DoNotOptimize(Stoch(d, slowD));
         }},
        {"MACD", [](const SBars& d) {
             Out signal, hist;
             benchmark::DoNotOptimize(Macd(d, signal, hist));
         }},
        {"VOL", [](const SBars& d) {
             Out v = NewOut(d.n);
             std::memcpy(v.get(), d.volumeD.data(), sizeof(double) * std::size_t(d.n));
             benchmark::DoNotOptimize(v);
         }},
        {"VOLP", [](const SBars& d) {
             Out v = NewOut(d.n);
             std::memcpy(v.get(), d.volumeD.data(), sizeof(double) * std::size_t(d.n));
             benchmark::DoNotOptimize(v);
         }},
        {"ADX", [](const SBars& d) {
             benchmark::DoNotOptimize(One(d.n, [&](double* o, int* b, int* c) { TA_S_ADX(0, d.n - 1, d.high, d.low, d.close, 14, b, c, o); }));
             benchmark::DoNotOptimize(One(d.n, [&](double* o, int* b, int* c) { TA_S_DX(0, d.n - 1, d.high, d.low, d.close, 14, b, c, o); }));
         }},
        {"ATR", [](const SBars& d) {
             for (int p : {7, 14, 20})
                 benchmark::DoNotOptimize(One(d.n, [&](double* o, int* b, int* c) { TA_S_ATR(0, d.n - 1, d.high, d.low, d.close, p, b, c, o); }));
         }},
        {"CCI", [](const SBars& d) {
             for (int p : {5, 14, 20})
                 benchmark::DoNotOptimize(One(d.n, [&](double* o, int* b, int* c) { TA_S_CCI(0, d.n - 1, d.high, d.low, d.close, p, b, c, o); }));
         }},
        {"MTM", [](const SBars& d) {
             SResult m = One(d.n, [&](double* o, int* b, int* c) { TA_S_MOM(0, d.n - 1, d.close, 10, b, c, o); });
             for (int p : {5, 10, 20}) benchmark::DoNotOptimize(Ema(m.v.get(), m.count, p));
         }},
        {"ROC", [](const SBars& d) {
             for (int p : {7, 14, 20})
                 benchmark::DoNotOptimize(One(d.n, [&](double* o, int* b, int* c) { TA_S_ROCP(0, d.n - 1, d.close, p, b, c, o); }));
         }},
        {"MFI", [](const SBars& d) {
             for (int p : {14, 20, 30})
                 benchmark::DoNotOptimize(One(d.n, [&](double* o, int* b, int* c) {
                     TA_S_MFI(0, d.n - 1, d.high, d.low, d.close, d.volume, p, b, c, o);
                 }));
         }},
        {"OBV", [](const SBars& d) {
             SResult o = One(d.n, [&](double* out, int* b, int* c) { TA_S_OBV(0, d.n - 1, d.close, d.volume, b, c, out); });
             for (int p : {5, 10, 30}) benchmark::DoNotOptimize(Sma(o.v.get(), o.count, p));
         }},
        {"RSI", [](const SBars& d) {
             for (int p : {9, 11, 25})
                 benchmark::DoNotOptimize(One(d.n, [&](double* o, int* b, int* c) { TA_S_RSI(0, d.n - 1, d.close, p, b, c, o); }));
         }},
        {"VOLA", [](const SBars& d) {
             SResult range = One(d.n, [&](double* o, int* b, int* c) { TA_S_SUB(0, d.n - 1, d.high, d.low, b, c, o); });
             SResult a = Ema(range.v.get(), d.n, 10);
             benchmark::DoNotOptimize(One(a.count, [&](double* o, int* b, int* c) { TA_ROC(0, a.count - 1, a.v.get(), 10, b, c, o); }));
         }},
        {"VAO", [](const SBars& d) {
             SResult cl = One(d.n, [&](double* o, int* b, int* c) { TA_S_SUB(0, d.n - 1, d.close, d.low, b, c, o); });
             SResult hc = One(d.n, [&](double* o, int* b, int* c) { TA_S_SUB(0, d.n - 1, d.high, d.close, b, c, o); });
             SResult num = One(d.n, [&](double* o, int* b, int* c) { TA_SUB(0, d.n - 1, cl.v.get(), hc.v.get(), b, c, o); });
             SResult den = One(d.n, [&](double* o, int* b, int* c) { TA_MULT(0, d.n - 1, hc.v.get(), d.volumeD.data(), b, c, o); });
             benchmark::DoNotOptimize(One(d.n, [&](double* o, int* b, int* c) { TA_DIV(0, d.n - 1, num.v.get(), den.v.get(), b, c, o); }));
         }},
        {"WR", [](const SBars& d) {
             for (int p : {10, 14})
                 benchmark::DoNotOptimize(One(d.n, [&](double* o, int* b, int* c) { TA_S_WILLR(0, d.n - 1, d.high, d.low, d.close, p, b, c, o); }));
         }},
        {"FLAGMA", [](const SBars& d) {
             SResult f = SmaS(d.close, d.n, 5), s = SmaS(d.close, d.n, 30);
             benchmark::DoNotOptimize(CrossFlags(d, f.v.get(), f.beg, s.v.get(), s.beg));
         }},
        {"FLAGWMA", [](const SBars& d) {
             SResult cv = Multiply(d);
             SResult f = Vwma(d, cv.v.get(), 5), s = Vwma(d, cv.v.get(), 30);
             benchmark::DoNotOptimize(CrossFlags(d, f.v.get(), 4, s.v.get(), 29));
         }},
        {"FLAGEMA", [](const SBars& d) {
             SResult f = EmaS(d.close, d.n, 5), s = EmaS(d.close, d.n, 30);
             benchmark::DoNotOptimize(CrossFlags(d, f.v.get(), f.beg, s.v.get(), s.beg));
         }},
        {"FLAGSAR", [](const SBars& d) {
             SResult s = One(d.n, [&](double* o, int* b, int* c) { TA_S_SAR(0, d.n - 1, d.high, d.low, 0.02, 0.2, b, c, o); });
             benchmark::DoNotOptimize(CrossFlags(d, d.close, 0, s.v.get(), s.beg));
         }},
        {"FLAGKDJ", [](const SBars& d) {
             Out slowD;
             SResult k = Stoch(d, slowD);
             benchmark::DoNotOptimize(CrossFlags(d, k.v.get(), k.beg, slowD.get(), k.beg));
         }},
        {"FLAGMACD", [](const SBars& d) {
             Out signal, hist;
             SResult m = Macd(d, signal, hist);
             benchmark::DoNotOptimize(CrossFlags(d, m.v.get(), m.beg, signal.get(), m.beg));
         }},
    };
    return items;
}

const bool kRegistered = [] {
    TA_Initialize();
    ForEachFormula([](const char* id, auto formula) {
        benchmark::RegisterBenchmark((std::string("ours/") + id).c_str(), [formula](benchmark::State& s) {
            for (auto _ : s) benchmark::DoNotOptimize(formula(Bars().columns));
        })->Unit(benchmark::kMillisecond);
        for (const auto& [peerId, work] : PeerItems())
            if (peerId == id)
                benchmark::RegisterBenchmark((std::string("talib/") + id).c_str(),
                                             [&work = work](benchmark::State& s) {
                                                 for (auto _ : s) work(Bars());
                                             })
                    ->Unit(benchmark::kMillisecond);
    });
    return true;
}();

} // namespace

// Large blocks come from the heap and stay there, so that neither side pays page faults on
// its outputs that depend on what the other side allocated and freed before it.
int main(int argc, char** argv) {
    mallopt(M_MMAP_THRESHOLD, 64 << 20);
    mallopt(M_TRIM_THRESHOLD, 1 << 30);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
