#include "FlagSeries.h"
#include "CurveMaking.h"

namespace Series {

STradeFlagData FlagSeries(CurvePtr s, CurvePtr p, int direction) {
    STradeFlagData flags;
    flags.direction = direction;
    const std::size_t bars = s->size();
    if (!LengthsAgree(bars, p->size())) {
        flags.values.assign(bars, 0.0f);
        return flags;
    }
    flags.values.reserve(bars);
    for (std::size_t i = 0; i < bars; ++i)
        flags.values.push_back(s->RawAt(i) != 0.0f ? p->RawAt(i) : 0.0f);
    return flags;
}

} // namespace Series
