#include "CStockPanes.h"
#include "CTradeFlag.h"
#include "IndicatorBuilder.h"
#include "quotes/CStock.h"
#include "quotes/CViewPar.h"
#include "tools/ElementPeriod.h"
#include <algorithm>
#include <string>

CStockPanes::CStockPanes() = default;

CStockPanes::~CStockPanes() = default;

CStockPanes* CStockPanes::Of(CStock& stock) {
    return dynamic_cast<CStockPanes*>(stock.PaneHost());
}

const CStockPanes* CStockPanes::Of(const CStock& stock) {
    return dynamic_cast<const CStockPanes*>(stock.PaneHost());
}

CStockPanes& CStockPanes::InstallIn(CStock& stock) {
    if (CStockPanes* panes = Of(stock)) return *panes;
    stock.SetPaneHost(std::make_unique<CStockPanes>());
    CStockPanes& panes = *Of(stock);
    panes.m_stock = &stock;
    return panes;
}

CTCurve* CStockPanes::Pane(int number) {
    if (number < 0 || static_cast<std::size_t>(number) >= m_panes.size()) return nullptr;
    return m_panes[number].get();
}

const CTCurve* CStockPanes::Pane(int number) const {
    return const_cast<CStockPanes*>(this)->Pane(number);
}

// Missing panes below the asked one are made too, so that no pane slot is ever empty.
CTCurve& CStockPanes::PaneAt(int number) {
    while (m_panes.size() <= static_cast<std::size_t>(number)) {
        m_panes.push_back(std::make_unique<CTCurve>(CTCurve::kIndexedName));
        Bind(*m_panes.back());
    }
    return *m_panes[number];
}

void CStockPanes::ClearCurveData(CStock&) {
    for (auto& pane : m_panes) pane->ClearCurveData();
}

void CStockPanes::ClearCostDistribution(CStock&) {
    m_costDistribution.Clear();
}

void CStockPanes::RebuildCostDistribution(CStock& stock) {
    m_costDistribution.Rebuild(stock.Display());
}

// The user's drawings follow their dates to the bars of the new period; trade flags and
// marked reference lines were rebuilt by the replay and already fit the new bars.
void CStockPanes::RemapElements(CStock& stock, const std::vector<int32_t>& previousDates) {
    const auto datesOf = [](const std::vector<SQuote>& bars) {
        std::vector<int32_t> dates;
        dates.reserve(bars.size());
        for (const SQuote& bar : bars) dates.push_back(bar.date);
        return dates;
    };
    const std::vector<int32_t> dates = datesOf(stock.Display());
    const std::vector<int32_t> days = datesOf(stock.Base());
    const int period = ElementPeriod(stock);
    for (auto& pane : m_panes)
        for (const auto& element : pane->Elements())
            if (element->indicatorMark == 0 && element->TypeCode() != CTradeFlag::kTypeCode)
                element->RemapBars(previousDates, days, dates, period);
}

void CStockPanes::ReplayIndicators(CStock& stock) {
    const int replayed = std::min<int>(static_cast<int>(m_panes.size()), CStock::kViewParCount);
    for (int number = 0; number < replayed; ++number) RebuildPane(stock, number, false);
    RebindPanes(stock);
}

void CStockPanes::ReplayPane(CStock& stock, int number) {
    if (number < 0 || number >= CStock::kViewParCount || !Pane(number)) return;
    RebuildPane(stock, number, true);
    m_stock = &stock;
    CTCurve& pane = *m_panes[number];
    Bind(pane);
    const int count = static_cast<int>(stock.Display().size());
    const int first = std::clamp(stock.WindowFirst(), 0, count);
    pane.SetWindow(first, std::clamp(stock.WindowEnd(), first, count));
}

// Recomputes the pane from its identifier list. The pane is emptied first even when the list
// starts with a flag system (which never clears), so flags are not doubled by each replay,
// and it keeps its name: the list recomputes curves, it does not rename the pane. An empty
// list leaves the pane alone unless `clearWhenEmpty`: curves built without a record have no
// entry to be rebuilt from, while a list emptied by removing its last entry must take that
// entry's curves with it.
void CStockPanes::RebuildPane(CStock& stock, int number, bool clearWhenEmpty) {
    const std::vector<std::string> identifiers = stock.ViewPar(number).identifiers;
    if (identifiers.empty() && !clearWhenEmpty) return;
    CTCurve& pane = *m_panes[number];
    const std::string name = pane.paneName;
    pane.DeleteCurves();
    pane.RemoveIndicatorElements();
    // Never more builds than a readable list holds, whoever filled the list.
    const std::size_t replayed =
        std::min(identifiers.size(), static_cast<std::size_t>(CViewPar::kMaxIdentifiers));
    for (std::size_t i = 0; i < replayed; ++i)
        ReplayIndicatorEntry(stock, identifiers[i], number, static_cast<int>(i));
    pane.paneName = name;
}

bool CStockPanes::Holds(const CTCurve* pane) const {
    for (const auto& held : m_panes)
        if (held.get() == pane) return true;
    return false;
}

void CStockPanes::Bind(CTCurve& pane) const {
    pane.BindTo(this, m_stock ? &m_stock->Display() : nullptr);
}

void CStockPanes::RebindPanes(CStock& stock) {
    m_stock = &stock;
    for (auto& pane : m_panes) Bind(*pane);
    const int count = static_cast<int>(stock.Display().size());
    const int first = std::clamp(stock.WindowFirst(), 0, count);
    const int end = std::clamp(stock.WindowEnd(), first, count);
    SetPaneWindow(stock, first, end);
}

void CStockPanes::SetPaneWindow(CStock&, int first, int end) {
    for (auto& pane : m_panes) pane->SetWindow(first, end);
}

bool CStockPanes::PricePaneCurveRange(CStock&, float& high, float& low) {
    const CTCurve* price = Pane(0);
    if (!price || price->Curves().empty() || !price->HasRange()) return false;
    high = price->RangeMax();
    low = price->RangeMin();
    return true;
}
