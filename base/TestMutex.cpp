#include "base/TestMutex.h"

#include "base/Quorral.h"

#include <windows.h>

namespace NSTestPackage
{
namespace
{
constexpr DWORD kLockTimeoutMilliseconds = 10000;
} // namespace

struct CTestMutex::TCell
{
    HANDLE fHandle;
};

CTestMutex::CTestMutex() : fCell(std::make_unique<TCell>())
{
    fCell->fHandle = CreateMutexW(nullptr, FALSE, nullptr);
    if (fCell->fHandle == nullptr)
        NSQuorral::Throw(std::exception());
}

CTestMutex::~CTestMutex()
{
    CloseHandle(fCell->fHandle);
}

void CTestMutex::Lock()
{
    if (WaitForSingleObject(fCell->fHandle, kLockTimeoutMilliseconds) != WAIT_OBJECT_0)
        NSQuorral::Throw(std::exception());
}

void CTestMutex::Unlock()
{
    if (!ReleaseMutex(fCell->fHandle) && GetLastError() != 0)
        NSQuorral::Throw(std::exception());
}

CTestMutexLocker::~CTestMutexLocker()
{
    try
    {
        fMutex.Unlock();
    }
    catch (const std::exception&)
    {
    }
}
} // namespace NSTestPackage
