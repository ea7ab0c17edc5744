#include "IndicatorBuilders.h"
#include "IndicatorBuilder.h"

namespace IndicatorBuilders {

bool SMA(CStock& stock, int pane, bool insert, bool record) {
    return BuildIndicator(stock, "SMA", pane, insert, record);
}

bool WMA(CStock& stock, int pane, bool insert, bool record) {
    return BuildIndicator(stock, "WMA", pane, insert, record);
}

bool EMA(CStock& stock, int pane, bool insert, bool record) {
    return BuildIndicator(stock, "EMA", pane, insert, record);
}

bool BOL(CStock& stock, int pane, bool insert, bool record) {
    return BuildIndicator(stock, "BOL", pane, insert, record);
}

bool MAE(CStock& stock, int pane, bool insert, bool record) {
    return BuildIndicator(stock, "MAE", pane, insert, record);
}

bool SAR(CStock& stock, int pane, bool insert, bool record) {
    return BuildIndicator(stock, "SAR", pane, insert, record);
}

bool KC(CStock& stock, int pane, bool insert, bool record) {
    return BuildIndicator(stock, "KC", pane, insert, record);
}

bool FiftyTwoWeekHighLow(CStock& stock, int pane, bool insert, bool record) {
    return BuildIndicator(stock, "52WK H and L", pane, insert, record);
}

bool STC(CStock& stock, int pane, bool insert, bool record) {
    return BuildIndicator(stock, "STC", pane, insert, record);
}

bool MACD(CStock& stock, int pane, bool insert, bool record) {
    return BuildIndicator(stock, "MACD", pane, insert, record);
}

bool VOL(CStock& stock, int pane, bool insert, bool record) {
    return BuildIndicator(stock, "VOL", pane, insert, record);
}

bool VOLP(CStock& stock, int pane, bool insert, bool record) {
    return BuildIndicator(stock, "VOLP", pane, insert, record);
}

bool ADX(CStock& stock, int pane, bool insert, bool record) {
    return BuildIndicator(stock, "ADX", pane, insert, record);
}

bool ATR(CStock& stock, int pane, bool insert, bool record) {
    return BuildIndicator(stock, "ATR", pane, insert, record);
}

bool CCI(CStock& stock, int pane, bool insert, bool record) {
    return BuildIndicator(stock, "CCI", pane, insert, record);
}

bool MTM(CStock& stock, int pane, bool insert, bool record) {
    return BuildIndicator(stock, "MTM", pane, insert, record);
}

bool ROC(CStock& stock, int pane, bool insert, bool record) {
    return BuildIndicator(stock, "ROC", pane, insert, record);
}

bool MFI(CStock& stock, int pane, bool insert, bool record) {
    return BuildIndicator(stock, "MFI", pane, insert, record);
}

bool OBV(CStock& stock, int pane, bool insert, bool record) {
    return BuildIndicator(stock, "OBV", pane, insert, record);
}

bool RSI(CStock& stock, int pane, bool insert, bool record) {
    return BuildIndicator(stock, "RSI", pane, insert, record);
}

bool VOLA(CStock& stock, int pane, bool insert, bool record) {
    return BuildIndicator(stock, "VOLA", pane, insert, record);
}

bool VAO(CStock& stock, int pane, bool insert, bool record) {
    return BuildIndicator(stock, "VAO", pane, insert, record);
}

bool WR(CStock& stock, int pane, bool insert, bool record) {
    return BuildIndicator(stock, "WR", pane, insert, record);
}

bool FLAGMA(CStock& stock, int pane, bool insert, bool record) {
    return BuildIndicator(stock, "FLAGMA", pane, insert, record);
}

bool FLAGWMA(CStock& stock, int pane, bool insert, bool record) {
    return BuildIndicator(stock, "FLAGWMA", pane, insert, record);
}

bool FLAGEMA(CStock& stock, int pane, bool insert, bool record) {
    return BuildIndicator(stock, "FLAGEMA", pane, insert, record);
}

bool FLAGSAR(CStock& stock, int pane, bool insert, bool record) {
    return BuildIndicator(stock, "FLAGSAR", pane, insert, record);
}

bool FLAGKDJ(CStock& stock, int pane, bool insert, bool record) {
    return BuildIndicator(stock, "FLAGKDJ", pane, insert, record);
}

bool FLAGMACD(CStock& stock, int pane, bool insert, bool record) {
    return BuildIndicator(stock, "FLAGMACD", pane, insert, record);
}

} // namespace IndicatorBuilders
