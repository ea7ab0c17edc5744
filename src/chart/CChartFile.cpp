#include "CChartFile.h"
#include "ViewParRecord.h"
#include "ctlkit/base/AtomicFile.h"
#include "indicators/CStockPanes.h"
#include "indicators/CTCurve.h"
#include "indicators/IndicatorBuilder.h"
#include <algorithm>
#include <array>
#include <vector>

namespace {
// Colours in their stored order: 3, 1, 4, 2, 5.
constexpr std::array<int, 5> kStoredColourOrder = {3, 1, 4, 2, 5};

// Everything a chart file holds before its panes, read completely before a series is made.
struct SChartHead {
    int paneCount = 0;
    int priceStyle = 0;
    int penStyle = 0;
    int lineWeight = 0;
    std::array<uint32_t, 5> colours{}; // by colour number - 1
    std::array<CViewPar, CStock::kViewParCount> viewPars;
    int exportOnClose = 0;
    int barsInWindow = 0;
    int maximumQuotes = 0;
    int nDays = 0;
    int period = 0;
    int windowFirst = 0;
    int windowEnd = 0;
    float visibleHigh = 0;
    float visibleLow = 0;
    std::string quoteFilePath;
    std::string symbolName;
    std::string market;
    std::string spareText;
    std::vector<SQuote> base;
    std::vector<SQuote> display;
};

void WriteQuotes(CArchiveWriter& ar, const std::vector<SQuote>& quotes) {
    ar.WriteInt(static_cast<int32_t>(quotes.size()));
    for (const SQuote& quote : quotes) {
        ar.WriteInt(static_cast<int32_t>(quote.date));
        ar.WriteFloat(quote.open);
        ar.WriteFloat(quote.high);
        ar.WriteFloat(quote.low);
        ar.WriteFloat(quote.close);
        ar.WriteFloat(quote.volume);
    }
}

bool ReadQuotes(CArchiveReader& ar, std::vector<SQuote>& quotes) {
    int32_t count = 0;
    if (!ar.ReadCount(count, CChartFile::kStoredQuoteSize)) return false;
    quotes.assign(static_cast<size_t>(count), SQuote{});
    for (SQuote& quote : quotes) {
        int32_t date = 0;
        ar.ReadInt(date);
        quote.date = date;
        ar.ReadFloat(quote.open);
        ar.ReadFloat(quote.high);
        ar.ReadFloat(quote.low);
        ar.ReadFloat(quote.close);
        ar.ReadFloat(quote.volume);
        // The file does not hold the adjusted close; the close stands in for it.
        quote.adjClose = quote.close;
    }
    return ar.Ok();
}

bool ReadChecked(CArchiveReader& ar, int& value, int low, int high, const char* what) {
    if (!ar.ReadInt(value)) return false;
    if (value >= low && value <= high) return true;
    ar.Fail(std::string("a ") + what + " of " + std::to_string(value) + " at offset " +
            std::to_string(ar.Position() - 4));
    return false;
}

constexpr int kNoLimit = 0x7FFFFFFF;

bool ReadHead(CArchiveReader& ar, SChartHead& head) {
    if (!ReadChecked(ar, head.paneCount, 1, CChartFile::kMaxPanes, "pane count")) return false;
    if (!ReadChecked(ar, head.priceStyle, 0, CStock::kMaxPriceStyle, "price style") ||
        !ReadChecked(ar, head.penStyle, 0, CStock::kMaxPenStyle, "line pen style") ||
        !ReadChecked(ar, head.lineWeight, 0, CStock::kMaxLineWeight, "line weight"))
        return false;
    for (int number : kStoredColourOrder) {
        int32_t colour = 0;
        ar.ReadInt(colour);
        head.colours[number - 1] = static_cast<uint32_t>(colour);
    }
    for (CViewPar& par : head.viewPars)
        if (!ReadViewPar(ar, par)) return false;
    ar.ReadInt(head.exportOnClose);
    if (!ReadChecked(ar, head.barsInWindow, 0, kNoLimit, "DisDayNum") ||
        !ReadChecked(ar, head.maximumQuotes, 0, kNoLimit, "DisPeriod") ||
        !ReadChecked(ar, head.nDays, 0, kNoLimit, "N of the N-day period") ||
        !ReadChecked(ar, head.period, CStock::kPeriodDay, CStock::kPeriodNDays, "period"))
        return false;
    ar.ReadInt(head.windowFirst);
    ar.ReadInt(head.windowEnd);
    ar.ReadFloat(head.visibleHigh);
    ar.ReadFloat(head.visibleLow);
    ar.ReadString(head.quoteFilePath);
    ar.ReadString(head.symbolName);
    ar.ReadString(head.market);
    ar.ReadString(head.spareText);
    if (!ReadQuotes(ar, head.base) || !ReadQuotes(ar, head.display)) return false;
    // Every entry is rebuilt over the display series when the chart opens.
    int entries = 0;
    for (int pane = 0; pane < head.paneCount; ++pane)
        entries += static_cast<int>(head.viewPars[pane].identifiers.size());
    const int most = MaxIndicatorEntries(head.display.size());
    if (entries <= most) return true;
    ar.Fail(std::to_string(entries) + " indicator entries over " +
            std::to_string(head.display.size()) + " bars (allowed " + std::to_string(most) +
            " for that many bars) before offset " + std::to_string(ar.Position()));
    return false;
}

void ApplyHead(SChartHead& head, CStock& stock) {
    stock.SetPaneCount(head.paneCount);
    stock.SetViewSwitchA(head.priceStyle);
    stock.SetViewSwitchD(head.penStyle);
    stock.SetViewSwitchC(head.lineWeight);
    for (int number = 1; number <= 5; ++number) stock.SetColour(number, head.colours[number - 1]);
    for (int pane = 0; pane < CStock::kViewParCount; ++pane)
        stock.ViewPar(pane).CopyFrom(head.viewPars[pane]);
    // The chart's own window settings; setup.ini keeps the user's.
    stock.SetBarsInWindow(head.barsInWindow, false);
    stock.SetMaximumQuotes(head.maximumQuotes, false);
    stock.RestorePeriod(head.period, head.nDays);
    stock.ClearSeries(true, true);
    stock.RestoreSeries(std::move(head.base), std::move(head.display));
    // A window beyond the stored bars would send every view past the end of the series.
    const int count = static_cast<int>(stock.Display().size());
    const int first = std::clamp(head.windowFirst, 0, count);
    stock.RestoreWindow(first, std::clamp(head.windowEnd, first, count));
    stock.RestoreVisibleRange(head.visibleHigh, head.visibleLow);
    stock.SetQuoteFilePath(std::move(head.quoteFilePath));
    stock.SetSymbolName(std::move(head.symbolName));
    stock.SetMarket(std::move(head.market));
    stock.SetSpareText(std::move(head.spareText));
}
} // namespace

