// A full redraw of a 1920x1080 chart window (three panes, 2000 visible candles, twelve line
// curves with their point markers) through the view and the QPainter device context, against
// a bare QPainter loop drawing the same primitives without the view's layout, scales, labels
// and element calls.
#include "BenchBars.h"
#include "ctlkit/base/CPrompter.h"
#include "ctlkit/dc/qt/QtDC.h"
#include "indicators/CStockPanes.h"
#include "indicators/CTCurve.h"
#include "quotes/CStock.h"
#include "series/CCurve.h"
#include "view/CPaneStack.h"
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <vector>

namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;
constexpr int kPanes = 3;
constexpr int kBars = 2000;
constexpr int kCurvesPerPane = 4;

class CSilentPrompter : public CPrompter {
public:
    void ShowMessage(const std::string&) override {}
    bool AskYesNo(const std::string&) override { return true; }
};

QGuiApplication& App() {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static int argc = 1;
    static char name[] = "bench_render";
    static char* argv[] = {name, nullptr};
    static QGuiApplication app(argc, argv);
    return app;
}

// Moving averages of the closes: smooth lines like the curves a chart carries.
std::vector<float> Average(const std::vector<SQuote>& bars, int period, float offset) {
    std::vector<float> out(bars.size(), kInvalid);
    double sum = 0;
    for (std::size_t i = 0; i < bars.size(); ++i) {
        sum += bars[i].close;
        if (i >= static_cast<std::size_t>(period)) sum -= bars[i - period].close;
        if (i + 1 >= static_cast<std::size_t>(period))
            out[i] = static_cast<float>(sum / period) + offset;
    }
    return out;
}

struct SChart {
    std::unique_ptr<CStock> stock;
    std::unique_ptr<CPaneStack> stack;
};

SChart MakeChart() {
    ::setenv("ZENTRISTOCK_HOME", "/tmp/zs-bench-render/", 1);
    SChart chart;
    chart.stock = std::make_unique<CStock>();
    CStock& stock = *chart.stock;
    stock.SetPaneCount(kPanes);
    stock.SetViewSwitchA(2);
    CStockPanes& panes = CStockPanes::InstallIn(stock);
    std::vector<SQuote> bars = BenchRandomWalk(kBars);
    for (int p = 0; p < kPanes; ++p) {
        CTCurve& pane = panes.PaneAt(p);
        for (int c = 0; c < kCurvesPerPane; ++c) {
            auto curve = std::make_unique<CCurve>();
            curve->name = "MA";
            curve->parameter = std::to_string(5 + 10 * c);
            curve->colour = MakeRGB(60 * c, 200 - 40 * c, 40 * p);
            curve->values = Average(bars, 5 + 10 * c, static_cast<float>(p));
            pane.AddCurve(std::move(curve));
        }
    }
    auto copy = bars;
    stock.RestoreSeries(std::move(copy), std::move(bars));
    panes.RebindPanes(stock);
    stock.SetBarsInWindow(kBars, false);
    stock.ShowLastBars();
    chart.stack =
        std::make_unique<CPaneStack>(stock, kPanes, CZentriStockView::DefaultAxisSettings());
    chart.stack->Arrange(kWidth, kHeight);
    return chart;
}

void BM_ViewRedraw(benchmark::State& state) {
    App();
    CSilentPrompter prompter;
    CScopedPrompter scoped(prompter);
    SChart chart = MakeChart();
    QImage window(kWidth, kHeight, QImage::Format_RGB32);
    std::vector<QImage> bitmaps;
    for (int p = 0; p < kPanes; ++p) {
        const CRect& r = chart.stack->PaneRect(p);
        bitmaps.emplace_back(r.Width(), r.Height(), QImage::Format_RGB32);
    }
    for (auto _ : state) {
        QPainter painter(&window);
        for (int p = 0; p < kPanes; ++p) {
            QPainter panePainter(&bitmaps[p]);
            QtDC dc(panePainter);
            chart.stack->View(p).OnDraw(dc);
            panePainter.end();
            painter.drawImage(0, chart.stack->PaneRect(p).top, bitmaps[p]);
        }
        painter.end();
        benchmark::DoNotOptimize(window.constBits());
    }
    state.SetItemsProcessed(state.iterations() * kBars);
}
BENCHMARK(BM_ViewRedraw)->Unit(benchmark::kMillisecond);

