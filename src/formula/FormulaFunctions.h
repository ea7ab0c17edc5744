#pragma once
#include "quotes/CBarColumns.h"
#include "series/CCurve.h"
#include <string>
#include <string_view>
#include <vector>

// One argument of a call as evaluated: a series, or a number where the formula wrote one.
struct SFormulaArgument {
    CurvePtr series;
    float number = 0.0f;
};

// A series function a formula can call: its name, its arguments (one letter each: s a series,
// where a number stands for a series of that value, n a whole number, k a number) and how it
// maps to the series library.
struct SFormulaFunction {
    const char* name;
    const char* arguments;
    CurvePtr (*evaluate)(std::vector<SFormulaArgument>& args, const CBarColumns& quotes);
};

namespace FormulaFunctions {
// The table of functions; a name may appear once per argument count.
const std::vector<SFormulaFunction>& Table();
// The place in Table() of `name` with `count` arguments, -1 when there is none.
int Find(std::string_view name, std::size_t count);
// True when some entry has `name`.
bool Known(std::string_view name);
// "MA(series, whole number)" for each entry of `name`, joined by " or ".
std::string Forms(std::string_view name);
// A series of `bars` values equal to k.
CurvePtr Constant(std::size_t bars, float k);
// The argument as a series: itself, or its number over every bar.
CurvePtr AsSeries(SFormulaArgument& arg, std::size_t bars);
} // namespace FormulaFunctions
