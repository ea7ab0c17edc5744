#pragma once
#include "quotes/CBarColumns.h"
#include "quotes/SQuote.h"
#include "series/CCurve.h"
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <gtest/gtest.h>
#include <initializer_list>
#include <string>
#include <vector>

inline constexpr float kInf = kInvalid;
inline const float kNaN = std::nanf("");

inline CurvePtr MakeCurve(std::vector<float> values, std::string name = "X",
                          std::string parameter = "") {
    auto c = std::make_unique<CCurve>();
    c->values = std::move(values);
    c->name = std::move(name);
    c->parameter = std::move(parameter);
    return c;
}

// Equal bit patterns value by value (so -0.0 differs from 0.0 and NaN from infinity). Any NaN
// matches any NaN: its payload depends on where the division was folded.
inline ::testing::AssertionResult SameBits(const std::vector<float>& got,
                                           const std::vector<float>& want) {
    if (got.size() != want.size())
        return ::testing::AssertionFailure()
               << "size " << got.size() << ", expected " << want.size();
    for (std::size_t i = 0; i < got.size(); ++i) {
        if (std::isnan(got[i]) && std::isnan(want[i])) continue;
        if (std::bit_cast<uint32_t>(got[i]) != std::bit_cast<uint32_t>(want[i])) {
            char text[128];
            std::snprintf(text, sizeof text, "at %zu: %.9g (%08x), expected %.9g (%08x)", i,
                          double(got[i]), std::bit_cast<uint32_t>(got[i]), double(want[i]),
                          std::bit_cast<uint32_t>(want[i]));
            return ::testing::AssertionFailure() << text;
        }
    }
    return ::testing::AssertionSuccess();
}

// Bars with the given closes; high = close + 1, low = close - 1, volume 100, open = close.
inline std::vector<SQuote> QuotesFromCloses(std::initializer_list<float> closes) {
    std::vector<SQuote> q;
    for (float c : closes) q.push_back(SQuote{0, c, c + 1.0f, c - 1.0f, c, c, 100.0f});
    return q;
}

// The bars as the formulas read them.
inline CBarColumns Columns(const std::vector<SQuote>& q) {
    return CBarColumns(q);
}

inline CBarColumns ColumnsFromCloses(std::initializer_list<float> closes) {
    return Columns(QuotesFromCloses(closes));
}

// A reproducible random walk of `bars` bars with prices on a 1/100 grid.
std::vector<SQuote> RandomWalk(std::size_t bars, unsigned seed);

// The daily quotes of tests/data/ttrc.csv, oldest first; empty when the file is absent.
std::vector<SQuote> LoadTtrc();
