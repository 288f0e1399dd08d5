// Volumes: the drive kinds the test prefix is given (tests/filelib/wine-drives), and through the
// call table what it cannot show: an empty floppy, a drive that is not ready, huge and full disks.
#include "filelib/WinVolumes.h"
#include "tests/filelib/WinLayerTestSupport.h"

#include <algorithm>

using namespace NSQuorral;
using NSTextPackage::TUTF16String;

namespace
{
TUTF16String UnusedDriveRoot()
{
    for (char16_t letter = u'Z'; letter >= u'B'; --letter)
    {
        const TUTF16String root = Text(std::u16string{letter, u':', u'\\'});
        if (::GetDriveTypeW(NSTextPackage::AsWide(root)) == DRIVE_NO_ROOT_DIR)
            return root;
    }
    return TUTF16String();
}

// A machine of replacement drives: A: an empty floppy, D: a CD-ROM that is not ready, M: a RAM
// disk, U: of a type the platform does not know, C: a fixed disk of 1 TiB.
UINT gErrorModeDuringProbe;

// The letter that picks a replacement drive's behaviour; a share root is picked by the first
// letter of its server's name.
wchar_t DriveKey(LPCWSTR root)
{
    return root[0] == L'\\' ? root[2] : root[0];
}

u32 gVolumeInformationCalls;

DWORD WINAPI FakeQueryDosDevice(LPCWSTR device, LPWSTR target, DWORD size)
{
    const wchar_t* answer = device[0] == L'A' ? L"\\Device\\Floppy0\0" : L"\\Device\\HarddiskVolume1\0";
    wcsncpy(target, answer, size);
    return DWORD(wcslen(answer) + 2);
}

UINT WINAPI FakeGetDriveType(LPCWSTR root)
{
    if (root[0] == L'\\')
        return DRIVE_REMOTE;
    switch (root[0])
    {
    case L'A':
        return DRIVE_REMOVABLE;
    case L'D':
        return DRIVE_CDROM;
    case L'M':
        return DRIVE_RAMDISK;
    case L'U':
        return DRIVE_UNKNOWN;
    case L'C':
        return DRIVE_FIXED;
    default:
        return DRIVE_NO_ROOT_DIR;
    }
}

BOOL WINAPI FakeGetVolumeInformation(LPCWSTR root, LPWSTR label, DWORD labelSize, LPDWORD serial, LPDWORD,
                                     LPDWORD, LPWSTR, DWORD)
{
    ++gVolumeInformationCalls;
    gErrorModeDuringProbe = ::GetErrorMode();
    switch (DriveKey(root))
    {
    case L'A':
        return FailWith(ERROR_INVALID_PARAMETER);
    case L'D':
        return FailWith(ERROR_NOT_READY);
    default:
        if (label)
            wcsncpy(label, L"SOUNDS", labelSize);
        if (serial)
            *serial = 0xCAFE;
        return TRUE;
    }
}

DWORD WINAPI FakeGetLongPathName(LPCWSTR path, LPWSTR buffer, DWORD size)
{
    if (path[0] == L'D')
    {
        ::SetLastError(ERROR_NOT_READY);
        return 0;
    }
    wcsncpy(buffer, path, size);
    return DWORD(wcslen(path));
}

DWORD WINAPI FakeGetLogicalDriveStrings(DWORD size, LPWSTR buffer)
{
    const wchar_t drives[] = L"A:\\\0C:\\\0D:\\\0M:\\\0";
    if (size < std::size(drives))
        return DWORD(std::size(drives));
    std::copy(std::begin(drives), std::end(drives), buffer);
    return DWORD(std::size(drives) - 1);
}

BOOL WINAPI FakeGetDiskFreeSpaceEx(LPCWSTR root, PULARGE_INTEGER available, PULARGE_INTEGER total,
                                   PULARGE_INTEGER free)
{
    if (root[0] == L'M')
        return FailWith(ERROR_HANDLE_DISK_FULL);
    available->QuadPart = 1;
    total->QuadPart = root[0] == L'U' ? (u64(300) << 40) : (u64(1) << 40);
    free->QuadPart = u64(3) << 30;
    return TRUE;
}

TWin32Calls FakeDrives()
{
    TWin32Calls calls = RealWin32Calls();
    calls.QueryDosDeviceW = FakeQueryDosDevice;
    calls.GetDriveTypeW = FakeGetDriveType;
    calls.GetVolumeInformationW = FakeGetVolumeInformation;
    calls.GetLongPathNameW = FakeGetLongPathName;
    calls.GetLogicalDriveStringsW = FakeGetLogicalDriveStrings;
    calls.GetDiskFreeSpaceExW = FakeGetDiskFreeSpaceEx;
    return calls;
}
} // namespace

