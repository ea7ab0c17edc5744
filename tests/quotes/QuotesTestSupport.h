#pragma once
#include "ctlkit/base/CPrompter.h"
#include "ctlkit/base/CRecordingPrompter.h"
#include "quotes/CStockPaneHost.h"
#include "quotes/LocalDate.h"
#include "quotes/SQuote.h"
#include "settings/CModelContext.h"
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <vector>

// A fresh folder under /tmp, removed with everything in it at the end of the test.
class CTempFolder {
public:
    CTempFolder() {
        std::string pattern = "/tmp/zs-quotes-XXXXXX";
        if (!::mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
        m_path = pattern + "/";
    }
    ~CTempFolder() {
        std::error_code ignored;
        std::filesystem::permissions(m_path, std::filesystem::perms::owner_all, ignored);
        std::filesystem::remove_all(m_path, ignored);
    }
    const std::string& Path() const { return m_path; }

private:
    std::string m_path;
};

inline void WriteText(const std::string& path, const std::string& text) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

inline std::string ReadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// Local midnight of a day, as the readers store it.
inline int32_t Day(int year, int month, int day) {
    int32_t date = 0;
    EXPECT_EQ(LocalMidnight(year, month, day, date), ELocalMidnight::Ok);
    return date;
}

inline SQuote Quote(int32_t date, float open, float high, float low, float close, float volume = 0,
                    float adjClose = 0) {
    SQuote q;
    q.date = date;
    q.open = open;
    q.high = high;
    q.low = low;
    q.close = close;
    q.volume = volume;
    q.adjClose = adjClose;
    return q;
}

// Every test has an installation of its own and a prompter that records the messages.
class QuotesTest : public ::testing::Test {
protected:
    // A setup.ini that already has the section, so loading the settings shows no message.
    void WriteSetup(const std::string& body = "[STOCKLINE_SETUP]\nDisPeriod=400\n") {
        WriteText(home.Path() + "setup.ini", body);
    }

    CTempFolder home;
    CRecordingPrompter prompter;
    CModelContext context{CInstallPaths(home.Path()), prompter};
};

// Records the calls the series makes on its panes, in order.
class CRecordingPaneHost : public CStockPaneHost {
public:
    explicit CRecordingPaneHost(std::vector<std::string>& calls) : m_calls(calls) {}
    void ClearCurveData(CStock&) override { m_calls.push_back("ClearCurveData"); }
    void ClearCostDistribution(CStock&) override { m_calls.push_back("ClearCostDistribution"); }
    void RebuildCostDistribution(CStock&) override { m_calls.push_back("RebuildCostDistribution"); }
    void ReplayIndicators(CStock&) override { m_calls.push_back("ReplayIndicators"); }
    void RebindPanes(CStock&) override { m_calls.push_back("RebindPanes"); }
    void RemapElements(CStock&, const std::vector<int32_t>& previousDates) override {
        remappedFrom = previousDates;
    }
    void SetPaneWindow(CStock&, int first, int end) override {
        m_calls.push_back("SetPaneWindow " + std::to_string(first) + " " + std::to_string(end));
    }
    bool PricePaneCurveRange(CStock&, float& high, float& low) override {
        m_calls.push_back("PricePaneCurveRange");
        if (!hasCurves) return false;
        high = curveHigh;
        low = curveLow;
        return true;
    }

    bool hasCurves = false;
    std::vector<int32_t> remappedFrom;
    float curveHigh = 0;
    float curveLow = 0;

private:
    std::vector<std::string>& m_calls;
};
