#include "PenStyles.h"

namespace PenStyles {

int ToolPenStyle(int lineStyle) {
    switch (lineStyle) {
    case 2:
        return kPenDash;
    case 3:
        return kPenDot;
    case 4:
        return kPenDashDot;
    case 5:
        return kPenDashDotDot;
    default:
        return kPenSolid;
    }
}

int PricePenStyle(int stored) {
    return stored >= kPenSolid && stored <= kPenDashDotDot ? stored : kPenSolid;
}

} // namespace PenStyles
