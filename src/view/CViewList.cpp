#include "CViewList.h"
#include "CZentriStockView.h"
#include <algorithm>

void CViewList::Add(CZentriStockView* view) {
    if (view && std::find(m_views.begin(), m_views.end(), view) == m_views.end())
        m_views.push_back(view);
}

void CViewList::Remove(CZentriStockView* view) {
    m_views.erase(std::remove(m_views.begin(), m_views.end(), view), m_views.end());
}

void CViewList::RelayoutAll() {
    for (CZentriStockView* view : m_views) view->ClearManualYScale();
    RedrawAll();
}

void CViewList::RedrawAll() {
    ++m_redrawRequests;
    if (m_redraw) m_redraw();
}
