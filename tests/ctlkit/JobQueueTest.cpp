#include "ctlkit/jobs/CJob.h"
#include "ctlkit/jobs/CMThreadedJobQ.h"
#include "ctlkit/jobs/CRecordingMessageTarget.h"
#include "ctlkit/jobs/MainWindowTarget.h"
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <gtest/gtest.h>
#include <mutex>
#include <random>
#include <set>
#include <string>
#include <thread>
#include <vector>

using namespace std::chrono_literals;

namespace {
// Waits for `condition` for at most ten seconds.
template <class F> bool Eventually(F condition) {
    auto deadline = std::chrono::steady_clock::now() + 10s;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        std::this_thread::sleep_for(1ms);
    }
    return true;
}

// A gate jobs wait at until the test opens it.
class Gate {
public:
    void Open() {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_open = true;
        }
        m_changed.notify_all();
    }
    void Wait() {
        std::unique_lock<std::mutex> lock(m_mutex);
        m_changed.wait(lock, [this] { return m_open; });
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    bool m_open = false;
};

// What the jobs of one test did, in order.
struct Journal {
    std::mutex mutex;
    std::vector<std::string> started;
    std::vector<std::string> ended;
    std::atomic<int> deleted{0};

    void Add(std::vector<std::string>& list, const std::string& name) {
        std::lock_guard<std::mutex> lock(mutex);
        list.push_back(name);
    }
    size_t StartedCount() {
        std::lock_guard<std::mutex> lock(mutex);
        return started.size();
    }
    std::vector<std::string> Started() {
        std::lock_guard<std::mutex> lock(mutex);
        return started;
    }
    std::vector<std::string> Ended() {
        std::lock_guard<std::mutex> lock(mutex);
        return ended;
    }
};

class NamedJob : public CJob {
public:
    NamedJob(Journal& journal, std::string name, int priority, Gate* gate = nullptr,
             bool untilCancelled = false)
        : m_journal(journal), m_name(std::move(name)), m_gate(gate),
          m_untilCancelled(untilCancelled) {
        setPriority(priority);
    }
    ~NamedJob() override { ++m_journal.deleted; }
    void execute() override {
        m_journal.Add(m_journal.started, m_name);
        if (m_gate) m_gate->Wait();
        while (m_untilCancelled && !cancelRequested()) std::this_thread::sleep_for(1ms);
        m_journal.Add(m_journal.ended, m_name + (cancelRequested() ? ":cancelled" : ":done"));
    }
    void discard() override { m_journal.Add(m_journal.ended, m_name + ":discarded"); }

private:
    Journal& m_journal;
    std::string m_name;
    Gate* m_gate;
    bool m_untilCancelled;
};

// Occupies both pool threads of a fresh queue, so that the jobs added next wait and are
// then handed out one at a time.
struct BusyQueue {
    Journal journal;
    Gate first, second;
    CMThreadedJobQ queue{0ms};

    BusyQueue() {
        queue.addJob(new NamedJob(journal, "busy1", 5, &first));
        queue.addJob(new NamedJob(journal, "busy2", 5, &second));
        EXPECT_TRUE(Eventually([&] { return journal.StartedCount() == 2; }));
    }
    ~BusyQueue() {
        first.Open();
        second.Open();
    }
};
} // namespace

TEST(JobQueue, HigherPriorityRunsFirstAndEqualPrioritiesKeepTheirOrder) {
    struct Case {
        std::vector<std::pair<std::string, int>> added;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {{{"a5", 5}, {"b7", 7}, {"c5", 5}}, {"b7", "a5", "c5"}},
        {{{"x5", 5}, {"y4", 4}, {"z3", 3}}, {"x5", "y4", "z3"}},
        {{{"x5", 5}, {"y4", 4}, {"w6", 6}}, {"w6", "x5", "y4"}},
        {{{"p5", 5}, {"q5", 5}, {"r5", 5}}, {"p5", "q5", "r5"}},
    };
    for (const Case& c : cases) {
        BusyQueue busy;
        for (auto& [name, priority] : c.added)
            busy.queue.addJob(new NamedJob(busy.journal, name, priority));
        EXPECT_EQ(busy.queue.getNoOfWaitingJobs(), 3);
        busy.first.Open(); // one pool thread serves the three in turn
        ASSERT_TRUE(Eventually([&] { return busy.journal.StartedCount() == 5; }));
        auto started = busy.journal.Started();
        EXPECT_EQ(std::vector<std::string>(started.begin() + 2, started.end()), c.expected);
    }
}

