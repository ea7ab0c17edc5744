#include "Operators.h"
#include "CurveMaking.h"

namespace Series {
namespace {

template <class Op> CurvePtr EachValue(const CCurve& x, std::string name, Op value) {
    auto y = NewCurve(x.size());
    y->name = std::move(name);
    y->values.resize(x.size());
    float* out = y->values.data();
    const float* in = x.values.data();
    for (std::size_t i = 0; i < x.size(); ++i) out[i] = value(in[i]);
    return y;
}

} // namespace

CurvePtr Add(CurvePtr a, CurvePtr b) {
    return Pairwise(std::move(a), std::move(b), "+", [](float p, float q) { return p + q; });
}

CurvePtr Sub(CurvePtr a, CurvePtr b) {
    return Pairwise(std::move(a), std::move(b), "-", [](float p, float q) { return p - q; });
}

CurvePtr Mul(CurvePtr a, CurvePtr b) {
    return Pairwise(std::move(a), std::move(b), "*", [](float p, float q) { return p * q; });
}

CurvePtr Div(CurvePtr a, CurvePtr b) {
    return Pairwise(std::move(a), std::move(b), "/", [](float p, float q) { return p / q; });
}

CurvePtr AddK(CurvePtr x, float k) {
    return EachValue(*x, x->name + "+" + ConstantText(k), [k](float v) { return v + k; });
}

CurvePtr KSub(float k, CurvePtr x) {
    return EachValue(*x, ConstantText(k) + "-" + x->name, [k](float v) { return k - v; });
}

CurvePtr MulK(CurvePtr x, float k) {
    return EachValue(*x, x->name + "*" + ConstantText(k), [k](float v) { return v * k; });
}

CurvePtr DivK(CurvePtr x, float k) {
    // 1.0e-7 as the float with bits 33D6BF95.
    if (k == 0.0f) k = 1.0e-7f;
    return EachValue(*x, x->name + "/" + ConstantText(k), [k](float v) { return v / k; });
}

CurvePtr KDiv(float k, CurvePtr x) {
    return EachValue(*x, ConstantText(k) + "/" + x->name, [k](float v) { return k / v; });
}

CurvePtr MAX(CurvePtr a, CurvePtr b, CurvePtr c) {
    const std::size_t bars = a->size();
    auto y = NewCurve(bars);
    y->name = "MAX(" + a->name + "," + b->name + "," + c->name + ")";
    y->parameter = a->parameter + "," + b->parameter + "," + c->parameter;
    if (!LengthsAgree(bars, b->size()) || !LengthsAgree(bars, c->size()))
        return AllInvalid(std::move(y), bars);
    for (std::size_t i = 0; i < bars; ++i) {
        float m = a->RawAt(i);
        if (b->RawAt(i) > m) m = b->RawAt(i);
        if (c->RawAt(i) > m) m = c->RawAt(i);
        y->values.push_back(m);
    }
    return y;
}

CurvePtr MaxK(CurvePtr x, float k) {
    auto y = EachValue(*x, "MAX(" + x->name + "," + ConstantText(k) + ")",
                       [k](float v) { return v > k ? v : k; });
    y->parameter.clear();
    return y;
}

CurvePtr ABS(CurvePtr x) {
    auto y = EachValue(*x, "ABS(" + x->name + ")", [](float v) { return v < 0.0f ? -v : v; });
    y->parameter = x->parameter;
    return y;
}

} // namespace Series
