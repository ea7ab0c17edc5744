#pragma once
#include "ctlkit/base/CPrompter.h"
#include "ctlkit/base/CRecordingPrompter.h"
#include "ctlkit/dc/CRecordingDC.h"
#include "indicators/CStockPanes.h"
#include "indicators/CTCurve.h"
#include "quotes/CStock.h"
#include "quotes/LocalDate.h"
#include "quotes/SQuote.h"
#include "settings/CModelContext.h"
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

// Every view test runs with an installation of its own, so no document or view touches the
// settings of the machine.
class ViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = "/tmp/zs-view-XXXXXX";
        if (!::mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
        home = pattern + "/";
        context = std::make_unique<CModelContext>(CInstallPaths(home), prompter);
    }
    void TearDown() override {
        stock.reset();
        std::error_code ignored;
        std::filesystem::remove_all(home, ignored);
    }

    // A series of `count` daily bars from 2 Jan 2024 whose prices run from low to high.
    static std::vector<SQuote> Bars(int count, float low, float high) {
        std::vector<SQuote> bars;
        for (int i = 0; i < count; ++i) {
            SQuote q;
            int32_t date = 0;
            LocalMidnight(2024, 1 + (i / 28) % 12, 1 + i % 28, date);
            q.date = date + 86400 * 365 * (i / 336);
            q.open = q.close = low;
            q.high = high;
            q.low = low;
            q.adjClose = low;
            q.volume = 1000;
            bars.push_back(q);
        }
        return bars;
    }

    // A series with `panes` panes holding `bars`, window on every bar.
    CStock& MakeStock(std::vector<SQuote> bars, int panes = 2) {
        stock = std::make_unique<CStock>();
        stock->SetPaneCount(panes);
        CStockPanes& set = CStockPanes::InstallIn(*stock);
        for (int i = 0; i < panes; ++i) set.PaneAt(i);
        auto copy = bars;
        stock->RestoreSeries(std::move(copy), std::move(bars));
        set.RebindPanes(*stock);
        const int n = static_cast<int>(stock->Display().size());
        stock->RestoreWindow(0, n);
        stock->SetBarsInWindow(n > 0 ? n : 1, false);
        stock->ComputeVisibleRange();
        return *stock;
    }

    std::string home;
    // Messages of a series without settings go here, not to the terminal.
    CRecordingPrompter prompter;
    CScopedPrompter scopedPrompter{prompter};
    std::unique_ptr<CStock> stock;
    std::unique_ptr<CModelContext> context;
};
