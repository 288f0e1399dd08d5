#include "filelib/ShellItem.h"
#include "base/Win32Calls.h"
#include "filelib/WinShortcuts.h"
#include "tests/filelib/ShellItemTestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace NSShellItemTests;
using NSFerrant::CShellItem;

namespace
{
constexpr u64 kUnknownSize = ~u64(0);

std::vector<u8> Bytes(const std::string& text)
{
    return std::vector<u8>(text.begin(), text.end());
}

// A shortcut "<name>" in the folder that leads to target.
CShellItem MakeShortcut(const NSFileLibTests::CScratchFolder& folder, const std::string& name,
                        const TUTF16String& target)
{
    WinCreateShortcut(target, PathIn(folder, name), Text("test"));
    return MakeFileItem(PathIn(folder, name));
}

// GetLongPathNameW failing with the error code a test chooses.
DWORD gLongPathError = 0;
DWORD WINAPI FailingLongPathName(LPCWSTR, LPWSTR, DWORD)
{
    ::SetLastError(gLongPathError);
    return 0;
}
} // namespace

TEST(ShellItemFiles, ExtensionsAreTestedOnFilesAfterTheLastSeparator)
{
    NSFileLibTests::CScratchFolder folder;
    std::filesystem::create_directory(folder.Path() / "Dotted.dir");
    std::filesystem::create_directory(folder.Path() / "Folder.aif");
    folder.WriteFile("Sound.AIF", {});
    folder.WriteFile("Dotted.dir\\NoExtension", {});
    folder.WriteFile(".wav", {});
    const TUTF16String list = Text(".aif;.aiff;.wav");
    struct Case
    {
        CShellItem item;
        bool matches;
    };
    Case cases[] = {
        {MakeFileItem(PathIn(folder, "Sound.AIF")), true},
        {MakeFileItem(PathIn(folder, "Dotted.dir\\NoExtension")), false},
        {MakeFileItem(PathIn(folder, ".wav")), true},
        {MakeFolderItem(PathIn(folder, "Folder.aif\\")), false},
    };
    for (Case& c : cases)
    {
        TUTF16String path;
        c.item.GetPath(path);
        EXPECT_EQ(c.item.HasExtensionIn(list.c_str()), c.matches) << NSTextPackage::ToUTF8(path);
    }
    EXPECT_FALSE(cases[0].item.HasExtensionIn(Text(".wav").c_str()));
}

TEST(ShellItemFiles, ItemsAreValidWhileTheirObjectExists)
{
    NSFileLibTests::CScratchFolder folder;
    folder.WriteFile("Data.bin", Bytes("data"));
    std::filesystem::create_directory(folder.Path() / "Sub");
    CShellItem file = MakeFileItem(PathIn(folder, "Data.bin"));
    CShellItem subFolder = MakeFolderItem(PathIn(folder, "Sub\\"));
    EXPECT_TRUE(file.IsValid());
    EXPECT_TRUE(subFolder.IsValid());
    EXPECT_TRUE(CShellItem().IsValid());
    EXPECT_TRUE(MakeFolderItem(Text("C:\\")).IsValid());
    EXPECT_TRUE(MakeKnownFolderItem(FOLDERID_ComputerFolder).IsValid());

    std::filesystem::remove(folder.Path() / "Data.bin");
    std::filesystem::remove(folder.Path() / "Sub");
    EXPECT_FALSE(file.IsValid());
    EXPECT_FALSE(subFolder.IsValid());
}

TEST(ShellItemFiles, AnItemWithoutAPathKeepsTheShellsAnswer)
{
    NSFileLibTests::CScratchFolder folder;
    folder.WriteFile("Data.bin", Bytes("data"));
    CShellItem file = MakeFileItem(PathIn(folder, "Data.bin"));
    // Nothing to look up on disk, so the shell's validation decides, as it does on Windows.
    TWin32Calls calls = RealWin32Calls();
    calls.SHGetPathFromIDListW = [](PCIDLIST_ABSOLUTE, LPWSTR) -> BOOL { return FALSE; };
    CWin32CallsOverride noPath(calls);
    EXPECT_TRUE(file.IsValid());
}

TEST(ShellItemFiles, SizesOfFilesAndOfWhatHasNone)
{
    NSFileLibTests::CScratchFolder folder;
    folder.WriteFile("Five.bin", Bytes("12345"));
    folder.WriteFile("Empty.bin", {});
    folder.WriteFile("Gone.bin", Bytes("data"));
    CShellItem gone = MakeFileItem(PathIn(folder, "Gone.bin"));
    std::filesystem::remove(folder.Path() / "Gone.bin");

    EXPECT_EQ(MakeFileItem(PathIn(folder, "Five.bin")).GetFileSize(), 5u);
    EXPECT_EQ(MakeFileItem(PathIn(folder, "Empty.bin")).GetFileSize(), 0u);
    EXPECT_EQ(gone.GetFileSize(), kUnknownSize);
    EXPECT_EQ(MakeFolderItem(folder.FolderPath()).GetFileSize(), kUnknownSize);
}

