#include "PaneSettingsDialog.h"
#include "CAxisSettingFormset.h"
#include "CChartTitleFormset.h"
#include "CChartWindowFormset.h"

std::function<bool(SPaneViewSettings&)> PaneSettingsDialog(EViewParPart part, QWidget* parent) {
    switch (part) {
    case EViewParPart::Title:
        return DialogOnCopy<CChartTitleFormset>(parent);
    case EViewParPart::Axis:
        return DialogOnCopy<CAxisSettingFormset>(parent);
    case EViewParPart::Window:
        break;
    }
    return DialogOnCopy<CChartWindowFormset>(parent);
}
