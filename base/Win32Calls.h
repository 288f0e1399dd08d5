#pragma once
// The Win32 calls of the file library (its Windows layer, open files and folder scanner), of
// the block container's file medium and of the framework's mutex go through one replaceable
// table, so that tests can make a call fail the way a device would (an empty floppy, a drive
// that is not ready, a full disk, a move that fails halfway through an exchange) without the
// device, and can see a wait or a pause through without spending its time.
// The members carry the platform names and exact signatures of the calls they stand for.
#include "base/CallTable.h"

#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

struct TWin32Calls
{
    decltype(&::SetErrorMode) SetErrorMode;
    decltype(&::GetFileAttributesW) GetFileAttributesW;
    decltype(&::SetFileAttributesW) SetFileAttributesW;
    decltype(&::FindFirstFileW) FindFirstFileW;
    decltype(&::FindFirstFileExW) FindFirstFileExW;
    decltype(&::FindNextFileW) FindNextFileW;
    decltype(&::FindClose) FindClose;
    decltype(&::CreateFileW) CreateFileW;
    decltype(&::CloseHandle) CloseHandle;
    decltype(&::GetFileTime) GetFileTime;
    decltype(&::SetFileTime) SetFileTime;
    decltype(&::GetFileSize) GetFileSize;
    decltype(&::DeleteFileW) DeleteFileW;
    decltype(&::MoveFileExW) MoveFileExW;
    decltype(&::CreateDirectoryW) CreateDirectoryW;
    decltype(&::GetLongPathNameW) GetLongPathNameW;
    decltype(&::QueryDosDeviceW) QueryDosDeviceW;
    decltype(&::GetDriveTypeW) GetDriveTypeW;
    decltype(&::GetVolumeInformationW) GetVolumeInformationW;
    decltype(&::GetDiskFreeSpaceExW) GetDiskFreeSpaceExW;
    decltype(&::GetLogicalDriveStringsW) GetLogicalDriveStringsW;
    decltype(&::GetWindowsDirectoryW) GetWindowsDirectoryW;
    decltype(&::GetTempPathW) GetTempPathW;
    decltype(&::GetTempFileNameW) GetTempFileNameW;
    decltype(&::GetTickCount) GetTickCount;
    decltype(&::SHGetMalloc) SHGetMalloc;
    decltype(&::SHGetSpecialFolderLocation) SHGetSpecialFolderLocation;
    decltype(&::SHGetPathFromIDListW) SHGetPathFromIDListW;
    decltype(&::CoCreateInstance) CoCreateInstance;
    decltype(&::GetFileSizeEx) GetFileSizeEx;
    decltype(&::GetFileInformationByHandle) GetFileInformationByHandle;
    decltype(&::SetFilePointerEx) SetFilePointerEx;
    decltype(&::ReadFile) ReadFile;
    decltype(&::WriteFile) WriteFile;
    decltype(&::SetEndOfFile) SetEndOfFile;
    decltype(&::FlushFileBuffers) FlushFileBuffers;
    decltype(&::LockFile) LockFile;
    decltype(&::UnlockFile) UnlockFile;
    decltype(&::SHGetFileInfoW) SHGetFileInfoW;
    decltype(&::DestroyIcon) DestroyIcon;
    decltype(&::WaitForSingleObject) WaitForSingleObject;
    decltype(&::Sleep) Sleep;
};

template <> const TWin32Calls TCallTable<TWin32Calls>::kReal;

// The table in use: the platform's own calls unless a test has installed others.
inline const TWin32Calls& Win32Calls()
{
    return *TCallTable<TWin32Calls>::sCurrent;
}

// The platform's own calls, for a test table that changes only some of them.
inline const TWin32Calls& RealWin32Calls()
{
    return TCallTable<TWin32Calls>::kReal;
}

using CWin32CallsOverride = CCallTableOverride<TWin32Calls>;
