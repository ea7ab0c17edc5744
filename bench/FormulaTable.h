#pragma once
// Every indicator and signal system formula by its identifier, for the benchmarks that time
// them one by one.
#include "series/Oscillators.h"
#include "series/Overlays.h"
#include "series/TradeSignals.h"

template <class Register> void ForEachFormula(Register reg) {
    using namespace IndicatorFormulas;
    reg("SMA", SMA);
    reg("WMA", WMA);
    reg("EMA", EMA);
    reg("BOL", BOL);
    reg("MAE", MAE);
    reg("SAR", SAR);
    reg("KC", KC);
    reg("52WK H and L", [](const CBarColumns& q) { return FiftyTwoWeekHighLow(q, 0, 1); });
    reg("STC", STC);
    reg("MACD", MACD);
    reg("VOL", VOL);
    reg("VOLP", VOLP);
    reg("ADX", ADX);
    reg("ATR", ATR);
    reg("CCI", CCI);
    reg("MTM", MTM);
    reg("ROC", ROC);
    reg("MFI", MFI);
    reg("OBV", OBV);
    reg("RSI", RSI);
    reg("VOLA", VOLA);
    reg("VAO", VAO);
    reg("WR", WR);
    reg("FLAGMA", FLAGMA);
    reg("FLAGWMA", FLAGWMA);
    reg("FLAGEMA", FLAGEMA);
    reg("FLAGSAR", FLAGSAR);
    reg("FLAGKDJ", FLAGKDJ);
    reg("FLAGMACD", FLAGMACD);
}
