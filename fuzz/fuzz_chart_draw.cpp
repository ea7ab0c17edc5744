// libFuzzer target: the input is a chart file or a template. Whatever either reader accepts
// is drawn as a chart window draws it, into a recording device context and through QtDC into
// a small image: no stored value may reach undefined behaviour or unbounded work on the way.
// A template is applied to a short series of its own, whose indicators it then rebuilds.
#include "chart/CChartFile.h"
#include "chart/CChartTemplate.h"
#include "ctlkit/base/CPrompter.h"
#include "ctlkit/base/CRecordingPrompter.h"
#include "ctlkit/dc/CRecordingDC.h"
#include "indicators/CStockPanes.h"
#include "view/CPaneStack.h"
#include "view/qt/PaneStackPainter.h"
#include <QGuiApplication>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

namespace {
constexpr int kWidth = 160;
constexpr int kHeight = 120;
constexpr int kTemplateBars = 40;

// A program folder of its own, whose setup.ini has the series section (no message per run),
// and the Qt side drawing off-screen.
void Prepare() {
    static const bool prepared = [] {
        const char* base = std::getenv("TMPDIR");
        std::string tmpl = std::string(base && *base ? base : "/tmp") + "/fuzz_draw.XXXXXX";
        if (!::mkdtemp(tmpl.data())) std::abort();
        std::ofstream(tmpl + "/setup.ini") << "[STOCKLINE_SETUP]\nDisPeriod=400\n";
        ::setenv("ZENTRISTOCK_HOME", (tmpl + "/").c_str(), 1);
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
        static int argc = 1;
        static char name[] = "fuzz_chart_draw";
        static char* argv[] = {name, nullptr};
        new QGuiApplication(argc, argv); // for the life of the process
        return true;
    }();
    (void)prepared;
}

void Draw(CStock& stock) {
    stock.SetExportOnClose(false);
    CPaneStack stack(stock, std::max(1, stock.PaneCount()),
                     CZentriStockView::DefaultAxisSettings());
    stack.Arrange(kWidth, kHeight);
    CRecordingDC recording;
    for (int pane = 0; pane < stack.Count(); ++pane) stack.View(pane).OnDraw(recording);
    const QImage image = PaneStackPainter::Render(stack, kWidth, kHeight);
    if (image.width() != kWidth || image.height() != kHeight) std::abort();
}

std::unique_ptr<CStock> TemplateStock(const CChartTemplate& chartTemplate) {
    auto stock = std::make_unique<CStock>();
    std::vector<SQuote> bars(kTemplateBars);
    for (int i = 0; i < kTemplateBars; ++i) {
        bars[i].date = 86400 * (i + 1);
        bars[i].close = 10.0f + static_cast<float>(i % 7);
        bars[i].open = bars[i].close - 0.5f;
        bars[i].high = bars[i].close + 1;
        bars[i].low = bars[i].close - 1;
        bars[i].adjClose = bars[i].close;
        bars[i].volume = 1000.0f + static_cast<float>(i);
    }
    stock->RestoreSeries(bars, bars);
    stock->RestoreWindow(0, kTemplateBars);
    chartTemplate.ApplyTo(*stock);
    CStockPanes& panes = CStockPanes::InstallIn(*stock);
    for (int number = 0; number < stock->PaneCount(); ++number) panes.PaneAt(number);
    panes.ReplayIndicators(*stock);
    return stock;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Prepare();
    CRecordingPrompter prompter;
    CScopedPrompter scoped(prompter);
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    std::unique_ptr<CStock> chart;
    const CFileResult read = CChartFile::Read(bytes, chart, false);
    if (static_cast<bool>(read) != static_cast<bool>(chart)) std::abort();
    if (chart) Draw(*chart);

    CChartTemplate chartTemplate;
    if (chartTemplate.Read(bytes)) Draw(*TemplateStock(chartTemplate));
    return 0;
}
