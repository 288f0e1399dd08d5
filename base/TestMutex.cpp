#include "base/TestMutex.h"

#include "base/Quorral.h"

#include <windows.h>

namespace NSTestPackage
{
namespace
{
constexpr DWORD kLockTimeoutMilliseconds = 10000;

[[noreturn]] void ThrowMutexFailure()
{
    NSQuorral::ThrowException(NSQuorral::CThrowContext(NSQuorral::TThrowSite{}) << std::exception());
}
} // namespace

struct CTestMutex::TCell
{
    HANDLE fHandle;
};

CTestMutex::CTestMutex() : fCell(std::make_unique<TCell>())
{
    fCell->fHandle = CreateMutexW(nullptr, FALSE, nullptr);
    if (fCell->fHandle == nullptr)
        ThrowMutexFailure();
}

CTestMutex::~CTestMutex()
{
    CloseHandle(fCell->fHandle);
}

void CTestMutex::Lock()
{
    if (WaitForSingleObject(fCell->fHandle, kLockTimeoutMilliseconds) != WAIT_OBJECT_0)
        ThrowMutexFailure();
}

void CTestMutex::Unlock()
{
    if (!ReleaseMutex(fCell->fHandle) && GetLastError() != 0)
        ThrowMutexFailure();
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
