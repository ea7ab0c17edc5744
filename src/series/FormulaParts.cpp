#include "FormulaParts.h"
#include "Averages.h"
#include "Operators.h"
#include "Sources.h"
#include "Windows.h"

namespace IndicatorFormulas {
using namespace Series;

CurvePtr TypicalPrice(const std::vector<SQuote>& q) {
    return DivK(Add(Add(H(q), L(q)), C(q)), 3.0f);
}

CurvePtr StochasticRsv(const std::vector<SQuote>& q) {
    return MulK(Div(Sub(C(q), LLV(L(q), 9)), Sub(HHV(H(q), 9), LLV(L(q), 9))), 100.0f);
}

CurvePtr MacdDif(const std::vector<SQuote>& q) {
    return Sub(Series::EMA(C(q), 12), Series::EMA(C(q), 26));
}

} // namespace IndicatorFormulas
