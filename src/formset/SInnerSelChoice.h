#pragma once
#include <string>

// What the insert-or-replace question edits: where an indicator goes and whether it joins
// what the pane shows (insert) or takes its place (replace).
struct SInnerSelChoice {
    int pane = 0;
    std::string paneName;
    bool insert = true;

    // The question for `pane`: Insert until the user confirmed a choice, then the choice
    // confirmed last (for as long as the program runs), so nothing is lost by accident.
    static SInnerSelChoice StartingFor(int pane, std::string paneName);
    // Keeps a confirmed choice for the next question.
    static void Remember(bool insert);
    static bool Remembered();

    // The pane as the dialog names it, so that the user sees what Replace removes:
    // "Pane 1: MACD", or "Pane 2: (empty)" for a pane without a name (the language file's
    // "Text" keys "PaneTarget", with "%1" for the number and "%s" for the name, and
    // "EmptyPaneName").
    std::string TargetText() const;

    bool operator==(const SInnerSelChoice&) const = default;
};