std::string CChartFile::Write(CStock& stock) {
    CArchiveWriter ar;
    ar.WriteInt(stock.PaneCount());
    ar.WriteInt(stock.ViewSwitchA());
    ar.WriteInt(stock.ViewSwitchD());
    ar.WriteInt(stock.ViewSwitchC());
    for (int number : kStoredColourOrder) ar.WriteInt(static_cast<int32_t>(stock.Colour(number)));
    for (int pane = 0; pane < CStock::kViewParCount; ++pane) WriteViewPar(ar, stock.ViewPar(pane));
    ar.WriteInt(stock.ExportOnClose() ? 1 : 0);
    ar.WriteInt(stock.BarsInWindow());
    ar.WriteInt(stock.MaximumQuotes());
    ar.WriteInt(stock.NDays());
    ar.WriteInt(stock.Period());
    ar.WriteInt(stock.WindowFirst());
    ar.WriteInt(stock.WindowEnd());
    ar.WriteFloat(stock.VisibleHigh());
    ar.WriteFloat(stock.VisibleLow());
    ar.WriteString(stock.QuoteFilePath());
    ar.WriteString(stock.SymbolName());
    ar.WriteString(stock.Market());
    ar.WriteString(stock.SpareText());
    WriteQuotes(ar, stock.Base());
    WriteQuotes(ar, stock.Display());
    CStockPanes* panes = CStockPanes::Of(stock);
    const CTCurve empty;
    for (int number = 0; number < stock.PaneCount(); ++number) {
        const CTCurve* pane = panes ? panes->Pane(number) : nullptr;
        (pane ? *pane : empty).Write(ar);
    }
    ar.WriteBytes(stock.FlagBytes().data(), stock.FlagBytes().size());
    return ar.Bytes();
}

CFileResult CChartFile::Save(CStock& stock, const std::string& path) {
    return WriteFileAtomically(path, Write(stock));
}

CFileResult CChartFile::Read(std::string_view bytes, std::unique_ptr<CStock>& stock,
                             bool recompute) {
    CArchiveReader ar(bytes);
    SChartHead head;
    auto panes = std::make_unique<CStockPanes>();
    std::array<uint8_t, 256> flagBytes{};
    bool read = ReadHead(ar, head);
    for (int number = 0; read && number < head.paneCount; ++number)
        read = panes->PaneAt(number).Read(ar);
    if (read) read = ar.ReadBytes(flagBytes.data(), flagBytes.size());
    if (!read) {
        // A refusal always carries a reason, so that it can never pass for a success.
        ar.Fail("");
        return ar.Result();
    }
    auto made = std::make_unique<CStock>();
    ApplyHead(head, *made);
    made->FlagBytes() = flagBytes;
    made->SetPaneHost(std::move(panes));
    made->PaneHost()->RebuildCostDistribution(*made);
    if (recompute) made->PaneHost()->ReplayIndicators(*made);
    // Only a chart read completely may export its quotes when it is closed.
    made->SetExportOnClose(head.exportOnClose != 0);
    stock = std::move(made);
    return {};
}

CFileResult CChartFile::Load(const std::string& path, std::unique_ptr<CStock>& stock,
                             bool recompute) {
    std::string bytes;
    if (!ReadWholeFile(path, bytes))
        return CFileResult::Failure(CFileResult::EKind::CannotOpen, "the file cannot be opened");
    return Read(bytes, stock, recompute);
}
