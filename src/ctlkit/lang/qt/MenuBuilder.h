#pragma once
#include "ctlkit/lang/MenuTable.h"
#include <functional>

class QAction;
class QMenu;
class QMenuBar;
class QWidget;

// Every command of a built menu calls the one handler of its window with its identifier.
using MenuCommandHandler = std::function<void(unsigned command)>;

// Appends the items of `table` to a menu bar or a (context) menu. Each command action carries
// its identifier (MenuAction.h) and its text as resource text; the part of a text after a tab
// is shown as the shortcut and, when Qt can read it ("Ctrl+O", "Del", "F5"), is the action's
// shortcut. Pop-up menus are children of the menu that holds them.
void BuildMenuBar(QMenuBar& bar, const CMenuTable& table, MenuCommandHandler handler);
void BuildMenu(QMenu& menu, const CMenuTable& table, MenuCommandHandler handler);

// The action of `command` in the menus of `window` (its menu bars and every menu that is a
// descendant of it, or `window` itself when it is one), so that a command can be run as if
// chosen (trigger()). Null for an identifier no menu holds.
QAction* FindCommandAction(QWidget& window, unsigned command);
