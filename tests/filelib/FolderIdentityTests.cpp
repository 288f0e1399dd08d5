// Folder identities on a real folder under Wine: one folder is the same under any path that leads
// to it, and two folders are never the same, also when one volume's folder index matches another's.
#include "filelib/FolderIdentity.h"

#include "base/TextConversions.h"
#include "base/TextCase.h"
#include "base/Win32Calls.h"
#include "tests/filelib/ScratchFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

using NSTextPackage::TUTF16String;

namespace
{
// Every volume asked answers a serial number of its own: what Wine's drives cannot show, one
// folder index on two volumes.
BOOL WINAPI GetInformationOnAVolumeOfItsOwn(HANDLE file, LPBY_HANDLE_FILE_INFORMATION information)
{
    static DWORD serial = 0;
    const BOOL read = RealWin32Calls().GetFileInformationByHandle(file, information);
    information->dwVolumeSerialNumber = ++serial;
    return read;
}

TEST(FolderIdentity, SameFolderUnderEveryPathAndNoOther)
{
    NSFileLibTests::CScratchFolder scratch;
    std::filesystem::create_directories(scratch.Path() / "One" / "Inner");
    std::filesystem::create_directories(scratch.Path() / "Two");
    const TUTF16String one = scratch.PathOf(u"One\\");
    const auto identity = [](const TUTF16String& path) {
        const std::optional<CFolderIdentity> read = CFolderIdentity::Read(path);
        EXPECT_TRUE(read.has_value()) << NSTextPackage::UTF16ToUTF8(path);
        return read;
    };
    const std::optional<CFolderIdentity> oneIdentity = identity(one);
    ASSERT_TRUE(oneIdentity);

    struct Case
    {
        TUTF16String fPath;
        bool fSame;
    };
    const Case kCases[] = {
        {one, true},
        {NSTextPackage::ToUpper(one), true},
        {scratch.PathOf(u"One\\Inner\\..\\"), true},
        {scratch.PathOf(u"Two\\"), false},
        {scratch.PathOf(u"One\\Inner\\"), false},
        {scratch.FolderPath(), false},
    };
    for (const Case& c : kCases)
    {
        const std::optional<CFolderIdentity> other = identity(c.fPath);
        ASSERT_TRUE(other);
        EXPECT_EQ(oneIdentity->IsSameFolder(*other), c.fSame) << NSTextPackage::UTF16ToUTF8(c.fPath);
        EXPECT_EQ(other->IsSameFolder(*oneIdentity), c.fSame) << NSTextPackage::UTF16ToUTF8(c.fPath);
    }
}

TEST(FolderIdentity, OneIndexOnTwoVolumesIsTwoFolders)
{
    NSFileLibTests::CScratchFolder scratch;
    std::filesystem::create_directories(scratch.Path() / "One");
    const std::optional<CFolderIdentity> one = CFolderIdentity::Read(scratch.PathOf(u"One\\"));
    ASSERT_TRUE(one);
    TWin32Calls calls = RealWin32Calls();
    calls.GetFileInformationByHandle = GetInformationOnAVolumeOfItsOwn;
    CWin32CallsOverride volumes(calls);
    EXPECT_FALSE(one->IsSameFolder(*one));
}

TEST(FolderIdentity, NoneForAFolderThatCannotBeOpened)
{
    NSFileLibTests::CScratchFolder scratch;
    EXPECT_FALSE(CFolderIdentity::Read(scratch.PathOf(u"Missing\\")));
}
} // namespace
