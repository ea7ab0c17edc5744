#include "CliArgs.h"
#include "CommandQuotes.h"
#include "Commands.h"
#include "CsvText.h"
#include "JsonText.h"
#include "indicators/CStockPanes.h"
#include "indicators/CTradeFlag.h"
#include "indicators/IndicatorBuilder.h"
#include "indicators/IndicatorCatalog.h"
#include "quotes/CStock.h"
#include "quotes/LocalDate.h"
#include "quotes/PeriodChoice.h"
#include "tools/CHorizontal.h"
#include <climits>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

namespace {

const char kUsage[] = "usage: zentristock-cli indicator FILE ID [--period day|week|month|nday:N] "
                      "[--max-quotes N] [--format csv|json]\n";

// What one indicator run left in its pane.
struct SPaneOutput {
    std::string paneName;
    std::vector<const CCurve*> curves;
    std::vector<const CTradeFlag*> flags;
    std::vector<float> referenceLines;
};

std::string JsonColour(uint32_t colour) {
    return "[" + std::to_string(colour & 0xFF) + "," + std::to_string(colour >> 8 & 0xFF) + "," +
           std::to_string(colour >> 16 & 0xFF) + "]";
}

std::string JsonValues(const std::vector<float>& values) {
    std::string out = "[";
    for (std::size_t i = 0; i < values.size(); ++i) out += (i ? "," : "") + JsonNumber(values[i]);
    return out + "]";
}

// A bar the series does not reach is left blank rather than read past its end.
std::string CsvValue(const std::vector<float>& values, std::size_t i) {
    return i < values.size() ? NumberText(values[i]) : std::string();
}

void PrintCsv(const SPaneOutput& out, const std::vector<SQuote>& bars) {
    std::string header = "index,date";
    for (const CCurve* curve : out.curves)
        header += "," + CsvField(curve->name + "(" + curve->parameter + ")");
    for (const CTradeFlag* flag : out.flags) header += "," + CsvField(flag->name);
    std::printf("%s\n", header.c_str());
    for (std::size_t i = 0; i < bars.size(); ++i) {
        const SLocalDay day = LocalDayOf(bars[i].date);
        char date[16];
        std::snprintf(date, sizeof date, "%04d-%02d-%02d", day.year, day.month, day.day);
        std::string row = std::to_string(i) + "," + date;
        for (const CCurve* curve : out.curves) row += "," + CsvValue(curve->values, i);
        for (const CTradeFlag* flag : out.flags) row += "," + CsvValue(flag->values, i);
        std::printf("%s\n", row.c_str());
    }
}

std::string JsonCurve(const CCurve& curve) {
    return "{\"name\":" + JsonString(curve.name) + ",\"param\":" + JsonString(curve.parameter) +
           ",\"color\":" + JsonColour(curve.colour) +
           ",\"line_style\":" + std::to_string(curve.lineStyle) +
           ",\"draw_kind\":" + std::to_string(curve.drawKind) +
           ",\"values\":" + JsonValues(curve.values) + "}";
}

std::string JsonFlag(const CTradeFlag& flag) {
    return "{\"name\":" + JsonString(flag.name) +
           ",\"direction\":" + std::to_string(flag.direction) +
           ",\"symbol\":" + std::to_string(flag.symbol) + ",\"color\":" + JsonColour(flag.colour) +
           ",\"values\":" + JsonValues(flag.values) + "}";
}

template <class Item, class Format>
std::string JsonList(const std::vector<Item>& items, Format format) {
    std::string out = "[";
    for (std::size_t i = 0; i < items.size(); ++i) out += (i ? "," : "") + format(items[i]);
    return out + "]";
}

void PrintJson(const SPaneOutput& out) {
    std::string json = "{\"pane_name\":" + JsonString(out.paneName);
    json += ",\"curves\":" + JsonList(out.curves, [](const CCurve* c) { return JsonCurve(*c); });
    json += ",\"flags\":" + JsonList(out.flags, [](const CTradeFlag* f) { return JsonFlag(*f); });
    json += ",\"reference_lines\":" + JsonList(out.referenceLines, JsonNumber) + "}";
    std::printf("%s\n", json.c_str());
}

SPaneOutput CollectPane(const CTCurve& pane, const SIndicatorEntry& entry) {
    SPaneOutput out;
    out.paneName = entry.paneName;
    for (const auto& curve : pane.Curves()) out.curves.push_back(curve.get());
    for (const auto& element : pane.Elements()) {
        if (auto* flag = dynamic_cast<const CTradeFlag*>(element.get())) out.flags.push_back(flag);
        auto* line = dynamic_cast<const CHorizontal*>(element.get());
        if (line && line->indicatorMark) out.referenceLines.push_back(line->Value());
    }
    return out;
}

int UnknownIndicator(const std::string& identifier) {
    std::string known;
    for (const SIndicatorEntry& entry : IndicatorTable())
        known += (known.empty() ? "" : ", ") + std::string(entry.identifier);
    std::fprintf(stderr, "unknown indicator \"%s\"; known indicators: %s\n", identifier.c_str(),
                 known.c_str());
    return 2;
}

int BadUsage(const std::string& error) {
    std::fprintf(stderr, "%s%s\n", kUsage, error.c_str());
    return 2;
}

// Sub-chart indicators go where the chart view puts them on a chart with only the price pane;
// flag systems are added to the price pane as the document commands add them.
int TargetPane(const SIndicatorEntry& entry) {
    return entry.place == EIndicatorPlace::Sub ? 1 : 0;
}

} // namespace

int IndicatorCommand(const std::vector<std::string>& words) {
    CliArgs args(words, {});
    if (!args.Ok() || args.Positional().size() != 2) return BadUsage(args.Error());
    const std::string& path = args.Positional()[0];
    const SIndicatorEntry* entry = FindIndicator(args.Positional()[1]);
    if (!entry) return UnknownIndicator(args.Positional()[1]);

    const std::string format = args.Value("format").value_or("csv");
    if (format != "csv" && format != "json")
        return BadUsage("--format wants csv or json, not \"" + format + "\"");
    std::string error;
    const auto options = ReadCommandQuoteOptions(args, error);
    if (!options) return BadUsage(error);
    CStock stock;
    stock.LoadSettings(*CommandContext());
    if (!LoadCommandQuotes(stock, path, *options)) return 1;

    const int pane = TargetPane(*entry);
    const bool insert = entry->place == EIndicatorPlace::Flags;
    BuildIndicator(stock, *entry, pane, insert, true);
    const SPaneOutput out = CollectPane(*CStockPanes::InstallIn(stock).Pane(pane), *entry);
    if (format == "json")
        PrintJson(out);
    else
        PrintCsv(out, stock.Display());
    return 0;
}
