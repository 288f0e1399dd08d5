// Standard folders and the application's data folders under them.
#include "filelib/WinFiles.h"
#include "filelib/WinSpecialFolders.h"
#include "tests/filelib/WinLayerTestSupport.h"

#include <algorithm>
#include <filesystem>
#include <vector>

using namespace NSQuorral;
using NSTextPackage::TUTF16String;

namespace
{
// The folders the shell knows, less the ones a test takes away.
std::vector<int> gMissingFolders;

HRESULT WINAPI ShellWithoutSomeFolders(HWND owner, int csidl, LPITEMIDLIST* list)
{
    if (std::find(gMissingFolders.begin(), gMissingFolders.end(), csidl) != gMissingFolders.end())
    {
        *list = nullptr;
        return E_FAIL;
    }
    return ::SHGetSpecialFolderLocation(owner, csidl, list);
}

HRESULT WINAPI NoShellAllocator(IMalloc** allocator)
{
    *allocator = nullptr;
    return E_OUTOFMEMORY;
}

TUTF16String WindowsFolderWithSlash()
{
    wchar_t buffer[MAX_PATH] = {};
    const UINT length = ::GetWindowsDirectoryW(buffer, MAX_PATH);
    return NSTextPackage::FromWide(buffer, length) + u16(u'\\');
}
} // namespace

TEST(WinSpecialFolders, TheStandardFoldersExist)
{
    const TUTF16String temp = WinGetTempPath();
    ASSERT_FALSE(temp.empty());
    EXPECT_EQ(temp.back(), u'\\');
    EXPECT_TRUE(WinDoesDirectoryExist(temp));
    for (const u32 csidl :
         {kCSIDLDesktop, kCSIDLDocuments, kCSIDLUserAppData, kCSIDLUserProfile, kCSIDLWindows})
    {
        TUTF16String path;
        EXPECT_TRUE(WinGetSpecialFolderPath(csidl, path)) << csidl;
        EXPECT_FALSE(path.empty()) << csidl;
    }
    TUTF16String untouched = Text(u"untouched");
    EXPECT_FALSE(WinGetSpecialFolderPath(0x7F, untouched));
    EXPECT_EQ(untouched, Text(u"untouched"));
}

TEST(WinSpecialFolders, AppDataFoldersAreMadeWhenMissing)
{
    const TUTF16String company =
        PathText(std::filesystem::path(L"Vantle Test " + std::to_wstring(::GetCurrentProcessId())));
    for (const bool common : {false, true})
    {
        const TUTF16String folder = WinGetAppDataDirectory(company, Text(u"Packer"), common);
        TUTF16String base;
        ASSERT_TRUE(WinGetSpecialFolderPath(common ? kCSIDLCommonAppData : kCSIDLUserAppData, base));
        EXPECT_EQ(folder, base + u16(u'\\') + company + Text(u"\\Packer"));
        EXPECT_TRUE(WinDoesDirectoryExist(folder));
        // Existing folders are used as they are.
        EXPECT_EQ(common ? WinGetCommonAppDataDirectory(company, Text(u"Packer"))
                         : WinGetUserAppDataDirectory(company, Text(u"Packer")),
                  folder);
        std::filesystem::remove_all(
            std::filesystem::path(NSTextPackage::AsWide(base + u16(u'\\') + company)));
    }
}

TEST(WinSpecialFolders, WithoutAnAppDataFolderTheWindowsFolderIsUsedAndNothingIsMade)
{
    TWin32Calls calls = RealWin32Calls();
    calls.SHGetSpecialFolderLocation = ShellWithoutSomeFolders;
    {
        CWin32CallsOverride missing(calls);
        gMissingFolders = {CSIDL_APPDATA};
        EXPECT_EQ(WinGetUserAppDataDirectory(Text(u"Nobody"), Text(u"Nothing")), WindowsFolderWithSlash());
        gMissingFolders = {CSIDL_APPDATA, CSIDL_WINDOWS};
        EXPECT_EQ(WinGetUserAppDataDirectory(Text(u"Nobody"), Text(u"Nothing")), WindowsFolderWithSlash());
        gMissingFolders = {CSIDL_COMMON_APPDATA};
        EXPECT_EQ(WinGetCommonAppDataDirectory(Text(u"Nobody"), Text(u"Nothing")), WindowsFolderWithSlash());
    }
    TUTF16String base;
    ASSERT_TRUE(WinGetSpecialFolderPath(kCSIDLUserAppData, base));
    EXPECT_FALSE(WinDoesDirectoryExist(base + Text(u"\\Nobody")));
}

TEST(WinSpecialFolders, NoShellAllocatorIsAnAllocationFailure)
{
    TWin32Calls calls = RealWin32Calls();
    calls.SHGetMalloc = NoShellAllocator;
    CWin32CallsOverride noAllocator(calls);
    TUTF16String path;
    EXPECT_FAILURE(WinGetSpecialFolderPath(kCSIDLDesktop, path), kFailureCode_BadAlloc, "bad allocation");
}
