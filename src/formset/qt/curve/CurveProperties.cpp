#include "CurveProperties.h"
#include "CCurveFormset.h"
#include "CTradeFlagFormset.h"
#include "indicators/CTradeFlag.h"
#include "indicators/IndicatorLooks.h"
#include "series/CCurve.h"

namespace {
// The dialog has checked that the look fits the room the store had, so keeping it cannot fail
// unless the store changed while the dialog was open; then nothing is changed.
bool Kept(ELookKept kept) {
    return kept == ELookKept::WithEntry || kept == ELookKept::ElementOnly;
}
} // namespace

bool ShowCurveProperties(QWidget* parent, CStock& series, int pane, CCurve& curve) {
    SCurveProperties properties = SCurveProperties::Of(curve, LookRoom(series, pane, curve));
    if (!DialogOnCopy<CCurveFormset>(parent)(properties)) return false;
    if (properties.look == SCurveLook::Of(curve)) return false;
    return Kept(ChangeCurveLook(series, pane, curve, properties.look));
}

bool ShowTradeFlagProperties(QWidget* parent, CStock& series, int pane, CTradeFlag& flag) {
    STradeFlagProperties properties = STradeFlagProperties::Of(flag, LookRoom(series, pane, flag));
    if (!DialogOnCopy<CTradeFlagFormset>(parent)(properties)) return false;
    if (properties.look == STradeFlagLook::Of(flag)) return false;
    return Kept(ChangeTradeFlagLook(series, pane, flag, properties.look));
}
