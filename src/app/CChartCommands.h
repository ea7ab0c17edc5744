#pragma once
#include <functional>
#include <memory>
#include <optional>
#include <string>

class CDocumentDownloads;
class CZentriStockDoc;

// A file dialog of a chart command: the window shows one, a test answers it.
struct SFileQuestion {
    enum class EKind { Open, Save };
    EKind kind = EKind::Open;
    std::string folder;   // with a trailing "/"; made when missing
    std::string filter;   // "*.cht", "*.tmp"
    std::string proposed; // the file name a Save proposes
};

// The questions the chart commands ask besides yes or no; each answers nullopt on Cancel.
struct SChartQuestions {
    std::function<std::optional<std::string>(const SFileQuestion&)> file;
    // Insert (true) or Replace (false) indicator `identifier` into `pane`, which is named
    // `paneName` now.
    std::function<std::optional<bool>(int pane, const std::string& paneName,
                                      const std::string& identifier)>
        insertOrReplace;
    std::function<std::optional<int>(int current)> paneCount;
    std::function<std::optional<int>(int current, int baseQuotes)> nDays;
    // The icon (0 to 39) of the "Symbols" tool.
    std::function<std::optional<int>()> symbolIcon;
};

// The commands of one chart window that work on its document: saving, templates, new charts
// from the active one, periods, refresh, deleting, inserting indicators and flags, arming the
// drawing tools, and the downloads. Platform-free: the window hands in its questions and is
// told what changed.
class CChartCommands {
public:
    // What a command changed, so that the window repaints no more than it must.
    enum class EChange {
        None,   // nothing to redraw
        Panes,  // every pane is to be repainted
        Layout, // the pane count changed: the window makes its panes anew
    };

    CChartCommands(CZentriStockDoc& document, CDocumentDownloads* downloads,
                   SChartQuestions questions);

    // The pane with the keyboard focus, where sub-chart indicators and tools go.
    std::function<int()> focusedPane;
    // Arms a tool code on the focused pane (0 disarms).
    std::function<void(int code)> armTool;
    // A new chart made from this one, to be shown in a window of its own.
    std::function<void(std::unique_ptr<CZentriStockDoc> chart)> openChart;
    // The chart was saved to this file (for the recent-file list).
    std::function<void(const std::string& path)> saved;

    // The questions, which a test may answer instead of the window.
    SChartQuestions& Questions() { return m_questions; }

    // False for a command this chart does not handle.
    bool OnCommand(unsigned id);
    // What the last handled command changed.
    EChange LastChange() const { return m_change; }
    // The check mark of a period command (the current period); false for other ids.
    bool IsChecked(unsigned id) const;

    // The tool code a command arms (Part of the Insert menu and the tool boxes); 0 for none.
    static int ToolCode(unsigned id);
    // The indicator identifier an Insert command builds; null for none.
    static const char* IndicatorOf(unsigned id);

private:
    bool Save();
    bool SaveTemplate();
    bool ApplyTemplate(bool fromDefault);
    bool NewChartOfSymbol();
    bool NewChartWithPanes();
    bool NewChartFromTemplate();
    bool UserDefinedPeriod();
    bool Refresh();
    bool DeleteAll(bool curves);
    bool Insert(const char* identifier);
    bool ArmSymbols();
    std::optional<std::string> AskFile(SFileQuestion::EKind kind, const std::string& folder,
                                       const std::string& filter, const std::string& proposed = {});
    void Open(std::unique_ptr<CZentriStockDoc> chart);

    CZentriStockDoc& m_document;
    CDocumentDownloads* m_downloads;
    SChartQuestions m_questions;
    EChange m_change = EChange::None;
};
