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
        EXPECT_EQ(chartTemplate.Read(HandTemplate(f[0], f[1], f[2], f[3])).kind(),
                  CFileResult::EKind::WrongType)
            << f[0] << f[1] << f[2] << f[3];
        EXPECT_EQ(chartTemplate.paneCount, 2);
    }
    for (const auto& f : std::vector<std::array<int, 4>>{{2, 0, 0, 0}, {9, 6, 5, 6}}) {
        CChartTemplate chartTemplate;
        EXPECT_EQ(chartTemplate.Read(HandTemplate(f[0], f[1], f[2], f[3])).kind(),
                  CFileResult::EKind::Ok);
        EXPECT_EQ(chartTemplate.paneCount, f[0]);
        EXPECT_EQ(chartTemplate.colours[2], 3u);
        EXPECT_EQ(chartTemplate.colours[0], 1u);
    }
}

TEST_F(TemplateTest, ShortenedOrDamagedTemplateChangesNothing) {
    const std::string bytes = HandTemplate(4, 1, 1, 1);
    for (size_t length = 0; length < bytes.size(); length += 7) {
        CChartTemplate chartTemplate;
        const CFileResult status = chartTemplate.Read(bytes.substr(0, length));
        EXPECT_EQ(status.kind(), CFileResult::EKind::Damaged) << length;
        EXPECT_EQ(status.message().find("the file ends early: "), 0u) << status.message();
        EXPECT_EQ(chartTemplate.paneCount, 2) << length;
    }
    std::string bad = bytes;
    bad.replace(36 + 256 + 20, 4, Le32(1001)); // cellMaxX of view record 0
    CChartTemplate chartTemplate;
    const CFileResult status = chartTemplate.Read(bad);
    EXPECT_EQ(status.kind(), CFileResult::EKind::Damaged);
    EXPECT_NE(status.message().find("cellMaxX"), std::string::npos);
}

struct SWrongType {
    std::array<int, 4> fields;
    const char* reason;
};

TEST_F(TemplateTest, WrongTypeNamesTheFirstValueOutOfRange) {
    const std::vector<SWrongType> cases = {
        {{1, 1, 1, 1}, "a value of 1 at offset 0"},    // pane count
        {{2, 7, 1, 1}, "a value of 7 at offset 4"},    // price style
        {{2, 1, 6, 1}, "a value of 6 at offset 8"},    // pen style
        {{2, 1, 1, -1}, "a value of -1 at offset 12"}, // line weight
        {{10, 7, 6, 7}, "a value of 10 at offset 0"},  // the first one refused ends the read
    };
    for (const SWrongType& c : cases) {
        const auto& f = c.fields;
        CChartTemplate chartTemplate;
        const CFileResult status = chartTemplate.Read(HandTemplate(f[0], f[1], f[2], f[3]));
        EXPECT_EQ(status.kind(), CFileResult::EKind::WrongType) << c.reason;
        EXPECT_EQ(status.message(), c.reason);
    }
}

struct SViewRefusal {
    const char* what;
    size_t offset; // in the first view record
    std::string replacement;
    const char* reason;
};

// A template's view records are held to what the chart file's are: their refusal text, the
// template left as it was.
TEST_F(TemplateTest, ViewRecordsAreRefusedAsInAChartFile) {
    std::string list = Le32(65);
    for (int i = 0; i < 65; ++i) list += Counted("SMA");
    const size_t start = 36 + 256;
    const std::vector<SViewRefusal> cases = {
        {"65 identifiers", 74, list,
         "a view record's identifier count of 65 (allowed 0 to 64) before offset 370"},
        {"label font height INT_MIN", 36, Le32(INT32_MIN),
         "a font height of -2147483648 (allowed -4096 to 4096) before offset 332"},
        {"axis font width 5000", 59, Le32(5000),
         "a font width of 5000 (allowed -4096 to 4096) before offset 355"},
        {"axis font weight -7", 63, Le32(-7),
         "a font weight of -7 (allowed 0 to 1000) before offset 359"},
    };
    for (const SViewRefusal& c : cases) {
        std::string bytes = HandTemplate(4, 1, 1, 1);
        bytes.replace(start + c.offset, 4, c.replacement);
        CChartTemplate chartTemplate;
        const CFileResult status = chartTemplate.Read(bytes);
        EXPECT_EQ(status.kind(), CFileResult::EKind::Damaged) << c.what;
        EXPECT_EQ(status.message(), c.reason) << c.what;
        EXPECT_EQ(chartTemplate.paneCount, 2) << c.what;
    }
}

TEST_F(TemplateTest, SaveAndLoadReportTheirOutcome) {
    CChartTemplate saved;
    saved.paneCount = 5;
    const std::string path = home.Path() + "look.tmp";
    const CFileResult written = saved.Save(path);
    ASSERT_TRUE(written.ok()) << written.message();
    CChartTemplate loaded;
    const CFileResult read = loaded.Load(path);
    ASSERT_TRUE(read.ok()) << read.message();
    EXPECT_EQ(read.message(), "");
    EXPECT_EQ(loaded.paneCount, 5);

    CChartTemplate untouched;
    const CFileResult missing = untouched.Load(home.Path() + "none.tmp");
    EXPECT_EQ(missing.kind(), CFileResult::EKind::CannotOpen);
    EXPECT_EQ(missing.message(), "the file cannot be opened");
    EXPECT_EQ(untouched.paneCount, 2);
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
    const CFileResult status = read.Read(bytes);
    ASSERT_EQ(status.kind(), CFileResult::EKind::Ok) << status.message();
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
