#include "Oscillators.h"
#include "Averages.h"
#include "Conditions.h"
#include "CurveMaking.h"
#include "FormulaParts.h"
#include "Operators.h"
#include "Sources.h"
#include "Windows.h"

namespace IndicatorFormulas {
using namespace Series;

namespace {

struct SPeriodLook {
    int n;
    uint32_t colour;
};

CurvePtr Shown(CurvePtr curve, std::string name, int n, uint32_t colour) {
    curve->parameter = std::to_string(n);
    return WithLook(std::move(curve), std::move(name), colour);
}

SIndicatorCurves Volume(const CBarColumns& q, const char* name, int drawKind) {
    CurvePtr v = WithLook(V(q), name, RGB(0, 0, 255));
    v->drawKind = drawKind;
    SIndicatorCurves out;
    out.curves.push_back(std::move(v));
    return out;
}

// The money flow (typical price times volume) of the bars whose typical price moved the way
// `moved` tests, 0 on the others; summed over each period by the caller.
template <class Move> CurvePtr MovedMoneyFlow(const CBarColumns& q, const CCurve& t, Move moved) {
    CurvePtr direction = moved(Copy(t), REF(Copy(t), 1));
    return IfElseK(*direction, Mul(Copy(t), V(q)), 0.0f);
}

} // namespace

SIndicatorCurves STC(const CBarColumns& q) {
    auto [k, d] = SMAAndItsSMA(*StochasticRsv(q), 3, 1);
    k->lineStyle = 2;
    SIndicatorCurves out;
    out.curves.push_back(WithLook(std::move(k), "K", RGB(255, 127, 80)));
    out.curves.push_back(WithLook(std::move(d), "D", RGB(0, 255, 0)));
    out.referenceLevels = {20.0f, 80.0f};
    return out;
}

SIndicatorCurves MACD(const CBarColumns& q) {
    auto [dif, dea] = MacdDifAndDea(q);
    CurvePtr hist = Sub(Copy(*dif), Copy(*dea));
    hist->drawKind = 9;
    SIndicatorCurves out;
    out.curves.push_back(WithLook(std::move(hist), "MACD", RGB(0, 0, 0)));
    dea->name = "EMA(MACD)";
    out.curves.push_back(std::move(dea));
    out.curves.push_back(WithLook(std::move(dif), "DIV", RGB(165, 42, 42)));
    return out;
}

SIndicatorCurves VOL(const CBarColumns& q) {
    return Volume(q, "VOL", 6);
}

SIndicatorCurves VOLP(const CBarColumns& q) {
    return Volume(q, "VOLP", 11);
}

SIndicatorCurves ADX(const CBarColumns& q) {
    CurvePtr refC = REF(C(q), 1);
    CurvePtr highToClose = ABS(Sub(H(q), Copy(*refC)));
    CurvePtr closeToLow = ABS(Sub(std::move(refC), L(q)));
    CurvePtr tr = MAX(ABS(Sub(H(q), L(q))), std::move(highToClose), std::move(closeToLow));
    CurvePtr up = MaxK(Sub(H(q), REF(H(q), 1)), 0.0f);
    CurvePtr dn = MaxK(Sub(L(q), REF(L(q), 1)), 0.0f);
    const SAveraged smoothed[] = {{tr.get(), 14}, {up.get(), 14}, {dn.get(), 14}};
    std::vector<CurvePtr> e = EMAs(smoothed);
    CurvePtr etr = std::move(e[0]), eup = std::move(e[1]), edn = std::move(e[2]);
    CurvePtr pdi = MulK(Div(std::move(eup), Copy(*etr)), 100.0f);
    CurvePtr mdi = MulK(Div(std::move(edn), std::move(etr)), 100.0f);
    CurvePtr spread = Sub(Copy(*pdi), Copy(*mdi));
    CurvePtr dx = MulK(Div(std::move(spread), Add(std::move(pdi), std::move(mdi))), 100.0f);
    CurvePtr adx = Series::SMA(Copy(*dx), 14, 1);
    SIndicatorCurves out;
    out.curves.push_back(Shown(std::move(dx), "DX", 14, RGB(0, 0, 255)));
    out.curves.push_back(WithLook(std::move(adx), "ADX", RGB(255, 0, 0)));
    return out;
}

SIndicatorCurves ATR(const CBarColumns& q) {
    CurvePtr refC = REF(C(q), 1);
    CurvePtr highToClose = ABS(Sub(H(q), Copy(*refC)));
    CurvePtr lowToClose = ABS(Sub(L(q), std::move(refC)));
    CurvePtr tr = MAX(ABS(Sub(H(q), L(q))), std::move(highToClose), std::move(lowToClose));
    SIndicatorCurves out;
    constexpr int kPeriods[] = {7, 14, 20};
    std::vector<CurvePtr> averages = MAs(*tr, kPeriods);
    for (std::size_t k = 0; k < averages.size(); ++k)
        out.curves.push_back(
            Shown(std::move(averages[k]), "ATR", kPeriods[k], PeriodColour(kPeriods[k])));
    return out;
}

SIndicatorCurves CCI(const CBarColumns& q) {
    CurvePtr t = TypicalPrice(q);
    constexpr SPeriodLook kLooks[] = {{5, RGB(255, 0, 0)}, {14, RGB(210, 105, 30)},
                                      {20, RGB(128, 0, 128)}};
    constexpr int kPeriods[] = {kLooks[0].n, kLooks[1].n, kLooks[2].n};
    std::vector<CurvePtr> means = MAs(*t, kPeriods);
    std::vector<CurvePtr> deviations;
    std::vector<SAveraged> averaged;
    for (std::size_t k = 0; k < means.size(); ++k) {
        deviations.push_back(ABS(Sub(Copy(*t), Copy(*means[k]))));
        averaged.push_back({deviations.back().get(), kPeriods[k]});
    }
    std::vector<CurvePtr> meanDeviations = MAs(averaged);
    SIndicatorCurves out;
    for (std::size_t k = 0; k < means.size(); ++k) {
        CurvePtr cci = Div(Sub(Copy(*t), std::move(means[k])), MulK(std::move(meanDeviations[k]), 0.015f));
        out.curves.push_back(Shown(std::move(cci), "CCI", kLooks[k].n, kLooks[k].colour));
    }
    return out;
}

SIndicatorCurves MTM(const CBarColumns& q) {
    CurvePtr mtm = WithLook(Sub(C(q), REF(C(q), 10)), "MTM", RGB(255, 0, 0));
    SIndicatorCurves out;
    constexpr int kPeriods[] = {5, 10, 20};
    out.curves = EMAs(*mtm, kPeriods);
    out.curves.insert(out.curves.begin(), std::move(mtm));
    return out;
}

SIndicatorCurves ROC(const CBarColumns& q) {
    SIndicatorCurves out;
    for (SPeriodLook look : {SPeriodLook{7, RGB(0, 128, 0)}, SPeriodLook{14, RGB(85, 107, 47)},
                             SPeriodLook{20, RGB(50, 205, 50)}}) {
        CurvePtr c = C(q);
        CurvePtr r = REF(Copy(*c), look.n);
        CurvePtr change = Sub(std::move(c), Copy(*r));
        CurvePtr roc = Div(std::move(change), std::move(r));
        out.curves.push_back(Shown(std::move(roc), "ROC", look.n, look.colour));
    }
    return out;
}

SIndicatorCurves MFI(const CBarColumns& q) {
    CurvePtr t = TypicalPrice(q);
    const CurvePtr rising = MovedMoneyFlow(q, *t, Greater);
    const CurvePtr falling = MovedMoneyFlow(q, *t, Less);
    constexpr SPeriodLook kLooks[] = {{14, RGB(255, 127, 80)}, {20, RGB(70, 130, 180)},
                                      {30, RGB(199, 21, 133)}};
    std::vector<SAveraged> summed;
    for (SPeriodLook look : kLooks) {
        summed.push_back({rising.get(), look.n});
        summed.push_back({falling.get(), look.n});
    }
    std::vector<CurvePtr> sums = SUMs(summed);
    SIndicatorCurves out;
    for (std::size_t k = 0; k < std::size(kLooks); ++k) {
        const SPeriodLook look = kLooks[k];
        CurvePtr pos = std::move(sums[2 * k]), neg = std::move(sums[2 * k + 1]);
        CurvePtr mfi = KSub(100.0f, KDiv(100.0f, AddK(Div(std::move(pos), std::move(neg)), 1.0f)));
        out.curves.push_back(Shown(std::move(mfi), "MFI", look.n, look.colour));
    }
    return out;
}

SIndicatorCurves OBV(const CBarColumns& q) {
    CurvePtr signedVolume = IF(Greater(C(q), REF(C(q), 1)), V(q), MulK(V(q), -1.0f));
    CurvePtr flowVolume = IfKElse(Equal(C(q), REF(C(q), 1)), 0.0f, std::move(signedVolume));
    CurvePtr obv = WithLook(SUM(std::move(flowVolume), 0), "OBV", RGB(255, 0, 0));
    SIndicatorCurves out;
    constexpr int kPeriods[] = {5, 10, 30};
    for (CurvePtr& average : MAs(*obv, kPeriods)) out.curves.push_back(std::move(average));
    out.curves.insert(out.curves.begin(), std::move(obv));
    return out;
}

SIndicatorCurves RSI(const CBarColumns& q) {
    CurvePtr r = REF(C(q), 1);
    CurvePtr up = IfElseK(*GreaterEqual(C(q), Copy(*r)), Sub(C(q), Copy(*r)), 0.0f);
    CurvePtr dn = IfElseK(*Less(C(q), Copy(*r)), Sub(Copy(*r), C(q)), 0.0f);
    constexpr SPeriodLook kLooks[] = {{9, RGB(0, 0, 205)}, {11, RGB(186, 85, 211)},
                                      {25, RGB(255, 99, 71)}};
    std::vector<SAveraged> averaged;
    for (SPeriodLook look : kLooks) {
        averaged.push_back({up.get(), look.n});
        averaged.push_back({dn.get(), look.n});
    }
    std::vector<CurvePtr> smoothed = SMAs(averaged, 1);
    SIndicatorCurves out;
    for (std::size_t k = 0; k < std::size(kLooks); ++k) {
        const SPeriodLook look = kLooks[k];
        CurvePtr su = std::move(smoothed[2 * k]), sd = std::move(smoothed[2 * k + 1]);
        CurvePtr gains = Copy(*su);
        CurvePtr rsi = MulK(Div(std::move(gains), Add(std::move(su), std::move(sd))), 100.0f);
        out.curves.push_back(Shown(std::move(rsi), "RSI", look.n, look.colour));
    }
    out.referenceLevels = {30.0f, 70.0f};
    return out;
}

SIndicatorCurves VOLA(const CBarColumns& q) {
    const CurvePtr range = Sub(H(q), L(q));
    const CurvePtr rangeBefore = Sub(REF(H(q), 10), REF(L(q), 10));
    const SAveraged averaged[] = {{range.get(), 10}, {rangeBefore.get(), 10}};
    std::vector<CurvePtr> e = EMAs(averaged);
    CurvePtr a = std::move(e[0]), b = std::move(e[1]);
    CurvePtr change = Sub(std::move(a), Copy(*b));
    CurvePtr vola = MulK(Div(std::move(change), std::move(b)), 100.0f);
    SIndicatorCurves out;
    out.curves.push_back(Shown(std::move(vola), "VOLA", 10, RGB(255, 0, 0)));
    return out;
}

SIndicatorCurves VAO(const CBarColumns& q) {
    CurvePtr vao = Div(Sub(Sub(C(q), L(q)), Sub(H(q), C(q))), Mul(Sub(H(q), C(q)), V(q)));
    vao->parameter.clear();
    SIndicatorCurves out;
    out.curves.push_back(WithLook(std::move(vao), "VAO", RGB(0, 0, 255)));
    return out;
}

SIndicatorCurves WR(const CBarColumns& q) {
    SIndicatorCurves out;
    for (SPeriodLook look : {SPeriodLook{10, RGB(0, 255, 0)}, SPeriodLook{14, RGB(0, 255, 255)}}) {
        CurvePtr hh = HHV(H(q), look.n);
        CurvePtr ll = LLV(L(q), look.n);
        CurvePtr range = Sub(Copy(*hh), std::move(ll));
        CurvePtr wr = MulK(MulK(Div(Sub(std::move(hh), C(q)), std::move(range)), 100.0f), -1.0f);
        out.curves.push_back(Shown(std::move(wr), "Williams %R", look.n, look.colour));
    }
    out.referenceLevels = {-20.0f, -80.0f};
    return out;
}

} // namespace IndicatorFormulas
