#include "CElementClipboard.h"
#include "ctlkit/base/CArchiveReader.h"
#include "ctlkit/base/CArchiveWriter.h"
#include "element/CSymbol.h"
#include "indicators/CTCurve.h"
#include "quotes/CStock.h"
#include "tools/ElementFactory.h"
#include "tools/ElementPeriod.h"
#include <cmath>
#include <cstdio>
#include <cstring>
#include <ctime>

namespace {
constexpr char kMagic[4] = {'Z', 'S', 'E', 'L'};
constexpr int kFirstDrawingCode = 1;
constexpr int kLastDrawingCode = 30;
// Bar indices beyond this lie off any chart; carried to bars of another spacing they could
// overflow a float.
constexpr float kFarthestBar = 1e7f;
// No run of identical pastes needs more; it keeps a crowded pane from stalling the paste.
constexpr int kMostShifts = 10000;

bool IsDrawingCode(int code) {
    return code >= kFirstDrawingCode && code <= kLastDrawingCode;
}

std::vector<int32_t> DatesOf(const std::vector<SQuote>& bars) {
    std::vector<int32_t> dates;
    dates.reserve(bars.size());
    for (const SQuote& bar : bars) dates.push_back(bar.date);
    return dates;
}

// Every bar index the element holds (both anchors, and the further points of the tools that
// have them).
std::vector<float> BarIndicesOf(CSymbol& element) {
    std::vector<float> indices;
    element.MapBarIndices([&indices](float x) {
        indices.push_back(x);
        return x;
    });
    return indices;
}

const char* ToolName(int code) {
    switch (code) {
    case 1:
        return "Trend line";
    case 2:
        return "Rectangle";
    case 3:
        return "Trend arrow";
    case 6:
        return "Cycle lines";
    case 7:
        return "Ellipse";
    case 8:
        return "Fibonacci arc";
    case 9:
        return "Fibonacci fan";
    case 10:
        return "Fibonacci retracement";
    case 11:
        return "Fibonacci time zone";
    case 12:
        return "Gann line";
    case 13:
        return "Gann fan";
    case 15:
        return "Equidistant channel";
    case 16:
        return "Standard deviation channel";
    case 17:
        return "Standard error channel";
    case 19:
        return "Horizontal line";
    case 20:
        return "Linear regression";
    case 24:
        return "Speed resistance lines";
    case 27:
        return "Triangle";
    case 28:
        return "Vertical line";
    case 29:
        return "Icon";
    case 30:
        return "Text";
    default:
        return "Element";
    }
}

std::string PeriodWord(int period, int nDays) {
    switch (period) {
    case CStock::kPeriodWeek:
        return "weekly";
    case CStock::kPeriodMonth:
        return "monthly";
    case CStock::kPeriodNDays:
        return std::to_string(nDays) + "-day";
    default:
        return "daily";
    }
}

// The date of the bar under `x`, or the bar's number when it lies off the series.
std::string BarText(float x, const std::vector<int32_t>& dates) {
    if (!std::isfinite(x) || x < 0 || x >= static_cast<float>(dates.size())) {
        char text[48];
        std::snprintf(text, sizeof text, "bar %.0f", std::isfinite(x) ? std::floor(x) : 0.0);
        return text;
    }
    const time_t date = dates[static_cast<size_t>(x)];
    std::tm local{};
    localtime_r(&date, &local);
    char text[16];
    std::strftime(text, sizeof text, "%Y-%m-%d", &local);
    return text;
}

std::string Describe(const CSymbol& element, const std::string& symbol, int period, int nDays,
                     const std::vector<int32_t>& dates) {
    // The base class's name means no language file named the tool.
    const std::string name = element.name.empty() || element.name == "Symbol"
                                 ? ToolName(element.TypeCode())
                                 : element.name;
    char values[2][32];
    std::snprintf(values[0], sizeof values[0], "%.2f", static_cast<double>(element.y1));
    std::snprintf(values[1], sizeof values[1], "%.2f", static_cast<double>(element.y2));
    return name + ", " + symbol + " " + PeriodWord(period, nDays) + ", " +
           BarText(element.x1, dates) + " " + values[0] + " to " + BarText(element.x2, dates) +
           " " + values[1];
}

// The reader's reason as the end of a sentence about the clipboard's data, not a file.
std::string Reason(const CArchiveReader& ar) {
    const std::string& error = ar.Error();
    if (error.rfind("the file ends early", 0) == 0 ||
        error.find("cannot hold") != std::string::npos)
        return "is cut short.";
    return "is damaged: " + ar.Error() + ".";
}

std::string ByteCount(size_t count) {
    return std::to_string(count) + (count == 1 ? " byte" : " bytes");
}

CFileResult Refused(const std::string& why) {
    return CFileResult::Failure(CFileResult::EKind::Damaged,
                                "The clipboard's chart element " + why);
}

// Reads an element record in full; null (with `why`) when its class refuses it, it does not
// read to its end, or an anchor is not a finite number.
std::unique_ptr<CSymbol> ReadElement(int typeCode, const std::string& record, std::string& why) {
    std::unique_ptr<CSymbol> element = CreateToolElement(typeCode);
    if (!element || element->TypeCode() != typeCode) {
        why = "is of type " + std::to_string(typeCode) + ", which is no drawing.";
        return nullptr;
    }
    CArchiveReader ar(record);
    if (!element->Read(ar)) {
        why = "has a record that " + Reason(ar);
        return nullptr;
    }
    if (!ar.AtEnd()) {
        why = "has " + ByteCount(ar.Remaining()) + " past the end of its record.";
        return nullptr;
    }
    for (float x : BarIndicesOf(*element)) {
        if (!std::isfinite(x)) {
            why = "has an anchor that is not a number.";
            return nullptr;
        }
        if (std::fabs(x) > kFarthestBar) {
            why = "has an anchor far off any chart.";
            return nullptr;
        }
    }
    if (!std::isfinite(element->y1) || !std::isfinite(element->y2)) {
        why = "has an anchor that is not a number.";
        return nullptr;
    }
    return element;
}
} // namespace

