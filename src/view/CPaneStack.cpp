#include "CPaneStack.h"
#include "chart/CZentriStockDoc.h"
#include "quotes/CStock.h"
#include <algorithm>

CPaneStack::CPaneStack(CZentriStockDoc& document, CIniReader& settings) {
    const int count = std::max(1, document.PaneCount());
    for (int pane = 0; pane < count; ++pane)
        m_views.push_back(std::make_unique<CZentriStockView>(document, pane, settings));
    Connect();
}

CPaneStack::CPaneStack(CStock& stock, int paneCount, const AxisSettings& defaults) {
    const int count = std::max(1, paneCount);
    for (int pane = 0; pane < count; ++pane)
        m_views.push_back(std::make_unique<CZentriStockView>(stock, pane, defaults));
    Connect();
}

void CPaneStack::Connect() {
    m_hidden.assign(m_views.size(), false);
    m_rects.assign(m_views.size(), CRect{});
    for (int pane = 0; pane < Count(); ++pane) {
        m_views[pane]->SetViewList(&m_list);
        m_views[pane]->SetLowestVisibleQuery([this, pane] { return LowestVisiblePane(pane); });
    }
}

void CPaneStack::ToggleSolo(int pane) {
    const bool allShown = std::none_of(m_hidden.begin(), m_hidden.end(), [](bool h) { return h; });
    for (int other = 0; other < Count(); ++other) m_hidden[other] = allShown && other != pane;
}

bool CPaneStack::LowestVisiblePane(int pane) const {
    if (pane < 0 || pane >= Count()) return false;
    for (int below = pane + 1; below < Count(); ++below)
        if (!m_hidden[below]) return false;
    return true;
}

void CPaneStack::SetPaneRect(int pane, const CRect& rect) {
    m_rects.at(pane) = rect;
    m_views.at(pane)->SetClientSize(rect.Width(), rect.Height());
}

int CPaneStack::FocusedPane() const {
    for (int pane = 0; pane < Count(); ++pane)
        if (m_views[pane]->hasFocus) return pane;
    return 0;
}

void CPaneStack::Arrange(int width, int height) {
    int shares = 0;
    int lastVisible = -1;
    for (int pane = 0; pane < Count(); ++pane) {
        if (m_hidden[pane]) continue;
        shares += pane == 0 ? kPricePaneWeight : kIndicatorPaneWeight;
        lastVisible = pane;
    }
    int top = 0;
    for (int pane = 0; pane < Count(); ++pane) {
        if (m_hidden[pane]) {
            m_rects[pane] = CRect{};
            continue;
        }
        const int weight = pane == 0 ? kPricePaneWeight : kIndicatorPaneWeight;
        // The last visible pane takes what the integer shares leave over.
        const int h = pane == lastVisible ? height - top : height * weight / shares;
        m_rects[pane] = CRect{0, top, width, top + h};
        m_views[pane]->SetClientSize(width, h);
        top += h;
    }
}

int CPaneStack::PaneAt(int x, int y) const {
    for (int pane = 0; pane < Count(); ++pane)
        if (!m_hidden[pane] && m_rects[pane].Contains(x, y)) return pane;
    return -1;
}

bool CPaneStack::Click(int x, int y) {
    const int pane = PaneAt(x, y);
    if (pane < 0) return false;
    const CRect& r = m_rects[pane];
    if (!m_views[pane]->TitleButtonRect().Contains(x - r.left, y - r.top)) {
        m_list.RedrawAll();
        return false;
    }
    ToggleSolo(pane);
    m_list.RedrawAll();
    return true;
}

void CPaneStack::SetFocus(int pane) {
    for (int other = 0; other < Count(); ++other) m_views[other]->SetFocus(other == pane);
}
