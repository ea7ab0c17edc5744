#pragma once
#include "CCostDistribution.h"
#include "CTCurve.h"
#include "quotes/CStockPaneHost.h"
#include <cstddef>
#include <memory>
#include <vector>

class CStock;

// The panes of one price series, index = pane number, installed in the series as its pane
// host: the series clears their curve data, has their indicators replayed after every load
// and period change, and asks pane 0 for the range of its curves.
class CStockPanes : public CStockPaneHost {
public:
    CStockPanes();
    ~CStockPanes() override;

    // The pane set of `stock`, or null when it has none (or another kind of host).
    static CStockPanes* Of(CStock& stock);
    static const CStockPanes* Of(const CStock& stock);
    // The pane set of `stock`, installed first when it has none.
    static CStockPanes& InstallIn(CStock& stock);

    std::size_t Count() const { return m_panes.size(); }
    // Null beyond the last pane.
    CTCurve* Pane(int number);
    const CTCurve* Pane(int number) const;
    // The series this set is installed in; null before InstallIn.
    const CStock* Stock() const { return m_stock; }
    // True when `pane` is one of this set's panes.
    bool Holds(const CTCurve* pane) const;
    // The cost distribution of the series' display bars, one record per bar.
    const CCostDistribution& CostDistribution() const { return m_costDistribution; }

    // The pane, created with the name "NoName" (together with any missing pane below it)
    // when the array is shorter. `number` must not be negative.
    CTCurve& PaneAt(int number);

    void ClearCurveData(CStock& stock) override;
    void ClearCostDistribution(CStock& stock) override;
    void RebuildCostDistribution(CStock& stock) override;
    void ReplayIndicators(CStock& stock) override;
    void RebindPanes(CStock& stock) override;
    void RemapElements(CStock& stock, const std::vector<int32_t>& previousDates) override;
    void SetPaneWindow(CStock& stock, int first, int end) override;
    bool PricePaneCurveRange(CStock& stock, float& high, float& low) override;
    // Rebuilds pane `number` from its identifier list as ReplayIndicators does every pane,
    // then sets its window. Unlike the whole replay, which leaves a pane without a list as
    // it is, an empty list here leaves the pane without curves, flags and reference lines
    // (the user's drawings stay). Nothing for a pane that does not exist. Either replay builds
    // at most the first CViewPar::kMaxIdentifiers entries of a list.
    void ReplayPane(CStock& stock, int number);

private:
    void RebuildPane(CStock& stock, int number, bool clearWhenEmpty);
    void Bind(CTCurve& pane) const;

    std::vector<std::unique_ptr<CTCurve>> m_panes;
    // The series this set is installed in; its display bars are what elements snap to.
    const CStock* m_stock = nullptr;
    CCostDistribution m_costDistribution;
};
