#include "CPriceLinePreview.h"
#include "ctlkit/dc/qt/QtDC.h"
#include <QPainter>
#include <vector>

namespace {

constexpr float kHigh = 10;
constexpr float kLow = 0;
constexpr int kMargin = 6;

std::vector<SQuote> PreviewBars() {
    struct Prices {
        float open, high, low, close;
    };
    const Prices prices[] = {{3, 8, 2, 7}, {7, 9, 1.5f, 3}, {5, 8.5f, 1, 5}};
    std::vector<SQuote> bars;
    int32_t date = 0;
    for (const Prices& p : prices) {
        SQuote q;
        q.date = date += 86400;
        q.open = p.open;
        q.high = p.high;
        q.low = p.low;
        q.close = q.adjClose = p.close;
        bars.push_back(q);
    }
    return bars;
}

} // namespace

CPriceLinePreview::CPriceLinePreview(QWidget* parent) : QWidget(parent), m_stock(0) {
    std::vector<SQuote> bars = PreviewBars();
    m_stock.RestoreSeries(bars, bars);
    setAutoFillBackground(false);
}

void CPriceLinePreview::SetSettings(const CPriceLineSettings& settings) {
    settings.ApplyTo(m_stock);
    update();
}

void CPriceLinePreview::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QtDC dc(painter);
    const CRect all{0, 0, width(), height()};
    dc.FillSolidRect(all, MakeRGB(255, 255, 255));
    dc.SelectPen(SPen{kPenSolid, 1, MakeRGB(160, 160, 160)});
    dc.SelectBrush(SBrush{0, true});
    dc.Rectangle(all);
    const int bars = static_cast<int>(m_stock.Display().size());
    const CRect plot{kMargin, kMargin, width() - kMargin, height() - kMargin};
    // Bars half as wide as a chart's, so that three of them stand apart.
    const int halfWidth = plot.Width() / bars / 4;
    m_stock.AdjustBarHalfWidth(halfWidth - m_stock.BarHalfWidth());
    m_stock.Draw(dc, kHigh, kLow, 0, bars, plot);
}
