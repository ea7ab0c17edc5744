#include "gann/CGannTable.h"
#include "gann/SGannSetting.h"
#include <gtest/gtest.h>
#include <limits>
#include <string>

namespace {

bool Grey(const CGannTable& t, int row, int column) {
    return t.Cell(row, column).background == CGannTable::kGrey;
}

} // namespace

TEST(GannTable, DefaultsFillA13SquareFromZeroToOne) {
    const CGannTable t;
    EXPECT_EQ(t.Rows(), 14);
    EXPECT_EQ(t.Columns(), 14);
    EXPECT_EQ(t.Centre(), 7);
    EXPECT_EQ(t.Step(), 1.0 / 169.0);
    EXPECT_EQ(t.Cell(7, 7).text, "0.01");
    EXPECT_EQ(t.Cell(8, 8).text, "0.05"); // number 9
    EXPECT_EQ(t.Cell(13, 13).text, "1.00");
    // Ring 1 runs counter-clockwise from just above its bottom-right corner: 2 at (7,8).
    EXPECT_EQ(t.Cell(7, 8).text, "0.01"); // 2/169
    EXPECT_EQ(t.Cell(6, 8).text, "0.02"); // 3/169
    EXPECT_EQ(t.Cell(6, 6).text, "0.03"); // 5/169
    EXPECT_EQ(t.Cell(8, 6).text, "0.04"); // 7/169
    // The last ring holds 122..169: up the right side, left along the top.
    EXPECT_EQ(t.Cell(12, 13).text, "0.72"); // 122/169
    EXPECT_EQ(t.Cell(1, 13).text, "0.79");  // 133/169
    EXPECT_EQ(t.Cell(1, 1).text, "0.86");   // 145/169
    EXPECT_EQ(t.Cell(13, 1).text, "0.93");  // 157/169
    for (int i = 0; i < 14; ++i) {
        EXPECT_EQ(t.Cell(i, 0).text, std::to_string(i));
        EXPECT_EQ(t.Cell(0, i).text, std::to_string(i));
    }
    // An even row count fills every cell.
    for (int r = 0; r < 14; ++r)
        for (int c = 0; c < 14; ++c) ASSERT_TRUE(t.Cell(r, c).written) << r << "," << c;
}

TEST(GannTable, CrossesThroughTheCentreAreGrey) {
    const CGannTable t;
    for (int i = 1; i < 14; ++i) {
        EXPECT_TRUE(Grey(t, 7, i)) << i;
        EXPECT_TRUE(Grey(t, i, 7)) << i;
        EXPECT_TRUE(Grey(t, i, i)) << i;
        EXPECT_TRUE(Grey(t, i, 14 - i)) << i;
    }
    EXPECT_EQ(t.Cell(2, 5).background, CGannTable::kWhite);
    EXPECT_EQ(t.Cell(2, 5).format, CGannTable::kCentreSingleLine);
    EXPECT_EQ(t.Cell(0, 3).background, CGannTable::kBlue);
    EXPECT_EQ(t.Cell(0, 3).format, CGannTable::kWordBreak);
    EXPECT_EQ(t.Cell(3, 0).background, CGannTable::kBlue);
    EXPECT_EQ(t.Cell(3, 0).format, CGannTable::kRightSingleLine);
    EXPECT_EQ(t.Cell(0, 0).background, CGannTable::kBlue);
}

TEST(GannTable, SmallestSideHoldsOnlyTheCentreWithTheEndValue) {
    CGannTable t;
    ASSERT_TRUE(t.Apply(2, 10.0f, 20.0f));
    EXPECT_EQ(t.Rows(), 3);
    EXPECT_EQ(t.Centre(), 1);
    EXPECT_EQ(t.Cell(1, 1).text, "20.00");
    for (int i = 1; i < 3; ++i) {
        EXPECT_FALSE(t.Cell(2, i).written) << i;
        EXPECT_FALSE(t.Cell(i, 2).written) << i;
    }
    EXPECT_EQ(t.Cell(2, 0).text, "2");
    EXPECT_EQ(t.Cell(0, 2).text, "2");
}

TEST(GannTable, OddRowCountLeavesTheLastRowAndColumnBlank) {
    CGannTable t;
    ASSERT_TRUE(t.Apply(10, 0.0f, 81.0f)); // n = 11, m = 9, c = 5
    EXPECT_EQ(t.Centre(), 5);
    EXPECT_EQ(t.Cell(9, 9).text, "81.00");
    EXPECT_EQ(t.Cell(5, 5).text, "1.00");
    EXPECT_EQ(t.Cell(5, 6).text, "2.00");
    for (int i = 1; i < 11; ++i) {
        EXPECT_FALSE(t.Cell(10, i).written) << i;
        EXPECT_FALSE(t.Cell(i, 10).written) << i;
    }
    for (int i = 1; i < 10; ++i) EXPECT_TRUE(Grey(t, i, 10 - i)) << i;
}

