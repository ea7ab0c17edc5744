#include "CliArgs.h"
#include "CommandQuotes.h"
#include "Commands.h"
#include "chart/CChartFile.h"
#include "ctlkit/base/AtomicFile.h"
#include "indicators/CStockPanes.h"
#include "quotes/CStock.h"
#include "quotes/CViewPar.h"
#include "quotes/PeriodChoice.h"
#include "view/CPaneStack.h"
#include "view/qt/PaneStackPainter.h"
#include <QBuffer>
#include <QByteArray>
#include <QGuiApplication>
#include <QImage>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace {

const char kUsage[] =
    "usage: zentristock-cli render FILE.cht --out OUT.png [--size WxH]\n"
    "       zentristock-cli render --quotes FILE [--period day|week|month|nday:N] [--panes N]\n"
    "           [--add PANE:ID[:insert|replace]]... [--tool PANE:CODE:x1,y1,x2,y2]... --out "
    "OUT.png\n"
    "           [--size WxH]\n"
    "       either form also takes [--scale PANE:log|linear|round|bottom[,...]]...\n";
constexpr int kMinSide = 80;
constexpr int kMaxSide = 16384;

int BadUsage(const std::string& why) {
    std::fprintf(stderr, "zentristock-cli render: %s\n%s", why.c_str(), kUsage);
    return 2;
}

bool ParseSize(const std::string& text, int& width, int& height) {
    const std::size_t x = text.find('x');
    if (x == std::string::npos) return false;
    char* end = nullptr;
    const long w = std::strtol(text.c_str(), &end, 10);
    if (end != text.c_str() + x) return false;
    const long h = std::strtol(text.c_str() + x + 1, &end, 10);
    if (*end != '\0' || x + 1 == text.size()) return false;
    if (w < kMinSide || h < kMinSide || w > kMaxSide || h > kMaxSide) return false;
    width = static_cast<int>(w);
    height = static_cast<int>(h);
    return true;
}

// The highest pane an "--add PANE:..." names, -1 when none does.
int HighestAddedPane(const std::vector<std::string>& adds) {
    int highest = -1;
    for (const std::string& add : adds) highest = std::max(highest, std::atoi(add.c_str()));
    return highest;
}

std::unique_ptr<CStock> StockFromQuotes(const CliArgs& args, int& status) {
    SPeriodChoice period;
    if (auto text = args.Value("period")) {
        auto parsed = ParsePeriodChoice(*text);
        if (!parsed) {
            status = BadUsage("--period wants day, week, month or nday:N, not \"" + *text + "\"");
            return nullptr;
        }
        period = *parsed;
    }
    const std::vector<std::string> adds = args.Values("add");
    long panes = std::clamp(HighestAddedPane(adds) + 1, 2, 10);
    if (args.Has("panes")) {
        std::string error;
        auto number = args.Number("panes", 1, 10, error);
        if (!number) {
            status = BadUsage(error);
            return nullptr;
        }
        panes = *number;
    }
    auto stock = std::make_unique<CStock>();
    stock->LoadSettings(*CommandContext());
    stock->SetPaneCount(static_cast<int>(panes));
    CStockPanes& paneSet = CStockPanes::InstallIn(*stock);
    for (int number = 0; number < panes; ++number) paneSet.PaneAt(number);
    const std::string path = *args.Value("quotes");
    if (!AcceptLoadedQuotes(
            LoadQuotesInPeriod(*stock, path, period, stock->MaximumQuotes(), nullptr))) {
        std::fprintf(stderr, "The quote file %s cannot be read.\n", path.c_str());
        status = 1;
        return nullptr;
    }
    std::string why;
    for (const std::string& option : adds)
        if (!AddIndicatorOption(*stock, option, why)) {
            status = BadUsage(why);
            return nullptr;
        }
    paneSet.RebindPanes(*stock);
    // The title button shows the symbol, named after the quote file.
    if (const std::string symbol = SymbolOfQuoteFile(path); !symbol.empty())
        stock->SetSymbolName(symbol);
    return stock;
}

