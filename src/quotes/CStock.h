#pragma once
#include "CBarColumns.h"
#include "CStockPaneHost.h"
#include "CViewPar.h"
#include "QuoteFileFormat.h"
#include "SQuote.h"
#include "SQuoteReadStats.h"
#include "ctlkit/base/CFileResult.h"
#include "element/CSymbol.h"
#include "settings/SetupSettings.h"
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class CModelContext;

// The price series of one chart: the daily quotes of one symbol as loaded (base series), the
// same quotes regrouped into the chosen period (display series, what every view and indicator
// indexes), the window of bars the chart shows and the price range of that window.
//
// A new series reads and writes nothing: LoadSettings reads "STOCKLINE_SETUP"/"DisPeriod"
// from setup.ini when a chart opens; Close exports the daily quotes when the export-on-close
// flag asks for it and stores the window settings the user chose. Panes, curves and the cost
// distribution hang on the series through the pane host (null: a series without panes).
//
// The quote-file operations tell nobody: they return the outcome with the system's message,
// and the document or the command-line tool shows it.
class CStock : public CSymbol {
public:
    static constexpr int kElementType = 37;
    static constexpr int kElementNameId = 77; // string resource of the element name
    static constexpr int kDefaultMaximumQuotes = StockLineSettings::kDefaultMaximumQuotes;
    static constexpr int kDefaultBarsInWindow = StockLineSettings::kDefaultBarsInWindow;
    static constexpr int kResetWindowBars = 250;
    static constexpr int kViewParCount = 10; // one view-parameter record per pane number
    // The largest price style (view switch A: 0 hidden ... 6 line through the lows), line pen
    // style (view switch D) and line weight (view switch C) a chart or template may hold.
    static constexpr int kMaxPriceStyle = 6;
    static constexpr int kMaxPenStyle = 5;
    static constexpr int kMaxLineWeight = 6;

    enum EPeriod { kPeriodDay = 0, kPeriodWeek = 1, kPeriodMonth = 2, kPeriodNDays = 3 };
    enum ESourceFormat { kSourceTickerList = 0, kSourceCsv = 1 };

    // One placeholder quote dated `now` (seconds since 1970), as a new chart shows; the
    // default constructor dates it by the system clock.
    CStock();
    explicit CStock(int64_t now);
    ~CStock() override;
    CStock(const CStock&) = delete;
    CStock& operator=(const CStock&) = delete;

    void SetPaneHost(std::unique_ptr<CStockPaneHost> host) { m_paneHost = std::move(host); }
    CStockPaneHost* PaneHost() const { return m_paneHost.get(); }

    // The display settings and indicator identifiers of pane `pane` (0 to 9).
    CViewPar& ViewPar(int pane) { return m_viewPars.at(pane); }
    const CViewPar& ViewPar(int pane) const { return m_viewPars.at(pane); }

    // Periods. Without `force`, the day, week and month operations do nothing when that
    // period is already selected, and replay the pane indicators after rebuilding.
    void MakeDayLine(bool force);
    void MakeWeekLine(bool force);
    void MakeMonthLine(bool force);
    void MakeNDayLine(bool force);
    // The Make operation of the current period, forced.
    void RebuildPeriod();
    // Sets N of the N-day period when n > 0.
    void SetNDays(int n);
    // Period and N as a stored chart holds them; false (nothing changed) for a period
    // outside 0..3 or a negative N.
    bool RestorePeriod(int period, int nDays);

    // Window of the display series.
    void ShowLastBars();
    void ShiftWindow(int firstDelta, int endDelta, bool keepSaved);
    void ResetWindow();
    void ComputeVisibleRange();
    // Empties the display series, the base series when `alsoBase`, the cost distribution and,
    // when `curves`, the curve data of every pane.
    void ClearSeries(bool alsoBase, bool curves);

