#pragma once
#include "SIndicatorCurves.h"
#include "quotes/CBarColumns.h"
#include <vector>

// The indicators drawn in sub-chart panes, one per identifier, over the display series
// (oldest first). Each returns its curves in pane order, every curve with one value per bar,
// and for STC, RSI and WR the levels of their two reference lines.
namespace IndicatorFormulas {

// Stochastic "K" (SMA of the 9-bar RSV, 3,1) and "D" (its SMA 3,1); lines at 20 and 80.
// Lookback 0.
SIndicatorCurves STC(const CBarColumns& quotes);
// "MACD" histogram (DIF - DEA), "EMA(MACD)" (DEA = EMA(DIF,9), reading the invalid DIF values
// as 0), "DIV" (DIF). DIF and the histogram are valid at bar 0 and from bar 26, DEA at bar 0
// and from bar 9.
SIndicatorCurves MACD(const CBarColumns& quotes);
// The volume as a histogram (kind 6), or coloured by up/down bar (kind 11). Lookback 0.
SIndicatorCurves VOL(const CBarColumns& quotes);
SIndicatorCurves VOLP(const CBarColumns& quotes);
// Signed directional index "DX" of the 14-bar averages (valid from bar 14) and its smoothing
// "ADX" (an SMA 14,1 reading the invalid DX values as 0, so lookback 0).
SIndicatorCurves ADX(const CBarColumns& quotes);
// "ATR" 7, 14, 20: averages of the true range. Lookback N-1.
SIndicatorCurves ATR(const CBarColumns& quotes);
// "CCI" 5, 14, 20 of the typical price. Lookback N-1.
SIndicatorCurves CCI(const CBarColumns& quotes);
// "MTM" (C - REF(C,10), lookback 10) and its EMA 5, 10, 20.
SIndicatorCurves MTM(const CBarColumns& quotes);
// "ROC" 7, 14, 20 as a fraction (not per cent). Lookback N.
SIndicatorCurves ROC(const CBarColumns& quotes);
// "MFI" 14, 20, 30: 100 - 100 / (1 + POS/NEG) of the typical-price money flow. Lookback 0
// (partial sums); invalid where no money flowed out.
SIndicatorCurves MFI(const CBarColumns& quotes);
// "OBV" (running total from the first bar) and its MA 5, 10, 30.
SIndicatorCurves OBV(const CBarColumns& quotes);
// "RSI" 9, 11, 25 of SMA-smoothed gains and losses; lines at 30 and 70. Lookback 0.
SIndicatorCurves RSI(const CBarColumns& quotes);
// "VOLA" 10: per cent change of the EMA(10) range against that of 10 bars earlier.
SIndicatorCurves VOLA(const CBarColumns& quotes);
// "VAO": ((C - L) - (H - C)) / ((H - C) * V) per bar; invalid where the close is the high.
SIndicatorCurves VAO(const CBarColumns& quotes);
// "Williams %R" 10 and 14; lines at -20 and -80. Lookback 0.
SIndicatorCurves WR(const CBarColumns& quotes);

} // namespace IndicatorFormulas
