// Unique temporary files and folders: never over someone else's file, always a bounded search.
#include "filelib/WinFiles.h"
#include "filelib/WinTemporaryItems.h"
#include "tests/filelib/WinLayerTestSupport.h"

#include <cwctype>

using namespace NSQuorral;
using NSTextPackage::AsWide;
using NSTextPackage::TUTF16String;

namespace
{
bool LooksLikeTempName(const TUTF16String& name, const std::u16string& extension)
{
    if (name.size() < 3 + 1 + extension.size() || name.substr(0, 3) != Text(u"TMP"))
        return false;
    const TUTF16String digits = name.substr(3, name.size() - 3 - extension.size());
    if (digits.empty() || digits.size() > 4)
        return false;
    for (const u16 unit : digits)
    {
        if (!std::iswxdigit(unit))
            return false;
    }
    return NSTextPackage::CompareText(name.substr(name.size() - extension.size()), Text(extension), 1) ==
           NSTextPackage::kCompareEqual;
}

// Each file the platform makes clashes with a file of the wanted name that someone else owns,
// as many times as asked.
u32 gClashesLeft;
std::u16string gForeignExtension;

UINT WINAPI ClashingGetTempFileName(LPCWSTR folder, LPCWSTR prefix, UINT unique, LPWSTR created)
{
    const UINT answer = ::GetTempFileNameW(folder, prefix, unique, created);
    if (answer != 0 && gClashesLeft > 0)
    {
        --gClashesLeft;
        std::wstring foreign(created);
        foreign.replace(foreign.size() - 4, 4,
                        std::wstring(gForeignExtension.begin(), gForeignExtension.end()));
        const HANDLE file = ::CreateFileW(foreign.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
        DWORD written = 0;
        ::WriteFile(file, "foreign", 7, &written, nullptr);
        ::CloseHandle(file);
    }
    return answer;
}

DWORD gTempFileNameError;

UINT WINAPI FailingGetTempFileName(LPCWSTR, LPCWSTR, UINT, LPWSTR)
{
    return FailWith(gTempFileNameError);
}

BOOL WINAPI DeniedMoveFileEx(LPCWSTR, LPCWSTR, DWORD)
{
    return FailWith(ERROR_ACCESS_DENIED);
}

u32 gDirectoryAttempts;

BOOL WINAPI AlwaysTakenCreateDirectory(LPCWSTR, LPSECURITY_ATTRIBUTES)
{
    ++gDirectoryAttempts;
    return FailWith(ERROR_ALREADY_EXISTS);
}

BOOL WINAPI DeniedCreateDirectory(LPCWSTR, LPSECURITY_ATTRIBUTES)
{
    ++gDirectoryAttempts;
    return FailWith(ERROR_ACCESS_DENIED);
}

DWORD WINAPI FixedTickCount()
{
    return 0x7FFFFFFE;
}
} // namespace

TEST(WinTemporaryItems, UniqueFilesWithAndWithoutExtensions)
{
    CScratchFolder scratch;
    struct TCase
    {
        std::u16string asked;
        std::u16string ending;
    };
    const TCase kCases[] = {{u".TMP", u".tmp"}, {u".wav", u".wav"}, {u"", u""}, {u".tar.gz", u".tar.gz"}};
    for (const TCase& test : kCases)
    {
        const TUTF16String name = WinCreateUniqueFile(scratch.FolderPath(), Text(test.asked));
        EXPECT_TRUE(LooksLikeTempName(name, test.ending)) << NSTextPackage::UTF16ToUTF8(name);
        EXPECT_TRUE(WinDoesFileExist(scratch.FolderPath() + name));
        EXPECT_EQ(WinGetFileInfo(scratch.FolderPath() + name).size, 0u);
        ::DeleteFileW(AsWide(scratch.FolderPath() + name));
        EXPECT_TRUE(scratch.Entries().empty()) << "nothing else is left behind";
    }
}

TEST(WinTemporaryItems, AFolderWithoutRoomForAFile)
{
    CScratchFolder scratch;
    TWin32Calls calls = RealWin32Calls();
    calls.GetTempFileNameW = FailingGetTempFileName;
    CWin32CallsOverride failing(calls);
    gTempFileNameError = ERROR_DISK_FULL;
    EXPECT_FAILURE(WinCreateUniqueFile(scratch.FolderPath(), Text(u".wav")),
                   kFailureCode_RuntimeError_OutOfSpace, "WinThrowExceptionForKnownError(ERROR_DISK_FULL)");
    gTempFileNameError = ERROR_DIRECTORY;
    EXPECT_FAILURE(WinCreateUniqueFile(scratch.FolderPath(), Text(u".wav")), kFailureCode_RuntimeError_Create,
                   "GetTempFileName() failed to create unique file");
    EXPECT_FAILURE(WinCreateUniqueDirectory(scratch.FolderPath()), kFailureCode_RuntimeError_NotFound,
                   "GetTempFileName failed with unrecognized error type");
}

TEST(WinTemporaryItems, AFailedRenameLeavesNoTemporaryFileBehind)
{
    CScratchFolder scratch;
    TWin32Calls calls = RealWin32Calls();
    calls.MoveFileExW = DeniedMoveFileEx;
    CWin32CallsOverride denied(calls);
    EXPECT_FAILURE(WinCreateUniqueFile(scratch.FolderPath(), Text(u".wav")), kFailureCode_RuntimeError_Create,
                   "Failed to create unique file");
    EXPECT_TRUE(scratch.Entries().empty());
}

TEST(WinTemporaryItems, AUniqueFileNeverReplacesAnExistingFile)
{
    CScratchFolder scratch;
    TWin32Calls calls = RealWin32Calls();
    calls.GetTempFileNameW = ClashingGetTempFileName;
    CWin32CallsOverride clashing(calls);
    gForeignExtension = u".wav";

    gClashesLeft = 3;
    const TUTF16String name = WinCreateUniqueFile(scratch.FolderPath(), Text(u".wav"));
    std::vector<std::u16string> entries = scratch.Entries();
    ASSERT_EQ(entries.size(), 4u) << "three foreign files and ours";
    for (const std::u16string& entry : entries)
        EXPECT_EQ(scratch.Read(entry), Text(entry) == name ? "" : "foreign");

    // When every name clashes, the search ends and only the foreign files remain.
    CScratchFolder crowded;
    gClashesLeft = 1000;
    EXPECT_FAILURE(WinCreateUniqueFile(crowded.FolderPath(), Text(u".wav")), kFailureCode_RuntimeError_Create,
                   "Failed to create unique file");
    entries = crowded.Entries();
    EXPECT_FALSE(entries.empty());
    for (const std::u16string& entry : entries)
        EXPECT_EQ(crowded.Read(entry), "foreign");
}

TEST(WinTemporaryItems, UniqueFoldersSkipNamesThatAreTaken)
{
    CScratchFolder scratch;
    const TUTF16String name = WinCreateUniqueDirectory(scratch.FolderPath());
    EXPECT_TRUE(LooksLikeTempName(name, u".tmp")) << NSTextPackage::UTF16ToUTF8(name);
    EXPECT_TRUE(WinDoesDirectoryExist(scratch.FolderPath() + name));

    // With the clock standing still, the names after the taken ones are used.
    CScratchFolder stillScratch;
    TWin32Calls calls = RealWin32Calls();
    calls.GetTickCount = FixedTickCount;
    CWin32CallsOverride stillClock(calls);
    auto nameFor = [&](UINT number)
    {
        wchar_t path[MAX_PATH] = {};
        ::GetTempFileNameW(AsWide(stillScratch.FolderPath()), L"TMP", number, path);
        return NSTextPackage::FromWide(path);
    };
    ASSERT_TRUE(::CreateDirectoryW(AsWide(nameFor(0xFFFE)), nullptr));
    ASSERT_TRUE(::CreateDirectoryW(AsWide(nameFor(0xFFFF)), nullptr));
    EXPECT_EQ(stillScratch.FolderPath() + WinCreateUniqueDirectory(stillScratch.FolderPath()), nameFor(1));
    EXPECT_EQ(stillScratch.FolderPath() + WinCreateUniqueDirectory(stillScratch.FolderPath()), nameFor(2));
}

TEST(WinTemporaryItems, UniqueFolderSearchIsBounded)
{
    CScratchFolder scratch;
    TWin32Calls calls = RealWin32Calls();
    calls.CreateDirectoryW = AlwaysTakenCreateDirectory;
    {
        CWin32CallsOverride allTaken(calls);
        gDirectoryAttempts = 0;
        EXPECT_FAILURE(WinCreateUniqueDirectory(scratch.FolderPath()), kFailureCode_RuntimeError_Create,
                       "Failed to create unique directory");
        EXPECT_EQ(gDirectoryAttempts, 65536u);
    }
    calls.CreateDirectoryW = DeniedCreateDirectory;
    CWin32CallsOverride denied(calls);
    gDirectoryAttempts = 0;
    EXPECT_FAILURE(WinCreateUniqueDirectory(scratch.FolderPath()), kFailureCode_RuntimeError_Create,
                   "Failed to create unique directory");
    EXPECT_EQ(gDirectoryAttempts, 1u);
}
