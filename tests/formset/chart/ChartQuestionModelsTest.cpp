#include "LanguageFileTest.h"
#include "formset/NumberText.h"
#include "formset/SInnerSelChoice.h"
#include "formset/SWholeNumberChoice.h"
#include "formset/SYScaleRange.h"
#include <gtest/gtest.h>
#include <limits>

namespace {

using ChartQuestionModelsTest = LanguageFileTest;

TEST_F(ChartQuestionModelsTest, WholeNumberFieldTakesOnlyAWholeNumberOfItsRange) {
    struct Case {
        const char* text;
        int low, high;
        std::optional<int> taken; // nullopt: refused, the value stays 5
    };
    const Case cases[] = {
        {"2", 2, 9, 2},
        {"9", 2, 9, 9},
        {" 7\t", 2, 9, 7},
        {"+3", 2, 9, 3},
        {"0004", 2, 9, 4},
        {"1", 2, 9, std::nullopt},
        {"10", 2, 9, std::nullopt},
        {"0", 2, 9, std::nullopt},
        {"-3", 2, 9, std::nullopt},
        {"-0", 1, 9999, std::nullopt},
        {"", 2, 9, std::nullopt},
        {"  ", 2, 9, std::nullopt},
        {"abc", 2, 9, std::nullopt},
        {"3a", 2, 9, std::nullopt},
        {"3.0", 2, 9, std::nullopt},
        {"3,", 2, 9, std::nullopt},
        {"1e39", 1, 9999, std::nullopt},
        {"1e1", 2, 99, std::nullopt},
        {"nan", 2, 9, std::nullopt},
        {"inf", 2, 9, std::nullopt},
        {"0x5", 2, 9, std::nullopt},
        {"+", 2, 9, std::nullopt},
        {"- 3", 2, 9, std::nullopt},
        {"99999999999999999999", 1, 9999, std::nullopt},
        {"-2147483649", -5, 5, std::nullopt},
        {"9999", 1, 9999, 9999},
        {"-5", -5, 5, -5},
    };
    for (const Case& c : cases) {
        int value = 5;
        const std::optional<SFieldError> error =
            ReadWholeNumberField(1001, "Number of panes", c.text, c.low, c.high, value);
        if (c.taken) {
            EXPECT_FALSE(error) << c.text;
            EXPECT_EQ(value, *c.taken) << c.text;
            continue;
        }
        ASSERT_TRUE(error) << c.text;
        EXPECT_EQ(value, 5) << c.text;
        EXPECT_EQ(error->controlId, 1001u) << c.text;
        EXPECT_EQ(error->fieldName, "Number of panes") << c.text;
        EXPECT_EQ(error->message, "Number of panes: please enter a whole number from " +
                                      std::to_string(c.low) + " to " + std::to_string(c.high) + ".")
            << c.text;
    }
}

TEST_F(ChartQuestionModelsTest, PaneCountAndNDaysStartClampedIntoTheirRanges) {
    struct Case {
        const char* what;
        SWholeNumberChoice choice;
        SWholeNumberChoice expected; // value, low, high
    };
    const Case cases[] = {
        {"panes 3", SWholeNumberChoice::PaneCount(3), {3, 2, 9}},
        {"panes 1", SWholeNumberChoice::PaneCount(1), {2, 2, 9}},
        {"panes 10", SWholeNumberChoice::PaneCount(10), {9, 2, 9}},
        {"panes -4", SWholeNumberChoice::PaneCount(-4), {2, 2, 9}},
        {"n 5 of 401 quotes", SWholeNumberChoice::NDays(5, 401), {5, 1, 401}},
        {"n 500 of 401 quotes", SWholeNumberChoice::NDays(500, 401), {401, 1, 401}},
        {"n 0 (a stored chart)", SWholeNumberChoice::NDays(0, 401), {1, 1, 401}},
        {"n 2 of 1 quote", SWholeNumberChoice::NDays(2, 1), {1, 1, 1}},
        {"n 2 without quotes", SWholeNumberChoice::NDays(2, 0), {2, 1, 9999}},
        {"n 20000 without quotes", SWholeNumberChoice::NDays(20000, 0), {9999, 1, 9999}},
        {"n 7 of 50000 quotes", SWholeNumberChoice::NDays(7, 50000), {7, 1, 9999}},
        {"n 3 of -1 quotes", SWholeNumberChoice::NDays(3, -1), {3, 1, 9999}},
        {"inverted range", SWholeNumberChoice::Within(8, 4, 2), {4, 4, 4}},
    };
    for (const Case& c : cases) EXPECT_EQ(c.choice, c.expected) << c.what;
}

TEST_F(ChartQuestionModelsTest, YScaleTakesOnlyAFiniteRangeAboveZero) {
    constexpr unsigned kMax = SYScaleRange::kMaxField, kMin = SYScaleRange::kMinField;
    struct Case {
        const char* max;
        const char* min;
        std::optional<SYScaleRange> taken;
        unsigned field;
        const char* message;
    };
    const char* const maxNumber = "Maximum: please enter a number.";
    const char* const minNumber = "Minimum: please enter a number.";
    const Case cases[] = {
        {"120.5", "99.25", SYScaleRange{120.5f, 99.25f}, 0, ""},
        {"1,5", "-2", SYScaleRange{1.5f, -2}, 0, ""}, // the locale's separator
        {"0.001", "0", SYScaleRange{0.001f, 0}, 0, ""},
        {"3e38", "0", SYScaleRange{3e38f, 0}, 0, ""},
        {"", "1", std::nullopt, kMax, maxNumber},
        {"1", "", std::nullopt, kMin, minNumber},
        {"abc", "1", std::nullopt, kMax, maxNumber},
        {"5", "low", std::nullopt, kMin, minNumber},
        {"1e39", "1", std::nullopt, kMax, maxNumber},
        {"5", "-1e39", std::nullopt, kMin, minNumber},
        {"nan", "1", std::nullopt, kMax, maxNumber},
        {"5", "inf", std::nullopt, kMin, minNumber},
        {"7", "7", std::nullopt, kMax, "Maximum: must be greater than Minimum."},
        {"7", "7.00000001", std::nullopt, kMax, "Maximum: must be greater than Minimum."},
        {"3", "8", std::nullopt, kMax, "Maximum: must be greater than Minimum."},
        {"-1", "0", std::nullopt, kMax, "Maximum: must be greater than Minimum."},
        {"3e38", "-3e38", std::nullopt, kMax, "Maximum: the range is too large."},
    };
    for (const Case& c : cases) {
        SYScaleRange range{50, 10};
        const std::optional<SFieldError> error = range.Read(c.max, c.min, ",");
        if (c.taken) {
            EXPECT_FALSE(error) << c.max << " " << c.min;
            EXPECT_EQ(range, *c.taken) << c.max << " " << c.min;
            continue;
        }
        ASSERT_TRUE(error) << c.max << " " << c.min;
        EXPECT_EQ(range, (SYScaleRange{50, 10})) << c.max << " " << c.min;
        EXPECT_EQ(error->controlId, c.field) << c.max << " " << c.min;
        EXPECT_EQ(error->message, c.message) << c.max << " " << c.min;
    }
}

TEST_F(ChartQuestionModelsTest, YScaleCheckRefusesAGivenRangeWithoutFiniteEnds) {
    const float inf = std::numeric_limits<float>::infinity();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    struct Case {
        SYScaleRange range;
        std::optional<unsigned> field;
    };
    const Case cases[] = {
        {{inf, 0}, SYScaleRange::kMaxField},
        {{nan, 0}, SYScaleRange::kMaxField},
        {{5, -inf}, SYScaleRange::kMinField},
        {{5, nan}, SYScaleRange::kMinField},
        {{5, 4}, std::nullopt},
    };
    for (const Case& c : cases) {
        const std::optional<SFieldError> error = c.range.Check();
        EXPECT_EQ(error ? std::optional(error->controlId) : std::nullopt, c.field)
            << c.range.max << " " << c.range.min;
    }
}

TEST_F(ChartQuestionModelsTest, MessagesTranslatedWithTheFieldNamesGiven) {
    Activate("[Text]\nAboveMinimum=%s muss größer sein als %1.\n"
             "WholeNumberRange=%s: eine ganze Zahl von %1 bis %2 eingeben.\n");
    SYScaleRange range{50, 10};
    const std::optional<SFieldError> inverted =
        range.Read("1", "2", ".", {"Höchstwert %1", "Tiefstwert %s"});
    ASSERT_TRUE(inverted);
    EXPECT_EQ(inverted->message, "Höchstwert %1 muss größer sein als Tiefstwert %s.");
    SWholeNumberChoice panes = SWholeNumberChoice::PaneCount(2);
    EXPECT_EQ(panes.Read("x", "Fenster")->message,
              "Fenster: eine ganze Zahl von 2 bis 9 eingeben.");
}

TEST_F(ChartQuestionModelsTest, InsertFirstThenTheChoiceConfirmedLast) {
    SInnerSelChoice::Remember(true); // as the program starts
    EXPECT_EQ(SInnerSelChoice::StartingFor(1, "MACD"), (SInnerSelChoice{1, "MACD", true}));
    SInnerSelChoice::Remember(false);
    EXPECT_EQ(SInnerSelChoice::StartingFor(0, "SMA"), (SInnerSelChoice{0, "SMA", false}));
    EXPECT_EQ(SInnerSelChoice::StartingFor(2, ""), (SInnerSelChoice{2, "", false}));
    SInnerSelChoice::Remember(true);
    EXPECT_TRUE(SInnerSelChoice::StartingFor(2, "").insert);
}

TEST_F(ChartQuestionModelsTest, TargetNamesThePaneAndWhatItShows) {
    struct Case {
        const char* languageFile; // null: translation off
        SInnerSelChoice choice;
        const char* text;
    };
    const Case cases[] = {
        {nullptr, {1, "MACD", true}, "Pane 1: MACD"},
        {nullptr, {0, "SMA,EMA", true}, "Pane 0: SMA,EMA"},
        {nullptr, {3, " MACD RSI", false}, "Pane 3:  MACD RSI"},
        {nullptr, {2, "", true}, "Pane 2: (empty)"},
        {nullptr, {4, "100%s %1", true}, "Pane 4: 100%s %1"}, // a name is never a placeholder
        {"[Text]\nPaneTarget=%s im Fenster %1\nEmptyPaneName=(leer)\n",
         {2, "RSI", true},
         "RSI im Fenster 2"},
        {"[Text]\nPaneTarget=%s im Fenster %1\nEmptyPaneName=(leer)\n",
         {2, "", true},
         "(leer) im Fenster 2"},
    };
    for (const Case& c : cases) {
        CLanguage::SetFile("");
        if (c.languageFile) Activate(c.languageFile);
        EXPECT_EQ(c.choice.TargetText(), c.text);
    }
}

TEST_F(ChartQuestionModelsTest, PlaceholdersAreFilledInOnePass) {
    EXPECT_EQ(FillPlaceholders("%1-%2-%1 %s%", {{"%1", "%2"}, {"%2", "b"}, {"%s", "%1"}}),
              "%2-b-%2 %1%");
    EXPECT_EQ(FillPlaceholders("", {{"%1", "x"}}), "");
    EXPECT_EQ(FillPlaceholders("100%", {}), "100%");
}

} // namespace
