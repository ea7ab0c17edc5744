#include "ChartJson.h"
#include "CliArgs.h"
#include "CommandQuotes.h"
#include "Commands.h"
#include "chart/CChartFile.h"
#include "chart/CChartTemplate.h"
#include "indicators/CStockPanes.h"
#include <cstdio>
#include <string>
#include <vector>

namespace {

const char kUsage[] =
    "usage: zentristock-cli template dump FILE\n"
    "       zentristock-cli template save --chart FILE.cht --out FILE.tmp\n"
    "       zentristock-cli template apply --chart IN.cht --template T.tmp --out OUT.cht\n";

int BadUsage(const std::string& why) {
    std::fprintf(stderr, "zentristock-cli template: %s\n%s", why.c_str(), kUsage);
    return 2;
}

// The template at `path`, with the windowed program's texts when it is refused.
bool LoadTemplate(const std::string& path, CChartTemplate& chartTemplate) {
    const CFileResult loaded = chartTemplate.Load(path);
    switch (loaded.kind()) {
    case CFileResult::EKind::Ok:
        return true;
    case CFileResult::EKind::CannotOpen:
        std::fprintf(stderr, "Can not open the selected template file.\n");
        return false;
    case CFileResult::EKind::WrongType:
        std::fprintf(stderr, "Error file type.\n");
        return false;
    default:
        std::fprintf(stderr, "The template file %s cannot be read: %s.\n", path.c_str(),
                     loaded.message().c_str());
        return false;
    }
}

std::unique_ptr<CStock> LoadChart(const std::string& path) {
    std::unique_ptr<CStock> stock;
    const CFileResult loaded = CChartFile::Load(path, stock);
    if (!loaded)
        std::fprintf(stderr, "The chart file %s cannot be read: %s.\n", path.c_str(),
                     loaded.message().c_str());
    // Only the windowed program exports a chart's quotes when it closes.
    else
        stock->SetExportOnClose(false);
    return stock;
}

int Dump(const std::vector<std::string>& words) {
    if (words.size() != 1) return BadUsage("template dump wants one template file");
    CChartTemplate chartTemplate;
    if (!LoadTemplate(words[0], chartTemplate)) return 1;
    std::printf("%s\n", TemplateJson(chartTemplate).c_str());
    return 0;
}

int Save(const std::vector<std::string>& words) {
    CliArgs args(words, {});
    const auto chart = args.Value("chart");
    const auto out = args.Value("out");
    if (!args.Ok() || !chart || !out) return BadUsage("template save wants --chart and --out");
    auto stock = LoadChart(*chart);
    if (!stock) return 1;
    const CFileResult saved = CChartTemplate::From(*stock).Save(*out);
    if (!saved) {
        std::fprintf(stderr, "The template file %s cannot be saved: %s.\n", out->c_str(),
                     saved.message().c_str());
        return 1;
    }
    return 0;
}

// As "Apply Template": a new chart of the same quotes in the template's look, the input
// chart left as it is. The template's indicators are computed over the chart's quotes.
int Apply(const std::vector<std::string>& words) {
    CliArgs args(words, {});
    const auto chart = args.Value("chart");
    const auto templatePath = args.Value("template");
    const auto out = args.Value("out");
    if (!args.Ok() || !chart || !templatePath || !out)
        return BadUsage("template apply wants --chart, --template and --out");
    CChartTemplate chartTemplate;
    if (!LoadTemplate(*templatePath, chartTemplate)) return 1;
    auto source = LoadChart(*chart);
    if (!source) return 1;
    CStock stock;
    stock.LoadSettings(*CommandContext());
    chartTemplate.ApplyTo(stock);
    CStockPanes& panes = CStockPanes::InstallIn(stock);
    for (int number = 0; number < stock.PaneCount(); ++number) panes.PaneAt(number);
    stock.SetQuoteFilePath(source->QuoteFilePath());
    stock.SetSymbolName(source->SymbolName());
    stock.SetMarket(source->Market());
    stock.RestorePeriod(source->Period(), source->NDays());
    stock.RestoreSeries(source->Base(), source->Display());
    stock.RestoreWindow(source->WindowFirst(), source->WindowEnd());
    stock.RestoreVisibleRange(source->VisibleHigh(), source->VisibleLow());
    panes.ReplayIndicators(stock);
    const CFileResult saved = CChartFile::Save(stock, *out);
    if (!saved) {
        std::fprintf(stderr, "The chart file %s cannot be saved: %s.\n", out->c_str(),
                     saved.message().c_str());
        return 1;
    }
    return 0;
}
} // namespace

int TemplateCommand(const std::vector<std::string>& args) {
    if (args.empty()) return BadUsage("template wants dump, save or apply");
    const std::vector<std::string> rest(args.begin() + 1, args.end());
    if (args[0] == "dump") return Dump(rest);
    if (args[0] == "save") return Save(rest);
    if (args[0] == "apply") return Apply(rest);
    return BadUsage("unknown template command \"" + args[0] + "\"");
}
