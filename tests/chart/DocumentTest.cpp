#include "ChartTestSupport.h"
#include "chart/CChartFile.h"
#include "chart/CChartTemplate.h"
#include "chart/CZentriStockDoc.h"
#include "indicators/CStockPanes.h"
#include "indicators/CTCurve.h"
#include "indicators/IndicatorBuilder.h"
#include "tools/CLine.h"

namespace {

class DocumentTest : public ChartTest {
protected:
    void WriteQuoteFile(const std::string& market, const std::string& symbol) {
        WriteBytesTo(home.Path() + "Data/" + market + "/" + symbol + ".csv",
                     "Date,Open,High,Low,Close,Volume,Adj. Close*\n"
                     "03-Jan-24,10.5,11,10,10.75,1000,10.75\n"
                     "02-Jan-24,10,11,9.5,10.5,2000,10.5\n");
    }
    void WriteTemplate(const std::string& path, int panes) {
        CChartTemplate chartTemplate;
        chartTemplate.paneCount = panes;
        chartTemplate.viewPars[1].identifiers = {"VOL"};
        std::filesystem::create_directories(std::filesystem::path(path).parent_path());
        const CFileResult saved = chartTemplate.Save(path);
        ASSERT_TRUE(saved.ok()) << saved.message();
    }
    std::string SetupText() { return ReadBytesFrom(home.Path() + "setup.ini"); }
};

TEST_F(DocumentTest, OpeningReadsTheLastChartAndClosingWritesItBack) {
    const std::string before =
        "[STOCKLINE_SETUP]\nDisPeriod=400\n[DATA_DIRECTORY]\nTickerName=ACME\n"
        "TickerMarket=NYSE\n[ENVIORMENT]\nCurveFloating=1\n";
    WriteBytesTo(home.Path() + "setup.ini", before);
    {
        // Made and dropped without being opened or closed: nothing is read or written.
        CZentriStockDoc unopened(context);
        EXPECT_EQ(unopened.Title(), "NoName");
    }
    EXPECT_EQ(SetupText(), before);
    {
        CZentriStockDoc document(context);
        document.LoadSettings();
        EXPECT_EQ(document.Title(), "ACME");
        EXPECT_EQ(document.Market(), "NYSE");
        EXPECT_TRUE(document.CurveFloating());
        EXPECT_FALSE(document.YAxisOffset());
        EXPECT_EQ(document.PaneCount(), 2);
        WriteQuoteFile("LSE", "THMS");
        ASSERT_TRUE(document.OpenSymbol("THMS", "LSE"));
        document.SetYAxisOffset(true);
        EXPECT_EQ(SetupText(), before);
        document.Close();
    }
    const std::string setup = SetupText();
    EXPECT_NE(setup.find("TickerName=THMS"), std::string::npos) << setup;
    EXPECT_NE(setup.find("TickerMarket=LSE"), std::string::npos) << setup;
    EXPECT_NE(setup.find("YAxisOffset=1"), std::string::npos) << setup;
    EXPECT_NE(setup.find("CurveFloating=1"), std::string::npos) << setup;
}

TEST_F(DocumentTest, WithoutSettingsTheChartIsNoName) {
    CZentriStockDoc document(context);
    EXPECT_EQ(document.Title(), "NoName");
    document.NewDocument();
    EXPECT_EQ(document.Title(), "NoName");
    EXPECT_EQ(CStockPanes::Of(document.Stock())->Count(), 2u);
}

TEST_F(DocumentTest, MissingQuoteFileOffersTheDownload) {
    CZentriStockDoc document(context);
    std::vector<std::string> started;
    document.SetDownloadStarter([&](const std::string& symbol, const std::string& market) {
        started.push_back(market + ":" + symbol);
    });
    prompter.answer = false;
    EXPECT_FALSE(document.OpenSymbol("ZZZ", "NYSE"));
    EXPECT_TRUE(started.empty());
    prompter.answer = true;
    EXPECT_FALSE(document.OpenSymbol("ZZZ", "NYSE"));
    ASSERT_EQ(prompter.questions.size(), 2u);
    EXPECT_EQ(prompter.questions[0],
              "The data file of the selected stock is not exist.\nClick yes to download the data.");
    EXPECT_EQ(started, std::vector<std::string>{"NYSE:ZZZ"});
}

TEST_F(DocumentTest, SavedChartOpensWithItsSymbolAsTitle) {
    WriteQuoteFile("NYSE", "ACME");
    const std::string path = home.Path() + "chart/acme.cht";
    std::filesystem::create_directories(home.Path() + "chart");
    {
        CZentriStockDoc document(context);
        document.NewDocument();
        ASSERT_TRUE(document.OpenSymbol("ACME", "NYSE"));
        ASSERT_TRUE(BuildIndicator(document.Stock(), "MACD", 1, false, true));
        ASSERT_TRUE(document.SaveChart(path));
    }
    CZentriStockDoc document(context);
    ASSERT_TRUE(document.OpenChart(path))
        << (prompter.messages.empty() ? "" : prompter.messages[0]);
    EXPECT_EQ(document.Title(), "ACME");
    EXPECT_EQ(document.Market(), "NYSE");
    EXPECT_EQ(document.Stock().Display().size(), 2u);
    EXPECT_EQ(CStockPanes::Of(document.Stock())->Pane(1)->Curves().size(), 3u);
}

TEST_F(DocumentTest, RefusedChartLeavesTheOpenChartAsItWas) {
    WriteQuoteFile("NYSE", "ACME");
    CZentriStockDoc document(context);
    document.NewDocument();
    ASSERT_TRUE(document.OpenSymbol("ACME", "NYSE"));
    const std::string before = CChartFile::Write(document.Stock());
    std::string bad = before;
    bad.replace(0, 4, Le32(11));
    const std::string badPath = home.Path() + "bad.cht";
    WriteBytesTo(badPath, bad);
    const std::string shortPath = home.Path() + "short.cht";
    WriteBytesTo(shortPath, before.substr(0, before.size() - 1));
    for (const std::string& path : {badPath, shortPath, home.Path() + "missing.cht"}) {
        prompter.messages.clear();
        EXPECT_FALSE(document.OpenChart(path));
        ASSERT_EQ(prompter.messages.size(), 1u);
        EXPECT_EQ(prompter.messages[0].find("The chart file " + path + " cannot be read: "), 0u)
            << prompter.messages[0];
        EXPECT_EQ(document.Title(), "ACME");
        EXPECT_TRUE(CChartFile::Write(document.Stock()) == before);
    }
    EXPECT_NE(prompter.messages[0].find("cannot be opened"), std::string::npos);
}

TEST_F(DocumentTest, OpeningAChartFileClosesTheSeriesItReplaces) {
    WriteQuoteFile("NYSE", "ACME");
    const std::string quotes = home.Path() + "Data/NYSE/ACME.csv";
    const std::string chart = home.Path() + "acme.cht";
    CZentriStockDoc document(context);
    document.LoadSettings();
    document.NewDocument();
    ASSERT_TRUE(document.OpenSymbol("ACME", "NYSE"));
    ASSERT_TRUE(document.SaveChart(chart));
    document.Stock().SetExportOnClose(true);
    const std::string meanwhile = "Date,Open,High,Low,Close,Volume,Adj. Close*\n"
                                  "04-Jan-24,12.00,12.00,12.00,12.00,3000,12.00\n"
                                  "03-Jan-24,11.00,11.00,11.00,11.00,3000,11.00\n";
    WriteBytesTo(quotes, meanwhile);
    // A refused chart closes nothing.
    WriteBytesTo(home.Path() + "bad.cht", "bad");
    EXPECT_FALSE(document.OpenChart(home.Path() + "bad.cht"));
    EXPECT_EQ(ReadBytesFrom(quotes), meanwhile);
    EXPECT_EQ(prompter.messages.size(), 1u);
    prompter.messages.clear();
    // A chart read completely takes the place of the series, which is closed: its export
    // on close merges its quotes into the file, whose own days stay as they are.
    ASSERT_TRUE(document.OpenChart(chart));
    EXPECT_EQ(ReadBytesFrom(quotes), "Date,Open,High,Low,Close,Volume,Adj. Close*\n"
                                     "04-Jan-24,12.00,12.00,12.00,12.00,3000,12.00\n"
                                     "03-Jan-24,11.00,11.00,11.00,11.00,3000,11.00\n"
                                     "02-Jan-24,10.00,11.00,9.50,10.50,2000,10.50\n");
    EXPECT_FALSE(document.Stock().ExportOnClose());
    EXPECT_TRUE(prompter.messages.empty());
}

TEST_F(DocumentTest, TemplateFailuresShowTheirTexts) {
    CZentriStockDoc document(context);
    document.Stock().SetPaneCount(4);
    EXPECT_FALSE(document.ReadTemplate(home.Path() + "none.tmp"));
    std::string wrong = CChartTemplate().Write();
    wrong.replace(0, 4, Le32(10));
    WriteBytesTo(home.Path() + "wrong.tmp", wrong);
    EXPECT_FALSE(document.ReadTemplate(home.Path() + "wrong.tmp"));
    EXPECT_EQ(
        prompter.messages,
        (std::vector<std::string>{"Can not open the selected template file.", "Error file type."}));
    EXPECT_EQ(document.Stock().PaneCount(), 4);
}

TEST_F(DocumentTest, DamagedTemplateAndFailedSavesShowTheReadersReason) {
    CZentriStockDoc document(context);
    const std::string damaged = home.Path() + "damaged.tmp";
    WriteBytesTo(damaged, CChartTemplate().Write().substr(0, 10));
    EXPECT_FALSE(document.ReadTemplate(damaged));
    const std::string folder = home.Path() + "no/such";
    EXPECT_FALSE(document.SaveTemplate(folder + "/a.tmp"));
    EXPECT_FALSE(document.SaveChart(folder + "/a.cht"));
    const std::string noFolder =
        "cannot create a file in " + folder + ": No such file or directory";
    EXPECT_EQ(prompter.messages,
              (std::vector<std::string>{
                  "The template file " + damaged +
                      " cannot be read: the file ends early: 4 bytes wanted at offset 8, 2 left.",
                  "The template file " + folder + "/a.tmp cannot be saved: " + noFolder + ".",
                  "The chart file " + folder + "/a.cht cannot be saved: " + noFolder + "."}));
}

TEST_F(DocumentTest, NewChartCommandsNeedAnActiveChart) {
    EXPECT_EQ(CZentriStockDoc::NewChartOfSymbol(context, nullptr), nullptr);
    EXPECT_EQ(CZentriStockDoc::NewChartWithPanes(context, nullptr, 3), nullptr);
    EXPECT_EQ(CZentriStockDoc::NewChartFromTemplate(context, nullptr, "x.tmp"), nullptr);
    EXPECT_EQ(prompter.messages, std::vector<std::string>(3, "Please open a child window first."));
}

TEST_F(DocumentTest, NewChartTakesTheDefaultTemplate) {
    WriteTemplate(home.Path() + "System/DTemp", 5);
    auto document = CZentriStockDoc::NewChart(context);
    EXPECT_TRUE(prompter.messages.empty());
    EXPECT_EQ(document->PaneCount(), 5);
    EXPECT_EQ(CStockPanes::Of(document->Stock())->Count(), 5u);
    EXPECT_EQ(document->Title(), "NoName");
    EXPECT_EQ(document->Stock().ViewPar(1).identifiers, std::vector<std::string>{"VOL"});
}

TEST_F(DocumentTest, SaveAsDefaultTemplateFeedsTheNextNewChart) {
    CZentriStockDoc document(context);
    document.Stock().SetPaneCount(7);
    document.Stock().SetViewSwitchA(3);
    ASSERT_TRUE(document.SaveAsDefaultTemplate());
    auto next = CZentriStockDoc::NewChart(context);
    EXPECT_EQ(next->Stock().PaneCount(), 7);
    EXPECT_EQ(next->Stock().ViewSwitchA(), 3);
}

TEST_F(DocumentTest, ATemplateFileOpensANewChartOfTheLastSymbol) {
    WriteQuoteFile("NYSE", "ACME");
    WriteTemplate(home.Path() + "Template/look.tmp", 3);
    const std::string look = home.Path() + "Template/look.tmp";
    // A fresh installation: the template's panes, no quotes, no question.
    auto empty = CZentriStockDoc::NewChartFromTemplateFile(context, look);
    ASSERT_TRUE(empty);
    EXPECT_EQ(empty->Stock().PaneCount(), 3);
    EXPECT_EQ(empty->Title(), "NoName");
    EXPECT_EQ(empty->Stock().SymbolName(), CZentriStockDoc(context).Stock().SymbolName());

    ASSERT_TRUE(context.Settings().setKey("ACME", "TickerName", "DATA_DIRECTORY"));
    ASSERT_TRUE(context.Settings().setKey("NYSE", "TickerMarket", "DATA_DIRECTORY"));
    auto document = CZentriStockDoc::NewChartFromTemplateFile(context, look);
    ASSERT_TRUE(document);
    EXPECT_EQ(document->Title(), "ACME");
    EXPECT_EQ(document->Stock().PaneCount(), 3);
    EXPECT_EQ(document->Stock().Display().size(), 2u);
    EXPECT_TRUE(prompter.messages.empty());
    EXPECT_TRUE(prompter.questions.empty());

    EXPECT_EQ(CZentriStockDoc::NewChartFromTemplateFile(context, home.Path() + "missing.tmp"),
              nullptr);
    EXPECT_EQ(prompter.messages,
              std::vector<std::string>{"Can not open the selected template file."});
}

TEST_F(DocumentTest, ApplyTemplateMakesANewChartOfTheSameQuotes) {
    WriteQuoteFile("NYSE", "ACME");
    CZentriStockDoc active(context);
    active.NewDocument();
    ASSERT_TRUE(active.OpenSymbol("ACME", "NYSE"));
    const std::string before = CChartFile::Write(active.Stock());
    WriteTemplate(home.Path() + "Template/look.tmp", 3);
    auto document =
        CZentriStockDoc::NewChartFromTemplate(context, &active, home.Path() + "Template/look.tmp");
    ASSERT_TRUE(document);
    EXPECT_EQ(document->Title(), "ACME");
    EXPECT_EQ(document->Stock().PaneCount(), 3);
    EXPECT_EQ(document->Stock().Display().size(), 2u);
    // The template's VOL in pane 1 is computed once the quotes are in.
    EXPECT_EQ(CStockPanes::Of(document->Stock())->Pane(1)->Curves().size(), 1u);
    EXPECT_TRUE(CChartFile::Write(active.Stock()) == before);

    auto panes = CZentriStockDoc::NewChartWithPanes(context, &active, 4);
    ASSERT_TRUE(panes);
    EXPECT_EQ(panes->PaneCount(), 4);
    EXPECT_EQ(panes->Title(), "ACME");
    // A template holds 2 to 9 panes; so does a new chart.
    for (int refused : {1, 10, 11}) {
        EXPECT_EQ(CZentriStockDoc::NewChartWithPanes(context, &active, refused), nullptr);
        EXPECT_EQ(prompter.messages.back(),
                  "A new chart holds 2 to 9 panes, not " + std::to_string(refused) + ".");
    }
}

TEST_F(DocumentTest, DeleteAllCurvesAndAllSymbols) {
    WriteQuoteFile("NYSE", "ACME");
    CZentriStockDoc document(context);
    document.NewDocument();
    ASSERT_TRUE(document.OpenSymbol("ACME", "NYSE"));
    CStock& stock = document.Stock();
    ASSERT_TRUE(BuildIndicator(stock, "SMA", 0, false, true));
    ASSERT_TRUE(BuildIndicator(stock, "FLAGMA", 0, true, true));
    ASSERT_TRUE(BuildIndicator(stock, "RSI", 1, false, true));
    CStockPanes& panes = *CStockPanes::Of(stock);
    panes.Pane(0)->AddElement(std::make_unique<CLine>());
    panes.Pane(1)->AddElement(std::make_unique<CLine>());
    document.DeleteAllSymbols();
    EXPECT_EQ(panes.Pane(0)->Elements().size(), 2u); // the two flag series
    EXPECT_EQ(panes.Pane(1)->Elements().size(), 2u); // the reference lines
    panes.Pane(1)->AddElement(std::make_unique<CLine>());
    document.DeleteAllCurves();
    EXPECT_TRUE(panes.Pane(0)->Curves().empty());
    EXPECT_TRUE(panes.Pane(0)->Elements().empty());
    EXPECT_EQ(panes.Pane(1)->Elements().size(), 1u);
    EXPECT_TRUE(stock.ViewPar(0).identifiers.empty());
    EXPECT_TRUE(stock.ViewPar(1).identifiers.empty());
}

TEST_F(DocumentTest, PeriodCommandsRebuildTheDisplaySeries) {
    CZentriStockDoc document(context);
    document.NewDocument();
    document.Stock().RestoreSeries(Bars(30), Bars(30));
    document.MakeWeekPeriod();
    EXPECT_EQ(document.Stock().Period(), CStock::kPeriodWeek);
    EXPECT_LT(document.Stock().Display().size(), 30u);
    document.MakeNDayPeriod(10);
    EXPECT_EQ(document.Stock().Period(), CStock::kPeriodNDays);
    EXPECT_EQ(document.Stock().NDays(), 10);
    EXPECT_EQ(document.Stock().Display().size(), 3u);
    document.MakeDayPeriod();
    EXPECT_EQ(document.Stock().Display().size(), 30u);
}

// Each folder holds a quote file of ACME with a different number of days, so the chart tells
// which one it read.
TEST_F(DocumentTest, ASymbolOpenedAfterTheFolderChangedComesFromTheNewFolder) {
    const std::string root = home.Path();
    auto writeDays = [](const std::string& path, int days) {
        std::string text = "Date,Open,High,Low,Close,Volume,Adj. Close*\n";
        for (int day = days; day >= 1; --day)
            text += std::to_string(day) + "-Jan-24,10,11,9.5,10.5,2000,10.5\n";
        WriteBytesTo(path, text);
    };
    writeDays(root + "Data/NYSE/ACME.csv", 2);
    writeDays(root + "elsewhere/quotes/NYSE/ACME.csv", 3);
    writeDays(root + "eod/NYSE/ACME.csv", 4);
    writeDays(root + "fetched/NYSE/ACME.csv", 5);
    struct Case {
        const char* what;
        std::string setup; // appended to the series section
        std::string file;  // empty: no quote file there
        size_t days;
    };
    const Case cases[] = {
        {"nothing stored", "", root + "Data/NYSE/ACME.csv", 2},
        {"absolute", "[DATA_DIRECTORY]\nDataDirectory=" + root + "elsewhere/quotes\n",
         root + "elsewhere/quotes/NYSE/ACME.csv", 3},
        {"relative", "[DATA_DIRECTORY]\nDataDirectory=eod/\n", root + "eod/NYSE/ACME.csv", 4},
        {"downloader key only", "[ENVIORMENT]\nDATA_DIRECTORY=fetched\n",
         root + "fetched/NYSE/ACME.csv", 5},
        {"both keys", "[ENVIORMENT]\nDATA_DIRECTORY=fetched\n[DATA_DIRECTORY]\nDataDirectory=eod\n",
         root + "eod/NYSE/ACME.csv", 4},
        {"a folder without the file", "[DATA_DIRECTORY]\nDataDirectory=" + root + "empty\n", "", 0},
    };
    // One chart stays open throughout: each symbol it opens comes from the folder of that time.
    CZentriStockDoc open(context);
    std::vector<std::string> downloads;
    open.SetDownloadStarter([&](const std::string& symbol, const std::string& market) {
        downloads.push_back(market + ":" + symbol);
    });
    prompter.answer = true;
    for (const Case& c : cases) {
        WriteBytesTo(root + "setup.ini", "[STOCKLINE_SETUP]\nDisPeriod=400\n" + c.setup);
        const size_t asked = prompter.questions.size();
        const bool found = !c.file.empty();
        EXPECT_EQ(open.OpenSymbol("ACME", "NYSE"), found) << c.what;
        EXPECT_EQ(prompter.questions.size(), asked + (found ? 0 : 1)) << c.what;
        CZentriStockDoc fresh(context);
        EXPECT_EQ(fresh.LoadSymbolQuotes("ACME", "NYSE"), found) << c.what;
        if (!found) continue;
        EXPECT_EQ(open.Stock().QuoteFilePath(), c.file) << c.what;
        EXPECT_EQ(open.Stock().Display().size(), c.days) << c.what;
        EXPECT_EQ(fresh.Stock().QuoteFilePath(), c.file) << c.what;
        EXPECT_EQ(fresh.Stock().Display().size(), c.days) << c.what;
    }
    EXPECT_EQ(downloads, std::vector<std::string>{"NYSE:ACME"});
    // The chart shows what it read last; no file was moved or made.
    EXPECT_EQ(open.Stock().QuoteFilePath(), root + "eod/NYSE/ACME.csv");
    EXPECT_FALSE(std::filesystem::exists(root + "empty"));
}

} // namespace

