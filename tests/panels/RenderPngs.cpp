// Writes one PNG per curve draw kind, one of the trade-flag markers and one of the fund
// distribution panel and the stock information panel at scales 1 and 2 into the folder given as the
// first argument, for looking at.
#include "ctlkit/dc/qt/QtDC.h"
#include "indicators/CStockPanes.h"
#include "indicators/CTradeFlag.h"
#include "panels/CFundDistributionPanel.h"
#include "panels/CStockInfoPanel.h"
#include "quotes/CStock.h"
#include "series/CCurve.h"
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int kBars = 40;
constexpr int kWidth = 400;
constexpr int kHeight = 200;

std::vector<SQuote> Bars() {
    std::vector<SQuote> bars;
    for (int i = 0; i < kBars; ++i) {
        SQuote q;
        q.date = 86400 * (i + 1);
        const float mid = 50.0f + 8.0f * std::sin(i * 0.3f);
        q.open = mid + (i % 3 == 0 ? 1.0f : -1.0f);
        q.close = mid - (i % 3 == 0 ? 1.0f : -1.0f);
        q.high = std::max(q.open, q.close) + 1.0f;
        q.low = std::min(q.open, q.close) - 1.0f;
        q.volume = 1000.0f + 500.0f * (i % 5);
        bars.push_back(q);
    }
    return bars;
}

class CLookOwner : public CElementOwner {
public:
    explicit CLookOwner(CStock& stock) : m_stock(stock) {}
    const std::vector<SQuote>* PriceBars() const override { return &m_stock.Display(); }
    bool PriceLook(SPriceLook& look) const override {
        look = m_stock.PriceLook();
        return true;
    }

private:
    CStock& m_stock;
};

struct SCanvas {
    QImage image{kWidth, kHeight, QImage::Format_RGB32};
    SCanvas() { image.fill(Qt::white); }
};

void Save(SCanvas& canvas, const std::string& path) {
    if (!canvas.image.save(QString::fromStdString(path)))
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
}

const CRect kPlot{10, 10, kWidth - 10, kHeight - 10};

} // namespace

int main(int argc, char** argv) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QGuiApplication app(argc, argv);
    const std::string out = argc > 1 ? std::string(argv[1]) + "/" : "./";

    CStock stock;
    CStockPanes& panes = CStockPanes::InstallIn(stock);
    const std::vector<SQuote> bars = Bars();
    stock.RestoreSeries(bars, bars);
    stock.RestoreWindow(0, kBars);
    panes.RebuildCostDistribution(stock);
    CLookOwner owner(stock);

    {
        // Price bars once, so the bar half-width is known to the bar kinds.
        SCanvas canvas;
        QPainter painter(&canvas.image);
        QtDC dc(painter);
        stock.Draw(dc, 62.0f, 38.0f, 0, kBars, kPlot);
    }

    for (int kind = 0; kind <= CCurve::kMaxDrawKind; ++kind) {
        CCurve curve;
        curve.owner = &owner;
        curve.drawKind = kind;
        curve.colour = MakeRGB(0, 0, 255);
        curve.fillColour = MakeRGB(160, 200, 255);
        curve.lineWidth = 2;
        for (int i = 0; i < kBars; ++i) {
            const bool gap = i < 4 || (i >= 20 && i < 23);
            curve.values.push_back(gap ? kInvalid
                                       : 6.0f * std::sin(i * 0.25f) + (kind >= 6 && kind < 8 ? 8.0f
                                                                       : kind >= 10 && kind < 12
                                                                           ? 8.0f
                                                                           : 0.0f));
        }
        if (kind == 1) curve.Select();
        SCanvas canvas;
        QPainter painter(&canvas.image);
        QtDC dc(painter);
        dc.SelectPen(SPen{kPenDot, 1, MakeRGB(200, 200, 200)});
        dc.Line(kPlot.left, kHeight / 2, kPlot.right, kHeight / 2); // value 0
        curve.Draw(dc, 15.0f, -15.0f, 0, kBars, kPlot);
        painter.end();
        Save(canvas, out + "curve-kind" + std::to_string(kind) + ".png");
    }

    {
        SCanvas canvas;
        QPainter painter(&canvas.image);
        QtDC dc(painter);
        stock.Draw(dc, 62.0f, 38.0f, 0, kBars, kPlot);
        const int symbols[] = {13, 12, 7, 9, 1, 0};
        for (int s = 0; s < 6; ++s) {
            for (int direction : {CTradeFlag::kBuy, CTradeFlag::kSell}) {
                CTradeFlag flag;
                flag.direction = direction;
                flag.symbol = direction == CTradeFlag::kSell && symbols[s] == 9 ? 8 : symbols[s];
                flag.colour =
                    direction == CTradeFlag::kBuy ? MakeRGB(0, 255, 0) : MakeRGB(255, 0, 0);
                flag.values.assign(kBars, 0.0f);
                const int i = 3 + s * 6 + (direction == CTradeFlag::kSell ? 3 : 0);
                flag.values[i] = direction == CTradeFlag::kBuy ? bars[i].low : bars[i].high;
                flag.Draw(dc, 62.0f, 38.0f, 0, kBars, kPlot);
            }
        }
        painter.end();
        Save(canvas, out + "trade-flags.png");
    }

    {
        QImage image(220, CFundDistributionPanel::kHeight, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        QtDC dc(painter);
        CFundDistributionPanel panel;
        panel.Show(&stock, 30);
        panel.Paint(dc, 220, 38.0f, 62.0f);
        panel.Paint(dc, 220, 38.0f, 62.0f);
        painter.end();
        image.save(QString::fromStdString(out + "fund-distribution.png"));
    }

    auto curve = std::make_unique<CCurve>();
    curve->name = "MA";
    curve->parameter = "5";
    curve->colour = MakeRGB(0, 0, 255);
    curve->values.assign(kBars, 51.25f);
    panes.PaneAt(0).AddCurve(std::move(curve));
    stock.SetSymbolName("ACME");
    stock.SetMarket("NYSE");
    for (int scale : {1, 2}) {
        QImage image(200 * scale, 220 * scale, QImage::Format_RGB32);
        image.setDevicePixelRatio(scale);
        QPainter painter(&image);
        QtDC dc(painter);
        CStockInfoPanel panel;
        panel.Show(&stock, 30);
        panel.Paint(dc, 200, 220);
        painter.end();
        image.save(QString::fromStdString(out + "stock-info-x" + std::to_string(scale) + ".png"));
    }
    return 0;
}
