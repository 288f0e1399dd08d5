#pragma once
// A process-private mutual-exclusion object and the scoped lock that releases it.
// Ownership is per thread, as for every Windows mutex: the locking thread unlocks, and a thread
// may lock again what it holds, unlocking as often.
#include <memory>

class CMutex
{
public:
    // Throws a plain std::exception when Windows cannot make the mutex.
    CMutex();
    ~CMutex();
    CMutex(const CMutex&) = delete;
    CMutex& operator=(const CMutex&) = delete;

    // Waits until the mutex is held; a mutex abandoned by a thread that ended is taken over.
    void Lock();
    // Throws a plain std::exception when the calling thread does not hold the mutex.
    void Unlock();

private:
    struct TCell; // the Windows handle, kept out of this header
    std::unique_ptr<TCell> fCell;
};

class CMutexLocker
{
public:
    explicit CMutexLocker(CMutex& mutex);
    // Unlocks; a failing unlock is swallowed, a destructor must not throw.
    ~CMutexLocker();
    CMutexLocker(const CMutexLocker&) = delete;
    CMutexLocker& operator=(const CMutexLocker&) = delete;

private:
    CMutex* fMutex;
};