bool CElementClipboard::IsDrawing(const CSymbol& element) {
    return IsDrawingCode(element.TypeCode());
}

CElementClipboard CElementClipboard::Copy(const CSymbol& element, const CStock& source) {
    CElementClipboard record;
    record.m_typeCode = element.TypeCode();
    record.m_symbol = source.SymbolName();
    record.m_market = source.Market();
    record.m_period = source.Period();
    record.m_nDays = source.NDays();
    record.m_dates = DatesOf(source.Display());
    CArchiveWriter writer;
    element.Write(writer);
    record.m_element = writer.Bytes();
    record.m_description =
        Describe(element, record.m_symbol, record.m_period, record.m_nDays, record.m_dates);
    return record;
}

std::string CElementClipboard::Bytes() const {
    CArchiveWriter ar;
    ar.WriteBytes(kMagic, sizeof kMagic);
    ar.WriteInt(kVersion);
    ar.WriteInt(m_typeCode);
    ar.WriteString(m_symbol);
    ar.WriteString(m_market);
    ar.WriteInt(m_period);
    ar.WriteInt(m_nDays);
    ar.WriteInt(static_cast<int32_t>(m_dates.size()));
    for (int32_t date : m_dates) ar.WriteInt(date);
    ar.WriteInt(static_cast<int32_t>(m_element.size()));
    ar.WriteBytes(m_element.data(), m_element.size());
    return ar.Bytes();
}

