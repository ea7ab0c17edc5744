#pragma once
#include "CWholeNumberFormset.h"
#include <optional>

// "User Defined Period" (dialog 243): how many days one bar of the N-day period spans, from
// 1 to the number of the chart's daily quotes (at most 9999).
class CNDaysFormset : public CWholeNumberFormset {
public:
    static constexpr unsigned kDialogId = 243;

    CNDaysFormset(const SWholeNumberChoice& choice, QWidget* parent);

    // Starts at `current` (clamped into the range; SWholeNumberChoice::NDays): N on OK,
    // nothing on Cancel.
    static std::optional<int> Ask(QWidget* parent, int current, int baseQuotes);
};
