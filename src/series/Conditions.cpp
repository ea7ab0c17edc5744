#include "Conditions.h"
#include "CurveMaking.h"

namespace Series {
namespace {

template <class Test> CurvePtr Compare(CurvePtr a, CurvePtr b, const char* op, Test holds) {
    return Pairwise(std::move(a), std::move(b), op,
                    [holds](float x, float y) { return holds(x, y) ? 1.0f : 0.0f; });
}

CurvePtr NewConditional(std::size_t bars, std::string name) {
    auto y = NewCurve(bars);
    y->name = std::move(name);
    y->parameter.clear();
    return y;
}

} // namespace

CurvePtr Greater(CurvePtr a, CurvePtr b) {
    return Compare(std::move(a), std::move(b), ">", [](float p, float q) { return p > q; });
}

CurvePtr GreaterEqual(CurvePtr a, CurvePtr b) {
    return Compare(std::move(a), std::move(b), ">=", [](float p, float q) { return p >= q; });
}

CurvePtr Equal(CurvePtr a, CurvePtr b) {
    return Compare(std::move(a), std::move(b), "==", [](float p, float q) { return p == q; });
}

CurvePtr Less(CurvePtr a, CurvePtr b) {
    return Compare(std::move(a), std::move(b), "<", [](float p, float q) { return p < q; });
}

CurvePtr IF(CurvePtr c, CurvePtr a, CurvePtr b) {
    const std::size_t bars = c->size();
    auto y = NewConditional(bars, "IF(" + c->name + "," + a->name + "," + b->name + ")");
    if (!LengthsAgree(bars, a->size()) || !LengthsAgree(bars, b->size()))
        return AllInvalid(std::move(y), bars);
    y->values = std::move(c->values);
    float* out = y->values.data();
    const float *p = a->values.data(), *q = b->values.data();
    for (std::size_t i = 0; i < bars; ++i) out[i] = out[i] != 0.0f ? p[i] : q[i];
    return y;
}

CurvePtr IfElseK(const CCurve& c, CurvePtr a, float k) {
    const std::size_t bars = c.size();
    auto y = NewConditional(bars, "IF(" + c.name + "," + a->name + "," + ConstantText(k) + ")");
    if (!LengthsAgree(bars, a->size())) return AllInvalid(std::move(y), bars);
    const bool selfTest = &c == a.get();
    y->values = std::move(a->values);
    float* out = y->values.data();
    // A condition that is the branch itself is read from the values taken over.
    const float* cond = selfTest ? out : c.values.data();
    for (std::size_t i = 0; i < bars; ++i) out[i] = cond[i] != 0.0f ? out[i] : k;
    return y;
}

CurvePtr IfKElse(CurvePtr c, float k, CurvePtr b) {
    const std::size_t bars = c->size();
    auto y = NewConditional(bars, "IF(" + c->name + "," + ConstantText(k) + "," + b->name + ")");
    if (!LengthsAgree(bars, b->size())) return AllInvalid(std::move(y), bars);
    y->values = std::move(b->values);
    float* out = y->values.data();
    const float* cond = c->values.data();
    for (std::size_t i = 0; i < bars; ++i) out[i] = cond[i] != 0.0f ? k : out[i];
    return y;
}

CurvePtr CROSS(CurvePtr a, CurvePtr b) {
    const std::size_t bars = a->size();
    auto y = NewCurve(bars);
    y->name = "CROSS(" + a->name + "," + b->name + ")";
    y->parameter = a->parameter + "," + b->parameter;
    if (!LengthsAgree(bars, b->size())) return AllInvalid(std::move(y), bars);
    if (bars == 0) return y;
    // Computed in the place of A's values, the bar before carried in locals.
    y->values = std::move(a->values);
    float* out = y->values.data();
    const float* q = b->values.data();
    float before = out[0], beforeOther = q[0];
    out[0] = 0.0f;
    for (std::size_t i = 1; i < bars; ++i) {
        const float now = out[i];
        const bool wasAtOrBelow = before <= beforeOther;
        const bool isAbove = now > q[i];
        out[i] = float(wasAtOrBelow & isAbove);
        before = now;
        beforeOther = q[i];
    }
    return y;
}

} // namespace Series
