#pragma once
#include "STradeFlagData.h"
#include "quotes/CBarColumns.h"
#include <vector>

// The six crossover systems, one per identifier, over the display series (oldest first).
// Each returns its buy series (flags at the bar's low where FAST crosses above SLOW) then its
// sell series (flags at the bar's high where SLOW crosses above FAST), one value per bar.
namespace IndicatorFormulas {

// Close-MA 5 against close-MA 30: "SMABuy", "SMASell".
std::vector<STradeFlagData> FLAGMA(const CBarColumns& quotes);
// WMA(C,V) 5 against 30: "VWMABuy", "VWMASell".
std::vector<STradeFlagData> FLAGWMA(const CBarColumns& quotes);
// EMA(C) 5 against 30: "EMABuy", "EMASell".
std::vector<STradeFlagData> FLAGEMA(const CBarColumns& quotes);
// The close against SAR 0.02, 0.20: "SARBuy", "SARSell".
std::vector<STradeFlagData> FLAGSAR(const CBarColumns& quotes);
// Stochastic K against D: "STCBuy", "STCSell".
std::vector<STradeFlagData> FLAGKDJ(const CBarColumns& quotes);
// MACD's DIF against DEA: "MACDBuy", "MACDSell".
std::vector<STradeFlagData> FLAGMACD(const CBarColumns& quotes);

} // namespace IndicatorFormulas
