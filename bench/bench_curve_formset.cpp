// Opening the curve and trade flag properties dialogs on Qt's offscreen platform: made, shown
// and painted once. The first open of a process (styles, fonts, the samples of the style and
// marker lists, the font list) is measured on its own, then opens once everything is warm.
// Beside them, what the looks add to a replay of a pane with edited curves and flags.
#include "DialogOpening.h"
#include "formset/qt/curve/CCurveFormset.h"
#include "formset/qt/curve/CTradeFlagFormset.h"
#include "indicators/CStockPanes.h"
#include "indicators/CTradeFlag.h"
#include "indicators/IndicatorBuilder.h"
#include "indicators/IndicatorLooks.h"
#include "quotes/CStock.h"
#include <QApplication>
#include <QEvent>
#include <benchmark/benchmark.h>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

using dialog_opening::App;
using dialog_opening::Open;

SCurveProperties Curve() {
    SCurveProperties p;
    p.name = "MA";
    p.parameter = "10";
    p.look = p.opened = SCurveLook{0x2CC864, 1, 1};
    return p;
}

STradeFlagProperties Flag() {
    STradeFlagProperties p;
    p.name = "SMASell";
    p.direction = 0;
    p.look.colour = 0x0000FF;
    p.look.symbol = 13;
    p.look.text = "Sell";
    p.look.font.lfHeight = 15;
    p.look.font.lfWidth = 6;
    p.look.font.lfWeight = 400;
    std::strcpy(p.look.font.lfFaceName, "DejaVu Sans");
    p.opened = p.look;
    return p;
}

void BM_OpenCurveFormsetFirst(benchmark::State& state) {
    Open<CCurveFormset>(state, Curve());
}
BENCHMARK(BM_OpenCurveFormsetFirst)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_OpenTradeFlagFormsetFirst(benchmark::State& state) {
    Open<CTradeFlagFormset>(state, Flag());
}
BENCHMARK(BM_OpenTradeFlagFormsetFirst)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_OpenCurveFormset(benchmark::State& state) {
    Open<CCurveFormset>(state, Curve());
}
BENCHMARK(BM_OpenCurveFormset)->Unit(benchmark::kMillisecond);

void BM_OpenTradeFlagFormset(benchmark::State& state) {
    Open<CTradeFlagFormset>(state, Flag());
}
BENCHMARK(BM_OpenTradeFlagFormset)->Unit(benchmark::kMillisecond);

// Pane 0 with SMA, EMA and two flag systems over 400 bars; with the argument 1 every curve and
// flag carries an edited look.
void BM_ReplayPricePane(benchmark::State& state) {
    CStock stock;
    std::vector<SQuote> bars(400);
    for (std::size_t i = 0; i < bars.size(); ++i) {
        const float close = 50.0f + static_cast<float>((i * 7) % 11) - static_cast<float>(i % 3);
        bars[i] =
            SQuote{static_cast<int32_t>(86400 * (i + 1)), close, close + 1, close - 1, close, close,
                   1000.0f + static_cast<float>(i)};
    }
    stock.RestoreSeries(bars, bars);
    stock.RestoreWindow(0, 400);
    for (const char* id : {"SMA", "EMA", "FLAGMA", "FLAGKDJ"})
        BuildIndicator(stock, id, 0, std::strcmp(id, "SMA") != 0, true);
    CTCurve& pane = *CStockPanes::Of(stock)->Pane(0);
    if (state.range(0) == 1) {
        for (const auto& curve : pane.Curves()) ChangeCurveLook(stock, 0, *curve, {0x010203, 2, 3});
        for (const auto& element : pane.Elements())
            if (auto* flag = dynamic_cast<CTradeFlag*>(element.get()))
                ChangeTradeFlagLook(stock, 0, *flag, STradeFlagLook::Of(*flag));
    }
    for (auto _ : state) CStockPanes::Of(stock)->ReplayPane(stock, 0);
}
BENCHMARK(BM_ReplayPricePane)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
