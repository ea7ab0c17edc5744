#pragma once
#include "CTestServer.h"
#include "TestQuotes.h"
#include "ctlkit/jobs/CLoopMessageTarget.h"
#include "ctlkit/jobs/CMThreadedJobQ.h"
#include "ctlkit/jobs/CUiThreadLoop.h"
#include "ctlkit/lang/CLanguage.h"
#include "quotefetch/CFetchRun.h"
#include "quotefetch/CStockSelection.h"
#include "quotes/QuoteLineDate.h"
#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

inline std::string Text(unsigned id) {
    return CLanguage::TranslateString(id).value_or("?");
}

// Noon of a local calendar day.
inline int64_t LocalNoon(int year, int month, int day) {
    return LocalMidnightSeconds(year, month, day) + 12 * 3600;
}

// Everything a run shows, in order.
class CRecordingRunView : public CFetchRunView {
public:
    struct SRecord {
        SSelectedStock stock;
        EFetchResult result;
        long newDays;
    };
    void ShowMessage(const std::string& text) override { messages.push_back(text); }
    void AddLogLine(const std::string& text) override { log.push_back(text); }
    void SetStatusText(const std::string& text) override { status = text; }
    void SetProgressRange(int low, int high) override { range = {low, high}; }
    void SetProgressPosition(int position) override { positions.push_back(position); }
    void EnableRunButtons(bool enabled) override { buttons.push_back(enabled); }
    void RecordEnded(const SSelectedStock& stock, EFetchResult result, long newDays) override {
        records.push_back({stock, result, newDays});
    }
    void RunEnded(EFetchRunEnd end) override { ends.push_back(end); }

    std::vector<std::string> messages, log;
    std::string status;
    std::pair<int, int> range{-1, -1};
    std::vector<int> positions;
    std::vector<bool> buttons;
    std::vector<SRecord> records;
    std::vector<EFetchRunEnd> ends;
};

// The test server, an installation folder with its selection, a user-interface loop on the
// test's thread whose window hands the jobs' messages to the run, and a queue without the
// dispatch pause. "Today" is Tuesday 11 January 2005 unless a test moves it.
class FetchRunFixture : public ::testing::Test {
public:
    void SetUp() override {
        home = MakeTempFolder("quotefetch");
        dataFolder = home + "/Data/";
        std::filesystem::create_directories(home + "/System");
        server = std::make_unique<CTestServer>(home + "/server");
        ASSERT_TRUE(server->Started());
        selection = std::make_unique<CStockSelection>(home + "/System/downloader.dat");
        queue = std::make_unique<CMThreadedJobQ>(std::chrono::milliseconds(0));
        run = std::make_unique<CFetchRun>(*selection, *queue, view);
        window = CLoopMessageTarget::Create(
            loop, [this](const SWindowMessage& m) { return run->HandleMessage(m); });
        run->SetNotifyWindow(window);
        CFetchRun::SJobSettings settings;
        settings.dataFolder = dataFolder;
        settings.quoteServer = server->BaseUrl();
        settings.timeOutMs = 5000;
        run->SetJobSettings(settings);
        run->SetClock([this] { return now; });
    }
    void TearDown() override {
        window->Detach();
        queue.reset();
        run.reset();
        server.reset();
        RemoveTree(home);
    }

    void Select(const std::vector<SSelectedStock>& stocks) {
        ASSERT_TRUE(selection->Assign(stocks).ok());
    }
    // Runs the loop until the run has ended `ends` times in all.
    bool WaitForEnd(size_t ends = 1) {
        return loop.RunUntil([&] { return view.ends.size() >= ends; }, std::chrono::seconds(30));
    }
    std::string QuoteFile(const std::string& market, const std::string& ticker) {
        return dataFolder + market + "/" + ticker + ".csv";
    }
    void PutLocal(const std::string& market, const std::string& ticker, const std::string& text) {
        std::filesystem::create_directories(dataFolder + market);
        ASSERT_TRUE(WriteTextFile(QuoteFile(market, ticker), text));
    }

    std::string home, dataFolder;
    int64_t now = LocalNoon(2005, 1, 11);
    std::unique_ptr<CTestServer> server;
    std::unique_ptr<CStockSelection> selection;
    CUiThreadLoop loop;
    CRecordingRunView view;
    std::unique_ptr<CMThreadedJobQ> queue;
    std::unique_ptr<CFetchRun> run;
    std::shared_ptr<CLoopMessageTarget> window;
};
