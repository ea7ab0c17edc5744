#pragma once
#include "ctlkit/CRecordingDC.h"
#include "element/CElementOwner.h"
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
