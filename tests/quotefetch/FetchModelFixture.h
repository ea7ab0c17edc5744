#pragma once
#include "FetchTestSupport.h"
#include "quotefetch/CFetchDialogModel.h"
#include <functional>

// The downloader's window model over the test server, its jobs' messages handed over by a
// user-interface loop on the test's thread. "Today" is Tuesday 11 January 2005.
class FetchModelFixture : public ::testing::Test {
public:
    void SetUp() override {
        home = MakeTempFolder("fetchmodel");
        dataFolder = home + "/Data/";
        std::filesystem::create_directories(home + "/System");
        server = std::make_unique<CTestServer>(home + "/server");
        ASSERT_TRUE(server->Started());
        selection = std::make_unique<CStockSelection>(home + "/System/downloader.dat");
        queue = std::make_unique<CMThreadedJobQ>(std::chrono::milliseconds(0));
        model = std::make_unique<CFetchDialogModel>(*selection, loop, *queue);
        CFetchRun::SJobSettings settings;
        settings.dataFolder = dataFolder;
        settings.quoteServer = server->BaseUrl();
        settings.timeOutMs = 10000;
        model->SetJobSettings(settings);
        model->Run().SetClock([] { return LocalNoon(2005, 1, 11); });
    }
    void TearDown() override {
        model->Close();
        queue.reset();
        model.reset();
        server.reset();
        RemoveTree(home);
    }

    std::string home, dataFolder;
    std::unique_ptr<CTestServer> server;
    std::unique_ptr<CStockSelection> selection;
    CUiThreadLoop loop;
    std::unique_ptr<CMThreadedJobQ> queue;
    std::unique_ptr<CFetchDialogModel> model;
};