TEST(WinVolumes, TheConfiguredDriveKinds)
{
    struct TCase
    {
        const char16_t* root;
        u32 kind;
    };
    const TCase kCases[] = {
        {u"C:\\", NSFileLib::kVolumeKindFixed}, {u"A:\\", NSFileLib::kVolumeKindFloppy},
        {u"E:\\", NSFileLib::kVolumeKindCDROM}, {u"N:\\", NSFileLib::kVolumeKindNetwork},
        {u"R:\\", NSFileLib::kVolumeKindOther},
    };
    std::vector<TUTF16String> volumes;
    WinGetVolumes(volumes);
    for (const TCase& test : kCases)
    {
        const TUTF16String root = Text(test.root);
        const std::string shown = NSTextPackage::UTF16ToUTF8(root);
        EXPECT_EQ(WinGetVolumeKind(root), test.kind) << shown << " (is tests/filelib/wine-drives applied?)";
        const NSFileLib::SVolumeInfo info = WinGetVolumeInfo(root);
        EXPECT_EQ(info.kind, test.kind) << shown;
        EXPECT_EQ(info.isAvailable, 1u) << shown;
        EXPECT_EQ(info.isCDROM, test.kind == NSFileLib::kVolumeKindCDROM ? 1u : 0u) << shown;
        EXPECT_EQ(info.driveLetter, u32(test.root[0])) << shown;
        EXPECT_EQ(WinIsFloppyDrive(root), test.kind == NSFileLib::kVolumeKindFloppy) << shown;
        EXPECT_TRUE(WinIsVolumeMounted(root)) << shown;
        EXPECT_TRUE(WinDoesVolumeExist(root)) << shown;
        EXPECT_NE(std::find(volumes.begin(), volumes.end(), root), volumes.end()) << shown;
    }
    EXPECT_EQ(WinGetSystemVolume(), Text(u"C:\\"));
    EXPECT_EQ(WinGetVolumeInfo(Text(u"c:\\")).driveLetter, u32(u'c'));
    const NSFileLib::SVolumeDetails details = WinGetVolumeDetails(Text(u"C:\\"));
    EXPECT_GT(details.totalSpace, 0u);
    EXPECT_LE(details.freeSpace, details.totalSpace);
}

TEST(WinVolumes, ALetterWithoutDrive)
{
    const TUTF16String unused = UnusedDriveRoot();
    ASSERT_FALSE(unused.empty());
    EXPECT_FAILURE(WinGetVolumeKind(unused), kFailureCode_RuntimeError_NotFound,
                   "GetDriveType returned DRIVE_NO_ROOT_DIR");
    EXPECT_FAILURE(WinGetVolumeInfo(unused), kFailureCode_RuntimeError_NotFound,
                   "GetDriveType returned DRIVE_NO_ROOT_DIR");
    EXPECT_FALSE(WinIsVolumeMounted(unused));
    EXPECT_FALSE(WinDoesVolumeExist(unused));
    EXPECT_FALSE(WinIsFloppyDrive(unused));
}

