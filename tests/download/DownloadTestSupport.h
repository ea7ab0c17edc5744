#pragma once
#include "CTestServer.h"
#include "TestQuotes.h"
#include "ctlkit/base/CPrompter.h"
#include "ctlkit/base/CRecordingPrompter.h"
#include "ctlkit/jobs/CJobResult.h"
#include "ctlkit/jobs/CMThreadedJobQ.h"
#include "ctlkit/jobs/CRecordingMessageTarget.h"
#include "ctlkit/jobs/CRecordingProgress.h"
#include "download/DownloadStarter.h"
#include "quotes/QuoteLineDate.h"
#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <thread>

// Waits for `condition` for at most ten seconds.
template <class F> bool Eventually(F condition) {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
}

// A home folder, the test server, a user-interface loop on the test's thread with a window
// and a prompter that record, and a queue without the dispatch pause.
class DownloadFixture : public ::testing::Test {
protected:
    void SetUp() override {
        home = MakeTempFolder("download");
        dataFolder = home + "/Data/";
        std::filesystem::create_directories(dataFolder + "NYSE");
        server = std::make_unique<CTestServer>(home + "/server");
        ASSERT_TRUE(server->Started());
        window = CRecordingMessageTarget::Create(loop);
        m_scoped = std::make_unique<CScopedPrompter>(prompter);
        queue = std::make_unique<CMThreadedJobQ>(std::chrono::milliseconds(0));
        progress = std::make_shared<CRecordingProgress>();
    }
    void TearDown() override {
        window->Detach();
        queue.reset();
        m_scoped.reset();
        server.reset();
        RemoveTree(home);
    }

    SDownloadRequest Request(const std::string& ticker = "IBM") {
        SDownloadRequest request;
        request.ticker = ticker;
        request.market = "NYSE";
        request.dataFolder = dataFolder;
        request.notify = window;
        auto sink = progress;
        request.progress = [sink](long) { return sink; };
        request.result = std::make_shared<CJobResult>();
        request.settings.quoteServer = server->BaseUrl();
        request.timeOutMs = 5000;
        return request;
    }

    // Runs the user-interface loop until the job has its result.
    EJobResult Wait(const SDownloadRequest& request) {
        loop.RunUntil([&] { return request.result->Ended(); }, std::chrono::seconds(30));
        loop.RunPending();
        return request.result->Get();
    }

    std::string QuoteFile(const std::string& ticker = "IBM") {
        return dataFolder + "NYSE/" + ticker + ".csv";
    }
    size_t Notifications() {
        size_t n = 0;
        for (auto& record : window->Records()) n += record.message.message == WM_QUOTE_DOWNLOADED;
        return n;
    }

    std::string home, dataFolder;
    std::unique_ptr<CTestServer> server;
    CUiThreadLoop loop;
    std::shared_ptr<CRecordingMessageTarget> window;
    CRecordingPrompter prompter;
    std::unique_ptr<CMThreadedJobQ> queue;
    std::shared_ptr<CRecordingProgress> progress;

private:
    std::unique_ptr<CScopedPrompter> m_scoped;
};