CFileResult CElementClipboard::Parse(std::string_view bytes, CElementClipboard& record) {
    if (bytes.size() > kMaxBytes)
        return Refused("is larger than the " + std::to_string(kMaxBytes >> 20) +
                       " MB this program reads.");
    CArchiveReader ar(bytes);
    char magic[sizeof kMagic] = {};
    if (!ar.ReadBytes(magic, sizeof magic) || std::memcmp(magic, kMagic, sizeof kMagic) != 0)
        return CFileResult::Failure(CFileResult::EKind::WrongType,
                                    "The clipboard holds no chart element of this program.");
    CElementClipboard read;
    int32_t version = 0;
    if (!ar.ReadInt(version)) return Refused("is cut short.");
    if (version != kVersion)
        return Refused("is of version " + std::to_string(version) +
                       "; this program reads version " + std::to_string(kVersion) + ".");
    ar.ReadInt(read.m_typeCode);
    ar.ReadString(read.m_symbol);
    ar.ReadString(read.m_market);
    ar.ReadInt(read.m_period);
    ar.ReadInt(read.m_nDays);
    int32_t count = 0;
    if (ar.ReadCount(count, sizeof(int32_t))) {
        read.m_dates.resize(static_cast<size_t>(count));
        for (int32_t& date : read.m_dates) ar.ReadInt(date);
    }
    int32_t length = 0;
    if (ar.ReadCount(length, 1)) {
        read.m_element.resize(static_cast<size_t>(length));
        ar.ReadBytes(read.m_element.data(), read.m_element.size());
    }
    if (!ar.Ok()) return Refused(Reason(ar));
    if (!ar.AtEnd()) return Refused("has " + ByteCount(ar.Remaining()) + " past its end.");
    if (read.m_period < CStock::kPeriodDay || read.m_period > CStock::kPeriodNDays)
        return Refused("has period " + std::to_string(read.m_period) + ", outside 0 to 3.");
    if (read.m_nDays < 0) return Refused("has a negative day count.");
    for (size_t i = 1; i < read.m_dates.size(); ++i)
        if (read.m_dates[i] <= read.m_dates[i - 1]) return Refused("has dates out of order.");
    if (!IsDrawingCode(read.m_typeCode))
        return Refused("is of type " + std::to_string(read.m_typeCode) + ", which is no drawing.");
    std::string why;
    const std::unique_ptr<CSymbol> element = ReadElement(read.m_typeCode, read.m_element, why);
    if (!element) return Refused(why);
    read.m_description =
        Describe(*element, read.m_symbol, read.m_period, read.m_nDays, read.m_dates);
    record = std::move(read);
    return {};
}

bool CElementClipboard::SameBars(const CStock& target) const {
    if (target.SymbolName() != m_symbol || target.Market() != m_market ||
        target.Period() != m_period)
        return false;
    if (m_period == CStock::kPeriodNDays && target.NDays() != m_nDays) return false;
    const std::vector<SQuote>& bars = target.Display();
    if (bars.size() != m_dates.size()) return false;
    for (size_t i = 0; i < bars.size(); ++i)
        if (bars[i].date != m_dates[i]) return false;
    return true;
}

std::unique_ptr<CSymbol> CElementClipboard::Recreate(const CStock& target) const {
    std::string why;
    std::unique_ptr<CSymbol> element = ReadElement(m_typeCode, m_element, why);
    if (!element) return nullptr;
    element->Deselect();
    element->EndTracking();
    // A reference line copied from an indicator becomes the user's own drawing: with the mark
    // the next replay of the indicators would take it away.
    element->indicatorMark = 0;
    std::memset(element->block2.data(), 0, sizeof(int32_t));
    element->entryIndex = -1;
    const int period = ElementPeriod(target);
    if (!SameBars(target)) element->RemapBars(m_dates, DatesOf(target.Display()), period);
    element->SetPeriod(period);
    return element;
}

CSymbol* CElementClipboard::PlaceInPane(CTCurve& pane, std::unique_ptr<CSymbol> element) {
    const auto occupied = [&pane, &element] {
        for (const auto& listed : pane.Elements())
            if (listed->TypeCode() == element->TypeCode() && listed->x1 == element->x1 &&
                listed->y1 == element->y1 && listed->x2 == element->x2 && listed->y2 == element->y2)
                return true;
        return false;
    };
    for (int shift = 0; shift < kMostShifts && occupied(); ++shift)
        element->MapBarIndices([](float x) { return x + 1; });
    CSymbol* placed = element.get();
    pane.AddElement(std::move(element));
    return placed;
}
