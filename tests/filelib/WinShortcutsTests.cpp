// Shortcut files written and read through the platform's shell-link object.
#include "filelib/WinShortcuts.h"
#include "tests/filelib/WinLayerTestSupport.h"

using namespace NSQuorral;
using NSTextPackage::TUTF16String;

namespace
{
HRESULT WINAPI DeniedCoCreateInstance(REFCLSID, LPUNKNOWN, DWORD, REFIID, LPVOID* object)
{
    *object = nullptr;
    return E_ACCESSDENIED;
}

HRESULT WINAPI NoShellAllocator(IMalloc** allocator)
{
    *allocator = nullptr;
    return E_OUTOFMEMORY;
}

bool SamePath(const TUTF16String& a, const TUTF16String& b)
{
    return NSTextPackage::CompareText(a, b, 1) == NSTextPackage::kCompareEqual;
}
} // namespace

TEST(WinShortcuts, RoundTripToAFileAFolderAndADriveRoot)
{
    CScratchFolder scratch;
    const TUTF16String song = scratch.Write(u"song.wav", "RIFF");
    ASSERT_TRUE(::CreateDirectoryW(NSTextPackage::AsWide(scratch.PathOf(u"samples")), nullptr));
    const TUTF16String targets[] = {song, scratch.PathOf(u"samples"), Text(u"C:\\")};
    for (const TUTF16String& target : targets)
    {
        const TUTF16String link = scratch.PathOf(u"link.lnk");
        WinCreateShortcut(target, link, Text(u"link"));
        const TUTF16String found = WinFindShortcutTarget(link);
        EXPECT_TRUE(SamePath(found, target)) << NSTextPackage::UTF16ToUTF8(found);
        ::DeleteFileW(NSTextPackage::AsWide(link));
    }
}

TEST(WinShortcuts, AFileThatIsNoShortcutLeadsNowhere)
{
    CScratchFolder scratch;
    const TUTF16String fake = scratch.Write(u"fake.lnk", "this is no shortcut");
    EXPECT_FAILURE(WinFindShortcutTarget(fake), kFailureCode_RuntimeError_NotFound,
                   "WinFindShortcutTarget ...");
    EXPECT_FAILURE(WinFindShortcutTarget(scratch.PathOf(u"missing.lnk")), kFailureCode_RuntimeError_NotFound,
                   "WinFindShortcutTarget ...");
}

TEST(WinShortcuts, COMFailuresAreMapped)
{
    CScratchFolder scratch;
    TWin32Calls calls = RealWin32Calls();
    calls.CoCreateInstance = DeniedCoCreateInstance;
    {
        CWin32CallsOverride denied(calls);
        EXPECT_FAILURE(WinCreateShortcut(scratch.Write(u"a.txt", "a"), scratch.PathOf(u"a.lnk"), Text(u"a")),
                       kFailureCode_RuntimeError_Permission, "WinHandleOLEError E_ACCESSDENIED");
        EXPECT_FAILURE(WinFindShortcutTarget(scratch.PathOf(u"a.lnk")), kFailureCode_RuntimeError_NotFound,
                       "WinFindShortcutTarget ...");
    }
    calls = RealWin32Calls();
    calls.SHGetMalloc = NoShellAllocator;
    CWin32CallsOverride noAllocator(calls);
    EXPECT_FAILURE(WinFindShortcutTarget(scratch.PathOf(u"a.lnk")), kFailureCode_BadAlloc, "bad allocation");
}

TEST(WinShortcuts, AnIdListOutsideTheFileSystemHasNoPath)
{
    // The control panel lives outside the file system: its id list has no path.
    LPITEMIDLIST controls = nullptr;
    ASSERT_EQ(::SHGetSpecialFolderLocation(nullptr, CSIDL_CONTROLS, &controls), S_OK);
    EXPECT_FAILURE(WinGetPathFromIDList(controls), kFailureCode_RuntimeError_NotFound,
                   "SHGetPathFromIDList failed");
    ::CoTaskMemFree(controls);
}
