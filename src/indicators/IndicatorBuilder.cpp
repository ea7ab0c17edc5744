#include "IndicatorBuilder.h"
#include "CStockPanes.h"
#include "CTradeFlag.h"
#include "IndicatorLooks.h"
#include "quotes/CStock.h"
#include "tools/CHorizontal.h"
#include <memory>
#include <string>
#include <vector>

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

// Everything an entry builds carries the entry's position, so that deleting one of its
// curves can take the whole entry out of the identifier list.
void AddCurves(CTCurve& pane, SIndicatorCurves computed, int entryIndex) {
    for (auto& curve : computed.curves) {
        curve->entryIndex = entryIndex;
        pane.AddCurve(std::move(curve));
    }
    for (float level : computed.referenceLevels) {
        auto line = std::make_unique<CHorizontal>(level);
        line->indicatorMark = 1;
        line->entryIndex = entryIndex;
        pane.AddElement(std::move(line));
    }
}

void AddFlags(CTCurve& pane, const std::vector<STradeFlagData>& flags, int entryIndex) {
    for (const STradeFlagData& data : flags) {
        auto flag = std::make_unique<CTradeFlag>(data);
        flag->entryIndex = entryIndex;
        pane.AddElement(std::move(flag));
    }
}

bool Build(CStock& stock, const SIndicatorEntry& entry, int pane, bool insert, bool record,
           int entryIndex) {
    if (!PaneNumberAccepted(pane)) return false;
    // A full list takes no more: the chart could not be saved and read back.
    if (record) {
        const int inList = static_cast<int>(stock.ViewPar(pane).identifiers.size());
        if (insert && inList >= CViewPar::kMaxIdentifiers) return false;
        const int counted =
            pane < stock.PaneCount() ? std::min(inList, CViewPar::kMaxIdentifiers) : 0;
        const int after = IndicatorEntryCount(stock) - (insert ? 0 : counted) + 1;
        if (after > MaxIndicatorEntries(stock.Display().size())) return false;
    }
    CStockPanes& panes = CStockPanes::InstallIn(stock);
    const bool created = panes.Pane(pane) == nullptr;
    CTCurve& target = panes.PaneAt(pane);
    if (entry.flags) {
        AddFlags(target, entry.flags(stock), entryIndex);
    } else {
        StartPane(target, entry, insert, created);
        AddCurves(target, entry.curves(stock), entryIndex);
    }
    if (record) {
        CViewPar& par = stock.ViewPar(pane);
        PrepareLooksForEntry(par, entry.identifier, !insert);
        par.AddIdentifier(entry.identifier, !insert);
    }
    return true;
}

} // namespace

int MaxIndicatorEntries(std::size_t bars) {
    const long long all = static_cast<long long>(CStock::kViewParCount) * CViewPar::kMaxIdentifiers;
    if (bars == 0) return static_cast<int>(all);
    return static_cast<int>(std::min(all, kMaxReplayWork / static_cast<long long>(bars)));
}

int IndicatorEntryCount(const CStock& stock) {
    int entries = 0;
    const int panes = std::clamp(stock.PaneCount(), 0, CStock::kViewParCount);
    for (int pane = 0; pane < panes; ++pane)
        entries += std::min(static_cast<int>(stock.ViewPar(pane).identifiers.size()),
                            CViewPar::kMaxIdentifiers);
    return entries;
}

bool PaneNumberAccepted(int pane) {
    return pane >= 0 && pane < CStock::kViewParCount;
}

bool BuildIndicator(CStock& stock, const SIndicatorEntry& entry, int pane, bool insert,
                    bool record) {
    // A recorded entry lands at the end of the list, or alone in it when the list is cleared.
    int entryIndex = -1;
    if (record && PaneNumberAccepted(pane))
        entryIndex = insert ? static_cast<int>(stock.ViewPar(pane).identifiers.size()) : 0;
    return Build(stock, entry, pane, insert, record, entryIndex);
}

bool BuildIndicator(CStock& stock, std::string_view identifier, int pane, bool insert,
                    bool record) {
    const SIndicatorEntry* entry = FindIndicator(identifier);
    return entry && BuildIndicator(stock, *entry, pane, insert, record);
}

bool ReplayIndicatorEntry(CStock& stock, std::string_view identifier, int pane, int entryIndex) {
    const SIndicatorEntry* entry = FindIndicator(identifier);
    if (!entry || !Build(stock, *entry, pane, entryIndex != 0, false, entryIndex)) return false;
    const std::vector<std::string>& identifiers = stock.ViewPar(pane).identifiers;
    if (entryIndex >= 0 && entryIndex < static_cast<int>(identifiers.size()) &&
        identifiers[static_cast<std::size_t>(entryIndex)] == identifier)
        ApplyStoredLooks(stock, pane, entryIndex);
    return true;
}

bool RemoveIndicatorEntry(CStock& stock, int pane, int entryIndex) {
    if (!PaneNumberAccepted(pane)) return false;
    const int count = static_cast<int>(stock.ViewPar(pane).identifiers.size());
    if (entryIndex < 0 || entryIndex >= count) return false;
    std::vector<int> order;
    for (int position = 0; position < count; ++position)
        if (position != entryIndex) order.push_back(position);
    return ArrangeIndicatorEntries(stock, pane, order);
}

bool ArrangeIndicatorEntries(CStock& stock, int pane, const std::vector<int>& order) {
    if (!PaneNumberAccepted(pane)) return false;
    CViewPar& par = stock.ViewPar(pane);
    std::vector<bool> taken(par.identifiers.size(), false);
    for (int position : order) {
        if (position < 0 || position >= static_cast<int>(taken.size()) || taken[position])
            return false;
        taken[position] = true;
    }
    RearrangeStoredLooks(par, order);
    std::vector<std::string> arranged;
    arranged.reserve(order.size());
    for (int position : order) arranged.push_back(par.identifiers[position]);
    par.identifiers = std::move(arranged);
    if (CStockPanes* panes = CStockPanes::Of(stock)) panes->ReplayPane(stock, pane);
    return true;
}
