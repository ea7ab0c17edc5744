#pragma once
#include "formula/CFormula.h"
#include <bit>
#include <cmath>
#include <cstdint>
#include <gtest/gtest.h>
#include <string>
#include <vector>

// Equal bit patterns value by value; any NaN matches any NaN.
inline ::testing::AssertionResult SameBits(const std::vector<float>& got,
                                           const std::vector<float>& want) {
    if (got.size() != want.size())
        return ::testing::AssertionFailure() << "size " << got.size() << ", expected "
                                             << want.size();
    for (std::size_t i = 0; i < got.size(); ++i) {
        if (std::isnan(got[i]) && std::isnan(want[i])) continue;
        if (std::bit_cast<uint32_t>(got[i]) != std::bit_cast<uint32_t>(want[i]))
            return ::testing::AssertionFailure() << "at " << i << ": " << got[i] << ", expected "
                                                 << want[i];
    }
    return ::testing::AssertionSuccess();
}

// The shown outputs of a formula that must parse.
inline std::vector<SFormulaOutput> EvaluateText(const std::string& text, const CBarColumns& q) {
    SFormulaError error;
    auto formula = CFormula::Parse(text, error);
    EXPECT_TRUE(formula) << text << ": " << error.Text();
    if (!formula) return {};
    return formula->Evaluate(q);
}
