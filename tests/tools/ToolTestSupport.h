#pragma once
#include "ctlkit/dc/CRecordingDC.h"
#include "element/CElementOwner.h"
#include "element/CSymbol.h"
#include "quotes/SQuote.h"
#include <map>
#include <string>
#include <vector>

// A pane owner with bars and named curves for snapping tools.
class FakeOwner : public CElementOwner {
public:
    const std::vector<SQuote>* PriceBars() const override { return &bars; }
    const std::vector<float>* CurveValues(std::string_view name) const override {
        const auto it = curves.find(std::string(name));
        return it == curves.end() ? nullptr : &it->second;
    }

    // Bars whose open, high, low and close all equal the given closes.
    static std::vector<SQuote> FlatBars(const std::vector<float>& closes) {
        std::vector<SQuote> bars;
        for (float c : closes) {
            SQuote q{};
            q.open = q.high = q.low = q.close = c;
            bars.push_back(q);
        }
        return bars;
    }

    std::vector<SQuote> bars;
    std::map<std::string, std::vector<float>> curves;
};

inline std::vector<CPoint> LineEnds(const CRecordingDC& dc, size_t index = 0) {
    return dc.OpsOf(CRecordingDC::kLine).at(index).points;
}

// The exact pane of the shape and study tests: a pixel per bar and per unit, in powers of two
// so the mapping is exact: bar i at x = i, value v at y = 512 - v.
namespace ExactPane {
inline constexpr CRect kPlot{0, 0, 512, 512};

// A tool whose anchors sit at the pixels (px1, py1) and (px2, py2).
template <typename Tool> Tool Between(int px1, int py1, int px2, int py2) {
    Tool tool;
    tool.x1 = static_cast<float>(px1);
    tool.y1 = static_cast<float>(512 - py1);
    tool.x2 = static_cast<float>(px2);
    tool.y2 = static_cast<float>(512 - py2);
    return tool;
}

inline void DrawIn(CSymbol& element, CRecordingDC& dc) {
    element.Draw(dc, 512, 0, 0, 512, kPlot);
}
} // namespace ExactPane
