#include "indicators/IndicatorLooks.h"
#include "IndicatorsTestSupport.h"
#include "indicators/IndicatorBuilder.h"
#include "quotes/CViewPar.h"
#include "quotes/PeriodChoice.h"
#include <cstring>
#include <functional>

namespace {

using Ids = std::vector<std::string>;
using Bytes = CPaneLooks::Bytes;

// The indicator positions of IndicatorTable() the byte strings below use.
constexpr int kSma = 0;
constexpr int kFlagMa = 23;

LOGFONT Font(int height, int width, int weight, int italic, const char* face) {
    LOGFONT font;
    font.lfHeight = height;
    font.lfWidth = width;
    font.lfWeight = weight;
    font.lfItalic = static_cast<uint8_t>(italic);
    std::strncpy(font.lfFaceName, face, 31);
    return font;
}

STradeFlagLook FlagLook(uint32_t colour, uint32_t second, int symbol, std::string text,
                        LOGFONT font = {}) {
    STradeFlagLook look;
    look.colour = colour;
    look.secondColour = second;
    look.symbol = symbol;
    look.text = std::move(text);
    look.font = font;
    return look;
}

Bytes BytesOf(std::initializer_list<int> values) {
    Bytes bytes{};
    std::size_t i = 0;
    for (int value : values) bytes[i++] = static_cast<uint8_t>(value);
    return bytes;
}

CCurve& CurveOf(CStock& stock, int pane, std::size_t index) {
    return *CStockPanes::InstallIn(stock).Pane(pane)->Curves().at(index);
}

CTradeFlag& FlagOf(CStock& stock, int pane, std::size_t index) {
    std::vector<CTradeFlag*> flags;
    for (const auto& element : CStockPanes::InstallIn(stock).Pane(pane)->Elements())
        if (auto* flag = dynamic_cast<CTradeFlag*>(element.get())) flags.push_back(flag);
    return *flags.at(index);
}

class IndicatorLooksTest : public IndicatorsTest {
protected:
    void SetUp() override { ASSERT_TRUE(LoadQuotesInPeriod(stock, TtrcPath(), {}, 400, nullptr)); }

    // The colours of the pane's curves, in order.
    std::vector<uint32_t> Colours(int pane) {
        std::vector<uint32_t> colours;
        for (const auto& curve : PaneOf(stock, pane).Curves()) colours.push_back(curve->colour);
        return colours;
    }

    CStock stock;
};

} // namespace

TEST(PaneLooksBytes, LayoutOfACurveAndAFlagRecord) {
    CPaneLooks looks;
    looks.Set({kSma, 1, 2}, SCurveLook{0x00332211, 7, 12});
    looks.Set({kFlagMa, 0, 1},
              FlagLook(0x0000FF, 0x804020, 13, "Sell", Font(-16, 7, 700, 1, "Serif")));
    looks.Set({kFlagMa, 0, 0}, FlagLook(0x00FF00, 0x808080, 9, ""));
    Bytes bytes{};
    ASSERT_TRUE(looks.Write(bytes));
    const Bytes expected = BytesOf(
        {'Z',  'L',     1,                                      // mark
         1,    kSma,    1,    2,    0x11, 0x22, 0x33, 7,    12, // curve: key, R G B, width, kind
         2,    kFlagMa, 0,    1,    0xFF, 0,    0,    0x20, 0x40,
         0x80, 13,      3,               // flag: key, colours, symbol, parts
         4,    'S',     'e',  'l',  'l', // text
         0xF0, 0xFF,    0xFF, 0xFF, 7,    0,    0,    0,    0xBC,
         2,    0,       0,    1,               // height -16, width, weight, italic
         5,    'S',     'e',  'r',  'i',  'f', // face
         2,    kFlagMa, 0,    0,    0,    0xFF, 0,    0x80, 0x80,
         0x80, 9,       0, // no text, no font
         0});
    EXPECT_EQ(bytes, expected);
    EXPECT_EQ(looks.StoredSize(), 3u + 9u + 36u + 12u + 1u);

    const std::optional<CPaneLooks> read = CPaneLooks::Read(bytes);
    ASSERT_TRUE(read);
    ASSERT_NE(read->Curve({kSma, 1, 2}), nullptr);
    EXPECT_EQ(*read->Curve({kSma, 1, 2}), (SCurveLook{0x332211, 7, 12}));
    ASSERT_NE(read->Flag({kFlagMa, 0, 1}), nullptr);
    EXPECT_EQ(*read->Flag({kFlagMa, 0, 1}),
              FlagLook(0xFF, 0x804020, 13, "Sell", Font(-16, 7, 700, 1, "Serif")));
    EXPECT_EQ(*read->Flag({kFlagMa, 0, 0}), FlagLook(0xFF00, 0x808080, 9, ""));
    EXPECT_EQ(read->Curve({kSma, 1, 1}), nullptr);

    // No looks: the bytes are all zero again, as a chart without edits stores them.
    CPaneLooks none;
    ASSERT_TRUE(none.Write(bytes));
    EXPECT_EQ(bytes, Bytes{});
}

