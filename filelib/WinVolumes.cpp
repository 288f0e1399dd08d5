#include "filelib/WinVolumes.h"

#include "base/Win32Calls.h"
#include "filelib/WinErrorMode.h"
#include "filelib/WinErrors.h"
#include "filelib/WinFiles.h"
#include "filelib/WinPaths.h"
#include "filelib/WinSpecialFolders.h"

#include <algorithm>
#include <cwctype>
#include <iterator>

using NSTextPackage::AsWide;
using NSTextPackage::TUTF16String;

namespace
{
// The system volume is found from a Windows folder read into this many units.
constexpr u32 kSystemVolumeBufferUnits = 256;

// Bytes in units of 64 KiB; a volume of 256 TiB or more reports the largest count rather than
// a wrapped one.
u32 In64KiBUnits(const ULARGE_INTEGER& bytes)
{
    return u32(std::min<u64>(bytes.QuadPart >> 16, 0xFFFFFFFF));
}
} // namespace

bool WinIsFloppyDrive(const TUTF16String& volumePath)
{
    if (volumePath.size() != 3 || volumePath[1] != u':' || volumePath[2] != u'\\')
        return false;
    wchar_t device[261] = {};
    if (!Win32Calls().QueryDosDeviceW(AsWide(volumePath.substr(0, 2)), device, DWORD(std::size(device))))
        return false;
    device[std::size(device) - 1] = 0;
    std::wstring first(device);
    std::transform(first.begin(), first.end(), first.begin(),
                   [](wchar_t c) { return wchar_t(std::towlower(c)); });
    return first.rfind(L"\\device\\floppy", 0) == 0;
}

u32 WinGetVolumeKind(const TUTF16String& volumePath)
{
    if (WinIsFloppyDrive(volumePath))
        return NSFileLib::kVolumeKindFloppy;
    switch (Win32Calls().GetDriveTypeW(AsWide(volumePath)))
    {
    case DRIVE_REMOVABLE:
        return NSFileLib::kVolumeKindRemovable;
    case DRIVE_FIXED:
        return NSFileLib::kVolumeKindFixed;
    case DRIVE_REMOTE:
        return NSFileLib::kVolumeKindNetwork;
    case DRIVE_CDROM:
        return NSFileLib::kVolumeKindCDROM;
    case DRIVE_NO_ROOT_DIR:
        WinThrow<NSQuorral::XNotFound>("GetDriveType returned DRIVE_NO_ROOT_DIR");
    default:
        return NSFileLib::kVolumeKindOther;
    }
}

NSFileLib::SVolumeInfo WinGetVolumeInfo(const TUTF16String& volumePath)
{
    NSFileLib::SVolumeInfo info = {};
    info.kind = WinGetVolumeKind(volumePath);
    info.isCDROM = info.kind == NSFileLib::kVolumeKindCDROM ? 1 : 0;
    if (info.kind == NSFileLib::kVolumeKindFloppy)
        info.isAvailable = 1;
    else
    {
        CFailCriticalErrorsScope errorMode;
        DWORD maxComponentLength = 0;
        DWORD fileSystemFlags = 0;
        info.isAvailable =
            Win32Calls().GetVolumeInformationW(AsWide(volumePath), nullptr, 0, nullptr, &maxComponentLength,
                                               &fileSystemFlags, nullptr, 0)
                ? 1
                : 0;
    }
    info.driveLetter = volumePath.size() >= 2 && volumePath[1] == u':' ? volumePath[0] : 0;
    return info;
}

void WinGetDiskSpace(const TUTF16String& volumePath, u32& total, u32& free)
{
    ULARGE_INTEGER available;
    ULARGE_INTEGER totalBytes;
    ULARGE_INTEGER freeBytes;
    if (!Win32Calls().GetDiskFreeSpaceExW(AsWide(volumePath), &available, &totalBytes, &freeBytes))
        WinThrowForLastError<NSQuorral::XNotFound>("GetDiskFreeSpaceEx failed with unrecognized error type");
    total = In64KiBUnits(totalBytes);
    free = In64KiBUnits(freeBytes);
}

