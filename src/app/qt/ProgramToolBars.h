#pragma once
#include "app/ToolbarTables.h"
#include "ctlkit/lang/qt/MenuBuilder.h"

class QMainWindow;
class QMenuBar;
class QToolBar;

// Builds one toolbar for `frame` (not yet added to it): object name, translated caption as
// window title, movable, floatable, every dock area allowed, 16-pixel icons; one action per
// button with the command id (as MenuAction.h sets it), its icon, tooltip CommandTip;
// CreatesNothing buttons disabled. A triggered button calls handler(command).
QToolBar* BuildToolBar(QMainWindow& frame, const SToolbarContents& contents, MenuCommandHandler handler);

// Gives every command action in the menus of `bar` (recursively) its CommandIcon, shown in the
// menu.
void AttachMenuIcons(QMenuBar& bar);
