#include "formset/NumberText.h"
#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace {

TEST(ReadNumber, AcceptsPointAndTheLocaleSeparator) {
    struct Case {
        const char* text;
        const char* decimal;
        std::optional<double> value;
    };
    const Case cases[] = {
        {"1.5", ",", 1.5},
        {"1,5", ",", 1.5},
        {"1,5", ".", std::nullopt},
        {"  -12.25\t", ".", -12.25},
        {"+3", ".", 3.0},
        {".5", ",", 0.5},
        {"5,", ",", 5.0},
        {"2.5E-3", ",", 0.0025},
        {"1e5", ".", 100000.0},
        {"1\xD9\xAB"
         "5",
         "\xD9\xAB", 1.5}, // a separator of two bytes
        {"1.2,5", ",", std::nullopt},
        {"1.234,5", ",", std::nullopt},
        {"1,234.5", ".", std::nullopt},
        {"", ".", std::nullopt},
        {"  ", ".", std::nullopt},
        {".", ".", std::nullopt},
        {"-", ".", std::nullopt},
        {"1e", ".", std::nullopt},
        {"e5", ".", std::nullopt},
        {"1 5", ".", std::nullopt},
        {"12abc", ".", std::nullopt},
        {"inf", ".", std::nullopt},
        {"nan", ".", std::nullopt},
        {"0x10", ".", std::nullopt},
        {"1e400", ".", std::nullopt},
        {"--1", ".", std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ReadNumber(c.text, c.decimal), c.value) << c.text << " with " << c.decimal;
}

TEST(FormatNumber, ShortestTextWithPointAndNoExponentForOrdinaryValues) {
    struct Case {
        double value;
        const char* text;
    };
    const Case cases[] = {
        {1.5, "1.5"},
        {0.1, "0.1"},
        {-12.25, "-12.25"},
        {100000, "100000"},
        {123456789012345, "123456789012345"},
        {0.00001, "0.00001"},
        {0.0, "0"},
        {-0.0, "0"},
        {1e15, "1e+15"},
        {1e-7, "1e-07"},
        {1.0 / 3, "0.3333333333333333"},
    };
    for (const Case& c : cases) EXPECT_EQ(FormatNumber(c.value), c.text) << c.value;
}

TEST(FormatNumber, FloatsAreShortestForTheFloat) {
    struct Case {
        float value;
        const char* text;
    };
    const Case cases[] = {
        {1.1f, "1.1"}, {0.3f, "0.3"}, {16.35f, "16.35"}, {-2.5f, "-2.5"}, {1e20f, "1e+20"}};
    for (const Case& c : cases) EXPECT_EQ(FormatNumber(c.value), c.text) << c.value;
}

TEST(FormatNumber, ReadsBackAsTheSameValue) {
    for (double value : {1.1, 0.1 + 0.2, 1e-5, 98765.4321, -7.000000000000001, 1e300, 5e-324}) {
        const std::optional<double> back = ReadNumber(FormatNumber(value), ",");
        ASSERT_TRUE(back) << FormatNumber(value);
        EXPECT_EQ(*back, value) << FormatNumber(value);
    }
    for (float value : {1.1f, 0.7f, 3.4e38f, 1e-30f}) {
        const std::optional<double> back = ReadNumber(FormatNumber(value), ".");
        ASSERT_TRUE(back) << FormatNumber(value);
        EXPECT_EQ(static_cast<float>(*back), value) << FormatNumber(value);
    }
}

TEST(ReadNumberField, KeepsTheValueAndNamesTheFieldOnFailure) {
    double price = 7;
    EXPECT_EQ(ReadNumberField(1001, "Price", "1,25", ",", price), std::nullopt);
    EXPECT_EQ(price, 1.25);
    std::optional<SFieldError> error = ReadNumberField(1001, "Price", "x", ",", price);
    ASSERT_TRUE(error);
    EXPECT_EQ(error->controlId, 1001u);
    EXPECT_EQ(error->fieldName, "Price");
    EXPECT_EQ(error->message, "Price: please enter a number.");
    EXPECT_EQ(price, 1.25);

    float weight = 2;
    EXPECT_TRUE(ReadNumberField(1002, "Weight", "1e39", ".", weight)); // beyond float
    EXPECT_EQ(weight, 2.0f);
    EXPECT_EQ(ReadNumberField(1002, "Weight", "-3.4e38", ".", weight), std::nullopt);
    EXPECT_EQ(weight, -3.4e38f);
}

} // namespace
