#include "QuotesTestSupport.h"
#include "quotes/CStock.h"
#include "quotes/PeriodChoice.h"
#include "quotes/QuoteFileFormat.h"
#include "quotes/QuoteFileLocation.h"
#include <cerrno>
#include <cstring>
#include <random>

namespace {
class QuoteFileTest : public QuotesTest {
protected:
    QuoteFileTest() { WriteSetup(); }
    std::string File(const std::string& name, const std::string& text) {
        std::string path = home.Path() + name;
        WriteText(path, text);
        return path;
    }
};

const std::string kCsvHead = std::string(kCsvQuoteHeader) + "\n";
const std::string kGoodLine = "5-Dec-05,1,2,0.5,1.5,10,1.5\n";
} // namespace

TEST_F(QuoteFileTest, LocationKeepsAGivenExtensionAndStripsItFromTheSymbol) {
    struct Case {
        const char* market;
        const char* symbol;
        const char* path;
        const char* bare;
    } cases[] = {
        {"NYSE", "IBM", "Data/NYSE/IBM.csv", "IBM"},
        {"NYSE", "XYZ.txt", "Data/NYSE/XYZ.txt", "XYZ"},
        {"NYSE", "XYZ.csv", "Data/NYSE/XYZ.csv", "XYZ"},
        {"NYSE", "XYZ.CSV", "Data/NYSE/XYZ.CSV.csv", "XYZ.CSV"},
        {"HK", "0005.HK", "Data/HK/0005.HK.csv", "0005.HK"},
    };
    for (const Case& c : cases) {
        SQuoteFileLocation location;
        ASSERT_TRUE(LocateQuoteFile(context.DataFolder(), c.market, c.symbol, location))
            << c.symbol;
        EXPECT_EQ(location.path, home.Path() + c.path);
        EXPECT_EQ(location.symbol, c.bare);
    }
}

TEST_F(QuoteFileTest, UnsafeMarketOrSymbolIsRefusedWithAMessage) {
    std::pair<std::string, std::string> cases[] = {
        {"..", "IBM"}, {"NY/SE", "IBM"}, {"", "IBM"},      {"NYSE", "../../etc/passwd"},
        {"NYSE", ""},  {"NYSE", ".txt"}, {"NYSE", "A\nB"}, {"NYSE", std::string("A\0B", 3)},
    };
    for (const auto& [market, symbol] : cases) {
        SQuoteFileLocation location;
        CFileResult located = LocateQuoteFile(context.DataFolder(), market, symbol, location);
        EXPECT_EQ(located.kind(), CFileResult::EKind::UnsafeName) << market << "/" << symbol;
        EXPECT_FALSE(located.message().empty());
        EXPECT_EQ(located.message().find('\n'), std::string::npos);
    }
    SQuoteFileLocation location;
    EXPECT_EQ(LocateQuoteFile(context.DataFolder(), "NY/SE", "IBM", location).message(),
              "The market code \"NY/SE\" cannot be used as a folder name.");
    EXPECT_EQ(LocateQuoteFile(context.DataFolder(), "NYSE", "A\nB", location).message(),
              "The stock symbol \"A?B\" cannot be used as a file name.");
    EXPECT_EQ(EnsureMarketFolder(context.DataFolder(), "../up").kind(),
              CFileResult::EKind::UnsafeName);
    EXPECT_FALSE(std::filesystem::exists(home.Path() + "up"));
    EXPECT_TRUE(prompter.messages.empty());
}

TEST_F(QuoteFileTest, MarketFolderIsCreatedWhenMissing) {
    EXPECT_TRUE(EnsureMarketFolder(context.DataFolder(), "NYSE"));
    EXPECT_TRUE(std::filesystem::is_directory(home.Path() + "Data/NYSE"));
    EXPECT_TRUE(EnsureMarketFolder(context.DataFolder(), "NYSE"));
    WriteText(home.Path() + "Data/FILE", "not a folder");
    CFileResult made = EnsureMarketFolder(context.DataFolder(), "FILE");
    EXPECT_EQ(made.kind(), CFileResult::EKind::CannotWrite);
    EXPECT_EQ(made.message(), "The folder " + home.Path() +
                                  "Data/FILE cannot be created: " + std::strerror(ENOTDIR));
}

