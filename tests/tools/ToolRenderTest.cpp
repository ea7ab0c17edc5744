#include "ctlkit/dc/qt/QtDC.h"
#include "tools/CArrow.h"
#include "tools/CCycle.h"
#include "tools/CEllipse.h"
#include "tools/CFiboArc.h"
#include "tools/CFiboFan.h"
#include "tools/CFiboRetrace.h"
#include "tools/CFiboTime.h"
#include "tools/CGChannel.h"
#include "tools/CGannFan.h"
#include "tools/CHorizontal.h"
#include "tools/CIco.h"
#include "tools/CLine.h"
#include "tools/CRectangle.h"
#include "tools/CSpeed.h"
#include "tools/CText.h"
#include "tools/CTriangle.h"
#include "tools/CVertical.h"
#include "tools/IconStrip.h"
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <string>

namespace {
constexpr int kSize = 240;
// Bars 0..59 over 240 pixels (4 a bar) inside a 10-pixel margin; values 0..100.
const CRect kPlot{10, 10, 250, 250};

class ToolRenderTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        static int argc = 1;
        static char name[] = "tools_render_tests";
        static char* argv[] = {name, nullptr};
        if (!QGuiApplication::instance()) app = new QGuiApplication(argc, argv);
    }

    // Draws the element unselected on the left and selected on the right, saves the PNG and
    // gives the image back.
    static QImage Render(const std::string& file, CSymbol& element) {
        QImage image(2 * kSize + 40, kSize + 20, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        QtDC dc(painter);
        dc.SelectPen(SPen{kPenSolid, 1, MakeRGB(200, 200, 200)});
        dc.SelectBrush(SBrush{0xFFFFFF, true});
        dc.Rectangle(kPlot);
        dc.Rectangle(
            CRect{kPlot.left + kSize + 20, kPlot.top, kPlot.right + kSize + 20, kPlot.bottom});
        element.Draw(dc, 100, 0, 0, 60, kPlot);
        element.Select();
        element.Draw(
            dc, 100, 0, 0, 60,
            CRect{kPlot.left + kSize + 20, kPlot.top, kPlot.right + kSize + 20, kPlot.bottom});
        element.Deselect();
        painter.end();
        image.save(QString::fromStdString(std::string(ZS_RENDER_DIR) + "/" + file));
        return image;
    }

    static int Coloured(const QImage& image, QRgb colour) {
        int count = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (image.pixel(x, y) == colour) ++count;
        return count;
    }

    static QGuiApplication* app;
};
QGuiApplication* ToolRenderTest::app = nullptr;

template <typename Tool> std::unique_ptr<Tool> Make(float x1, float y1, float x2, float y2) {
    auto tool = std::make_unique<Tool>();
    tool->SetAnchor(x1, y1, 1);
    tool->SetPoint2(x2, y2);
    tool->color = MakeRGB(0, 0, 200);
    tool->lineWidth = 1;
    return tool;
}
} // namespace

