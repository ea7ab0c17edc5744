#include "ChartJson.h"
#include "CliArgs.h"
#include "CommandQuotes.h"
#include "Commands.h"
#include "chart/CChartFile.h"
#include "indicators/CStockPanes.h"
#include "indicators/CTCurve.h"
#include "indicators/IndicatorBuilder.h"
#include "quotes/CStock.h"
#include "quotes/PeriodChoice.h"
#include "tools/ElementFactory.h"
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

namespace {

const char kUsage[] =
    "usage: zentristock-cli chart dump FILE.cht\n"
    "       zentristock-cli chart new --quotes FILE [--period day|week|month|nday:N] [--panes N]\n"
    "           [--add PANE:ID[:insert|replace]]... [--tool PANE:CODE:x1,y1,x2,y2]... --out "
    "FILE.cht\n";

int BadUsage(const std::string& why) {
    std::fprintf(stderr, "zentristock-cli chart: %s\n%s", why.c_str(), kUsage);
    return 2;
}

std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::stringstream in(text);
    std::string part;
    while (std::getline(in, part, separator)) parts.push_back(part);
    if (!text.empty() && text.back() == separator) parts.emplace_back();
    return parts;
}

bool ParseInt(const std::string& text, int low, int high, int& value) {
    char* end = nullptr;
    const long parsed = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || parsed < low || parsed > high) return false;
    value = static_cast<int>(parsed);
    return true;
}

bool ParseFloat(const std::string& text, float& value) {
    char* end = nullptr;
    value = std::strtof(text.c_str(), &end);
    return !text.empty() && *end == '\0';
}

int Dump(const std::vector<std::string>& words) {
    if (words.size() != 1) return BadUsage("chart dump wants one chart file");
    std::unique_ptr<CStock> stock;
    const CFileResult loaded = CChartFile::Load(words[0], stock, false);
    if (!loaded) {
        std::fprintf(stderr, "The chart file %s cannot be read: %s.\n", words[0].c_str(),
                     loaded.message().c_str());
        return 1;
    }
    // A dump must not export anything when the series goes away.
    stock->SetExportOnClose(false);
    std::printf("%s\n", ChartJson(*stock).c_str());
    return 0;
}

// "PANE:ID[:insert|replace]".
bool AddIndicator(CStock& stock, const std::string& option, std::string& why) {
    const std::vector<std::string> parts = Split(option, ':');
    int pane = 0;
    if (parts.size() < 2 || parts.size() > 3 || !ParseInt(parts[0], 0, 9, pane)) {
        why = "--add wants PANE:ID[:insert|replace] with a pane 0 to 9, not \"" + option + "\"";
        return false;
    }
    bool insert = false;
    if (parts.size() == 3) {
        if (parts[2] != "insert" && parts[2] != "replace") {
            why = "--add ends in insert or replace, not \"" + parts[2] + "\"";
            return false;
        }
        insert = parts[2] == "insert";
    }
    if (pane >= stock.PaneCount()) {
        why = "--add names pane " + parts[0] + " of a chart with " +
              std::to_string(stock.PaneCount()) + " panes";
        return false;
    }
    if (!BuildIndicator(stock, parts[1], pane, insert, true)) {
        why = "no indicator is called \"" + parts[1] + "\"";
        return false;
    }
    return true;
}

// "PANE:CODE:x1,y1,x2,y2".
bool AddTool(CStock& stock, const std::string& option, std::string& why) {
    const std::vector<std::string> parts = Split(option, ':');
    int pane = 0, code = 0;
    std::vector<std::string> numbers =
        parts.size() == 3 ? Split(parts[2], ',') : std::vector<std::string>{};
    float point[4] = {};
    bool ok = parts.size() == 3 && ParseInt(parts[0], 0, 9, pane) &&
              ParseInt(parts[1], 0, 1000, code) && numbers.size() == 4;
    for (int i = 0; ok && i < 4; ++i) ok = ParseFloat(numbers[i], point[i]);
    if (!ok) {
        why = "--tool wants PANE:CODE:x1,y1,x2,y2, not \"" + option + "\"";
        return false;
    }
    if (pane >= stock.PaneCount()) {
        why = "--tool names pane " + parts[0] + " of a chart with " +
              std::to_string(stock.PaneCount()) + " panes";
        return false;
    }
    std::unique_ptr<CSymbol> element = code == 36 ? nullptr : CreateToolElement(code);
    if (!element) {
        why = "no drawing tool has the code " + parts[1];
        return false;
    }
    element->x1 = point[0];
    element->y1 = point[1];
    element->x2 = point[2];
    element->y2 = point[3];
    element->SetPeriod(1);
    element->placed = 1;
    CStockPanes::InstallIn(stock).PaneAt(pane).AddElement(std::move(element));
    return true;
}

int New(const std::vector<std::string>& words) {
    CliArgs args(words, {});
    if (!args.Ok()) return BadUsage(args.Error());
    const auto quotes = args.Value("quotes");
    const auto out = args.Value("out");
    if (!quotes || !out || !args.Positional().empty())
        return BadUsage("chart new wants --quotes and --out");
    SPeriodChoice period;
    if (auto text = args.Value("period")) {
        auto parsed = ParsePeriodChoice(*text);
        if (!parsed)
            return BadUsage("--period wants day, week, month or nday:N, not \"" + *text + "\"");
        period = *parsed;
    }
    std::string error;
    long panes = 2;
    if (args.Has("panes")) {
        auto number = args.Number("panes", 1, 10, error);
        if (!number) return BadUsage(error);
        panes = *number;
    }
    CStock stock;
    stock.LoadSettings(*CommandContext());
    stock.SetPaneCount(static_cast<int>(panes));
    CStockPanes& paneSet = CStockPanes::InstallIn(stock);
    for (int number = 0; number < panes; ++number) paneSet.PaneAt(number);
    if (!AcceptLoadedQuotes(
            LoadQuotesInPeriod(stock, *quotes, period, stock.MaximumQuotes(), nullptr))) {
        std::fprintf(stderr, "The quote file %s cannot be read.\n", quotes->c_str());
        return 1;
    }
    std::string why;
    for (const std::string& option : args.Values("add"))
        if (!AddIndicator(stock, option, why)) return BadUsage(why);
    for (const std::string& option : args.Values("tool"))
        if (!AddTool(stock, option, why)) return BadUsage(why);
    paneSet.RebindPanes(stock);
    // Named after its quote file, as the chart window names a chart it opens.
    if (const std::string symbol = SymbolOfQuoteFile(*quotes); !symbol.empty())
        stock.SetSymbolName(symbol);
    const CFileResult saved = CChartFile::Save(stock, *out);
    if (!saved) {
        std::fprintf(stderr, "The chart file %s cannot be saved: %s.\n", out->c_str(),
                     saved.message().c_str());
        return 1;
    }
    return 0;
}
} // namespace

bool AddIndicatorOption(CStock& stock, const std::string& option, std::string& why) {
    return AddIndicator(stock, option, why);
}

bool AddToolOption(CStock& stock, const std::string& option, std::string& why) {
    return AddTool(stock, option, why);
}

int ChartCommand(const std::vector<std::string>& args) {
    if (args.empty()) return BadUsage("chart wants dump or new");
    const std::vector<std::string> rest(args.begin() + 1, args.end());
    if (args[0] == "dump") return Dump(rest);
    if (args[0] == "new") return New(rest);
    return BadUsage("unknown chart command \"" + args[0] + "\"");
}
