#include "ChartTestSupport.h"
#include "chart/CChartTemplate.h"
#include "indicators/CStockPanes.h"
#include "indicators/IndicatorBuilder.h"
#include <array>
#include <functional>

namespace {

std::string DefaultView() {
    const std::string font =
        Le32(15) + Le32(6) + Le32(400) + std::string(1, '\0') + Counted("Arial");
    return Le32(0x808080) + Le32(0xFFFFFF) + Le32(0) + Le32(0x808080) + Le32(2) + Le32(70) +
           Le32(50) + Le32(1) + Le32(1) + font + font + Le32(0) + std::string(256, '\0');
}

std::string HandTemplate(int panes, int priceStyle, int penStyle, int weight) {
    std::string bytes = Le32(panes) + Le32(priceStyle) + Le32(penStyle) + Le32(weight) + Le32(3) +
                        Le32(1) + Le32(4) + Le32(2) + Le32(5) + std::string(256, '\x01');
    for (int i = 0; i < 10; ++i) bytes += DefaultView();
    return bytes;
}

using TemplateTest = ChartTest;

TEST_F(TemplateTest, WritesTheHandWrittenLayout) {
    CChartTemplate chartTemplate;
    chartTemplate.paneCount = 3;
    chartTemplate.priceStyle = 6;
    chartTemplate.penStyle = 5;
    chartTemplate.lineWeight = 0;
    chartTemplate.colours = {1, 2, 3, 4, 5};
    chartTemplate.flagBytes.fill(1);
    const std::string bytes = chartTemplate.Write();
    EXPECT_EQ(bytes.size(), 36u + 256 + 10 * 334);
    EXPECT_TRUE(bytes == HandTemplate(3, 6, 5, 0));
}

TEST_F(TemplateTest, RefusesFieldsOutOfRangeAsWrongType) {
    const std::vector<std::array<int, 4>> refused = {{1, 1, 1, 1},  {10, 1, 1, 1}, {2, 7, 1, 1},
                                                     {2, -1, 1, 1}, {2, 1, 6, 1},  {2, 1, 1, 7},
                                                     {9, 1, 1, -1}};
    for (const auto& f : refused) {
        CChartTemplate chartTemplate;
        std::string error;
        EXPECT_EQ(chartTemplate.Read(HandTemplate(f[0], f[1], f[2], f[3]), error),
                  CChartTemplate::EStatus::kWrongType)
            << f[0] << f[1] << f[2] << f[3];
        EXPECT_EQ(chartTemplate.paneCount, 2);
    }
    for (const auto& f : std::vector<std::array<int, 4>>{{2, 0, 0, 0}, {9, 6, 5, 6}}) {
        CChartTemplate chartTemplate;
        std::string error;
        EXPECT_EQ(chartTemplate.Read(HandTemplate(f[0], f[1], f[2], f[3]), error),
                  CChartTemplate::EStatus::kOk);
        EXPECT_EQ(chartTemplate.paneCount, f[0]);
        EXPECT_EQ(chartTemplate.colours[2], 3u);
        EXPECT_EQ(chartTemplate.colours[0], 1u);
    }
}

TEST_F(TemplateTest, ShortenedOrDamagedTemplateChangesNothing) {
    const std::string bytes = HandTemplate(4, 1, 1, 1);
    for (size_t length = 0; length < bytes.size(); length += 7) {
        CChartTemplate chartTemplate;
        std::string error;
        const auto status = chartTemplate.Read(bytes.substr(0, length), error);
        EXPECT_EQ(status, CChartTemplate::EStatus::kDamaged) << length;
        EXPECT_EQ(chartTemplate.paneCount, 2) << length;
    }
    std::string bad = bytes;
    bad.replace(36 + 256 + 20, 4, Le32(1001)); // cellMaxX of view record 0
    CChartTemplate chartTemplate;
    std::string error;
    EXPECT_EQ(chartTemplate.Read(bad, error), CChartTemplate::EStatus::kDamaged);
    EXPECT_NE(error.find("cellMaxX"), std::string::npos);
}

TEST_F(TemplateTest, CarriesTheLookAndTheIdentifiersButNoCurves) {
    CStock stock;
    stock.RestoreSeries(Bars(60), Bars(60));
    stock.SetPaneCount(3);
    stock.SetViewSwitchA(4);
    stock.SetColour(5, 0x123456);
    stock.FlagBytes()[3] = 9;
    stock.ViewPar(1).cellMaxX = 1000;
    ASSERT_TRUE(BuildIndicator(stock, "MACD", 2, false, true));
    const std::string bytes = CChartTemplate::From(stock).Write();
    EXPECT_EQ(bytes.size(), 36u + 256 + 9 * 334 + 334 + 5);

    CChartTemplate read;
    std::string error;
    ASSERT_EQ(read.Read(bytes, error), CChartTemplate::EStatus::kOk) << error;
    CStock applied;
    read.ApplyTo(applied);
    EXPECT_EQ(applied.PaneCount(), 3);
    EXPECT_EQ(applied.ViewSwitchA(), 4);
    EXPECT_EQ(applied.Colour(5), 0x123456u);
    EXPECT_EQ(applied.FlagBytes()[3], 9);
    EXPECT_EQ(applied.ViewPar(1).cellMaxX, 1000);
    EXPECT_EQ(applied.ViewPar(2).identifiers, std::vector<std::string>{"MACD"});
    EXPECT_TRUE(CChartTemplate::From(applied).Write() == bytes);
}

} // namespace
