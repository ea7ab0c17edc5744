#include "app/qt/CConnectionIndicator.h"
#include "CTestServer.h"
#include "ctlkit/base/CRecordingPrompter.h"
#include "ctlkit/jobs/qt/QtLoopBridge.h"
#include "settings/CModelContext.h"
#include <QTest>
#include <chrono>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <thread>
#include <vector>

using namespace std::chrono_literals;

namespace {
// A home whose setup.ini the test writes, the test server and the user-interface loop on
// Qt's event loop.
class ConnectionIndicatorTest : public ::testing::Test {
protected:
    void SetUp() override {
        home = MakeTempFolder("indicator");
        server = std::make_unique<CTestServer>(home + "/server");
        ASSERT_TRUE(server->Started());
        server->PutMarketList("home.html", "<html>home</html>");
        context = std::make_unique<CModelContext>(CInstallPaths(home), prompter);
    }
    void TearDown() override {
        indicator.reset();
        server.reset();
        RemoveTree(home);
    }

    void Configure(const std::string& on, const std::string& address) {
        ASSERT_TRUE(WriteTextFile(home + "/setup.ini", "[ENVIORMENT]\nConnectCheckOn=" + on +
                                                           "\n[DOWNLOAD]\nConnectCheck=" + address +
                                                           "\n"));
    }
    std::string HomePage() const { return server->BaseUrl() + "/download/mklist/home.html"; }
    void Start(std::chrono::milliseconds tick) {
        indicator = std::make_unique<CConnectionIndicator>(
            *context, loop, [this](const std::string& text) { shown.push_back(text); }, nullptr,
            tick);
    }
    bool WaitForShown(size_t count, int ms = 10000) {
        return QTest::qWaitFor([&] { return shown.size() >= count; }, ms);
    }

    std::string home;
    std::unique_ptr<CTestServer> server;
    CRecordingPrompter prompter;
    std::unique_ptr<CModelContext> context;
    CUiThreadLoop loop;
    QtLoopBridge bridge{loop};
    std::vector<std::string> shown;
    std::unique_ptr<CConnectionIndicator> indicator;
};
} // namespace

TEST_F(ConnectionIndicatorTest, ReachablePageShowsOnlineAtTheFirstTick) {
    Configure("1", HomePage());
    Start(10s);
    EXPECT_TRUE(indicator->IsActive());
    ASSERT_TRUE(WaitForShown(1));
    EXPECT_EQ(shown, std::vector<std::string>{"Online"});
    EXPECT_EQ(server->Requests(), 1);
}

TEST_F(ConnectionIndicatorTest, UnreachablePortShowsOffline) {
    Configure("1", "http://127.0.0.1:" + std::to_string(UnusedPort()) + "/");
    Start(10s);
    ASSERT_TRUE(WaitForShown(1));
    EXPECT_EQ(shown, std::vector<std::string>{"Offline"});
}

TEST_F(ConnectionIndicatorTest, ChecksAgainEveryTwelfthTick) {
    Configure("1", HomePage());
    const auto start = std::chrono::steady_clock::now();
    Start(20ms);
    ASSERT_TRUE(WaitForShown(2));
    const auto second = std::chrono::steady_clock::now() - start;
    indicator.reset();
    EXPECT_EQ(shown, (std::vector<std::string>{"Online", "Online"}));
    EXPECT_EQ(server->Requests(), 2);
    EXPECT_GE(second, 220ms); // twelve ticks of 20 ms, not the next one
}

TEST_F(ConnectionIndicatorTest, TheAnswerFollowsTheServer) {
    Configure("1", HomePage());
    Start(20ms);
    ASSERT_TRUE(WaitForShown(1));
    server->SetFault("empty"); // the page comes without a byte
    ASSERT_TRUE(WaitForShown(2));
    EXPECT_EQ(shown, (std::vector<std::string>{"Online", "Offline"}));
}

TEST_F(ConnectionIndicatorTest, CheckOffOrWithoutAddressNeverShows) {
    struct Row {
        const char* on;
        bool withAddress;
    };
    const Row rows[] = {{"0", true}, {"", true}, {"2", true}, {"1", false}};
    for (const Row& row : rows) {
        Configure(row.on, row.withAddress ? HomePage() : "");
        Start(5ms);
        EXPECT_FALSE(indicator->IsActive()) << row.on;
        QTest::qWait(200);
        indicator.reset();
        EXPECT_TRUE(shown.empty()) << row.on;
    }
    EXPECT_EQ(server->Requests(), 0);
}

TEST_F(ConnectionIndicatorTest, DestroyedWhileACheckHangsEndsPromptlyAndShowsNothing) {
    Configure("1", HomePage() + "?fault=hang");
    Start(10s);
    ASSERT_TRUE(QTest::qWaitFor([&] { return server->Requests() == 1; }, 10000));
    const auto before = std::chrono::steady_clock::now();
    indicator.reset();
    EXPECT_LT(std::chrono::steady_clock::now() - before, 5s);
    QTest::qWait(100);
    EXPECT_TRUE(shown.empty());
}

TEST_F(ConnectionIndicatorTest, AnswerWaitingForTheLoopIsDroppedOnDestruction) {
    Configure("1", HomePage());
    Start(10s);
    // No events are handled meanwhile, so the job's answer waits for the loop.
    const auto deadline = std::chrono::steady_clock::now() + 10s;
    while (server->Requests() < 1 && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(5ms);
    ASSERT_EQ(server->Requests(), 1);
    std::this_thread::sleep_for(300ms);
    indicator.reset();
    QTest::qWait(100);
    EXPECT_TRUE(shown.empty());
}
