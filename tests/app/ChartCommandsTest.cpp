#include "../chart/ChartTestSupport.h"
#include "app/CChartCommands.h"
#include "app/FrameCommands.h"
#include "chart/CChartFile.h"
#include "chart/CZentriStockDoc.h"
#include "indicators/CStockPanes.h"
#include "indicators/CTCurve.h"
#include "indicators/IndicatorBuilder.h"
#include "tools/CLine.h"

namespace {

// A chart of ACME (two quotes) in a fresh installation, with every question answered from
// the test's fields and every new chart kept.
class ChartCommandsTest : public ChartTest {
protected:
    ChartCommandsTest() {
        WriteQuotes("03-Jan-24,10.5,11,10,10.75,1000,10.75\n02-Jan-24,10,11,9.5,10.5,2000,10.5\n");
        document.LoadSettings();
        document.NewDocument();
        EXPECT_TRUE(document.OpenSymbol("ACME", "NYSE"));
        SChartQuestions questions;
        questions.file = [this](const SFileQuestion& question) {
            asked.push_back(question);
            return fileAnswer;
        };
        questions.insertOrReplace = [this](int pane, const std::string& name, const std::string&) {
            insertAsked.emplace_back(pane, name);
            return insertAnswer;
        };
        questions.paneCount = [this](int) { return countAnswer; };
        questions.nDays = [this](int, int baseQuotes) {
            nDaysBase = baseQuotes;
            return countAnswer;
        };
        questions.symbolIcon = [this] { return iconAnswer; };
        commands = std::make_unique<CChartCommands>(document, nullptr, std::move(questions));
        commands->focusedPane = [this] { return focused; };
        commands->armTool = [this](int code) { armed = code; };
        commands->openChart = [this](std::unique_ptr<CZentriStockDoc> chart) {
            opened.push_back(std::move(chart));
        };
        commands->saved = [this](const std::string& path) { savedPaths.push_back(path); };
    }
    ~ChartCommandsTest() override { document.Close(); }

    void WriteQuotes(const std::string& lines) {
        WriteBytesTo(QuotePath(), "Date,Open,High,Low,Close,Volume,Adj. Close*\n" + lines);
    }
    std::string QuotePath() const { return home.Path() + "Data/NYSE/ACME.csv"; }
    CTCurve& Pane(int number) { return *CStockPanes::Of(document.Stock())->Pane(number); }
    std::string ChartBytes() { return CChartFile::Write(document.Stock()); }

    CZentriStockDoc document{context};
    std::unique_ptr<CChartCommands> commands;
    std::optional<std::string> fileAnswer;
    std::vector<SFileQuestion> asked;
    std::optional<bool> insertAnswer = true;
    std::vector<std::pair<int, std::string>> insertAsked;
    std::optional<int> countAnswer;
    int nDaysBase = -1;
    std::optional<int> iconAnswer;
    int focused = 0;
    int armed = -1;
    std::vector<std::unique_ptr<CZentriStockDoc>> opened;
    std::vector<std::string> savedPaths;
};

TEST_F(ChartCommandsTest, CancelledFileDialogsChangeNothing) {
    const std::string before = ChartBytes();
    for (unsigned id : {57603u, 32844u, 32840u, kCmdNewChartFromTemplate}) {
        EXPECT_TRUE(commands->OnCommand(id)) << id;
        EXPECT_EQ(commands->LastChange(), CChartCommands::EChange::None) << id;
    }
    ASSERT_EQ(asked.size(), 4u);
    EXPECT_EQ(asked[0].kind, SFileQuestion::EKind::Save);
    EXPECT_EQ(asked[0].folder, home.Path() + "chart/");
    EXPECT_EQ(asked[0].filter, "*.cht");
    EXPECT_EQ(asked[0].proposed, "ACME.cht");
    EXPECT_EQ(asked[1].folder, home.Path() + "Template/");
    EXPECT_EQ(asked[2].kind, SFileQuestion::EKind::Open);
    EXPECT_EQ(asked[3].filter, "*.tmp");
    // The chart folder is made for the dialog to start in.
    EXPECT_TRUE(std::filesystem::is_directory(home.Path() + "chart/"));
    EXPECT_TRUE(opened.empty());
    EXPECT_TRUE(savedPaths.empty());
    EXPECT_TRUE(prompter.messages.empty());
    EXPECT_EQ(ChartBytes(), before);
}

TEST_F(ChartCommandsTest, SaveAddsTheExtensionAndWritesTheChart) {
    fileAnswer = home.Path() + "chart/mine";
    EXPECT_TRUE(commands->OnCommand(57603));
    ASSERT_EQ(savedPaths, std::vector<std::string>{home.Path() + "chart/mine.cht"});
    EXPECT_EQ(ReadBytesFrom(savedPaths[0]), ChartBytes());

    // A failed save is told and leaves the old file as it was.
    const std::string old = ReadBytesFrom(savedPaths[0]);
    fileAnswer = home.Path() + "no-such-folder/x/mine.cht";
    commands->OnCommand(57603);
    EXPECT_EQ(savedPaths.size(), 1u);
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].rfind("The chart file " + *fileAnswer + " cannot be saved", 0),
              0u)
        << prompter.messages[0];
    EXPECT_EQ(ReadBytesFrom(savedPaths[0]), old);
}

