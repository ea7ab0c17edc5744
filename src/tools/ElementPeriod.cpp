#include "ElementPeriod.h"
#include "quotes/CStock.h"
#include <algorithm>

namespace {
constexpr int kWeekDays = 5;
constexpr int kMonthDays = 21;
} // namespace

int ElementPeriod(const CStock& stock) {
    switch (stock.Period()) {
    case CStock::kPeriodWeek:
        return kWeekDays;
    case CStock::kPeriodMonth:
        return kMonthDays;
    case CStock::kPeriodNDays:
        return std::max(stock.NDays(), 1);
    default:
        return 1;
    }
}
