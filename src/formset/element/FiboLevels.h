#pragma once
#include "formset/SFieldError.h"
#include "tools/CFiboRetrace.h"
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The level list of a Fibonacci retracement as its dialog edits it: one row per level, the
// ratio as typed and the shown flag.
namespace FiboLevels {

inline constexpr float kLowestRatio = CFiboRetrace::kLowestRatio;
inline constexpr float kHighestRatio = CFiboRetrace::kHighestRatio;
// More levels than fit on a chart's height are no use; the list stops growing here.
inline constexpr size_t kMaxLevels = CFiboRetrace::kMaxLevels;

using SLevel = CFiboRetrace::SLevel;

struct SRow {
    std::string ratio;
    bool shown = true;
};

// The nine levels a new retracement has: 0, 0.236, ..., 4.236, all shown.
std::vector<SLevel> Defaults();
// The rows showing `levels`, ratios as the shortest text of the float.
std::vector<SRow> RowsOf(const std::vector<SLevel>& levels);
// Reads every row: a ratio from -10 to 10; the first refused row is named "<field> <row>"
// ("Level 3", rows counted from 1). `levels` changes only when every row is taken.
std::optional<SFieldError> Read(unsigned id, std::string_view field, const std::vector<SRow>& rows,
                                std::string_view localeDecimal, std::vector<SLevel>& levels);

} // namespace FiboLevels
