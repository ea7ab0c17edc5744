#include "PeriodBars.h"
#include "LocalDate.h"

namespace {
void Extend(SQuote& bar, const SQuote& quote) {
    if (quote.high > bar.high) bar.high = quote.high;
    if (quote.low < bar.low) bar.low = quote.low;
    bar.volume += quote.volume;
}

void Close(SQuote& bar, const SQuote& last) {
    bar.close = last.close;
    bar.adjClose = last.adjClose;
}

// `key` gives each quote a number; `joins(key, previousKey)` says whether the quote belongs
// to the running bar. The previous key starts at 0, before the first quote.
template <typename Key, typename Joins>
std::vector<SQuote> GroupRuns(const std::vector<SQuote>& daily, Key key, Joins joins) {
    std::vector<SQuote> bars;
    if (daily.empty()) return bars;
    SQuote running = daily.front();
    int previous = 0;
    for (size_t i = 0; i < daily.size(); ++i) {
        const SQuote& quote = daily[i];
        int k = key(quote);
        if (i == 0 || joins(k, previous)) {
            if (i > 0) Extend(running, quote);
        } else {
            Close(running, daily[i - 1]);
            bars.push_back(running);
            running = quote;
        }
        previous = k;
    }
    Close(running, daily.back());
    bars.push_back(running);
    return bars;
}
} // namespace

std::vector<SQuote> BuildWeekBars(const std::vector<SQuote>& daily) {
    return GroupRuns(
        daily, [](const SQuote& q) { return LocalDayOf(q.date).weekday; },
        [](int weekday, int previous) { return weekday > previous; });
}

std::vector<SQuote> BuildMonthBars(const std::vector<SQuote>& daily) {
    return GroupRuns(
        daily, [](const SQuote& q) { return LocalDayOf(q.date).month; },
        [](int month, int previous) { return month == previous; });
}

std::vector<SQuote> BuildNDayBars(const std::vector<SQuote>& daily, int n) {
    std::vector<SQuote> bars;
    if (n < 1) return bars;
    size_t group = static_cast<size_t>(n);
    for (size_t first = 0; first < daily.size(); first += group) {
        size_t end = daily.size() - first < group ? daily.size() : first + group;
        SQuote bar = daily[first];
        for (size_t i = first + 1; i < end; ++i) Extend(bar, daily[i]);
        Close(bar, daily[end - 1]);
        bars.push_back(bar);
    }
    return bars;
}
