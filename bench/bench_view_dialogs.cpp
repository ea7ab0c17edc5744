// Opening the chart title, axis and chart window settings and the display range dialog, up to
// their first paint on Qt's offscreen platform. The first open of the process (styles and the
// font list of the pickers) is measured on its own, then opens once everything is warm.
#include "DialogOpening.h"
#include "formset/qt/view/CAxisSettingFormset.h"
#include "formset/qt/view/CChartTitleFormset.h"
#include "formset/qt/view/CChartWindowFormset.h"
#include "formset/qt/view/CDisplayRangeFormset.h"
#include <QApplication>
#include <QEvent>
#include <benchmark/benchmark.h>
#include <cstdlib>
#include <memory>

namespace {

using dialog_opening::App;
using dialog_opening::Open;

SPaneViewSettings Settings() {
    SPaneViewSettings settings;
    settings.pane = 1;
    settings.par.identifiers = {"MACD", "RSI", "VOL"};
    return settings;
}

SDisplayRange Range() {
    SDisplayRange range;
    // Ten years of trading days.
    for (int year = 2014; year < 2024; ++year)
        for (int month = 1; month <= 12; ++month)
            for (int day = 1; day <= 21; ++day)
                range.barDays.push_back(year * 10000 + month * 100 + day);
    range.firstDay = range.barDays[100];
    range.lastDay = range.barDays[350];
    return range;
}

void BM_OpenChartWindowFormsetFirst(benchmark::State& state) {
    Open<CChartWindowFormset>(state, Settings());
}
BENCHMARK(BM_OpenChartWindowFormsetFirst)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_OpenChartTitleFormset(benchmark::State& state) {
    Open<CChartTitleFormset>(state, Settings());
}
BENCHMARK(BM_OpenChartTitleFormset)->Unit(benchmark::kMillisecond);

void BM_OpenAxisSettingFormset(benchmark::State& state) {
    Open<CAxisSettingFormset>(state, Settings());
}
BENCHMARK(BM_OpenAxisSettingFormset)->Unit(benchmark::kMillisecond);

void BM_OpenChartWindowFormset(benchmark::State& state) {
    Open<CChartWindowFormset>(state, Settings());
}
BENCHMARK(BM_OpenChartWindowFormset)->Unit(benchmark::kMillisecond);

void BM_OpenDisplayRangeFormset(benchmark::State& state) {
    Open<CDisplayRangeFormset>(state, Range());
}
BENCHMARK(BM_OpenDisplayRangeFormset)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
