#pragma once
#include <functional>
#include <vector>

class CZentriStockView;

// The views of one chart document, kept by whoever stacks the panes, so that one pane can
// have every pane scale itself again and the document redraw them all.
class CViewList {
public:
    void Add(CZentriStockView* view);
    void Remove(CZentriStockView* view);
    const std::vector<CZentriStockView*>& Views() const { return m_views; }

    // Called when every view of the document is to be repainted (the window invalidates).
    void SetRedrawRequest(std::function<void()> request) { m_redraw = std::move(request); }
    // Clears the manual scale of every view, then asks for the redraw.
    void RelayoutAll();
    void RedrawAll();
    int RedrawRequests() const { return m_redrawRequests; }

private:
    std::vector<CZentriStockView*> m_views;
    std::function<void()> m_redraw;
    int m_redrawRequests = 0;
};
