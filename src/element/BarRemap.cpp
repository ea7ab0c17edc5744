#include "BarRemap.h"
#include <algorithm>
#include <cmath>

namespace {
// Round trips through a coarser series come back a few float steps off a whole bar. Only
// positions on the bars are snapped: past the ends they are spacings, not bars.
constexpr double kWholeBarSnap = 1e-3;

float SnapToWhole(double position, size_t count) {
    if (position < 0 || position >= static_cast<double>(count)) return static_cast<float>(position);
    const double whole = std::round(position);
    return static_cast<float>(std::fabs(position - whole) < kWholeBarSnap ? whole : position);
}
} // namespace

BarRemap::BarRemap(const std::vector<int32_t>& oldDates, const std::vector<int32_t>& newDates)
    : m_old(oldDates), m_new(newDates) {
    const double oldSpacing = Spacing(m_old);
    const double newSpacing = Spacing(m_new);
    if (oldSpacing > 0 && newSpacing > 0) m_spacingRatio = oldSpacing / newSpacing;
}

double BarRemap::Spacing(const std::vector<int32_t>& dates) {
    if (dates.size() < 2) return 0;
    return (static_cast<double>(dates.back()) - dates.front()) /
           static_cast<double>(dates.size() - 1);
}

int BarRemap::Holder(const std::vector<int32_t>& dates, int32_t date) {
    const auto after = std::upper_bound(dates.begin(), dates.end(), date);
    return after == dates.begin() ? 0 : static_cast<int>(after - dates.begin()) - 1;
}

void BarRemap::HeldBy(const std::vector<int32_t>& dates, const std::vector<int32_t>& other, int bar,
                      int& first, int& end) {
    const auto from =
        bar == 0 ? dates.begin() : std::lower_bound(dates.begin(), dates.end(), other[bar]);
    const auto to = bar + 1 < static_cast<int>(other.size())
                        ? std::lower_bound(dates.begin(), dates.end(), other[bar + 1])
                        : dates.end();
    first = static_cast<int>(from - dates.begin());
    end = static_cast<int>(to - dates.begin());
}

float BarRemap::Map(float position) const {
    if (!Usable() || !std::isfinite(position)) return position;
    return SnapToWhole(Position(position), m_new.size());
}

float BarRemap::Through(const BarRemap& first, const BarRemap& second, float position) {
    if (!first.Usable() || !second.Usable() || !std::isfinite(position)) return position;
    return SnapToWhole(second.Position(first.Position(position)), second.m_new.size());
}

double BarRemap::Position(double p) const {
    const int oldCount = static_cast<int>(m_old.size());
    const int newCount = static_cast<int>(m_new.size());
    if (p < 0) return p * m_spacingRatio;
    if (p >= oldCount) return newCount + (p - oldCount) * m_spacingRatio;
    const int bar = static_cast<int>(p);
    const double fraction = p - bar;
    int spreadFirst = 0, spreadEnd = 0;
    HeldBy(m_new, m_old, bar, spreadFirst, spreadEnd);
    if (spreadEnd - spreadFirst >= 2) return spreadFirst + fraction * (spreadEnd - spreadFirst);
    const int holder = Holder(m_new, m_old[static_cast<size_t>(bar)]);
    int shareFirst = 0, shareEnd = 0;
    HeldBy(m_old, m_new, holder, shareFirst, shareEnd);
    const int shared = std::max(shareEnd - shareFirst, 1);
    return holder + (bar - shareFirst + fraction) / shared;
}
