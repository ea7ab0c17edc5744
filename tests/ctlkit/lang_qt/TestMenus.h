#pragma once
#include "ctlkit/lang/MenuTable.h"
#include "ctlkit/lang/qt/MenuAction.h"
#include <QAction>
#include <QMenu>
#include <string>
#include <vector>

// A main menu with the shapes translation must handle: a pop-up at position 5 of the first
// pop-up (key "|0|5"), separators, a second pop-up (key "|1") holding command 32771.
inline CMenuTable TestMainMenu() {
    using I = SMenuItem;
    return {
        I::Popup("&File", {I::Command(57600, "&New\tCtrl+N"), I::Command(57601, "&Open...\tCtrl+O"),
                           I::Separator(), I::Command(57603, "&Save\tCtrl+S"), I::Separator(),
                           I::Popup("Recent &Files", {I::Command(57616, "&1 chart.cht")}),
                           I::Separator(), I::Command(57665, "E&xit")}),
        I::Popup("&Edit", {I::Command(32771, "&Copy\tCtrl+C"), I::Separator(),
                           I::Command(32772, "&Delete\tDel")}),
        I::Popup("&View", {I::Command(32790, "&Refresh\tF5")}),
    };
}

// One line per item, depth first: "-" for a separator, "[text]" for a pop-up, "id text" for a
// command, indented by nesting.
inline void DumpMenu(const QWidget& menu, std::vector<std::string>& lines, int depth = 0) {
    for (QAction* action : menu.actions()) {
        const std::string indent(2 * depth, ' ');
        if (action->isSeparator()) {
            lines.push_back(indent + "-" + action->text().toStdString());
        } else if (QMenu* sub = action->menu()) {
            lines.push_back(indent + "[" + action->text().toStdString() + "]");
            DumpMenu(*sub, lines, depth + 1);
        } else {
            lines.push_back(indent + std::to_string(CommandIdOf(*action)) + " " +
                            action->text().toStdString());
        }
    }
}

inline std::vector<std::string> DumpMenu(const QWidget& menu) {
    std::vector<std::string> lines;
    DumpMenu(menu, lines);
    return lines;
}
