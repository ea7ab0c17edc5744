#pragma once
#include "SeriesColour.h"
#include "element/CSymbol.h"
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <memory>
#include <string>
#include <vector>

// One value per bar of the series (index 0 = oldest) and the look of its line. Positive
// infinity marks a bar without a value; a value is valid exactly when it is finite.
// A chart element of its own (type 36).
class CCurve : public CSymbol {
public:
    static constexpr int kTypeCode = 36;
    static constexpr int kMaxLineWidth = 20;
    static constexpr int kMaxDrawKind = 13;

    CCurve();
    ~CCurve() override;

    // The element record, then colour, line style, the two extra colours, second line
    // setting, line width, draw kind, name, parameter text, value count, values, block. Read
    // refuses a line width outside 0..20, a draw kind outside 0..13 and a value count the
    // bytes left cannot hold. The fill colour is not stored.
    void Write(CArchiveWriter& ar) const override;
    bool Read(CArchiveReader& ar) override;

    // Keeps the mapping, then draws the visible values in the curve's draw kind.
    void Draw(CDC& dc, float yMax, float yMin, int first, int end, const CRect& plot) override;
    // kHitCurve within hitTolerance of what the last draw showed, else 0.
    int HitTest(int x, int y) override;

    std::size_t size() const { return values.size(); }
    bool empty() const { return values.empty(); }

    // The stored float, infinity included.
    float RawAt(std::size_t i) const { return values[i]; }
    // The stored float when finite, else 0.0.
    float ZeroAt(std::size_t i) const {
        const float v = values[i];
        return std::isfinite(v) ? v : 0.0f;
    }

    std::vector<float> values;
    std::string name = "NO Name";
    std::string parameter = "NO Parameter";
    uint32_t colour = Series::RGB(0, 0, 0);
    int lineStyle = 1;
    // 1 line, 6 volume histogram, 11 volume histogram coloured by up/down bar, 9 MACD
    // histogram, 0 dots.
    int drawKind = 1;
    uint32_t extraColour1 = Series::RGB(0, 255, 0);
    uint32_t extraColour2 = Series::RGB(0, 255, 0);
    int secondLineSetting = 0;
    int lineWidth = 1;
    uint32_t fillColour = Series::RGB(255, 255, 255);
    std::array<uint8_t, 256> block{};

protected:
    CCurve(const CCurve&) = default;
    CCurve& operator=(const CCurve&) = default;
};

using CurvePtr = std::unique_ptr<CCurve>;

// Positive infinity: the value of a bar that has none.
inline constexpr float kInvalid = std::numeric_limits<float>::infinity();
