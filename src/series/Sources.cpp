#include "Sources.h"
#include "CurveMaking.h"

namespace Series {
namespace {

CurvePtr Field(const std::vector<SQuote>& quotes, const char* name, float SQuote::*field) {
    auto y = NewCurve(quotes.size());
    y->name = name;
    y->parameter.clear();
    for (const SQuote& q : quotes) y->values.push_back(q.*field);
    return y;
}

} // namespace

CurvePtr C(const std::vector<SQuote>& quotes) {
    return Field(quotes, "C", &SQuote::close);
}
CurvePtr H(const std::vector<SQuote>& quotes) {
    return Field(quotes, "H", &SQuote::high);
}
CurvePtr L(const std::vector<SQuote>& quotes) {
    return Field(quotes, "L", &SQuote::low);
}
CurvePtr V(const std::vector<SQuote>& quotes) {
    return Field(quotes, "V", &SQuote::volume);
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