TEST(PaneLooksBytes, ReadingKeepsTheRecordsBeforeTheFirstBadOne) {
    struct Case {
        const char* what;
        Bytes bytes;
        bool ours;
        std::size_t curvesKept;
    };
    const Case cases[] = {
        {"all zero", Bytes{}, true, 0},
        {"something else", BytesOf({7, 0, 0, 1}), false, 0},
        {"mark of another version", BytesOf({'Z', 'L', 2, 1, 0, 0, 0, 1, 2, 3, 1, 1}), false, 0},
        {"two good records",
         BytesOf({'Z', 'L', 1, 1, 0, 0, 0, 1, 2, 3, 1, 1, 1, 0, 0, 1, 1, 2, 3, 20, 13}), true, 2},
        {"width 21", BytesOf({'Z', 'L', 1, 1, 0, 0, 0, 1, 2, 3, 1, 1, 1, 0, 0, 1, 1, 2, 3, 21, 1}),
         true, 1},
        {"draw kind 14", BytesOf({'Z', 'L', 1, 1, 0, 0, 0, 1, 2, 3, 1, 14}), true, 0},
        {"unknown tag", BytesOf({'Z', 'L', 1, 1, 0, 0, 0, 1, 2, 3, 1, 1, 9, 0, 0, 1}), true, 1},
        {"flag with unknown parts", BytesOf({'Z', 'L', 1, 2, 23, 0, 0, 1, 2, 3, 4, 5, 6, 1, 4}),
         true, 0},
        {"face with a NUL", BytesOf({'Z', 'L', 1, 2, 23, 0, 0, 1, 2, 3, 4, 5, 6, 1,   2, 1,
                                     0,   0,   0, 1, 0,  0, 0, 1, 0, 0, 0, 0, 2, 'A', 0}),
         true, 0},
        {"text longer than 63", BytesOf({'Z', 'L', 1, 2, 23, 0, 0, 1, 2, 3, 4, 5, 6, 1, 1, 64}),
         true, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::optional<CPaneLooks> read = CPaneLooks::Read(c.bytes);
        ASSERT_EQ(read.has_value(), c.ours);
        if (!read) continue;
        EXPECT_EQ(read->Curves().size(), c.curvesKept);
        EXPECT_TRUE(read->Flags().empty());
    }
    // A record cut short by the end of the looks' room, before the scale options.
    Bytes cut{};
    cut[0] = 'Z', cut[1] = 'L', cut[2] = 1;
    for (std::size_t i = 3; i + 12 <= CPaneLooks::kRoom; i += 12) {
        cut[i] = 2, cut[i + 1] = 23, cut[i + 11] = 0;
        cut[i + 2] = static_cast<uint8_t>(i / 12);
    }
    cut[243] = 2;
    cut[CViewPar::kLogScaleByte] = 1;
    const std::optional<CPaneLooks> read = CPaneLooks::Read(cut);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->Flags().size(), 20u);
}

