#include "CTCurve.h"
#include "CTradeFlag.h"
#include "CurveRange.h"

CTCurve::CTCurve() : CTCurve(kDefaultName) {}

CTCurve::CTCurve(std::string name) : paneName(std::move(name)) {}

CTCurve::~CTCurve() = default;

void CTCurve::AddCurve(std::unique_ptr<CCurve> curve) {
    m_curves.push_back(std::move(curve));
}

void CTCurve::AddSecondCurve(std::unique_ptr<CCurve> curve) {
    m_secondCurves.push_back(std::move(curve));
}

void CTCurve::DeleteCurves() {
    m_curves.clear();
    m_secondCurves.clear();
}

void CTCurve::ClearCurveData() {
    for (auto& curve : m_curves) curve->values.clear();
    for (auto& curve : m_secondCurves) curve->values.clear();
    // Flags of the old bars would point at bars the new series does not have.
    for (auto& element : m_elements)
        if (auto* flag = dynamic_cast<CTradeFlag*>(element.get())) flag->values.clear();
}

void CTCurve::AddElement(std::unique_ptr<CSymbol> element) {
    element->owner = this;
    m_elements.push_back(std::move(element));
}

void CTCurve::RemoveIndicatorElements() {
    std::erase_if(m_elements, [](const std::unique_ptr<CSymbol>& element) {
        return element->TypeCode() == CTradeFlag::kTypeCode || element->indicatorMark != 0;
    });
}

void CTCurve::SetWindow(int first, int end) {
    m_windowFirst = first;
    m_windowEnd = end;
    const SCurveRange range = CurveRange(m_curves, first, end);
    m_hasRange = range.found;
    m_rangeMax = range.max;
    m_rangeMin = range.min;
    const SCurveRange second = CurveRange(m_secondCurves, first, end);
    m_hasSecondRange = second.found;
    m_secondRangeMax = second.max;
    m_secondRangeMin = second.min;
}
