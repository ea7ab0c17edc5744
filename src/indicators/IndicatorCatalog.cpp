#include "IndicatorCatalog.h"
#include "quotes/CStock.h"
#include "series/Oscillators.h"
#include "series/Overlays.h"
#include "series/TradeSignals.h"
#include <array>

namespace {
namespace F = IndicatorFormulas;
using EP = EIndicatorPlace;

template <SIndicatorCurves (*Formula)(const CBarColumns&)>
SIndicatorCurves OverDisplay(const CStock& stock) {
    return Formula(stock.DisplayColumns());
}

template <std::vector<STradeFlagData> (*Formula)(const CBarColumns&)>
std::vector<STradeFlagData> FlagsOverDisplay(const CStock& stock) {
    return Formula(stock.DisplayColumns());
}

// The window depends on the display period.
SIndicatorCurves FiftyTwoWeek(const CStock& stock) {
    return F::FiftyTwoWeekHighLow(stock.DisplayColumns(), stock.Period(), stock.NDays());
}

constexpr SIndicatorEntry Curves(const char* id, const char* pane, const char* suffix, EP place,
                                 SIndicatorEntry::CurveFormula formula) {
    return {id, pane, suffix, place, formula, nullptr};
}

constexpr SIndicatorEntry Flags(const char* id, SIndicatorEntry::FlagFormula formula) {
    return {id, "", "", EP::Flags, nullptr, formula};
}

constexpr std::array kTable = {
    Curves("SMA", "SMA", " SMA", EP::Main, OverDisplay<F::SMA>),
    Curves("WMA", "VWMA", " VWMA", EP::Main, OverDisplay<F::WMA>),
    Curves("EMA", "EMA", ",EMA", EP::Main, OverDisplay<F::EMA>),
    Curves("BOL", "BOL", " BOL", EP::Main, OverDisplay<F::BOL>),
    Curves("MAE", "MAE", " MAE", EP::Main, OverDisplay<F::MAE>),
    Curves("SAR", "SAR", " SAR", EP::Main, OverDisplay<F::SAR>),
    Curves("KC", "KC", " KC", EP::Main, OverDisplay<F::KC>),
    Curves("52WK H and L", "52WK H and L", " 52WK H and L", EP::Main, FiftyTwoWeek),
    Curves("STC", "STC", " STC", EP::Sub, OverDisplay<F::STC>),
    Curves("MACD", "MACD", " MACD", EP::Sub, OverDisplay<F::MACD>),
    Curves("VOL", "VOL", " VOL", EP::Sub, OverDisplay<F::VOL>),
    Curves("VOLP", "VOLP", " VOLP", EP::Sub, OverDisplay<F::VOLP>),
    Curves("ADX", "ADX", " ADX", EP::Sub, OverDisplay<F::ADX>),
    Curves("ATR", "ATR", " ATR", EP::Sub, OverDisplay<F::ATR>),
    Curves("CCI", "CCI", " CCI", EP::Sub, OverDisplay<F::CCI>),
    Curves("MTM", "MTM", " MTM", EP::Sub, OverDisplay<F::MTM>),
    Curves("ROC", "ROC", " ROC", EP::Sub, OverDisplay<F::ROC>),
    Curves("MFI", "MFI", " MFI", EP::Sub, OverDisplay<F::MFI>),
    Curves("OBV", "OBV", " OBV", EP::Sub, OverDisplay<F::OBV>),
    Curves("RSI", "RSI", " RSI", EP::Sub, OverDisplay<F::RSI>),
    Curves("VOLA", "VOLA", " VOLA", EP::Sub, OverDisplay<F::VOLA>),
    Curves("VAO", "VAO", " VAO", EP::Sub, OverDisplay<F::VAO>),
    Curves("WR", "WR", " WR", EP::Sub, OverDisplay<F::WR>),
    Flags("FLAGMA", FlagsOverDisplay<F::FLAGMA>),
    Flags("FLAGWMA", FlagsOverDisplay<F::FLAGWMA>),
    Flags("FLAGEMA", FlagsOverDisplay<F::FLAGEMA>),
    Flags("FLAGSAR", FlagsOverDisplay<F::FLAGSAR>),
    Flags("FLAGKDJ", FlagsOverDisplay<F::FLAGKDJ>),
    Flags("FLAGMACD", FlagsOverDisplay<F::FLAGMACD>),
};
} // namespace

std::span<const SIndicatorEntry> IndicatorTable() {
    return kTable;
}

const SIndicatorEntry* FindIndicator(std::string_view identifier) {
    for (const SIndicatorEntry& entry : kTable)
        if (identifier == entry.identifier) return &entry;
    return nullptr;
}
