#include "ctlkit/jobs/CJob.h"
#include <gtest/gtest.h>
#include <set>
#include <thread>
#include <vector>

namespace {
class NoWork : public CJob {
public:
    void execute() override {}
};
} // namespace

// Its own program, so that no other test has created a job before.
TEST(JobId, FirstJobOfTheProcessHasIdOneAndIdsNeverRepeat) {
    ASSERT_EQ(CJob::lastUsedID(), 0);
    NoWork first;
    EXPECT_EQ(first.getID(), 1);

    std::vector<long> ids(8 * 1000);
    std::vector<std::thread> threads;
    for (int t = 0; t < 8; ++t)
        threads.emplace_back([&ids, t] {
            for (int i = 0; i < 1000; ++i) ids[t * 1000 + i] = NoWork().getID();
        });
    for (auto& thread : threads) thread.join();
    std::set<long> unique(ids.begin(), ids.end());
    EXPECT_EQ(unique.size(), ids.size());
    EXPECT_EQ(*unique.begin(), 2);
    EXPECT_EQ(*unique.rbegin(), 8001);
}

TEST(JobId, CopyKeepsIdPriorityAndAutoDelete) {
    NoWork job;
    job.setPriority(9);
    job.setAutoDelete(0);
    NoWork copy(job);
    EXPECT_EQ(copy.getID(), job.getID());
    EXPECT_EQ(copy.getPriority(), 9);
    EXPECT_EQ(copy.AutoDelete(), 0);
    NoWork other;
    other = job;
    EXPECT_EQ(other.getID(), job.getID());
    EXPECT_EQ(NoWork().getPriority(), 5);
    EXPECT_EQ(NoWork().AutoDelete(), 1);
    EXPECT_EQ(NoWork().isFinished(), 0);
}