TEST(GannTable, DescendingRangeAndRefusedSides) {
    CGannTable t;
    ASSERT_TRUE(t.Apply(4, 9.0f, 0.0f)); // n = 5, m = 3: 9 numbers from 9 down to 0
    EXPECT_EQ(t.Cell(3, 3).text, "0.00");
    EXPECT_EQ(t.Cell(2, 2).text, "8.00");
    EXPECT_FALSE(t.Apply(1, 0.0f, 1.0f));
    EXPECT_FALSE(t.Apply(101, 0.0f, 1.0f));
    EXPECT_EQ(t.Rows(), 5);
    ASSERT_TRUE(t.Apply(100, 0.0f, 1.0f));
    EXPECT_EQ(t.Rows(), 101);
    EXPECT_EQ(t.Cell(99, 99).text, "1.00");
}

namespace {

TEST(GannTable, NonFiniteStartOrEndIsRefusedAndNothingChanges) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    const struct {
        float start, end;
    } cases[] = {{nan, 1.0f}, {0.0f, nan}, {inf, 1.0f}, {0.0f, -inf}, {-inf, inf}};
    for (const auto& c : cases) {
        CGannTable t;
        ASSERT_TRUE(t.Apply(6, 2.0f, 3.0f));
        EXPECT_FALSE(t.Apply(10, c.start, c.end)) << c.start << " " << c.end;
        EXPECT_EQ(t.Rows(), 7);
        EXPECT_EQ(t.Start(), 2.0f);
        EXPECT_EQ(t.End(), 3.0f);
        EXPECT_EQ(t.Cell(5, 5).text, "3.00");
    }
}

TEST(GannTable, TabSeparatedTextOfACellRectangle) {
    CGannTable t;
    ASSERT_TRUE(t.Apply(4, 9.0f, 0.0f)); // m = 3: centre 8.00, corner 0.00
    const struct {
        int top, left, bottom, right;
        std::string text;
    } cases[] = {
        {2, 2, 2, 2, "8.00\n"},
        {0, 0, 1, 2, "0\t1\t2\n1\t4.00\t5.00\n"},
        {3, 3, 2, 2, "8.00\t7.00\n1.00\t0.00\n"}, // corners in either order
        {3, 1, 3, 3, "2.00\t1.00\t0.00\n"},
        {4, 0, 9, 9, "4\t\t\t\t\n"}, // clamped; the blank last row of an odd size
    };
    for (const auto& c : cases)
        EXPECT_EQ(t.TabSeparated(c.top, c.left, c.bottom, c.right), c.text)
            << c.top << "," << c.left << " " << c.bottom << "," << c.right;
}

TEST(GannSetting, ReadsTheSideAndRefusesWithTheRangeMessage) {
    const struct {
        const char* text;
        bool taken;
        int side;
    } cases[] = {{"2", true, 2},    {"100", true, 100}, {" 13 ", true, 13},       {"1", false, 7},
                 {"101", false, 7}, {"0", false, 7},    {"-5", false, 7},         {"abc", false, 7},
                 {"", false, 7},    {"2.5", false, 7},  {"99999999999", false, 7}};
    for (const auto& c : cases) {
        SGannSetting setting{7, 0.0f, 1.0f};
        const std::optional<SFieldError> error = setting.ReadSide(c.text, "Row(Column)");
        EXPECT_EQ(!error, c.taken) << c.text;
        EXPECT_EQ(setting.side, c.side) << c.text;
        if (error) {
            EXPECT_EQ(error->message, "Please enter an integer between 2 and 100.");
            EXPECT_EQ(error->controlId, SGannSetting::kSideField);
            EXPECT_EQ(error->fieldName, "Row(Column)");
        }
    }
}

TEST(GannSetting, ValidateAndApplyTakeOnlyAFiniteSettingInRange) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    const struct {
        SGannSetting setting;
        unsigned refusedField; // 0: taken
    } cases[] = {
        {{2, 0.0f, 1.0f}, 0},
        {{100, -5.0f, 5.0f}, 0},
        {{1, 0.0f, 1.0f}, SGannSetting::kSideField},
        {{101, 0.0f, 1.0f}, SGannSetting::kSideField},
        {{13, nan, 1.0f}, SGannSetting::kStartField},
        {{13, 0.0f, inf}, SGannSetting::kEndField},
    };
    for (const auto& c : cases) {
        const std::optional<SFieldError> error = c.setting.Validate();
        EXPECT_EQ(error ? error->controlId : 0u, c.refusedField) << c.setting.side;
        CGannTable t;
        EXPECT_EQ(c.setting.ApplyTo(t), c.refusedField == 0) << c.setting.side;
        const SGannSetting after = SGannSetting::Of(t);
        if (c.refusedField == 0)
            EXPECT_EQ(after, c.setting);
        else
            EXPECT_EQ(after, (SGannSetting{13, 0.0f, 1.0f}));
    }
}

} // namespace
