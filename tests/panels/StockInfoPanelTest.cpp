#include "LanguageFileTest.h"
#include "ctlkit/base/CPrompter.h"
#include "ctlkit/base/CRecordingPrompter.h"
#include "ctlkit/dc/CRecordingDC.h"
#include "indicators/CStockPanes.h"
#include "panels/CStockInfoPanel.h"
#include "quotes/CStock.h"
#include <ctime>
#include <gtest/gtest.h>
#include <memory>
#include <ostream>
#include <string>
#include <tuple>
#include <vector>

// Readable failure output for the rows.
void PrintTo(const CStockInfoPanel::SRow& row, std::ostream* os) {
    *os << '{' << row.label << " | " << row.value << " | " << row.colour << '}';
}

namespace {

using SRow = CStockInfoPanel::SRow;

constexpr COLORREF kRise = MakeRGB(200, 0, 0);
constexpr COLORREF kFall = MakeRGB(0, 120, 0);
constexpr COLORREF kDoji = MakeRGB(0, 0, 210);
constexpr COLORREF kBlack = MakeRGB(0, 0, 0);

// Local midnight of a calendar day, as quote dates are stored.
int32_t LocalDate(int year, int month, int day) {
    std::tm tm{};
    tm.tm_year = year - 1900;
    tm.tm_mon = month - 1;
    tm.tm_mday = day;
    tm.tm_isdst = -1;
    return static_cast<int32_t>(std::mktime(&tm));
}

SQuote Bar(int32_t date, float open, float close) {
    SQuote q;
    q.date = date;
    q.open = open;
    q.high = 20.25f;
    q.low = 8.125f;
    q.close = close;
    q.volume = 1234567.0f;
    return q;
}

std::vector<SRow> Labels() {
    std::vector<SRow> rows;
    for (const char* label : {"Time", "Open", "High", "Low", "Close", "Volume"})
        rows.push_back(SRow{label, "", kBlack});
    return rows;
}

class StockInfoPanelTest : public LanguageFileTest {
protected:
    StockInfoPanelTest() : m_scoped(prompter) {
        stock->SetSymbolName("ACME");
        stock->SetMarket("NYSE");
        stock->SetColour(3, kRise);
        stock->SetColour(4, kFall);
        stock->SetColour(5, kDoji);
    }

    void Load(const std::vector<SQuote>& bars) {
        CStockPanes::InstallIn(*stock);
        stock->RestoreSeries(bars, bars);
        stock->RestoreWindow(0, static_cast<int>(bars.size()));
    }

    CRecordingPrompter prompter;
    std::unique_ptr<CStock> stock = std::make_unique<CStock>(0);
    CStockInfoPanel panel;

private:
    CScopedPrompter m_scoped;
};

} // namespace

TEST_F(StockInfoPanelTest, QuoteRowsTakeTheColourOfTheBarsDirection) {
    const int32_t monday = LocalDate(2024, 3, 4);
    struct Case {
        float open, close;
        COLORREF colour;
        const char* openText;
        const char* closeText;
    };
    for (const Case& c : {Case{10.5f, 12.34567f, kRise, ": 10.500", ": 12.346"},
                          Case{12.34567f, 10.5f, kFall, ": 12.346", ": 10.500"},
                          Case{11.0f, 11.0f, kDoji, ": 11.000", ": 11.000"}}) {
        Load({Bar(monday, c.open, c.close)});
        panel.Show(stock.get(), 0);
        const auto texts = panel.Texts();
        EXPECT_EQ(texts.heading, "ACME (NYSE)");
        std::vector<SRow> expected = Labels();
        const std::vector<std::string> values = {
            ": Monday, 04-Mar-24", c.openText, ": 20.250", ": 8.125", c.closeText, ": 1234567.0"};
        for (std::size_t i = 0; i < expected.size(); ++i) {
            expected[i].value = values[i];
            expected[i].colour = c.colour;
        }
        EXPECT_EQ(texts.quote, expected) << c.closeText;
    }
}

