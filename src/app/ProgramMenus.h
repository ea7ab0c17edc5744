#pragma once
#include "ctlkit/lang/MenuTable.h"
#include <vector>

// The menu bar of the main window while a chart window is open (resource kChartWindowMenuId).
CMenuTable ChartWindowMenu();

// The menu bar of the main window with no chart open (resource kFrameMenuId).
CMenuTable FrameMenu();

// The context menu of the toolbars and docking panels (resource kToolbarMenuId, first pop-up):
// the toolbar, status bar and panel toggles.
CMenuTable ToolbarContextMenu();

// The context menu of a chart pane (resource kChartContextMenuId): the chart's commands first
// (kCmdAddToFavourites last, which the chart window turns into the list of favourites groups),
// the value axis's scale commands second.
CMenuTable ChartContextMenu();

// The identifiers of every command in `table`, depth first, in menu order.
std::vector<unsigned> MenuCommandIds(const CMenuTable& table);
