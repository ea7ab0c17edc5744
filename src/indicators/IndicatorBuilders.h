#pragma once

class CStock;

// The builders of the built-in indicators, one per identifier (the "52WK H and L" builder is
// FiftyTwoWeekHighLow). Each runs BuildIndicator (IndicatorBuilder.h) for its identifier with
// the pane number, insert and record arguments, and gives false only for a refused pane
// number.
namespace IndicatorBuilders {

bool SMA(CStock& stock, int pane, bool insert, bool record);
bool WMA(CStock& stock, int pane, bool insert, bool record);
bool EMA(CStock& stock, int pane, bool insert, bool record);
bool BOL(CStock& stock, int pane, bool insert, bool record);
bool MAE(CStock& stock, int pane, bool insert, bool record);
bool SAR(CStock& stock, int pane, bool insert, bool record);
bool KC(CStock& stock, int pane, bool insert, bool record);
bool FiftyTwoWeekHighLow(CStock& stock, int pane, bool insert, bool record);
bool STC(CStock& stock, int pane, bool insert, bool record);
bool MACD(CStock& stock, int pane, bool insert, bool record);
bool VOL(CStock& stock, int pane, bool insert, bool record);
bool VOLP(CStock& stock, int pane, bool insert, bool record);
bool ADX(CStock& stock, int pane, bool insert, bool record);
bool ATR(CStock& stock, int pane, bool insert, bool record);
bool CCI(CStock& stock, int pane, bool insert, bool record);
bool MTM(CStock& stock, int pane, bool insert, bool record);
bool ROC(CStock& stock, int pane, bool insert, bool record);
bool MFI(CStock& stock, int pane, bool insert, bool record);
bool OBV(CStock& stock, int pane, bool insert, bool record);
bool RSI(CStock& stock, int pane, bool insert, bool record);
bool VOLA(CStock& stock, int pane, bool insert, bool record);
bool VAO(CStock& stock, int pane, bool insert, bool record);
bool WR(CStock& stock, int pane, bool insert, bool record);
bool FLAGMA(CStock& stock, int pane, bool insert, bool record);
bool FLAGWMA(CStock& stock, int pane, bool insert, bool record);
bool FLAGEMA(CStock& stock, int pane, bool insert, bool record);
bool FLAGSAR(CStock& stock, int pane, bool insert, bool record);
bool FLAGKDJ(CStock& stock, int pane, bool insert, bool record);
bool FLAGMACD(CStock& stock, int pane, bool insert, bool record);

} // namespace IndicatorBuilders
