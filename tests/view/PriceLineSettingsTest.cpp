#include "ViewTestSupport.h"
#include "view/CPriceLineSettings.h"

namespace {

class PriceLineSettingsTest : public ViewTest {};

TEST_F(PriceLineSettingsTest, OkCopiesEveryFieldBackAndRepaints) {
    CStock& s = MakeStock(Bars(5, 1, 2));
    int repaints = 0;
    const bool ok = EditPriceLineSettings(
        s,
        [](CPriceLineSettings& edit) {
            EXPECT_EQ(edit.priceStyle, 1);
            EXPECT_EQ(edit.WeightIndex(), 0);
            EXPECT_EQ(edit.riseBorder, 0x0000FFu);
            edit.priceStyle = 2;
            edit.penStyle = 3;
            edit.SetWeightIndex(2);
            edit.riseFill = 0x010203;
            edit.fallFill = 0x040506;
            edit.riseBorder = 0x070809;
            edit.fallBorder = 0x0A0B0C;
            edit.doji = 0x0D0E0F;
            return true;
        },
        [&] { ++repaints; });
    EXPECT_TRUE(ok);
    EXPECT_EQ(repaints, 1);
    EXPECT_EQ(s.ViewSwitchA(), 2);
    EXPECT_EQ(s.ViewSwitchD(), 3);
    EXPECT_EQ(s.ViewSwitchC(), 3);
    const uint32_t colours[] = {0x010203, 0x040506, 0x070809, 0x0A0B0C, 0x0D0E0F};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(s.Colour(i + 1), colours[i]) << i;
}

TEST_F(PriceLineSettingsTest, CancelLeavesEveryFieldAsItWas) {
    CStock& s = MakeStock(Bars(5, 1, 2));
    s.SetViewSwitchA(4);
    const CPriceLineSettings before = CPriceLineSettings::From(s);
    int repaints = 0;
    const bool ok = EditPriceLineSettings(
        s,
        [](CPriceLineSettings& edit) {
            edit.priceStyle = 0;
            edit.doji = 0;
            edit.SetWeightIndex(5);
            return false;
        },
        [&] { ++repaints; });
    EXPECT_FALSE(ok);
    EXPECT_EQ(repaints, 0);
    const CPriceLineSettings after = CPriceLineSettings::From(s);
    EXPECT_EQ(after.priceStyle, 4);
    EXPECT_EQ(after.doji, before.doji);
    EXPECT_EQ(after.weight, before.weight);
}

TEST_F(PriceLineSettingsTest, FirstWeightEntryIsWeightOneAndOutOfListValuesAreBroughtIn) {
    CStock& s = MakeStock(Bars(5, 1, 2));
    CPriceLineSettings edit = CPriceLineSettings::From(s);
    edit.SetWeightIndex(0);
    edit.priceStyle = 9;
    edit.penStyle = -1;
    edit.ApplyTo(s);
    EXPECT_EQ(s.ViewSwitchC(), 1);
    EXPECT_EQ(s.ViewSwitchA(), 6);
    EXPECT_EQ(s.ViewSwitchD(), 0);
}

} // namespace

namespace {

class PriceLinePenTest : public ViewTest {};

// The dialog shows, and the chart draws, a stored pen style by one rule: 0 to 4 as they
// are, anything else (a template's 5) solid.
TEST_F(PriceLinePenTest, StoredPenStyleReadsAndDrawsByThePriceConvention) {
    struct Case {
        int stored;
        int shown;
    };
    const Case cases[] = {{0, 0}, {1, 1}, {2, 2}, {3, 3}, {4, 4}, {5, 0}, {7, 0}, {-1, 0}};
    for (const Case& c : cases) {
        CStock& s = MakeStock(Bars(5, 1, 2));
        s.SetViewSwitchA(4);
        s.SetViewSwitchD(c.stored);
        EXPECT_EQ(CPriceLineSettings::From(s).penStyle, c.shown) << c.stored;
        CRecordingDC dc;
        s.Draw(dc, 3.0f, 0.0f, 0, 5, CRect{0, 0, 100, 100});
        const auto lines = dc.OpsOf(CRecordingDC::kPolyline);
        ASSERT_EQ(lines.size(), 1u) << c.stored;
        EXPECT_EQ(lines[0].pen.style, c.shown) << c.stored;
    }
}

} // namespace
