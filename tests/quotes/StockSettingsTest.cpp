#include "QuotesTestSupport.h"
#include "ctlkit/base/CIniReader.h"
#include "ctlkit/base/QuoteFileLock.h"
#include "quotes/CCsvQuoteWriter.h"
#include "quotes/CStock.h"
#include "quotes/QuoteFileFormat.h"
#include "quotes/QuoteLineDate.h"

namespace {
class StockSettingsTest : public QuotesTest {
protected:
    std::string SetupPath() const { return home.Path() + "setup.ini"; }
    std::string Stored(const std::string& key) {
        return CIniReader(SetupPath()).getKeyValue(key, "STOCKLINE_SETUP");
    }
};

class ExportOnCloseTest : public QuotesTest {
protected:
    ExportOnCloseTest() { WriteSetup(); }

    // Closes a series with two daily quotes shown as one weekly bar, to be exported to `path`.
    CFileResult CloseSeriesExportingTo(const std::string& path) {
        CStock stock;
        std::vector<SQuote> daily = {Quote(Day(2005, 12, 5), 1, 2, 0.5f, 1.5f, 10, 1.5f),
                                     Quote(Day(2005, 12, 6), 1, 3, 0.25f, 2.5f, 20, 2.5f)};
        stock.RestoreSeries(daily, daily);
        stock.MakeWeekLine(false);
        stock.SetQuoteFilePath(path);
        stock.SetExportOnClose(true);
        return stock.Close(context);
    }
};

// Local midnight `n` calendar days after 1 January 1990.
int32_t CalendarDay(int n) {
    return static_cast<int32_t>(LocalMidnightSeconds(1990, 1, 1 + n));
}

const char* const kDailyCsv = "Date,Open,High,Low,Close,Volume,Adj. Close*\n"
                              "06-Dec-05,1.00,3.00,0.25,2.50,20,2.50\n"
                              "05-Dec-05,1.00,2.00,0.50,1.50,10,1.50\n";
} // namespace

TEST_F(StockSettingsTest, NewAndDestroyedSeriesTouchNoSettings) {
    { CStock stock; }
    EXPECT_FALSE(std::filesystem::exists(SetupPath()));
    EXPECT_TRUE(std::filesystem::is_empty(home.Path()));
    EXPECT_TRUE(prompter.messages.empty());
}

TEST_F(StockSettingsTest, FreshSettingsShowMessageAndGetTheSectionOnClose) {
    CStock first;
    CStock second;
    first.LoadSettings(context);
    second.LoadSettings(context);
    EXPECT_EQ(first.MaximumQuotes(), 400);
    EXPECT_EQ(first.BarsInWindow(), 50);
    EXPECT_EQ(prompter.messages,
              (std::vector<std::string>{"Section doesn't exist", "Section doesn't exist"}));
    EXPECT_TRUE(first.Close(context));
    EXPECT_TRUE(second.Close(context));
    EXPECT_EQ(Stored("DisPeriod"), "400");
    EXPECT_EQ(Stored("DisDayNum"), "50");
    prompter.messages.clear();
    CStock third;
    third.LoadSettings(context);
    EXPECT_TRUE(prompter.messages.empty());
}

TEST_F(StockSettingsTest, ReadsDisPeriodAndTreatsEmptyOrNegativeAsDefault) {
    struct Case {
        const char* value;
        int maximum;
    } cases[] = {{"1000", 1000}, {"0", 0}, {"", 400}, {"-5", 400}, {"12abc", 12}};
    for (const Case& c : cases) {
        WriteText(SetupPath(), std::string("[STOCKLINE_SETUP]\nDisPeriod=") + c.value + "\n");
        CStock stock;
        stock.LoadSettings(context);
        EXPECT_EQ(stock.MaximumQuotes(), c.maximum) << c.value;
    }
    EXPECT_TRUE(prompter.messages.empty());
}

TEST_F(StockSettingsTest, ValuesOfOneChartAreNotStored) {
    const std::string before = "[STOCKLINE_SETUP]\nDisPeriod=1000\nDisDayNum=80\n";
    WriteText(SetupPath(), before);
    {
        CStock stock;
        stock.LoadSettings(context);
        stock.SetMaximumQuotes(77, false);
        stock.SetBarsInWindow(9, false);
        stock.ShowLastBars();
        stock.ResetWindow();
        EXPECT_TRUE(stock.Close(context));
    }
    EXPECT_EQ(ReadText(SetupPath()), before);
}

