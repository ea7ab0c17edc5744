#pragma once
#include "ctlkit/base/CFileResult.h"
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class CStock;
class CSymbol;
class CTCurve;

// One drawing element on the clipboard, with what it takes to put it on another chart: the
// element's type code and stored record, and the symbol, market, period and bar dates of the
// chart it was copied from, so that a paste elsewhere can carry its anchors by date.
//
// The bytes under kMimeType, little-endian as the chart file:
//   "ZSEL", version (int, kVersion), type code (int), symbol, market (counted strings),
//   period (int 0..3), N of the N-day period (int >= 0), date count (int) and that many dates
//   (ints, strictly rising), the element record's length (int) and the record (CSymbol::Write), and
//   nothing after it.
class CElementClipboard {
public:
    static constexpr const char* kMimeType = "application/x-zentristock-element;version=1";
    static constexpr int32_t kVersion = 1;
    // The largest record Parse reads: room for a long series' dates and a long text.
    static constexpr size_t kMaxBytes = 8u << 20;

    // True for the user's drawing tools (type codes 1 to 30, icons 29 among them); curves,
    // the price series and trade flags are no drawings.
    static bool IsDrawing(const CSymbol& element);

    // The record of `element`, a drawing of a pane of `source`.
    static CElementClipboard Copy(const CSymbol& element, const CStock& source);

    // Reads clipboard bytes. Refused (Damaged or WrongType with a sentence for the status bar),
    // `record` unchanged: more than kMaxBytes, another magic or version, a record cut short or
    // with bytes left over, a period outside 0..3, a negative N, dates that do not rise, a type
    // code that is no drawing, and an element record its class refuses, does not read to its end,
    // or that holds an anchor that is not a finite number or lies more than ten million bars
    // off the chart.
    static CFileResult Parse(std::string_view bytes, CElementClipboard& record);

    std::string Bytes() const;
    // "Trend line, IBM daily, 2026-01-05 101.25 to 2026-02-02 110.50": the element, the
    // source chart and its anchors by date and value (a bar off the series by its number).
    const std::string& Description() const { return m_description; }

    // A new element from the record, fitted to the chart `target`: its bar indices kept when
    // `target` shows the source's symbol, market and period on the same bar dates, else
    // carried from the source's bar dates to the target's. Unselected, not dragging, and no
    // longer tied to an indicator. Null only for a record Parse did not vouch for.
    std::unique_ptr<CSymbol> Recreate(const CStock& target) const;

    // Appends `element` to `pane`, one bar to the right of where it came for every element of
    // its type already lying at the same anchors, so that a copy pasted onto its original
    // shows. Returns the element, now owned by the pane.
    static CSymbol* PlaceInPane(CTCurve& pane, std::unique_ptr<CSymbol> element);

    int TypeCode() const { return m_typeCode; }
    const std::string& Symbol() const { return m_symbol; }
    const std::string& Market() const { return m_market; }
    int Period() const { return m_period; }
    int NDays() const { return m_nDays; }
    const std::vector<int32_t>& Dates() const { return m_dates; }
    const std::string& ElementRecord() const { return m_element; }

private:
    // True when `target` shows the very bars the element was copied from.
    bool SameBars(const CStock& target) const;

    int32_t m_typeCode = 0;
    std::string m_symbol;
    std::string m_market;
    int32_t m_period = 0;
    int32_t m_nDays = 0;
    std::vector<int32_t> m_dates;
    std::string m_element;
    std::string m_description;
};
