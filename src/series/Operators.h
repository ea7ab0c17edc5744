#pragma once
#include "CCurve.h"

// Element-wise arithmetic. Every value is read raw, so an invalid input value makes the
// result non-finite (invalid) there. Series inputs are consumed; results keep the
// construction defaults for colour, line style and draw kind. Lookback 0 throughout.
//
// Two-series functions need inputs of equal length; a mismatch is a caller's error (see
// LengthsAgree) and gives an all-invalid result of the first input's length.
namespace Series {

// Name a + "+" + b (and "-", "*", "/"); parameter text a.parameter + "," + b.parameter.
CurvePtr Add(CurvePtr a, CurvePtr b);
CurvePtr Sub(CurvePtr a, CurvePtr b);
CurvePtr Mul(CurvePtr a, CurvePtr b);
CurvePtr Div(CurvePtr a, CurvePtr b);

// With a constant shown as "%.2f" in the name; parameter text "NO Parameter".
CurvePtr AddK(CurvePtr x, float k); // x + k
CurvePtr KSub(float k, CurvePtr x); // k - x
CurvePtr MulK(CurvePtr x, float k); // x * k
// x / k; a k of 0.0 is replaced by 1.0e-7 before dividing (and shown as 0.00).
CurvePtr DivK(CurvePtr x, float k);
CurvePtr KDiv(float k, CurvePtr x); // k / x

// The largest of a, b, c: name "MAX(a,b,c)", parameter texts joined by ",". Lengths of b and
// c must match a's.
CurvePtr MAX(CurvePtr a, CurvePtr b, CurvePtr c);
// x where x > k, else k: name "MAX(x,k)", empty parameter text.
CurvePtr MaxK(CurvePtr x, float k);
// -x where x < 0, else x (so -0.0 stays -0.0): name "ABS(x)", x's parameter text.
CurvePtr ABS(CurvePtr x);

} // namespace Series
