#pragma once
#include <vector>

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

// Round ticks: the step of ComputeYTicks, but every tick a whole multiple of it, from the
// first multiple at or above yMin to the last at or below yMin + yRange (90, 92, 94 where
// ComputeYTicks gives 90.44, 92.44, 94.44). Each value is the float nearest the decimal
// multiple. At most the tick table's capacity; none where ComputeYTicks has none.
std::vector<float> RoundYTicks(float yMin, float yRange, int height, int cellMaxY);

// The ticks of a logarithmic scale from yMin to yMax (both above 0): powers of ten, with 2
// and 5 times each power where the rows leave room for three ticks a decade, and only every
// k-th power where they leave less than one; a scale of less than one decade, nearly even,
// takes the round ticks of its range. Empty for bounds a logarithmic scale cannot take.
std::vector<float> LogYTicks(float yMin, float yMax, int height, int cellMaxY);

} // namespace ScaleTicks
