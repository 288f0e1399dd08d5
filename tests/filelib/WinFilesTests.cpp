// File and folder operations on a real folder under Wine; the failures a disk cannot be made to
// show on cue (a failing step of the exchange) are injected through the call table.
#include "filelib/WinFiles.h"
#include "filelib/WinPaths.h"
#include "tests/filelib/WinLayerTestSupport.h"

#include <vector>

using namespace NSQuorral;
using NSTextPackage::AsWide;
using NSTextPackage::TUTF16String;

namespace
{
constexpr u64 kGiB = u64(1) << 30;

// A file of that size whose data was never written: the platform keeps it sparse.
void MakeSizedFile(const TUTF16String& path, u64 size)
{
    const HANDLE file = ::CreateFileW(AsWide(path), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    LARGE_INTEGER end;
    end.QuadPart = LONGLONG(size);
    EXPECT_TRUE(::SetFilePointerEx(file, end, nullptr, FILE_BEGIN));
    EXPECT_TRUE(::SetEndOfFile(file));
    ::CloseHandle(file);
}

u64 OpenFileSize(const TUTF16String& path)
{
    const HANDLE file =
        ::CreateFileW(AsWide(path), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_NE(file, INVALID_HANDLE_VALUE);
    const u64 size = WinGetFileSize(file);
    ::CloseHandle(file);
    return size;
}

DWORD Attributes(const TUTF16String& path)
{
    return ::GetFileAttributesW(AsWide(path));
}

// Whether this platform keeps a creation time that is set (Wine does not).
bool CanSetCreationTime(const CScratchFolder& scratch)
{
    const TUTF16String probe = scratch.Write(u"creation-probe", "");
    const HANDLE file =
        ::CreateFileW(AsWide(probe), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    FILETIME early = {0x12345678, 0x01000000};
    ::SetFileTime(file, &early, nullptr, nullptr);
    ::CloseHandle(file);
    const bool kept = WinGetFileInfo(probe).creationTime == 0x0100000012345678;
    ::DeleteFileW(AsWide(probe));
    return kept;
}
} // namespace

TEST(WinFileOperations, ExistenceTests)
{
    CScratchFolder scratch;
    const TUTF16String file = scratch.Write(u"song.wav", "RIFF");
    const TUTF16String folder = scratch.FolderPath();
    const TUTF16String folderWithoutSlash = folder.substr(0, folder.size() - 1);
    const TUTF16String missing = scratch.PathOf(u"missing.wav");

    EXPECT_TRUE(WinDoesFileExist(file));
    EXPECT_FALSE(WinDoesFileExist(folder));
    EXPECT_FALSE(WinDoesFileExist(missing));

    EXPECT_TRUE(WinDoesDirectoryExist(folder));
    EXPECT_TRUE(WinDoesDirectoryExist(folderWithoutSlash));
    EXPECT_FALSE(WinDoesDirectoryExist(file));
    EXPECT_FALSE(WinDoesDirectoryExist(missing));

    EXPECT_TRUE(WinIsPlainFile(file));
    EXPECT_FALSE(WinIsPlainFile(folderWithoutSlash));
    EXPECT_FALSE(WinIsPlainFile(missing));
    EXPECT_FALSE(WinIsPlainFile(Text(u"C:\\")));

    EXPECT_TRUE(WinIsDirectory(folderWithoutSlash));
    EXPECT_TRUE(WinIsDirectory(Text(u"C:\\")));
    EXPECT_FALSE(WinIsDirectory(file));
}

TEST(WinFileOperations, InformationOfALargeSparseFile)
{
    CScratchFolder scratch;
    const TUTF16String big = scratch.PathOf(u"big.bin");
    MakeSizedFile(big, 5 * kGiB + 3);
    const NSFileLib::SFileInfo info = WinGetFileInfo(big);
    EXPECT_EQ(info.size, 5 * kGiB + 3);
    EXPECT_EQ(info.isHidden, 0u);
    EXPECT_EQ(info.isLocked, 0u);
    EXPECT_EQ(info.isAlias, 0u);
    EXPECT_EQ(info.reserved1, 0u);
    EXPECT_EQ(info.reserved2, 0u);
    EXPECT_NE(info.modificationTime, 0u);
    EXPECT_EQ(OpenFileSize(big), 5 * kGiB + 3);

    // A size of exactly 4 GiB has a low half of 0 and must not read as a failure.
    const TUTF16String four = scratch.PathOf(u"four.bin");
    MakeSizedFile(four, 4 * kGiB);
    EXPECT_EQ(OpenFileSize(four), 4 * kGiB);
    // A low half of 0xFFFFFFFF is a size, not a failure.
    const TUTF16String allOnes = scratch.PathOf(u"ones.bin");
    MakeSizedFile(allOnes, 0xFFFFFFFF);
    EXPECT_EQ(OpenFileSize(allOnes), 0xFFFFFFFFu);
    EXPECT_EQ(OpenFileSize(scratch.Write(u"empty.bin", "")), 0u);

    EXPECT_EQ(WinGetFileInfo(scratch.Write(u"link.LNK", "")).isAlias, 1u);
}

TEST(WinFileOperations, InformationOfTheWrongKindOrOfNothing)
{
    CScratchFolder scratch;
    const TUTF16String file = scratch.Write(u"a.txt", "a");
    EXPECT_FAILURE(WinGetFileInfo(scratch.FolderPath().substr(0, scratch.FolderPath().size() - 1)),
                   kFailureCode_RuntimeError_ReadFailure, "");
    EXPECT_FAILURE(WinGetDirInfo(file), kFailureCode_RuntimeError_ReadFailure, "");
    EXPECT_FAILURE(WinGetFileInfo(scratch.PathOf(u"missing")), kFailureCode_RuntimeError_NotFound,
                   "WinGetFileInfo FindFirstFile failed");
    EXPECT_FAILURE(WinGetDirInfo(scratch.PathOf(u"missing\\")), kFailureCode_RuntimeError_NotFound,
                   "WinGetFileInfo FindFirstFile failed");

    const NSFileLib::SDirInfo folder = WinGetDirInfo(scratch.FolderPath());
    EXPECT_EQ(folder.isHidden, 0u);
    EXPECT_EQ(folder.reserved, 0u);
    EXPECT_NE(folder.modificationTime, 0u);
}

TEST(WinFileOperations, HiddenAttributeIsSetAndClearedAndTimesAreApplied)
{
    CScratchFolder scratch;
    const TUTF16String file = scratch.Write(u"a.txt", "a");
    NSFileLib::SFileInfo info = WinGetFileInfo(file);
    info.isHidden = 1;
    info.modificationTime = 0x01D0000000000000;
    WinSetFileInfo(file, info);
    EXPECT_TRUE(Attributes(file) & FILE_ATTRIBUTE_HIDDEN);
    EXPECT_EQ(WinGetFileInfo(file).isHidden, 1u);
    EXPECT_EQ(WinGetFileInfo(file).modificationTime, 0x01D0000000000000u);

    // Clearing the hidden bit of a read-only file leaves it read-only.
    ASSERT_TRUE(::SetFileAttributesW(AsWide(file), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY));
    info.isHidden = 0;
    info.isLocked = 0;
    WinSetFileInfo(file, info);
    EXPECT_FALSE(Attributes(file) & FILE_ATTRIBUTE_HIDDEN);
    EXPECT_TRUE(Attributes(file) & FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(WinGetFileInfo(file).isLocked, 1u);

    if (CanSetCreationTime(scratch))
    {
        info.creationTime = 0x01C0000000000000;
        ::SetFileAttributesW(AsWide(file), FILE_ATTRIBUTE_NORMAL);
        WinSetFileInfo(file, info);
        EXPECT_EQ(WinGetFileInfo(file).creationTime, 0x01C0000000000000u);
    }

    EXPECT_FAILURE(WinSetFileInfo(scratch.PathOf(u"missing"), info), kFailureCode_RuntimeError_NotFound,
                   "WinThrowExceptionForKnownError(ERROR_FILE_NOT_FOUND)");
}

TEST(WinFileOperations, DeletingAnOpenOrMissingFileFails)
{
    CScratchFolder scratch;
    const TUTF16String file = scratch.Write(u"open.txt", "a");
    {
        const HANDLE open = ::CreateFileW(AsWide(file), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(open, INVALID_HANDLE_VALUE);
        const TCaughtFailure caught = CatchFailure([&] { WinDeleteFile(file); });
        ::CloseHandle(open);
        EXPECT_EQ(caught.kind, u32(kFailureCode_RuntimeError_Locked));
        EXPECT_EQ(caught.message, "WinThrowExceptionForKnownError(ERROR_SHARING_VIOLATION)");
        EXPECT_EQ(caught.status, NSFileLib::kFileLibLocked);
    }
    EXPECT_TRUE(WinDoesFileExist(file));
    WinDeleteFile(file);
    EXPECT_FALSE(WinDoesFileExist(file));
    EXPECT_FAILURE(WinDeleteFile(file), kFailureCode_RuntimeError_NotFound,
                   "WinThrowExceptionForKnownError(ERROR_FILE_NOT_FOUND)");
}

// The exchange's fixture: two files with known contents, and replacement calls that fail at
// one chosen point of the exchange.
class WinReplaceFileTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        gFirst = fScratch.Write(u"first.wav", "first data");
        gSecond = fScratch.Write(u"second.wav", "second data");
        gFailures.clear();
    }

    void ExpectBothFilesInPlace()
    {
        EXPECT_EQ(fScratch.Read(u"first.wav"), "first data");
        EXPECT_EQ(fScratch.Read(u"second.wav"), "second data");
        EXPECT_EQ(fScratch.Entries(), (std::vector<std::u16string>{u"first.wav", u"second.wav"}));
    }

    enum class ERole
    {
        kFirst,
        kSecond,
        kTemporary,
    };

    // One call that fails, once, when its paths have these roles.
    struct TFailure
    {
        ERole from;
        ERole to;
        DWORD error;
    };

    static ERole RoleOf(LPCWSTR path)
    {
        const TUTF16String asked = NSTextPackage::FromWide(path);
        if (asked == gFirst)
            return ERole::kFirst;
        return asked == gSecond ? ERole::kSecond : ERole::kTemporary;
    }

    static BOOL WINAPI MoveFileEx(LPCWSTR from, LPCWSTR to, DWORD flags)
    {
        for (auto failure = gFailures.begin(); failure != gFailures.end(); ++failure)
        {
            if (failure->from == RoleOf(from) && failure->to == RoleOf(to))
            {
                const DWORD error = failure->error;
                gFailures.erase(failure);
                return FailWith(error);
            }
        }
        return ::MoveFileExW(from, to, flags);
    }

    static BOOL WINAPI FailingGetFileTime(HANDLE, LPFILETIME, LPFILETIME, LPFILETIME)
    {
        return FailWith(ERROR_READ_FAULT);
    }
    static BOOL WINAPI FailingSetFileTime(HANDLE, const FILETIME*, const FILETIME*, const FILETIME*)
    {
        return FailWith(ERROR_INVALID_FUNCTION);
    }

    static inline TUTF16String gFirst;
    static inline TUTF16String gSecond;
    static inline std::vector<TFailure> gFailures;
    CScratchFolder fScratch;
};

TEST_F(WinReplaceFileTest, TheTwoFilesChangePlaces)
{
    const bool creationTimesStick = CanSetCreationTime(fScratch);
    const u64 firstCreation = WinGetFileInfo(gFirst).creationTime;
    WinReplaceFile(gFirst, gSecond);
    EXPECT_EQ(fScratch.Read(u"first.wav"), "second data");
    EXPECT_EQ(fScratch.Read(u"second.wav"), "first data");
    EXPECT_EQ(fScratch.Entries(), (std::vector<std::u16string>{u"first.wav", u"second.wav"}));
    if (creationTimesStick)
    {
        EXPECT_EQ(WinGetFileInfo(gFirst).creationTime, firstCreation);
    }
}

TEST_F(WinReplaceFileTest, AFailingMoveUndoesTheStepsMadeAndRaisesItsOwnFailure)
{
    struct TCase
    {
        const char* step;
        TFailure failure;
        u32 kind;
        const char* message;
    };
    const TCase kCases[] = {
        {"first to temporary",
         {ERole::kFirst, ERole::kTemporary, ERROR_DISK_FULL},
         kFailureCode_RuntimeError_OutOfSpace,
         "WinThrowExceptionForKnownError(ERROR_DISK_FULL)"},
        {"second to first",
         {ERole::kSecond, ERole::kFirst, ERROR_ACCESS_DENIED},
         kFailureCode_RuntimeError_Permission,
         "WinThrowExceptionForKnownError(ERROR_ACCESS_DENIED)"},
        {"temporary to second",
         {ERole::kTemporary, ERole::kSecond, ERROR_INVALID_NAME},
         kFailureCode_RuntimeError_NotFound,
         "MoveFileEx() failed with unrecognized error type"},
    };
    TWin32Calls calls = RealWin32Calls();
    calls.MoveFileExW = MoveFileEx;
    CWin32CallsOverride failing(calls);
    for (const TCase& test : kCases)
    {
        gFailures = {test.failure};
        EXPECT_FAILURE(WinReplaceFile(gFirst, gSecond), test.kind, test.message);
        EXPECT_TRUE(gFailures.empty()) << test.step;
        ExpectBothFilesInPlace();
    }
}

TEST_F(WinReplaceFileTest, AFailureBeforeAnyMoveRemovesTheTemporaryFile)
{
    TWin32Calls calls = RealWin32Calls();
    calls.GetFileTime = FailingGetFileTime;
    {
        CWin32CallsOverride failing(calls);
        EXPECT_FAILURE(WinReplaceFile(gFirst, gSecond), kFailureCode_RuntimeError_ReadFailure,
                       "WinThrowExceptionForKnownError(ERROR_READ_FAULT)");
    }
    ExpectBothFilesInPlace();

    calls = RealWin32Calls();
    calls.SetFileTime = FailingSetFileTime;
    {
        CWin32CallsOverride failing(calls);
        EXPECT_FAILURE(WinReplaceFile(gFirst, gSecond), kFailureCode_RuntimeError_NotFound,
                       "SetFileTime failed with unrecognized error type");
    }
    ExpectBothFilesInPlace();

    // The second file held open without sharing cannot take the creation time.
    const HANDLE open = ::CreateFileW(AsWide(gSecond), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(open, INVALID_HANDLE_VALUE);
    const TCaughtFailure caught = CatchFailure([&] { WinReplaceFile(gFirst, gSecond); });
    ::CloseHandle(open);
    EXPECT_EQ(caught.message, "WinThrowExceptionForKnownError(ERROR_SHARING_VIOLATION)");
    ExpectBothFilesInPlace();

    EXPECT_FAILURE(WinReplaceFile(gFirst, fScratch.PathOf(u"missing.wav")),
                   kFailureCode_RuntimeError_NotFound,
                   "WinThrowExceptionForKnownError(ERROR_FILE_NOT_FOUND)");
    ExpectBothFilesInPlace();
}

TEST_F(WinReplaceFileTest, AFailingUndoRaisesItsOwnFailureAndLosesNoData)
{
    TWin32Calls calls = RealWin32Calls();
    calls.MoveFileExW = MoveFileEx;
    CWin32CallsOverride failing(calls);
    // The last step fails, and so does moving the second file back.
    gFailures = {{ERole::kTemporary, ERole::kSecond, ERROR_DISK_FULL},
                 {ERole::kFirst, ERole::kSecond, ERROR_INVALID_NAME}};
    EXPECT_FAILURE(WinReplaceFile(gFirst, gSecond), kFailureCode_RuntimeError_NotFound,
                   "MoveFileEx() failed with unrecognized error type");
    const std::vector<std::u16string> entries = fScratch.Entries();
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(fScratch.Read(u"first.wav"), "second data");
    const std::u16string temporary = entries[0] == u"first.wav" ? entries[1] : entries[0];
    EXPECT_EQ(fScratch.Read(temporary), "first data");
}
