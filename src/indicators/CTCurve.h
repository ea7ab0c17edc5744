#pragma once
#include "element/CElementOwner.h"
#include "element/CSymbol.h"
#include "quotes/SQuote.h"
#include "series/CCurve.h"
#include <memory>
#include <string>
#include <vector>

// One band of the chart (pane 0 = the price pane): the indicator curves shown in it, the
// chart elements attached to it (the user's drawings, trade flags, reference lines), and the
// value ranges of its curves over the visible bars. Owns everything it holds.
class CStockPanes;

class CTCurve : public CElementOwner {
public:
    static constexpr const char* kDefaultName = "Curve Name";
    static constexpr const char* kIndexedName = "NoName"; // a pane made for a pane number
    static constexpr const char* kDefaultSecondName = "Left Name";

    CTCurve();
    explicit CTCurve(std::string name);
    ~CTCurve() override;
    CTCurve(const CTCurve&) = delete;
    CTCurve& operator=(const CTCurve&) = delete;

    // The pane record: pane setting, window first and end (ints), second range max and min,
    // first range max and min (floats); second name, pane name; the first curve list, the
    // second curve list (count, then each curve's record); the float array (count, floats);
    // the attached elements (count, then per element its type code and record).
    void Write(CArchiveWriter& ar) const;
    // Reads a pane record into this pane, which should be fresh. Refused (false, archive
    // failed): a count the bytes left cannot hold, an element type code with no class to read
    // it (or 37, a price series, which no pane can hold), and every check of an element's own
    // record. The stored window and ranges are kept until the window is next set.
    bool Read(CArchiveReader& ar);

    // Curves: the first list is read against the right-hand scale, the second against the
    // left-hand one.
    void AddCurve(std::unique_ptr<CCurve> curve);
    void AddSecondCurve(std::unique_ptr<CCurve> curve);
    const std::vector<std::unique_ptr<CCurve>>& Curves() const { return m_curves; }
    const std::vector<std::unique_ptr<CCurve>>& SecondCurves() const { return m_secondCurves; }
    // Deletes the curves of both lists.
    void DeleteCurves();
    // Empties the values of every curve and trade flag; the objects stay.
    void ClearCurveData();

    // Attached elements, in the order they were added; each gets this pane as its owner.
    void AddElement(std::unique_ptr<CSymbol> element);
    const std::vector<std::unique_ptr<CSymbol>>& Elements() const { return m_elements; }
    // Deletes the trade flags and the elements an indicator placed (indicator mark set),
    // keeping the other elements in their order.
    void RemoveIndicatorElements();
    // Deletes the user's drawings: every element that is neither a trade flag nor marked.
    void RemoveDrawings();
    // Deletes one element of the list; false when it is not in it.
    bool RemoveElement(const CSymbol* element);

    // The visible window [first, end) of the price series; recomputes both ranges.
    void SetWindow(int first, int end);
    int WindowFirst() const { return m_windowFirst; }
    int WindowEnd() const { return m_windowEnd; }
    // Highest and lowest finite value of the first (second) curve list in the window; false
    // when no curve has a finite value there (the range then reads 0, 0).
    bool HasRange() const { return m_hasRange; }
    float RangeMax() const { return m_rangeMax; }
    float RangeMin() const { return m_rangeMin; }
    bool HasSecondRange() const { return m_hasSecondRange; }
    float SecondRangeMax() const { return m_secondRangeMax; }
    float SecondRangeMin() const { return m_secondRangeMin; }

    // The pane set that lists this pane and the bars of its series; the pane set binds every
    // pane it holds, so elements can snap to prices and test that their pane still exists.
    void BindTo(const CStockPanes* set, const std::vector<SQuote>* bars);
    const std::vector<SQuote>* PriceBars() const override { return m_bars; }
    // The values of the first curve of either list with that name.
    const std::vector<float>* CurveValues(std::string_view name) const override;
    bool IsListedBySeries() const override;
    bool PriceLook(SPriceLook& look) const override;

    std::string paneName;
    std::string secondName = kDefaultSecondName;
    int paneSetting = 0;
    std::vector<float> floats;

private:
    static bool ReadCurves(CArchiveReader& ar, std::vector<std::unique_ptr<CCurve>>& curves,
                           CElementOwner* owner);

    int m_windowFirst = 0;
    int m_windowEnd = 0;
    float m_secondRangeMax = 0;
    float m_secondRangeMin = 0;
    float m_rangeMax = 0;
    float m_rangeMin = 0;
    bool m_hasRange = false;
    bool m_hasSecondRange = false;
    std::vector<std::unique_ptr<CCurve>> m_curves;
    std::vector<std::unique_ptr<CCurve>> m_secondCurves;
    std::vector<std::unique_ptr<CSymbol>> m_elements;
    const CStockPanes* m_set = nullptr;
    const std::vector<SQuote>* m_bars = nullptr;
};
