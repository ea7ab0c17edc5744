#pragma once
#include "CPaneSettingsFormset.h"

// "Chart Window Setting" (dialog 252): every display setting of one pane on four tabs
// (colours, grid, fonts, indicators), the indicators in their order with Remove, Up and Down.
class CChartWindowFormset : public CPaneSettingsFormset {
public:
    static constexpr unsigned kDialogId = 252;
    // The tab widget (no translated text of its own: the tab names come from the language
    // file's "Text" keys "TabColours", "TabGrid", "TabFonts" and "TabIndicators").
    static constexpr unsigned kTabs = 1040;
    CChartWindowFormset(const SPaneViewSettings& settings, QWidget* parent);
};
