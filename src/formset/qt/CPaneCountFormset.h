#pragma once
#include "CWholeNumberFormset.h"
#include <optional>

// "New Chart with Panes" (dialog 242): how many panes the new chart has, the price pane
// included, from 2 to 9.
class CPaneCountFormset : public CWholeNumberFormset {
public:
    static constexpr unsigned kDialogId = 242;

    CPaneCountFormset(const SWholeNumberChoice& choice, QWidget* parent);

    // Starts at `current` (clamped into 2..9): the count on OK, nothing on Cancel.
    static std::optional<int> Ask(QWidget* parent, int current);
};