    // Settings of an opened chart: "DisPeriod" becomes the maximum; "Section doesn't exist"
    // is told through the context's prompter when setup.ini has no [STOCKLINE_SETUP].
    void LoadSettings(CModelContext& context);
    // What closing the chart does: the export on close when flagged (only into the data
    // folder), then the window settings the user chose. The export's outcome is returned for
    // the caller to tell; the settings are stored either way.
    CFileResult Close(CModelContext& context);
    // For a series read from a chart file, which keeps its own maximum: the settings' value,
    // which Close stores when the user chose none and the section has gone.
    void KeepSetupMaximum(int maximum) { m_setupMaximumQuotes = maximum; }

    // Quote files. Each reading operation leaves its line counts in LastReadStats(). A failure
    // leaves the series as it was, except a partial one (a line with an unknown month name
    // ended the reading): the quotes before it are loaded.
    // LoadQuoteFile: CannotOpen without a message when `path` is no regular file (the caller
    // words that), the header check's verdict, then the reading's.
    CFileResult LoadQuoteFile(const std::string& path);
    CFileResult ReloadQuoteFile(const std::string& path, bool alsoBase, bool curves);
    CFileResult ReadCsvQuotes(const std::string& path);
    CFileResult ReadTickerQuotes(const std::string& path);
    // Writes the display series to `path`, replacing the file atomically; on failure the old
    // file stays. Clears export on close on success.
    CFileResult ExportCsv(const std::string& path);
    const SQuoteReadStats& LastReadStats() const { return m_readStats; }

    // Series.
    const std::vector<SQuote>& Display() const { return m_display; }
    // The display series as columns, kept with it: what the indicator formulas read.
    const CBarColumns& DisplayColumns() const { return m_displayColumns; }
    const std::vector<SQuote>& Base() const { return m_base; }
    // Both series as a stored chart holds them.
    void RestoreSeries(std::vector<SQuote> base, std::vector<SQuote> display);

    // Window state.
    int WindowFirst() const { return m_windowFirst; }
    int WindowEnd() const { return m_windowEnd; }
    int SavedFirst() const { return m_savedFirst; }
    int SavedEnd() const { return m_savedEnd; }
    void RestoreWindow(int first, int end);
    float VisibleHigh() const { return m_visibleHigh; }
    float VisibleLow() const { return m_visibleLow; }
    void RestoreVisibleRange(float high, float low);

    // "DisPeriod" and "DisDayNum". The user's choice is remembered in setup.ini when the
    // chart is closed; a value that only this chart carries is not.
    int MaximumQuotes() const { return m_maximumQuotes; }
    bool SetMaximumQuotes(int maximum, bool userChoice);
    int BarsInWindow() const { return m_barsInWindow; }
    bool SetBarsInWindow(int bars, bool userChoice);

    int Period() const { return m_period; }
    int NDays() const { return m_nDays; }
    int SourceFormat() const { return m_sourceFormat; }
    void SetSourceFormat(int format) { m_sourceFormat = format; }

    const std::string& SymbolName() const { return m_symbolName; }
    void SetSymbolName(std::string name) { m_symbolName = std::move(name); }
    const std::string& SpareText() const { return m_spareText; }
    void SetSpareText(std::string text) { m_spareText = std::move(text); }
    const std::string& QuoteFilePath() const { return m_quoteFilePath; }
    void SetQuoteFilePath(std::string path) { m_quoteFilePath = std::move(path); }
    const std::string& Market() const { return m_market; }
    void SetMarket(std::string market) { m_market = std::move(market); }

    bool ExportOnClose() const { return m_exportOnClose != 0; }
    void SetExportOnClose(bool on) { m_exportOnClose = on ? 1 : 0; }

    // Display settings kept for the price drawing and the chart file.
    int ViewSwitchA() const { return m_viewSwitchA; }
    void SetViewSwitchA(int value) { m_viewSwitchA = value; }
    int ViewSwitchB() const { return m_viewSwitchB; }
    void SetViewSwitchB(int value) { m_viewSwitchB = value; }
    int ViewSwitchC() const { return m_viewSwitchC; }
    void SetViewSwitchC(int value) { m_viewSwitchC = value; }
    int ViewSwitchD() const { return m_viewSwitchD; }
    void SetViewSwitchD(int value) { m_viewSwitchD = value; }
    int PaneCount() const { return m_paneCount; }
    void SetPaneCount(int count) { m_paneCount = count; }
    // Colours 1 to 5 (0x00BBGGRR): rise fill, fall fill, rise border, fall border, doji.
    uint32_t Colour(int number) const { return m_colours.at(number - 1); }
    void SetColour(int number, uint32_t colour) { m_colours.at(number - 1) = colour; }
    std::array<uint8_t, 256>& FlagBytes() { return m_flagBytes; }
    const std::array<uint8_t, 256>& FlagBytes() const { return m_flagBytes; }

