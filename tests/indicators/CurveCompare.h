#pragma once
#include "indicators/CTCurve.h"
#include "indicators/CTradeFlag.h"
#include <cmath>
#include <cstring>
#include <gtest/gtest.h>

// Bit for bit, any NaN matching any NaN.
inline bool SameFloat(float a, float b) {
    if (std::isnan(a) || std::isnan(b)) return std::isnan(a) && std::isnan(b);
    return std::memcmp(&a, &b, sizeof a) == 0;
}

inline void ExpectSameValues(const std::vector<float>& got, const std::vector<float>& want,
                             const std::string& what) {
    ASSERT_EQ(got.size(), want.size()) << what;
    for (std::size_t i = 0; i < got.size(); ++i)
        ASSERT_TRUE(SameFloat(got[i], want[i]))
            << what << " bar " << i << ": " << got[i] << " != " << want[i];
}

// Same curves and flag series in the same order, with the same texts and values.
inline void ExpectSamePane(const CTCurve& got, const CTCurve& want) {
    ASSERT_EQ(got.Curves().size(), want.Curves().size());
    for (std::size_t c = 0; c < got.Curves().size(); ++c) {
        const CCurve& g = *got.Curves()[c];
        const CCurve& w = *want.Curves()[c];
        EXPECT_EQ(g.name, w.name);
        EXPECT_EQ(g.parameter, w.parameter);
        ExpectSameValues(g.values, w.values, g.name + "(" + g.parameter + ")");
    }
    ASSERT_EQ(got.Elements().size(), want.Elements().size());
    for (std::size_t e = 0; e < got.Elements().size(); ++e) {
        EXPECT_EQ(got.Elements()[e]->TypeCode(), want.Elements()[e]->TypeCode());
        EXPECT_EQ(got.Elements()[e]->y1, want.Elements()[e]->y1);
        auto* g = dynamic_cast<const CTradeFlag*>(got.Elements()[e].get());
        auto* w = dynamic_cast<const CTradeFlag*>(want.Elements()[e].get());
        ASSERT_EQ(g == nullptr, w == nullptr);
        if (g) ExpectSameValues(g->values, w->values, g->name);
    }
}
