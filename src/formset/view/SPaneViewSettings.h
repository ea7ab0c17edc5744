#pragma once
#include "formset/SFieldError.h"
#include "quotes/CViewPar.h"
#include <functional>
#include <optional>
#include <string>

class CStock;
class CZentriStockDoc;

// Which part of a pane's view-parameter record a settings dialog edits.
enum class EViewParPart {
    Title,  // title colour and label font
    Axis,   // axis text colour, axis font, frame colour, grid pen style, cells, grid switches,
            // logarithmic scale and round ticks
    Window, // every display setting (the background too) and the identifier list
};

// The grid cell fields as messages name them (the dialog passes its translated labels).
struct SCellFieldNames {
    std::string cellMaxX = "Grid cell width";
    std::string cellMaxY = "Grid cell height";
};

// What the chart title, axis and chart window settings dialogs edit: a copy of one pane's
// record, and whether OK also gives the edited settings to every other pane and writes the
// chart's look as the default template for new charts.
struct SPaneViewSettings {
    // Below 10 pixels a grid cell is unreadable; above CViewPar::kMaxCell a chart file with
    // the record is refused.
    static constexpr int kMinCell = 10;
    static constexpr int kMaxCell = CViewPar::kMaxCell;
    // The dialogs' grid cell fields, which refusals point at.
    static constexpr unsigned kCellMaxXField = 1008;
    static constexpr unsigned kCellMaxYField = 1009;

    EViewParPart part = EViewParPart::Window;
    int pane = 0;
    CViewPar par;
    bool applyToAllPanes = false;
    bool saveAsDefault = false;
    // For each identifier of the edited list, its position in the pane's list, so that OK
    // carries every indicator's edited look along with it.
    std::vector<int> entryOrder;

    // The record of `pane` (0 to 9) of `stock`, neither check box ticked.
    static SPaneViewSettings Of(const CStock& stock, int pane, EViewParPart part);

    // A grid cell outside 10..1000: "<name>: please enter a whole number from 10 to 1000.",
    // naming the cell width first. Only the parts that hold the cells check them.
    std::optional<SFieldError> Check(const SCellFieldNames& names = {}) const;
    std::optional<SFieldError> Validate() const { return Check(); }

    // The identifier list, which only the window settings show, with `entryOrder` along.
    // False (nothing changed) for an index outside the list, or a move past either end.
    bool RemoveIdentifier(int index);
    bool MoveIdentifier(int index, int delta);

    // The fields of `part` from the edited record into `target`; the identifier list and the
    // flag bytes are never copied, but for the scale options the axis part holds.
    void CopyPartInto(CViewPar& target) const;
};

// What OK did to the chart.
struct SPaneSettingsApplied {
    bool replayed = false;     // the pane's identifier list changed and its curves were rebuilt
    bool defaultSaved = false; // the default template was written
    // The panes that were told they keep a linear scale (CViewPar::LinearScaleNotice).
    std::vector<int> keptLinear;
};

// OK: the pane's record takes the edited fields; with the window part also the identifier
// list, and when that changed, the pane is rebuilt by replaying it (a list that became empty
// leaves the pane without curves). With applyToAllPanes every other record (all ten, so a
// pane made later looks the same) takes the edited fields too, never the list. With
// Every pane of the chart whose record now asks for a logarithmic scale over values at or below
// 0 is named in a message (it stays linear). With saveAsDefault the chart's look is then written to
// the default template; a failure to write it is told by the document and leaves the settings
// applied.
SPaneSettingsApplied ApplyPaneViewSettings(CZentriStockDoc& document,
                                           const SPaneViewSettings& edited);

// Runs `dialog` on the settings of `pane` and applies them on OK; nullopt on Cancel and for
// a pane number outside 0..9.
std::optional<SPaneSettingsApplied>
EditPaneViewSettings(CZentriStockDoc& document, int pane, EViewParPart part,
                     const std::function<bool(SPaneViewSettings&)>& dialog);
