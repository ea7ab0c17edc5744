#pragma once
#include "SQuote.h"
#include <vector>

// Regrouping of daily quotes (oldest first) into longer bars. A bar takes the date and open
// of its first quote, the highest high, the lowest low, the close and adjusted close of its
// last quote and the float sum of the volumes in order.

// A week is a run of quotes whose local weekday numbers strictly increase, so two quotes
// more than a week apart still share a bar when the second falls on a later weekday.
std::vector<SQuote> BuildWeekBars(const std::vector<SQuote>& daily);

// A month is a run of quotes with the same local month number; the year is not compared.
std::vector<SQuote> BuildMonthBars(const std::vector<SQuote>& daily);

// Consecutive groups of n quotes from the oldest one; the last group may be shorter.
// Nothing for n < 1.
std::vector<SQuote> BuildNDayBars(const std::vector<SQuote>& daily, int n);
