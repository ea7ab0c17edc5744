#pragma once
#include <string>
#include <vector>

// One of the main window's toolbars; `buttons` holds command ids, 0 for a separator.
struct SToolbarContents {
    const char* objectName;  // fixed, for the saved bar layout: "MainToolbar", "ChartCtrl",
                             // "TrendLine", "Channel", "FiboGan", "Symbol"
    unsigned captionString;  // string-table id: 20 main, 21 chart control, 24 trend line, 22
                             // channel, 23 fibo/gann, 25 symbol
    unsigned viewCommand;    // 59392, 32879, 32880, 32881, 32882, 32883
    const char* settingsKey; // "" for the main toolbar, else "ChartCtrl", "TrendLine", "Channel",
                             // "FiboGan", "Symbol"
    std::vector<unsigned> buttons;
};

// The six toolbars in creation order: main, chart control, trend lines, channels and
// regression, Fibonacci and Gann, symbols and text.
const std::vector<SToolbarContents>& ProgramToolbars();

// The tool commands whose tool codes create nothing (codes 5, 14, 18, 21, 22, 25: 32848, 32858,
// 32863, 32866, 32867, 32869).
bool CreatesNothing(unsigned command);

// The tooltip of a toolbar button: the command's menu text without "&" and without the
// shortcut part after a tab; for commands that are on no menu (pitchfork, Gann grid, icon
// commands ...) a name of their own ("Andrew's Pitchfork", "Bull", ...); for CreatesNothing
// commands "<name> (not available)".
std::string CommandTip(unsigned command);
