#pragma once
#include "IndicatorCatalog.h"
#include <cstddef>
#include <string_view>
#include <vector>

class CStock;

// Opening a chart rebuilds every entry of its identifier lists over the whole display series.
// That work is held to kMaxReplayWork entry-bars (one entry over one bar), under a second for
// the costliest indicator: a chart of up to 12,500 bars takes the full 64 entries in each of
// its ten panes, one of 350,000 bars (the most a 16 MB file holds) 22 in all.
inline constexpr long long kMaxReplayWork = 8000000;
// The most list entries, in all panes together, that a chart of `bars` display bars holds.
int MaxIndicatorEntries(std::size_t bars);
// The entries of the lists of `stock`'s panes below its pane count that a replay builds.
int IndicatorEntryCount(const CStock& stock);

// Runs one indicator into pane `pane` of `stock`:
// - a curve indicator with `insert` false first empties the pane (its curves, its trade
//   flags and the reference lines of earlier indicators; the user's drawings stay) and names
//   it after the indicator; with `insert` it appends the indicator's suffix to the pane name;
// - a flag system only adds its buy and sell series, whatever `insert` says;
// - the curves, then any reference lines (marked as the indicator's), go into the pane;
// - with `record`, the identifier is appended to the pane's identifier list, which is
//   emptied first when `insert` is false;
// - what it builds carries the entry's position in that list (-1 without `record`).
// The pane is created when the series has none of that number. Pane numbers outside 0..9 have
// no identifier list and are refused: false, nothing changed; so is a recorded insert into a
// list that holds CViewPar::kMaxIdentifiers entries already, and a recorded entry that would
// take the chart past MaxIndicatorEntries of its display series.
bool BuildIndicator(CStock& stock, const SIndicatorEntry& entry, int pane, bool insert,
                    bool record);
// As above by identifier text; false for an identifier that names no indicator.
bool BuildIndicator(CStock& stock, std::string_view identifier, int pane, bool insert, bool record);

// Rebuilds entry `entryIndex` of pane `pane`'s identifier list without recording it: the
// first entry (0) starts the pane afresh, every later one inserts. What it builds carries
// `entryIndex` and, when `identifier` is that entry of the list, the looks a user gave it
// (IndicatorLooks.h). False for an identifier that names no indicator.
bool ReplayIndicatorEntry(CStock& stock, std::string_view identifier, int pane, int entryIndex);

// Takes entry `entryIndex` out of pane `pane`'s identifier list and rebuilds the pane from
// what is left, so that everything the entry built goes and stays gone when the chart is
// loaded again; the looks of the other entries stay with them. False (nothing changed) for a pane
// number or entry that does not exist.
bool RemoveIndicatorEntry(CStock& stock, int pane, int entryIndex);

// Rearranges pane `pane`'s identifier list to the entries at the positions `order` names, in
// that order (positions left out are removed), carries the looks stored with each entry
// along, and rebuilds the pane. False (nothing changed) for a pane number that has no list or
// an `order` that is not distinct positions of it.
bool ArrangeIndicatorEntries(CStock& stock, int pane, const std::vector<int>& order);

// Pane numbers that carry an identifier list.
bool PaneNumberAccepted(int pane);
