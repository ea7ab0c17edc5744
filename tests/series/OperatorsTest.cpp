#include "series/Operators.h"
#include "SeriesTestSupport.h"
#include "series/Conditions.h"
#include "series/FlagSeries.h"

using namespace Series;

TEST(Operators, CombineTwoSeriesBarByBarWithRawReads) {
    using Fn = CurvePtr (*)(CurvePtr, CurvePtr);
    struct Case {
        Fn fn;
        const char* name;
        std::vector<float> want;
    } cases[] = {
        {Add, "A+B", {3, 2.5f, kInf}},
        {Sub, "A-B", {-1, 1.5f, kInf}},
        {Mul, "A*B", {2, 1, kInf}},
        {Div, "A/B", {0.5f, 4, kInf}},
    };
    for (const Case& c : cases) {
        auto y = c.fn(MakeCurve({1, 2, kInf}, "A", "5"), MakeCurve({2, 0.5f, 1}, "B", "9"));
        EXPECT_TRUE(SameBits(y->values, c.want)) << c.name;
        EXPECT_EQ(y->name, c.name);
        EXPECT_EQ(y->parameter, "5,9");
        EXPECT_EQ(y->colour, 0u);
        EXPECT_EQ(y->lineStyle, 1);
        EXPECT_EQ(y->drawKind, 1);
    }
    EXPECT_TRUE(SameBits(Div(MakeCurve({1, 0}), MakeCurve({0, 0}))->values, {kInf, kNaN}));
    EXPECT_TRUE(Add(MakeCurve({}), MakeCurve({}))->values.empty());
}

TEST(Operators, CombineASeriesWithAConstantNamedToTwoDecimals) {
    struct Case {
        CurvePtr y;
        const char* name;
        std::vector<float> want;
    } cases[] = {
        {AddK(MakeCurve({1, kInf}), 1.0f), "X+1.00", {2, kInf}},
        {KSub(100.0f, MakeCurve({1, kInf})), "100.00-X", {99, -kInf}},
        {MulK(MakeCurve({1, kInf}), -0.15f), "X*-0.15", {-0.15f, -kInf}},
        {DivK(MakeCurve({3, kInf}), 3.0f), "X/3.00", {1, kInf}},
        {KDiv(100.0f, MakeCurve({4, 0})), "100.00/X", {25, kInf}},
    };
    for (const Case& c : cases) {
        EXPECT_TRUE(SameBits(c.y->values, c.want)) << c.name;
        EXPECT_EQ(c.y->name, c.name);
        EXPECT_EQ(c.y->parameter, "NO Parameter");
    }
}

TEST(Operators, DivKReplacesAZeroDivisorByOneTenMillionth) {
    const float tiny = std::bit_cast<float>(0x33D6BF95u); // 1.0e-7 as a float
    for (float zero : {0.0f, -0.0f}) {
        auto y = DivK(MakeCurve({1, -2}), zero);
        EXPECT_TRUE(SameBits(y->values, {1.0f / tiny, -2.0f / tiny}));
        EXPECT_EQ(y->name, "X/0.00");
    }
}

TEST(Operators, MaxAbsAndMaxK) {
    auto m = MAX(MakeCurve({1, 5, kInf}, "A", "a"), MakeCurve({3, 2, 1}, "B", "b"),
                 MakeCurve({2, 4, 0}, "C", "c"));
    EXPECT_TRUE(SameBits(m->values, {3, 5, kInf}));
    EXPECT_EQ(m->name, "MAX(A,B,C)");
    EXPECT_EQ(m->parameter, "a,b,c");

    auto k = MaxK(MakeCurve({-1, 2, -kInf, 0}, "D", "d"), 0.0f);
    EXPECT_TRUE(SameBits(k->values, {0, 2, 0, 0}));
    EXPECT_EQ(k->name, "MAX(D,0.00)");
    EXPECT_EQ(k->parameter, "");

    auto a = ABS(MakeCurve({-0.0f, -3, 2, -kInf}, "E", "e"));
    EXPECT_TRUE(SameBits(a->values, {-0.0f, 3, 2, kInf})); // -0.0 is not below zero
    EXPECT_EQ(a->name, "ABS(E)");
    EXPECT_EQ(a->parameter, "e");
}