// "--scale PANE:log,round": the pane's value scale (log or linear) and ticks (round, or from
// the bottom value) in its view record, as the view dialog sets them.
bool ApplyScaleOption(CStock& stock, const std::string& option, std::string& why) {
    why =
        "--scale wants PANE:log|linear|round|bottom[,...] with PANE 0 to 9, not \"" + option + "\"";
    const std::size_t colon = option.find(':');
    if (colon != 1 || option[0] < '0' || option[0] > '9') return false;
    CViewPar& par = stock.ViewPar(option[0] - '0');
    std::size_t at = colon + 1;
    do {
        const std::size_t comma = std::min(option.find(',', at), option.size());
        const std::string word = option.substr(at, comma - at);
        if (word == "log" || word == "linear")
            par.SetLogScale(word == "log");
        else if (word == "round" || word == "bottom")
            par.SetRoundTicks(word == "round");
        else
            return false;
        at = comma + 1;
    } while (at <= option.size());
    return true;
}

std::unique_ptr<CStock> StockFromChart(const std::string& path, int& status) {
    std::unique_ptr<CStock> stock;
    const CFileResult loaded = CChartFile::Load(path, stock, false);
    if (!loaded) {
        std::fprintf(stderr, "The chart file %s cannot be read: %s.\n", path.c_str(),
                     loaded.message().c_str());
        status = 1;
    }
    return stock;
}

// The chart window of width x height as the program draws it; what a pane says of its scale
// goes to stderr, as every message of this tool.
QImage RenderWindow(CStock& stock, int width, int height) {
    CPaneStack stack(stock, std::max(1, stock.PaneCount()),
                     CZentriStockView::DefaultAxisSettings());
    QImage image = PaneStackPainter::Render(stack, width, height);
    for (int pane = 0; pane < stack.Count(); ++pane)
        if (const std::string notice = stack.View(pane).ScaleNotice(); !notice.empty())
            std::fprintf(stderr, "%s\n", notice.c_str());
    return image;
}

} // namespace

int RenderCommand(const std::vector<std::string>& words) {
    CliArgs args(words, {});
    if (!args.Ok()) return BadUsage(args.Error());
    const auto out = args.Value("out");
    const bool fromQuotes = args.Has("quotes");
    if (!out) return BadUsage("render wants --out");
    if (fromQuotes == (args.Positional().size() == 1) || args.Positional().size() > 1)
        return BadUsage("render wants one chart file or --quotes");
    if (!fromQuotes && (args.Has("add") || args.Has("period") || args.Has("panes")))
        return BadUsage("--add, --period and --panes go with --quotes");
    int width = 1280, height = 800;
    if (auto size = args.Value("size"))
        if (!ParseSize(*size, width, height))
            return BadUsage("--size wants WxH from 80 to 16384, not \"" + *size + "\"");

    int status = 0;
    std::unique_ptr<CStock> stock =
        fromQuotes ? StockFromQuotes(args, status) : StockFromChart(args.Positional()[0], status);
    if (!stock) return status;
    // Rendering must not export anything when the series goes away.
    stock->SetExportOnClose(false);
    std::string why;
    for (const std::string& option : args.Values("tool"))
        if (!AddToolOption(*stock, option, why)) return BadUsage(why);
    for (const std::string& option : args.Values("scale"))
        if (!ApplyScaleOption(*stock, option, why)) return BadUsage(why);

    if (!std::getenv("QT_QPA_PLATFORM")) ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    int argc = 1;
    char name[] = "zentristock-cli";
    char* argv[] = {name, nullptr};
    QGuiApplication app(argc, argv);
    const QImage image = RenderWindow(*stock, width, height);
    // Encoded in memory, then replaced as every other file is: a full disk or a kill while
    // writing never leaves a cut picture in place of the old one.
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG")) {
        std::fprintf(stderr, "The image %s cannot be written.\n", out->c_str());
        return 1;
    }
    const CFileResult written = WriteFileAtomically(
        *out, std::string_view(png.constData(), static_cast<size_t>(png.size())));
    if (!written) {
        std::fprintf(stderr, "The image %s cannot be written (%s).\n", out->c_str(),
                     written.message().c_str());
        return 1;
    }
    return 0;
}
