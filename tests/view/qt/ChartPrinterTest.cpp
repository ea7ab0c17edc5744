#include "view/qt/ChartPrinter.h"
#include "PrintTestSupport.h"
#include "ctlkit/dc/CRecordingDC.h"
#include "ctlkit/dc/qt/QtConvert.h"
#include "indicators/CStockPanes.h"
#include "indicators/CTCurve.h"
#include "quotes/LocalDate.h"
#include <QFontMetrics>
#include <QPdfWriter>
#include <algorithm>

namespace {

class ChartPrinterTest : public PrintTest {
protected:
    // Prints the stack on an A4 landscape PDF at `dpi` with no margins to speak of.
    bool PrintPdf(const std::string& path, int dpi, const SPrintOptions& options = {}) {
        QPdfWriter writer(QString::fromStdString(path));
        writer.setResolution(dpi);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageOrientation(QPageLayout::Landscape);
        writer.setPageMargins(QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
        return PrintChart(*stack, writer, options);
    }
    std::string PaneTitle(int pane) { return CStockPanes::Of(*stock)->Pane(pane)->paneName; }
};

// The text as pdftotext gives it back: runs of spaces as one.
std::string OneSpaced(const std::string& text) {
    std::string out;
    for (char c : text)
        if (c != ' ' || out.empty() || out.back() != ' ') out += c;
    return out;
}

int32_t Day(int year, int month, int day) {
    int32_t date = 0;
    LocalMidnight(year, month, day, date);
    return date;
}

TEST(PrintHeaderTest, NamesSymbolMarketPeriodAndTheFirstAndLastDate) {
    struct SCase {
        const char* symbol;
        const char* market;
        int period;
        int nDays;
        std::vector<int32_t> dates;
        const char* header;
    };
    const SCase cases[] = {
        {"IBM",
         "NYSE",
         CStock::kPeriodDay,
         2,
         {Day(2004, 1, 2), Day(2004, 6, 1), Day(2005, 3, 4)},
         "IBM  NYSE  Daily  2004-01-02 - 2005-03-04"},
        {"IBM",
         "NYSE",
         CStock::kPeriodWeek,
         2,
         {Day(2004, 1, 2), Day(2004, 1, 9)},
         "IBM  NYSE  Weekly  2004-01-02 - 2004-01-09"},
        {"BP",
         "LSE",
         CStock::kPeriodMonth,
         2,
         {Day(1999, 12, 31)},
         "BP  LSE  Monthly  1999-12-31 - 1999-12-31"},
        {"RY",
         "TSX",
         CStock::kPeriodNDays,
         3,
         {Day(2010, 2, 1), Day(2010, 2, 4)},
         "RY  TSX  3-Day  2010-02-01 - 2010-02-04"},
        // A chart without a market (made from a quote file) and one without bars.
        {"ACME",
         "",
         CStock::kPeriodDay,
         2,
         {Day(2020, 5, 6), Day(2020, 5, 7)},
         "ACME  Daily  2020-05-06 - 2020-05-07"},
        {"NoName", "", CStock::kPeriodDay, 2, {}, "NoName  Daily"},
    };
    for (const SCase& c : cases) {
        CStock series(0);
        series.SetSymbolName(c.symbol);
        series.SetMarket(c.market);
        ASSERT_TRUE(series.RestorePeriod(c.period, c.nDays));
        std::vector<SQuote> bars;
        for (int32_t date : c.dates) {
            SQuote q{};
            q.date = date;
            bars.push_back(q);
        }
        auto base = bars;
        series.RestoreSeries(std::move(base), std::move(bars));
        EXPECT_EQ(PrintHeader(series), c.header);
    }
}

TEST_F(ChartPrinterTest, PaperShowsTheTitleAsTextWithoutFocusFrameOrShadowEdge) {
    struct SCase {
        bool printing;
        int frameWidth;
        bool buttonOutline;
        bool shadowEdge;
    };
    const SCase cases[] = {{false, 2, true, true}, {true, 1, false, false}};
    for (const SCase& c : cases) {
        CZentriStockView& view = stack->View(0);
        view.SetFocus(true);
        CRecordingDC dc(c.printing);
        view.OnDraw(dc);
        const CRect p = view.plotRect;
        const CRect button = view.TitleButtonRect();
        int frameTop = 0, shadow = 0, outline = 0;
        for (const auto& op : dc.OpsOf(CRecordingDC::kLine)) {
            if (op.points[0] == CPoint{p.left, p.top} && op.points[1] == CPoint{p.right, p.top})
                frameTop = op.pen.width;
            if (op.pen.colour == CZentriStockView::kButtonShadow) ++shadow;
        }
        for (const auto& op : dc.OpsOf(CRecordingDC::kRectangle))
            if (op.rect == button) ++outline;
        EXPECT_EQ(frameTop, c.frameWidth) << c.printing;
        EXPECT_EQ(outline > 0, c.buttonOutline) << c.printing;
        EXPECT_EQ(shadow > 0, c.shadowEdge) << c.printing;
        const std::vector<std::string> texts = dc.Texts();
        EXPECT_NE(std::find(texts.begin(), texts.end(), "ACME"), texts.end()) << c.printing;
    }
}

TEST_F(ChartPrinterTest, PageLayoutStacksTheVisiblePanesInTheirWindowProportions) {
    ASSERT_EQ(stack->Count(), 3);
    struct SCase {
        int windowWidth, windowHeight;
        std::vector<int> hidden;
        int deviceWidth, deviceHeight, dpi;
        double scale;
        std::vector<CRect> panes;
    };
    // Header 27 + gap 8: the panes start at 35.
    const SCase cases[] = {
        // A window of 1000 x 600 (300 + 150 + 150) on 1000 x 2000 layout pixels: the
        // window's aspect, 600 high.
        {1000,
         600,
         {},
         3125,
         6250,
         300,
         3.125,
         {{0, 35, 1000, 335}, {0, 335, 1000, 485}, {0, 485, 1000, 635}}},
        // The same at 600 dpi: the same layout at twice the scale.
        {1000,
         600,
         {},
         6250,
         12500,
         600,
         6.25,
         {{0, 35, 1000, 335}, {0, 335, 1000, 485}, {0, 485, 1000, 635}}},
        // A page lower than the window's aspect: the panes share what is left below the
        // header (765 of 800).
        {1000,
         600,
         {},
         2000,
         800,
         96,
         1.0,
         {{0, 35, 2000, 417}, {0, 417, 2000, 608}, {0, 608, 2000, 800}}},
        // A very wide window still gets half the width in height.
        {2000,
         200,
         {},
         1000,
         2000,
         96,
         1.0,
         {{0, 35, 1000, 285}, {0, 285, 1000, 410}, {0, 410, 1000, 535}}},
        // Hidden panes get no place; the pane shown fills the chart.
        {1000, 600, {0, 2}, 1000, 2000, 96, 1.0, {{}, {0, 35, 1000, 635}, {}}},
        {1000, 600, {1}, 1000, 2000, 96, 1.0, {{0, 35, 1000, 435}, {}, {0, 435, 1000, 635}}},
    };
    for (const SCase& c : cases) {
        for (int pane = 0; pane < 3; ++pane)
            stack->SetHidden(pane, std::count(c.hidden.begin(), c.hidden.end(), pane) > 0);
        stack->Arrange(c.windowWidth, c.windowHeight);
        const SPrintLayout layout = LayoutPrintPage(*stack, c.deviceWidth, c.deviceHeight, c.dpi);
        EXPECT_DOUBLE_EQ(layout.scale, c.scale);
        EXPECT_EQ(layout.header, QRect(0, 0, layout.width, 27));
        EXPECT_EQ(layout.panes, c.panes) << c.windowWidth << "x" << c.windowHeight;
    }
    // A stack never arranged (a window not shown yet) prints by the shares, 2 : 1 : 1, at
    // the aspect of a 1280 x 800 window.
    CPaneStack fresh(*stock, 3, CZentriStockView::DefaultAxisSettings());
    EXPECT_EQ(LayoutPrintPage(fresh, 1000, 2000, 96).panes,
              (std::vector<CRect>{{0, 35, 1000, 347}, {0, 347, 1000, 503}, {0, 503, 1000, 660}}));
}

TEST_F(ChartPrinterTest, SampleChartPrintsOnOnePageUnderItsHeader) {
    const std::string pdf = dir + "chart.pdf";
    ASSERT_TRUE(PrintPdf(pdf, 300));
    EXPECT_EQ(PageCount(pdf), 1);
    if (!HasTool("pdftoppm")) GTEST_SKIP() << "pdftoppm (poppler-utils) is not installed";
    const std::string header = PrintHeader(*stock);
    EXPECT_EQ(header.rfind("ACME  ", 0), 0u) << header;
    EXPECT_NE(PageText(pdf).find(OneSpaced(header)), std::string::npos) << PageText(pdf);
    const QImage page = RenderPage(pdf, 100);
    ASSERT_FALSE(page.isNull());
    // The header line (10 mm margin, then 27 layout pixels = 7 mm) holds its text; the page
    // below it holds the panes.
    const int margin = 100 * 100 / 254; // pixels of 10 mm at 100 dpi
    const int headerDark = DarkPixels(page, margin, margin + margin * 7 / 10);
    EXPECT_GT(headerDark, 200);
    const int chartDark = DarkPixels(page, margin * 2, page.height() - margin);
    EXPECT_GT(chartDark, page.width() * 20);
    // Not all dark either: most of the page stays white.
    EXPECT_LT(DarkPixels(page, 0, page.height()), page.width() * page.height() / 4);
}

TEST_F(ChartPrinterTest, LabelsPrintAtLeastTwoMillimetresHighAtEveryResolution) {
    const int dpis[] = {150, 300, 600, 1200};
    const LOGFONT axisFont = stack->View(0).axisFont;
    // On screen, at 96 dpi.
    QImage screen(10, 10, QImage::Format_RGB32);
    const double screenMm =
        QFontMetrics(QtConvert::ToQFont(axisFont), &screen).height() / 96.0 * 25.4;
    for (int dpi : dpis) {
        QPdfWriter writer(QString::fromStdString(dir + "metrics.pdf"));
        writer.setResolution(dpi);
        const SPrintLayout layout = LayoutPrintPage(*stack, writer.width(), writer.height(), dpi);
        const QFontMetrics metrics(QtConvert::ToQFont(axisFont), &writer);
        const double mm = metrics.height() * layout.scale / dpi * 25.4;
        EXPECT_GE(mm, 2.0) << dpi;
        // The size it has on a screen of 96 dpi, whatever the printer's resolution.
        EXPECT_NEAR(mm, screenMm, 0.3) << dpi;
    }
    if (!HasTool("pdftotext")) GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    const std::string pdf = dir + "labels.pdf";
    ASSERT_TRUE(PrintPdf(pdf, 300));
    const std::vector<SWord> words = PageWords(pdf);
    ASSERT_GT(words.size(), 10u);
    for (const SWord& word : words)
        EXPECT_GE(word.height / 72.0 * 25.4, 2.0) << word.text << " " << word.height << " pt";
}

TEST_F(ChartPrinterTest, BlackOnWhiteKeepsTheChartBytesAndPrintsOnlyGreys) {
    const std::string before = CChartFile::Write(*stock);
    const std::string colourPdf = dir + "colour.pdf";
    const std::string greyPdf = dir + "grey.pdf";
    ASSERT_TRUE(PrintPdf(colourPdf, 150));
    ASSERT_TRUE(PrintPdf(greyPdf, 150, SPrintOptions{true}));
    EXPECT_EQ(CChartFile::Write(*stock), before);
    EXPECT_EQ(PageCount(greyPdf), 1);
    if (!HasTool("pdftoppm")) GTEST_SKIP() << "pdftoppm (poppler-utils) is not installed";
    // The sample's colours show on the colour page, and nothing but greys on the other.
    EXPECT_GT(ColouredPixels(RenderPage(colourPdf, 100)), 500);
    const QImage grey = RenderPage(greyPdf, 100);
    EXPECT_EQ(ColouredPixels(grey), 0);
    EXPECT_GT(DarkPixels(grey, 0, grey.height()), grey.width() * 20);
}

TEST_F(ChartPrinterTest, BlackOnWhiteCandlesRiseHollowAndFallBlack) {
    if (!HasTool("pdftoppm")) GTEST_SKIP() << "pdftoppm (poppler-utils) is not installed";
    stock->SetViewSwitchA(2);
    const uint32_t fallFill = stock->Colour(2);
    // A page of 800 x 800 pixels at 96 dpi and a window of 800 x 480: the chart prints in
    // the window's own layout, 35 pixels down (header and gap).
    stack->Arrange(800, 480);
    PaneStackPainter::Render(*stack, 800, 480);
    const std::string pdf = dir + "candles.pdf";
    {
        QPdfWriter writer(QString::fromStdString(pdf));
        writer.setResolution(96);
        writer.setPageSize(QPageSize(QSizeF(600, 600), QPageSize::Point));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        ASSERT_TRUE(PrintChart(*stack, writer, SPrintOptions{true}));
    }
    EXPECT_EQ(stock->Colour(2), fallFill);
    const QImage page = RenderPage(pdf, 96);
    ASSERT_EQ(page.size(), QSize(800, 800));
    constexpr int kTop = 35;
    // The visible bar of each kind with the tallest body: its middle shows the fill.
    const CZentriStockView& view = stack->View(0);
    int rising = -1, falling = -1;
    float risingBody = 0, fallingBody = 0;
    for (int i = std::max(0, view.xFirst); i < view.xEnd; ++i) {
        const SQuote& q = stock->Display()[i];
        if (q.close - q.open > risingBody) risingBody = q.close - q.open, rising = i;
        if (q.open - q.close > fallingBody) fallingBody = q.open - q.close, falling = i;
    }
    ASSERT_GE(rising, 0);
    ASSERT_GE(falling, 0);
    struct SCase {
        int bar;
        int grey; // of the body's middle
    };
    for (const SCase c : {SCase{rising, 255}, SCase{falling, 0}}) {
        const SQuote& q = stock->Display()[c.bar];
        const int top = std::min(view.ValueToY(q.open), view.ValueToY(q.close));
        const int bottom = std::max(view.ValueToY(q.open), view.ValueToY(q.close));
        ASSERT_GE(bottom - top, 6) << c.bar;
        const int x = view.BarToX(static_cast<float>(c.bar));
        EXPECT_NEAR(qGray(page.pixel(x, kTop + (top + bottom) / 2)), c.grey, 16) << c.bar;
    }
    EXPECT_EQ(ColouredPixels(page), 0);
}

TEST_F(ChartPrinterTest, HiddenPanesAreLeftOffThePage) {
    if (!HasTool("pdftotext")) GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    const std::string titles[] = {PaneTitle(1), PaneTitle(2)};
    ASSERT_FALSE(titles[0].empty());
    ASSERT_FALSE(titles[1].empty());
    ASSERT_NE(titles[0], titles[1]);
    const std::string all = dir + "all.pdf";
    ASSERT_TRUE(PrintPdf(all, 150));
    EXPECT_NE(PageText(all).find(titles[0]), std::string::npos);
    EXPECT_NE(PageText(all).find(titles[1]), std::string::npos);

    stack->SetHidden(1, true);
    stack->Arrange(kWindowWidth, kWindowHeight);
    const std::string some = dir + "some.pdf";
    ASSERT_TRUE(PrintPdf(some, 150));
    const std::string text = PageText(some);
    EXPECT_EQ(text.find(titles[0]), std::string::npos) << text;
    EXPECT_NE(text.find(titles[1]), std::string::npos) << text;
    EXPECT_NE(text.find(OneSpaced(PrintHeader(*stock))), std::string::npos) << text;
}

TEST_F(ChartPrinterTest, NothingVisibleIsNotPrinted) {
    for (int pane = 0; pane < stack->Count(); ++pane) stack->SetHidden(pane, true);
    stack->Arrange(kWindowWidth, kWindowHeight);
    EXPECT_FALSE(PrintPdf(dir + "none.pdf", 150));
}

TEST_F(ChartPrinterTest, ViewsGetTheirWindowLayoutBackAfterPrinting) {
    std::vector<CRect> clients, plots;
    for (int pane = 0; pane < stack->Count(); ++pane) {
        clients.push_back(stack->View(pane).clientRect);
        plots.push_back(stack->View(pane).plotRect);
    }
    const int redraws = stack->Views().RedrawRequests();
    ASSERT_TRUE(PrintPdf(dir + "chart.pdf", 300));
    for (int pane = 0; pane < stack->Count(); ++pane) {
        EXPECT_EQ(stack->View(pane).clientRect, clients[pane]) << pane;
        EXPECT_EQ(stack->View(pane).plotRect, plots[pane]) << pane;
    }
    EXPECT_EQ(stack->Views().RedrawRequests(), redraws + 1);
}

} // namespace