TEST_F(IndicatorLooksTest, EditedLooksSurvivePeriodChangesAndReloads) {
    BuildIndicator(stock, "SMA", 0, false, true);
    BuildIndicator(stock, "FLAGMA", 0, true, true);
    BuildIndicator(stock, "MACD", 1, false, true);
    EXPECT_EQ(ChangeCurveLook(stock, 0, CurveOf(stock, 0, 2), {0x123456, 4, 3}),
              ELookKept::WithEntry);
    EXPECT_EQ(ChangeCurveLook(stock, 1, CurveOf(stock, 1, 0), {0xABCDEF, 0, 10}),
              ELookKept::WithEntry);
    const STradeFlagLook sell = FlagLook(0x00FFFF, 0x202020, 1, "out", Font(12, 5, 400, 0, "Sans"));
    EXPECT_EQ(ChangeTradeFlagLook(stock, 0, FlagOf(stock, 0, 1), sell), ELookKept::WithEntry);
    const std::vector<uint32_t> pricePane = Colours(0);
    const std::vector<uint32_t> macdPane = Colours(1);
    ASSERT_EQ(pricePane[2], 0x123456u);

    struct Step {
        const char* what;
        std::function<void()> run;
    };
    const Step steps[] = {
        {"week", [&] { stock.MakeWeekLine(false); }},
        {"month", [&] { stock.MakeMonthLine(false); }},
        {"3 days",
         [&] {
             stock.SetNDays(3);
             stock.MakeNDayLine(false);
         }},
        {"day", [&] { stock.MakeDayLine(false); }},
        {"load", [&] { ASSERT_TRUE(stock.LoadQuoteFile(TtrcPath())); }},
        {"reload and replay",
         [&] {
             ASSERT_TRUE(stock.ReloadQuoteFile(TtrcPath(), true, true));
             stock.PaneHost()->ReplayIndicators(stock);
         }},
        {"replay of pane 0", [&] { CStockPanes::Of(stock)->ReplayPane(stock, 0); }},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        step.run();
        EXPECT_EQ(Colours(0), pricePane);
        EXPECT_EQ(Colours(1), macdPane);
        EXPECT_EQ(SCurveLook::Of(CurveOf(stock, 0, 2)), (SCurveLook{0x123456, 4, 3}));
        EXPECT_EQ(SCurveLook::Of(CurveOf(stock, 1, 0)), (SCurveLook{0xABCDEF, 0, 10}));
        EXPECT_EQ(STradeFlagLook::Of(FlagOf(stock, 0, 1)), sell);
        // The buy flag was not edited and keeps the look its system gives it.
        EXPECT_EQ(FlagOf(stock, 0, 0).colour, 0x00FF00u);
        EXPECT_EQ(FlagOf(stock, 0, 0).symbol, 13);
        EXPECT_TRUE(FlagOf(stock, 0, 0).text.empty());
    }
    EXPECT_EQ(StoredCurveLook(stock, 0, CurveOf(stock, 0, 2)), (SCurveLook{0x123456, 4, 3}));
    EXPECT_EQ(StoredCurveLook(stock, 0, CurveOf(stock, 0, 1)), std::nullopt);
    EXPECT_EQ(StoredTradeFlagLook(stock, 0, FlagOf(stock, 0, 1)), sell);
}

