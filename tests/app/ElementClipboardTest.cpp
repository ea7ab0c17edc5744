#include "app/CElementClipboard.h"
#include "ctlkit/base/CArchiveWriter.h"
#include "indicators/CTCurve.h"
#include "indicators/CTradeFlag.h"
#include "quotes/CStock.h"
#include "series/CCurve.h"
#include "tools/CIco.h"
#include "tools/CLine.h"
#include "tools/CRectangle.h"
#include <cmath>
#include <cstdlib>
#include <ctime>
#include <gtest/gtest.h>
#include <limits>
#include <optional>

namespace {

constexpr int32_t kDay = 86400;
// Monday 2026-01-05, 00:00 UTC.
constexpr int32_t kMonday = 1767571200;

// Trading days from `firstMonday` on, weekends left out: `count` of them.
std::vector<SQuote> Days(int count, int32_t firstMonday = kMonday) {
    std::vector<SQuote> bars;
    for (int day = 0; static_cast<int>(bars.size()) < count; ++day) {
        if (day % 7 >= 5) continue;
        SQuote bar;
        bar.date = firstMonday + day * kDay;
        bar.open = bar.high = bar.low = bar.close = 100 + static_cast<float>(day);
        bars.push_back(bar);
    }
    return bars;
}

// A chart of `symbol` in NYSE over the trading days given, in `period` (0 day, 1 week).
std::unique_ptr<CStock> Chart(const std::string& symbol, std::vector<SQuote> days, int period = 0) {
    auto stock = std::make_unique<CStock>(int64_t{kMonday});
    stock->SetSymbolName(symbol);
    stock->SetMarket("NYSE");
    stock->RestoreSeries(days, days);
    if (period == CStock::kPeriodWeek) stock->MakeWeekLine(false);
    return stock;
}

std::unique_ptr<CLine> Line(float x1, float y1, float x2, float y2) {
    auto line = std::make_unique<CLine>();
    line->SetAnchor(x1, y1, 1);
    line->SetPoint2(x2, y2);
    return line;
}

std::string RecordOf(const CSymbol& element) {
    CArchiveWriter writer;
    element.Write(writer);
    return writer.Bytes();
}

// The clipboard bytes written out by hand, field by field, so that each can be spoiled.
struct SRawRecord {
    std::string magic = "ZSEL";
    int32_t version = 1;
    int32_t typeCode = 1;
    std::string symbol = "IBM";
    std::string market = "NYSE";
    int32_t period = 0;
    int32_t nDays = 2;
    std::vector<int32_t> dates = {kMonday, kMonday + kDay, kMonday + 2 * kDay};
    std::optional<int32_t> dateCount;
    std::string element = RecordOf(*Line(1, 10, 2, 20));
    std::optional<int32_t> elementLength;
    std::string tail;

    std::string Bytes() const {
        CArchiveWriter ar;
        ar.WriteBytes(magic.data(), magic.size());
        ar.WriteInt(version);
        ar.WriteInt(typeCode);
        ar.WriteString(symbol);
        ar.WriteString(market);
        ar.WriteInt(period);
        ar.WriteInt(nDays);
        ar.WriteInt(dateCount.value_or(static_cast<int32_t>(dates.size())));
        for (int32_t date : dates) ar.WriteInt(date);
        ar.WriteInt(elementLength.value_or(static_cast<int32_t>(element.size())));
        ar.WriteBytes(element.data(), element.size());
        return ar.Bytes() + tail;
    }
};

class ElementClipboardTest : public ::testing::Test {
protected:
    void SetUp() override {
        const char* zone = std::getenv("TZ");
        m_zone = zone ? std::optional<std::string>(zone) : std::nullopt;
        setenv("TZ", "UTC", 1);
        tzset();
    }
    void TearDown() override {
        if (m_zone)
            setenv("TZ", m_zone->c_str(), 1);
        else
            unsetenv("TZ");
        tzset();
    }

private:
    std::optional<std::string> m_zone;
};

} // namespace

