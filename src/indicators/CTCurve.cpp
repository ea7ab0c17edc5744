#include "CTCurve.h"
#include "CStockPanes.h"
#include "CTradeFlag.h"
#include "CurveRange.h"
#include "quotes/CStock.h"
#include "tools/ElementFactory.h"
#include <string>

CTCurve::CTCurve() : CTCurve(kDefaultName) {}

CTCurve::CTCurve(std::string name) : paneName(std::move(name)) {}

CTCurve::~CTCurve() = default;

void CTCurve::AddCurve(std::unique_ptr<CCurve> curve) {
    curve->owner = this;
    m_curves.push_back(std::move(curve));
}

void CTCurve::AddSecondCurve(std::unique_ptr<CCurve> curve) {
    curve->owner = this;
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

void CTCurve::RemoveDrawings() {
    std::erase_if(m_elements, [](const std::unique_ptr<CSymbol>& element) {
        return element->TypeCode() != CTradeFlag::kTypeCode && element->indicatorMark == 0;
    });
}

bool CTCurve::RemoveElement(const CSymbol* element) {
    return std::erase_if(m_elements, [element](const std::unique_ptr<CSymbol>& listed) {
               return listed.get() == element;
           }) > 0;
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

namespace {
// The smallest stored element and curve records: no element record is shorter than its
// fixed fields, so a count is checked against these before anything is made.
constexpr size_t kMinElementRecord = 609;
constexpr int kPriceSeriesCode = 37;
constexpr size_t kMinCurveRecord = kMinElementRecord + 290;

void WriteCurves(CArchiveWriter& ar, const std::vector<std::unique_ptr<CCurve>>& curves) {
    ar.WriteInt(static_cast<int32_t>(curves.size()));
    for (const auto& curve : curves) curve->Write(ar);
}

std::unique_ptr<CSymbol> CreatePaneElement(CArchiveReader& ar, int code) {
    if (code == CTradeFlag::kTypeCode) return std::make_unique<CTradeFlag>();
    std::unique_ptr<CSymbol> element = code == kPriceSeriesCode ? nullptr : CreateToolElement(code);
    if (!element)
        ar.Fail("an element of type " + std::to_string(code) + " that no class reads, at offset " +
                std::to_string(ar.Position() - 4));
    return element;
}
} // namespace

void CTCurve::Write(CArchiveWriter& ar) const {
    ar.WriteInt(paneSetting);
    ar.WriteInt(m_windowFirst);
    ar.WriteInt(m_windowEnd);
    ar.WriteFloat(m_secondRangeMax);
    ar.WriteFloat(m_secondRangeMin);
    ar.WriteFloat(m_rangeMax);
    ar.WriteFloat(m_rangeMin);
    ar.WriteString(secondName);
    ar.WriteString(paneName);
    WriteCurves(ar, m_curves);
    WriteCurves(ar, m_secondCurves);
    ar.WriteInt(static_cast<int32_t>(floats.size()));
    for (float value : floats) ar.WriteFloat(value);
    ar.WriteInt(static_cast<int32_t>(m_elements.size()));
    for (const auto& element : m_elements) {
        ar.WriteInt(element->TypeCode());
        element->Write(ar);
    }
}

bool CTCurve::ReadCurves(CArchiveReader& ar, std::vector<std::unique_ptr<CCurve>>& curves,
                         CElementOwner* owner) {
    int32_t count = 0;
    if (!ar.ReadCount(count, kMinCurveRecord)) return false;
    for (int32_t i = 0; i < count; ++i) {
        auto curve = std::make_unique<CCurve>();
        if (!curve->Read(ar)) return false;
        curve->owner = owner;
        curves.push_back(std::move(curve));
    }
    return true;
}

bool CTCurve::Read(CArchiveReader& ar) {
    ar.ReadInt(paneSetting);
    ar.ReadInt(m_windowFirst);
    ar.ReadInt(m_windowEnd);
    ar.ReadFloat(m_secondRangeMax);
    ar.ReadFloat(m_secondRangeMin);
    ar.ReadFloat(m_rangeMax);
    ar.ReadFloat(m_rangeMin);
    ar.ReadString(secondName);
    if (!ar.ReadString(paneName)) return false;
    if (!ReadCurves(ar, m_curves, this) || !ReadCurves(ar, m_secondCurves, this)) return false;
    int32_t count = 0;
    if (!ar.ReadCount(count, sizeof(float))) return false;
    floats.assign(static_cast<size_t>(count), 0.0f);
    for (float& value : floats) ar.ReadFloat(value);
    if (!ar.ReadCount(count, 4 + kMinElementRecord)) return false;
    for (int32_t i = 0; i < count; ++i) {
        int32_t code = 0;
        if (!ar.ReadInt(code)) return false;
        std::unique_ptr<CSymbol> element = CreatePaneElement(ar, code);
        if (!element || !element->Read(ar)) return false;
        AddElement(std::move(element));
    }
    return true;
}

void CTCurve::BindTo(const CStockPanes* set, const std::vector<SQuote>* bars) {
    m_set = set;
    m_bars = bars;
}

const std::vector<float>* CTCurve::CurveValues(std::string_view name) const {
    for (const auto* list : {&m_curves, &m_secondCurves})
        for (const auto& curve : *list)
            if (curve->name == name) return &curve->values;
    return nullptr;
}

bool CTCurve::IsListedBySeries() const {
    return m_set && m_set->Holds(this);
}

bool CTCurve::PriceLook(SPriceLook& look) const {
    if (!m_set || !m_set->Stock()) return false;
    look = m_set->Stock()->PriceLook();
    return true;
}
