#include "CElementTracker.h"
#include "element/SValueScale.h"
#include "indicators/CTCurve.h"
#include "indicators/CTradeFlag.h"
#include "indicators/IndicatorBuilder.h"
#include "quotes/CStock.h"
#include "tools/CIco.h"
#include "tools/CLine.h"
#include "tools/CText.h"
#include "tools/ElementFactory.h"
#include <algorithm>
#include <cstdlib>

float SPaneMapping::IndexAt(int px) const {
    return static_cast<float>(px - plot.left) / static_cast<float>(plot.Width()) * xCount + xMin;
}

float SPaneMapping::ValueAt(int py) const {
    return SValueScale{yMin, yRange, logarithmic}.Value(py, plot.bottom, plot.Height());
}

void CElementTracker::SetPane(CTCurve* pane) {
    if (pane == m_pane) return;
    m_pane = pane;
    m_selected = m_hot = nullptr;
    m_buttonDown = false;
}

void CElementTracker::SetSeries(CStock* series, int paneNumber) {
    if (series == m_series && paneNumber == m_paneNumber) return;
    m_series = series;
    m_paneNumber = paneNumber;
    m_selected = m_hot = nullptr;
    m_buttonDown = false;
}

CStock* CElementTracker::PriceSeries() const {
    return m_paneNumber == 0 ? m_series : nullptr;
}

bool CElementTracker::Listed(const CSymbol* element) const {
    if (!m_pane || !element) return false;
    if (element == PriceSeries()) return true;
    const auto holds = [element](const auto& list) {
        return std::any_of(list.begin(), list.end(),
                           [element](const auto& listed) { return listed.get() == element; });
    };
    return holds(m_pane->Elements()) || holds(m_pane->Curves()) || holds(m_pane->SecondCurves());
}

CSymbol* CElementTracker::Selected() const {
    return Listed(m_selected) ? m_selected : nullptr;
}

bool CElementTracker::SelectElement(CSymbol* element) {
    if (!Listed(element)) return false;
    Choose(element);
    return true;
}

bool CElementTracker::RemoveSelected() {
    CSymbol* selected = Selected();
    if (!selected || selected == PriceSeries()) return false;
    const bool curve = selected->TypeCode() == CCurve::kTypeCode;
    // What an indicator built would come back with the next replay if it went alone.
    const bool built =
        curve || selected->TypeCode() == CTradeFlag::kTypeCode || selected->indicatorMark != 0;
    if (built && (selected->entryIndex < 0 || !m_series)) return false;
    m_hot = m_selected = nullptr;
    m_buttonDown = false;
    if (built) return RemoveIndicatorEntry(*m_series, m_paneNumber, selected->entryIndex);
    return m_pane->RemoveElement(selected);
}

CSymbol* CElementTracker::Hot() const {
    return Listed(m_hot) ? m_hot : nullptr;
}

int CElementTracker::Hover(int px, int py) {
    if (!m_pane) return 0;
    const auto hit = [&](CSymbol* element) {
        const int code = element->HitTest(px, py);
        if (code != 0 && !m_armed && !m_buttonDown) m_hot = element;
        return code;
    };
    // From the top of the drawing down: elements over curves over the price bars.
    const auto hitList = [&](const auto& list) {
        for (auto it = list.rbegin(); it != list.rend(); ++it)
            if (const int code = hit(it->get())) return code;
        return 0;
    };
    int code = hitList(m_pane->Elements());
    if (!code) code = hitList(m_pane->SecondCurves());
    if (!code) code = hitList(m_pane->Curves());
    if (!code)
        if (CStock* series = PriceSeries()) code = hit(series);
    if (!code && !m_armed && !m_buttonDown) m_hot = nullptr;
    return code;
}

// The body (2) and the handles and corners (3 to 6); the series and curves (7, 8) stay put.
bool CElementTracker::Draggable(int hitCode) {
    return hitCode >= 2 && hitCode <= 6;
}

void CElementTracker::Choose(CSymbol* element) {
    if (CSymbol* previous = Selected(); previous && previous != element) previous->Deselect();
    m_selected = element;
    if (element) element->Select();
}

