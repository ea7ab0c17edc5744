#pragma once
#include "formset/SFieldError.h"
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class CStock;

// The display range fields as messages name them (the dialog passes its translated labels).
struct SDisplayRangeFieldNames {
    std::string first = "From";
    std::string last = "To";
    std::string bars = "Number of bars";
};

// The bars a chart shows, as the display range dialog edits them: from a first to a last
// date, or the last N bars. Days are calendar days written yyyymmdd (20240105), compared
// with the local day of each bar of the display series.
struct SDisplayRange {
    enum class EMode { Dates, LastBars };
    // The dialog's fields, which refusals point at.
    static constexpr unsigned kFirstField = 1003;
    static constexpr unsigned kLastField = 1004;
    static constexpr unsigned kBarsField = 1005;

    // The window a choice shows: bars first to end - 1 of the display series.
    struct SWindow {
        int first = 0;
        int end = 0;
        // A date lay before the first bar or after the last one and was taken as that bar.
        bool clamped = false;
        bool operator==(const SWindow&) const = default;
    };

    // The day of every display bar, oldest first.
    std::vector<int> barDays;
    EMode mode = EMode::Dates;
    int firstDay = 0;
    int lastDay = 0;
    int lastBars = 1;

    // The chart's bars and its window as it is: its first and last bar's days, and as many
    // last bars as the window holds.
    static SDisplayRange Of(const CStock& stock);
    // The local calendar day of a stored date, as yyyymmdd.
    static int DayOf(int32_t date);

    int BarCount() const { return static_cast<int>(barDays.size()); }

    // The window the choice shows, or the first refused field: a last date before the first
    // ("<To>: must not be before <From>.", key "NotBeforeFirst"), dates between which no bar
    // lies ("<To>: no bar lies from <From> to this date.", key "NoBarBetween"), a number of
    // bars outside 1 to the bar count (the whole-number message). Dates before the first
    // bar or after the last are clamped to it.
    std::optional<SFieldError> Check(const SDisplayRangeFieldNames& names, SWindow& window) const;
    std::optional<SFieldError> Validate() const;
    // The window, nullopt when Check refuses the choice.
    std::optional<SWindow> Window() const;

    // The series shows the window, as ShiftWindow leaves it: the window and the saved window
    // both, the bars in the window as the user's choice, and the visible price range anew.
    // False (nothing changed) when Check refuses the choice.
    bool ApplyTo(CStock& stock) const;
};

// Runs `dialog` on the range of `stock` and applies it on OK; false on Cancel and for a
// series without bars (nothing to choose from).
bool EditDisplayRange(CStock& stock, const std::function<bool(SDisplayRange&)>& dialog);