TEST_F(ElementClipboardTest, WritesTheLayoutItsHeaderStates) {
    const auto source = Chart("IBM", Days(3));
    const auto line = Line(1, 10, 2, 20);
    const CElementClipboard record = CElementClipboard::Copy(*line, *source);
    EXPECT_EQ(record.Bytes(), SRawRecord{}.Bytes());
    CElementClipboard read;
    ASSERT_TRUE(CElementClipboard::Parse(record.Bytes(), read));
    EXPECT_EQ(read.TypeCode(), 1);
    EXPECT_EQ(read.Symbol(), "IBM");
    EXPECT_EQ(read.Market(), "NYSE");
    EXPECT_EQ(read.Period(), 0);
    EXPECT_EQ(read.Dates(), SRawRecord{}.dates);
    EXPECT_EQ(read.ElementRecord(), RecordOf(*line));
    EXPECT_EQ(read.Bytes(), record.Bytes());
}

struct SRoundTripCase {
    const char* name;
    std::string targetSymbol;
    int sourcePeriod;
    int targetPeriod;
    int targetLeadingDays; // trading days the target's history starts later than the source's
    float x1, x2;          // anchors on the source
    float expectedX1, expectedX2;
    int expectedElementPeriod;
};

TEST_F(ElementClipboardTest, PasteKeepsTheBarsOfTheSameChartAndMapsOthersByDate) {
    const SRoundTripCase cases[] = {
        {"same symbol and period keep the anchors", "IBM", 0, 0, 0, 10.25f, 40.5f, 10.25f, 40.5f,
         1},
        // Day 12.5 is the third day of week 2 and a half: 2 + 2.5 / 5.
        {"daily to weekly by date", "IBM", 0, 1, 0, 10, 12.5f, 2, 2.5f, 5},
        // Week 1.5 spreads over days 5 to 9: 5 + 0.5 * 5.
        {"weekly to daily by date", "IBM", 1, 0, 0, 3, 1.5f, 15, 7.5f, 1},
        // The other chart starts a week later: day 10 is its day 5.
        {"another symbol by date", "MSFT", 0, 0, 5, 10, 30.5f, 5, 25.5f, 1},
        {"same symbol with a shorter history by date", "IBM", 0, 0, 5, 10, 30.5f, 5, 25.5f, 1},
    };
    for (const SRoundTripCase& c : cases) {
        SCOPED_TRACE(c.name);
        const auto source = Chart("IBM", Days(60), c.sourcePeriod);
        const auto target =
            Chart(c.targetSymbol,
                  Days(60 - c.targetLeadingDays, kMonday + 7 * kDay * (c.targetLeadingDays / 5)),
                  c.targetPeriod);
        const auto line = Line(c.x1, 101.25f, c.x2, 110.5f);
        CElementClipboard read;
        ASSERT_TRUE(
            CElementClipboard::Parse(CElementClipboard::Copy(*line, *source).Bytes(), read));
        const std::unique_ptr<CSymbol> pasted = read.Recreate(*target);
        ASSERT_NE(pasted, nullptr);
        EXPECT_EQ(pasted->TypeCode(), 1);
        EXPECT_FLOAT_EQ(pasted->x1, c.expectedX1);
        EXPECT_FLOAT_EQ(pasted->x2, c.expectedX2);
        EXPECT_FLOAT_EQ(pasted->y1, 101.25f);
        EXPECT_FLOAT_EQ(pasted->y2, 110.5f);
        EXPECT_EQ(pasted->Period(), c.expectedElementPeriod);
    }
}

TEST_F(ElementClipboardTest, PastedElementIsTheUsersOwnUnselectedDrawing) {
    const auto chart = Chart("IBM", Days(20));
    auto line = Line(2, 10, 5, 12);
    line->Select();
    line->BeginTracking();
    line->hitState = 3;
    line->indicatorMark = 4;
    line->lineWidth = 3;
    line->color = 0x0000FF;
    CElementClipboard read;
    ASSERT_TRUE(CElementClipboard::Parse(CElementClipboard::Copy(*line, *chart).Bytes(), read));
    const std::unique_ptr<CSymbol> pasted = read.Recreate(*chart);
    ASSERT_NE(pasted, nullptr);
    EXPECT_FALSE(pasted->IsSelected());
    EXPECT_EQ(pasted->tracking, 0);
    EXPECT_EQ(pasted->hitState, 0);
    EXPECT_EQ(pasted->indicatorMark, 0);
    // Written again, the mark does not come back from the reserved block.
    CLine reread;
    const std::string written = RecordOf(*pasted);
    CArchiveReader ar(written);
    ASSERT_TRUE(reread.Read(ar)) << ar.Error();
    EXPECT_EQ(reread.indicatorMark, 0);
    EXPECT_EQ(reread.lineWidth, 3);
    EXPECT_EQ(reread.color, 0x0000FFu);
}

