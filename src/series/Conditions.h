#pragma once
#include "CCurve.h"

// Comparisons, conditionals and crossings. Conditions hold 1.0 (true) and 0.0 (false); where a
// condition is read, any value other than 0.0 is true (the invalid value included). Values
// are read raw. Lookback 0 throughout.
//
// Inputs of different lengths are a caller's error (see LengthsAgree) and give an all-invalid
// result of the first input's length.
namespace Series {

// 1.0 where a > b (>=, ==, <): name a + ">" + b (">=", "==", "<"), parameter texts joined
// by ",". Both consumed.
CurvePtr Greater(CurvePtr a, CurvePtr b);
CurvePtr GreaterEqual(CurvePtr a, CurvePtr b);
CurvePtr Equal(CurvePtr a, CurvePtr b);
CurvePtr Less(CurvePtr a, CurvePtr b);

// a[i] where c[i] != 0, else b[i]: name "IF(c,a,b)", empty parameter text. All consumed.
CurvePtr IF(CurvePtr c, CurvePtr a, CurvePtr b);
// a[i] where c[i] != 0, else k. The condition stays with the caller; a is consumed.
CurvePtr IfElseK(const CCurve& c, CurvePtr a, float k);
// k where c[i] != 0, else b[i]. Both consumed.
CurvePtr IfKElse(CurvePtr c, float k, CurvePtr b);

// 1.0 at bar i >= 1 where a[i-1] <= b[i-1] and a[i] > b[i], else 0.0 (bar 0 is 0.0): name
// "CROSS(a,b)", parameter texts joined by ",". Both consumed.
CurvePtr CROSS(CurvePtr a, CurvePtr b);

} // namespace Series