TEST_F(IndicatorLooksTest, EachLookStaysWithItsEntryWhenEntriesAreRemovedOrReordered) {
    // Pane 1: RSI, MACD, RSI; the first curve of each entry gets a colour of its own.
    const auto place = [&] {
        stock.ViewPar(1).Reset();
        BuildIndicator(stock, "RSI", 1, false, true);
        BuildIndicator(stock, "MACD", 1, true, true);
        BuildIndicator(stock, "RSI", 1, true, true);
        const CTCurve& pane = PaneOf(stock, 1);
        const uint32_t colours[] = {0x000001, 0x000002, 0x000003};
        for (int entry = 0; entry < 3; ++entry)
            for (const auto& curve : pane.Curves())
                if (curve->entryIndex == entry) {
                    ASSERT_EQ(ChangeCurveLook(stock, 1, *curve, {colours[entry], 2, 1}),
                              ELookKept::WithEntry);
                    break;
                }
    };
    // The colour of the first curve of each entry, in list order.
    const auto firstColours = [&] {
        std::vector<uint32_t> colours;
        const CTCurve& pane = PaneOf(stock, 1);
        const int entries = static_cast<int>(stock.ViewPar(1).identifiers.size());
        for (int entry = 0; entry < entries; ++entry)
            for (const auto& curve : pane.Curves())
                if (curve->entryIndex == entry) {
                    colours.push_back(curve->colour);
                    break;
                }
        return colours;
    };
    struct Case {
        const char* what;
        std::function<bool()> change;
        bool accepted;
        Ids list;
        std::vector<uint32_t> colours;
    };
    const Case cases[] = {
        {"remove the first RSI",
         [&] { return RemoveIndicatorEntry(stock, 1, 0); },
         true,
         {"MACD", "RSI"},
         {2, 3}},
        {"remove MACD",
         [&] { return RemoveIndicatorEntry(stock, 1, 1); },
         true,
         {"RSI", "RSI"},
         {1, 3}},
        {"remove the second RSI",
         [&] { return RemoveIndicatorEntry(stock, 1, 2); },
         true,
         {"RSI", "MACD"},
         {1, 2}},
        {"reverse",
         [&] {
             return ArrangeIndicatorEntries(stock, 1, {2, 1, 0});
         },
         true,
         {"RSI", "MACD", "RSI"},
         {3, 2, 1}},
        {"second RSI first, MACD left out",
         [&] {
             return ArrangeIndicatorEntries(stock, 1, {2, 0});
         },
         true,
         {"RSI", "RSI"},
         {3, 1}},
        {"MACD moved up by an edit of the list itself",
         [&] {
             Ids& ids = stock.ViewPar(1).identifiers;
             std::swap(ids[0], ids[1]);
             CStockPanes::Of(stock)->ReplayPane(stock, 1);
             return true;
         },
         true,
         {"MACD", "RSI", "RSI"},
         {2, 1, 3}},
        {"a position twice",
         [&] {
             return ArrangeIndicatorEntries(stock, 1, {0, 0});
         },
         false,
         {"RSI", "MACD", "RSI"},
         {1, 2, 3}},
        {"a position beyond the list",
         [&] { return ArrangeIndicatorEntries(stock, 1, {3}); },
         false,
         {"RSI", "MACD", "RSI"},
         {1, 2, 3}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        place();
        EXPECT_EQ(c.change(), c.accepted);
        EXPECT_EQ(stock.ViewPar(1).identifiers, c.list);
        EXPECT_EQ(firstColours(), c.colours);
        // The period change after it rebuilds the same looks.
        stock.MakeWeekLine(false);
        EXPECT_EQ(firstColours(), c.colours);
        stock.MakeDayLine(false);
    }
}

TEST_F(IndicatorLooksTest, ANewEntryStartsWithTheLookItsIndicatorGives) {
    BuildIndicator(stock, "ATR", 1, false, true);
    const uint32_t built = CurveOf(stock, 1, 0).colour;
    ASSERT_EQ(ChangeCurveLook(stock, 1, CurveOf(stock, 1, 0), {0x010101, 3, 1}),
              ELookKept::WithEntry);

    // Another ATR inserted: the first keeps its look, the new one has the built look.
    BuildIndicator(stock, "ATR", 1, true, true);
    EXPECT_EQ(CurveOf(stock, 1, 0).colour, 0x010101u);
    EXPECT_EQ(CurveOf(stock, 1, 3).colour, built);

    // The list emptied by hand, not through RemoveIndicatorEntry: an ATR recorded anew is not
    // given the looks of the ATRs that were there.
    stock.ViewPar(1).identifiers.clear();
    BuildIndicator(stock, "ATR", 1, true, true);
    stock.MakeWeekLine(false);
    EXPECT_EQ(CurveOf(stock, 1, 0).colour, built);

    // A replacing build takes the pane's looks with its list.
    ASSERT_EQ(ChangeCurveLook(stock, 1, CurveOf(stock, 1, 0), {0x020202, 3, 1}),
              ELookKept::WithEntry);
    BuildIndicator(stock, "ATR", 1, false, true);
    EXPECT_EQ(CurveOf(stock, 1, 0).colour, built);
    EXPECT_EQ(stock.ViewPar(1).flagBytes, Bytes{});
}

TEST_F(IndicatorLooksTest, ALookThatCannotBeStoredChangesNothing) {
    BuildIndicator(stock, "ATR", 1, false, true);
    BuildIndicator(stock, "FLAGMA", 0, true, true);
    BuildIndicator(stock, "FLAGEMA", 0, true, true);
    BuildIndicator(stock, "FLAGSAR", 0, true, true);
    BuildIndicator(stock, "FLAGKDJ", 0, true, true);

    // Pane 1's flag bytes hold something that is not ours: they stay, and so does the curve.
    stock.ViewPar(1).flagBytes[0] = 0x42;
    const Bytes foreign = stock.ViewPar(1).flagBytes;
    CCurve& atr = CurveOf(stock, 1, 0);
    const SCurveLook before = SCurveLook::Of(atr);
    EXPECT_EQ(LookRoom(stock, 1, atr), 0);
    EXPECT_EQ(ChangeCurveLook(stock, 1, atr, {0x111111, 5, 5}), ELookKept::StoreInUse);
    EXPECT_EQ(SCurveLook::Of(atr), before);
    EXPECT_EQ(stock.ViewPar(1).flagBytes, foreign);

    // Pane 0: flags with long texts and faces until no more fit.
    const std::string text(60, 't');
    const LOGFONT font = Font(20, 9, 700, 1, "Some Face With A Long Name");
    const STradeFlagLook big = FlagLook(0x0000FF, 0x00FF00, 7, text, font);
    ASSERT_EQ(CPaneLooks::StoredSize(big), 12u + 61u + 14u + 26u);
    EXPECT_EQ(LookRoom(stock, 0, FlagOf(stock, 0, 0)), 254 - 4);
    EXPECT_EQ(ChangeTradeFlagLook(stock, 0, FlagOf(stock, 0, 0), big), ELookKept::WithEntry);
    EXPECT_EQ(LookRoom(stock, 0, FlagOf(stock, 0, 0)), 254 - 4);
    EXPECT_EQ(LookRoom(stock, 0, FlagOf(stock, 0, 1)), 254 - 4 - 113);
    EXPECT_EQ(ChangeTradeFlagLook(stock, 0, FlagOf(stock, 0, 1), big), ELookKept::WithEntry);
    EXPECT_EQ(LookRoom(stock, 0, FlagOf(stock, 0, 2)), 254 - 4 - 226);
    const Bytes full = stock.ViewPar(0).flagBytes;
    const STradeFlagLook third = STradeFlagLook::Of(FlagOf(stock, 0, 2));
    EXPECT_EQ(ChangeTradeFlagLook(stock, 0, FlagOf(stock, 0, 2), big), ELookKept::NoRoom);
    EXPECT_EQ(STradeFlagLook::Of(FlagOf(stock, 0, 2)), third);
    EXPECT_EQ(stock.ViewPar(0).flagBytes, full);
    // A look small enough still fits, and an edit of a stored look may grow into its own room.
    EXPECT_EQ(ChangeTradeFlagLook(stock, 0, FlagOf(stock, 0, 2), FlagLook(1, 2, 8, "")),
              ELookKept::WithEntry);
    EXPECT_EQ(LookRoom(stock, 0, FlagOf(stock, 0, 3)), 254 - 4 - 226 - 12);
    STradeFlagLook shorter = big;
    shorter.text = "x";
    EXPECT_EQ(ChangeTradeFlagLook(stock, 0, FlagOf(stock, 0, 0), shorter), ELookKept::WithEntry);
    EXPECT_EQ(ChangeTradeFlagLook(stock, 0, FlagOf(stock, 0, 0), big), ELookKept::WithEntry);
}

TEST_F(IndicatorLooksTest, AnElementNoEntryBuiltIsChangedButNotStored) {
    BuildIndicator(stock, "CCI", 2, false, false);
    CCurve& cci = CurveOf(stock, 2, 0);
    EXPECT_EQ(LookKeyOf(stock, 2, cci), std::nullopt);
    EXPECT_EQ(LookRoom(stock, 2, cci), -1);
    EXPECT_EQ(ChangeCurveLook(stock, 2, cci, {0x445566, 2, 0}), ELookKept::ElementOnly);
    EXPECT_EQ(SCurveLook::Of(cci), (SCurveLook{0x445566, 2, 0}));
    EXPECT_EQ(stock.ViewPar(2).flagBytes, Bytes{});

    // A curve asked for under a pane it is not in has no key either.
    BuildIndicator(stock, "VOL", 1, false, true);
    EXPECT_EQ(LookKeyOf(stock, 2, CurveOf(stock, 1, 0)), std::nullopt);
    EXPECT_EQ(LookKeyOf(stock, 1, CurveOf(stock, 1, 0)), (SLookKey{10, 0, 0}));
}

TEST_F(IndicatorLooksTest, LooksOfEntriesNoLongerListedTakeNoRoom) {
    BuildIndicator(stock, "FLAGMA", 0, true, true);
    BuildIndicator(stock, "FLAGEMA", 0, true, true);
    const STradeFlagLook big = FlagLook(0x0000FF, 0x00FF00, 7, std::string(60, 't'),
                                        Font(20, 9, 700, 1, "Some Face With A Long Name"));
    ASSERT_EQ(ChangeTradeFlagLook(stock, 0, FlagOf(stock, 0, 2), big), ELookKept::WithEntry);
    ASSERT_EQ(ChangeTradeFlagLook(stock, 0, FlagOf(stock, 0, 3), big), ELookKept::WithEntry);
    // The list emptied as Delete all curves does, then flags placed again.
    stock.ViewPar(0).identifiers.clear();
    BuildIndicator(stock, "FLAGMA", 0, true, true);
    CStockPanes::Of(stock)->ReplayPane(stock, 0);
    EXPECT_EQ(LookRoom(stock, 0, FlagOf(stock, 0, 0)), 254 - 4);
    EXPECT_EQ(ChangeTradeFlagLook(stock, 0, FlagOf(stock, 0, 0), big), ELookKept::WithEntry);
    EXPECT_EQ(ChangeTradeFlagLook(stock, 0, FlagOf(stock, 0, 1), big), ELookKept::WithEntry);
    const std::optional<CPaneLooks> looks = CPaneLooks::Read(stock.ViewPar(0).flagBytes);
    ASSERT_TRUE(looks);
    EXPECT_EQ(looks->Flags().size(), 2u);
    EXPECT_EQ(looks->Flags()[0].key, (SLookKey{kFlagMa, 0, 0}));
}

namespace {

TEST_F(IndicatorLooksTest, ScaleOptionsAndLooksShareTheFlagBytesWithoutTouching) {
    const struct {
        int pane;
        bool log, round;
    } cases[] = {{1, true, true}, {2, true, false}, {3, false, true}};
    for (const auto& c : cases) {
        BuildIndicator(stock, "VOL", c.pane, false, true);
        CViewPar& par = stock.ViewPar(c.pane);
        par.SetLogScale(c.log);
        par.SetRoundTicks(c.round);
        const Bytes options = par.flagBytes;
        // Options alone are no foreign use of the bytes: the looks go in beside them.
        ASSERT_TRUE(CPaneLooks::Read(par.flagBytes).has_value());
        EXPECT_EQ(ChangeCurveLook(stock, c.pane, CurveOf(stock, c.pane, 0), {0x445566, 3, 2}),
                  ELookKept::WithEntry);
        EXPECT_EQ(par.LogScale(), c.log);
        EXPECT_EQ(par.RoundTicks(), c.round);
        EXPECT_EQ(StoredCurveLook(stock, c.pane, CurveOf(stock, c.pane, 0)),
                  (SCurveLook{0x445566, 3, 2}));
        // Clearing the list takes the looks and leaves the options.
        PrepareLooksForEntry(par, "VOL", true);
        EXPECT_EQ(par.flagBytes, options);
    }
}

} // namespace
