#include "filelib/ShellContainerIterator.h"
#include "filelib/ShellIDLists.h"
#include "filelib/SpecialVirtualFolder.h"
#include "filelib/WinFolderEntries.h"
#include "filelib/WinShortcuts.h"
#include "tests/filelib/ShellItemTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

using namespace NSShellItemTests;
using NSFerrant::CShellContainerIterator;
using NSFerrant::CShellItem;

namespace
{
std::vector<CShellItem> ListChildren(const CShellItem& folder)
{
    std::vector<CShellItem> children;
    for (CShellContainerIterator iterator(folder); !iterator.IsDone(); iterator.Next())
    {
        CShellItem child;
        iterator.GetCurrent(child);
        children.push_back(child);
    }
    return children;
}

TUTF16String DisplayName(CShellItem item)
{
    TUTF16String name;
    item.GetDisplayName(name);
    return name;
}

bool Contains(std::vector<CShellItem>& items, const CShellItem& wanted)
{
    return std::any_of(items.begin(), items.end(), [&](const CShellItem& item) { return item == wanted; });
}

// What the shell itself lists in the folder, special folders included.
std::vector<TUTF16String> ListShellNames(const CShellItem& folder)
{
    IShellFolder* desktop = nullptr;
    EXPECT_HRESULT_SUCCEEDED(::SHGetDesktopFolder(&desktop));
    IShellFolder* shellFolder = nullptr;
    EXPECT_HRESULT_SUCCEEDED(
        desktop->BindToObject(folder.GetIDList(), nullptr, IID_IShellFolder, reinterpret_cast<void**>(&shellFolder)));
    IEnumIDList* listing = nullptr;
    EXPECT_EQ(shellFolder->EnumObjects(nullptr, SHCONTF_FOLDERS | SHCONTF_NONFOLDERS, &listing), S_OK);
    std::vector<TUTF16String> names;
    LPITEMIDLIST id = nullptr;
    while (listing->Next(1, &id, nullptr) == S_OK)
    {
        names.push_back(NSFerrant::GetDisplayNameOf(SHGDN_INFOLDER, shellFolder, id));
        ::CoTaskMemFree(id);
    }
    listing->Release();
    shellFolder->Release();
    desktop->Release();
    return names;
}
} // namespace

TEST(ShellContainerIterator, ListsFilesAndFoldersButNoHiddenItems)
{
    NSFileLibTests::CScratchFolder folder;
    folder.WriteFile("Visible.txt", {1, 2});
    folder.WriteFile("Hidden.txt", {3});
    ASSERT_TRUE(::SetFileAttributesW((folder.Path() / "Hidden.txt").c_str(), FILE_ATTRIBUTE_HIDDEN));
    std::filesystem::create_directory(folder.Path() / "Sub");

    std::vector<CShellItem> children = ListChildren(MakeFolderItem(folder.FolderPath()));
    ASSERT_EQ(children.size(), 2u);
    EXPECT_TRUE(Contains(children, MakeFileItem(PathIn(folder, "Visible.txt"))));
    EXPECT_TRUE(Contains(children, MakeFolderItem(PathIn(folder, "Sub\\"))));
    for (CShellItem& child : children)
    {
        const TUTF16String name = DisplayName(child);
        EXPECT_EQ(child.GetKind(), name == Text("Sub") ? NSFerrant::kShellItemFolder : NSFerrant::kShellItemFile)
            << NSTextPackage::ToUTF8(name);
    }
}

// A listed child takes its path from the folder the listing bound and its file specification
// from the folder's long path; both must be what the child's own path gives.
TEST(ShellContainerIterator, AListedChildHasThePathAndFileSpecificationOfItsPath)
{
    NSFileLibTests::CScratchFolder folder;
    for (const std::u16string& name : {std::u16string(u"Plain.wav"),
                                       std::u16string(u"\u00dcn\u00efc\u00f6d\u00e9 \u03a9mega \u97f3.wav"),
                                       std::u16string(180, u'L') + u".wav"})
        folder.Write(name, "x");
    std::filesystem::create_directory(folder.Path() / "Sub");
    WinCreateShortcut(PathIn(folder, "Plain.wav"), PathIn(folder, "Link.lnk"), Text("test"));

    std::vector<CShellItem> children = ListChildren(MakeFolderItem(folder.FolderPath()));
    ASSERT_EQ(children.size(), 5u);
    for (CShellItem& child : children)
    {
        wchar_t shellPath[MAX_PATH + 1] = {};
        ASSERT_TRUE(::SHGetPathFromIDListW(child.GetIDList(), shellPath));
        TUTF16String path;
        child.GetPath(path);
        EXPECT_EQ(path, NSTextPackage::FromWide(shellPath));
        if (child.GetKind() != NSFerrant::kShellItemFile)
            continue;
        CShellItem byPath = MakeFileItem(path);
        EXPECT_EQ(child.IsShortcut(), byPath.IsShortcut()) << NSTextPackage::ToUTF8(path);
        EXPECT_EQ(NSFileLibSupport::GetFileWinPath(child.GetFileSpec().get()),
                  NSFileLibSupport::GetFileWinPath(byPath.GetFileSpec().get()));
    }
}

