#include "formset/element/AnchorDates.h"
#include "formset/element/ElementRecord.h"
#include "formset/element/FiboLevels.h"
#include "formset/element/SnapChoices.h"
#include "formset/element/ToolFields.h"
#include "tools/CFiboRetrace.h"
#include "tools/CFiboTime.h"
#include "tools/CLine.h"
#include "tools/CText.h"
#include "tools/ElementFactory.h"
#include <gtest/gtest.h>
#include <limits>

namespace {

const int kToolCodes[] = {1,  2,  3,  6,  7,  8,  9,  10, 11, 12, 13,
                          15, 16, 17, 19, 20, 24, 27, 28, 29, 30};

TEST(ElementRecordTest, EveryToolReadsBackFromItsRecordAndRefusesAnotherToolsRecord) {
    for (int code : kToolCodes) {
        SCOPED_TRACE(code);
        std::unique_ptr<CSymbol> element = CreateToolElement(code);
        ASSERT_NE(element, nullptr);
        element->SetAnchor(12.5f, 101.25f, 1);
        element->SetPoint2(30, 90);
        element->Select();
        const std::string record = ElementRecord::Of(*element);
        EXPECT_EQ(ElementRecord::TypeCodeOf(record), code);
        const std::unique_ptr<CSymbol> copy = ElementRecord::NewElement(record);
        ASSERT_NE(copy, nullptr);
        EXPECT_EQ(ElementRecord::Of(*copy), record);

        // A record of another tool, or one cut short, leaves the element as it is.
        auto other = CreateToolElement(code == 1 ? 2 : 1);
        EXPECT_FALSE(ElementRecord::Apply(*element, ElementRecord::Of(*other)));
        EXPECT_FALSE(ElementRecord::Apply(*element, record.substr(0, record.size() - 1)));
        EXPECT_FALSE(ElementRecord::Apply(*element, record + "x"));
        EXPECT_EQ(ElementRecord::Of(*element), record);
    }
    EXPECT_EQ(ElementRecord::TypeCodeOf("ab"), 0);
    EXPECT_EQ(ElementRecord::NewElement(""), nullptr);
}

TEST(ElementRecordTest, ApplyTakesTheEditedFieldsAndKeepsTheOwner) {
    CText text;
    CElementOwner owner;
    text.owner = &owner;
    CText edited;
    edited.text = "two\nlines";
    edited.textColour = 0x0000FF;
    edited.x1 = 4;
    ASSERT_TRUE(ElementRecord::Apply(text, ElementRecord::Of(edited)));
    EXPECT_EQ(text.text, "two\nlines");
    EXPECT_EQ(text.textColour, 0x0000FFu);
    EXPECT_EQ(text.x1, 4.0f);
    EXPECT_EQ(text.owner, &owner);
}

TEST(AnchorDatesTest, DatesOfBarsMapToTheirIndexAndAnythingElseIsRefused) {
    const std::vector<std::string> dates = {"02-Jan-24", "03-Jan-24", "04-Jan-24", "05-Jan-24"};
    EXPECT_EQ(AnchorDates::TextOf(2.75f, dates), "04-Jan-24");
    EXPECT_EQ(AnchorDates::TextOf(-0.5f, dates), "");
    EXPECT_EQ(AnchorDates::TextOf(4.0f, dates), "");
    EXPECT_EQ(AnchorDates::TextOf(std::numeric_limits<float>::quiet_NaN(), dates), "");

    const std::string refused = "First date: please enter the date of a bar, from 02-Jan-24 to "
                                "05-Jan-24.";
    struct SCase {
        float before;
        const char* typed;
        float after;
        const char* message; // "" when taken
    } cases[] = {
        {1.5f, "03-Jan-24", 1.5f, ""},     // as shown: a fractional anchor stays
        {1.5f, " 03-jan-24 ", 1.5f, ""},   // blanks and case aside
        {1.5f, "05-Jan-24", 3.0f, ""},     // another bar
        {7.0f, "", 7.0f, ""},              // beyond the data and left empty
        {7.0f, "02-JAN-24", 0.0f, ""},     // onto the first bar
        {1.0f, "", 1.0f, refused.c_str()}, // a shown date cleared
        {1.0f, "06-Jan-24", 1.0f, refused.c_str()},
        {1.0f, "01-Jan-24", 1.0f, refused.c_str()},
        {1.0f, "yesterday", 1.0f, refused.c_str()},
        {1.0f, "1e39", 1.0f, refused.c_str()},
    };
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.typed);
        float x = c.before;
        const auto error = AnchorDates::Read(1010, "First date", c.typed, dates, x);
        EXPECT_EQ(error ? error->message : "", c.message);
        if (error) {
            EXPECT_EQ(error->controlId, 1010u);
        }
        EXPECT_EQ(x, c.after);
    }
    float x = 0;
    const auto none = AnchorDates::Read(1, "First date", "02-Jan-24", {}, x);
    ASSERT_TRUE(none);
    EXPECT_EQ(none->message, "First date: the chart has no bars.");
}

