#include "ctlkit/base/CPrompter.h"
#include "ctlkit/base/CRecordingPrompter.h"
#include "ctlkit/jobs/CRecordingMessageTarget.h"
#include <atomic>
#include <future>
#include <gtest/gtest.h>
#include <thread>

using namespace std::chrono_literals;

namespace {
// A user-interface thread of the test that runs the loop until the fixture ends.
class UiThread : public ::testing::Test {
protected:
    void SetUp() override {
        // The first task runs once the loop belongs to the new thread.
        loop.Post([this] {
            m_uiId = std::this_thread::get_id();
            m_started.set_value();
        });
        m_ui = std::thread([this] { loop.Run(); });
        m_started.get_future().wait();
    }
    void TearDown() override {
        loop.Quit();
        m_ui.join();
    }
    std::thread::id UiId() const { return m_uiId; }

    CUiThreadLoop loop;

private:
    std::thread m_ui;
    std::thread::id m_uiId;
    std::promise<void> m_started;
};

SWindowMessage Message(unsigned number, uintptr_t w = 0, intptr_t l = 0, std::string wText = {},
                       std::string lText = {}) {
    SWindowMessage m;
    m.message = number;
    m.wParam = w;
    m.lParam = l;
    m.wText = std::move(wText);
    m.lText = std::move(lText);
    return m;
}
} // namespace

TEST_F(UiThread, SendIsHandledOnTheUiThreadAndWaitsForTheAnswer) {
    auto target = CRecordingMessageTarget::Create(loop);
    std::atomic<bool> handled{false};
    target->SetAnswer([&](const SWindowMessage& m) {
        std::this_thread::sleep_for(20ms);
        handled = true;
        return static_cast<long>(m.wText.size());
    });
    long answer = target->SendMessage(Message(WM_QUOTE_DOWNLOADED, 0, 0, "IBM", "NYSE"));
    EXPECT_TRUE(handled);
    EXPECT_EQ(answer, 3);
    auto records = target->Records();
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].thread, UiId());
    EXPECT_EQ(records[0].message.message, 0x0B6Cu);
    EXPECT_EQ(records[0].message.wText, "IBM");
    EXPECT_EQ(records[0].message.lText, "NYSE");
}

TEST_F(UiThread, PostQueuesAndKeepsTheOrder) {
    auto target = CRecordingMessageTarget::Create(loop);
    for (uintptr_t i = 0; i < 5; ++i) EXPECT_TRUE(target->PostMessage(Message(WM_USER, i)));
    target->SendMessage(Message(WM_CONNECT_CHECKED, 1)); // after the posted ones
    auto records = target->Records();
    ASSERT_EQ(records.size(), 6u);
    for (uintptr_t i = 0; i < 5; ++i) EXPECT_EQ(records[i].message.wParam, i);
    EXPECT_EQ(records[5].message.message, 0x0BA8u);
}

TEST_F(UiThread, DetachedTargetDropsMessagesAndReleasesAWaitingSender) {
    auto target = CRecordingMessageTarget::Create(loop);
    std::promise<void> inHandler, release;
    auto released = release.get_future().share();
    std::atomic<bool> handlerDone{false};
    target->SetAnswer([&](const SWindowMessage& m) {
        if (m.message == WM_USER) {
            inHandler.set_value();
            released.wait();
            handlerDone = true; // the last touch of this test's locals on the UI thread
        }
        return 1L;
    });
    // The UI thread is busy in the first message; the second send waits behind it.
    std::thread first([&] { target->SendMessage(Message(WM_USER)); });
    inHandler.get_future().wait();
    std::promise<long> second;
    std::thread sender([&] { second.set_value(target->SendMessage(Message(WM_MARKETLIST_DONE))); });
    std::this_thread::sleep_for(20ms);
    target->Detach();
    EXPECT_EQ(second.get_future().get(), 0); // released although the UI thread is busy
    release.set_value();
    // The detached sender returned early; the handler may still be leaving its wait.
    while (!handlerDone) std::this_thread::sleep_for(1ms);
    first.join();
    sender.join();
    EXPECT_EQ(target->SendMessage(Message(WM_QUOTE_DOWNLOADED)), 0);
    EXPECT_FALSE(target->PostMessage(Message(WM_QUOTE_DOWNLOADED)));
    loop.Post([] {});
    auto records = target->Records();
    ASSERT_EQ(records.size(), 1u); // the queued WM_MARKETLIST_DONE was dropped
    EXPECT_EQ(records[0].message.message, WM_USER);
}

TEST_F(UiThread, ShowMessageUsesThePrompterOnTheUiThread) {
    struct ThreadPrompter : CRecordingPrompter {
        std::thread::id thread;
        void ShowMessage(const std::string& text) override {
            thread = std::this_thread::get_id();
            CRecordingPrompter::ShowMessage(text);
        }
    } prompter;
    CScopedPrompter scoped(prompter);
    auto target = CRecordingMessageTarget::Create(loop);
    std::thread worker([&] { target->ShowMessage("Can not open the previous data file."); });
    worker.join();
    ASSERT_EQ(prompter.messages, std::vector<std::string>{"Can not open the previous data file."});
    EXPECT_EQ(prompter.thread, UiId());
}

TEST(MessageLoop, RunUntilCarriesOutPostedTasksOnTheCallingThread) {
    CUiThreadLoop loop;
    std::atomic<int> ran{0};
    std::thread::id where;
    std::thread worker([&] {
        for (int i = 0; i < 3; ++i)
            loop.Post([&] {
                where = std::this_thread::get_id();
                ++ran;
            });
    });
    worker.join();
    EXPECT_TRUE(loop.RunUntil([&] { return ran == 3; }, 5s));
    EXPECT_EQ(where, std::this_thread::get_id());
    EXPECT_FALSE(loop.RunUntil([] { return false; }, 30ms));
}
