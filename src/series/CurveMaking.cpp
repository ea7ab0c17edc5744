#include "CurveMaking.h"
#include <cassert>
#include <cstdio>

namespace Series {

CurvePtr NewCurve(std::size_t bars) {
    auto curve = std::make_unique<CCurve>();
    curve->values.reserve(bars);
    return curve;
}

CurvePtr NewPeriodCurve(std::size_t bars, std::string name, int period) {
    auto curve = NewCurve(bars);
    curve->name = std::move(name);
    curve->parameter = std::to_string(period);
    curve->colour = PeriodColour(period);
    curve->lineStyle = 1;
    return curve;
}

CurvePtr WithLook(CurvePtr curve, std::string name, uint32_t colour) {
    curve->name = std::move(name);
    curve->colour = colour;
    return curve;
}

std::string ConstantText(float k) {
    char text[64];
    std::snprintf(text, sizeof text, "%.2f", double(k));
    return text;
}

bool LengthsAgree(std::size_t first, std::size_t other) {
    assert(first == other && "series inputs of different lengths");
    return first == other;
}

CurvePtr AllInvalid(CurvePtr result, std::size_t bars) {
    result->values.assign(bars, kInvalid);
    return result;
}

} // namespace Series
