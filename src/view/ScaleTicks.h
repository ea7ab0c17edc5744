#pragma once

// The arithmetic of the value-scale ticks, in 32-bit floats in the order of the formulas.
namespace ScaleTicks {

// The decimal exponent of |x|: 0 for 0; otherwise n with 10^n <= |x| < 10^(n+1), searched
// from -49 to 49 by stepping powers of ten.
int DecimalExponent(float x);
// 10^n by repeated multiplication with 10.0 or 0.1.
float PowerOfTen(int n);
// x scaled to one digit before the point: x * 10^-e(x).
float Mantissa(float x);
// The step multiplier for q = mantissa / rows: 0, 0.1, 0.2, 0.5, 1, 2 or 5.
float NiceStep(float q);
// The first tick at or above yMin for a step multiplier s and a range exponent.
float FirstTick(float yMin, float s, int rangeExponent);

struct SYTicks {
    float first = 0;
    float step = 0;
    int count = 0; // at most the tick table's capacity
};

// The ticks of a scale starting at yMin and spanning yRange over `height` pixels with cells
// of at most `cellMaxY` pixels. A range that is zero, negative or not finite has no ticks.
SYTicks ComputeYTicks(float yMin, float yRange, int height, int cellMaxY);

} // namespace ScaleTicks