struct SRefusedCase {
    const char* name;
    std::string bytes;
    CFileResult::EKind kind;
    std::string message;
};

TEST_F(ElementClipboardTest, RefusesDamagedDataWithAReasonAndReadsNothing) {
    const auto spoiled = [](auto change) {
        SRawRecord raw;
        change(raw);
        return raw.Bytes();
    };
    const auto lineRecord = [](auto change) {
        auto line = Line(1, 10, 2, 20);
        change(*line);
        return RecordOf(*line);
    };
    CRectangle rectangle;
    const std::string prefix = "The clipboard's chart element ";
    using K = CFileResult::EKind;
    const SRefusedCase cases[] = {
        {"empty", "", K::WrongType, "The clipboard holds no chart element of this program."},
        {"garbage", "Trend line, IBM daily", K::WrongType,
         "The clipboard holds no chart element of this program."},
        {"magic only", "ZSEL", K::Damaged, prefix + "is cut short."},
        {"a later version", spoiled([](SRawRecord& r) { r.version = 2; }), K::Damaged,
         prefix + "is of version 2; this program reads version 1."},
        {"cut inside the element record", SRawRecord{}.Bytes().substr(0, 80), K::Damaged,
         prefix + "is cut short."},
        {"a byte after the end", spoiled([](SRawRecord& r) { r.tail = "x"; }), K::Damaged,
         prefix + "has 1 byte past its end."},
        {"a record longer than announced", spoiled([](SRawRecord& r) {
             r.elementLength = static_cast<int32_t>(r.element.size()) - 4;
         }),
         K::Damaged, prefix + "has 4 bytes past its end."},
        {"a date count past the end", spoiled([](SRawRecord& r) { r.dateCount = 1 << 30; }),
         K::Damaged, prefix + "is cut short."},
        {"a negative date count", spoiled([](SRawRecord& r) { r.dateCount = -1; }), K::Damaged,
         prefix + "is damaged: a negative count (-1) at offset 29."},
        {"period 4", spoiled([](SRawRecord& r) { r.period = 4; }), K::Damaged,
         prefix + "has period 4, outside 0 to 3."},
        {"a negative N", spoiled([](SRawRecord& r) { r.nDays = -3; }), K::Damaged,
         prefix + "has a negative day count."},
        {"dates out of order", spoiled([](SRawRecord& r) {
             r.dates = {kMonday, kMonday};
         }),
         K::Damaged, prefix + "has dates out of order."},
        {"a curve", spoiled([](SRawRecord& r) { r.typeCode = CCurve::kTypeCode; }), K::Damaged,
         prefix + "is of type 36, which is no drawing."},
        {"a trade flag", spoiled([](SRawRecord& r) { r.typeCode = CTradeFlag::kTypeCode; }),
         K::Damaged, prefix + "is of type 38, which is no drawing."},
        {"a tool with no class", spoiled([](SRawRecord& r) { r.typeCode = 5; }), K::Damaged,
         prefix + "is of type 5, which is no drawing."},
        {"a record of another type", spoiled([](SRawRecord& r) { r.typeCode = 2; }), K::Damaged,
         prefix + "has a record that is damaged: an element record of type 1 where type 2 was "
                  "announced."},
        {"a line width its class refuses", spoiled([&](SRawRecord& r) {
             r.element = lineRecord([](CLine& line) { line.lineWidth = 11; });
         }),
         K::Damaged,
         prefix + "has a record that is damaged: a line width of 11 (allowed 0 to 10) before "
                  "offset 639."},
        {"an anchor not a number", spoiled([&](SRawRecord& r) {
             r.element =
                 lineRecord([](CLine& line) { line.x2 = std::numeric_limits<float>::quiet_NaN(); });
         }),
         K::Damaged, prefix + "has an anchor that is not a number."},
        {"an anchor far off any chart", spoiled([&](SRawRecord& r) {
             r.element = lineRecord([](CLine& line) { line.x1 = -2e7f; });
         }),
         K::Damaged, prefix + "has an anchor far off any chart."},
        {"an element record with bytes to spare", spoiled([](SRawRecord& r) { r.element += "zz"; }),
         K::Damaged, prefix + "has 2 bytes past the end of its record."},
        {"more than the limit", std::string(CElementClipboard::kMaxBytes + 1, 'Z'), K::Damaged,
         prefix + "is larger than the 8 MB this program reads."},
    };
    for (const SRefusedCase& c : cases) {
        SCOPED_TRACE(c.name);
        const auto source = Chart("KEPT", Days(2));
        CElementClipboard record = CElementClipboard::Copy(*Line(0, 1, 1, 2), *source);
        const CFileResult result = CElementClipboard::Parse(c.bytes, record);
        EXPECT_FALSE(result.ok());
        EXPECT_EQ(result.kind(), c.kind);
        EXPECT_EQ(result.message(), c.message);
        EXPECT_EQ(record.Symbol(), "KEPT");
    }
}