TEST(Conditions, CompareToOneOrZero) {
    using Fn = CurvePtr (*)(CurvePtr, CurvePtr);
    struct Case {
        Fn fn;
        const char* name;
        std::vector<float> want;
    } cases[] = {
        {Greater, "A>B", {0, 1, 0, 0}},
        {GreaterEqual, "A>=B", {1, 1, 0, 1}},
        {Equal, "A==B", {1, 0, 0, 1}},
        {Less, "A<B", {0, 0, 1, 0}},
    };
    for (const Case& c : cases) {
        auto y =
            c.fn(MakeCurve({2, 3, 1, kInf}, "A", "1"), MakeCurve({2, 2, kInf, kInf}, "B", "2"));
        EXPECT_TRUE(SameBits(y->values, c.want)) << c.name;
        EXPECT_EQ(y->name, c.name);
        EXPECT_EQ(y->parameter, "1,2");
    }
}

TEST(Conditions, ChooseByAConditionWhereAnythingButZeroIsTrue) {
    auto y = IF(MakeCurve({1, 0, kInf}, "C"), MakeCurve({1, 2, 3}, "A"), MakeCurve({7, 8, 9}, "B"));
    EXPECT_TRUE(SameBits(y->values, {1, 8, 3}));
    EXPECT_EQ(y->name, "IF(C,A,B)");
    EXPECT_EQ(y->parameter, "");

    auto c = MakeCurve({0, 1, kInf}, "C");
    auto e = IfElseK(*c, MakeCurve({1, 2, 3}, "A"), 0.0f);
    EXPECT_TRUE(SameBits(e->values, {0, 2, 3}));
    EXPECT_EQ(e->name, "IF(C,A,0.00)");
    EXPECT_TRUE(SameBits(c->values, {0, 1, kInf})); // still the caller's
    // The results take over their inputs' storage: a condition that is the branch itself.
    CCurve& self = *c;
    auto s = IfElseK(self, std::move(c), 7.0f);
    EXPECT_TRUE(SameBits(s->values, {7, 1, kInf}));

    auto k = IfKElse(MakeCurve({0, 1, -0.0f}, "C"), 5.0f, MakeCurve({1, 2, 3}, "B"));
    EXPECT_TRUE(SameBits(k->values, {1, 5, 3}));
    EXPECT_EQ(k->name, "IF(C,5.00,B)");
}

TEST(CROSS, MarksAStrictRiseAboveAfterBeingAtOrBelow) {
    struct Case {
        std::vector<float> a, b, want;
    } cases[] = {
        {{1, 2, 3}, {2, 2, 2}, {0, 0, 1}},
        {{2, 3, 2, 3}, {2, 2, 2, 2}, {0, 1, 0, 1}}, // equal the bar before, above now
        {{1, 2, 1}, {2, 2, 2}, {0, 0, 0}},          // touching without crossing
        {{3, 6}, {kInf, 5}, {0, 1}},                // invalid the bar before compares high
        {{3, kInf}, {4, kInf}, {0, 0}},
        {{5}, {1}, {0}},
        {{}, {}, {}},
    };
    for (const Case& c : cases)
        EXPECT_TRUE(SameBits(CROSS(MakeCurve(c.a), MakeCurve(c.b))->values, c.want));
    auto y = CROSS(MakeCurve({1}, "A", "a"), MakeCurve({1}, "B", "b"));
    EXPECT_EQ(y->name, "CROSS(A,B)");
    EXPECT_EQ(y->parameter, "a,b");
}

TEST(FlagSeries, PlacesAFlagAtThePriceWhereTheSignalIsNotZero) {
    STradeFlagData f = FlagSeries(MakeCurve({0, 1, kInf, -0.0f}), MakeCurve({5, 6, 7, 8}), 0);
    EXPECT_TRUE(SameBits(f.values, {0, 6, 7, 0}));
    EXPECT_EQ(f.direction, 0);
    EXPECT_EQ(f.secondColour, RGB(128, 128, 128));
    EXPECT_TRUE(FlagSeries(MakeCurve({}), MakeCurve({}), 1).values.empty());
}
