#include "base/Mutex.h"

#include <windows.h>

#include "base/Quorral.h"
#include "base/Win32Calls.h"

namespace
{
// Long enough for any real holder to finish; then the wait goes on without a limit, so a held
// mutex is never given up on.
constexpr DWORD kFirstWaitMilliseconds = 5000;

bool IsHeld(DWORD waitResult)
{
    return waitResult == WAIT_OBJECT_0 || waitResult == WAIT_ABANDONED;
}
} // namespace

struct CMutex::TCell
{
    HANDLE fHandle;
};

CMutex::CMutex() : fCell(std::make_unique<TCell>())
{
    fCell->fHandle = CreateMutexW(nullptr, FALSE, nullptr);
    if (fCell->fHandle == nullptr)
        NSQuorral::Throw(std::exception());
}

CMutex::~CMutex()
{
    CloseHandle(fCell->fHandle);
}

void CMutex::Lock()
{
    DWORD result = Win32Calls().WaitForSingleObject(fCell->fHandle, kFirstWaitMilliseconds);
    if (result == WAIT_TIMEOUT)
        result = Win32Calls().WaitForSingleObject(fCell->fHandle, INFINITE);
    if (!IsHeld(result))
        NSQuorral::Throw(std::exception());
}

void CMutex::Unlock()
{
    if (!ReleaseMutex(fCell->fHandle) && GetLastError() != 0)
        NSQuorral::Throw(std::exception());
}

CMutexLocker::CMutexLocker(CMutex& mutex) : fMutex(nullptr)
{
    mutex.Lock();
    fMutex = &mutex;
}

CMutexLocker::~CMutexLocker()
{
    if (fMutex == nullptr)
        return;
    try
    {
        fMutex->Unlock();
        fMutex = nullptr;
    }
    catch (...)
    {
        // The lock's holder ends anyway; there is nobody to report to.
    }
}
