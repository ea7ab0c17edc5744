#pragma once
#include "IndicatorCatalog.h"
#include <string_view>

class CStock;

// Runs one indicator into pane `pane` of `stock`:
// - a curve indicator with `insert` false first empties the pane (its curves, its trade
//   flags and the reference lines of earlier indicators; the user's drawings stay) and names
//   it after the indicator; with `insert` it appends the indicator's suffix to the pane name;
// - a flag system only adds its buy and sell series, whatever `insert` says;
// - the curves, then any reference lines (marked as the indicator's), go into the pane;
// - with `record`, the identifier is appended to the pane's identifier list, which is
//   emptied first when `insert` is false.
// The pane is created when the series has none of that number. Pane numbers outside 0..9 have
// no identifier list and are refused: false, nothing changed.
bool BuildIndicator(CStock& stock, const SIndicatorEntry& entry, int pane, bool insert,
                    bool record);
// As above by identifier text; false for an identifier that names no indicator.
bool BuildIndicator(CStock& stock, std::string_view identifier, int pane, bool insert, bool record);

// Pane numbers that carry an identifier list.
bool PaneNumberAccepted(int pane);