TEST(ShellItemFiles, CreateFileMediaEmptiesTheFile)
{
    NSFileLibTests::CScratchFolder folder;
    folder.WriteFile("Old.bin", Bytes("old content"));
    CShellItem file = MakeFileItem(PathIn(folder, "Old.bin"));
    {
        const std::shared_ptr<NSFerrant::CMedia> media = file.CreateFileMedia(0, 0);
        ASSERT_TRUE(media);
        EXPECT_EQ(media->GetSize(), 0);
        media->Write(0, 3, "new");
    }
    EXPECT_EQ(folder.ReadFile("Old.bin"), Bytes("new"));
    EXPECT_FALSE(MakeFolderItem(folder.FolderPath()).CreateFileMedia(0, 0));
}

TEST(ShellItemFiles, ShortcutsResolveToFilesAndFolders)
{
    NSFileLibTests::CScratchFolder folder;
    folder.WriteFile("Target.bin", Bytes("data"));
    std::filesystem::create_directory(folder.Path() / "Sub");
    const CShellItem targetFile = MakeFileItem(PathIn(folder, "Target.bin"));
    const CShellItem targetFolder = MakeFolderItem(PathIn(folder, "Sub\\"));

    CShellItem toFile = MakeShortcut(folder, "ToFile.lnk", PathIn(folder, "Target.bin"));
    CShellItem toFolder = MakeShortcut(folder, "ToFolder.lnk", PathIn(folder, "Sub"));
    EXPECT_TRUE(toFile.IsShortcut());
    EXPECT_FALSE(toFile == targetFile);

    CShellItem resolved;
    toFile.ResolveShortcut(resolved);
    EXPECT_EQ(resolved.GetKind(), NSFerrant::kShellItemFile);
    EXPECT_TRUE(resolved == targetFile);
    toFolder.ResolveShortcut(resolved);
    EXPECT_EQ(resolved.GetKind(), NSFerrant::kShellItemFolder);
    // Wine's shell keeps a folder target's id list in a form its comparison does not match with a
    // parsed one, so the folder is recognised by its path.
    TUTF16String resolvedPath;
    TUTF16String folderPath;
    resolved.GetPath(resolvedPath);
    CShellItem(targetFolder).GetPath(folderPath);
    EXPECT_EQ(resolvedPath, folderPath);
    EXPECT_TRUE(toFile.IsShortcut()); // the shortcut item is left as it was
}

TEST(ShellItemFiles, ShortcutsFailToResolveWithXResolve)
{
    NSFileLibTests::CScratchFolder folder;
    folder.WriteFile("Target.bin", Bytes("data"));
    folder.WriteFile("Garbage.lnk", Bytes("no shortcut at all"));
    CShellItem shortcut = MakeShortcut(folder, "ToFile.lnk", PathIn(folder, "Target.bin"));
    CShellItem garbage = MakeFileItem(PathIn(folder, "Garbage.lnk"));
    CShellItem resolved;

    ExpectShellFailure<NSQuorral::XResolve>([&] { garbage.ResolveShortcut(resolved); });
    ExpectShellFailure<NSQuorral::XResolve>([&] { MakeFileItem(PathIn(folder, "Target.bin")).ResolveShortcut(resolved); });

    // The target's long path cannot be had: only a drive that is not ready or a network path
    // that cannot be found still counts as resolved.
    struct Case
    {
        DWORD error;
        bool resolves;
    };
    const Case kCases[] = {
        {ERROR_NOT_READY, true},
        {ERROR_BAD_NETPATH, true},
        {ERROR_FILE_NOT_FOUND, false},
        {ERROR_ACCESS_DENIED, false},
    };
    TWin32Calls calls = RealWin32Calls();
    calls.GetLongPathNameW = &FailingLongPathName;
    CWin32CallsOverride failing(calls);
    for (const Case& c : kCases)
    {
        gLongPathError = c.error;
        if (c.resolves)
            EXPECT_NO_THROW(shortcut.ResolveShortcut(resolved)) << c.error;
        else
            ExpectShellFailure<NSQuorral::XResolve>([&] { shortcut.ResolveShortcut(resolved); });
    }
}

TEST(ShellItemFiles, AShortcutToADeletedTargetFailsToResolve)
{
    NSFileLibTests::CScratchFolder folder;
    folder.WriteFile("Target.bin", Bytes("data"));
    CShellItem shortcut = MakeShortcut(folder, "ToFile.lnk", PathIn(folder, "Target.bin"));
    std::filesystem::remove(folder.Path() / "Target.bin");
    CShellItem resolved;
    ExpectShellFailure<NSQuorral::XResolve>([&] { shortcut.ResolveShortcut(resolved); });
}

TEST(ShellItemFiles, AnItemWithoutPathCannotResolve)
{
    CShellItem computer = MakeKnownFolderItem(FOLDERID_ComputerFolder);
    CShellItem resolved;
    ExpectShellFailure<NSQuorral::XNotFound>([&] { computer.ResolveShortcut(resolved); });
}
