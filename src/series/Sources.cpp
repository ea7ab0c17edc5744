#include "Sources.h"
#include "CurveMaking.h"

namespace Series {
namespace {

CurvePtr Field(const std::vector<float>& column, const char* name) {
    auto y = NewCurve(0);
    y->name = name;
    y->parameter.clear();
    y->values = column;
    return y;
}

} // namespace

CurvePtr C(const CBarColumns& quotes) {
    return Field(quotes.Close(), "C");
}
CurvePtr H(const CBarColumns& quotes) {
    return Field(quotes.High(), "H");
}
CurvePtr L(const CBarColumns& quotes) {
    return Field(quotes.Low(), "L");
}
CurvePtr V(const CBarColumns& quotes) {
    return Field(quotes.Volume(), "V");
}

CurvePtr Copy(const CCurve& x) {
    auto y = NewCurve(0);
    y->values = x.values;
    y->colour = x.colour;
    y->lineStyle = x.lineStyle;
    y->drawKind = x.drawKind;
    y->name = x.name;
    y->parameter = x.parameter;
    return y;
}

} // namespace Series
