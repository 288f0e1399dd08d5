#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "base/Mutex.h"
#include "base/Quorral.h"

namespace
{
TEST(Mutex, FreeMutexLocksAndUnlocks)
{
    CMutex mutex;
    mutex.Lock();
    mutex.Lock(); // the owner may lock again
    mutex.Unlock();
    mutex.Unlock();
}

TEST(Mutex, AbandonedMutexIsTakenOver)
{
    CMutex mutex;
    std::thread owner([&] { mutex.Lock(); }); // ends without unlocking
    owner.join();
    mutex.Lock();
    mutex.Unlock();
}

TEST(Mutex, WaitsPastFiveSecondsForAHeldMutex)
{
    CMutex mutex;
    std::atomic<bool> held = false;
    std::atomic<bool> released = false;
    std::thread owner(
        [&]
        {
            mutex.Lock();
            held = true;
            Sleep(6000);
            released = true;
            mutex.Unlock();
        });
    while (!held)
        Sleep(1);
    EXPECT_NO_THROW(mutex.Lock());
    EXPECT_TRUE(released);
    mutex.Unlock();
    owner.join();
}

TEST(Mutex, UnlockWithoutOwningFails)
{
    CMutex mutex;
    try
    {
        mutex.Unlock();
        FAIL() << "nothing thrown";
    }
    catch (const std::exception& e)
    {
        const auto body = NSQuorral::GetExceptionBody(e);
        EXPECT_EQ(NSQuorral::GetLastFrame(body).GetKind(), 7u) << "a plain std::exception";
    }

    std::atomic<bool> held = false;
    std::atomic<bool> checked = false;
    std::thread owner(
        [&]
        {
            mutex.Lock();
            held = true;
            while (!checked)
                Sleep(1);
            mutex.Unlock();
        });
    while (!held)
        Sleep(1);
    EXPECT_THROW(mutex.Unlock(), std::exception) << "held by another thread";
    checked = true;
    owner.join();
}

TEST(Mutex, ScopedLockReleasesAtTheEndOfItsBlock)
{
    CMutex mutex;
    std::atomic<bool> blockEnded = false;
    std::atomic<bool> threadEnded = false;
    std::thread owner(
        [&]
        {
            {
                CMutexLocker lock(mutex);
            }
            blockEnded = true;
            Sleep(500);
            threadEnded = true;
        });
    while (!blockEnded)
        Sleep(1);
    // Still held, the mutex would only come free when the thread ends and abandons it.
    mutex.Lock();
    EXPECT_FALSE(threadEnded);
    mutex.Unlock();
    owner.join();
}

TEST(Mutex, ScopedLockSwallowsAFailedUnlock)
{
    CMutex mutex;
    {
        CMutexLocker lock(mutex);
        mutex.Unlock(); // the locker's own unlock will now fail
    }
    mutex.Lock();
    mutex.Unlock();
}
} // namespace
