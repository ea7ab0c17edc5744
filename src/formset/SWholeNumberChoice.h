#pragma once
#include "SFieldError.h"
#include <optional>
#include <string>
#include <string_view>

// A whole number chosen from a range, as the pane-count and N-day questions ask it.
struct SWholeNumberChoice {
    // The dialog's field, which a refusal points at.
    static constexpr unsigned kField = 1001;
    // A new chart has the price pane and one to eight sub-chart panes: the range that chart
    // templates accept.
    static constexpr int kMinPanes = 2;
    static constexpr int kMaxPanes = 9;
    // The N of the N-day period.
    static constexpr int kMaxNDays = 9999;

    int value = 0;
    int low = 0;
    int high = 0;

    // `current` clamped into `low`..`high` (`high` below `low` counts as `low`).
    static SWholeNumberChoice Within(int current, int low, int high);
    // 2 to 9 panes, from `current`.
    static SWholeNumberChoice PaneCount(int current);
    // 1 to the number of base quotes, at most 9999 days; 1 to 9999 when there are no quotes
    // (a period of more days than quotes is one bar, so the quotes only lower the bound).
    static SWholeNumberChoice NDays(int current, int baseQuotes);

    // Reads the field's text; `value` is changed only when it is taken.
    std::optional<SFieldError> Read(std::string_view text, std::string_view fieldName);

    bool operator==(const SWholeNumberChoice&) const = default;
};