TEST_F(ToolRenderTest, EveryToolDrawsInItsColour) {
    struct Case {
        std::string file;
        std::unique_ptr<CLine> tool;
    };
    std::vector<Case> cases;
    cases.push_back({"line.png", Make<CLine>(5, 20, 40, 70)});
    auto extended = Make<CLine>(15, 30, 25, 40);
    extended->extendLeft = extended->extendRight = 1;
    extended->lineStyle = 2;
    cases.push_back({"line-extended.png", std::move(extended)});
    cases.push_back({"horizontal.png", Make<CHorizontal>(20, 60, 40, 10)});
    cases.push_back({"vertical.png", Make<CVertical>(30, 60, 40, 10)});
    cases.push_back({"speed.png", Make<CSpeed>(5, 10, 50, 90)});
    auto channel = Make<CGChannel>(5, 20, 50, 60);
    channel->DragHandle(5, 27.5f, 55);
    channel->DragHandle(6, 27.5f, 25);
    cases.push_back({"channel.png", std::move(channel)});
    cases.push_back({"fibo-retrace.png", Make<CFiboRetrace>(10, 80, 35, 30)});
    cases.push_back({"fibo-fan.png", Make<CFiboFan>(5, 20, 45, 80)});
    cases.push_back({"fibo-arc.png", Make<CFiboArc>(30, 20, 45, 60)});
    cases.push_back({"fibo-time.png", Make<CFiboTime>(5, 50, 10, 50)});
    cases.push_back({"gann-fan.png", Make<CGannFan>(5, 10, 30, 50)});
    cases.push_back({"cycle.png", Make<CCycle>(25, 50, 33, 50)});
    cases.push_back({"rectangle.png", Make<CRectangle>(40, 80, 10, 30)});
    cases.push_back({"ellipse.png", Make<CEllipse>(10, 80, 50, 30)});
    auto triangle = Make<CTriangle>(10, 20, 50, 30);
    triangle->DragHandle(5, 25, 85);
    cases.push_back({"triangle.png", std::move(triangle)});
    cases.push_back({"arrow.png", Make<CArrow>(10, 20, 45, 75)});
    auto text = Make<CText>(10, 70, 10, 70);
    text->text = "Breakout\nabove 65";
    text->textColour = MakeRGB(0, 0, 200);
    cases.push_back({"text.png", std::move(text)});
    // All of them on one sheet too, three a row.
    const int cellWidth = 2 * kSize + 40, cellHeight = kSize + 20;
    QImage sheet(3 * cellWidth, static_cast<int>((cases.size() + 2) / 3) * cellHeight,
                 QImage::Format_RGB32);
    sheet.fill(Qt::white);
    QPainter sheetPainter(&sheet);
    for (size_t i = 0; i < cases.size(); ++i) {
        const QImage image = Render(cases[i].file, *cases[i].tool);
        EXPECT_GT(Coloured(image, qRgb(0, 0, 200)), 20) << cases[i].file;
        sheetPainter.drawImage(static_cast<int>(i % 3) * cellWidth,
                               static_cast<int>(i / 3) * cellHeight, image);
    }
    sheetPainter.end();
    sheet.save(QString::fromStdString(std::string(ZS_RENDER_DIR) + "/tools.png"));
}

TEST_F(ToolRenderTest, IconStripScaledUp) {
    const SImage& strip = IconStrip::Image();
    constexpr int kScale = 4;
    QImage image(strip.width * kScale / 2, strip.height * kScale * 2 + 8, QImage::Format_RGB32);
    image.fill(qRgb(230, 230, 230));
    for (int y = 0; y < strip.height; ++y)
        for (int x = 0; x < strip.width; ++x) {
            const COLORREF c = strip.At(x, y);
            const int row = x < strip.width / 2 ? 0 : 1;
            const int left = (x % (strip.width / 2)) * kScale;
            const int top = y * kScale + row * (strip.height * kScale + 8);
            for (int dy = 0; dy < kScale; ++dy)
                for (int dx = 0; dx < kScale; ++dx)
                    image.setPixel(left + dx, top + dy, qRgb(RedOf(c), GreenOf(c), BlueOf(c)));
        }
    ASSERT_TRUE(image.save(QString::fromStdString(std::string(ZS_RENDER_DIR) + "/icons.png")));

    // Each icon drawn at its own place with white left out.
    QImage placed(40 * 22, 22, QImage::Format_RGB32);
    placed.fill(qRgb(255, 240, 200));
    {
        QPainter painter(&placed);
        QtDC dc(painter);
        for (int i = 0; i < 40; ++i) {
            CIco icon;
            icon.iconNumber = i;
            icon.x1 = static_cast<float>(i * 22 + 2);
            icon.y1 = 20;
            icon.Draw(dc, 22, 0, 0, 40 * 22, CRect{0, 0, 40 * 22, 22});
        }
    }
    placed.save(QString::fromStdString(std::string(ZS_RENDER_DIR) + "/icons-placed.png"));
    EXPECT_EQ(placed.pixel(1, 1), qRgb(255, 240, 200));
    EXPECT_EQ(Coloured(placed, qRgb(255, 255, 255)), 0); // white is transparent
}
