#pragma once
#include <cstdint>
#include <vector>

class CStock;

// What the price series needs from the panes that hang on it. The panes, their curves, the
// indicator builders and the cost distribution live in the indicator module above this one;
// that module installs an implementation in the series. Every call is made on the
// user-interface thread, with the series in the state the comment describes.
class CStockPaneHost {
public:
    virtual ~CStockPaneHost() = default;

    // Empty the value array of every curve of every pane; the curves themselves stay.
    virtual void ClearCurveData(CStock& stock) = 0;
    // Empty the cost distribution table.
    virtual void ClearCostDistribution(CStock& stock) = 0;
    // Rebuild the cost distribution table from the new display series.
    virtual void RebuildCostDistribution(CStock& stock) = 0;
    // Run, for each pane in order and each identifier of its list in order, the matching
    // indicator builder without recording it.
    virtual void ReplayIndicators(CStock& stock) = 0;
    // Point every pane at the display series, which has just been rebuilt.
    virtual void RebindPanes(CStock& stock) = 0;
    // Move every drawing element of every pane from the bars of the previous display series
    // (their dates, oldest first) to the bars of the new one that hold the same dates.
    virtual void RemapElements(CStock& stock, const std::vector<int32_t>& previousDates) = 0;
    // Give every pane the display window so it can recompute the range of its curves.
    virtual void SetPaneWindow(CStock& stock, int first, int end) = 0;
    // When the price pane holds curves: true with their highest and lowest value in the
    // window last given; false when there is no price pane or it holds no curve.
    virtual bool PricePaneCurveRange(CStock& stock, float& high, float& low) = 0;
};
