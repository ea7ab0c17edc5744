#pragma once
#include <cstdint>
#include <vector>

// Carries bar positions from one bar series to another of a different period by date. Bars
// are dated by their first day and hold every date up to the next bar's.
//
// A position inside the old series goes to the new bar that holds its bar's date. When that
// new bar holds several old bars, the position keeps its place among them as a fraction
// (the third of four days of a week is 0.5 + its own fraction / 4 into that week); when the
// old bar holds several new bars, its fraction spreads over them. So a daily anchor taken to
// weeks and back returns to its own day. Positions before the first bar or past the last one
// keep their distance from the series' start or end, scaled by the two series' average bar
// spacing.
class BarRemap {
public:
    BarRemap(const std::vector<int32_t>& oldDates, const std::vector<int32_t>& newDates);

    // False when either series is empty: positions are then left as they are.
    bool Usable() const { return !m_old.empty() && !m_new.empty(); }
    float Map(float position) const;
    // `first` then `second`, without rounding between them: going through the daily bars
    // every coarser series is built from keeps a position exact across any chain of periods.
    static float Through(const BarRemap& first, const BarRemap& second, float position);

private:
    double Position(double position) const;
    // The bar of `dates` that holds `date`; 0 for a date before the first bar.
    static int Holder(const std::vector<int32_t>& dates, int32_t date);
    // The range [first, end) of bars of `dates` whose holder in `other` is `bar`.
    static void HeldBy(const std::vector<int32_t>& dates, const std::vector<int32_t>& other,
                       int bar, int& first, int& end);
    static double Spacing(const std::vector<int32_t>& dates);

    const std::vector<int32_t>& m_old;
    const std::vector<int32_t>& m_new;
    double m_spacingRatio = 1; // old bar spacing / new bar spacing
};
