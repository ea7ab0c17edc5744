#include "cli/FloatText.h"
#include <bit>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace {
std::string Printf9(float value) {
    char text[64];
    std::snprintf(text, sizeof text, "%.9g", static_cast<double>(value));
    return text;
}

// Compares both ways of writing every value; returns how many differ, naming the first few.
int CountDifferences(const std::vector<float>& values) {
    int differences = 0;
    for (float value : values) {
        std::string expected = Printf9(value);
        std::string made = FormatGeneral9(value);
        char room[kGeneral9Room];
        std::string written(room, AppendGeneral9(room, value));
        if (made == expected && written == expected) continue;
        if (++differences <= 10)
            ADD_FAILURE() << "bits 0x" << std::hex << std::bit_cast<uint32_t>(value) << ": printf \""
                          << expected << "\", to_chars \"" << made << "\"";
    }
    return differences;
}

// Every text in the file that reads as a whole float: the quote fields, the golden outputs.
void CollectNumbers(const std::filesystem::path& file, std::vector<float>& values) {
    std::ifstream in(file, std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    size_t start = 0;
    for (size_t i = 0; i <= text.size(); ++i) {
        char c = i < text.size() ? text[i] : ',';
        if (c != ',' && c != '\n' && c != '\r' && c != '\t' && c != ' ' && c != '"' && c != ':' &&
            c != '[' && c != ']' && c != '{' && c != '}')
            continue;
        float value = 0;
        const char* begin = text.data() + start;
        const char* end = text.data() + i;
        auto [ptr, ec] = std::from_chars(begin, end, value);
        if (begin != end && ec == std::errc() && ptr == end) values.push_back(value);
        start = i + 1;
    }
}
} // namespace

TEST(FloatText, EveryNumberOfTheFixturesAndGoldenFilesPrintsAsPrintf) {
    std::vector<float> values;
    for (const char* folder : {ZS_TEST_DATA_DIR, ZS_GOLDEN_DIR})
        for (const auto& entry : std::filesystem::recursive_directory_iterator(folder))
            if (entry.is_regular_file()) CollectNumbers(entry.path(), values);
    // ttrc.csv alone holds several thousand prices; far fewer means the files were not found.
    ASSERT_GT(values.size(), 20000u);
    EXPECT_EQ(CountDifferences(values), 0);
}

TEST(FloatText, EdgeValuesPrintAsPrintf) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    std::vector<float> values = {
        0.0f, -0.0f, FLT_TRUE_MIN, -FLT_TRUE_MIN, FLT_MIN, -FLT_MIN, FLT_MIN / 3, 1e-38f,
        FLT_MAX, -FLT_MAX, FLT_EPSILON, 1e-5f, 1e-4f, 0.0001f, 9.9999997e-5f, 0.00012345679f,
        1e16f, 1e9f, 999999999.0f, 1e8f, 123456789.0f, 16777216.0f, 16777217.0f, 1.0f, -1.0f,
        0.1f, 0.5f, 52.05f, 12.345f, 3.4028235e38f, 1.17549435e-38f, 4943331.0f, 1e-45f,
        inf, -inf, nan, -nan, std::numeric_limits<float>::signaling_NaN(),
        std::bit_cast<float>(0x7fc12345u), std::bit_cast<float>(0xffc00001u)};
    // Powers of ten and their neighbours, where the form switches and a rounding carries over.
    for (int e = -45; e <= 38; ++e) {
        float power = std::strtof(("1e" + std::to_string(e)).c_str(), nullptr);
        values.push_back(power);
        values.push_back(std::nextafter(power, 0.0f));
        values.push_back(std::nextafter(power, inf));
        values.push_back(-power);
    }
    // From 2^20 a float steps by 1/8: ten significant digits ending in 5 are exact ties at
    // nine, which printf rounds to even.
    for (float v = 1048576.0f; v < 1048576.0f + 2000; v = std::nextafter(v, inf))
        values.push_back(v);
    EXPECT_EQ(Printf9(1234567.125f), "1234567.12"); // the table's tie, as printf rounds it
    EXPECT_EQ(FormatGeneral9(1234567.125f), "1234567.12");
    EXPECT_EQ(CountDifferences(values), 0);
}

TEST(FloatText, RandomBitPatternsPrintAsPrintf) {
    std::mt19937 random(20261210);
    std::vector<float> values;
    for (int i = 0; i < 1000000; ++i) values.push_back(std::bit_cast<float>(uint32_t(random())));
    EXPECT_EQ(CountDifferences(values), 0);
}

TEST(FloatText, PricesAndVolumesPrintAsPrintf) {
    std::vector<float> values;
    for (int cents = 0; cents < 2000000; ++cents) values.push_back(static_cast<float>(cents / 100.0));
    for (int64_t volume = 1; volume < (int64_t{1} << 40); volume = volume * 3 + 1)
        values.push_back(static_cast<float>(volume));
    EXPECT_EQ(CountDifferences(values), 0);
}

TEST(FloatText, AppendsBehindWhatTheStringHolds) {
    std::string text = "close=";
    AppendGeneral9(text, 51.95f);
    text += ',';
    AppendGeneral9(text, -0.0f);
    EXPECT_EQ(text, "close=51.9500008,-0");
}
