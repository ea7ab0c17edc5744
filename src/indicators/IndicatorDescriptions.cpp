#include "IndicatorDescriptions.h"
#include "IndicatorCatalog.h"
#include <array>

namespace {

constexpr std::array<SIndicatorDescription, 29> kDescriptions = {{
    {"SMA", "Simple Moving Average", "MA 5 and MA 10 (period colours), MA 30 (red), MA 60 (blue)"},
    {"WMA", "Volume-Weighted Moving Average (VWMA)",
     "WMA 5 and WMA 10 (period colours), WMA 30 (red), WMA 60 (blue)"},
    {"EMA", "Exponential Moving Average",
     "EMA 5 and EMA 10 (period colours), EMA 30 (red), EMA 60 (blue)"},
    {"BOL", "Bollinger Bands", "U Band (blue), M Band 20 (period colour), L Band (blue)"},
    {"MAE", "Moving Average Envelope",
     "M Band 20 (period colour), U Band (violet), D Band (violet)"},
    {"SAR", "Parabolic SAR", "SAR 0.02,0.20 (red dots)"},
    {"KC", "Keltner Channel", "M Band (olive), U Band 15 (navy), L Band 15 (navy)"},
    {"52WK H and L", "52-Week High and Low", "52WK High (olive), 52WK Low (navy)"},
    {"STC", "Stochastic Oscillator",
     "K (coral, line style 2), D (green); reference lines at 20 and 80"},
    {"MACD", "Moving Average Convergence Divergence",
     "MACD (black histogram), EMA(MACD) 9 (period colour), DIV (brown)"},
    {"VOL", "Volume", "VOL (blue histogram)"},
    {"VOLP", "Volume by Price Direction", "VOLP (histogram coloured by rising or falling bar)"},
    {"ADX", "Directional Movement Index", "DX 14 (blue), ADX (red)"},
    {"ATR", "Average True Range", "ATR 7, ATR 14, ATR 20 (period colours)"},
    {"CCI", "Commodity Channel Index", "CCI 5 (red), CCI 14 (chocolate), CCI 20 (purple)"},
    {"MTM", "Momentum", "MTM (red); its EMA 5, 10 and 20 (period colours)"},
    {"ROC", "Rate of Change", "ROC 7 (green), ROC 14 (dark olive green), ROC 20 (lime green)"},
    {"MFI", "Money Flow Index", "MFI 14 (coral), MFI 20 (steel blue), MFI 30 (violet red)"},
    {"OBV", "On-Balance Volume", "OBV (red); its MA 5, 10 and 30 (period colours)"},
    {"RSI", "Relative Strength Index",
     "RSI 9 (medium blue), RSI 11 (orchid), RSI 25 (tomato); reference lines at 30 and 70"},
    {"VOLA", "Volatility", "VOLA 10 (red)"},
    {"VAO", "Volume Accumulation Oscillator", "VAO (blue)"},
    {"WR", "Williams %R",
     "Williams %R 10 (green), Williams %R 14 (cyan); reference lines at -20 and -80"},
    {"FLAGMA", "Moving Average Crossover Flags",
     "SMABuy flags (green) at the low, SMASell flags (red) at the high"},
    {"FLAGWMA", "Volume-Weighted Average Crossover Flags",
     "VWMABuy flags (green) at the low, VWMASell flags (red) at the high"},
    {"FLAGEMA", "Exponential Average Crossover Flags",
     "EMABuy flags (green) at the low, EMASell flags (red) at the high"},
    {"FLAGSAR", "Parabolic SAR Flags",
     "SARBuy flags (green) at the low, SARSell flags (red) at the high"},
    {"FLAGKDJ", "Stochastic Crossover Flags",
     "STCBuy flags (green) at the low, STCSell flags (red) at the high"},
    {"FLAGMACD", "MACD Crossover Flags",
     "MACDBuy flags (green) at the low, MACDSell flags (red) at the high"},
}};

const char* PlaceText(EIndicatorPlace place) {
    switch (place) {
    case EIndicatorPlace::Main:
        return "the main chart, over the price bars";
    case EIndicatorPlace::Sub:
        return "a sub-chart pane";
    case EIndicatorPlace::Flags:
        return "the main chart, as buy and sell flags";
    }
    return "";
}

} // namespace

std::span<const SIndicatorDescription> IndicatorDescriptions() {
    return kDescriptions;
}

const SIndicatorDescription* FindIndicatorDescription(std::string_view identifier) {
    for (const SIndicatorDescription& description : kDescriptions)
        if (identifier == description.identifier) return &description;
    return nullptr;
}

std::string IndicatorPageFolder(const std::string& programFolder) {
    std::string folder = programFolder;
    if (!folder.empty() && folder.back() != '/') folder += '/';
    return folder + "Doc/indicators/";
}

std::string IndicatorPageName(std::string_view identifier) {
    std::string name(identifier);
    for (char& c : name)
        if (c == ' ') c = '_';
    return name + ".html";
}

std::string IndicatorPagePath(const std::string& programFolder, std::string_view identifier) {
    return IndicatorPageFolder(programFolder) + IndicatorPageName(identifier);
}

std::string BuiltInDescription(std::string_view identifier) {
    const SIndicatorDescription* description = FindIndicatorDescription(identifier);
    const SIndicatorEntry* entry = FindIndicator(identifier);
    if (!description || !entry) return {};
    std::string text = std::string(description->identifier) + ": " + description->name + "\n";
    text += std::string("Shown in: ") + PlaceText(entry->place) + "\n";
    text += std::string("Curves: ") + description->curves + "\n";
    return text;
}