TEST_F(StockSettingsTest, UserChoicesAndWindowMovesAreStored) {
    WriteText(SetupPath(), "[STOCKLINE_SETUP]\nDisPeriod=1000\nDisDayNum=80\n");
    {
        CStock stock;
        stock.LoadSettings(context);
        EXPECT_FALSE(stock.SetMaximumQuotes(-1, true));
        EXPECT_TRUE(stock.SetMaximumQuotes(600, true));
        EXPECT_TRUE(stock.Close(context));
    }
    EXPECT_EQ(Stored("DisPeriod"), "600");
    EXPECT_EQ(Stored("DisDayNum"), "80");
    {
        CStock stock;
        stock.LoadSettings(context);
        std::vector<SQuote> quotes(40, Quote(Day(2001, 1, 2), 1, 2, 0.5f, 1.5f));
        stock.RestoreSeries(quotes, quotes);
        stock.ShowLastBars();
        stock.ShiftWindow(5, 0, false);
        EXPECT_EQ(stock.BarsInWindow(), 35);
        EXPECT_TRUE(stock.Close(context));
    }
    EXPECT_EQ(Stored("DisDayNum"), "35");
    EXPECT_EQ(Stored("DisPeriod"), "600");
}

TEST_F(StockSettingsTest, SectionRemovedMeanwhileIsWrittenWithChoicesAndReadValues) {
    WriteText(SetupPath(), "[STOCKLINE_SETUP]\nDisPeriod=1000\n");
    {
        CStock stock;
        stock.LoadSettings(context);
        stock.SetMaximumQuotes(5, false); // this chart only
        stock.SetBarsInWindow(20, true);
        WriteText(SetupPath(), "[OTHER]\nKey=1\n");
        EXPECT_TRUE(stock.Close(context));
    }
    EXPECT_EQ(Stored("DisPeriod"), "1000");
    EXPECT_EQ(Stored("DisDayNum"), "20");
    EXPECT_EQ(CIniReader(SetupPath()).getKeyValue("Key", "OTHER"), "1");
}

TEST_F(StockSettingsTest, NewSeriesHoldsOnePlaceholderQuoteOfNow) {
    WriteText(SetupPath(), "[STOCKLINE_SETUP]\nDisPeriod=400\n");
    std::time_t before = std::time(nullptr);
    CStock stock;
    ASSERT_EQ(stock.Base().size(), 1u);
    ASSERT_EQ(stock.Display().size(), 1u);
    EXPECT_GE(stock.Base()[0].date, before);
    EXPECT_LE(stock.Base()[0].date, std::time(nullptr));
    EXPECT_EQ(stock.Base()[0].close, 0.0f);
    EXPECT_EQ(stock.WindowEnd(), 1);
    // The clock is the caller's: a document dates it by its context.
    CModelContext fixed(CInstallPaths(home.Path()), prompter, [] { return int64_t{1136073600}; });
    EXPECT_EQ(CStock(fixed.Now()).Base()[0].date, 1136073600);
}

TEST_F(ExportOnCloseTest, WritesTheDailySeriesIntoTheDataFolder) {
    std::string path = home.Path() + "Data/NYSE/ABC.csv";
    std::filesystem::create_directories(home.Path() + "Data/NYSE");
    EXPECT_TRUE(CloseSeriesExportingTo(path));
    EXPECT_EQ(ReadText(path), kDailyCsv);
}

TEST_F(ExportOnCloseTest, MergesTheDailySeriesIntoTheFileByDay) {
    const std::string header = "Date,Open,High,Low,Close,Volume,Adj. Close*\n";
    struct Case {
        const char* name;
        std::string file;     // the quote file before the chart closes
        std::string expected; // after
    };
    const Case cases[] = {
        {"an empty file takes the chart's days", "", kDailyCsv},
        {"a header alone takes the chart's days", header, kDailyCsv},
        {"newer and older file days stay, a shared day keeps the file's line",
         header + "08-Dec-05,9.00,9.00,9.00,9.00,90,9.00\n"
                  "06-Dec-05,7.00,7.00,7.00,7.00,70,7.00\n"
                  "01-Dec-05,5.00,5.00,5.00,5.00,50,5.00\n",
         header + "08-Dec-05,9.00,9.00,9.00,9.00,90,9.00\n"
                  "06-Dec-05,7.00,7.00,7.00,7.00,70,7.00\n"
                  "05-Dec-05,1.00,2.00,0.50,1.50,10,1.50\n"
                  "01-Dec-05,5.00,5.00,5.00,5.00,50,5.00\n"},
        {"CR LF lines are read, and written back with LF",
         header.substr(0, header.size() - 1) + "\r\n07-Dec-05,8.00,8.00,8.00,8.00,80,8.00\r\n",
         header + "07-Dec-05,8.00,8.00,8.00,8.00,80,8.00\n"
                  "06-Dec-05,1.00,3.00,0.25,2.50,20,2.50\n"
                  "05-Dec-05,1.00,2.00,0.50,1.50,10,1.50\n"},
    };
    const std::string path = home.Path() + "Data/NYSE/ABC.csv";
    for (const Case& c : cases) {
        WriteText(path, c.file);
        EXPECT_TRUE(CloseSeriesExportingTo(path)) << c.name;
        EXPECT_EQ(ReadText(path), c.expected) << c.name;
    }
}

