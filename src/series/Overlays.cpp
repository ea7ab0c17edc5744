#include "Overlays.h"
#include "Averages.h"
#include "CurveMaking.h"
#include "FormulaParts.h"
#include "Operators.h"
#include "ParabolicSar.h"
#include "Sources.h"
#include "Windows.h"
#include <algorithm>

namespace IndicatorFormulas {
using namespace Series;

namespace {

constexpr int kAveragePeriods[] = {5, 10, 30, 60};

// The two slow averages stand out from the period colours.
uint32_t AverageColour(int n) {
    if (n == 30) return RGB(255, 0, 0);
    if (n == 60) return RGB(0, 0, 255);
    return PeriodColour(n);
}

SIndicatorCurves FourAverages(std::vector<CurvePtr> averages) {
    SIndicatorCurves out;
    for (std::size_t k = 0; k < averages.size(); ++k) {
        averages[k]->colour = AverageColour(kAveragePeriods[k]);
        out.curves.push_back(std::move(averages[k]));
    }
    return out;
}

} // namespace

SIndicatorCurves SMA(const CBarColumns& q) {
    return FourAverages(MAs(q, kAveragePeriods));
}

SIndicatorCurves WMA(const CBarColumns& q) {
    return FourAverages(WMAs(*C(q), *V(q), kAveragePeriods));
}

SIndicatorCurves EMA(const CBarColumns& q) {
    return FourAverages(EMAs(*C(q), kAveragePeriods));
}

SIndicatorCurves BOL(const CBarColumns& q) {
    auto [m, s] = MAAndSTD(q, 20);
    CurvePtr u = Add(Copy(*m), MulK(Copy(*s), 2.0f));
    CurvePtr lo = Sub(Copy(*m), MulK(std::move(s), 2.0f));
    m->name = "M Band";
    SIndicatorCurves out;
    out.curves.push_back(WithLook(std::move(u), "U Band", RGB(0, 0, 255)));
    out.curves.push_back(std::move(m));
    out.curves.push_back(WithLook(std::move(lo), "L Band", RGB(0, 0, 255)));
    return out;
}

SIndicatorCurves MAE(const CBarColumns& q) {
    CurvePtr m = MA(C(q), 20);
    CurvePtr u = Add(Copy(*m), MulK(Copy(*m), 0.15f));
    CurvePtr d = Add(Copy(*m), MulK(Copy(*m), -0.15f));
    m->name = "M Band";
    SIndicatorCurves out;
    out.curves.push_back(std::move(m));
    out.curves.push_back(WithLook(std::move(u), "U Band", RGB(238, 130, 238)));
    out.curves.push_back(WithLook(std::move(d), "D Band", RGB(238, 130, 238)));
    return out;
}

SIndicatorCurves SAR(const CBarColumns& q) {
    CurvePtr sar = Series::SAR(q, 0.02f, 0.2f);
    sar->lineStyle = 1;
    sar->drawKind = 0;
    sar->colour = sar->extraColour1 = sar->extraColour2 = RGB(255, 0, 0);
    SIndicatorCurves out;
    out.curves.push_back(std::move(sar));
    return out;
}

SIndicatorCurves KC(const CBarColumns& q) {
    CurvePtr t = TypicalPrice(q);
    const CurvePtr spread = Sub(H(q), L(q));
    const SAveraged averaged[] = {{t.get(), 15}, {spread.get(), 15}};
    std::vector<CurvePtr> m = MAs(averaged);
    CurvePtr mt = std::move(m[0]), range = std::move(m[1]);
    CurvePtr u = Add(Copy(*mt), Copy(*range));
    CurvePtr lo = Sub(std::move(mt), std::move(range));
    t->parameter.clear();
    u->parameter = lo->parameter = "15";
    SIndicatorCurves out;
    out.curves.push_back(WithLook(std::move(t), "M Band", RGB(128, 128, 0)));
    out.curves.push_back(WithLook(std::move(u), "U Band", RGB(0, 0, 128)));
    out.curves.push_back(WithLook(std::move(lo), "L Band", RGB(0, 0, 128)));
    return out;
}

int FiftyTwoWeekWindow(int periodType, int nDays) {
    switch (periodType) {
    case 1:
        return 52;
    case 2:
        return 12;
    case 3:
        return nDays >= 1 ? std::max(364 / nDays, 1) : 364;
    default:
        return 364;
    }
}

SIndicatorCurves FiftyTwoWeekHighLow(const CBarColumns& q, int periodType, int nDays) {
    const int n = FiftyTwoWeekWindow(periodType, nDays);
    CurvePtr hi = HHV(H(q), n);
    CurvePtr lo = LLV(L(q), n);
    SIndicatorCurves out;
    out.curves.push_back(WithLook(std::move(hi), "52WK High", RGB(128, 128, 0)));
    out.curves.push_back(WithLook(std::move(lo), "52WK Low", RGB(0, 0, 128)));
    return out;
}

} // namespace IndicatorFormulas