TEST_F(ChartCommandsTest, TemplateCommandsTellWhyATemplateIsRefused) {
    WriteBytesTo(home.Path() + "Template/short.tmp", Le32(10));
    struct Case {
        unsigned id;
        std::string file;
        std::string message;
    };
    const Case cases[] = {
        {32840, "Template/none.tmp", "Can not open the selected template file."},
        {32840, "Template/short.tmp", "Error file type."},
        {kCmdNewChartFromTemplate, "Template/short.tmp", "Error file type."},
    };
    for (const Case& c : cases) {
        prompter.messages.clear();
        fileAnswer = home.Path() + c.file;
        const std::string before = ChartBytes();
        commands->OnCommand(c.id);
        ASSERT_FALSE(prompter.messages.empty()) << c.file;
        EXPECT_EQ(prompter.messages[0], c.message) << c.file;
        EXPECT_EQ(ChartBytes(), before);
    }

    // Saved as a template, applied as one: a new chart of the same quotes in that look.
    BuildIndicator(document.Stock(), "VOL", 1, false, true);
    fileAnswer = home.Path() + "Template/look";
    opened.clear();
    commands->OnCommand(32844);
    ASSERT_TRUE(std::filesystem::exists(home.Path() + "Template/look.tmp"));
    fileAnswer = home.Path() + "Template/look.tmp";
    commands->OnCommand(32840);
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0]->Title(), "ACME");
    EXPECT_EQ(CStockPanes::Of(opened[0]->Stock())->Pane(1)->Curves().size(), 1u);
}

TEST_F(ChartCommandsTest, DefaultTemplateGivesThisChartTheDefaultLook) {
    // "New Template" stores this chart's look as the default.
    BuildIndicator(document.Stock(), "MACD", 1, false, true);
    ASSERT_TRUE(commands->OnCommand(32891));
    ASSERT_TRUE(std::filesystem::exists(home.Path() + "System/DTemp"));
    // Without MACD now, with it again once the default template is applied.
    document.DeleteAllCurves();
    EXPECT_TRUE(Pane(1).Curves().empty());
    ASSERT_TRUE(commands->OnCommand(kCmdUseDefaultTemplate));
    EXPECT_EQ(commands->LastChange(), CChartCommands::EChange::Panes);
    EXPECT_EQ(Pane(1).Curves().size(), 3u);
    EXPECT_TRUE(opened.empty());
}

TEST_F(ChartCommandsTest, DeleteAllAsksAndNoKeepsEverything) {
    BuildIndicator(document.Stock(), "SMA", 0, false, true);
    auto line = std::make_unique<CLine>();
    line->SetAnchor(0, 10, 1);
    Pane(0).AddElement(std::move(line));
    const std::string before = ChartBytes();
    prompter.answer = false;
    commands->OnCommand(33032);
    commands->OnCommand(32960);
    EXPECT_EQ(prompter.questions.size(), 2u);
    EXPECT_EQ(ChartBytes(), before);
    EXPECT_EQ(commands->LastChange(), CChartCommands::EChange::None);

    prompter.answer = true;
    commands->OnCommand(32959);
    EXPECT_TRUE(Pane(0).Curves().empty());
    EXPECT_EQ(Pane(0).Elements().size(), 1u);
    commands->OnCommand(33033);
    EXPECT_TRUE(Pane(0).Elements().empty());
    EXPECT_EQ(commands->LastChange(), CChartCommands::EChange::Panes);
}

TEST_F(ChartCommandsTest, InsertPutsEachKindOfIndicatorInItsPane) {
    struct Case {
        unsigned id;
        int focused;
        std::optional<bool> answer;
        int pane;        // where it lands
        bool asked;      // the insert-or-replace question
        size_t curves;   // the pane's curves afterwards
        size_t elements; // the pane's flags and reference lines afterwards
    };
    const Case cases[] = {
        {32785, 2, true, 0, true, 4, 0},         // SMA: the price pane, whatever has the focus
        {32785, 0, false, 0, true, 4, 0},        // replaced: still four
        {32785, 0, true, 0, true, 8, 0},         // inserted: eight
        {32785, 0, std::nullopt, 0, true, 8, 0}, // Cancel adds nothing
        {32786, 0, true, 1, true, 3, 0},         // MACD with the price pane focused: pane 1
        {32988, 1, false, 1, true, 3, 2},        // RSI replacing pane 1, with its two lines
        {32823, 1, true, 0, false, 8, 2},        // SMA flags: the price pane, no question
    };
    for (const Case& c : cases) {
        focused = c.focused;
        insertAnswer = c.answer;
        insertAsked.clear();
        EXPECT_TRUE(commands->OnCommand(c.id));
        EXPECT_EQ(insertAsked.size(), c.asked ? 1u : 0u) << c.id;
        if (c.asked) EXPECT_EQ(insertAsked[0].first, c.pane) << c.id;
        EXPECT_EQ(Pane(c.pane).Curves().size(), c.curves) << c.id;
        EXPECT_EQ(Pane(c.pane).Elements().size(), c.elements) << c.id;
    }
    EXPECT_EQ(insertAsked.size(), 0u);
    EXPECT_EQ(document.Stock().ViewPar(0).identifiers,
              (std::vector<std::string>{"SMA", "SMA", "FLAGMA"}));
    // The dialog names the pane the user is about to change.
    insertAnswer = std::nullopt;
    commands->OnCommand(32788);
    EXPECT_EQ(insertAsked.back().second, Pane(1).paneName);
}