namespace {

TEST_F(DocumentTest, NewChartsTakeRoundTicksUnlessTheirTemplateChoseTheTicks) {
    const struct {
        uint8_t stored, expected;
    } cases[] = {{CViewPar::kRoundTicksUnset, CViewPar::kRoundTicksOn},
                 {CViewPar::kRoundTicksOn, CViewPar::kRoundTicksOn},
                 {CViewPar::kRoundTicksOff, CViewPar::kRoundTicksOff}};
    for (const auto& c : cases) {
        CChartTemplate chartTemplate;
        chartTemplate.paneCount = 3;
        for (CViewPar& par : chartTemplate.viewPars)
            par.flagBytes[CViewPar::kRoundTicksByte] = c.stored;
        std::filesystem::create_directories(home.Path() + "System");
        ASSERT_TRUE(chartTemplate.Save(home.Path() + "System/DTemp").ok());
        auto document = CZentriStockDoc::NewChart(context);
        for (int pane = 0; pane < CStock::kViewParCount; ++pane)
            EXPECT_EQ(document->Stock().ViewPar(pane).flagBytes[CViewPar::kRoundTicksByte],
                      c.expected)
                << int{c.stored} << " " << pane;
    }
    // A chart file is no new chart: one written before the option opens with the ticks it had.
    CZentriStockDoc old(context);
    old.NewDocument();
    const std::string path = home.Path() + "old.cht";
    WriteBytesTo(path, CChartFile::Write(old.Stock()));
    auto document = CZentriStockDoc::NewChart(context);
    ASSERT_TRUE(document->OpenChart(path));
    EXPECT_EQ(document->Stock().ViewPar(0).flagBytes[CViewPar::kRoundTicksByte],
              CViewPar::kRoundTicksUnset);
    EXPECT_FALSE(document->Stock().ViewPar(0).RoundTicks());
}

} // namespace
