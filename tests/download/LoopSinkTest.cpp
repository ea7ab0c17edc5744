#include "ctlkit/jobs/CUiThreadLoop.h"
#include "download/CLoopMarketUpdateSink.h"
#include <atomic>
#include <gtest/gtest.h>
#include <thread>
#include <vector>

namespace {

// The "Update List" dialog as a window keeps it; only touched on the loop's thread.
class DialogLog : public CMarketUpdateSink {
public:
    void SetStatusText(const std::string& text) override { Note("status " + text); }
    bool IsVisible() override { return true; }
    void SetProgressRange(int steps) override { Note("range " + std::to_string(steps)); }
    void SetProgress(int position) override { Note("at " + std::to_string(position)); }
    void AppendLog(const std::string& text) override { Note("log " + text); }
    void Close() override { Note("close"); }

    std::vector<std::string> calls;
    bool offLoop = false;
    std::thread::id loopThread = std::this_thread::get_id();

private:
    void Note(std::string call) {
        if (std::this_thread::get_id() != loopThread) offLoop = true;
        calls.push_back(std::move(call));
    }
};

} // namespace

TEST(LoopMarketUpdateSinkTest, AJobReachesTheDialogOnTheLoopUntilTheWindowDetaches) {
    CUiThreadLoop loop;
    auto window = CLoopMessageTarget::Create(loop, nullptr);
    auto dialog = std::make_shared<DialogLog>();
    auto sink = std::make_shared<CLoopMarketUpdateSink>(window, dialog);

    std::atomic<bool> visible{false}, done{false};
    std::thread job([&] {
        sink->SetProgressRange(4);
        sink->SetStatusText("Connecting");
        sink->AppendLog("NYSE");
        sink->SetProgress(1);
        visible = sink->IsVisible();
        done = true;
    });
    ASSERT_TRUE(loop.RunUntil([&] { return done.load(); }, std::chrono::seconds(10)));
    job.join();
    EXPECT_TRUE(visible);
    EXPECT_FALSE(dialog->offLoop);
    EXPECT_EQ(dialog->calls,
              (std::vector<std::string>{"range 4", "status Connecting", "log NYSE", "at 1"}));

    // Closing: nothing waits for the loop, which runs no more, and the dialog counts as hidden.
    window->Detach();
    std::thread late([&] {
        sink->AppendLog("LSE");
        sink->Close();
        visible = sink->IsVisible();
    });
    late.join();
    EXPECT_FALSE(visible);
    loop.RunPending();
    EXPECT_EQ(dialog->calls.size(), 4u);
}
