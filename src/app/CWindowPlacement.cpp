#include "app/CWindowPlacement.h"
#include <algorithm>
#include <array>
#include <charconv>
#include <cstdio>

namespace {

constexpr size_t kFieldCount = 10;
constexpr size_t kUnsignedFields = 2;
// Wider or taller than any screen a window is placed on.
constexpr long long kMaxWindowSide = 65535;

// One whole number, nothing before or after it.
template <typename T> std::optional<T> ParseField(std::string_view field) {
    T value{};
    const char* end = field.data() + field.size();
    auto [ptr, ec] = std::from_chars(field.data(), end, value);
    if (ec != std::errc() || ptr != end || field.empty()) return std::nullopt;
    return value;
}

// Exactly ten comma-separated numbers, the first two unsigned.
std::optional<std::array<long long, kFieldCount>> ParseFields(std::string_view text) {
    std::array<long long, kFieldCount> values{};
    for (size_t i = 0; i < kFieldCount; ++i) {
        const size_t comma = text.find(',');
        const bool last = i + 1 == kFieldCount;
        if (last != (comma == std::string_view::npos)) return std::nullopt;
        const std::string_view field = text.substr(0, comma);
        if (i < kUnsignedFields) {
            const auto value = ParseField<unsigned>(field);
            if (!value) return std::nullopt;
            values[i] = *value;
        } else {
            const auto value = ParseField<int>(field);
            if (!value) return std::nullopt;
            values[i] = *value;
        }
        if (!last) text.remove_prefix(comma + 1);
    }
    return values;
}

// `start` moved so that [start, start + length) lies in [low, high) where it fits.
int ClampSpan(int start, int length, int low, int high) {
    return std::max(low, std::min(start, high - length));
}

// True when the two rectangles share at least one pixel.
bool Intersects(const CRect& a, const CRect& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

} // namespace

std::optional<CWindowPlacement> CWindowPlacement::Parse(std::string_view text) {
    const auto v = ParseFields(text);
    if (!v) return std::nullopt;
    // A rectangle turned inside out or of an impossible size is a damaged record, and its
    // sides would overflow every later sum.
    const long long width = (*v)[8] - (*v)[6];
    const long long height = (*v)[9] - (*v)[7];
    if (width < 0 || height < 0 || width > kMaxWindowSide || height > kMaxWindowSide)
        return std::nullopt;
    CWindowPlacement placement;
    placement.flags = static_cast<unsigned>((*v)[0]);
    placement.showCmd = static_cast<unsigned>((*v)[1]);
    placement.minPosition = {static_cast<int>((*v)[2]), static_cast<int>((*v)[3])};
    placement.maxPosition = {static_cast<int>((*v)[4]), static_cast<int>((*v)[5])};
    placement.normalPosition = {static_cast<int>((*v)[6]), static_cast<int>((*v)[7]),
                                static_cast<int>((*v)[8]), static_cast<int>((*v)[9])};
    return placement;
}

std::string CWindowPlacement::Format() const {
    char buffer[160];
    std::snprintf(buffer, sizeof buffer, "%u,%u,%d,%d,%d,%d,%d,%d,%d,%d", flags, showCmd,
                  minPosition.x, minPosition.y, maxPosition.x, maxPosition.y, normalPosition.left,
                  normalPosition.top, normalPosition.right, normalPosition.bottom);
    return buffer;
}

CWindowPlacement CWindowPlacement::ForClosing(const CWindowPlacement& current, bool maximised) {
    CWindowPlacement stored = current;
    stored.flags = maximised ? WPF_RESTORETOMAXIMIZED : 0;
    if (stored.showCmd & SW_SHOWMINIMIZED) stored.showCmd |= 1;
    return stored;
}

CWindowPlacement CWindowPlacement::OnScreens(std::span<const CRect> screens) const {
    const bool visible = std::any_of(screens.begin(), screens.end(), [this](const CRect& s) {
        return Intersects(normalPosition, s);
    });
    if (visible || screens.empty()) return *this;
    const CRect& primary = screens.front();
    const int width = std::clamp(normalPosition.Width(), 0, primary.Width());
    const int height = std::clamp(normalPosition.Height(), 0, primary.Height());
    CWindowPlacement moved = *this;
    moved.normalPosition.left = ClampSpan(normalPosition.left, width, primary.left, primary.right);
    moved.normalPosition.top = ClampSpan(normalPosition.top, height, primary.top, primary.bottom);
    moved.normalPosition.right = moved.normalPosition.left + width;
    moved.normalPosition.bottom = moved.normalPosition.top + height;
    return moved;
}
