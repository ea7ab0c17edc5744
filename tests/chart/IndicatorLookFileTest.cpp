// Looks edited by the user travel with the chart: through period changes and reloads, in the
// chart file and in templates, while the stored layout stays what older readers know.
#include "ChartTestSupport.h"
#include "chart/CChartFile.h"
#include "chart/CZentriStockDoc.h"
#include "chart/ViewParRecord.h"
#include "indicators/CStockPanes.h"
#include "indicators/CTCurve.h"
#include "indicators/CTradeFlag.h"
#include "indicators/IndicatorBuilder.h"
#include "indicators/IndicatorLooks.h"
#include <cstdio>
#include <sys/wait.h>

namespace {

const SCurveLook kEditedCurve{0x00C0FF, 3, 2};

STradeFlagLook EditedSell() {
    STradeFlagLook look;
    look.colour = 0xFF00FF;
    look.secondColour = 0x101010;
    look.symbol = 12;
    look.text = "take profit";
    look.font.lfHeight = 14;
    look.font.lfWidth = 6;
    look.font.lfWeight = 700;
    std::snprintf(look.font.lfFaceName, sizeof look.font.lfFaceName, "%s", "DejaVu Sans");
    return look;
}

CTCurve& Pane(CStock& stock, int number) {
    return *CStockPanes::InstallIn(stock).Pane(number);
}

CCurve& Curve(CStock& stock, int pane, std::size_t index) {
    return *Pane(stock, pane).Curves().at(index);
}

CTradeFlag& Flag(CStock& stock, std::size_t index) {
    std::vector<CTradeFlag*> flags;
    for (const auto& element : Pane(stock, 0).Elements())
        if (auto* flag = dynamic_cast<CTradeFlag*>(element.get())) flags.push_back(flag);
    return *flags.at(index);
}

// Runs zentristock-cli with `arguments`; its exit status and what it printed.
int RunCli(const std::string& arguments, std::string& out) {
    const std::string command = std::string(ZS_CLI) + " " + arguments + " 2>&1";
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe) return -1;
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        out.append(buffer, n);
    const int status = ::pclose(pipe);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

class IndicatorLookFileTest : public ChartTest {
protected:
    IndicatorLookFileTest() {
        WriteBytesTo(home.Path() + "Data/NYSE/TTRC.csv",
                     ReadBytesFrom(std::string(ZS_TEST_DATA_DIR) + "/ttrc.csv"));
        std::filesystem::create_directories(home.Path() + "chart");
        std::filesystem::create_directories(home.Path() + "Template");
    }

    // A chart of TTRC with SMA and the SMA flags in pane 0 and MACD in pane 1.
    void Open(CZentriStockDoc& document) {
        document.NewDocument();
        ASSERT_TRUE(document.OpenSymbol("TTRC", "NYSE"));
        CStock& stock = document.Stock();
        stock.SetPaneCount(2);
        ASSERT_TRUE(BuildIndicator(stock, "SMA", 0, false, true));
        ASSERT_TRUE(BuildIndicator(stock, "FLAGMA", 0, true, true));
        ASSERT_TRUE(BuildIndicator(stock, "MACD", 1, false, true));
    }

    void Edit(CStock& stock) {
        ASSERT_EQ(ChangeCurveLook(stock, 0, Curve(stock, 0, 1), kEditedCurve),
                  ELookKept::WithEntry);
        ASSERT_EQ(ChangeTradeFlagLook(stock, 0, Flag(stock, 1), EditedSell()),
                  ELookKept::WithEntry);
    }

    void ExpectEdited(CStock& stock, const char* after) {
        SCOPED_TRACE(after);
        EXPECT_EQ(SCurveLook::Of(Curve(stock, 0, 1)), kEditedCurve);
        EXPECT_EQ(STradeFlagLook::Of(Flag(stock, 1)), EditedSell());
        // What was not edited keeps the look its indicator gives it.
        EXPECT_EQ(Curve(stock, 0, 0).colour, 0x966432u); // the 5-bar average, RGB(50, 100, 150)
        EXPECT_EQ(Flag(stock, 0).colour, 0x00FF00u);
        EXPECT_EQ(Curve(stock, 1, 0).drawKind, 9);
    }

    std::string ChartPath() const { return home.Path() + "chart/ttrc.cht"; }
    std::string TemplatePath() const { return home.Path() + "Template/look.tmp"; }
};

} // namespace