NSFileLib::SVolumeDetails WinGetVolumeDetails(const TUTF16String& volumePath)
{
    NSFileLib::SVolumeDetails details = {};
    wchar_t label[257] = {};
    wchar_t fileSystemName[100] = {};
    DWORD serialNumber = 0;
    DWORD maxComponentLength = 0;
    DWORD fileSystemFlags = 0;
    BOOL answered;
    DWORD error;
    {
        CFailCriticalErrorsScope errorMode;
        answered = Win32Calls().GetVolumeInformationW(AsWide(volumePath), label, 256, &serialNumber,
                                                      &maxComponentLength, &fileSystemFlags, fileSystemName,
                                                      DWORD(std::size(fileSystemName)));
        error = ::GetLastError();
    }
    if (!answered)
    {
        if (error == ERROR_INVALID_PARAMETER && WinIsFloppyDrive(volumePath))
            WinThrow<NSQuorral::XNotFound>(
                "GetVolumeInformation failed to get info for floppy drive - no disk in drive");
        WinThrowForError<NSQuorral::XNotFound>(error,
                                               "GetVolumeInformation failed with unrecognized error type");
    }
    for (size_t i = 0; i < 256 && label[i] != 0; ++i)
        details.label[i] = label[i];
    WinGetDiskSpace(volumePath, details.totalSpace, details.freeSpace);
    details.serialNumber = serialNumber;
    return details;
}

bool WinIsVolumeMounted(const TUTF16String& driveRoot)
{
    const UINT type = Win32Calls().GetDriveTypeW(AsWide(driveRoot));
    if (type == DRIVE_NO_ROOT_DIR)
        return false;
    if (type == DRIVE_REMOVABLE && WinIsFloppyDrive(driveRoot))
        return true;
    // An empty removable drive would otherwise ask the user to insert a disk.
    CFailCriticalErrorsScope errorMode;
    wchar_t longPath[kWinMaxPathUnits + 1];
    return Win32Calls().GetLongPathNameW(AsWide(driveRoot), longPath, DWORD(std::size(longPath))) != 0;
}

void WinGetVolumes(std::vector<TUTF16String>& volumePaths)
{
    volumePaths.clear();
    const DWORD needed = Win32Calls().GetLogicalDriveStringsW(0, nullptr);
    if (needed == 0)
        WinThrowForLastError<NSQuorral::XNotFound>(
            "GetLogicalDriveStrings failed with unrecognized error type");
    std::vector<wchar_t> drives(needed + 1);
    const DWORD written = Win32Calls().GetLogicalDriveStringsW(needed, drives.data());
    if (written == 0 || written > needed)
        WinThrowForLastError<NSQuorral::XNotFound>(
            "GetLogicalDriveStrings failed with unrecognized error type");
    for (const wchar_t* root = drives.data(); *root != 0; root += wcslen(root) + 1)
    {
        const TUTF16String path = NSTextPackage::FromWide(root);
        if (WinIsVolumeMounted(path))
            volumePaths.push_back(path);
    }
}

TUTF16String WinGetSystemVolume()
{
    const TUTF16String windowsFolder = WinGetWindowsDirectory(kSystemVolumeBufferUnits);
    TUTF16String drive;
    if (windowsFolder.size() >= 2 && windowsFolder[1] == u':')
        drive = windowsFolder.substr(0, 2);
    return drive + u16(u'\\');
}

bool WinDoesVolumeExist(const TUTF16String& volumePath)
{
    if (volumePath.size() < 2 || volumePath[0] != u'\\' || volumePath[1] != u'\\')
        return WinIsVolumeMounted(volumePath);
    BOOL answered;
    DWORD error;
    {
        CFailCriticalErrorsScope errorMode;
        answered = Win32Calls().GetVolumeInformationW(AsWide(volumePath), nullptr, 0, nullptr, nullptr,
                                                      nullptr, nullptr, 0);
        error = ::GetLastError();
    }
    if (answered)
        return WinDoesDirectoryExist(volumePath);
    return error == ERROR_NOT_READY;
}