// The same candles, curves and grid straight on a QPainter, mapping inlined.
void BM_BareQPainter(benchmark::State& state) {
    App();
    CSilentPrompter prompter;
    CScopedPrompter scoped(prompter);
    SChart chart = MakeChart();
    const std::vector<SQuote>& bars = chart.stock->Display();
    QImage window(kWidth, kHeight, QImage::Format_RGB32);
    const int paneHeights[kPanes] = {kHeight / 2, kHeight / 4, kHeight - kHeight / 2 - kHeight / 4};
    QFont font("Arial");
    font.setPixelSize(15);
    std::vector<QPoint> points(kBars);
    for (auto _ : state) {
        QPainter painter(&window);
        painter.setFont(font);
        int top = 0;
        for (int p = 0; p < kPanes; ++p) {
            const int left = 8, right = kWidth - 44, ptop = top + 39,
                      bottom = top + paneHeights[p] - 23;
            const float w = float(right - left), h = float(bottom - ptop);
            painter.fillRect(0, top, kWidth, paneHeights[p], Qt::white);
            float lo = 1e30f, hi = -1e30f;
            for (const SQuote& q : bars) {
                lo = std::min(lo, q.low);
                hi = std::max(hi, q.high);
            }
            auto y = [&](float v) { return int(float(bottom) - (v - lo) / (hi - lo) * h); };
            auto x = [&](int i) { return int((float(i) + 0.5f) / float(kBars) * w + float(left)); };
            if (p == 0) {
                for (int i = 0; i < kBars; ++i) {
                    const SQuote& q = bars[i];
                    const bool up = q.close > q.open;
                    painter.setPen(up ? QColor(255, 0, 0) : QColor(0, 150, 150));
                    painter.setBrush(up ? QColor(255, 255, 255) : QColor(0, 150, 150));
                    const int yo = y(q.open), yc = y(q.close);
                    painter.drawRect(x(i), std::min(yo, yc), 1, std::abs(yo - yc));
                    painter.drawLine(x(i), y(q.high), x(i), std::min(yo, yc));
                    painter.drawLine(x(i), std::max(yo, yc), x(i), y(q.low));
                }
            }
            for (const auto& curve : CStockPanes::Of(*chart.stock)->Pane(p)->Curves()) {
                painter.setPen(QColor(0, 0, 255));
                int n = 0;
                for (int i = 0; i < kBars; ++i)
                    if (std::isfinite(curve->values[i]))
                        points[n++] = QPoint(x(i), y(curve->values[i]));
                painter.drawPolyline(points.data(), n);
                // The 3x3 marker the line kinds put on every point.
                painter.setBrush(QColor(0, 0, 255));
                for (int i = 0; i < n; ++i)
                    painter.drawRect(points[i].x() - 1, points[i].y() - 1, 2, 2);
            }
            painter.setPen(QPen(QColor(128, 128, 128), 1, Qt::DotLine));
            for (int g = 0; g < 10; ++g)
                painter.drawLine(left, ptop + g * 30, right, ptop + g * 30);
            painter.setPen(QColor(128, 128, 128));
            painter.drawRect(left, ptop, right - left, bottom - ptop);
            for (int i = 0; i < kBars; ++i) painter.drawLine(x(i), bottom, x(i), bottom + 3);
            for (int g = 0; g < 10; ++g) painter.drawText(right + 7, ptop + g * 30 + 7, "123.4");
            top += paneHeights[p];
        }
        painter.end();
        benchmark::DoNotOptimize(window.constBits());
    }
    state.SetItemsProcessed(state.iterations() * kBars);
}
BENCHMARK(BM_BareQPainter)->Unit(benchmark::kMillisecond);

} // namespace