TEST_F(IndicatorLookFileTest, EditedLooksSurvivePeriodChangeReloadAndReopen) {
    {
        CZentriStockDoc document(context);
        Open(document);
        CStock& stock = document.Stock();
        Edit(stock);
        ExpectEdited(stock, "edit");
        document.MakeWeekPeriod();
        ExpectEdited(stock, "week");
        ASSERT_TRUE(stock.ReloadQuoteFile(stock.QuoteFilePath(), true, true));
        stock.PaneHost()->ReplayIndicators(stock);
        ExpectEdited(stock, "reload");
        ASSERT_TRUE(document.RefreshData());
        ExpectEdited(stock, "refresh");
        document.MakeDayPeriod();
        ASSERT_TRUE(document.SaveChart(ChartPath()));
        ASSERT_TRUE(document.SaveTemplate(TemplatePath()));
    }
    {
        CZentriStockDoc reopened(context);
        ASSERT_TRUE(reopened.OpenChart(ChartPath()));
        ExpectEdited(reopened.Stock(), "chart file");
        reopened.MakeMonthPeriod();
        ExpectEdited(reopened.Stock(), "chart file, month");
    }
    {
        // As dumped: the curves as stored carry the look too.
        std::unique_ptr<CStock> dumped;
        ASSERT_TRUE(CChartFile::Load(ChartPath(), dumped, false));
        ExpectEdited(*dumped, "chart file as stored");
    }
    {
        // A template carries no curves; the chart it is applied to builds them with the looks.
        CZentriStockDoc applied(context);
        applied.NewDocument();
        ASSERT_TRUE(applied.OpenSymbol("TTRC", "NYSE"));
        ASSERT_TRUE(applied.ApplyTemplate(TemplatePath()));
        ExpectEdited(applied.Stock(), "template");
    }
}

TEST_F(IndicatorLookFileTest, OnlyTheViewRecordsFlagBytesHoldTheLooks) {
    CZentriStockDoc document(context);
    Open(document);
    CStock& stock = document.Stock();
    const std::string plain = CChartFile::Write(stock);
    Edit(stock);
    const std::string edited = CChartFile::Write(stock);

    // The flag bytes of view record 0 start the record's last 256 bytes; the record itself
    // follows the 36 bytes of series settings.
    CArchiveWriter record;
    WriteViewPar(record, stock.ViewPar(0));
    const std::size_t flagBytes = 36 + record.Bytes().size() - 256;
    EXPECT_EQ(edited.substr(flagBytes, 3), "ZL\x01");
    EXPECT_EQ(plain.substr(flagBytes, 256), std::string(256, '\0'));

    // What a chart file gives once read (and replayed) and written again.
    const auto rewritten = [](const std::string& bytes) {
        std::unique_ptr<CStock> read;
        EXPECT_TRUE(CChartFile::Read(bytes, read));
        if (!read) return std::string();
        read->SetExportOnClose(false);
        return CChartFile::Write(*read);
    };
    // A reader that knows nothing of looks sees an unchanged chart: with those bytes zeroed,
    // the edited file reads and writes as the plain one.
    std::string ignored = edited;
    ignored.replace(flagBytes, 256, std::string(256, '\0'));
    const std::string plainAgain = rewritten(plain);
    EXPECT_TRUE(rewritten(ignored) == plainAgain);

    // A reader that knows them keeps them through its own save, and the looks with them.
    const std::string editedAgain = rewritten(edited);
    EXPECT_FALSE(editedAgain == plainAgain);
    EXPECT_EQ(editedAgain.substr(flagBytes, 256), edited.substr(flagBytes, 256));
    EXPECT_TRUE(rewritten(editedAgain) == editedAgain);
    std::unique_ptr<CStock> read;
    ASSERT_TRUE(CChartFile::Read(editedAgain, read));
    read->SetExportOnClose(false);
    ExpectEdited(*read, "read twice");
}

TEST_F(IndicatorLookFileTest, CliDumpReadsAChartWithLooks) {
    {
        CZentriStockDoc document(context);
        Open(document);
        Edit(document.Stock());
        ASSERT_TRUE(document.SaveChart(ChartPath()));
    }
    std::string out;
    ASSERT_EQ(RunCli("chart dump " + ChartPath(), out), 0) << out;
    EXPECT_NE(out.find("\"colour\":" + std::to_string(kEditedCurve.colour)), std::string::npos);
    EXPECT_NE(out.find("\"text\":\"take profit\""), std::string::npos);
    EXPECT_NE(out.find("\"flagBytes\":\"5a4c01"), std::string::npos);
}