TEST_F(ExportOnCloseTest, LeavesAFileThatIsNotACsvQuoteFileAlone) {
    const std::string path = home.Path() + "Data/NYSE/ABC.csv";
    const std::string others[] = {
        "old",
        "<TICKER>,<PER>,<DTYYYYMMDD>,<TIME>,<OPEN>,<HIGH>,<LOW>,<CLOSE>,<VOL>,<OPENINT>\n"
        "ABC,D,20051205,000000,1,2,0.5,1.5,10,0\n",
    };
    for (const std::string& other : others) {
        WriteText(path, other);
        CFileResult closed = CloseSeriesExportingTo(path);
        EXPECT_EQ(closed.kind(), CFileResult::EKind::WrongType) << other;
        EXPECT_EQ(closed.message(), "The quotes were not exported on closing: " + path +
                                        " is not a CSV quote file. It is unchanged.");
        EXPECT_EQ(ReadText(path), other);
    }
}

TEST_F(ExportOnCloseTest, WaitsForNoDownloadAndLeavesAFileBeingWrittenAlone) {
    const std::string path = home.Path() + "Data/NYSE/ABC.csv";
    WriteText(path, kDailyCsv);
    {
        QuoteFileLock download(path, QuoteFileLock::EMode::Exclusive);
        ASSERT_TRUE(download.Locked());
        CFileResult closed = CloseSeriesExportingTo(path);
        EXPECT_EQ(closed.kind(), CFileResult::EKind::CannotWrite);
        EXPECT_EQ(closed.message(), "The quotes were not exported on closing: " + path +
                                        " is being written by another program, or its folder "
                                        "cannot be written. It is unchanged.");
    }
    EXPECT_EQ(ReadText(path), kDailyCsv);
    EXPECT_TRUE(CloseSeriesExportingTo(path).ok());
}

// A chart opened from a file holds the 401 quotes it was opened with; closing it must not
// cut the file's history down to them.
TEST_F(ExportOnCloseTest, AStaleChartKeepsEveryDayOfALongHistory) {
    std::vector<SQuote> history; // oldest first, one quote per calendar day
    for (int i = 0; i < 5550; ++i) {
        history.push_back(Quote(CalendarDay(i), 10, 12, 9, 11, 1000, 11));
    }
    const std::string path = home.Path() + "Data/NYSE/LONG.csv";
    WriteText(path, CCsvQuoteWriter::Format(history));
    struct Case {
        const char* name;
        int newerDays; // days of the chart after the file's newest
        size_t expected;
    };
    const Case cases[] = {{"a chart of older days only", 0, 5550},
                          {"a chart with three newer days", 3, 5553}};
    for (const Case& c : cases) {
        WriteText(path, CCsvQuoteWriter::Format(history));
        std::vector<SQuote> chart(history.end() - 401 - 1000, history.end() - 1000);
        for (int i = 0; i < c.newerDays; ++i)
            chart.push_back(Quote(CalendarDay(5550 + i), 20, 22, 19, 21, 5, 21));
        CStock stock;
        stock.RestoreSeries(chart, chart);
        stock.SetQuoteFilePath(path);
        stock.SetExportOnClose(true);
        ASSERT_TRUE(stock.Close(context)) << c.name;
        std::vector<SQuote> expected = history;
        expected.insert(expected.end(), chart.end() - c.newerDays, chart.end());
        EXPECT_EQ(expected.size(), c.expected);
        EXPECT_EQ(ReadText(path), CCsvQuoteWriter::Format(expected)) << c.name;
    }
}