TEST(JobQueue, PrioritiesOfJobsQueuedTogetherDecideTheOrderWithTheDispatchPause) {
    Journal journal;
    Gate gate;
    {
        CMThreadedJobQ queue; // default pause: the three arrive within one pause
        queue.addJob(new NamedJob(journal, "a5", 5, &gate));
        queue.addJob(new NamedJob(journal, "b7", 7, &gate));
        queue.addJob(new NamedJob(journal, "c5", 5));
        ASSERT_TRUE(Eventually([&] { return journal.StartedCount() == 2; }));
        auto started = journal.Started();
        std::set<std::string> firstTwo(started.begin(), started.end());
        EXPECT_EQ(firstTwo, (std::set<std::string>{"a5", "b7"}));
        EXPECT_EQ(queue.getNoOfWaitingJobs(), 1);
        gate.Open();
        ASSERT_TRUE(Eventually([&] { return journal.StartedCount() == 3; }));
        EXPECT_EQ(journal.Started()[2], "c5");
    }
}

TEST(JobQueue, ThirdJobWaitsForAFreePoolThread) {
    BusyQueue busy;
    busy.queue.addJob(new NamedJob(busy.journal, "third", 5));
    EXPECT_EQ(busy.queue.getNoOfExecuter(), 2);
    EXPECT_EQ(busy.queue.getNoOfWaitingJobs(), 1);
    EXPECT_EQ(busy.journal.StartedCount(), 2u);
    busy.second.Open();
    ASSERT_TRUE(Eventually([&] { return busy.journal.StartedCount() == 3; }));
    EXPECT_EQ(busy.journal.Started()[2], "third");
    EXPECT_EQ(busy.queue.getNoOfExecuter(), 2);
}

TEST(JobQueue, MaximumTakesOnlyTwoToTen) {
    struct Case {
        int value;
        int expected;
    };
    const Case cases[] = {{1, 2}, {11, 2}, {0, 2}, {-3, 2}, {10, 10}, {3, 3}, {2, 2}};
    for (const Case& c : cases) {
        CMThreadedJobQ queue(0ms);
        EXPECT_EQ(queue.getMaxNoOfExecuter(), 2);
        queue.setMaxNoOfExecuter(c.value);
        EXPECT_EQ(queue.getMaxNoOfExecuter(), c.expected) << "value " << c.value;
    }
}

TEST(JobQueue, PausedQueueHandsOutNothingUntilResumed) {
    Journal journal;
    CMThreadedJobQ queue(0ms);
    queue.pause();
    queue.addJob(new NamedJob(journal, "j1", 5));
    queue.addJob(new NamedJob(journal, "j2", 5));
    queue.setMaxNoOfExecuter(4); // wakes the observer: still nothing may start
    std::this_thread::sleep_for(200ms);
    EXPECT_EQ(journal.StartedCount(), 0u);
    EXPECT_EQ(queue.getNoOfWaitingJobs(), 2);
    queue.resume();
    ASSERT_TRUE(Eventually([&] { return journal.Ended().size() == 2; }));
    EXPECT_TRUE(Eventually([&] { return journal.deleted == 2; }));
}

TEST(JobQueue, LoweredMaximumRetiresPoolThreadsAfterTheirJobs) {
    Journal journal;
    Gate gate;
    CMThreadedJobQ queue(0ms);
    queue.setMaxNoOfExecuter(4);
    for (int i = 0; i < 4; ++i)
        queue.addJob(new NamedJob(journal, "j" + std::to_string(i), 5, &gate));
    ASSERT_TRUE(Eventually([&] { return journal.StartedCount() == 4; }));
    EXPECT_EQ(queue.getNoOfExecuter(), 4);
    queue.setMaxNoOfExecuter(2);
    gate.Open();
    ASSERT_TRUE(Eventually([&] { return queue.getNoOfExecuter() == 2; }));
    // The two that stay still serve.
    queue.addJob(new NamedJob(journal, "after", 5));
    ASSERT_TRUE(Eventually([&] { return journal.StartedCount() == 5; }));
    EXPECT_EQ(queue.getNoOfExecuter(), 2);
}

TEST(JobQueue, DestructionCancelsRunningJobsAndDiscardsWaitingOnes) {
    Journal journal;
    {
        CMThreadedJobQ queue(0ms);
        queue.addJob(new NamedJob(journal, "run1", 5, nullptr, true));
        queue.addJob(new NamedJob(journal, "run2", 5, nullptr, true));
        ASSERT_TRUE(Eventually([&] { return journal.StartedCount() == 2; }));
        queue.addJob(new NamedJob(journal, "wait1", 5));
        queue.addJob(new NamedJob(journal, "wait2", 5));
    }
    auto ended = journal.Ended();
    std::multiset<std::string> results(ended.begin(), ended.end());
    EXPECT_EQ(results, (std::multiset<std::string>{"run1:cancelled", "run2:cancelled",
                                                   "wait1:discarded", "wait2:discarded"}));
    EXPECT_EQ(journal.deleted, 4);
}

