#include "IndicatorsTestSupport.h"
#include <fstream>

void IndicatorsTest::Fill(CStock& stock, const std::vector<SQuote>& bars) {
    stock.RestoreSeries(bars, bars);
    stock.RestoreWindow(0, static_cast<int>(bars.size()));
}

std::vector<SQuote> IndicatorsTest::BarsOfCloses(const std::vector<float>& closes) {
    std::vector<SQuote> bars;
    for (std::size_t i = 0; i < closes.size(); ++i) {
        SQuote q;
        q.date = static_cast<int32_t>(86400 * (i + 1));
        q.open = closes[i];
        q.high = closes[i] + 1.0f;
        q.low = closes[i] - 1.0f;
        q.close = closes[i];
        q.volume = 100.0f + static_cast<float>(i);
        bars.push_back(q);
    }
    return bars;
}

std::vector<SQuote> IndicatorsTest::WavyBars(std::size_t count) {
    std::vector<float> closes;
    for (std::size_t i = 0; i < count; ++i)
        closes.push_back(50.0f + static_cast<float>((i * 7) % 11) - static_cast<float>(i % 3));
    return BarsOfCloses(closes);
}

std::string IndicatorsTest::TtrcPath() {
    return std::string(ZS_TEST_DATA_DIR) + "/ttrc.csv";
}

CTCurve& IndicatorsTest::PaneOf(CStock& stock, int number) {
    CTCurve* pane = CStockPanes::InstallIn(stock).Pane(number);
    if (!pane) throw std::runtime_error("no pane " + std::to_string(number));
    return *pane;
}

std::vector<const CTradeFlag*> IndicatorsTest::FlagsOf(const CTCurve& pane) {
    std::vector<const CTradeFlag*> flags;
    for (const auto& element : pane.Elements())
        if (auto* flag = dynamic_cast<const CTradeFlag*>(element.get())) flags.push_back(flag);
    return flags;
}
