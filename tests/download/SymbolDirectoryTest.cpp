#include "CTestServer.h"
#include "download/CMarketListJob.h"
#include "download/CMarketListUpdater.h"
#include "download/CSymbolDatabase.h"
#include "download/CSymbolDirectory.h"
#include "settings/DownloadSettings.h"
#include <gtest/gtest.h>

namespace {
const std::string kNasdaqHeader = "Symbol|Security Name|Market Category|Test Issue|"
                                  "Financial Status|Round Lot Size|ETF|NextShares";
const std::string kOtherHeader = "ACT Symbol|Security Name|Exchange|CQS Symbol|ETF|"
                                 "Round Lot Size|Test Issue|NASDAQ Symbol";

struct SConversionCase {
    const char* what;
    std::string text;
    std::string list; // "" with ok false: refused
    bool ok;
    SSymbolListCounts counts;
};

TEST(SymbolDirectory, DirectoriesBecomeSymbolListsWithoutTestIssuesOrUnsafeTickers) {
    const std::string list = "Symbol\tDescription\n";
    const std::vector<SConversionCase> cases = {
        {"nasdaqlisted.txt: a test issue and the closing row left out",
         kNasdaqHeader + "\nAAPL|Apple Inc. - Common Stock|Q|N|N|100|N|N\n"
                         "ZAZZT|Tick Pilot Test Stock|G|Y|N|100|N|N\n"
                         "QQQ|Invesco QQQ Trust, Series 1|G|N|N|100|Y|N\n"
                         "File Creation Time: 1210202612:00|||||||\n",
         list + "AAPL\tApple Inc. - Common Stock\nQQQ\tInvesco QQQ Trust, Series 1\n", true,
         {2, 1, 0}},
        {"otherlisted.txt with CR LF, a byte-order mark and its Test Issue further right",
         "\xEF\xBB\xBF" + kOtherHeader + "\r\nBRK.A|Berkshire Hathaway Inc.|N|BRK.A|N|1|N|BRK.A\r\n"
                                         "ABR$D|Arbor Realty Trust Preferred|N|ABRpD|N|100|N|ABR-D\r\n"
                                         "NTEST|NYSE Test One|N|NTEST|N|100|Y|NTEST\r\n"
                                         "File Creation Time: 1210202612:00|||||||\r\n",
         list + "BRK.A\tBerkshire Hathaway Inc.\nABR$D\tArbor Realty Trust Preferred\n", true,
         {2, 1, 0}},
        {"columns found by name in any order, names trimmed, tabs and controls made blanks",
         "ACT Symbol|Test Issue|Exchange|Security Name\n"
         "IBM|N|N|  International\tBusiness\x01Machines  \n"
         "T|Y|N|AT&T Test\n\n   \n",
         list + "IBM\tInternational Business Machines\n", true, {1, 1, 0}},
        {"symbols that are not safe tickers are refused and counted",
         kNasdaqHeader + "\n../X|Dots|Q|N|N|100|N|N\nA B|Blank|Q|N|N|100|N|N\n"
                         "|Empty|Q|N|N|100|N|N\nABCDEFGHIJKLMNOP|Sixteen|Q|N|N|100|N|N\n"
                         "A/B|Slash|Q|N|N|100|N|N\n.A|Dot first|Q|N|N|100|N|N\n"
                         "SHORT|Too few fields\nMSFT|Microsoft|Q|N|N|100|N|N\n"
                         "ABCDEFGHIJKLMNO|Fifteen|Q|N|N|100|N|N\n",
         list + "MSFT\tMicrosoft\nABCDEFGHIJKLMNO\tFifteen\n", true, {2, 0, 7}},
        {"a directory without a Test Issue column keeps every safe row",
         "Symbol|Security Name\nGE|General Electric\nFile Creation Time: x|\n",
         list + "GE\tGeneral Electric\n", true, {1, 0, 0}},
        {"a list in the folder's own form is kept as it is, less its byte-order mark",
         "\xEF\xBB\xBFSymbol\tDescription\nIBM\tInternational Business Machines\n",
         "Symbol\tDescription\nIBM\tInternational Business Machines\n", true, {0, 0, 0}},
        {"a header without Security Name is no directory", "Symbol|Name\nIBM|IBM\n", "", false,
         {}},
        {"the symbol column must come first", "Security Name|Symbol\nIBM|IBM\n", "", false, {}},
        {"an HTML page is refused", "<html><body>Not found</body></html>", "", false, {}},
        {"empty text is refused", "", "", false, {}},
    };
    for (const SConversionCase& c : cases) {
        std::string converted = "left over";
        SSymbolListCounts counts{9, 9, 9};
        const CFileResult result = CSymbolDirectory::ToSymbolList(c.text, converted, &counts);
        EXPECT_EQ(result.ok(), c.ok) << c.what;
        EXPECT_EQ(converted, c.list) << c.what;
        EXPECT_EQ(counts.symbols, c.counts.symbols) << c.what;
        EXPECT_EQ(counts.testIssues, c.counts.testIssues) << c.what;
        EXPECT_EQ(counts.refused, c.counts.refused) << c.what;
        if (!c.ok) {
            EXPECT_EQ(result.kind(), CFileResult::EKind::WrongType) << c.what;
        }
    }
}

TEST(SymbolDirectory, SafeTickers) {
    const std::vector<std::pair<std::string, bool>> cases = {
        {"IBM", true},  {"BRK.B", true},  {"ABR$D", true},  {"^DJI", true},
        {"BF-B", true}, {"X=F", true},    {"a_1", true},    {"ABCDEFGHIJKLMNO", true},
        {"", false},    {"..", false},    {"A..B", false},  {"ABCDEFGHIJKLMNOP", false},
        {".A", false},  {"-A", false},    {"A B", false},   {"A/B", false},
        {"A\\B", false}, {"A\tB", false}, {"Ä", false},     {std::string("A\0B", 3), false},
    };
    for (const auto& [ticker, safe] : cases)
        EXPECT_EQ(CSymbolDirectory::IsSafeTicker(ticker), safe) << ticker;
}

TEST(SymbolDirectory, DatabaseOfADirectoryHoldsTheConvertedRows) {
    std::string bytes;
    SSymbolListCounts counts;
    ASSERT_TRUE(CSymbolDatabase::ConvertList(kOtherHeader + "\nA|Agilent|N|A|N|100|N|A\n"
                                                            "B/C|Bad|N|B|N|100|N|B\n",
                                             bytes, &counts));
    EXPECT_EQ(bytes, CSymbolDatabase::MakeRecord("A", "Agilent"));
    EXPECT_EQ(counts.symbols, 1u);
    EXPECT_EQ(counts.refused, 1u);
}

// The sample installation's lists are what its databases were made from.
TEST(SymbolDirectory, ShippedListsGiveTheShippedDatabases) {
    const std::string sample = ZS_SAMPLE_DIR;
    for (const char* market : {"NYSE", "TSX", "LSE"}) {
        std::string bytes;
        SSymbolListCounts counts;
        ASSERT_TRUE(CSymbolDatabase::ConvertList(
            ReadTextFile(sample + "/Lists/" + market + ".txt"), bytes, &counts))
            << market;
        EXPECT_EQ(bytes, ReadTextFile(sample + "/System/" + market + ".Dat")) << market;
        EXPECT_EQ(counts.refused, 0u) << market;
    }
}

TEST(MarketListAddress, ConfiguredAddressesAndLocalFiles) {
    const std::string folder = MakeTempFolder("list-address");
    WriteTextFile(folder + "/setup.ini", "[DOWNLOAD]\nmarketlist_nyse=Lists/NYSE.txt\n"
                                         "MarketList_Tsx=https://lists.example.org/tsx.txt\n"
                                         "MarketList_LSE=\nMarketList_=x\nMarketListServer=y\n");
    CIniReader ini(folder + "/setup.ini");
    CMarketListUpdater::SSetup setup;
    setup.listAddresses = SDownloadSettings::Read(ini).marketLists;
    EXPECT_EQ(setup.listAddresses,
              (std::map<std::string, std::string>{{"NYSE", "Lists/NYSE.txt"},
                                                  {"TSX", "https://lists.example.org/tsx.txt"}}));
    setup.programFolder = "/opt/zs/";
    setup.listAddresses["AMEX"] = "/srv/amex.txt";
    setup.listAddresses["ASX"] = "file:///srv/asx.txt";
    const std::vector<std::pair<std::string, std::string>> addresses = {
        {"nyse", "/opt/zs/Lists/NYSE.txt"}, {"TSX", "https://lists.example.org/tsx.txt"},
        {"AMEX", "/srv/amex.txt"},          {"ASX", "file:///srv/asx.txt"},
        {"LSE", ""},
    };
    for (const auto& [market, address] : addresses)
        EXPECT_EQ(CMarketListUpdater::ListAddress(setup, market), address) << market;
    const std::vector<std::pair<std::string, std::string>> paths = {
        {"/srv/a.txt", "/srv/a.txt"}, {"file:///srv/a.txt", "/srv/a.txt"},
        {"file://srv/a.txt", ""},     {"http://x/a.txt", ""},
        {"a.txt", ""},
    };
    for (const auto& [address, path] : paths)
        EXPECT_EQ(CMarketListJob::LocalPath(address), path) << address;
    RemoveTree(folder);
}
} // namespace
