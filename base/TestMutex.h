#pragma once
// The self-test package's lock: an unnamed Windows mutex that gives up after ten seconds instead
// of waiting for ever, so a stuck test shows as a failure.
#include <memory>

namespace NSTestPackage
{
class CTestMutex
{
public:
    // Throws a plain std::exception when Windows cannot make the mutex.
    CTestMutex();
    ~CTestMutex();
    CTestMutex(const CTestMutex&) = delete;
    CTestMutex& operator=(const CTestMutex&) = delete;

    // Waits at most 10 000 ms; not holding the mutex then (a timeout, an abandoned mutex or a
    // failed wait) is a plain std::exception.
    void Lock();
    // A failed release is a plain std::exception.
    void Unlock();

private:
    struct TCell; // the Windows handle, kept out of this header
    std::unique_ptr<TCell> fCell;
};

class CTestMutexLocker
{
public:
    explicit CTestMutexLocker(CTestMutex& mutex) : fMutex(mutex) { fMutex.Lock(); }
    // A failing unlock is swallowed: a destructor must not throw.
    ~CTestMutexLocker();
    CTestMutexLocker(const CTestMutexLocker&) = delete;
    CTestMutexLocker& operator=(const CTestMutexLocker&) = delete;

private:
    CTestMutex& fMutex;
};
} // namespace NSTestPackage
