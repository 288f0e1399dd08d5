#include "base/Win32Calls.h"

namespace
{
const TWin32Calls kRealCalls = {
    &::SetErrorMode,
    &::GetFileAttributesW,
    &::SetFileAttributesW,
    &::FindFirstFileW,
    &::FindNextFileW,
    &::FindClose,
    &::CreateFileW,
    &::CloseHandle,
    &::GetFileTime,
    &::SetFileTime,
    &::GetFileSize,
    &::DeleteFileW,
    &::MoveFileExW,
    &::CreateDirectoryW,
    &::GetLongPathNameW,
    &::QueryDosDeviceW,
    &::GetDriveTypeW,
    &::GetVolumeInformationW,
    &::GetDiskFreeSpaceExW,
    &::GetLogicalDriveStringsW,
    &::GetWindowsDirectoryW,
    &::GetTempPathW,
    &::GetTempFileNameW,
    &::GetTickCount,
    &::SHGetMalloc,
    &::SHGetSpecialFolderLocation,
    &::SHGetPathFromIDListW,
    &::CoCreateInstance,
    &::GetFileSizeEx,
    &::SetFilePointerEx,
    &::ReadFile,
    &::WriteFile,
    &::SetEndOfFile,
    &::FlushFileBuffers,
    &::LockFile,
    &::UnlockFile,
    &::SHGetFileInfoW,
    &::DestroyIcon,
    &::WaitForSingleObject,
    &::Sleep,
};

const TWin32Calls* gCurrentCalls = &kRealCalls;
} // namespace

const TWin32Calls& Win32Calls()
{
    return *gCurrentCalls;
}

const TWin32Calls& RealWin32Calls()
{
    return kRealCalls;
}

CWin32CallsOverride::CWin32CallsOverride(const TWin32Calls& calls) : fCalls(calls), fReplaced(gCurrentCalls)
{
    gCurrentCalls = &fCalls;
}

CWin32CallsOverride::~CWin32CallsOverride()
{
    gCurrentCalls = fReplaced;
}