TEST_F(ChartCommandsTest, ToolCommandsArmTheirCodes) {
    const std::pair<unsigned, int> tools[] = {
        {32817, 1},  {32818, 2},  {32819, 3},  {32848, 5},  {32853, 10},
        {32858, 14}, {32864, 19}, {32911, 27}, {32870, 28}, {32872, 30},
        {32930, 51}, {32966, 52}, {32953, 60}, {32993, 61}, {33022, 90},
    };
    for (const auto& [id, code] : tools) {
        armed = -1;
        EXPECT_TRUE(commands->OnCommand(id)) << id;
        EXPECT_EQ(armed, code) << id;
    }
    armed = -1;
    commands->OnCommand(32871);
    EXPECT_EQ(armed, -1); // "Symbols" cancelled
    iconAnswer = 7;
    commands->OnCommand(32871);
    EXPECT_EQ(armed, 58);
    EXPECT_FALSE(commands->OnCommand(12345));
}

TEST_F(ChartCommandsTest, PeriodsCarryTheirCheckMark) {
    EXPECT_TRUE(commands->IsChecked(32936));
    commands->OnCommand(32937);
    EXPECT_EQ(commands->LastChange(), CChartCommands::EChange::Panes);
    EXPECT_TRUE(commands->IsChecked(32937));
    EXPECT_FALSE(commands->IsChecked(32936));
    // N days: Cancel keeps the weeks; an answer makes N-day bars.
    commands->OnCommand(32942);
    EXPECT_EQ(nDaysBase, 2);
    EXPECT_TRUE(commands->IsChecked(32937));
    countAnswer = 2;
    commands->OnCommand(32942);
    EXPECT_TRUE(commands->IsChecked(32942));
    EXPECT_EQ(document.Stock().NDays(), 2);
    EXPECT_EQ(document.Stock().Display().size(), 1u);
}

TEST_F(ChartCommandsTest, RefreshReadsTheFileAgainOrLeavesTheChartAsItWas) {
    BuildIndicator(document.Stock(), "VOL", 1, false, true);
    WriteQuotes("04-Jan-24,11,12,10,11.5,500,11.5\n03-Jan-24,10.5,11,10,10.75,1000,10.75\n"
                "02-Jan-24,10,11,9.5,10.5,2000,10.5\n");
    commands->OnCommand(32877);
    EXPECT_EQ(commands->LastChange(), CChartCommands::EChange::Panes);
    EXPECT_EQ(document.Stock().Display().size(), 3u);
    // The indicators were computed again over the new quotes.
    ASSERT_EQ(Pane(1).Curves().size(), 1u);
    EXPECT_EQ(Pane(1).Curves()[0]->size(), 3u);

    const std::string before = ChartBytes();
    // A line the reader stops at would cut the history short: the chart stays.
    WriteQuotes("04-Jan-24,11,12,10,11.5,500,11.5\n03-jan-24,10.5,11,10,10.75,1000,10.75\n");
    commands->OnCommand(32877);
    EXPECT_EQ(commands->LastChange(), CChartCommands::EChange::None);
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_NE(prompter.messages[0].find("the chart stays as it was"), std::string::npos);
    std::filesystem::remove(QuotePath());
    commands->OnCommand(32877);
    ASSERT_EQ(prompter.messages.size(), 2u);
    EXPECT_EQ(prompter.messages[1],
              "The quote file " + QuotePath() + " no longer exists; the chart stays as it was.");
    EXPECT_EQ(ChartBytes(), before);
}

TEST_F(ChartCommandsTest, NewChartsStartFromTheActiveOne) {
    commands->OnCommand(kCmdNewChartOfSymbol);
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0]->Title(), "ACME");
    commands->OnCommand(kCmdNewChartWithPanes); // Cancel
    EXPECT_EQ(opened.size(), 1u);
    countAnswer = 4;
    commands->OnCommand(kCmdNewChartWithPanes);
    ASSERT_EQ(opened.size(), 2u);
    EXPECT_EQ(opened[1]->PaneCount(), 4);
    for (auto& chart : opened) chart->Close();
}

} // namespace
