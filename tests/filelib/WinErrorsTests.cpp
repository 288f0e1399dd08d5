// The mapping from Win32 and COM failures to exceptions decides the status every caller of the
// file library sees, so it is checked row by row, through to the status.
#include "filelib/WinErrors.h"
#include "filelib/WinFiles.h"
#include "filelib/WinSpecialFolders.h"
#include "filelib/WinVolumes.h"
#include "tests/filelib/WinLayerTestSupport.h"

#include <vector>

using namespace NSQuorral;
using NSTextPackage::TUTF16String;

namespace
{
struct TMappingCase
{
    i64 code;
    u32 kind;
    const char* message;
    u32 status;
};

const TMappingCase kKnownErrors[] = {
    {0, kFailureCode_LogicError, "WinThrowExceptionForKnownError(NO_ERROR)", NSFileLib::kFileLibNotSet},
    {2, kFailureCode_RuntimeError_NotFound, "WinThrowExceptionForKnownError(ERROR_FILE_NOT_FOUND)",
     NSFileLib::kFileLibNotFound},
    {3, kFailureCode_RuntimeError_NotFound, "WinThrowExceptionForKnownError(ERROR_PATH_NOT_FOUND)",
     NSFileLib::kFileLibNotFound},
    {4, kFailureCode_RuntimeError_OutOfItems, "WinThrowExceptionForKnownError(ERROR_TOO_MANY_OPEN_FILES)",
     NSFileLib::kFileLibOutOfHandles},
    {5, kFailureCode_RuntimeError_Permission, "WinThrowExceptionForKnownError(ERROR_ACCESS_DENIED)",
     NSFileLib::kFileLibPermission},
    {8, kFailureCode_BadAlloc, "bad allocation", NSFileLib::kFileLibOutOfMemory},
    {15, kFailureCode_RuntimeError_NotFound, "WinThrowExceptionForKnownError(ERROR_INVALID_DRIVE)",
     NSFileLib::kFileLibNotFound},
    {19, kFailureCode_RuntimeError_Locked, "WinThrowExceptionForKnownError(ERROR_WRITE_PROTECT)",
     NSFileLib::kFileLibLocked},
    {21, kFailureCode_LogicError, "WinThrowExceptionForKnownError(ERROR_NOT_READY)",
     NSFileLib::kFileLibNotSet},
    {29, kFailureCode_RuntimeError_WriteFailure, "WinThrowExceptionForKnownError(ERROR_WRITE_FAULT)",
     NSFileLib::kFileLibWriteFailure},
    {30, kFailureCode_RuntimeError_ReadFailure, "WinThrowExceptionForKnownError(ERROR_READ_FAULT)",
     NSFileLib::kFileLibReadFailure},
    {32, kFailureCode_RuntimeError_Locked, "WinThrowExceptionForKnownError(ERROR_SHARING_VIOLATION)",
     NSFileLib::kFileLibLocked},
    {33, kFailureCode_RuntimeError_Locked, "WinThrowExceptionForKnownError(ERROR_LOCK_VIOLATION)",
     NSFileLib::kFileLibLocked},
    {39, kFailureCode_RuntimeError_OutOfSpace, "WinThrowExceptionForKnownError(ERROR_HANDLE_DISK_FULL)",
     NSFileLib::kFileLibDiskFull},
    {82, kFailureCode_RuntimeError_Create, "WinThrowExceptionForKnownError(ERROR_CANNOT_MAKE)",
     NSFileLib::kFileLibCreateFailure},
    {87, kFailureCode_LogicError, "WinThrowExceptionForKnownError(ERROR_INVALID_PARAMETER)",
     NSFileLib::kFileLibNotSet},
    {112, kFailureCode_RuntimeError_OutOfSpace, "WinThrowExceptionForKnownError(ERROR_DISK_FULL)",
     NSFileLib::kFileLibDiskFull},
    {1237, kFailureCode_LogicError, "WinThrowExceptionForKnownError(ERROR_RETRY)", NSFileLib::kFileLibNotSet},
};

const TMappingCase kOLEErrors[] = {
    {0x80070005, kFailureCode_RuntimeError_Permission, "WinHandleOLEError E_ACCESSDENIED",
     NSFileLib::kFileLibPermission},
    {0x80070015, kFailureCode_RuntimeError_NotFound, "WinHandleOLEError OLE_ERROR_DEVICE_NOT_READY",
     NSFileLib::kFileLibNotFound},
    {0x80070035, kFailureCode_RuntimeError_NotFound, "WinHandleOLEError OLE_ERROR_NETWORK_PATH_NOT_FOUND",
     NSFileLib::kFileLibNotFound},
    {0x80070040, kFailureCode_RuntimeError_NotFound,
     "WinHandleOLEError OLE_ERROR_NETWORK_NAME_NO_LONGER_AVAILABLE", NSFileLib::kFileLibNotFound},
    {0x80070043, kFailureCode_RuntimeError_NotFound, "WinHandleOLEError OLE_ERROR_NETWORK_NAME_NOT_FOUND",
     NSFileLib::kFileLibNotFound},
    {0x800704DC, kFailureCode_RuntimeError_NotFound,
     "WinHandleOLEError OLE_ERROR_NETWORK_USER_NOT_AUTHENTICATED", NSFileLib::kFileLibNotFound},
    {0x80004005, kFailureCode_LogicError_InvalidArgument, "WinHandleOLEError unrecognized OLE error",
     NSFileLib::kFileLibBadArgument},
    {0x80000000, kFailureCode_LogicError_InvalidArgument, "WinHandleOLEError unrecognized OLE error",
     NSFileLib::kFileLibBadArgument},
};

void ExpectMapping(const TMappingCase& expected, const TCaughtFailure& caught)
{
    EXPECT_TRUE(caught.thrown) << expected.message;
    EXPECT_EQ(caught.kind, expected.kind) << expected.message;
    EXPECT_EQ(caught.message, expected.message);
    EXPECT_EQ(caught.status, expected.status) << expected.message;
}
} // namespace