CElementTracker::EDown CElementTracker::MouseDown(int px, int py, const SPaneMapping& mapping) {
    m_buttonDown = true;
    if (m_armed) {
        if (!m_pane || !mapping.plot.Contains(px, py)) return kNothing;
        return Create(px, py, mapping);
    }
    if (CSymbol* hot = Hot()) {
        Choose(hot);
        // Hit again now that it is selected, so a drag from here takes the body or a handle,
        // and hold that part: hit tests while the button is down must not drop it.
        if (Draggable(hot->HitTest(px, py))) hot->BeginTracking();
        return kSelected;
    }
    if (CSymbol* previous = Selected()) previous->Deselect();
    m_selected = nullptr;
    return kDeselected;
}

namespace {
bool NearColours(COLORREF a, COLORREF b) {
    const auto near = [](int x, int y) { return std::abs(x - y) <= CElementTracker::kNearColour; };
    return near(RedOf(a), RedOf(b)) && near(GreenOf(a), GreenOf(b)) && near(BlueOf(a), BlueOf(b));
}
} // namespace

COLORREF CElementTracker::VisibleColourOn(COLORREF colour, COLORREF background) {
    return NearColours(colour, background) ? ElementColourOn(background) : colour;
}

COLORREF CElementTracker::ElementColourOn(COLORREF background) {
    const COLORREF complement =
        MakeRGB(255 - RedOf(background), 255 - GreenOf(background), 255 - BlueOf(background));
    if (!NearColours(complement, background)) return complement;
    // The complement of a mid-grey is a mid-grey: black or white by the background's light.
    const int light =
        299 * RedOf(background) + 587 * GreenOf(background) + 114 * BlueOf(background);
    return light >= 128 * 1000 ? MakeRGB(0, 0, 0) : MakeRGB(255, 255, 255);
}

CElementTracker::EDown CElementTracker::Create(int px, int py, const SPaneMapping& mapping) {
    const int code = m_armed;
    // The stored-only codes (the icon's own 29, curves, series, flags) are no tools.
    const bool tool =
        (code >= CLine::kTypeCode && code <= CText::kTypeCode && code != CIco::kTypeCode) ||
        (code >= CIco::kFirstToolCode && code < CIco::kFirstToolCode + CIco::kIconCount);
    std::unique_ptr<CSymbol> element = tool ? CreateToolElement(code) : nullptr;
    // Codes without a class place nothing; the panes only repaint.
    if (!element) return kNothing;
    element->SetAnchor(mapping.IndexAt(px), mapping.ValueAt(py), m_period);
    if (auto* line = dynamic_cast<CLine*>(element.get()))
        line->color = ElementColourOn(m_background);
    CSymbol* placed = element.get();
    m_pane->AddElement(std::move(element));
    Choose(placed);
    placed->BeginTracking();
    if (code == CText::kTypeCode) {
        m_armed = 0;
        return kCreatedText;
    }
    return kCreated;
}

bool CElementTracker::MouseMove(int px, int py, const SPaneMapping& mapping) {
    if (!m_buttonDown || !mapping.plot.Contains(px, py)) return false;
    CSymbol* selected = Selected();
    if (!selected) return false;
    const float x = mapping.IndexAt(px);
    const float y = mapping.ValueAt(py);
    if (!m_armed && !Draggable(selected->hitState)) return false;
    selected->BeginTracking();
    if (m_armed) {
        selected->SetPoint2(x, y);
        return true;
    }
    switch (selected->hitState) {
    case 2:
        selected->MoveBy(px, py);
        return true;
    case 3:
    case 4:
    case 5:
    case 6:
        selected->DragHandle(selected->hitState, x, y);
        return true;
    default:
        return false;
    }
}

void CElementTracker::MouseUp(int px, int py, const SPaneMapping& mapping) {
    m_buttonDown = false;
    if (mapping.plot.Contains(px, py)) m_armed = 0;
    if (CSymbol* selected = Selected()) selected->EndTracking();
}
