#include "SDisplayRange.h"
#include "formset/NumberText.h"
#include "quotes/CStock.h"
#include "quotes/LocalDate.h"
#include <algorithm>

SDisplayRange SDisplayRange::Of(const CStock& stock) {
    SDisplayRange range;
    for (const SQuote& bar : stock.Display()) range.barDays.push_back(DayOf(bar.date));
    const int count = range.BarCount();
    if (count == 0) return range;
    const int first = std::clamp(stock.WindowFirst(), 0, count - 1);
    const int end = std::clamp(stock.WindowEnd(), first + 1, count);
    range.firstDay = range.barDays[first];
    range.lastDay = range.barDays[end - 1];
    range.lastBars = end - first;
    return range;
}

int SDisplayRange::DayOf(int32_t date) {
    const SLocalDay day = LocalDayOf(date);
    return day.year * 10000 + day.month * 100 + day.day;
}

std::optional<SFieldError> SDisplayRange::Check(const SDisplayRangeFieldNames& names,
                                                SWindow& window) const {
    const int count = BarCount();
    if (mode == EMode::LastBars) {
        int bars = 0;
        if (auto error = ReadWholeNumberField(kBarsField, names.bars, std::to_string(lastBars), 1,
                                              count, bars))
            return error;
        window = {count - bars, count, false};
        return std::nullopt;
    }
    if (lastDay < firstDay)
        return SFieldError::Make(kLastField, names.last, "NotBeforeFirst",
                                 "%s: must not be before %1.", {{"%1", names.first}});
    // The first bar on or after the first day, the last bar on or before the last day.
    const int first = static_cast<int>(std::lower_bound(barDays.begin(), barDays.end(), firstDay) -
                                       barDays.begin());
    const int end = static_cast<int>(std::upper_bound(barDays.begin(), barDays.end(), lastDay) -
                                     barDays.begin());
    if (count == 0 || first >= end) {
        // Both days past the same end of the data are clamped to that end's bar.
        if (count > 0 && first == count)
            window = {count - 1, count, true};
        else if (count > 0 && end == 0)
            window = {0, 1, true};
        else
            return SFieldError::Make(kLastField, names.last, "NoBarBetween",
                                     "%s: no bar lies from %1 to this date.",
                                     {{"%1", names.first}});
        return std::nullopt;
    }
    window = {first, end, firstDay < barDays.front() || lastDay > barDays.back()};
    return std::nullopt;
}

std::optional<SFieldError> SDisplayRange::Validate() const {
    SWindow ignored;
    return Check({}, ignored);
}

std::optional<SDisplayRange::SWindow> SDisplayRange::Window() const {
    SWindow window;
    if (Check({}, window)) return std::nullopt;
    return window;
}

bool SDisplayRange::ApplyTo(CStock& stock) const {
    const std::optional<SWindow> window = Window();
    if (!window || window->end > static_cast<int>(stock.Display().size())) return false;
    stock.RestoreWindow(window->first, window->end);
    stock.SetBarsInWindow(window->end - window->first, true);
    stock.ComputeVisibleRange();
    return true;
}

bool EditDisplayRange(CStock& stock, const std::function<bool(SDisplayRange&)>& dialog) {
    SDisplayRange range = SDisplayRange::Of(stock);
    if (range.BarCount() == 0 || !dialog || !dialog(range)) return false;
    return range.ApplyTo(stock);
}