TEST(WinErrorMapping, EveryKnownWin32ErrorHasItsClassMessageAndStatus)
{
    for (const TMappingCase& known : kKnownErrors)
    {
        const TCaughtFailure caught = CatchFailure([&] { WinThrowExceptionForKnownError(u32(known.code)); });
        ExpectMapping(known, caught);
        EXPECT_EQ(caught.hasFileHandleType, known.code == ERROR_TOO_MANY_OPEN_FILES) << known.message;
    }
}

TEST(WinErrorMapping, UnknownWin32ErrorReturnsAndTheCallerRaisesItsOwnMessage)
{
    for (const u32 unknown : {1u, 53u, 123u, 183u, 0xFFFFFFFFu})
        EXPECT_FALSE(CatchFailure([&] { WinThrowExceptionForKnownError(unknown); }).thrown) << unknown;

    EXPECT_FAILURE(
        WinThrowForError<XNotFound>(ERROR_INVALID_NAME, "DeleteFile failed with unrecognized error type"),
        kFailureCode_RuntimeError_NotFound, "DeleteFile failed with unrecognized error type");
    EXPECT_FAILURE(WinThrowForError<XNotFound>(ERROR_SHARING_VIOLATION,
                                               "DeleteFile failed with unrecognized error type"),
                   kFailureCode_RuntimeError_Locked,
                   "WinThrowExceptionForKnownError(ERROR_SHARING_VIOLATION)");
}

TEST(WinErrorMapping, EveryOLEFailureHasItsClassMessageAndStatus)
{
    for (const TMappingCase& known : kOLEErrors)
        ExpectMapping(known, CatchFailure([&] { WinHandleOLEError(i32(u32(known.code))); }));
}

TEST(WinErrorMapping, OLESuccessValuesRaiseNothing)
{
    for (const i32 success : {0, 1, 0x7FFFFFFF})
        EXPECT_FALSE(CatchFailure([&] { WinHandleOLEError(success); }).thrown) << success;
}

