#include "ViewTestSupport.h"
#include "formset/view/SDisplayRange.h"
#include "formset/view/SPaneViewSettings.h"
#include "indicators/CStockPanes.h"
#include "indicators/CTCurve.h"
#include "indicators/IndicatorBuilder.h"
#include "indicators/IndicatorLooks.h"
#include "quotes/CStock.h"
#include "series/CCurve.h"
#include <gtest/gtest.h>

namespace {

// --- Which fields each part takes

struct SPartCase {
    EViewParPart part;
    // What a default record looks like once the part of EveryFieldChanged() was copied in.
    void (*expect)(CViewPar& target, const CViewPar& edited);
};

void ExpectTitle(CViewPar& t, const CViewPar& e) {
    t.titleColour = e.titleColour;
    t.labelFont = e.labelFont;
}
void ExpectAxis(CViewPar& t, const CViewPar& e) {
    t.axisTextColour = e.axisTextColour;
    t.axisFont = e.axisFont;
    t.frameColour = e.frameColour;
    t.gridPenStyle = e.gridPenStyle;
    t.cellMaxX = e.cellMaxX;
    t.cellMaxY = e.cellMaxY;
    t.showVerticalGrid = e.showVerticalGrid;
    t.showHorizontalGrid = e.showHorizontalGrid;
}
void ExpectWindow(CViewPar& t, const CViewPar& e) {
    ExpectTitle(t, e);
    ExpectAxis(t, e);
    t.backgroundColour = e.backgroundColour;
}

TEST(PaneViewSettings, EachPartCopiesItsFieldsButNeverTheListOrTheFlagBytes) {
    for (const SPartCase& c :
         {SPartCase{EViewParPart::Title, ExpectTitle}, SPartCase{EViewParPart::Axis, ExpectAxis},
          SPartCase{EViewParPart::Window, ExpectWindow}}) {
        SPaneViewSettings edited;
        edited.part = c.part;
        edited.par = EveryFieldChanged();
        edited.par.identifiers = {"MACD"};
        edited.par.flagBytes[3] = 7;
        CViewPar target;
        target.identifiers = {"RSI", "VOL"};
        CViewPar expected = target;
        c.expect(expected, edited.par);
        edited.CopyPartInto(target);
        EXPECT_EQ(RecordBytes(target), RecordBytes(expected)) << static_cast<int>(c.part);
    }
}

TEST(PaneViewSettings, GridCellsTakeTenToAThousandInThePartsThatShowThem) {
    struct SCase {
        EViewParPart part;
        int cellMaxX, cellMaxY;
        const char* message; // "" when taken
    };
    const char* const kWidth = "Cell across: please enter a whole number from 10 to 1000.";
    const char* const kHeight = "Cell down: please enter a whole number from 10 to 1000.";
    const SCase cases[] = {
        {EViewParPart::Axis, 10, 1000, ""},     {EViewParPart::Axis, 9, 50, kWidth},
        {EViewParPart::Axis, 1001, 50, kWidth}, {EViewParPart::Axis, 0, 0, kWidth},
        {EViewParPart::Axis, 70, -5, kHeight},  {EViewParPart::Window, 70, 9, kHeight},
        {EViewParPart::Window, 1000, 10, ""},   {EViewParPart::Title, 0, 5000, ""},
    };
    for (const SCase& c : cases) {
        SPaneViewSettings s;
        s.part = c.part;
        s.par.cellMaxX = c.cellMaxX;
        s.par.cellMaxY = c.cellMaxY;
        const std::optional<SFieldError> error = s.Check({"Cell across", "Cell down"});
        const std::string label = std::to_string(c.cellMaxX) + "x" + std::to_string(c.cellMaxY);
        EXPECT_EQ(error ? error->message : "", c.message) << label;
        if (error) {
            EXPECT_EQ(error->controlId, c.message == kWidth ? SPaneViewSettings::kCellMaxXField
                                                            : SPaneViewSettings::kCellMaxYField)
                << label;
        }
        EXPECT_EQ(s.Validate().has_value(), error.has_value()) << label;
    }
}

TEST(PaneViewSettings, IdentifierEditsStayInsideTheList) {
    struct SCase {
        const char* what;
        bool remove;
        int index, delta;
        bool done;
        std::vector<std::string> after;
    };
    const std::vector<std::string> before = {"MACD", "RSI", "VOL"};
    const SCase cases[] = {
        {"remove the first", true, 0, 0, true, {"RSI", "VOL"}},
        {"remove the last", true, 2, 0, true, {"MACD", "RSI"}},
        {"remove past the end", true, 3, 0, false, before},
        {"remove nothing selected", true, -1, 0, false, before},
        {"up the second", false, 1, -1, true, {"RSI", "MACD", "VOL"}},
        {"up the first", false, 0, -1, false, before},
        {"down the second", false, 1, +1, true, {"MACD", "VOL", "RSI"}},
        {"down the last", false, 2, +1, false, before},
        {"no move", false, 1, 0, false, before},
    };
    for (const SCase& c : cases) {
        SPaneViewSettings s;
        s.par.identifiers = before;
        const bool done =
            c.remove ? s.RemoveIdentifier(c.index) : s.MoveIdentifier(c.index, c.delta);
        EXPECT_EQ(done, c.done) << c.what;
        EXPECT_EQ(s.par.identifiers, c.after) << c.what;
    }
}

// --- Applied to a chart

class PaneViewApplyTest : public ::testing::Test, public SampleInstallation {
protected:
    void SetUp() override {
        document = OpenSample();
        ASSERT_NE(document, nullptr);
        original = CurveNames(*document, 1);
    }
    CStock& Stock() { return document->Stock(); }
    CScopedPrompter scoped{prompter};
    std::unique_ptr<CZentriStockDoc> document;
    std::vector<std::string> original;
};

TEST_F(PaneViewApplyTest, ReorderedOrShortenedListsAreReplayedAndTheirCurvesFollow) {
    ASSERT_TRUE(BuildIndicator(Stock(), "MACD", 1, false, true));
    ASSERT_TRUE(BuildIndicator(Stock(), "RSI", 1, true, true));
    original = CurveNames(*document, 1);
    ASSERT_EQ(Stock().ViewPar(1).identifiers, (std::vector<std::string>{"MACD", "RSI"}));
    const std::vector<std::string> macd = {"MACD", "EMA(MACD)", "DIV"};
    const std::vector<std::string> rsi = {"RSI", "RSI", "RSI"};
    auto joined = [](std::vector<std::string> a, const std::vector<std::string>& b) {
        a.insert(a.end(), b.begin(), b.end());
        return a;
    };
    ASSERT_EQ(original, joined(macd, rsi));

    SPaneViewSettings edited = SPaneViewSettings::Of(Stock(), 1, EViewParPart::Window);
    ASSERT_TRUE(edited.MoveIdentifier(1, -1));
    SPaneSettingsApplied applied = ApplyPaneViewSettings(*document, edited);
    EXPECT_TRUE(applied.replayed);
    EXPECT_EQ(Stock().ViewPar(1).identifiers, (std::vector<std::string>{"RSI", "MACD"}));
    EXPECT_EQ(CurveNames(*document, 1), joined(rsi, macd));

    edited = SPaneViewSettings::Of(Stock(), 1, EViewParPart::Window);
    ASSERT_TRUE(edited.RemoveIdentifier(0));
    ApplyPaneViewSettings(*document, edited);
    EXPECT_EQ(CurveNames(*document, 1), macd);

    // The pane's only indicator removed: the pane stays, without curves.
    edited = SPaneViewSettings::Of(Stock(), 1, EViewParPart::Window);
    ASSERT_TRUE(edited.RemoveIdentifier(0));
    ApplyPaneViewSettings(*document, edited);
    EXPECT_TRUE(Stock().ViewPar(1).identifiers.empty());
    EXPECT_TRUE(CurveNames(*document, 1).empty());
    EXPECT_EQ(CStockPanes::InstallIn(Stock()).Count(), 3u);
}

// Two entries of one indicator: removing or moving one takes its edited look along, so the
// other keeps the look its indicator gives.
TEST_F(PaneViewApplyTest, EditedLooksStayWithTheirEntryThroughRemoveAndMove) {
    ASSERT_TRUE(BuildIndicator(Stock(), "RSI", 1, false, true));
    ASSERT_TRUE(BuildIndicator(Stock(), "RSI", 1, true, true));
    auto curves = [&]() -> const auto& {
        return CStockPanes::InstallIn(Stock()).Pane(1)->Curves();
    };
    ASSERT_EQ(curves().size(), 6u);
    const uint32_t given = curves()[0]->colour;
    SCurveLook look = SCurveLook::Of(*curves()[0]);
    look.colour = given ^ 0x00FF00;
    look.lineWidth = 7;
    ASSERT_EQ(ChangeCurveLook(Stock(), 1, *curves()[0], look), ELookKept::WithEntry);

    // Moved down, the edited entry is drawn second and keeps its look there.
    SPaneViewSettings edited = SPaneViewSettings::Of(Stock(), 1, EViewParPart::Window);
    ASSERT_TRUE(edited.MoveIdentifier(0, 1));
    ApplyPaneViewSettings(*document, edited);
    ASSERT_EQ(curves().size(), 6u);
    EXPECT_EQ(curves()[0]->colour, given);
    EXPECT_EQ(curves()[3]->colour, look.colour);
    EXPECT_EQ(curves()[3]->lineWidth, 7);

    // Removed, it takes its look away; the other entry keeps its own.
    edited = SPaneViewSettings::Of(Stock(), 1, EViewParPart::Window);
    ASSERT_TRUE(edited.RemoveIdentifier(1));
    ApplyPaneViewSettings(*document, edited);
    ASSERT_EQ(curves().size(), 3u);
    EXPECT_EQ(curves()[0]->colour, given);
    EXPECT_NE(curves()[0]->lineWidth, 7);
}

TEST_F(PaneViewApplyTest, AnUnchangedListIsNotReplayedAndOtherPartsNeverTouchIt) {
    // Curves without an entry in the list (built without a record) survive a colour change.
    Stock().ViewPar(1).identifiers.clear();
    for (EViewParPart part : {EViewParPart::Title, EViewParPart::Axis, EViewParPart::Window}) {
        SPaneViewSettings edited = SPaneViewSettings::Of(Stock(), 1, part);
        edited.par.titleColour = 0x123456;
        edited.par.identifiers = {"VOL"}; // only the window part takes a list
        if (part == EViewParPart::Window) edited.par.identifiers.clear();
        EXPECT_FALSE(ApplyPaneViewSettings(*document, edited).replayed);
        EXPECT_EQ(CurveNames(*document, 1), original);
        EXPECT_TRUE(Stock().ViewPar(1).identifiers.empty());
    }
}

TEST_F(PaneViewApplyTest, ApplyToAllPanesGivesEveryRecordTheSettingsButNotTheList) {
    std::vector<std::vector<std::string>> lists;
    for (int pane = 0; pane < CStock::kViewParCount; ++pane)
        lists.push_back(Stock().ViewPar(pane).identifiers);
    SPaneViewSettings edited = SPaneViewSettings::Of(Stock(), 2, EViewParPart::Axis);
    edited.par.cellMaxX = 200;
    edited.par.frameColour = 0x00FF00;
    edited.applyToAllPanes = true;
    ApplyPaneViewSettings(*document, edited);
    for (int pane = 0; pane < CStock::kViewParCount; ++pane) {
        EXPECT_EQ(Stock().ViewPar(pane).cellMaxX, 200) << pane;
        EXPECT_EQ(Stock().ViewPar(pane).frameColour, 0x00FF00u) << pane;
        EXPECT_EQ(Stock().ViewPar(pane).identifiers, lists[pane]) << pane;
    }
    // Without the box only the pane edited changes.
    edited = SPaneViewSettings::Of(Stock(), 1, EViewParPart::Title);
    edited.par.titleColour = 0xABCDEF;
    ApplyPaneViewSettings(*document, edited);
    for (int pane = 0; pane < CStock::kViewParCount; ++pane)
        EXPECT_EQ(Stock().ViewPar(pane).titleColour == 0xABCDEFu, pane == 1) << pane;
}

TEST(PaneViewSettings, TheAxisPartsCarryTheScaleOptionsAndNothingElseOfTheFlagBytes) {
    const struct {
        EViewParPart part;
        bool carried;
    } cases[] = {
        {EViewParPart::Title, false}, {EViewParPart::Axis, true}, {EViewParPart::Window, true}};
    for (const auto& c : cases) {
        SPaneViewSettings edited;
        edited.part = c.part;
        edited.par.SetLogScale(true);
        edited.par.SetRoundTicks(false);
        edited.par.flagBytes[0] = 'Z';
        CViewPar target;
        target.DefaultToRoundTicks();
        edited.CopyPartInto(target);
        EXPECT_EQ(target.LogScale(), c.carried) << static_cast<int>(c.part);
        EXPECT_EQ(target.flagBytes[CViewPar::kRoundTicksByte],
                  c.carried ? CViewPar::kRoundTicksOff : CViewPar::kRoundTicksOn)
            << static_cast<int>(c.part);
        EXPECT_EQ(target.flagBytes[0], 0) << static_cast<int>(c.part);
    }
}

TEST_F(PaneViewApplyTest, ALogScaleOverValuesAtOrBelowZeroIsToldAndKeptLinear) {
    ASSERT_TRUE(BuildIndicator(Stock(), "MACD", 1, true, true));
    Stock().ComputeVisibleRange();
    ASSERT_LT(CStockPanes::Of(Stock())->Pane(1)->RangeMin(), 0.0f);
    ASSERT_GT(Stock().VisibleLow(), 0.0f);
    const std::string pane1 =
        "Pane 1 holds values at or below 0, which have no logarithm: it keeps a linear scale.";
    const struct {
        int pane;
        std::vector<int> keptLinear;
    } cases[] = {{0, {}}, {1, {1}}};
    for (const auto& c : cases) {
        prompter.messages.clear();
        SPaneViewSettings edited = SPaneViewSettings::Of(Stock(), c.pane, EViewParPart::Axis);
        edited.par.SetLogScale(true);
        EXPECT_EQ(ApplyPaneViewSettings(*document, edited).keptLinear, c.keptLinear) << c.pane;
        EXPECT_TRUE(Stock().ViewPar(c.pane).LogScale()) << c.pane;
        EXPECT_EQ(prompter.messages,
                  c.keptLinear.empty() ? std::vector<std::string>{} : std::vector{pane1})
            << c.pane;
    }
}

TEST_F(PaneViewApplyTest, SaveAsDefaultWritesTheTemplateThatANewChartUses) {
    const std::string templatePath = context->Paths().DefaultTemplate();
    const std::string before = ReadText(templatePath);
    SPaneViewSettings edited = SPaneViewSettings::Of(Stock(), 0, EViewParPart::Window);
    edited.par.backgroundColour = 0x202020;
    edited.par.cellMaxY = 90;
    EXPECT_FALSE(ApplyPaneViewSettings(*document, edited).defaultSaved);
    EXPECT_EQ(ReadText(templatePath), before);

    edited.saveAsDefault = true;
    EXPECT_TRUE(ApplyPaneViewSettings(*document, edited).defaultSaved);
    EXPECT_NE(ReadText(templatePath), before);
    std::unique_ptr<CZentriStockDoc> fresh = CZentriStockDoc::NewChart(*context);
    EXPECT_EQ(RecordBytes(fresh->Stock().ViewPar(0)), RecordBytes(Stock().ViewPar(0)));
    EXPECT_EQ(fresh->Stock().ViewPar(0).backgroundColour, 0x202020u);
    EXPECT_TRUE(prompter.messages.empty());
}

TEST_F(PaneViewApplyTest, ASavedChartReopensWithTheChangedRecordAndList) {
    SPaneViewSettings edited = SPaneViewSettings::Of(Stock(), 1, EViewParPart::Window);
    edited.par = EveryFieldChanged();
    edited.par.identifiers = {"RSI"};
    ApplyPaneViewSettings(*document, edited);
    const std::string saved = home.File("chart/Changed.cht");
    ASSERT_TRUE(document->SaveChart(saved));
    std::unique_ptr<CZentriStockDoc> reopened = OpenSample("chart/Changed.cht");
    ASSERT_NE(reopened, nullptr);
    EXPECT_EQ(RecordBytes(reopened->Stock().ViewPar(1)), RecordBytes(Stock().ViewPar(1)));
    EXPECT_EQ(reopened->Stock().ViewPar(1).cellMaxX, 120);
    EXPECT_EQ(CurveNames(*reopened, 1), (std::vector<std::string>{"RSI", "RSI", "RSI"}));
}

TEST_F(PaneViewApplyTest, EditRunsTheDialogOnACopyAndAppliesOnlyOnOk) {
    const std::string before = RecordBytes(Stock().ViewPar(1));
    int asked = 0;
    auto cancel = [&](SPaneViewSettings& s) {
        ++asked;
        EXPECT_EQ(s.pane, 1);
        s.par.titleColour = 0x111111;
        return false;
    };
    EXPECT_FALSE(EditPaneViewSettings(*document, 1, EViewParPart::Title, cancel));
    EXPECT_EQ(RecordBytes(Stock().ViewPar(1)), before);
    auto ok = [&](SPaneViewSettings& s) {
        ++asked;
        s.par.titleColour = 0x111111;
        s.pane = 5; // the dialog cannot move the edit to another pane
        return true;
    };
    EXPECT_TRUE(EditPaneViewSettings(*document, 1, EViewParPart::Title, ok));
    EXPECT_EQ(Stock().ViewPar(1).titleColour, 0x111111u);
    EXPECT_EQ(Stock().ViewPar(5).titleColour, CViewPar().titleColour);
    EXPECT_FALSE(EditPaneViewSettings(*document, 10, EViewParPart::Title, ok));
    EXPECT_EQ(asked, 2);
}

// --- Display range

class DisplayRangeTest : public ::testing::Test {
protected:
    // Ten bars dated 2024-03-04 ... 2024-03-15, weekdays only.
    static SDisplayRange TenBars() {
        SDisplayRange r;
        r.barDays = {20240304, 20240305, 20240306, 20240307, 20240308,
                     20240311, 20240312, 20240313, 20240314, 20240315};
        return r;
    }
};

TEST_F(DisplayRangeTest, DatesAndLastBarsGiveTheWindowOrTheRefusal) {
    using EMode = SDisplayRange::EMode;
    using SWindow = SDisplayRange::SWindow;
    struct SCase {
        const char* what;
        EMode mode;
        int first, last, bars;
        std::optional<SWindow> window;
        const char* message;
    };
    const SCase cases[] = {
        {"exact dates", EMode::Dates, 20240305, 20240312, 0, SWindow{1, 7, false}, ""},
        {"one day", EMode::Dates, 20240308, 20240308, 0, SWindow{4, 5, false}, ""},
        {"a weekend inside", EMode::Dates, 20240309, 20240311, 0, SWindow{5, 6, false}, ""},
        {"before the data", EMode::Dates, 20230101, 20240306, 0, SWindow{0, 3, true}, ""},
        {"after the data", EMode::Dates, 20240314, 20250101, 0, SWindow{8, 10, true}, ""},
        {"around the data", EMode::Dates, 20200101, 20300101, 0, SWindow{0, 10, true}, ""},
        {"both before", EMode::Dates, 20200101, 20200202, 0, SWindow{0, 1, true}, ""},
        {"both after", EMode::Dates, 20300101, 20300202, 0, SWindow{9, 10, true}, ""},
        {"last before first", EMode::Dates, 20240312, 20240311, 0, std::nullopt,
         "To: must not be before From."},
        {"only a weekend", EMode::Dates, 20240309, 20240310, 0, std::nullopt,
         "To: no bar lies from From to this date."},
        {"the last bar", EMode::LastBars, 0, 0, 1, SWindow{9, 10, false}, ""},
        {"all bars", EMode::LastBars, 0, 0, 10, SWindow{0, 10, false}, ""},
        {"no bar", EMode::LastBars, 0, 0, 0, std::nullopt,
         "Number of bars: please enter a whole number from 1 to 10."},
        {"more than there are", EMode::LastBars, 0, 0, 11, std::nullopt,
         "Number of bars: please enter a whole number from 1 to 10."},
    };
    for (const SCase& c : cases) {
        SDisplayRange r = TenBars();
        r.mode = c.mode;
        r.firstDay = c.first;
        r.lastDay = c.last;
        r.lastBars = c.bars;
        SDisplayRange::SWindow window;
        const std::optional<SFieldError> error = r.Check({}, window);
        EXPECT_EQ(error ? error->message : "", c.message) << c.what;
        EXPECT_EQ(r.Window(), c.window) << c.what;
        if (error) {
            EXPECT_EQ(error->controlId, c.mode == EMode::LastBars ? SDisplayRange::kBarsField
                                                                  : SDisplayRange::kLastField)
                << c.what;
        }
    }
}

class DisplayRangeChartTest : public ::testing::Test, public SampleInstallation {
protected:
    CScopedPrompter scoped{prompter};
};

TEST_F(DisplayRangeChartTest, StartsAtTheWindowAndSetsItAsShiftWindowWould) {
    std::unique_ptr<CZentriStockDoc> document = OpenSample();
    ASSERT_NE(document, nullptr);
    CStock& stock = document->Stock();
    const int count = static_cast<int>(stock.Display().size());
    ASSERT_GT(count, 40);
    stock.RestoreWindow(count - 30, count - 10);
    SDisplayRange r = SDisplayRange::Of(stock);
    EXPECT_EQ(r.BarCount(), count);
    EXPECT_EQ(r.firstDay, SDisplayRange::DayOf(stock.Display()[count - 30].date));
    EXPECT_EQ(r.lastDay, SDisplayRange::DayOf(stock.Display()[count - 11].date));
    EXPECT_EQ(r.lastBars, 20);

    r.firstDay = SDisplayRange::DayOf(stock.Display()[5].date);
    r.lastDay = SDisplayRange::DayOf(stock.Display()[24].date);
    ASSERT_TRUE(r.ApplyTo(stock));
    EXPECT_EQ(stock.WindowFirst(), 5);
    EXPECT_EQ(stock.WindowEnd(), 25);
    EXPECT_EQ(stock.SavedFirst(), 5);
    EXPECT_EQ(stock.SavedEnd(), 25);
    EXPECT_EQ(stock.BarsInWindow(), 20);
    float high = stock.Display()[5].high;
    for (int i = 5; i < 25; ++i) high = std::max(high, stock.Display()[i].high);
    EXPECT_GE(stock.VisibleHigh(), high);
    // Moving on from there works from the window set.
    stock.ShiftWindow(1, 1, true);
    EXPECT_EQ(stock.WindowFirst(), 6);
    EXPECT_EQ(stock.WindowEnd(), 26);

    r.mode = SDisplayRange::EMode::LastBars;
    r.lastBars = count + 1;
    EXPECT_FALSE(r.ApplyTo(stock));
    EXPECT_EQ(stock.WindowFirst(), 6);
    r.lastBars = 7;
    EXPECT_TRUE(EditDisplayRange(stock, [&](SDisplayRange& shown) {
        shown = r;
        return true;
    }));
    EXPECT_EQ(stock.WindowFirst(), count - 7);
    EXPECT_EQ(stock.WindowEnd(), count);
    EXPECT_FALSE(EditDisplayRange(stock, [](SDisplayRange& shown) {
        shown.lastBars = 1;
        shown.mode = SDisplayRange::EMode::LastBars;
        return false;
    }));
    EXPECT_EQ(stock.WindowFirst(), count - 7);
}

} // namespace
