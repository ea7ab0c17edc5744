#include "FormulaTestSupport.h"
#include "series/Averages.h"
#include "series/Conditions.h"
#include "series/ParabolicSar.h"
#include "series/Sources.h"
#include "series/Windows.h"
#include <cmath>
#include <functional>

namespace {

constexpr float kInf = kInvalid;

// Open, high, low, close, volume per bar.
CBarColumns Bars(const std::vector<std::array<float, 5>>& rows) {
    std::vector<SQuote> quotes;
    for (const auto& r : rows) {
        SQuote q;
        q.open = r[0];
        q.high = r[1];
        q.low = r[2];
        q.close = r[3];
        q.volume = r[4];
        quotes.push_back(q);
    }
    return CBarColumns(quotes);
}

CBarColumns Closes(const std::vector<float>& closes) {
    std::vector<std::array<float, 5>> rows;
    for (float c : closes) rows.push_back({c, c + 1.0f, c - 1.0f, c, 100.0f});
    return Bars(rows);
}

const CBarColumns kFour = Bars({{10, 12, 9, 11, 100},
                                {11, 13, 10, 10, 200},
                                {10, 10, 8, 9, 150},
                                {9, 14, 9, 13, 300}});

struct SValues {
    std::string text;
    std::vector<float> values;
};

TEST(FormulaEvaluationTest, OperatorsTakeTheUsualPrecedence) {
    const SValues cases[] = {
        {"1+2*3", {7, 7, 7, 7}},
        {"(1+2)*3", {9, 9, 9, 9}},
        {"2-3-4", {-5, -5, -5, -5}},
        {"8/4/2", {1, 1, 1, 1}},
        {"-2*3+10", {4, 4, 4, 4}},
        {"1 OR 0 AND 0", {1, 1, 1, 1}},
        {"C-O*2", {-9, -12, -11, -5}},
        {"(C-O)*2", {2, -2, -2, 8}},
        {"-C+1", {-10, -9, -8, -12}},
        {"10-C", {-1, 0, 1, -3}},
        {"C-1.5", {9.5f, 8.5f, 7.5f, 11.5f}},
        {"C+1-2+O", {20, 20, 18, 21}},
        {"C*2/4", {5.5f, 5, 4.5f, 6.5f}},
        {"H-L", {3, 3, 2, 5}},
        {"V/100+O", {11, 13, 11.5f, 12}},
        {"C>O", {1, 0, 0, 1}},
        {"C>=10", {1, 1, 0, 1}},
        {"C<=10", {0, 1, 1, 0}},
        {"C<10", {0, 0, 1, 0}},
        {"C=10", {0, 1, 0, 0}},
        {"C==10", {0, 1, 0, 0}},
        {"C<>10", {1, 0, 1, 1}},
        {"C!=10", {1, 0, 1, 1}},
        {"C+H*2>L*3+O", {0, 0, 0, 1}},
        {"C>O AND V>=150", {0, 0, 0, 1}},
        {"C>O OR V=150", {1, 0, 1, 1}},
        {"NOT C>O", {0, 1, 1, 0}},
        {"NOT C>O AND V>100", {0, 1, 1, 0}},
        {"NOT (C>O AND V>100)", {1, 1, 1, 0}},
        {"IF(C>O,H,L)", {12, 10, 8, 14}},
        {"IF(C>O,1,0)", {1, 0, 0, 1}},
        {"IF(C>O,H,0)", {12, 0, 0, 14}},
        {"IF(C>O,0,L)", {0, 10, 8, 0}},
        {"MAX(C,O)", {11, 11, 10, 13}},
        {"MAX(C,10.5)", {11, 10.5f, 10.5f, 13}},
        {"MAX(10.5,C)", {11, 10.5f, 10.5f, 13}},
        {"MAX(O,C,H)", {12, 13, 10, 14}},
        {"ABS(O-C)", {1, 1, 1, 4}},
        {"a: C-O; b: A*2", {2, -2, -2, 8}},
        {"a := C-O\nb: -a", {-1, 1, 1, -4}},
        {"a := C-O; b: A*A + A", {2, 0, 0, 20}},
        {"a := C-O; b: a; d: A+A", {2, -2, -2, 8}},
    };
    for (const SValues& c : cases) {
        const auto outputs = EvaluateText(c.text, kFour);
        ASSERT_FALSE(outputs.empty()) << c.text;
        EXPECT_TRUE(SameBits(outputs.back().curve->values, c.values)) << c.text;
    }
}

TEST(FormulaEvaluationTest, FunctionsGiveTheLibrarysValues) {
    const SValues cases[] = {
        {"EMA(C,3)", {1, kInf, kInf, 2, 3.5f}},
        {"MA(C,3)", {kInf, kInf, 2, 3, 4}},
        {"SUM(C,2)", {1, 3, 5, 7, 9}},
        {"SUM(C,0)", {1, 3, 6, 10, 15}},
        {"REF(C,-1)", {2, 3, 4, 5, kInf}},
        {"REF(C,2)", {kInf, kInf, 1, 2, 3}},
        {"CROSS(C,2)", {0, 0, 1, 0, 0}},
        {"CROSS(3.5,C)", {0, 0, 0, 0, 0}},
        {"LLV(C,2)", {1, 1, 1, 2, 3}},
        {"HHV(6-C,2)", {5, 5, 5, 4, 3}},
    };
    const CBarColumns rising = Closes({1, 2, 3, 4, 5});
    for (const SValues& c : cases) {
        const auto outputs = EvaluateText(c.text, rising);
        ASSERT_EQ(outputs.size(), 1u) << c.text;
        EXPECT_TRUE(SameBits(outputs[0].curve->values, c.values)) << c.text;
    }
    EXPECT_TRUE(SameBits(EvaluateText("SMA(C,3,1)", Closes({3, 6, 9}))[0].curve->values,
                         {3, 4, 5.6666665f}));
}

TEST(FormulaEvaluationTest, EachCallIsTheLibraryFunctionWithItsArgumentOrder) {
    std::vector<float> closes;
    for (int i = 0; i < 40; ++i) closes.push_back(50.0f + float((i * 7) % 11) - float(i % 3) * 0.5f);
    const CBarColumns q = Closes(closes);
    using Series::C;
    using Series::H;
    using Series::L;
    using Series::V;
    const std::pair<const char*, std::function<CurvePtr()>> cases[] = {
        {"MA(C,7)", [&] { return Series::MA(C(q), 7); }},
        {"EMA(H,5)", [&] { return Series::EMA(H(q), 5); }},
        {"SMA(L,6,2)", [&] { return Series::SMA(L(q), 6, 2); }},
        {"WMA(C,V,4)", [&] { return Series::WMA(C(q), V(q), 4); }},
        {"HHV(H,6)", [&] { return Series::HHV(H(q), 6); }},
        {"LLV(L,6)", [&] { return Series::LLV(L(q), 6); }},
        {"REF(C,3)", [&] { return Series::REF(C(q), 3); }},
        {"SUM(V,5)", [&] { return Series::SUM(V(q), 5); }},
        {"STD(C,8)", [&] { return Series::STD(C(q), 8); }},
        {"CROSS(C,MA(C,5))", [&] { return Series::CROSS(C(q), Series::MA(C(q), 5)); }},
        {"SAR(0.02,0.2)", [&] { return Series::SAR(q, 0.02f, 0.2f); }},
    };
    for (const auto& [text, library] : cases) {
        const auto outputs = EvaluateText(text, q);
        ASSERT_EQ(outputs.size(), 1u) << text;
        EXPECT_TRUE(SameBits(outputs[0].curve->values, library()->values)) << text;
        EXPECT_EQ(outputs[0].curve->name, text);
    }
}

TEST(FormulaEvaluationTest, DivisionByZeroGivesInvalidValues) {
    for (const char* text : {"C/0", "C/(C-C)", "1/0", "0/0", "C/(O-O)", "(H-L)/(V-V)"}) {
        const auto outputs = EvaluateText(text, kFour);
        ASSERT_EQ(outputs.size(), 1u) << text;
        ASSERT_EQ(outputs[0].curve->size(), 4u) << text;
        for (float v : outputs[0].curve->values) EXPECT_FALSE(std::isfinite(v)) << text;
    }
}

TEST(FormulaEvaluationTest, EmptySeriesGivesEmptyOutputs) {
    for (const char* text : {"EMA(C,3)", "SMA(C,3,1)", "HHV(C,2)", "STD(C,2)", "C/0", "5",
                             "SAR(0.02,0.2)", "MAX(C,1)"}) {
        const auto outputs = EvaluateText(text, CBarColumns());
        ASSERT_EQ(outputs.size(), 1u) << text;
        EXPECT_EQ(outputs[0].curve->size(), 0u) << text;
    }
}

} // namespace
