#pragma once
#include "app/CChartCommands.h"
#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

class CChartPrinting;
class CDocumentDownloads;
class CDownloadDialogs;
class CPaneStack;
class CPaneWidget;
class CStock;
class CSymbol;
class CUiThreadLoop;
class CZentriStockDoc;
class QMenu;
class QSplitter;

// The window of one chart document: a vertical splitter with one pane widget per pane, pane
// 0 on top, the document's downloads with their progress dialogs, and the document itself,
// which the window owns from opening to closing. The main frame puts it in an MDI sub-window.
class CChildFrame : public QWidget {
public:
    CChildFrame(std::unique_ptr<CZentriStockDoc> document, CUiThreadLoop& loop,
                QWidget* parent = nullptr);
    // Lets go of the jobs and their dialogs before the document they report to and of the
    // panes before the document they show, then closes the document, which stores its
    // settings.
    ~CChildFrame() override;

    CZentriStockDoc& Document() { return *m_document; }
    CPaneStack& Panes() { return *m_panes; }
    CDocumentDownloads& Downloads() { return *m_downloads; }
    CDownloadDialogs& DownloadDialogs() { return *m_downloadDialogs; }
    QSplitter& Splitter() { return *m_splitter; }
    int PaneCount() const { return static_cast<int>(m_paneWidgets.size()); }
    CPaneWidget& PaneWidget(int pane) { return *m_paneWidgets.at(pane); }
    // "NoName" for a new chart, else the symbol.
    QString Title() const;

    // The quote file of `symbol` in `market` replaces the chart's (the document asks to
    // download a missing one); the panes show it. False when it was not loaded.
    bool OpenSymbol(const std::string& symbol, const std::string& market);
    // A chart command from a menu or toolbar; false when the chart has none of that id.
    bool OnCommand(unsigned id);
    // Whether the command can be carried out now (a dialog it needs exists).
    bool Offers(unsigned id) const;
    // The check mark of a chart command (the current period).
    bool IsChecked(unsigned id) const;
    // Every pane is painted anew.
    void RedrawPanes();
    // Every pane's scales are laid out again (the chart options changed), then painted.
    void RelayoutPanes();
    // The crosshair over the panes, drawn over their kept images.
    void SetCrosshair(bool on);

    // Copy puts the selected drawing on the clipboard as a chart element (CElementClipboard,
    // with a text line describing it); with no drawing selected, a curve or the price series,
    // the image of the panes. Cut copies the same way, then deletes the drawing; with none it
    // deletes nothing.
    void CopyToClipboard(bool cut);
    // Puts the chart element on the clipboard into the focused pane and selects it; the status
    // text tells what was pasted or why nothing was.
    void PasteFromClipboard();
    // True when the clipboard holds a chart element (which Paste may still refuse).
    static bool ClipboardHoldsElement();
    // The favourites groups of the program's favourites folder.
    std::vector<std::string> FavouriteGroups() const;
    // Adds the chart's symbol, its name and market to favourites group `group` and tells the
    // outcome in the status text; false when it was not added.
    bool AddToFavourites(const std::string& group);

    // The questions the commands ask: file dialogs and the chart dialogs by default; tests
    // answer them instead.
    SChartQuestions& Questions() { return m_commands->Questions(); }
    // The program's printer, shared by every chart window (null: no printing).
    void SetPrinting(CChartPrinting* printing) { m_printing = printing; }
    // The dialogs of the Setting menu that other windows provide (options, favourites): true
    // when one was shown.
    std::function<bool(unsigned id, CChildFrame& chart)> settingDialog;
    // The properties dialog of the selected element of pane `pane` (a drawing tool, a curve,
    // a trade flag or the price series): true when OK changed it. Null: Selected Object is
    // greyed.
    std::function<bool(CSymbol& element, int pane)> elementProperties;

    // Called before the document goes away, so that whoever shows its series forgets it.
    std::function<void(CStock& series)> onClosing;
    // The mouse entered another bar inside a pane's plot area (the chart's bar notification).
    std::function<void(CStock& series, int bar)> onBarEntered;
    // A letter, digit or "^" was typed in a pane: the start of a symbol to look up.
    std::function<void(char typed)> onSymbolKey;
    // The status read-out of the pane under the mouse: value and date (empty: none).
    std::function<void(const std::string& value, const std::string& date)> onReadOut;
    // A text for the status bar ("IBM downloaded").
    std::function<void(const QString& text)> onStatusText;
    // A new chart made from this one, to be shown in a window of its own.
    std::function<void(std::unique_ptr<CZentriStockDoc> chart)> onOpenChart;
    // A command chosen from a pane's context menu, carried out as if from the menu bar.
    std::function<void(unsigned id)> onCommand;
    // The chart was saved (for the recent-file list).
    std::function<void(const std::string& path)> onSaved;

private:
    void MakePanes();
    void ConnectPane(CPaneWidget& pane);
    void ApplyHidden();
    void ArmTool(int code);
    void TextPlaced(int pane);
    void ShowContextMenu(QPoint global, bool valueAxis);
    void AddFavouritesMenu(QMenu& menu);
    void WatchClipboard();
    void Tell(const QString& text);
    bool OnPaneCommand(unsigned id);
    bool OnPrintCommand(unsigned id);
    bool ShowSelectedProperties();
    // The title, axis and window settings of the focused pane and the display range.
    bool ShowViewDialog(unsigned id);
    CSymbol* SelectedElement() const;
    void ChartChanged(CChartCommands::EChange change);

    std::unique_ptr<CZentriStockDoc> m_document;
    std::unique_ptr<CDownloadDialogs> m_downloadDialogs;
    std::unique_ptr<CDocumentDownloads> m_downloads;
    std::unique_ptr<CPaneStack> m_panes;
    QSplitter* m_splitter;
    std::vector<CPaneWidget*> m_paneWidgets;
    std::unique_ptr<CChartCommands> m_commands;
    CChartPrinting* m_printing = nullptr;
    bool m_crosshair = false;
};