TEST_F(StockInfoPanelTest, TimeShowsTheWeekdayOfTheClampedBar) {
    std::vector<SQuote> bars; // Sunday 3 March 2024 to Saturday 9 March
    for (int day = 3; day <= 9; ++day) bars.push_back(Bar(LocalDate(2024, 3, day), 1, 1));
    Load(bars);
    // Index, shown bar, time text: -5 and n + 3 show the first and the last bar.
    const std::vector<std::tuple<int, int, const char*>> cases = {
        {-5, 0, ": Sunday, 03-Mar-24"},   {0, 0, ": Sunday, 03-Mar-24"},
        {1, 1, ": Monday, 04-Mar-24"},    {2, 2, ": Tuesday, 05-Mar-24"},
        {3, 3, ": Wednesday, 06-Mar-24"}, {4, 4, ": Thursday, 07-Mar-24"},
        {5, 5, ": Friday, 08-Mar-24"},    {6, 6, ": Saturday, 09-Mar-24"},
        {10, 6, ": Saturday, 09-Mar-24"}};
    for (const auto& [index, shown, time] : cases) {
        panel.Show(stock.get(), index);
        EXPECT_EQ(panel.BarIndex(), index);
        EXPECT_EQ(panel.ShownBar(), shown);
        EXPECT_EQ(panel.Texts().quote[0].value, time) << index;
    }
}

TEST_F(StockInfoPanelTest, WithoutABarOnlyTheLabelsAreShown) {
    Load({});
    struct Case {
        CStock* series;
        const char* heading;
    };
    for (const Case& c : {Case{stock.get(), "ACME (NYSE)"}, Case{nullptr, ""}}) {
        panel.Show(c.series, 0);
        const auto texts = panel.Texts();
        EXPECT_EQ(panel.ShownBar(), -1);
        EXPECT_EQ(texts.heading, c.heading);
        EXPECT_EQ(texts.quote, Labels());
        EXPECT_TRUE(texts.curves.empty());
        CRecordingDC dc;
        panel.Paint(dc, 200, 300);
        std::vector<std::string> drawn;
        if (c.series) drawn.push_back(c.heading);
        for (const char* label : {"Time", "Open", "High", "Low", "Close", "Volume"})
            drawn.push_back(label);
        EXPECT_EQ(dc.Texts(), drawn);
    }
}

TEST_F(StockInfoPanelTest, ClearedPanelNeverReadsTheGoneSeries) {
    Load({Bar(LocalDate(2024, 3, 4), 1, 2)});
    stock->SetMarket("");
    panel.Show(stock.get(), 0);
    EXPECT_EQ(panel.Texts().heading, "ACME");
    panel.Clear();
    stock.reset();
    CRecordingDC dc;
    panel.Paint(dc, 200, 300);
    EXPECT_EQ(panel.Series(), nullptr);
    EXPECT_EQ(dc.Texts(),
              (std::vector<std::string>{"Time", "Open", "High", "Low", "Close", "Volume"}));
}

TEST_F(StockInfoPanelTest, LabelsWeekdayAndDateFollowTheLanguageFile) {
    Activate("[String]\n38=%Y/%m/%d\n40=Montag\n46=Zeitpunkt des Kurses\n51=Umsatz\n");
    Load({Bar(LocalDate(2024, 3, 4), 3, 2)});
    panel.Show(stock.get(), 0);
    const auto quote = panel.Texts().quote;
    EXPECT_EQ(quote[0], (SRow{"Zeitpunkt des Kurses", ": Montag, 2024/03/04", kFall}));
    EXPECT_EQ(quote[1].label, "Open");
    EXPECT_EQ(quote[5], (SRow{"Umsatz", ": 1234567.0", kFall}));

    // The value column starts past the longest label: 20 characters of 6 pixels.
    CRecordingDC dc;
    panel.Paint(dc, 300, 300);
    const auto texts = dc.OpsOf(CRecordingDC::kText);
    ASSERT_EQ(texts.size(), 13u);
    for (std::size_t i = 1; i < texts.size(); i += 2) {
        const auto& label = texts[i];
        const auto& value = texts[i + 1];
        EXPECT_EQ(value.points[0].y, label.points[0].y);
        EXPECT_GE(value.points[0].x,
                  label.points[0].x + static_cast<int>(label.text.size()) * label.font.lfWidth)
            << label.text;
        EXPECT_EQ(value.points[0].x, 3 + 20 * 6 + 4);
    }
}