TEST(ToolFieldsTest, RangedNumbersAreTakenOnlyInsideTheirBounds) {
    const std::string notNumber = "Ratio: please enter a number.";
    const std::string between = "Ratio: please enter a number between 0 and 1.";
    const std::string from = "Ratio: please enter a number from 0.05 to 1.";
    struct SCase {
        const char* typed;
        ToolFields::EBounds bounds;
        float after;
        std::string message;
    } cases[] = {
        {"0.5", ToolFields::EBounds::Exclusive, 0.5f, ""},
        {"0,25", ToolFields::EBounds::Exclusive, 0.25f, ""}, // the locale's separator
        {"", ToolFields::EBounds::Exclusive, 0.618f, notNumber},
        {"abc", ToolFields::EBounds::Exclusive, 0.618f, notNumber},
        {"1e39", ToolFields::EBounds::Exclusive, 0.618f, notNumber},
        {"nan", ToolFields::EBounds::Exclusive, 0.618f, notNumber},
        {"inf", ToolFields::EBounds::Exclusive, 0.618f, notNumber},
        {"0", ToolFields::EBounds::Exclusive, 0.618f, between},
        {"1", ToolFields::EBounds::Exclusive, 0.618f, between},
        {"-0.5", ToolFields::EBounds::Exclusive, 0.618f, between},
        {"1001", ToolFields::EBounds::Exclusive, 0.618f, between},
        {"1", ToolFields::EBounds::Inclusive, 1.0f, ""},
        {"0.05", ToolFields::EBounds::Inclusive, 0.05f, ""},
        {"0.049", ToolFields::EBounds::Inclusive, 0.618f, from},
        {"-1", ToolFields::EBounds::Inclusive, 0.618f, from},
    };
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.typed);
        const bool exclusive = c.bounds == ToolFields::EBounds::Exclusive;
        float value = 0.618f;
        const auto error = ToolFields::ReadFloatInRange(
            1040, "Ratio", c.typed, ",", exclusive ? 0.0f : 0.05f, 1.0f, c.bounds, value);
        EXPECT_EQ(error ? error->message : "", c.message);
        EXPECT_EQ(value, c.after);
    }
}

TEST(ToolFieldsTest, TextsMustHoldMoreThanBlanksAndOffsetsShowAsAList) {
    std::string text = "kept";
    EXPECT_EQ(ToolFields::ReadText(1050, "Text", " \n\t", text)->message,
              "Text: please enter a text.");
    EXPECT_EQ(text, "kept");
    EXPECT_FALSE(ToolFields::ReadText(1050, "Text", " a\nb", text));
    EXPECT_EQ(text, " a\nb");
    CFiboTime zones;
    zones.SetZoneCount(6);
    EXPECT_EQ(ToolFields::OffsetsText(zones.offsets), "1, 1, 2, 3, 5, 8");
    EXPECT_EQ(ToolFields::OffsetsText({}), "");
}

TEST(FiboLevelsTest, RowsReadIntoLevelsAndTheFirstBadRowIsNamed) {
    const std::vector<FiboLevels::SLevel> defaults = FiboLevels::Defaults();
    ASSERT_EQ(defaults.size(), 9u);
    EXPECT_EQ(defaults[4], (FiboLevels::SLevel{0.618f, 1}));
    const std::vector<FiboLevels::SRow> rows = FiboLevels::RowsOf(defaults);
    EXPECT_EQ(rows[1].ratio, "0.236");
    EXPECT_EQ(rows[8].ratio, "4.236");

    std::vector<FiboLevels::SLevel> levels;
    ASSERT_FALSE(FiboLevels::Read(1032, "Level", rows, ".", levels));
    EXPECT_EQ(levels, defaults);

    const std::vector<FiboLevels::SRow> edited = {{"-10", true}, {"10", false}, {"0.75", true}};
    ASSERT_FALSE(FiboLevels::Read(1032, "Level", edited, ".", levels));
    EXPECT_EQ(levels, (std::vector<FiboLevels::SLevel>{{-10.0f, 1}, {10.0f, 0}, {0.75f, 1}}));

    const std::string range = "Level 2: please enter a number from -10 to 10.";
    for (const char* bad : {"11", "-10.5", "1001"}) {
        const auto error =
            FiboLevels::Read(1032, "Level", {{"0.5", true}, {bad, true}}, ".", levels);
        ASSERT_TRUE(error) << bad;
        EXPECT_EQ(error->message, range);
        EXPECT_EQ(error->controlId, 1032u);
    }
    for (const char* bad : {"", "abc", "nan", "1e39"}) {
        const auto error = FiboLevels::Read(1032, "Level", {{bad, true}}, ".", levels);
        ASSERT_TRUE(error) << bad;
        EXPECT_EQ(error->message, "Level 1: please enter a number.");
    }
    // Refused rows leave the levels as they were.
    EXPECT_EQ(levels.size(), 3u);
    ASSERT_FALSE(FiboLevels::Read(1032, "Level", {}, ".", levels));
    EXPECT_TRUE(levels.empty());
}

TEST(SnapChoicesTest, PricesForEveryToolAndCurvesForTheFittingOnes) {
    const std::vector<std::string> curves = {"MA(5)", "", "RSI(14)", "MA(5)"};
    const std::vector<SSnapChoice> prices = {
        {"open", "Open"}, {"high", "High"}, {"low", "Low"}, {"close", "Close"}};
    for (int code : {1, 2, 15, 19, 24}) EXPECT_EQ(SnapChoices(code, curves), prices) << code;
    for (int code : {16, 17, 20}) {
        std::vector<SSnapChoice> expected = prices;
        expected.push_back({"MA(5)", "MA(5)"});
        expected.push_back({"RSI(14)", "RSI(14)"});
        EXPECT_EQ(SnapChoices(code, curves), expected) << code;
        EXPECT_TRUE(FollowsCurves(code));
    }
    EXPECT_FALSE(FollowsCurves(15));
}

} // namespace