TEST(JobQueue, JobWithoutAutoDeleteIsMarkedFinishedAndLeftToItsOwner) {
    Journal journal;
    NamedJob job(journal, "kept", 5);
    job.setAutoDelete(0);
    {
        CMThreadedJobQ queue(0ms);
        queue.addJob(&job);
        ASSERT_TRUE(Eventually([&] { return job.isFinished() == 1; }));
    }
    EXPECT_EQ(journal.deleted, 0);
    EXPECT_EQ(journal.Ended(), std::vector<std::string>{"kept:done"});
}

TEST(JobQueue, EachHandedOutJobPostsRefreshListToTheMainWindow) {
    EXPECT_EQ(RegisterWindowMessage("REFRESH LIST"), RefreshListMessage());
    EXPECT_GE(RefreshListMessage(), 0xC000u);
    EXPECT_NE(RegisterWindowMessage("ANOTHER MESSAGE"), RefreshListMessage());

    CUiThreadLoop loop;
    auto mainWindow = CRecordingMessageTarget::Create(loop);
    SetApplicationMainWindow(mainWindow);
    Journal journal;
    {
        CMThreadedJobQ queue(0ms);
        for (int i = 0; i < 3; ++i) queue.addJob(new NamedJob(journal, "j", 5));
        ASSERT_TRUE(loop.RunUntil([&] { return mainWindow->Count() == 3; }, 10s));
        ASSERT_TRUE(Eventually([&] { return journal.Ended().size() == 3; }));
    }
    loop.RunPending();
    SetApplicationMainWindow(nullptr);
    auto records = mainWindow->Records();
    ASSERT_EQ(records.size(), 3u);
    for (auto& record : records) {
        EXPECT_EQ(record.message.message, RefreshListMessage());
        EXPECT_EQ(record.message.wParam, 0u);
        EXPECT_EQ(record.message.lParam, 0);
        EXPECT_EQ(record.thread, std::this_thread::get_id());
    }
}

namespace {
class CountingJob : public CJob {
public:
    CountingJob(std::atomic<int>& runs, std::vector<std::atomic<int>>& perId, long firstId)
        : m_runs(runs), m_perId(perId), m_firstId(firstId) {}
    void execute() override {
        ++m_perId[getID() - m_firstId];
        ++m_runs;
    }

private:
    std::atomic<int>& m_runs;
    std::vector<std::atomic<int>>& m_perId;
    long m_firstId;
};
} // namespace

TEST(JobQueueStress, TenThousandJobsRunOnceEachWhileTheMaximumChanges) {
    constexpr int kJobs = 10000;
    std::atomic<int> runs{0};
    std::vector<std::atomic<int>> perId(kJobs);
    std::atomic<bool> done{false};
    {
        CMThreadedJobQ queue(0ms);
        long firstId = CJob::lastUsedID() + 1;
        std::thread changer([&] {
            std::mt19937 random(7);
            while (!done) {
                queue.setMaxNoOfExecuter(static_cast<int>(random() % 12)); // 0..11
                std::this_thread::sleep_for(200us);
            }
        });
        std::thread producer([&] {
            for (int i = 0; i < kJobs / 2; ++i) queue.addJob(new CountingJob(runs, perId, firstId));
        });
        producer.join();
        for (int i = kJobs / 2; i < kJobs; ++i) {
            queue.addJob(new CountingJob(runs, perId, firstId));
            if (i % 1000 == 0) {
                queue.pause();
                queue.resume();
            }
        }
        EXPECT_TRUE(Eventually([&] { return runs == kJobs; }));
        done = true;
        changer.join();
        EXPECT_LE(queue.getNoOfExecuter(), CMThreadedJobQ::kHighestMaximum);
        EXPECT_EQ(queue.getNoOfWaitingJobs(), 0);
    }
    EXPECT_EQ(runs, kJobs);
    int twice = 0, never = 0;
    for (auto& count : perId) {
        twice += count > 1;
        never += count == 0;
    }
    EXPECT_EQ(twice, 0);
    EXPECT_EQ(never, 0);
}

TEST(JobQueueStress, DestroyingQueuesWithWorkInFlightLeavesNothingBehind) {
    for (int round = 0; round < 50; ++round) {
        Journal journal;
        {
            CMThreadedJobQ queue(0ms);
            queue.setMaxNoOfExecuter(2 + round % 9);
            for (int i = 0; i < 20; ++i)
                queue.addJob(new NamedJob(journal, "j", 5 + i % 3, nullptr, i % 4 == 0));
        }
        EXPECT_EQ(journal.deleted, 20);
        EXPECT_EQ(journal.Ended().size(), 20u);
    }
}
