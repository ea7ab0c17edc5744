#include "ViewTestSupport.h"
#include "ctlkit/dc/qt/QtDC.h"
#include "view/CZentriStockView.h"
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cstdlib>

namespace {

class ViewPixelTest : public ViewTest {
protected:
    static void SetUpTestSuite() {
        ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
        static int argc = 1;
        static char name[] = "view_tests";
        static char* argv[] = {name, nullptr};
        if (!QGuiApplication::instance()) app = new QGuiApplication(argc, argv);
    }

    QImage Render(CZentriStockView& v, int width, int height) {
        QImage image(width, height, QImage::Format_RGB32);
        image.fill(Qt::black);
        QPainter painter(&image);
        QtDC dc(painter);
        v.SetClientSize(width, height);
        v.OnDraw(dc);
        painter.end();
        return image;
    }
    static COLORREF At(const QImage& image, int x, int y) {
        const QColor c = image.pixelColor(x, y);
        return MakeRGB(c.red(), c.green(), c.blue());
    }

    static QGuiApplication* app;
};
QGuiApplication* ViewPixelTest::app = nullptr;

TEST_F(ViewPixelTest, FrameIsTwoPixelsWideWithFocusAndOneWithout) {
    CStock& s = MakeStock(Bars(40, 1, 2));
    s.SetViewSwitchA(0);
    s.ViewPar(0).showVerticalGrid = 0;
    s.ViewPar(0).showHorizontalGrid = 0;
    CZentriStockView v(s, 0, CZentriStockView::DefaultAxisSettings());
    for (bool focus : {false, true}) {
        v.SetFocus(focus);
        const QImage image = Render(v, 300, 240);
        const COLORREF frame = s.ViewPar(0).frameColour;
        const int x = (v.plotRect.left + v.plotRect.right) / 2 + 1;
        int rows = 0;
        for (int y = v.plotRect.top - 4; y <= v.plotRect.top + 4; ++y)
            rows += At(image, x, y) == frame ? 1 : 0;
        EXPECT_EQ(rows, focus ? 2 : 1) << focus;
        // The margins are the background colour, the shadow edge the button shadow.
        EXPECT_EQ(At(image, 2, 150), 0xFFFFFFu);
        EXPECT_EQ(At(image, 299, 100), CZentriStockView::kButtonShadow);
        EXPECT_EQ(At(image, 100, 239), CZentriStockView::kButtonShadow);
    }
}

TEST_F(ViewPixelTest, DojiCandleIsACrossInTheDojiColour) {
    std::vector<SQuote> bars = Bars(10, 10, 20);
    for (SQuote& q : bars) {
        q.open = q.close = 15;
        q.high = 20;
        q.low = 10;
    }
    CStock& s = MakeStock(bars);
    s.SetViewSwitchA(2);
    s.ViewPar(0).showVerticalGrid = 0;
    s.ViewPar(0).showHorizontalGrid = 0;
    CZentriStockView v(s, 0, CZentriStockView::DefaultAxisSettings());
    const QImage image = Render(v, 400, 300);
    const COLORREF doji = s.Colour(5);
    const int h = s.BarHalfWidth();
    ASSERT_GT(h, 2);
    const int x = v.BarToX(4);
    const int yOpen = v.ValueToY(15);
    const int yHigh = v.ValueToY(20);
    EXPECT_EQ(At(image, x, yHigh + 1), doji);
    EXPECT_EQ(At(image, x, v.ValueToY(10) - 1), doji);
    EXPECT_EQ(At(image, x - h, yOpen), doji);
    EXPECT_EQ(At(image, x + h, yOpen), doji);
    EXPECT_EQ(At(image, x - 1, yOpen - 3), 0xFFFFFFu);
    EXPECT_EQ(At(image, x + 1, yOpen + 3), 0xFFFFFFu);
}

} // namespace
