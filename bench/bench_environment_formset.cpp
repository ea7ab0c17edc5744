// Opening "Option", setup.ini read included, up to its first paint on Qt's offscreen
// platform; and the write of one changed option.
#include "DialogOpening.h"
#include "formset/environment/CEnvironmentEdit.h"
#include "formset/qt/environment/CEnvironmentFormset.h"
#include <benchmark/benchmark.h>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>

namespace {

using dialog_opening::OpenMade;

// A program folder with a setup.ini of the usual sections, made once and removed at exit.
class CBenchHome {
public:
    CBenchHome() {
        char tmpl[] = "/tmp/bench_environment.XXXXXX";
        m_root = ::mkdtemp(tmpl);
        m_root += "/";
        std::ofstream out(m_root + "setup.ini");
        out << "[ENVIORMENT]\nLng=\nCurveFloating=0\nYAxisOffset=1\nChartCtrl=1\n"
               "[PROXY]\nUseProxy=1\nProxyAdd=proxy.example.org\nProxyPort=3128\n"
               "[STOCKLINE_SETUP]\nDisPeriod=400\nDisDayNum=50\n"
               "[DATA_DIRECTORY]\nTickerName=IBM\nTickerMarket=NYSE\n"
               "[AXIS_SETTING]\nBorderColor=0\nDrawYGrid=0\nCellMaxX=80\nCellMaxY=80\n";
    }
    ~CBenchHome() {
        std::error_code ignored;
        std::filesystem::remove_all(m_root, ignored);
    }
    const std::string& Root() const { return m_root; }

private:
    std::string m_root;
};

const CBenchHome& Home() {
    static const CBenchHome home;
    return home;
}

void BM_OpenEnvironmentFirst(benchmark::State& state) {
    const CInstallPaths paths(Home().Root());
    OpenMade(state, [&] {
        CIniReader ini(paths.SetupIni());
        return std::make_unique<CEnvironmentFormset>(CEnvironmentEdit::Read(paths, ini), nullptr);
    });
}
BENCHMARK(BM_OpenEnvironmentFirst)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_OpenEnvironment(benchmark::State& state) {
    const CInstallPaths paths(Home().Root());
    OpenMade(state, [&] {
        CIniReader ini(paths.SetupIni());
        return std::make_unique<CEnvironmentFormset>(CEnvironmentEdit::Read(paths, ini), nullptr);
    });
}
BENCHMARK(BM_OpenEnvironment)->Unit(benchmark::kMillisecond);

void BM_WriteOneChangedOption(benchmark::State& state) {
    const CInstallPaths paths(Home().Root());
    CIniReader ini(paths.SetupIni());
    bool on = false;
    for (auto _ : state) {
        CEnvironmentEdit edit = CEnvironmentEdit::Read(paths, ini);
        on = !edit.Options().curveFloating;
        edit.Options().curveFloating = on;
        benchmark::DoNotOptimize(edit.Write(ini));
    }
}
BENCHMARK(BM_WriteOneChangedOption)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
