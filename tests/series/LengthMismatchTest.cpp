#include "SeriesTestSupport.h"
#include "series/Averages.h"
#include "series/Conditions.h"
#include "series/FlagSeries.h"
#include "series/Operators.h"

// What release builds do with inputs of different lengths (a caller's error): a result of the
// first input's length with no valid value, never one of the inputs. This program links a
// copy of the library built without assertions, so it checks that behaviour in every build
// type.
using namespace Series;

namespace {

using Binary = CurvePtr (*)(CurvePtr, CurvePtr);

const struct {
    const char* name;
    Binary fn;
} kBinary[] = {{"Add", Add},     {"Sub", Sub},         {"Mul", Mul},
               {"Div", Div},     {"Greater", Greater}, {"GreaterEqual", GreaterEqual},
               {"Equal", Equal}, {"Less", Less},       {"CROSS", CROSS}};

} // namespace

TEST(LengthMismatch, TwoSeriesFunctionsGiveAnInvalidResultOfTheFirstLength) {
    for (const auto& f : kBinary) {
        for (auto [first, second] : {std::pair{5, 4}, std::pair{4, 5}, std::pair{0, 3}}) {
            auto a = MakeCurve(std::vector<float>(first, 1.0f), "A");
            const CCurve* input = a.get();
            CurvePtr y = f.fn(std::move(a), MakeCurve(std::vector<float>(second, 2.0f), "B"));
            EXPECT_NE(y.get(), input) << f.name;
            EXPECT_TRUE(SameBits(y->values, std::vector<float>(first, kInf))) << f.name;
        }
    }
}

TEST(LengthMismatch, WeightedAverageMaxAndConditionalsToo) {
    const auto bars = [](int n) { return MakeCurve(std::vector<float>(n, 1.0f)); };
    const std::vector<float> five(5, kInf);
    EXPECT_TRUE(SameBits(WMA(bars(5), bars(4), 2)->values, five));
    EXPECT_TRUE(SameBits(MAX(bars(5), bars(5), bars(4))->values, five));
    EXPECT_TRUE(SameBits(MAX(bars(5), bars(6), bars(5))->values, five));
    // The condition sets the length: a longer condition is never read past its branches.
    EXPECT_TRUE(SameBits(IF(bars(5), bars(4), bars(4))->values, five));
    EXPECT_TRUE(SameBits(IF(bars(5), bars(5), bars(4))->values, five));
    EXPECT_TRUE(SameBits(IfElseK(*bars(5), bars(4), 0.0f)->values, five));
    EXPECT_TRUE(SameBits(IfKElse(bars(5), 0.0f, bars(6))->values, five));
}

TEST(LengthMismatch, FlagSeriesGetsNoFlag) {
    const STradeFlagData f = FlagSeries(MakeCurve({1, 1, 1}), MakeCurve({5, 6}), 1);
    EXPECT_TRUE(SameBits(f.values, {0, 0, 0}));
    EXPECT_EQ(f.direction, 1);
}
