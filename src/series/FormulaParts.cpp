#include "FormulaParts.h"
#include "Averages.h"
#include "Operators.h"
#include "Sources.h"
#include "Windows.h"

namespace IndicatorFormulas {
using namespace Series;

CurvePtr TypicalPrice(const CBarColumns& q) {
    return DivK(Add(Add(H(q), L(q)), C(q)), 3.0f);
}

CurvePtr StochasticRsv(const CBarColumns& q) {
    // The lowest low is the same series in both places: compute it once.
    CurvePtr lowest = LLV(L(q), 9);
    CurvePtr aboveLow = Sub(C(q), Copy(*lowest));
    return MulK(Div(std::move(aboveLow), Sub(HHV(H(q), 9), std::move(lowest))), 100.0f);
}

std::pair<CurvePtr, CurvePtr> MacdDifAndDea(const CBarColumns& q) {
    return EMADifferenceAndSignal(*C(q), 12, 26, 9);
}

} // namespace IndicatorFormulas
