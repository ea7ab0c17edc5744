#include "ctlkit/dc/CRecordingDC.h"
#include "quotes/CStock.h"
#include "quotes/SQuote.h"
#include <gtest/gtest.h>
#include <limits>
#include <vector>

namespace {

constexpr float kNan = std::numeric_limits<float>::quiet_NaN();

SQuote Quote(int day, float open, float high, float low, float close) {
    SQuote q;
    q.date = 86400 * (10000 + day);
    q.open = open;
    q.high = high;
    q.low = low;
    q.close = close;
    return q;
}

// Ten bars over a plot of 100 x 100 pixels showing values 0..100: bar i is centred at
// x = 10 i + 5, value v at row 100 - v (60 at row 39: the mapping cuts toward zero), and the
// bars are 4 pixels to either side.
// Bar 2 rises (open 40, high 70, low 30, close 60), bar 3 opens and closes at 50, bar 4 has
// no open and no high; the others sit at 10 (rows 88 to 92).
std::vector<SQuote> HitBars() {
    std::vector<SQuote> bars;
    for (int i = 0; i < 10; ++i) bars.push_back(Quote(i, 10, 12, 8, 10));
    bars[2] = Quote(2, 40, 70, 30, 60);
    bars[3] = Quote(3, 50, 55, 45, 50);
    bars[4] = Quote(4, kNan, kNan, 8, 10);
    return bars;
}

struct SPriceHitCase {
    const char* what;
    int style;
    int tolerance;
    int x, y;
    int expected;
};

} // namespace

TEST(PriceSeriesHitTest, HitsWhatEachPriceStyleDrew) {
    const SPriceHitCase cases[] = {
        {"OHLC: on the high-low line", 1, 1, 25, 50, 7},
        {"OHLC: one pixel beside the line", 1, 1, 26, 50, 7},
        {"OHLC: past the tolerance", 1, 1, 27, 50, 0},
        {"OHLC: a wider tolerance reaches it", 1, 3, 27, 50, 7},
        {"OHLC: one row above the high", 1, 1, 25, 29, 7},
        {"OHLC: two rows above the high", 1, 1, 25, 28, 0},
        {"OHLC: on the open tick (left)", 1, 1, 21, 60, 7},
        {"OHLC: no open tick on the right", 1, 1, 29, 60, 0},
        {"OHLC: on the close tick (right)", 1, 1, 29, 40, 7},
        {"OHLC: inside the body of a candle only", 1, 1, 22, 50, 0},
        {"OHLC: a bar without a high draws nothing", 1, 1, 45, 50, 0},
        {"candle: inside the body", 2, 1, 22, 50, 7},
        {"candle: left edge of the body, one pixel out", 2, 1, 21, 50, 7},
        {"candle: two pixels left of the body", 2, 1, 20, 50, 0},
        {"candle: right edge of the body, one pixel out", 2, 1, 29, 45, 7},
        {"candle: two pixels right of the body", 2, 1, 30, 45, 0},
        {"candle: on the upper wick", 2, 1, 25, 31, 7},
        {"candle: beside the upper wick", 2, 1, 23, 31, 0},
        {"candle: on the cross of an unchanged bar", 2, 1, 39, 51, 7},
        {"candle: below the cross", 2, 1, 39, 53, 0},
        {"line of closes: between bars 2 and 3", 4, 1, 30, 44, 7},
        {"line of closes: two pixels beside", 4, 1, 30, 47, 0},
        {"line of opens: broken around the bar without an open", 3, 1, 45, 70, 0},
        {"line of opens: on its segment", 3, 1, 30, 55, 7},
        {"line of highs", 5, 1, 30, 37, 7},
        {"line of lows", 6, 1, 30, 63, 7},
        {"hidden: the bar draws nothing", 0, 1, 25, 50, 0},
    };
    for (const SPriceHitCase& c : cases) {
        CStock stock(86400);
        stock.RestoreSeries(HitBars(), HitBars());
        stock.SetViewSwitchA(c.style);
        stock.hitTolerance = c.tolerance;
        CRecordingDC dc;
        stock.Draw(dc, 100, 0, 0, 10, CRect{0, 0, 100, 100});
        ASSERT_EQ(stock.BarHalfWidth(), 4);
        EXPECT_EQ(stock.HitTest(c.x, c.y), c.expected) << c.what;
        EXPECT_EQ(stock.hitState, c.expected) << c.what;
    }
}

TEST(PriceSeriesHitTest, OnlyTheBarsOfTheLastDrawAreHit) {
    CStock stock(86400);
    stock.RestoreSeries(HitBars(), HitBars());
    stock.SetViewSwitchA(1);
    CRecordingDC dc;
    // Bars 3 to 9 over the plot: bar 2 is left of it and not drawn.
    stock.Draw(dc, 100, 0, 3, 10, CRect{0, 0, 70, 100});
    EXPECT_EQ(stock.HitTest(-5, 50), 0);
    EXPECT_EQ(stock.HitTest(5, 50), 7); // bar 3's high-low line
}
