#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <functional>
#include <thread>
#include <utility>
#include <vector>

#include "base/Mutex.h"
#include "base/Quorral.h"
#include "base/Win32Calls.h"

namespace
{
// A manual-reset event: one thread says that something happened, another waits for it.
class CSignal
{
public:
    CSignal() : fHandle(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}
    ~CSignal() { CloseHandle(fHandle); }
    CSignal(const CSignal&) = delete;
    CSignal& operator=(const CSignal&) = delete;

    void Raise() { SetEvent(fHandle); }
    void Await() { WaitForSingleObject(fHandle, INFINITE); }

private:
    HANDLE fHandle;
};

// The mutex's waits on the test's own thread, seen through the call table: the time-out asked
// for and the answer of each. A limited wait answers at once, as it would once its time had
// passed: the real wait without a time-out, so a mutex still held answers WAIT_TIMEOUT. Before
// an unlimited wait the test's release step runs, so that a holder the test keeps waiting lets
// go and even a wrong wait ends. Other threads wait as usual.
class CWaitWatch
{
public:
    explicit CWaitWatch(std::function<void()> beforeUnlimitedWait = [] {})
        : fBeforeUnlimitedWait(std::move(beforeUnlimitedWait)), fThread(GetCurrentThreadId()),
          fOverride(WatchedCalls())
    {
        gWatch = this;
    }
    ~CWaitWatch() { gWatch = nullptr; }
    CWaitWatch(const CWaitWatch&) = delete;
    CWaitWatch& operator=(const CWaitWatch&) = delete;

    std::vector<DWORD> fTimeouts;
    std::vector<DWORD> fAnswers;

private:
    static TWin32Calls WatchedCalls()
    {
        TWin32Calls calls = RealWin32Calls();
        calls.WaitForSingleObject = &Wait;
        return calls;
    }

    static DWORD WINAPI Wait(HANDLE handle, DWORD milliseconds)
    {
        const auto realWait = RealWin32Calls().WaitForSingleObject;
        CWaitWatch* watch = gWatch;
        if (watch == nullptr || GetCurrentThreadId() != watch->fThread)
            return realWait(handle, milliseconds);
        watch->fTimeouts.push_back(milliseconds);
        if (milliseconds == INFINITE)
            watch->fBeforeUnlimitedWait();
        const DWORD answer = realWait(handle, milliseconds == INFINITE ? INFINITE : 0);
        watch->fAnswers.push_back(answer);
        return answer;
    }

    static inline CWaitWatch* gWatch = nullptr;

    std::function<void()> fBeforeUnlimitedWait;
    DWORD fThread;
    CWin32CallsOverride fOverride;
};

// Lock, a failure reported rather than thrown: the test goes on to let its other thread end.
bool LockOrFail(CMutex& mutex)
{
    try
    {
        mutex.Lock();
        return true;
    }
    catch (const std::exception&)
    {
        ADD_FAILURE() << "Lock threw";
        return false;
    }
}

TEST(Mutex, FreeMutexLocksAndUnlocks)
{
    CMutex mutex;
    CWaitWatch watch;
    ASSERT_TRUE(LockOrFail(mutex));
    ASSERT_TRUE(LockOrFail(mutex)); // the owner may lock again
    EXPECT_EQ(watch.fTimeouts, (std::vector<DWORD>{5000, 5000}));
    EXPECT_EQ(watch.fAnswers, (std::vector<DWORD>{WAIT_OBJECT_0, WAIT_OBJECT_0})) << "held at once, both times";
    EXPECT_NO_THROW(mutex.Unlock());
    EXPECT_NO_THROW(mutex.Unlock()) << "still held after one unlock of two locks";
    EXPECT_THROW(mutex.Unlock(), std::exception) << "free after as many unlocks as locks";
}

TEST(Mutex, AbandonedMutexIsTakenOver)
{
    CMutex mutex;
    std::thread owner([&] { mutex.Lock(); }); // ends without unlocking
    owner.join();
    CWaitWatch watch;
    EXPECT_NO_THROW(mutex.Lock());
    EXPECT_EQ(watch.fAnswers, std::vector<DWORD>{WAIT_ABANDONED});
    mutex.Unlock();
}

// The first wait gives up after five seconds; the lock must then wait on, not fail. The holder
// keeps the mutex until the lock has started its unlimited wait.
TEST(Mutex, WaitsPastFiveSecondsForAHeldMutex)
{
    CMutex mutex;
    CSignal held;
    CSignal release;
    std::atomic<bool> released = false;
    CWaitWatch watch([&] { release.Raise(); });
    std::thread owner(
        [&]
        {
            mutex.Lock();
            held.Raise();
            release.Await();
            released = true;
            mutex.Unlock();
        });
    held.Await();
    const bool locked = LockOrFail(mutex);
    EXPECT_TRUE(released);
    EXPECT_EQ(watch.fTimeouts, (std::vector<DWORD>{5000, INFINITE}));
    EXPECT_EQ(watch.fAnswers, (std::vector<DWORD>{WAIT_TIMEOUT, WAIT_OBJECT_0}));
    release.Raise(); // a lock that gave up has left the holder waiting
    owner.join();
    if (locked)
        mutex.Unlock();
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

    CSignal held;
    CSignal checked;
    std::thread owner(
        [&]
        {
            mutex.Lock();
            held.Raise();
            checked.Await();
            mutex.Unlock();
        });
    held.Await();
    EXPECT_THROW(mutex.Unlock(), std::exception) << "held by another thread";
    checked.Raise();
    owner.join();
}

TEST(Mutex, ScopedLockReleasesAtTheEndOfItsBlock)
{
    CMutex mutex;
    CSignal blockEnded;
    CSignal checked;
    // Still held, the mutex would only come free when the thread ends and abandons it: the
    // thread ends only once the lock has been tried.
    CWaitWatch watch([&] { checked.Raise(); });
    std::thread owner(
        [&]
        {
            {
                CMutexLocker lock(mutex);
            }
            blockEnded.Raise();
            checked.Await();
        });
    blockEnded.Await();
    const bool locked = LockOrFail(mutex);
    EXPECT_EQ(watch.fAnswers, std::vector<DWORD>{WAIT_OBJECT_0}) << "free as soon as the block ended";
    checked.Raise();
    owner.join();
    if (locked)
        mutex.Unlock();
}

TEST(Mutex, ScopedLockSwallowsAFailedUnlock)
{
    CMutex mutex;
    const auto unlockTwice = [&]
    {
        CMutexLocker lock(mutex);
        mutex.Unlock(); // the locker's own unlock will now fail
    };
    EXPECT_NO_THROW(unlockTwice());
    EXPECT_THROW(mutex.Unlock(), std::exception) << "the locker's unlock had nothing left to release";
    CWaitWatch watch;
    EXPECT_TRUE(LockOrFail(mutex));
    EXPECT_EQ(watch.fAnswers, std::vector<DWORD>{WAIT_OBJECT_0}) << "free after the block";
    mutex.Unlock();
}
} // namespace