TEST_F(ExportOnCloseTest, IgnoresAPathOutsideTheDataFolder) {
    const std::string outside[] = {
        home.Path() + "elsewhere.csv",
        home.Path() + "Data/NYSE/../../escape.csv",
        home.Path() + "Database/x.csv",
        home.Path() + "Data",
        "",
    };
    WriteText(home.Path() + "Data/NYSE/keep.csv", "keep");
    for (const std::string& path : outside) {
        CFileResult closed = CloseSeriesExportingTo(path);
        EXPECT_EQ(closed.kind(), CFileResult::EKind::UnsafeName) << path;
        EXPECT_EQ(closed.message(), "The quotes were not exported on closing: \"" + path +
                                        "\" lies outside the data folder " + home.Path() +
                                        "Data/.");
    }
    EXPECT_FALSE(std::filesystem::exists(home.Path() + "elsewhere.csv"));
    EXPECT_FALSE(std::filesystem::exists(home.Path() + "escape.csv"));
    EXPECT_FALSE(std::filesystem::exists(home.Path() + "Database/x.csv"));
}

TEST_F(ExportOnCloseTest, GoesIntoTheFolderChosenWhenTheChartCloses) {
    const std::string chosen = home.Path() + "chosen/";
    WriteSetup("[STOCKLINE_SETUP]\nDisPeriod=400\n[DATA_DIRECTORY]\nDataDirectory=" + chosen +
               "\n");
    WriteText(chosen + "NYSE/ABC.csv", "Date,Open,High,Low,Close,Volume,Adj. Close*\n");
    WriteText(home.Path() + "Data/NYSE/ABC.csv", "old");
    struct Case {
        std::string path;
        std::string result; // the file's text afterwards, or the refusal
    };
    const Case cases[] = {
        {chosen + "NYSE/ABC.csv", kDailyCsv},
        {home.Path() + "Data/NYSE/ABC.csv",
         "The quotes were not exported on closing: \"" + home.Path() +
             "Data/NYSE/ABC.csv\" lies outside the data folder " + chosen + "."},
    };
    for (const Case& c : cases) {
        CFileResult closed = CloseSeriesExportingTo(c.path);
        EXPECT_EQ(closed.ok() ? ReadText(c.path) : closed.message(), c.result) << c.path;
    }
    EXPECT_EQ(ReadText(home.Path() + "Data/NYSE/ABC.csv"), "old");
}

TEST_F(ExportOnCloseTest, ResolvesDotsThatStayInside) {
    std::string path = home.Path() + "Data/NYSE/../AMEX/./XYZ.csv";
    WriteText(home.Path() + "Data/AMEX/XYZ.csv", "Date,Open,High,Low,Close,Volume,Adj. Close*\n");
    EXPECT_TRUE(CloseSeriesExportingTo(path));
    EXPECT_EQ(ReadText(home.Path() + "Data/AMEX/XYZ.csv"), kDailyCsv);
}

TEST_F(ExportOnCloseTest, MissingMarketFolderIsReported) {
    CFileResult closed = CloseSeriesExportingTo(home.Path() + "Data/NOPE/ABC.csv");
    EXPECT_EQ(closed.kind(), CFileResult::EKind::CannotWrite);
    EXPECT_NE(closed.message().find("could not be written"), std::string::npos);
    // The settings are stored all the same.
    EXPECT_EQ(CIniReader(home.Path() + "setup.ini").getKeyValue("DisPeriod", "STOCKLINE_SETUP"),
              "400");
}

TEST_F(ExportOnCloseTest, DotsAfterASymbolicLinkDoNotLeadOutOfTheDataFolder) {
    std::filesystem::create_directories(home.Path() + "outside/sub");
    std::filesystem::create_directories(home.Path() + "Data");
    std::filesystem::create_directory_symlink(home.Path() + "outside/sub",
                                              home.Path() + "Data/LINK");
    // The file system takes ".." after the link: the path names outside/ABC.csv.
    CFileResult closed = CloseSeriesExportingTo(home.Path() + "Data/LINK/../ABC.csv");
    EXPECT_EQ(closed.kind(), CFileResult::EKind::UnsafeName);
    EXPECT_FALSE(std::filesystem::exists(home.Path() + "Data/ABC.csv"));
    EXPECT_FALSE(std::filesystem::exists(home.Path() + "outside/ABC.csv"));
}
