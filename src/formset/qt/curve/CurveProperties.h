#pragma once

class CCurve;
class CStock;
class CTradeFlag;
class QWidget;

// The properties dialogs of the chart's indicator curves and trade flags, for the chart
// window's element properties. Each shows the element's look; OK gives the element the edited
// look and stores it with the identifier entry of pane `pane` that built the element, so that
// every later rebuild of the pane (period change, reload, chart file, template) gives it
// again. True when OK changed the look. Cancel, Escape and the close button change nothing.
// An element that no entry of the pane built is changed without being stored.
bool ShowCurveProperties(QWidget* parent, CStock& series, int pane, CCurve& curve);
bool ShowTradeFlagProperties(QWidget* parent, CStock& series, int pane, CTradeFlag& flag);
