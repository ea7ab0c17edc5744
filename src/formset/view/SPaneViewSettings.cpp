#include "SPaneViewSettings.h"
#include "chart/CZentriStockDoc.h"
#include "ctlkit/base/CPrompter.h"
#include "element/SValueScale.h"
#include "formset/NumberText.h"
#include "indicators/CStockPanes.h"
#include "indicators/CTCurve.h"
#include "indicators/IndicatorBuilder.h"
#include "quotes/CStock.h"
#include "settings/CModelContext.h"
#include <algorithm>
#include <numeric>
#include <utility>

namespace {

std::optional<SFieldError> CheckCell(unsigned field, const std::string& name, int value) {
    int taken = 0;
    return ReadWholeNumberField(field, name, std::to_string(value), SPaneViewSettings::kMinCell,
                                SPaneViewSettings::kMaxCell, taken);
}

void CopyTitle(const CViewPar& from, CViewPar& to) {
    to.titleColour = from.titleColour;
    to.labelFont = from.labelFont;
}

void CopyAxis(const CViewPar& from, CViewPar& to) {
    to.axisTextColour = from.axisTextColour;
    to.axisFont = from.axisFont;
    to.frameColour = from.frameColour;
    to.gridPenStyle = from.gridPenStyle;
    to.cellMaxX = from.cellMaxX;
    to.cellMaxY = from.cellMaxY;
    to.showVerticalGrid = from.showVerticalGrid;
    to.showHorizontalGrid = from.showHorizontalGrid;
    for (const std::size_t option : {CViewPar::kLogScaleByte, CViewPar::kRoundTicksByte})
        to.flagBytes[option] = from.flagBytes[option];
}

// Whether the pane's values as last fitted lie above 0, which a logarithmic scale needs.
bool TakesLogScale(const CStock& stock, int pane) {
    const CStockPanes* panes = CStockPanes::Of(stock);
    if (panes && pane > 0 && pane < static_cast<int>(panes->Count())) {
        const CTCurve* held = panes->Pane(pane);
        return SValueScale::CanBeLogarithmic(held->RangeMin(), held->RangeMax());
    }
    return SValueScale::CanBeLogarithmic(stock.VisibleLow(), stock.VisibleHigh());
}

// Every entry where it was: two entries of one indicator swapped give the same list, but
// their looks move.
bool InOrder(const std::vector<int>& order) {
    for (size_t position = 0; position < order.size(); ++position)
        if (order[position] != static_cast<int>(position)) return false;
    return true;
}

} // namespace

SPaneViewSettings SPaneViewSettings::Of(const CStock& stock, int pane, EViewParPart part) {
    SPaneViewSettings settings;
    settings.part = part;
    settings.pane = pane;
    settings.par = stock.ViewPar(pane);
    settings.entryOrder.resize(settings.par.identifiers.size());
    std::iota(settings.entryOrder.begin(), settings.entryOrder.end(), 0);
    return settings;
}

std::optional<SFieldError> SPaneViewSettings::Check(const SCellFieldNames& names) const {
    if (part == EViewParPart::Title) return std::nullopt;
    if (auto error = CheckCell(kCellMaxXField, names.cellMaxX, par.cellMaxX)) return error;
    return CheckCell(kCellMaxYField, names.cellMaxY, par.cellMaxY);
}

bool SPaneViewSettings::RemoveIdentifier(int index) {
    std::vector<std::string>& ids = par.identifiers;
    if (index < 0 || index >= static_cast<int>(ids.size())) return false;
    ids.erase(ids.begin() + index);
    if (index < static_cast<int>(entryOrder.size())) entryOrder.erase(entryOrder.begin() + index);
    return true;
}

bool SPaneViewSettings::MoveIdentifier(int index, int delta) {
    std::vector<std::string>& ids = par.identifiers;
    const int count = static_cast<int>(ids.size());
    const int to = index + delta;
    if (index < 0 || index >= count || to < 0 || to >= count || delta == 0) return false;
    std::string moved = std::move(ids[index]);
    ids.erase(ids.begin() + index);
    ids.insert(ids.begin() + to, std::move(moved));
    if (static_cast<int>(entryOrder.size()) == count) {
        const int entry = entryOrder[index];
        entryOrder.erase(entryOrder.begin() + index);
        entryOrder.insert(entryOrder.begin() + to, entry);
    }
    return true;
}

void SPaneViewSettings::CopyPartInto(CViewPar& target) const {
    switch (part) {
    case EViewParPart::Title:
        CopyTitle(par, target);
        break;
    case EViewParPart::Axis:
        CopyAxis(par, target);
        break;
    case EViewParPart::Window:
        CopyTitle(par, target);
        CopyAxis(par, target);
        target.backgroundColour = par.backgroundColour;
        break;
    }
}

SPaneSettingsApplied ApplyPaneViewSettings(CZentriStockDoc& document,
                                           const SPaneViewSettings& edited) {
    SPaneSettingsApplied applied;
    CStock& stock = document.Stock();
    if (edited.pane < 0 || edited.pane >= CStock::kViewParCount) return applied;
    CViewPar& record = stock.ViewPar(edited.pane);
    edited.CopyPartInto(record);
    if (edited.applyToAllPanes)
        for (int pane = 0; pane < CStock::kViewParCount; ++pane)
            edited.CopyPartInto(stock.ViewPar(pane));
    // Only a changed list is replayed: a pane whose curves were built without a record would
    // lose them to a replay of its empty list.
    if (edited.part == EViewParPart::Window &&
        (record.identifiers != edited.par.identifiers || !InOrder(edited.entryOrder))) {
        // Rearranged by entry, the looks stored with each entry go along; a list edited
        // otherwise is taken as it stands.
        if (!ArrangeIndicatorEntries(stock, edited.pane, edited.entryOrder) ||
            record.identifiers != edited.par.identifiers) {
            record.identifiers = edited.par.identifiers;
            if (CStockPanes* panes = CStockPanes::Of(stock)) panes->ReplayPane(stock, edited.pane);
        }
        // The price pane's curves take part in its price range.
        if (CStockPanes::Of(stock)) stock.ComputeVisibleRange();
        applied.replayed = true;
    }
    const int shown = std::min(document.PaneCount(), CStock::kViewParCount);
    for (int pane = 0; pane < shown; ++pane) {
        if ((pane != edited.pane && !edited.applyToAllPanes) || !stock.ViewPar(pane).LogScale() ||
            TakesLogScale(stock, pane))
            continue;
        applied.keptLinear.push_back(pane);
        document.Context().Prompter().ShowMessage(CViewPar::LinearScaleNotice(pane));
    }
    if (edited.saveAsDefault) applied.defaultSaved = document.SaveAsDefaultTemplate();
    return applied;
}

std::optional<SPaneSettingsApplied>
EditPaneViewSettings(CZentriStockDoc& document, int pane, EViewParPart part,
                     const std::function<bool(SPaneViewSettings&)>& dialog) {
    if (pane < 0 || pane >= CStock::kViewParCount || !dialog) return std::nullopt;
    SPaneViewSettings edited = SPaneViewSettings::Of(document.Stock(), pane, part);
    if (!dialog(edited)) return std::nullopt;
    edited.pane = pane;
    edited.part = part;
    return ApplyPaneViewSettings(document, edited);
}