TEST_F(ElementClipboardTest, EveryCutOfARecordIsRefused) {
    const auto source = Chart("IBM", Days(30));
    const std::string bytes = CElementClipboard::Copy(*Line(3, 10, 20, 30), *source).Bytes();
    CElementClipboard read;
    for (size_t length = 0; length < bytes.size(); ++length)
        ASSERT_FALSE(CElementClipboard::Parse(std::string_view(bytes).substr(0, length), read))
            << length;
    EXPECT_TRUE(CElementClipboard::Parse(bytes, read));
}

struct SDescriptionCase {
    const char* name;
    int period;
    float x1, y1, x2, y2;
    std::string expected;
};

TEST_F(ElementClipboardTest, DescribesTheElementByDateAndValue) {
    const SDescriptionCase cases[] = {
        {"daily", 0, 0, 101.25f, 20.5f, 110.5f,
         "Trend line, IBM daily, 2026-01-05 101.25 to 2026-02-02 110.50"},
        {"weekly", 1, 1, 99, 3, 98.004f,
         "Trend line, IBM weekly, 2026-01-12 99.00 to 2026-01-26 98.00"},
        {"off the series", 0, -3, 1, 30, 2, "Trend line, IBM daily, bar -3 1.00 to bar 30 2.00"},
    };
    for (const SDescriptionCase& c : cases) {
        SCOPED_TRACE(c.name);
        const auto source = Chart("IBM", Days(c.period == 0 ? 30 : 60), c.period);
        const auto line = Line(c.x1, c.y1, c.x2, c.y2);
        EXPECT_EQ(CElementClipboard::Copy(*line, *source).Description(), c.expected);
    }
}

TEST_F(ElementClipboardTest, OnlyDrawingToolsAreCopiedAsElements) {
    CLine line;
    CIco icon;
    CCurve curve;
    CTradeFlag flag;
    CStock series(int64_t{kMonday});
    EXPECT_TRUE(CElementClipboard::IsDrawing(line));
    EXPECT_TRUE(CElementClipboard::IsDrawing(icon));
    EXPECT_FALSE(CElementClipboard::IsDrawing(curve));
    EXPECT_FALSE(CElementClipboard::IsDrawing(flag));
    EXPECT_FALSE(CElementClipboard::IsDrawing(series));
}

TEST_F(ElementClipboardTest, PasteOntoTheOriginalMovesOneBarRightEachTime) {
    CTCurve pane;
    pane.AddElement(Line(10, 50, 20, 60));
    pane.AddElement(std::make_unique<CRectangle>()); // another type at other anchors
    CSymbol* first = CElementClipboard::PlaceInPane(pane, Line(10, 50, 20, 60));
    EXPECT_FLOAT_EQ(first->x1, 11);
    EXPECT_FLOAT_EQ(first->x2, 21);
    CSymbol* second = CElementClipboard::PlaceInPane(pane, Line(10, 50, 20, 60));
    EXPECT_FLOAT_EQ(second->x1, 12);
    EXPECT_FLOAT_EQ(second->x2, 22);
    // Elsewhere, or at the same bars with other values, it stays where it came.
    CSymbol* apart = CElementClipboard::PlaceInPane(pane, Line(10, 51, 20, 60));
    EXPECT_FLOAT_EQ(apart->x1, 10);
    EXPECT_FLOAT_EQ(apart->y1, 51);
    ASSERT_EQ(pane.Elements().size(), 5u);
    EXPECT_EQ(pane.Elements().back().get(), apart);
    EXPECT_EQ(apart->owner, &pane);
}
