#include "FormulaFunctions.h"
#include "series/Averages.h"
#include "series/Conditions.h"
#include "series/CurveMaking.h"
#include "series/Operators.h"
#include "series/ParabolicSar.h"
#include "series/Sources.h"
#include "series/Windows.h"

namespace FormulaFunctions {
namespace {

using Args = std::vector<SFormulaArgument>;

int Whole(const SFormulaArgument& arg) {
    return static_cast<int>(arg.number);
}

CurvePtr S(Args& args, std::size_t i, const CBarColumns& q) {
    return AsSeries(args[i], q.size());
}

// A window or average of one series over a whole number of bars.
template <CurvePtr (*F)(CurvePtr, int)> CurvePtr Windowed(Args& args, const CBarColumns& q) {
    return F(S(args, 0, q), Whole(args[1]));
}

CurvePtr MovingAverage(CurvePtr x, int n) {
    return Series::MA(std::move(x), n);
}

CurvePtr Smoothed(Args& args, const CBarColumns& q) {
    return Series::SMA(S(args, 0, q), Whole(args[1]), Whole(args[2]));
}

CurvePtr Weighted(Args& args, const CBarColumns& q) {
    CurvePtr x = S(args, 0, q);
    return Series::WMA(std::move(x), S(args, 1, q), Whole(args[2]));
}

CurvePtr Largest2(Args& args, const CBarColumns& q) {
    if (!args[1].series && args[0].series) return Series::MaxK(S(args, 0, q), args[1].number);
    if (!args[0].series && args[1].series) return Series::MaxK(S(args, 1, q), args[0].number);
    CurvePtr a = S(args, 0, q);
    CurvePtr b = S(args, 1, q);
    CurvePtr again = Series::Copy(*b);
    return Series::MAX(std::move(a), std::move(b), std::move(again));
}

CurvePtr Largest3(Args& args, const CBarColumns& q) {
    CurvePtr a = S(args, 0, q);
    CurvePtr b = S(args, 1, q);
    return Series::MAX(std::move(a), std::move(b), S(args, 2, q));
}

CurvePtr Absolute(Args& args, const CBarColumns& q) {
    return Series::ABS(S(args, 0, q));
}

CurvePtr Crossing(Args& args, const CBarColumns& q) {
    CurvePtr a = S(args, 0, q);
    return Series::CROSS(std::move(a), S(args, 1, q));
}

// The library's constant forms where the formula wrote a number as one branch.
CurvePtr Conditional(Args& args, const CBarColumns& q) {
    CurvePtr c = S(args, 0, q);
    if (args[1].series && !args[2].series)
        return Series::IfElseK(*c, std::move(args[1].series), args[2].number);
    if (!args[1].series) return Series::IfKElse(std::move(c), args[1].number, S(args, 2, q));
    CurvePtr a = S(args, 1, q);
    return Series::IF(std::move(c), std::move(a), S(args, 2, q));
}

CurvePtr StopAndReverse(Args& args, const CBarColumns& q) {
    return Series::SAR(q, args[0].number, args[1].number);
}

std::string ArgumentWord(char kind) {
    switch (kind) {
    case 'n': return "whole number";
    case 'k': return "number";
    default: return "series";
    }
}

} // namespace

const std::vector<SFormulaFunction>& Table() {
    static const std::vector<SFormulaFunction> table = {
        {"MA", "sn", Windowed<MovingAverage>},
        {"EMA", "sn", Windowed<Series::EMA>},
        {"SMA", "snn", Smoothed},
        {"WMA", "ssn", Weighted},
        {"HHV", "sn", Windowed<Series::HHV>},
        {"LLV", "sn", Windowed<Series::LLV>},
        {"REF", "sn", Windowed<Series::REF>},
        {"SUM", "sn", Windowed<Series::SUM>},
        {"STD", "sn", Windowed<Series::STD>},
        {"MAX", "ss", Largest2},
        {"MAX", "sss", Largest3},
        {"ABS", "s", Absolute},
        {"CROSS", "ss", Crossing},
        {"IF", "sss", Conditional},
        {"SAR", "kk", StopAndReverse},
    };
    return table;
}

int Find(std::string_view name, std::size_t count) {
    const auto& table = Table();
    for (std::size_t i = 0; i < table.size(); ++i)
        if (name == table[i].name && std::string_view(table[i].arguments).size() == count)
            return static_cast<int>(i);
    return -1;
}

bool Known(std::string_view name) {
    for (const SFormulaFunction& f : Table())
        if (name == f.name) return true;
    return false;
}

std::string Forms(std::string_view name) {
    std::string forms;
    for (const SFormulaFunction& f : Table()) {
        if (name != f.name) continue;
        std::string form = std::string(f.name) + "(";
        for (const char* a = f.arguments; *a; ++a)
            form += (a == f.arguments ? "" : ", ") + ArgumentWord(*a);
        forms += (forms.empty() ? "" : " or ") + form + ")";
    }
    return forms;
}

CurvePtr Constant(std::size_t bars, float k) {
    CurvePtr y = Series::NewCurve(bars);
    y->name = Series::ConstantText(k);
    y->parameter.clear();
    y->values.assign(bars, k);
    return y;
}

CurvePtr AsSeries(SFormulaArgument& arg, std::size_t bars) {
    return arg.series ? std::move(arg.series) : Constant(bars, arg.number);
}

} // namespace FormulaFunctions