TEST_F(QuoteFileTest, HeaderCheckTellsWhyAFileIsRefused) {
    using EKind = CFileResult::EKind;
    const std::string wrongHeader =
        "Download failed. Maybe the stock code of selected stock is not correct.";
    struct Case {
        std::string text;
        EKind kind;
        std::string message;
    } cases[] = {
        {kCsvHead, EKind::Ok, ""},
        {std::string(kCsvQuoteHeader) + "\r\n", EKind::Ok, ""},
        {std::string(kCsvQuoteHeader), EKind::Ok, ""},
        {std::string(kTickerQuoteHeader) + "\n", EKind::Ok, ""},
        {"", EKind::Damaged, "Invalid data file. Please check your network connection. "},
        {"\n" + kCsvHead, EKind::WrongType, wrongHeader},
        {"<html>404 Not Found</html>\n", EKind::WrongType, wrongHeader},
        {"date,open,high,low,close,volume,adj. close*\n", EKind::WrongType, wrongHeader},
    };
    for (const Case& c : cases) {
        CFileResult checked = CheckQuoteFile(File("h.csv", c.text));
        EXPECT_EQ(checked.kind(), c.kind) << c.text;
        EXPECT_EQ(checked.message(), c.message) << c.text;
    }
    std::filesystem::create_directories(home.Path() + "dir.csv");
    CFileResult folder = CheckQuoteFile(home.Path() + "dir.csv");
    EXPECT_EQ(folder.kind(), EKind::CannotOpen);
    EXPECT_EQ(folder.message(), "The data file " + home.Path() + "dir.csv cannot be read.");
    EXPECT_TRUE(prompter.messages.empty());
}

TEST_F(QuoteFileTest, MissingFileLoadsNothingSilentlyButRemembersThePath) {
    CStock stock;
    std::string path = home.Path() + "Data/NYSE/NONE.csv";
    CFileResult loaded = stock.LoadQuoteFile(path);
    EXPECT_EQ(loaded.kind(), CFileResult::EKind::CannotOpen);
    EXPECT_EQ(loaded.message(), "");
    EXPECT_EQ(stock.QuoteFilePath(), path);
    EXPECT_EQ(stock.Base().size(), 1u); // the placeholder stays
    std::filesystem::create_directories(home.Path() + "folder.csv");
    EXPECT_EQ(stock.LoadQuoteFile(home.Path() + "folder.csv").message(), "");
}

TEST_F(QuoteFileTest, RefusedHeaderLeavesTheSeriesAsItWas) {
    CStock stock;
    ASSERT_TRUE(stock.LoadQuoteFile(File("a.csv", kCsvHead + kGoodLine)));
    EXPECT_FALSE(stock.LoadQuoteFile(File("b.csv", "garbage\n" + kGoodLine)));
    ASSERT_EQ(stock.Base().size(), 1u);
    EXPECT_EQ(stock.Base()[0].date, Day(2005, 12, 5));
}