TEST_F(StockInfoPanelTest, DataWindowListsEveryCurveOfEveryPane) {
    Load({Bar(LocalDate(2024, 3, 4), 1, 2), Bar(LocalDate(2024, 3, 5), 2, 1)});
    CStockPanes& panes = *CStockPanes::Of(*stock);
    auto curve = [](const char* name, const char* parameter, std::vector<float> values,
                    COLORREF colour) {
        auto c = std::make_unique<CCurve>();
        c->name = name;
        c->parameter = parameter;
        c->values = std::move(values);
        c->colour = colour;
        return c;
    };
    panes.PaneAt(0).AddCurve(curve("MA", "5", {kInvalid, 12.5f}, MakeRGB(1, 2, 3)));
    panes.PaneAt(1).AddCurve(curve("VOL", "", {100.0f, 250.126f}, MakeRGB(4, 5, 6)));
    panes.PaneAt(1).AddSecondCurve(curve("RSI", "14", {55.0f}, MakeRGB(7, 8, 9)));
    struct Case {
        int bar;
        std::vector<SRow> rows;
    };
    for (const Case& c : {Case{0,
                               {{"MA(5)", "", MakeRGB(1, 2, 3)},
                                {"VOL=100.00", "", MakeRGB(4, 5, 6)},
                                {"RSI(14)=55.00", "", MakeRGB(7, 8, 9)}}},
                          Case{1,
                               {{"MA(5)=12.50", "", MakeRGB(1, 2, 3)},
                                {"VOL=250.13", "", MakeRGB(4, 5, 6)},
                                {"RSI(14)", "", MakeRGB(7, 8, 9)}}}}) {
        panel.Show(stock.get(), c.bar);
        EXPECT_EQ(panel.Texts().curves, c.rows) << c.bar;
    }

    // Drawn below the quote rows in the curves' colours, left-aligned with the labels.
    CRecordingDC dc;
    panel.Paint(dc, 300, 300);
    const auto texts = dc.OpsOf(CRecordingDC::kText);
    ASSERT_EQ(texts.size(), 16u);
    EXPECT_EQ(texts[13].text, "MA(5)=12.50");
    EXPECT_EQ(texts[13].points[0], (CPoint{3, 3 + 7 * 18 + 9}));
    EXPECT_EQ(texts[13].textColour, MakeRGB(1, 2, 3));
    EXPECT_EQ(texts[15].points[0], (CPoint{3, 3 + 9 * 18 + 9}));
}

TEST_F(StockInfoPanelTest, PaintLaysOutHeadingLabelsAndValues) {
    Load({Bar(LocalDate(2024, 3, 4), 1, 2)});
    panel.Show(stock.get(), 0);
    CRecordingDC dc;
    // Rows 18 pixels apart from y = 3; a height of 50 leaves room for the starts of three.
    panel.Paint(dc, 200, 50);
    const auto fills = dc.OpsOf(CRecordingDC::kFillSolidRect);
    ASSERT_EQ(fills.size(), 1u);
    EXPECT_EQ(fills[0].rect, (CRect{0, 0, 200, 50}));
    const auto texts = dc.OpsOf(CRecordingDC::kText);
    ASSERT_EQ(texts.size(), 5u);
    struct Expected {
        const char* text;
        CPoint at;
        COLORREF colour;
        int weight;
    };
    // "Volume", the longest label, is 36 pixels wide: values start at 3 + 36 + 4.
    const std::vector<Expected> expected = {{"ACME (NYSE)", {3, 3}, kBlack, 700},
                                            {"Time", {3, 21}, kBlack, 400},
                                            {": Monday, 04-Mar-24", {43, 21}, kRise, 400},
                                            {"Open", {3, 39}, kBlack, 400},
                                            {": 1.000", {43, 39}, kRise, 400}};
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(texts[i].text, expected[i].text);
        EXPECT_EQ(texts[i].points[0], expected[i].at) << expected[i].text;
        EXPECT_EQ(texts[i].textColour, expected[i].colour) << expected[i].text;
        EXPECT_EQ(texts[i].font.lfWeight, expected[i].weight) << expected[i].text;
        EXPECT_EQ(std::string(texts[i].font.lfFaceName), "Arial");
    }
}
