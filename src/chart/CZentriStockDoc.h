#pragma once
#include "ctlkit/lang/CLanguage.h"
#include "quotes/CStock.h"
#include "settings/CModelContext.h"
#include <functional>
#include <memory>
#include <string>

// One chart: the price series with its panes, the symbol and market it shows, and the chart
// options of setup.ini. A new document reads and writes nothing; LoadSettings, when the chart
// opens, reads the series' settings (with the bars a new chart shows, "DisDayNum") and then
// "DATA_DIRECTORY" ("TickerName", "TickerMarket") and "ENVIORMENT" ("CurveFloating",
// "YAxisOffset"); Close writes the symbol, market and both flags back, so the next new chart
// starts where this one ended, and then closes the series. The new-chart commands below load
// the settings themselves. The quote folder ("DATA_DIRECTORY"/"DataDirectory") is read each
// time a symbol's quote file is located, so a folder chosen while the chart is open applies to
// the next symbol it opens.
//
// Charts and templates are read into a new series first; the open chart is replaced only by a
// file read completely. Every failure is told through the context's prompter.
class CZentriStockDoc {
public:
    // Starts the download of a symbol's quotes; the finished download reloads the document.
    using DownloadStarter =
        std::function<void(const std::string& symbol, const std::string& market)>;

    explicit CZentriStockDoc(CModelContext& context);
    ~CZentriStockDoc();
    CZentriStockDoc(const CZentriStockDoc&) = delete;
    CZentriStockDoc& operator=(const CZentriStockDoc&) = delete;

    CStock& Stock() { return *m_stock; }
    const CStock& Stock() const { return *m_stock; }
    const std::string& Title() const { return m_title; }
    const std::string& Symbol() const { return m_symbol; }
    const std::string& Market() const { return m_market; }
    const std::string& SpareText() const { return m_spareText; }
    int PaneCount() const { return m_paneCount; }
    bool CurveFloating() const { return m_curveFloating; }
    void SetCurveFloating(bool on) { m_curveFloating = on; }
    bool YAxisOffset() const { return m_yAxisOffset; }
    void SetYAxisOffset(bool on) { m_yAxisOffset = on; }
    void SetDownloadStarter(DownloadStarter starter) { m_downloadStarter = std::move(starter); }
    CModelContext& Context() const { return *m_context; }

    // Where the chart opens and closes: see above.
    void LoadSettings();
    void Close();

    // The pane count from the series, the cost distribution rebuilt, a pane for every pane
    // number below the count; the title becomes "NoName".
    void NewDocument();
    // Loads the quote file of `symbol` in `market`. When the file is missing, fails the header
    // check or cannot be read, asks whether to download it and on Yes starts the download.
    bool OpenSymbol(const std::string& symbol, const std::string& market);
    // Loads the quote file of `symbol` in `market` without asking anything, and takes both as
    // the chart's own; false (the chart unchanged) when the file cannot be loaded. A finished
    // download ends here.
    bool LoadSymbolQuotes(const std::string& symbol, const std::string& market);
    // The chart file at `path` replaces the open chart; the title becomes its symbol.
    bool OpenChart(const std::string& path);
    bool SaveChart(const std::string& path);

    void MakeDayPeriod();
    void MakeWeekPeriod();
    void MakeMonthPeriod();
    // N days with `n` (> 0) as asked from the user.
    void MakeNDayPeriod(int n);

    // Every pane's curves, trade flags and reference lines, and every identifier list.
    void DeleteAllCurves();
    // The user's drawings of every pane; indicator output stays.
    void DeleteAllSymbols();

    // Reloads the chart's quote file and rebuilds what is derived from it (periods, cost
    // distribution, every pane's indicators). A file that vanished or no longer reads in full
    // leaves the chart as it was: false, told.
    bool RefreshData();
    // A pane number an indicator was just built in counts as one of the chart's panes.
    void KeepPane(int pane);

    // The chart's look as a template; a pane whose ticks were never chosen is marked as
    // showing the ticks from the bottom value first, so the template gives what is shown.
    bool SaveTemplate(const std::string& path);
    bool SaveAsDefaultTemplate();
    // Reads the template at `path` into this chart's series ("Can not open the selected
    // template file.", "Error file type." or the reader's reason when refused; nothing changes
    // then) and makes the panes it names.
    bool ReadTemplate(const std::string& path);
    // The template at `path` gives this chart its look: the indicators it names replace the
    // chart's own, the drawings stay. Refused as ReadTemplate refuses, nothing changed then.
    bool ApplyTemplate(const std::string& path);

    // The new-chart commands. Those with `active` need an open chart: without one they show
    // "Please open a child window first." and give null. A chart whose template or quotes
    // could not be read is still given (the user was told), as the windowed program shows it.
    static std::unique_ptr<CZentriStockDoc> NewChart(CModelContext& context);
    static std::unique_ptr<CZentriStockDoc> NewChartOfSymbol(CModelContext& context,
                                                             const CZentriStockDoc* active);
    static std::unique_ptr<CZentriStockDoc>
    NewChartWithPanes(CModelContext& context, const CZentriStockDoc* active, int panes);
    // Also "Apply Template": the active chart stays as it is.
    static std::unique_ptr<CZentriStockDoc> NewChartFromTemplate(CModelContext& context,
                                                                 const CZentriStockDoc* active,
                                                                 const std::string& path);

    // A template file named on the command line: a new chart from it of the symbol and market
    // of the chart closed last (setup.ini); none when the template was refused (the user was
    // told why).
    static std::unique_ptr<CZentriStockDoc> NewChartFromTemplateFile(CModelContext& context,
                                                                     const std::string& path);

private:
    static bool HasActiveChart(CModelContext& context, const CZentriStockDoc* active);
    static std::unique_ptr<CZentriStockDoc> Opened(CModelContext& context);
    static std::unique_ptr<CZentriStockDoc> FromDefaultTemplate(CModelContext& context);
    void Tell(const std::string& text) const;
    bool LoadTemplate(const std::string& path, class CChartTemplate& chartTemplate) const;
    // The export on close of a series the chart lets go of, told when it fails.
    void CloseSeries(CStock& stock);
    void MakePanes();
    // A new chart's panes take round ticks unless their template chose the ticks.
    void DefaultNewChartLook();
    void SaveSettings();

    CModelContext* m_context;
    std::unique_ptr<CStock> m_stock;
    std::string m_spareText;
    std::string m_symbol;
    std::string m_market;
    std::string m_title;
    CLanguage m_translator;
    int m_paneCount = 0;
    bool m_curveFloating = false;
    bool m_yAxisOffset = false;
    DownloadStarter m_downloadStarter;
};