TEST(WinVolumes, AnEmptyFloppyIsListedButHasNoDetails)
{
    CWin32CallsOverride fake(FakeDrives());
    const TUTF16String floppy = Text(u"A:\\");
    gVolumeInformationCalls = 0;
    EXPECT_EQ(WinGetVolumeKind(floppy), u32(NSFileLib::kVolumeKindFloppy));
    EXPECT_EQ(WinGetVolumeInfo(floppy).isAvailable, 1u);
    EXPECT_TRUE(WinIsVolumeMounted(floppy));
    EXPECT_TRUE(WinDoesVolumeExist(floppy));
    EXPECT_EQ(gVolumeInformationCalls, 0u) << "the floppy drive is never touched for these";
    EXPECT_FAILURE(WinGetVolumeDetails(floppy), kFailureCode_RuntimeError_NotFound,
                   "GetVolumeInformation failed to get info for floppy drive - no disk in drive");

    // The CD-ROM that is not ready is left out; the RAM disk is listed.
    std::vector<TUTF16String> volumes = {Text(u"stale")};
    WinGetVolumes(volumes);
    EXPECT_EQ(volumes, (std::vector<TUTF16String>{Text(u"A:\\"), Text(u"C:\\"), Text(u"M:\\")}));
}

TEST(WinVolumes, KindsOfOtherDrives)
{
    CWin32CallsOverride fake(FakeDrives());
    EXPECT_EQ(WinGetVolumeKind(Text(u"M:\\")), u32(NSFileLib::kVolumeKindOther));
    EXPECT_EQ(WinGetVolumeKind(Text(u"U:\\")), u32(NSFileLib::kVolumeKindOther));
    const NSFileLib::SVolumeInfo notReady = WinGetVolumeInfo(Text(u"D:\\"));
    EXPECT_EQ(notReady.kind, u32(NSFileLib::kVolumeKindCDROM));
    EXPECT_EQ(notReady.isCDROM, 1u);
    EXPECT_EQ(notReady.isAvailable, 0u);
    EXPECT_EQ(WinGetVolumeInfo(Text(u"\\\\server\\share\\")).driveLetter, 0u);
}

TEST(WinVolumes, DetailsAndSpace)
{
    CWin32CallsOverride fake(FakeDrives());
    const NSFileLib::SVolumeDetails details = WinGetVolumeDetails(Text(u"C:\\"));
    EXPECT_EQ(NSTextPackage::FromWide(reinterpret_cast<const wchar_t*>(details.label)), Text(u"SOUNDS"));
    EXPECT_EQ(details.totalSpace, 16777216u) << "1 TiB in units of 64 KiB";
    EXPECT_EQ(details.freeSpace, 49152u);
    EXPECT_EQ(details.serialNumber, 0xCAFEu);

    u32 total = 0;
    u32 free = 0;
    WinGetDiskSpace(Text(u"U:\\"), total, free);
    EXPECT_EQ(total, 0xFFFFFFFFu) << "a volume beyond 256 TiB reports the largest count, not a wrapped one";

    EXPECT_FAILURE(WinGetDiskSpace(Text(u"M:\\"), total, free), kFailureCode_RuntimeError_OutOfSpace,
                   "WinThrowExceptionForKnownError(ERROR_HANDLE_DISK_FULL)");
}

TEST(WinVolumes, TheErrorModeIsRestoredAfterAThrow)
{
    CWin32CallsOverride fake(FakeDrives());
    const UINT before = ::SetErrorMode(SEM_NOOPENFILEERRORBOX);
    gErrorModeDuringProbe = 0;
    EXPECT_FAILURE(WinGetVolumeDetails(Text(u"D:\\")), kFailureCode_LogicError,
                   "WinThrowExceptionForKnownError(ERROR_NOT_READY)");
    EXPECT_EQ(gErrorModeDuringProbe & SEM_FAILCRITICALERRORS, UINT(SEM_FAILCRITICALERRORS));
    EXPECT_EQ(::GetErrorMode(), UINT(SEM_NOOPENFILEERRORBOX));
    ::SetErrorMode(before);
}

TEST(WinVolumes, AShareThatIsNotReadyCountsAsExisting)
{
    CWin32CallsOverride fake(FakeDrives());
    EXPECT_TRUE(WinDoesVolumeExist(Text(u"\\\\D-server\\share\\")));
    EXPECT_FALSE(WinDoesVolumeExist(Text(u"\\\\A-server\\share\\")));
}
