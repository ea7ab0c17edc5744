#pragma once
#include "CViewList.h"
#include "CZentriStockView.h"
#include "ctlkit/dc/CDC.h"
#include <memory>
#include <vector>

class CStock;
class CZentriStockDoc;

// The panes of one chart window stacked from top to bottom, as the child frame's splitter
// holds them: one view per pane, a height for each visible pane, and the title-button toggle
// that lets one pane fill the window. The price pane gets two shares of the height, every
// indicator pane one; hidden panes get none.
class CPaneStack {
public:
    static constexpr int kPricePaneWeight = 2;
    static constexpr int kIndicatorPaneWeight = 1;

    // One view per pane of the document, reading AXIS_SETTING from `settings`.
    CPaneStack(CZentriStockDoc& document, CIniReader& settings);
    // One view per pane of `stock` with the given defaults.
    CPaneStack(CStock& stock, int paneCount, const AxisSettings& defaults);
    CPaneStack(const CPaneStack&) = delete;
    CPaneStack& operator=(const CPaneStack&) = delete;

    int Count() const { return static_cast<int>(m_views.size()); }
    CZentriStockView& View(int pane) { return *m_views.at(pane); }
    CViewList& Views() { return m_list; }

    bool IsHidden(int pane) const { return m_hidden.at(pane); }
    void SetHidden(int pane, bool hidden) { m_hidden.at(pane) = hidden; }
    // The pane's title button was clicked: when every pane is shown, the others are hidden;
    // otherwise all are shown again.
    void ToggleSolo(int pane);
    // Whether no shown pane lies below this one, so that it carries the date axis. (Asking
    // the last pane whether it is hidden itself would never hold while it is drawn.)
    bool LowestVisiblePane(int pane) const;

    // Shares a window of width x height among the visible panes and sizes their views.
    void Arrange(int width, int height);
    // The pane's rectangle in the window from the last Arrange or SetPaneRect; empty when
    // hidden.
    const CRect& PaneRect(int pane) const { return m_rects.at(pane); }
    // Where a window put the pane (its splitter part), which sizes the pane's view.
    void SetPaneRect(int pane, const CRect& rect);
    // The pane with the keyboard focus, the price pane while none has it.
    int FocusedPane() const;
    // The pane whose rectangle holds the window point, -1 for none.
    int PaneAt(int x, int y) const;
    // A click at a window point: a click on a pane's title button toggles it; true then.
    bool Click(int x, int y);
    // Gives the keyboard focus to one pane (-1: none).
    void SetFocus(int pane);

private:
    void Connect();

    // Declared before the views: each view leaves the list when it is destroyed.
    CViewList m_list;
    std::vector<std::unique_ptr<CZentriStockView>> m_views;
    std::vector<bool> m_hidden;
    std::vector<CRect> m_rects;
};
