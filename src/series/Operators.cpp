#include "Operators.h"
#include "CurveMaking.h"

namespace Series {
namespace {

// Y[i] = value(X[i]), computed in the place of X's values, which Y takes over.
template <class Op> CurvePtr EachValue(CurvePtr x, std::string name, Op value) {
    auto y = NewCurve(0);
    y->name = std::move(name);
    y->values = std::move(x->values);
    float* out = y->values.data();
    for (std::size_t i = 0; i < y->values.size(); ++i) out[i] = value(out[i]);
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
    std::string name = x->name + "+" + ConstantText(k);
    return EachValue(std::move(x), std::move(name), [k](float v) { return v + k; });
}

CurvePtr KSub(float k, CurvePtr x) {
    std::string name = ConstantText(k) + "-" + x->name;
    return EachValue(std::move(x), std::move(name), [k](float v) { return k - v; });
}

CurvePtr MulK(CurvePtr x, float k) {
    std::string name = x->name + "*" + ConstantText(k);
    return EachValue(std::move(x), std::move(name), [k](float v) { return v * k; });
}

CurvePtr DivK(CurvePtr x, float k) {
    // 1.0e-7 as the float with bits 33D6BF95.
    if (k == 0.0f) k = 1.0e-7f;
    std::string name = x->name + "/" + ConstantText(k);
    return EachValue(std::move(x), std::move(name), [k](float v) { return v / k; });
}

CurvePtr KDiv(float k, CurvePtr x) {
    std::string name = ConstantText(k) + "/" + x->name;
    return EachValue(std::move(x), std::move(name), [k](float v) { return k / v; });
}

CurvePtr MAX(CurvePtr a, CurvePtr b, CurvePtr c) {
    const std::size_t bars = a->size();
    auto y = NewCurve(0);
    y->name = "MAX(" + a->name + "," + b->name + "," + c->name + ")";
    y->parameter = a->parameter + "," + b->parameter + "," + c->parameter;
    if (!LengthsAgree(bars, b->size()) || !LengthsAgree(bars, c->size()))
        return AllInvalid(std::move(y), bars);
    y->values = std::move(a->values);
    float* out = y->values.data();
    const float *p = b->values.data(), *q = c->values.data();
    for (std::size_t i = 0; i < bars; ++i) {
        float m = out[i];
        if (p[i] > m) m = p[i];
        if (q[i] > m) m = q[i];
        out[i] = m;
    }
    return y;
}

CurvePtr MaxK(CurvePtr x, float k) {
    std::string name = "MAX(" + x->name + "," + ConstantText(k) + ")";
    auto y = EachValue(std::move(x), std::move(name),
                       [k](float v) { return v > k ? v : k; });
    y->parameter.clear();
    return y;
}

CurvePtr ABS(CurvePtr x) {
    std::string parameter = x->parameter, name = "ABS(" + x->name + ")";
    auto y = EachValue(std::move(x), std::move(name), [](float v) { return v < 0.0f ? -v : v; });
    y->parameter = std::move(parameter);
    return y;
}

} // namespace Series
