#include "SeriesTestSupport.h"
#include "series/Averages.h"
#include "series/Sources.h"
#include "series/Windows.h"

using namespace Series;

TEST(CCurve, StartsWithTheConstructionDefaults) {
    CCurve c;
    EXPECT_TRUE(c.values.empty());
    EXPECT_EQ(c.name, "NO Name");
    EXPECT_EQ(c.parameter, "NO Parameter");
    EXPECT_EQ(c.colour, 0u);
    EXPECT_EQ(c.lineStyle, 1);
    EXPECT_EQ(c.drawKind, 1);
    EXPECT_EQ(c.extraColour1, 0x0000FF00u);
    EXPECT_EQ(c.extraColour2, 0x0000FF00u);
}

TEST(CCurve, ZeroReadReplacesEveryNonFiniteValue) {
    auto c = MakeCurve({2.5f, kInf, -kInf, std::nanf(""), -0.0f});
    EXPECT_TRUE(SameBits({c->RawAt(0), c->RawAt(1)}, {2.5f, kInf}));
    EXPECT_TRUE(SameBits({c->ZeroAt(0), c->ZeroAt(1), c->ZeroAt(2), c->ZeroAt(3), c->ZeroAt(4)},
                         {2.5f, 0.0f, 0.0f, 0.0f, -0.0f}));
}

TEST(SeriesColour, PeriodColourTakesEachProductModulo256) {
    // 10n, 20n, 30n reduced by hand: n=9 -> 90,180,270-256; n=30 -> 300-256,600-512,900-768;
    // n=-1 -> 256-10, 256-20, 256-30.
    EXPECT_EQ(PeriodColour(5), RGB(50, 100, 150));
    EXPECT_EQ(PeriodColour(9), RGB(90, 180, 14));
    EXPECT_EQ(PeriodColour(20), RGB(200, 144, 88));
    EXPECT_EQ(PeriodColour(30), RGB(44, 88, 132));
    EXPECT_EQ(PeriodColour(60), RGB(88, 176, 8));
    EXPECT_EQ(PeriodColour(-1), RGB(246, 236, 226));
    EXPECT_EQ(RGB(1, 2, 3), 0x00030201u);
}

TEST(Sources, ReadOneQuoteFieldEachWithAnEmptyParameter) {
    const std::vector<SQuote> q = {{0, 1, 2, 3, 4, 5, 6}, {0, 11, 12, 13, 14, 15, 16}};
    const CBarColumns bars(q);
    struct Case {
        CurvePtr curve;
        const char* name;
        std::vector<float> values;
    } cases[] = {
        {C(bars), "C", {4, 14}}, {H(bars), "H", {2, 12}}, {L(bars), "L", {3, 13}}, {V(bars), "V", {6, 16}}};
    for (const Case& c : cases) {
        EXPECT_EQ(c.curve->name, c.name);
        EXPECT_EQ(c.curve->parameter, "");
        EXPECT_EQ(c.curve->colour, 0u);
        EXPECT_EQ(c.curve->lineStyle, 1);
        EXPECT_TRUE(SameBits(c.curve->values, c.values)) << c.name;
    }
    EXPECT_TRUE(C({})->values.empty());
}

TEST(Sources, CopyTakesValuesAndLookButResetsTheExtraColours) {
    auto x = MakeCurve({1.0f, kInf}, "A", "7");
    x->colour = 0x123456;
    x->lineStyle = 2;
    x->drawKind = 9;
    x->extraColour1 = x->extraColour2 = RGB(255, 0, 0);
    auto y = Copy(*x);
    EXPECT_TRUE(SameBits(y->values, {1.0f, kInf}));
    EXPECT_EQ(y->name, "A");
    EXPECT_EQ(y->parameter, "7");
    EXPECT_EQ(y->colour, 0x123456u);
    EXPECT_EQ(y->lineStyle, 2);
    EXPECT_EQ(y->drawKind, 9);
    EXPECT_EQ(y->extraColour1, RGB(0, 255, 0));
    EXPECT_EQ(y->extraColour2, RGB(0, 255, 0));
    EXPECT_EQ(x->values.size(), 2u);
}

TEST(Naming, PeriodFunctionsNameTheFormulaAndTakeThePeriodColourOfThePeriodAsked) {
    struct Case {
        CurvePtr curve;
        const char* name;
        const char* parameter;
        uint32_t colour;
    } cases[] = {
        {MA(MakeCurve({1, 2}, "C"), 5), "MA(C)", "5", PeriodColour(5)},
        {MA(ColumnsFromCloses({1, 2}), 60), "MA", "60", PeriodColour(60)},
        {EMA(MakeCurve({1, 2}, "MTM"), 30), "EMA(MTM)", "30", PeriodColour(30)},
        {SMA(MakeCurve({1, 2}, "RSV"), 3, -1), "SMA(RSV)", "3,1", PeriodColour(3)},
        {WMA(MakeCurve({1, 2}, "C"), MakeCurve({1, 1}, "V"), 10), "WMA(C,V)", "10",
         PeriodColour(10)},
        {HHV(MakeCurve({1, 2}, "H"), 9), "HHV(H)", "9", PeriodColour(9)},
        {LLV(MakeCurve({1, 2}, "L"), 0), "LLV(L)", "0", PeriodColour(0)},
        {REF(MakeCurve({1, 2}, "C"), -1), "REF(C)", "-1", PeriodColour(-1)},
        {SUM(MakeCurve({1, 2}, "S"), 0), "SUM(S)", "0", PeriodColour(0)},
        {STD(MakeCurve({1, 2}, "C"), 20), "STD(C)", "20", PeriodColour(20)},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.curve->name, c.name);
        EXPECT_EQ(c.curve->parameter, c.parameter) << c.name;
        EXPECT_EQ(c.curve->colour, c.colour) << c.name;
        EXPECT_EQ(c.curve->lineStyle, 1) << c.name;
        EXPECT_EQ(c.curve->size(), 2u) << c.name;
    }
}
