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
    y->values.resize(bars);
    float* out = y->values.data();
    const float *cond = c->values.data(), *p = a->values.data(), *q = b->values.data();
    for (std::size_t i = 0; i < bars; ++i) out[i] = cond[i] != 0.0f ? p[i] : q[i];
    return y;
}

CurvePtr IfElseK(const CCurve& c, CurvePtr a, float k) {
    const std::size_t bars = c.size();
    auto y = NewConditional(bars, "IF(" + c.name + "," + a->name + "," + ConstantText(k) + ")");
    if (!LengthsAgree(bars, a->size())) return AllInvalid(std::move(y), bars);
    y->values.resize(bars);
    float* out = y->values.data();
    const float *cond = c.values.data(), *p = a->values.data();
    for (std::size_t i = 0; i < bars; ++i) out[i] = cond[i] != 0.0f ? p[i] : k;
    return y;
}

CurvePtr IfKElse(CurvePtr c, float k, CurvePtr b) {
    const std::size_t bars = c->size();
    auto y = NewConditional(bars, "IF(" + c->name + "," + ConstantText(k) + "," + b->name + ")");
    if (!LengthsAgree(bars, b->size())) return AllInvalid(std::move(y), bars);
    y->values.resize(bars);
    float* out = y->values.data();
    const float *cond = c->values.data(), *q = b->values.data();
    for (std::size_t i = 0; i < bars; ++i) out[i] = cond[i] != 0.0f ? k : q[i];
    return y;
}

CurvePtr CROSS(CurvePtr a, CurvePtr b) {
    const std::size_t bars = a->size();
    auto y = NewCurve(bars);
    y->name = "CROSS(" + a->name + "," + b->name + ")";
    y->parameter = a->parameter + "," + b->parameter;
    if (!LengthsAgree(bars, b->size())) return AllInvalid(std::move(y), bars);
    if (bars == 0) return y;
    y->values.push_back(0.0f);
    for (std::size_t i = 1; i < bars; ++i) {
        const bool wasAtOrBelow = a->RawAt(i - 1) <= b->RawAt(i - 1);
        const bool isAbove = a->RawAt(i) > b->RawAt(i);
        y->values.push_back(wasAtOrBelow && isAbove ? 1.0f : 0.0f);
    }
    return y;
}

} // namespace Series
