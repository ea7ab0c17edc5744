#include "IndicatorBuilder.h"
#include "CStockPanes.h"
#include "CTradeFlag.h"
#include "quotes/CStock.h"
#include "tools/CHorizontal.h"
#include <memory>
#include <string>

namespace {

// A pane that an inserting build creates starts with an empty name, so its name begins with
// the suffix's blank.
void StartPane(CTCurve& pane, const SIndicatorEntry& entry, bool insert, bool created) {
    if (insert) {
        if (created) pane.paneName.clear();
        pane.paneName += entry.suffix;
        return;
    }
    pane.DeleteCurves();
    pane.RemoveIndicatorElements();
    pane.paneName = entry.paneName;
}

void AddCurves(CTCurve& pane, SIndicatorCurves computed) {
    for (auto& curve : computed.curves) pane.AddCurve(std::move(curve));
    for (float level : computed.referenceLevels) {
        auto line = std::make_unique<CHorizontal>(level);
        line->indicatorMark = 1;
        pane.AddElement(std::move(line));
    }
}

void AddFlags(CTCurve& pane, const std::vector<STradeFlagData>& flags) {
    for (const STradeFlagData& data : flags) pane.AddElement(std::make_unique<CTradeFlag>(data));
}

} // namespace

bool PaneNumberAccepted(int pane) {
    return pane >= 0 && pane < CStock::kViewParCount;
}

bool BuildIndicator(CStock& stock, const SIndicatorEntry& entry, int pane, bool insert,
                    bool record) {
    if (!PaneNumberAccepted(pane)) return false;
    CStockPanes& panes = CStockPanes::InstallIn(stock);
    const bool created = panes.Pane(pane) == nullptr;
    CTCurve& target = panes.PaneAt(pane);
    if (entry.flags) {
        AddFlags(target, entry.flags(stock));
    } else {
        StartPane(target, entry, insert, created);
        AddCurves(target, entry.curves(stock));
    }
    if (record) stock.ViewPar(pane).AddIdentifier(entry.identifier, !insert);
    return true;
}

bool BuildIndicator(CStock& stock, std::string_view identifier, int pane, bool insert,
                    bool record) {
    const SIndicatorEntry* entry = FindIndicator(identifier);
    return entry && BuildIndicator(stock, *entry, pane, insert, record);
}
