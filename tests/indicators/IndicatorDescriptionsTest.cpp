#include "indicators/IndicatorDescriptions.h"
#include "indicators/IndicatorCatalog.h"
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <regex>
#include <sstream>
#include <string>

namespace {

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(IndicatorDescriptions, DescribeEveryBuiltInIndicatorInTableOrder) {
    const auto table = IndicatorTable();
    const auto descriptions = IndicatorDescriptions();
    ASSERT_EQ(descriptions.size(), 29u);
    ASSERT_EQ(descriptions.size(), table.size());
    for (std::size_t i = 0; i < table.size(); ++i) {
        EXPECT_STREQ(descriptions[i].identifier, table[i].identifier) << i;
        EXPECT_NE(std::string(descriptions[i].name), "") << i;
        EXPECT_NE(std::string(descriptions[i].curves), "") << i;
        EXPECT_EQ(FindIndicatorDescription(table[i].identifier), &descriptions[i]);
    }
    EXPECT_EQ(FindIndicatorDescription("sma"), nullptr);
    EXPECT_EQ(FindIndicatorDescription("VWMA"), nullptr); // the pane name, not the identifier
    EXPECT_EQ(FindIndicatorDescription(""), nullptr);
}

TEST(IndicatorDescriptions, PagePathsReplaceBlanksAndEndInHtml) {
    struct Case {
        const char* folder;
        const char* identifier;
        const char* path;
    };
    const Case cases[] = {
        {"/opt/zs/", "SMA", "/opt/zs/Doc/indicators/SMA.html"},
        {"/opt/zs", "52WK H and L", "/opt/zs/Doc/indicators/52WK_H_and_L.html"},
        {"/opt/zs/", "FLAGMACD", "/opt/zs/Doc/indicators/FLAGMACD.html"},
        {"", "WR", "Doc/indicators/WR.html"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IndicatorPagePath(c.folder, c.identifier), c.path) << c.identifier;
    EXPECT_EQ(IndicatorPageName("52WK H and L"), "52WK_H_and_L.html");
    EXPECT_EQ(IndicatorPageFolder("/a/b"), "/a/b/Doc/indicators/");
}

TEST(IndicatorDescriptions, BuiltInTextNamesTheIndicatorItsPaneAndCurves) {
    EXPECT_EQ(BuiltInDescription("SMA"),
              "SMA: Simple Moving Average\n"
              "Shown in: the main chart, over the price bars\n"
              "Curves: MA 5 and MA 10 (period colours), MA 30 (red), MA 60 (blue)\n");
    EXPECT_EQ(BuiltInDescription("RSI"),
              "RSI: Relative Strength Index\n"
              "Shown in: a sub-chart pane\n"
              "Curves: RSI 9 (medium blue), RSI 11 (orchid), RSI 25 (tomato); reference lines "
              "at 30 and 70\n");
    EXPECT_EQ(BuiltInDescription("FLAGSAR"),
              "FLAGSAR: Parabolic SAR Flags\n"
              "Shown in: the main chart, as buy and sell flags\n"
              "Curves: SARBuy flags (green) at the low, SARSell flags (red) at the high\n");
    EXPECT_EQ(BuiltInDescription("NOPE"), "");
}

// The pages the sample installation ships: one per identifier, each a plain HTML page about
// its own indicator, with nothing that runs and nothing fetched from elsewhere.
TEST(IndicatorDescriptions, SampleInstallationShipsOnePlainPagePerIdentifier) {
    const std::string folder = std::string(ZS_SAMPLE_DIR) + "/";
    const std::regex remote(R"((src|href)\s*=\s*"(https?:|//|ftp:))", std::regex::icase);
    int pages = 0;
    for (const SIndicatorEntry& entry : IndicatorTable()) {
        const std::string path = IndicatorPagePath(folder, entry.identifier);
        SCOPED_TRACE(path);
        ASSERT_TRUE(std::filesystem::is_regular_file(path));
        const std::string page = ReadFile(path);
        EXPECT_EQ(page.rfind("<!DOCTYPE html>", 0), 0u);
        EXPECT_NE(page.find("</html>"), std::string::npos);
        EXPECT_NE(page.find("<b>Identifier:</b> " + std::string(entry.identifier) + "<br>"),
                  std::string::npos);
        EXPECT_NE(page.find(FindIndicatorDescription(entry.identifier)->name), std::string::npos);
        EXPECT_EQ(page.find("<script"), std::string::npos);
        EXPECT_FALSE(std::regex_search(page, remote));
        ++pages;
    }
    EXPECT_EQ(pages, 29);
}

} // namespace
