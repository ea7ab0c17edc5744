#include "ctlkit/base/Mutex.h"
#include <condition_variable>
#include <future>
#include <gtest/gtest.h>
#include <thread>
#include <type_traits>

namespace {
// Whether another thread can take `mutex` right now (it gives it back at once).
template <class M> bool FreeForOthers(M& mutex) {
    return std::async(std::launch::async,
                      [&mutex] {
                          if (!mutex.TryLock()) return false;
                          mutex.Unlock();
                          return true;
                      })
        .get();
}

template <class M> class MutexLockTest : public testing::Test {
protected:
    M mutex;
};
using MutexTypes = testing::Types<Mutex, RecursiveMutex>;
TYPED_TEST_SUITE(MutexLockTest, MutexTypes);

TYPED_TEST(MutexLockTest, HeldForItsScopeOnly) {
    {
        BasicMutexLock<TypeParam> lock(this->mutex);
        EXPECT_FALSE(FreeForOthers(this->mutex));
    }
    EXPECT_TRUE(FreeForOthers(this->mutex));
}

TYPED_TEST(MutexLockTest, UnlockGivesTheMutexUpUntilLock) {
    BasicMutexLock<TypeParam> lock(this->mutex);
    lock.Unlock();
    EXPECT_TRUE(FreeForOthers(this->mutex));
    lock.Lock();
    EXPECT_FALSE(FreeForOthers(this->mutex));
}

// A scope left while unlocked must not unlock a second time.
TYPED_TEST(MutexLockTest, ScopeLeftUnlockedReleasesNothingMore) {
    {
        BasicMutexLock<TypeParam> lock(this->mutex);
        lock.Unlock();
    }
    BasicMutexLock<TypeParam> again(this->mutex);
    EXPECT_FALSE(FreeForOthers(this->mutex));
}

// The queue's own calls take its mutex again from a locked scope; it is free only once the
// outermost scope ends.
TEST(RecursiveMutexLock, TakenAgainByTheHolder) {
    RecursiveMutex mutex;
    {
        RecursiveMutexLock outer(mutex);
        {
            RecursiveMutexLock inner(mutex);
            EXPECT_FALSE(FreeForOthers(mutex));
        }
        EXPECT_FALSE(FreeForOthers(mutex));
    }
    EXPECT_TRUE(FreeForOthers(mutex));
}

// A wait through Native releases the mutex while it sleeps and holds it again on return.
TYPED_TEST(MutexLockTest, ConditionVariableWaitsThroughNative) {
    // What each mutex is waited with in the job classes.
    using CondVar = std::conditional_t<std::is_same_v<TypeParam, Mutex>, std::condition_variable,
                                       std::condition_variable_any>;
    CondVar changed;
    bool ready = false;
    std::thread setter([&] {
        BasicMutexLock<TypeParam> lock(this->mutex);
        ready = true;
        changed.notify_all();
    });
    {
        BasicMutexLock<TypeParam> lock(this->mutex);
        changed.wait(lock.Native(), [&] { return ready; });
        EXPECT_TRUE(ready);
        EXPECT_FALSE(FreeForOthers(this->mutex));
    }
    setter.join();
}
} // namespace
