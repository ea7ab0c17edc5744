#pragma once
#include "CPaneSettingsFormset.h"

// "Chart Title Setting" (dialog 250): the title colour and the label font of one pane.
class CChartTitleFormset : public CPaneSettingsFormset {
public:
    static constexpr unsigned kDialogId = 250;
    CChartTitleFormset(const SPaneViewSettings& settings, QWidget* parent);
};
