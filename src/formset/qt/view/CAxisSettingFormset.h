#pragma once
#include "CPaneSettingsFormset.h"

// "Axis Setting" (dialog 251): the axis text colour and font, the frame colour, the grid
// line style, the largest grid cell across and down, and both grid switches of one pane.
class CAxisSettingFormset : public CPaneSettingsFormset {
public:
    static constexpr unsigned kDialogId = 251;
    CAxisSettingFormset(const SPaneViewSettings& settings, QWidget* parent);
};
