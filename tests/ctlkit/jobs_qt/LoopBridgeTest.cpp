#include "ctlkit/jobs/CJob.h"
#include "ctlkit/jobs/CLoopMessageTarget.h"
#include "ctlkit/jobs/CLoopProgressSink.h"
#include "ctlkit/jobs/CMThreadedJobQ.h"
#include "ctlkit/jobs/CRecordingProgress.h"
#include "ctlkit/jobs/qt/QtLoopBridge.h"
#include <QTest>
#include <atomic>
#include <gtest/gtest.h>
#include <thread>
#include <vector>

using namespace std::chrono_literals;

namespace {

// Waits on the GUI thread, with the event loop running, until `done` or 30 s.
bool RunEventsUntil(const std::function<bool()>& done) {
    return QTest::qWaitFor(done, 30000);
}

} // namespace

TEST(LoopBridgeTest, MessagesOfFourWorkersArriveOnTheGuiThreadInOrderPerSender) {
    constexpr int kSenders = 4, kPerSender = 2500;
    CUiThreadLoop loop;
    QtLoopBridge bridge(loop);
    const auto guiThread = std::this_thread::get_id();
    std::vector<std::vector<intptr_t>> received(kSenders);
    int total = 0, offThread = 0;
    auto window = CLoopMessageTarget::Create(loop, [&](const SWindowMessage& message) {
        if (std::this_thread::get_id() != guiThread) ++offThread;
        received.at(message.wParam).push_back(message.lParam);
        ++total;
        return 1L;
    });

    std::vector<std::thread> senders;
    for (int sender = 0; sender < kSenders; ++sender)
        senders.emplace_back([&, sender] {
            for (int n = 0; n < kPerSender; ++n) {
                SWindowMessage message{1, static_cast<uintptr_t>(sender), n, {}, {}};
                // Every tenth one waits for its answer, the others are queued.
                if (n % 10 == 0)
                    EXPECT_EQ(window->SendMessage(message), 1);
                else
                    window->PostMessage(message);
            }
        });
    ASSERT_TRUE(RunEventsUntil([&] { return total == kSenders * kPerSender; }));
    for (auto& sender : senders) sender.join();

    EXPECT_EQ(offThread, 0);
    for (int sender = 0; sender < kSenders; ++sender) {
        ASSERT_EQ(received[sender].size(), size_t(kPerSender));
        for (int n = 0; n < kPerSender; ++n) ASSERT_EQ(received[sender][n], n) << sender;
    }
    window->Detach();
}

TEST(LoopBridgeTest, ASendOnTheGuiThreadIsHandledAtOnce) {
    CUiThreadLoop loop;
    QtLoopBridge bridge(loop);
    int handled = 0;
    auto window =
        CLoopMessageTarget::Create(loop, [&](const SWindowMessage&) { return ++handled; });
    EXPECT_EQ(window->SendMessage({}), 1);
    EXPECT_EQ(handled, 1);
    window->Detach();
}

namespace {

// A download's first step: it asks its window for a progress dialog, then reports to it.
class ProgressJob : public CJob {
public:
    ProgressJob(DownloadProgressFactory factory, std::atomic<int>& state)
        : m_factory(std::move(factory)), m_state(state) {}
    void execute() override {
        m_state = 1;
        auto dialog = m_factory(getID());
        if (dialog) {
            dialog->SetStatusText("connecting");
            m_state = dialog->IsCancelled() ? 3 : 2;
        } else {
            m_state = 4;
        }
    }

private:
    DownloadProgressFactory m_factory;
    std::atomic<int>& m_state;
};

} // namespace

TEST(LoopBridgeTest, TheProgressDialogOpensAndReportsOnTheGuiThread) {
    CUiThreadLoop loop;
    QtLoopBridge bridge(loop);
    const auto guiThread = std::this_thread::get_id();
    auto window = CLoopMessageTarget::Create(loop, nullptr);
    auto dialog = std::make_shared<CRecordingProgress>();
    bool openedOnGui = false;
    std::atomic<int> state{0};
    auto queue = std::make_unique<CMThreadedJobQ>(0ms);
    queue->addJob(new ProgressJob(CLoopProgressSink::Factory(window,
                                                             [&](long) {
                                                                 openedOnGui =
                                                                     std::this_thread::get_id() ==
                                                                     guiThread;
                                                                 return dialog;
                                                             }),
                                  state));
    ASSERT_TRUE(RunEventsUntil([&] { return state >= 2; }));
    EXPECT_EQ(state, 2);
    EXPECT_TRUE(openedOnGui);
    EXPECT_EQ(dialog->StatusTexts(), std::vector<std::string>{"connecting"});
    window->Detach();
    queue.reset();
}

// The window closes (detaches, then joins its queue on the GUI thread) while its job waits in
// the progress factory for the GUI thread, which no longer runs events.
TEST(LoopBridgeTest, AWindowClosedWhileItsJobWaitsForTheProgressDialogClosesAtOnce) {
    CUiThreadLoop loop;
    QtLoopBridge bridge(loop);
    auto window = CLoopMessageTarget::Create(loop, nullptr);
    std::atomic<bool> asked{false};
    loop.SetWakeHook([&] { asked = true; });
    std::atomic<int> state{0};
    bool opened = false;
    auto queue = std::make_unique<CMThreadedJobQ>(0ms);
    queue->addJob(new ProgressJob(
        CLoopProgressSink::Factory(window,
                                   [&](long) {
                                       opened = true;
                                       return std::make_shared<CRecordingProgress>();
                                   }),
        state));
    for (int i = 0; i < 3000 && !asked; ++i) std::this_thread::sleep_for(1ms);
    ASSERT_TRUE(asked) << "the job asked for its dialog";

    const auto closing = std::chrono::steady_clock::now();
    window->Detach();
    queue.reset();
    EXPECT_LT(std::chrono::steady_clock::now() - closing, 1s);
    EXPECT_EQ(state, 4) << "the job went on without a dialog";
    loop.RunPending();
    EXPECT_FALSE(opened);
}
