#include "IndicatorTable.h"
#include "SeriesTestSupport.h"
#include "series/Sources.h"
#include "series/Windows.h"

// Twenty years of daily quotes (tests/data/ttrc.csv) through every indicator.
class RealData : public ::testing::Test {
protected:
    void SetUp() override {
        m_quotes = LoadTtrc();
        if (m_quotes.empty()) GTEST_SKIP() << "tests/data/ttrc.csv is not there";
    }
    std::vector<SQuote> m_quotes;
};

TEST_F(RealData, EveryIndicatorGivesOneValuePerBarAndValidValuesAfterItsWarmUp) {
    for (const SIndicatorEntry& entry : AllIndicators()) {
        const SIndicatorCurves out = entry.run(Columns(m_quotes));
        for (const CurvePtr& c : out.curves) {
            ASSERT_EQ(c->size(), m_quotes.size()) << entry.identifier;
            EXPECT_TRUE(std::isfinite(c->values.back()) || std::string(entry.identifier) == "VAO")
                << entry.identifier << " " << c->name << " " << c->parameter;
        }
    }
}

TEST_F(RealData, FiftyTwoWeekHighIsTheHighestHighOfTheLast365Bars) {
    const SIndicatorCurves wk = IndicatorFormulas::FiftyTwoWeekHighLow(Columns(m_quotes), 0, 1);
    for (std::size_t i = 364; i < m_quotes.size(); i += 97) {
        float high = m_quotes[i - 364].high, low = m_quotes[i - 364].low;
        for (std::size_t j = i - 363; j <= i; ++j) {
            high = std::max(high, m_quotes[j].high);
            low = std::min(low, m_quotes[j].low);
        }
        EXPECT_TRUE(SameBits({wk.curves[0]->values[i], wk.curves[1]->values[i]}, {high, low})) << i;
    }
}
