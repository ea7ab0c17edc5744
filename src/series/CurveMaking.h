#pragma once
#include "CCurve.h"
#include <cstddef>
#include <string>

// Helpers shared by the series functions: result curves, their texts and the length rule.
namespace Series {

// A new curve with the construction defaults and room for `bars` values.
CurvePtr NewCurve(std::size_t bars);
// A new curve named `name` with parameter text `period` ("%d") and the period colour.
CurvePtr NewPeriodCurve(std::size_t bars, std::string name, int period);

// Gives `curve` the name and colour it is shown with.
CurvePtr WithLook(CurvePtr curve, std::string name, uint32_t colour);

// A constant as it appears in a name: "%.2f".
std::string ConstantText(float k);

// True when a later input has as many bars as the first. A mismatch is a caller's error:
// it asserts in debug builds; release builds go on with an all-invalid result.
bool LengthsAgree(std::size_t first, std::size_t other);
// Fills `result` with `bars` invalid values and returns it.
CurvePtr AllInvalid(CurvePtr result, std::size_t bars);

// Y[i] = value(A[i], B[i]) with the name A op B; consumes both; all invalid when the
// lengths differ. Y takes over A's values and is computed in their place.
template <class Op> CurvePtr Pairwise(CurvePtr a, CurvePtr b, const char* op, Op value) {
    const std::size_t bars = a->size();
    auto y = NewCurve(0);
    y->name = a->name + op + b->name;
    y->parameter = a->parameter + "," + b->parameter;
    if (!LengthsAgree(bars, b->size())) return AllInvalid(std::move(y), bars);
    y->values = std::move(a->values);
    float* out = y->values.data();
    const float* q = b->values.data();
    for (std::size_t i = 0; i < bars; ++i) out[i] = value(out[i], q[i]);
    return y;
}

} // namespace Series