// Every failing call of the Windows layer whose error is none of the known ones raises the
// calling function's own message and class.
namespace
{
constexpr DWORD kUnknownError = ERROR_INVALID_FUNCTION;

struct TRuleCase
{
    const char* message;
    u32 kind;
    void (*fail)(TWin32Calls& calls);
    void (*action)(const CScratchFolder& scratch);
};

const TRuleCase kRuleCases[] = {
    {"GetFileSize failed with unrecognized error type", kFailureCode_RuntimeError_ReadFailure,
     [](TWin32Calls& calls) {
         calls.GetFileSize = [](HANDLE, LPDWORD) -> DWORD {
             ::SetLastError(kUnknownError);
             return INVALID_FILE_SIZE;
         };
     },
     [](const CScratchFolder&) { WinGetFileSize(INVALID_HANDLE_VALUE); }},
    {"GetDiskFreeSpaceEx failed with unrecognized error type", kFailureCode_RuntimeError_NotFound,
     [](TWin32Calls& calls) {
         calls.GetDiskFreeSpaceExW = [](LPCWSTR, PULARGE_INTEGER, PULARGE_INTEGER, PULARGE_INTEGER) {
             return FailWith(kUnknownError);
         };
     },
     [](const CScratchFolder&) {
         u32 total = 0;
         u32 free = 0;
         WinGetDiskSpace(Text(u"C:\\"), total, free);
     }},
    {"GetVolumeInformation failed with unrecognized error type", kFailureCode_RuntimeError_NotFound,
     [](TWin32Calls& calls) {
         calls.GetVolumeInformationW = [](LPCWSTR, LPWSTR, DWORD, LPDWORD, LPDWORD, LPDWORD, LPWSTR, DWORD) {
             return FailWith(kUnknownError);
         };
     },
     [](const CScratchFolder&) { WinGetVolumeDetails(Text(u"C:\\")); }},
    {"GetLogicalDriveStrings failed with unrecognized error type", kFailureCode_RuntimeError_NotFound,
     [](TWin32Calls& calls) {
         calls.GetLogicalDriveStringsW = [](DWORD, LPWSTR) -> DWORD { return FailWith(kUnknownError); };
     },
     [](const CScratchFolder&) {
         std::vector<TUTF16String> volumes;
         WinGetVolumes(volumes);
     }},
    {"GetWindowsDirectory failed with unrecognized error type", kFailureCode_RuntimeError_NotFound,
     [](TWin32Calls& calls) {
         calls.GetWindowsDirectoryW = [](LPWSTR, UINT) -> UINT { return FailWith(kUnknownError); };
     },
     [](const CScratchFolder&) { WinGetSystemVolume(); }},
    {"GetWindowsDirectory failed - folder name to large", kFailureCode_RuntimeError_NotFound,
     [](TWin32Calls& calls) { calls.GetWindowsDirectoryW = [](LPWSTR, UINT) -> UINT { return 300; }; },
     [](const CScratchFolder&) { WinGetSystemVolume(); }},
    {"GetTempPath failed with unrecognized error type", kFailureCode_RuntimeError_NotFound,
     [](TWin32Calls& calls) { calls.GetTempPathW = [](DWORD, LPWSTR) -> DWORD { return FailWith(kUnknownError); }; },
     [](const CScratchFolder&) { WinGetTempPath(); }},
    {"GetFileAttributes failed with unrecognized error type", kFailureCode_RuntimeError_NotFound,
     [](TWin32Calls& calls) {
         calls.GetFileAttributesW = [](LPCWSTR) -> DWORD {
             ::SetLastError(kUnknownError);
             return INVALID_FILE_ATTRIBUTES;
         };
     },
     [](const CScratchFolder& scratch) { WinSetFileInfo(scratch.Write(u"a.txt", "a"), NSFileLib::SFileInfo{}); }},
    {"SetFileAttributes failed with unrecognized error type", kFailureCode_RuntimeError_WriteFailure,
     [](TWin32Calls& calls) { calls.SetFileAttributesW = [](LPCWSTR, DWORD) { return FailWith(kUnknownError); }; },
     [](const CScratchFolder& scratch) { WinSetFileInfo(scratch.Write(u"a.txt", "a"), NSFileLib::SFileInfo{}); }},
    {"CreateFile failed with unrecognized error type", kFailureCode_RuntimeError_NotFound,
     [](TWin32Calls& calls) {
         calls.CreateFileW = [](LPCWSTR, DWORD, DWORD, LPSECURITY_ATTRIBUTES, DWORD, DWORD, HANDLE) {
             ::SetLastError(kUnknownError);
             return INVALID_HANDLE_VALUE;
         };
     },
     [](const CScratchFolder& scratch) { WinSetFileInfo(scratch.Write(u"a.txt", "a"), NSFileLib::SFileInfo{}); }},
    {"DeleteFile failed with unrecognized error type", kFailureCode_RuntimeError_NotFound,
     [](TWin32Calls& calls) { calls.DeleteFileW = [](LPCWSTR) { return FailWith(kUnknownError); }; },
     [](const CScratchFolder& scratch) { WinDeleteFile(scratch.Write(u"a.txt", "a")); }},
    {"CreateDirectory failed with unrecognized error type", kFailureCode_RuntimeError_NotFound,
     [](TWin32Calls& calls) {
         calls.CreateDirectoryW = [](LPCWSTR, LPSECURITY_ATTRIBUTES) { return FailWith(kUnknownError); };
     },
     [](const CScratchFolder&) { WinGetUserAppDataDirectory(Text(u"Vantle Never Made"), Text(u"Packer")); }},
};
} // namespace

TEST(WinErrorMapping, EveryFailingCallRaisesItsFunctionsOwnMessage)
{
    for (const TRuleCase& test : kRuleCases)
    {
        CScratchFolder scratch;
        TWin32Calls calls = RealWin32Calls();
        test.fail(calls);
        CWin32CallsOverride failing(calls);
        const TCaughtFailure caught = CatchFailure([&] { test.action(scratch); });
        EXPECT_TRUE(caught.thrown) << test.message;
        EXPECT_EQ(caught.kind, test.kind) << test.message;
        EXPECT_EQ(caught.message, test.message);
    }
}
