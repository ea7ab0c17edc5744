#include "AcmeSeries.h"
#include "ctlkit/base/CPrompter.h"
#include "ctlkit/base/CRecordingPrompter.h"
#include "ctlkit/dc/CRecordingDC.h"
#include "ctlkit/dc/qt/QtConvert.h"
#include "ctlkit/dc/qt/QtDC.h"
#include "panels/qt/FundPanelWidget.h"
#include "panels/qt/StockInfoPanelWidget.h"
#include <QColor>
#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>
#include <memory>

namespace {

// Pixels of exactly `colour` inside `area` of `image`.
int CountColour(const QImage& image, const QRect& area, COLORREF colour) {
    const QRgb wanted = QtConvert::ToQColor(colour).rgb();
    int n = 0;
    const QRect inside = area.intersected(image.rect());
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x)
            if ((image.pixel(x, y) & 0xFFFFFF) == (wanted & 0xFFFFFF)) ++n;
    return n;
}

QImage Grab(QWidget& widget) {
    return widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

class PanelWidgetsTest : public ::testing::Test {
protected:
    PanelWidgetsTest() : m_scoped(prompter) {}

    void SetUp() override { ASSERT_NE(stock, nullptr); }

    CRecordingPrompter prompter;

private:
    CScopedPrompter m_scoped;

protected:
    std::unique_ptr<CStock> stock = LoadAcme(ZS_SAMPLE_DIR);
};

// The bar's values are drawn in its direction colour; the labels stay black.
TEST_F(PanelWidgetsTest, InfoWidgetPaintsTheBarInItsDirectionColour) {
    StockInfoPanelWidget widget;
    widget.resize(widget.sizeHint());
    const int last = static_cast<int>(stock->Display().size()) - 1;
    for (int bar : {last, last - 1, last - 2, 0}) {
        widget.Show(stock.get(), bar);
        EXPECT_EQ(widget.Panel().Series(), stock.get());
        EXPECT_EQ(widget.Panel().ShownBar(), bar);
        const SQuote& q = stock->Display()[static_cast<std::size_t>(bar)];
        const COLORREF colour = CStockInfoPanel::DirectionColour(*stock, q);
        const CStockInfoPanel::STexts texts = widget.Panel().Texts();
        ASSERT_EQ(texts.quote.size(), 6u);
        EXPECT_EQ(texts.heading, "ACME (NYSE)");
        EXPECT_EQ(texts.quote[4].colour, colour);
        const QImage image = Grab(widget);
        EXPECT_GT(CountColour(image, image.rect(), colour), 10) << "bar " << bar;
    }
}

TEST_F(PanelWidgetsTest, InfoWidgetSizeHintHoldsTheQuoteRows) {
    StockInfoPanelWidget widget;
    widget.Show(stock.get(), 10);
    const QSize hint = widget.sizeHint();
    widget.resize(hint);
    // Every quote row is drawn inside the hinted size, none cut at the right edge.
    CRecordingDC dc;
    widget.Panel().Paint(dc, hint.width(), hint.height());
    int rows = 0;
    for (const auto& op : dc.OpsOf(CRecordingDC::kText)) {
        if (!op.text.starts_with(": ")) continue;
        ++rows;
        EXPECT_LT(op.points[0].y, hint.height());
    }
    EXPECT_EQ(rows, 6);
    const QImage image = Grab(widget);
    const COLORREF colour = widget.Panel().Texts().quote[0].colour;
    // The rightmost column of pixels is background: the longest value fits.
    EXPECT_EQ(CountColour(image, QRect(hint.width() - 2, 0, 2, hint.height()), colour), 0);
    EXPECT_GT(CountColour(image, image.rect(), colour), 10);
}

// The series is destroyed after Clear: a repaint reads nothing of it (ASan watches).
TEST_F(PanelWidgetsTest, InfoWidgetAfterClearPaintsLabelsOnly) {
    StockInfoPanelWidget widget;
    widget.resize(widget.sizeHint());
    widget.Show(stock.get(), 5);
    const COLORREF colour = widget.Panel().Texts().quote[0].colour;
    Grab(widget);
    widget.Clear();
    stock.reset();
    EXPECT_EQ(widget.Panel().Series(), nullptr);
    EXPECT_EQ(widget.Panel().Texts().heading, "");
    const QImage image = Grab(widget);
    EXPECT_EQ(CountColour(image, image.rect(), colour), 0);
    EXPECT_GT(CountColour(image, image.rect(), CStockInfoPanel::kLabelColour), 10);
}

// The widget paints what the model paints for the series' shown range: the first row of
// each colour lands on its pixels.
TEST_F(PanelWidgetsTest, FundWidgetPaintsTheRowsOfTheShownRange) {
    FundPanelWidget widget;
    widget.resize(widget.sizeHint());
    const int last = static_cast<int>(stock->Display().size()) - 1;
    widget.Show(stock.get(), last);
    const CFundDistributionPanel::SPriceRange shown = widget.Panel().ShownRange();
    EXPECT_EQ(shown.low, stock->VisibleLow());
    EXPECT_EQ(shown.high, stock->VisibleHigh());
    EXPECT_LT(shown.low, shown.high);

    const QImage image = Grab(widget);
    CRecordingDC dc;
    CFundDistributionPanel model;
    model.Show(stock.get(), last);
    model.Paint(dc, widget.width(), shown.low, shown.high);
    const SPriceLook look = stock->PriceLook();
    for (COLORREF colour : {look.riseLine, look.fallLine}) {
        int rows = 0;
        for (const auto& op : dc.OpsOf(CRecordingDC::kLine)) {
            if (op.pen.colour != colour) continue;
            ++rows;
            const QPoint start(op.points[0].x, op.points[0].y);
            EXPECT_EQ(image.pixel(start) & 0xFFFFFF, QtConvert::ToQColor(colour).rgb() & 0xFFFFFF);
        }
        EXPECT_GT(rows, 0);
    }
    EXPECT_EQ(widget.Panel().LastPercentage(), model.LastPercentage());
}

TEST_F(PanelWidgetsTest, FundWidgetAfterClearPaintsTheCaptionOnly) {
    FundPanelWidget widget;
    widget.resize(widget.sizeHint().width(), 300);
    widget.Show(stock.get(), 100);
    Grab(widget);
    EXPECT_GT(widget.Panel().LastPercentage(), 0.0f);
    widget.Clear();
    stock.reset();
    EXPECT_EQ(widget.Panel().Series(), nullptr);
    EXPECT_EQ(widget.Panel().LastPercentage(), 0.0f);
    const QImage image = Grab(widget);
    // Nothing but black caption text on white: no rows, no proportion bar.
    const QRect below(0, 21, image.width(), image.height() - 21);
    EXPECT_EQ(CountColour(image, below, MakeRGB(255, 255, 255)), below.width() * below.height());
    EXPECT_GT(CountColour(image, QRect(0, 0, image.width(), 21), MakeRGB(0, 0, 0)), 10);
}

// What the widget shows is the model's paint for the same bar, width and range, pixel for
// pixel; the range is asked for at paint time. A bar at or beyond the bar count, or no
// series, leaves the caption with the last percentage.
TEST_F(PanelWidgetsTest, FundWidgetShowsExactlyTheModelsPaintForTheChartsRange) {
    const int bars = static_cast<int>(stock->Display().size());
    const float low = stock->VisibleLow();
    const float high = stock->VisibleHigh();
    const struct {
        int bar;
        int width;
        float shownLow, shownHigh;
        bool rows;
    } cases[] = {
        {bars - 1, 220, low, high, true},
        {bars - 1, 300, low + 2.0f, high - 2.0f, true},
        {bars / 2, 180, low, (low + high) / 2, true},
        {bars, 220, low, high, false},
        {bars + 5, 220, low, high, false},
    };
    for (const auto& c : cases) {
        FundPanelWidget widget;
        EXPECT_EQ(widget.minimumHeight(), CFundDistributionPanel::kHeight);
        widget.resize(c.width, CFundDistributionPanel::kHeight);
        float asked = 0;
        widget.Show(stock.get(), c.bar, [&]() -> CFundDistributionPanel::SPriceRange {
            ++asked;
            return {c.shownLow, c.shownHigh};
        });
        EXPECT_EQ(asked, 0);
        const QImage shown = Grab(widget);
        EXPECT_GE(asked, 1);

        CFundDistributionPanel model;
        model.Show(stock.get(), c.bar);
        QImage expected(c.width, CFundDistributionPanel::kHeight, QImage::Format_RGB32);
        expected.fill(Qt::white);
        {
            QPainter painter(&expected);
            QtDC dc(painter);
            model.Paint(dc, c.width, c.shownLow, c.shownHigh);
        }
        EXPECT_EQ(shown, expected) << "bar " << c.bar << " width " << c.width;
        const SPriceLook look = stock->PriceLook();
        const QRect rows(0, CFundDistributionPanel::kBarBottom + 1, c.width,
                         CFundDistributionPanel::kHeight - CFundDistributionPanel::kBarBottom - 1);
        const int rowPixels =
            CountColour(shown, rows, look.riseLine) + CountColour(shown, rows, look.fallLine);
        EXPECT_EQ(rowPixels > 0, c.rows) << "bar " << c.bar;
        EXPECT_EQ(widget.Panel().LastPercentage(), model.LastPercentage());
    }
}

// At twice the scale the off-screen image has twice the pixels and shows the same drawing.
TEST_F(PanelWidgetsTest, FundWidgetRendersAtTheDevicePixelRatio) {
    FundPanelWidget widget;
    const int last = static_cast<int>(stock->Display().size()) - 1;
    widget.Show(stock.get(), last);
    const QImage single = widget.Render(200, 1.0);
    const QImage twice = widget.Render(200, 2.0);
    EXPECT_EQ(single.size(), QSize(200, CFundDistributionPanel::kHeight));
    EXPECT_EQ(twice.size(), QSize(400, 2 * CFundDistributionPanel::kHeight));
    EXPECT_EQ(twice.devicePixelRatio(), 2.0);
    const COLORREF rise = stock->PriceLook().riseLine;
    EXPECT_GT(CountColour(single, single.rect(), rise), 0);
    EXPECT_GT(CountColour(twice, twice.rect(), rise), CountColour(single, single.rect(), rise));
}

} // namespace