    // The half-width of a drawn bar in pixels. Until the user narrows or broadens it, the
    // price drawing recomputes it from the bar spacing on every draw.
    int BarHalfWidth() const { return m_barHalfWidth; }
    bool BarHalfWidthByHand() const { return m_barHalfWidthByHand; }
    void SetComputedBarHalfWidth(int halfWidth) { m_barHalfWidth = halfWidth; }
    // Narrow (-1) or Broaden (+1): never below 0, and from then on kept as set.
    void AdjustBarHalfWidth(int delta);
    // The look of the price bars for the elements coloured after them.
    SPriceLook PriceLook() const;

    // The price bars in the price style (0 to 6), and the squares of a selected series.
    void Draw(CDC& dc, float yMax, float yMin, int first, int end, const CRect& plot) override;
    // kHitPriceSeries on what the last draw showed of a visible bar (within hitTolerance),
    // else 0; the series is selected by it but never dragged.
    int HitTest(int x, int y) override;

    int ElementType() const { return typeCode; }
    int ElementNameId() const { return m_elementNameId; }

private:
    void SetDisplay(std::vector<SQuote> bars);
    void FinishMake(int period, bool force);
    void RebuildDisplay(std::vector<SQuote> bars);
    void KeepDisplayAsDayBars();
    void PrependQuotes(std::vector<SQuote> newestFirst);
    CFileResult ReadWithFormat(EQuoteFileFormat format, const std::string& path);
    void SetWholeWindow();
    CFileResult WriteCsv(const std::string& path, const std::vector<SQuote>& oldestFirst);
    CFileResult ExportBaseOnClose(const std::string& dataFolder);
    void StoreWindowSettings(CIniReader& settings);

    int m_elementNameId = kElementNameId;
    std::array<CViewPar, kViewParCount> m_viewPars;
    std::string m_symbolName = "NoName";
    std::string m_spareText;
    std::string m_quoteFilePath;
    std::string m_market;
    // Written only through SetDisplay, which keeps the columns with it.
    std::vector<SQuote> m_display;
    CBarColumns m_displayColumns;
    std::vector<SQuote> m_base;
    std::unique_ptr<CStockPaneHost> m_paneHost;
    int m_windowFirst = 0;
    int m_windowEnd = 0;
    int m_savedFirst = 0;
    int m_savedEnd = 0;
    int m_sourceFormat = kSourceCsv;
    int m_viewSwitchA = 1;
    int m_viewSwitchB = 1;
    int m_paneCount = 2;
    int m_viewSwitchC = 1;
    int m_viewSwitchD = 1;
    int m_maximumQuotes = kDefaultMaximumQuotes;
    float m_visibleHigh = 0;
    float m_visibleLow = 0;
    std::array<uint32_t, 5> m_colours = {0xFFFFFF, 0x969600, 0x0000FF, 0x969600, 0x00FF00};
    std::array<uint8_t, 256> m_flagBytes{};
    int m_period = kPeriodDay;
    int m_nDays = 2;
    int m_barsInWindow = kDefaultBarsInWindow;
    int m_exportOnClose = 0;
    std::vector<int32_t> m_previousDates; // bar dates of the display series before a rebuild
    int m_barHalfWidth = 0;
    bool m_barHalfWidthByHand = false;

    // What setup.ini held at construction, and whether the user changed the values since.
    int m_setupMaximumQuotes = kDefaultMaximumQuotes;
    bool m_maximumQuotesChosen = false;
    bool m_barsInWindowChosen = false;
    SQuoteReadStats m_readStats;
};
