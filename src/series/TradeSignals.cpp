#include "TradeSignals.h"
#include "Averages.h"
#include "Conditions.h"
#include "FlagSeries.h"
#include "FormulaParts.h"
#include "ParabolicSar.h"
#include "Sources.h"

namespace IndicatorFormulas {
using namespace Series;

namespace {

struct SFlagLook {
    const char* buyName;
    const char* sellName;
    int buySymbol;
    int sellSymbol;
};

std::vector<STradeFlagData> Crossings(const CBarColumns& q, CurvePtr fast, CurvePtr slow,
                                      const SFlagLook& look) {
    auto [buy, sell] = CrossingFlags(*fast, *slow, q.Low(), q.High());
    buy.name = look.buyName;
    buy.colour = RGB(0, 255, 0);
    buy.symbol = look.buySymbol;
    sell.name = look.sellName;
    sell.colour = RGB(255, 0, 0);
    sell.symbol = look.sellSymbol;
    std::vector<STradeFlagData> flags;
    flags.push_back(std::move(buy));
    flags.push_back(std::move(sell));
    return flags;
}

// The crossings of an average of 5 bars with one of 30.
constexpr int kFastSlow[] = {5, 30};

std::vector<STradeFlagData> Crossings(const CBarColumns& q, std::vector<CurvePtr> fastSlow,
                                      const SFlagLook& look) {
    return Crossings(q, std::move(fastSlow[0]), std::move(fastSlow[1]), look);
}

} // namespace

std::vector<STradeFlagData> FLAGMA(const CBarColumns& q) {
    return Crossings(q, MAs(q, kFastSlow), {"SMABuy", "SMASell", 13, 13});
}

std::vector<STradeFlagData> FLAGWMA(const CBarColumns& q) {
    return Crossings(q, WMAs(*C(q), *V(q), kFastSlow), {"VWMABuy", "VWMASell", 12, 12});
}

std::vector<STradeFlagData> FLAGEMA(const CBarColumns& q) {
    return Crossings(q, EMAs(*C(q), kFastSlow), {"EMABuy", "EMASell", 7, 7});
}

std::vector<STradeFlagData> FLAGSAR(const CBarColumns& q) {
    return Crossings(q, C(q), Series::SAR(q, 0.02f, 0.2f), {"SARBuy", "SARSell", 9, 8});
}

std::vector<STradeFlagData> FLAGKDJ(const CBarColumns& q) {
    auto [k, d] = SMAAndItsSMA(*StochasticRsv(q), 3, 1);
    return Crossings(q, std::move(k), std::move(d), {"STCBuy", "STCSell", 1, 1});
}

std::vector<STradeFlagData> FLAGMACD(const CBarColumns& q) {
    auto [dif, dea] = MacdDifAndDea(q);
    return Crossings(q, std::move(dif), std::move(dea), {"MACDBuy", "MACDSell", 9, 8});
}

} // namespace IndicatorFormulas