// The walk that compares the shell's listing with the disk takes the folder's entries from the
// listing: they must be every entry a listing of the folder on disk gives, those the shell does
// not show included.
TEST(ShellContainerIterator, EveryChildCarriesTheEntriesOfItsFolderOnDisk)
{
    NSFileLibTests::CScratchFolder folder;
    folder.WriteFile("Visible.wav", {1});
    folder.WriteFile("Hidden.wav", {2});
    ASSERT_TRUE(::SetFileAttributesW((folder.Path() / "Hidden.wav").c_str(), FILE_ATTRIBUTE_HIDDEN));
    std::filesystem::create_directory(folder.Path() / "Sub");

    const auto key = [](const std::vector<SWinFolderEntry>& entries) {
        std::vector<std::pair<TUTF16String, u32>> sorted;
        for (const SWinFolderEntry& entry : entries)
            sorted.emplace_back(entry.fName, entry.fAttributes);
        std::sort(sorted.begin(), sorted.end());
        return sorted;
    };
    const auto onDisk = key(WinListFolderEntries(folder.FolderPath()));
    ASSERT_EQ(onDisk.size(), 3u);
    std::vector<CShellItem> children = ListChildren(MakeFolderItem(folder.FolderPath()));
    ASSERT_FALSE(children.empty());
    for (const CShellItem& child : children)
    {
        const std::shared_ptr<const NSFerrant::SLongFolder> listed = child.GetListedFolder();
        ASSERT_TRUE(listed && listed->fEntries);
        EXPECT_EQ(listed->fPath, folder.FolderPath());
        EXPECT_EQ(key(*listed->fEntries), onDisk);
    }
}

TEST(ShellContainerIterator, AnEmptyFolderIsDoneAtOnce)
{
    NSFileLibTests::CScratchFolder folder;
    CShellContainerIterator iterator(MakeFolderItem(folder.FolderPath()));
    EXPECT_TRUE(iterator.IsDone());
    CShellItem child;
    ExpectShellFailure<NSQuorral::XIllegalCallSequence>([&] { iterator.GetCurrent(child); });
}

TEST(ShellContainerIterator, TheSpecialFoldersAreSkippedWhereTheShellListsThem)
{
    ASSERT_EQ(NSFerrant::GetSkippedSpecialFolders().size(), 3u);
    const CShellItem computer = MakeKnownFolderItem(FOLDERID_ComputerFolder);
    const CShellItem controlPanel = MakeKnownFolderItem(FOLDERID_ControlPanelFolder);
    const TUTF16String controlPanelName = DisplayName(controlPanel);
    ASSERT_FALSE(controlPanelName.empty());

    // The shell lists the Control Panel in My Computer; the iterator does not hand it out.
    const std::vector<TUTF16String> shellNames = ListShellNames(computer);
    ASSERT_NE(std::find(shellNames.begin(), shellNames.end(), controlPanelName), shellNames.end());
    std::vector<CShellItem> children = ListChildren(computer);
    EXPECT_FALSE(Contains(children, controlPanel));
    EXPECT_TRUE(Contains(children, MakeFolderItem(Text("C:\\"))));
    for (CShellItem& child : children)
        EXPECT_NE(DisplayName(child), controlPanelName);

    // The same for the bin of deleted items on the desktop, next to folders that stay.
    const CShellItem desktop;
    const CShellItem bin = MakeKnownFolderItem(FOLDERID_RecycleBinFolder);
    std::vector<CShellItem> desktopChildren = ListChildren(desktop);
    EXPECT_FALSE(Contains(desktopChildren, bin));
    EXPECT_TRUE(Contains(desktopChildren, computer));
}

TEST(ShellContainerIterator, AChildNamedLikeASpecialFolderElsewhereIsListed)
{
    NSFileLibTests::CScratchFolder folder;
    const TUTF16String controlPanelName = DisplayName(MakeKnownFolderItem(FOLDERID_ControlPanelFolder));
    std::filesystem::create_directory(folder.Path() / std::u16string(controlPanelName.begin(), controlPanelName.end()));
    std::vector<CShellItem> children = ListChildren(MakeFolderItem(folder.FolderPath()));
    ASSERT_EQ(children.size(), 1u);
    EXPECT_EQ(DisplayName(children[0]), controlPanelName);
}
