#include <gtest/gtest.h>

#include "table/OxLock.h"

#include <atomic>
#include <thread>

TEST(OxLock, ExcludesAnotherThreadUntilTheHolderEnds)
{
    OxLockable lockable;
    std::atomic<int> phase{0};
    bool otherGotItWhileHeld = true;
    bool otherGotItAfter = false;
    {
        OxLock hold(&lockable);
        ASSERT_TRUE(hold.IsLocked());
        std::thread other([&] {
            otherGotItWhileHeld = lockable.Lock(50);
            if (otherGotItWhileHeld)
                lockable.Unlock();
            phase = 1;
        });
        other.join();
        EXPECT_EQ(phase.load(), 1);
    }
    std::thread after([&] {
        otherGotItAfter = lockable.Lock(1000);
        if (otherGotItAfter)
            lockable.Unlock();
    });
    after.join();
    EXPECT_FALSE(otherGotItWhileHeld);
    EXPECT_TRUE(otherGotItAfter);
}

TEST(OxLock, AbandonedMutexCountsAsAcquired)
{
    OxLockable lockable;
    std::thread quitter([&] { ASSERT_TRUE(lockable.Lock(1000)); });  // ends holding it
    quitter.join();
    EXPECT_TRUE(lockable.Lock(1000));
    lockable.Unlock();
}

TEST(OxLock, HolderOfNoLockableHoldsNothing)
{
    OxLock nothing(nullptr);
    EXPECT_FALSE(nothing.IsLocked());
}