TEST_F(QuoteFileTest, HostileContentNeverCrashesAndGoodLinesStillLoad) {
    std::string longLine(10 * 1024 * 1024, '7');
    std::string binary;
    std::mt19937 random(3);
    for (int i = 0; i < 200000; ++i) binary += static_cast<char>(random());
    struct Case {
        const char* name;
        std::string body;
        size_t quotes;
        bool stopsAtUnknownMonth;
    } cases[] = {
        {"10 MB line", longLine + "\n" + kGoodLine, 1, false},
        {"10 MB last line", kGoodLine + longLine, 1, false},
        {"binary", kGoodLine + binary + "\n" + kGoodLine, 1, true},
        {"NUL bytes", kGoodLine + std::string(50, '\0') + "\n" + kGoodLine, 1, true},
        {"not UTF-8", "5-D\xe9\xff-05,1,2,0.5,1.5,10,1.5\n", 0, true},
        {"not UTF-8 date", "\xc3\x28-Dec-05,1,2,0.5,1.5,10,1.5\n" + kGoodLine, 1, false},
        {"only line feeds", std::string(100000, '\n'), 0, false},
        {"carriage returns", std::string(100000, '\r'), 0, false},
    };
    for (const Case& c : cases) {
        CStock stock;
        stock.SetMaximumQuotes(1000, false);
        std::string path = File("hostile.csv", kCsvHead + c.body);
        CFileResult loaded = stock.LoadQuoteFile(path);
        // A line with an unknown month ends the reading: what came before is kept.
        EXPECT_EQ(loaded.ok(), !c.stopsAtUnknownMonth) << c.name;
        EXPECT_EQ(loaded.partial(), c.stopsAtUnknownMonth) << c.name;
        EXPECT_EQ(loaded.message(), c.stopsAtUnknownMonth ? "Unkonwn data file format." : "")
            << c.name;
        EXPECT_EQ(stock.Base().size(), c.quotes) << c.name;
        EXPECT_EQ(stock.Display().size(), c.quotes) << c.name;
        EXPECT_EQ(stock.LastReadStats().stoppedAtUnknownMonth, c.stopsAtUnknownMonth) << c.name;
    }
}

TEST_F(QuoteFileTest, OverlongLinesAreCountedAndSkipped) {
    CStock stock;
    std::string path =
        File("long.csv", kCsvHead + std::string(200000, 'x') + "\n" + kGoodLine + kGoodLine);
    ASSERT_TRUE(stock.LoadQuoteFile(path));
    EXPECT_EQ(stock.LastReadStats().overlongLines, 1u);
    EXPECT_EQ(stock.Base().size(), 2u);
}

TEST_F(QuoteFileTest, BinaryHeaderIsRefusedWithTheHeaderMessage) {
    CStock stock;
    std::string path = File("bin.csv", std::string("\x7f"
                                                   "ELF\0\0\x01",
                                                   7) +
                                           "\n" + kGoodLine);
    CFileResult loaded = stock.LoadQuoteFile(path);
    EXPECT_EQ(loaded.kind(), CFileResult::EKind::WrongType);
    EXPECT_FALSE(loaded.partial());
    EXPECT_EQ(loaded.message(),
              "Download failed. Maybe the stock code of selected stock is not correct.");
}

TEST_F(QuoteFileTest, PeriodLoaderAppliesPeriodAndMaximumWithoutTouchingSettings) {
    struct Case {
        const char* period;
        size_t bars;
    } cases[] = {{"day", 5550}, {"week", 1148}, {"month", 264}, {"nday:10", 555}};
    for (const Case& c : cases) {
        auto period = ParsePeriodChoice(c.period);
        ASSERT_TRUE(period) << c.period;
        CStock stock;
        SQuoteReadStats stats;
        ASSERT_TRUE(
            LoadQuotesInPeriod(stock, ZS_TEST_DATA_DIR "/ttrc.csv", *period, 1000000, &stats));
        EXPECT_EQ(stats.quotes, 5550u);
        EXPECT_EQ(stock.Base().size(), 5550u);
        EXPECT_EQ(stock.Display().size(), c.bars) << c.period;
    }
    EXPECT_EQ(ReadText(home.Path() + "setup.ini"), "[STOCKLINE_SETUP]\nDisPeriod=400\n");
    for (const char* bad : {"", "days", "nday:", "nday:0", "nday:-3", "nday:x", "Week"})
        EXPECT_FALSE(ParsePeriodChoice(bad)) << bad;
}
