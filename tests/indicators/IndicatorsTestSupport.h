#pragma once
#include "ctlkit/base/CPrompter.h"
#include "ctlkit/base/CRecordingPrompter.h"
#include "indicators/CStockPanes.h"
#include "indicators/CTCurve.h"
#include "indicators/CTradeFlag.h"
#include "quotes/CStock.h"
#include "quotes/SQuote.h"
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <stdexcept>
#include <string>
#include <vector>

// Every test runs with a prompter that records what it is shown. A series reads and writes no
// settings unless asked, so no installation folder is needed.
class IndicatorsTest : public ::testing::Test {
public:
    // A series whose base and display series are `bars`, window over all of them.
    static void Fill(CStock& stock, const std::vector<SQuote>& bars);
    // Bars with close c[i] and high c[i] + 1, low c[i] - 1, volume 100 + i.
    static std::vector<SQuote> BarsOfCloses(const std::vector<float>& closes);
    // `count` bars of a deterministic zig-zag around 50.
    static std::vector<SQuote> WavyBars(std::size_t count);
    static std::string TtrcPath();

    static CTCurve& PaneOf(CStock& stock, int number);
    static std::vector<const CTradeFlag*> FlagsOf(const CTCurve& pane);

protected:
    IndicatorsTest() : m_prompter(prompter) {}

    CRecordingPrompter prompter;

private:
    CScopedPrompter m_prompter;
};
