#pragma once
#include "ctlkit/base/CPrompter.h"
#include "ctlkit/base/CRecordingPrompter.h"
#include "quotes/SQuote.h"
#include "settings/CModelContext.h"
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <stdexcept>
#include <string>
#include <vector>

// A fresh folder under /tmp, removed with everything in it at the end of the test.
class CChartTempFolder {
public:
    CChartTempFolder() {
        std::string pattern = "/tmp/zs-chart-XXXXXX";
        if (!::mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
        m_path = pattern + "/";
    }
    ~CChartTempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    const std::string& Path() const { return m_path; }

private:
    std::string m_path;
};

inline void WriteBytesTo(const std::string& path, const std::string& bytes) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

inline std::string ReadBytesFrom(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// Little-endian pieces for hand-written byte strings.
inline std::string Le32(uint32_t value) {
    std::string out;
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
    return out;
}
inline std::string LeF(float value) {
    uint32_t bits;
    static_assert(sizeof bits == sizeof value);
    std::memcpy(&bits, &value, sizeof bits);
    return Le32(bits);
}
inline std::string Counted(const std::string& text) {
    return std::string(1, static_cast<char>(text.size())) + text;
}

// Every test runs with its own program folder holding a setup.ini with the series section,
// and a prompter that records what it is shown.
class ChartTest : public ::testing::Test {
protected:
    ChartTest() : m_scoped(prompter) {
        WriteBytesTo(home.Path() + "setup.ini", "[STOCKLINE_SETUP]\nDisPeriod=400\n");
    }

    static SQuote Bar(int32_t date, float close) {
        SQuote q;
        q.date = date;
        q.open = close - 0.5f;
        q.high = close + 1;
        q.low = close - 1;
        q.close = close;
        q.adjClose = close;
        q.volume = 100 + close;
        return q;
    }
    static std::vector<SQuote> Bars(int count) {
        std::vector<SQuote> bars;
        for (int i = 0; i < count; ++i)
            bars.push_back(Bar(86400 * (10000 + i), 20.0f + static_cast<float>(i % 17) * 0.25f));
        return bars;
    }

    CChartTempFolder home;
    CRecordingPrompter prompter;
    CModelContext context{CInstallPaths(home.Path()), prompter};

private:
    CScopedPrompter m_scoped;
};
