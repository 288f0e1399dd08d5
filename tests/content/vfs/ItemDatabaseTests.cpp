// The item database: identity inside and outside batches, ancestors up to the desktop, nested
// batches, the rebuild, the cache of registered items and the root folder of packages.
#include "tests/content/vfs/ContentTestSupport.h"
#include "tests/content/vfs/TestItemFactory.h"

#include "base/Quorral.h"
#include "content/references/AbsolutePath.h"
#include "content/references/DatabasePath.h"
#include "content/vfs/DatabaseInterface.h"
#include "filelib/ShellContainerIterator.h"
#include "filelib/ShellItem.h"

#include <algorithm>
#include <filesystem>
#include <set>

namespace NSContentTests
{
namespace
{
using ItemDatabaseTest = CItemTest;

TEST_F(ItemDatabaseTest, OneObjectPerItemInsideABatchEqualButDistinctOutside)
{
    MakeFile("same.txt");
    const CItemPtr first = FileItem("same.txt");
    const CItemPtr second = FileItem("same.txt");
    EXPECT_NE(first.Get(), second.Get());
    EXPECT_TRUE(first == second);
    EXPECT_FALSE(first == FolderItem(""));

    CItemPtr inBatch;
    {
        const CItemDatabaseBatch batch;
        inBatch = FileItem("same.txt");
        EXPECT_EQ(FileItem("same.txt").Get(), inBatch.Get());
        EXPECT_EQ(inBatch->GetParent().Get(), FolderItem("").Get());
    }
    // Registered items stay until the cache is rebuilt.
    EXPECT_EQ(FileItem("same.txt").Get(), inBatch.Get());
    Database().RebuildCache();
    EXPECT_NE(FileItem("same.txt").Get(), inBatch.Get());
}

TEST_F(ItemDatabaseTest, AnItemMakesItsAncestorsUpToTheDesktop)
{
    MakeFile("deep/file.txt");
    std::vector<CItemPtr> chain;
    for (CItemPtr item = FileItem("deep/file.txt"); !item.IsEmpty(); item = item->GetParent())
        chain.push_back(item);
    ASSERT_GE(chain.size(), 5u);
    EXPECT_EQ(chain[0]->GetName(), Text("file.txt"));
    EXPECT_EQ(chain[1]->GetName(), Text("deep"));
    const std::u16string scratchName = Scratch().Path().filename().u16string();
    EXPECT_EQ(chain[2]->GetName(), TUTF16String(scratchName.begin(), scratchName.end()));
    EXPECT_TRUE(chain.back() == Database().GetDesktopItem());
    EXPECT_TRUE(chain.back() == Database().GetShellRootItem());
    // The volume root is among the ancestors, and every item below it knows it.
    const CItemPtr volume = chain[0]->GetVolumeItem();
    ASSERT_FALSE(volume.IsEmpty());
    EXPECT_NE(std::find(chain.begin(), chain.end(), volume), chain.end());
    EXPECT_EQ(volume->GetVolumeItem().Get(), volume.Get());
}

TEST_F(ItemDatabaseTest, OnlyTheOutermostBatchBeginsAndEndsUpdates)
{
    const CTestItemFactory factory;
    MakeFile("loop.kiv");
    CItemPtr loop;
    {
        const CItemDatabaseBatch outer;
        loop = FileItem("loop.kiv");
        EXPECT_EQ(OpenUpdatesOf(loop), 1);
        {
            const CItemDatabaseBatch inner;
            EXPECT_EQ(FileItem("loop.kiv").Get(), loop.Get());
            EXPECT_EQ(OpenUpdatesOf(loop), 1);
        }
        EXPECT_EQ(OpenUpdatesOf(loop), 1);
    }
    EXPECT_EQ(OpenUpdatesOf(loop), 0);
    {
        const CItemDatabaseBatch again;
        EXPECT_EQ(OpenUpdatesOf(loop), 1);
    }
    EXPECT_EQ(OpenUpdatesOf(loop), 0);
}

TEST_F(ItemDatabaseTest, RebuildKeepsOnlyTheMountedPackagesWithBalancedUpdates)
{
    const CTestItemFactory factory;
    MakeFile("bank.vtl", "VTL Bank");
    MakeFile("plain.txt");
    CItemPtr package;
    CItemPtr plain;
    {
        const CItemDatabaseBatch batch;
        package = FileItem("bank.vtl");
        plain = FileItem("plain.txt");
        ASSERT_TRUE(package->IsVantleFile());
        Database().RebuildCache();
        EXPECT_EQ(Database().GetRegistry().Items().size(), 1u);
        EXPECT_EQ(FileItem("bank.vtl").Get(), package.Get());
        EXPECT_EQ(OpenUpdatesOf(package), 1);
        EXPECT_NE(FileItem("plain.txt").Get(), plain.Get());
    }
    EXPECT_EQ(OpenUpdatesOf(package), 0);
    Database().RebuildCache();
    EXPECT_EQ(FileItem("bank.vtl").Get(), package.Get());
    EXPECT_EQ(Database().GetRegistry().Items().size(), 1u);
}

TEST_F(ItemDatabaseTest, UnregisteringAnItemLeavesTheOthersOfItsBucketFindable)
{
    for (const char* path : {"a/same.txt", "b/same.txt", "c/same.txt"})
        MakeFile(path);
    const CItemDatabaseBatch batch;
    const CItemPtr a = FileItem("a/same.txt");
    const CItemPtr b = FileItem("b/same.txt");
    const CItemPtr c = FileItem("c/same.txt");
    Database().GetRegistry().Unregister(b);
    EXPECT_EQ(FileItem("a/same.txt").Get(), a.Get());
    EXPECT_EQ(FileItem("c/same.txt").Get(), c.Get());
    const CItemPtr again = FileItem("b/same.txt");
    EXPECT_NE(again.Get(), b.Get());
    EXPECT_TRUE(again == b);
    EXPECT_EQ(b->GetName(), Text("same.txt")); // still alive: the test holds it
}

TEST_F(ItemDatabaseTest, AMissingFolderIsNotFound)
{
    MakeFolder("gone");
    const NSFileLibSupport::TDirSpecPtr spec = NSFileLibSupport::DirSpecFromWinPath(FolderPath("gone"));
    std::filesystem::remove(Scratch().Path() / "gone");
    EXPECT_THROW(GetItemForFolder(spec), NSQuorral::XNotFound);
}

// Counts the shell's comparisons the cache asks for.
u32 gShellComparisons = 0;
bool CountingEquality(const NSFerrant::CShellItem& a, const NSFerrant::CShellItem& b)
{
    ++gShellComparisons;
    return a == b;
}

TEST_F(ItemDatabaseTest, ManyRegisteredItemsAreFoundWithoutAskingTheShell)
{
    // More items than the cache's first table has buckets, so the cache grows on the way.
    constexpr u32 kCount = 1500;
    for (u32 index = 0; index < kCount; ++index)
        MakeFile("many/f" + std::to_string(index) + ".txt");
    const CItemDatabaseBatch batch;
    const CItemPtr folder = FolderItem("many");
    const std::vector<CItemPtr> children = GetChildItems(folder);
    ASSERT_EQ(children.size(), kCount);
    std::set<NSVirtualFS::CABCVirtualFileItem*> registered;
    for (const CItemPtr& child : children)
        registered.insert(child.Get());

    const CItemCache::TShellItemEquality previous = CItemCache::ExchangeShellItemEquality(CountingEquality);
    gShellComparisons = 0;
    u32 found = 0;
    // Fresh shell objects of the same files, as another walk would make them.
    const NSFerrant::CShellItem folderShellItem(NSFileLibSupport::DirSpecFromWinPath(FolderPath("many")));
    for (NSFerrant::CShellContainerIterator listing(folderShellItem); !listing.IsDone(); listing.Next())
    {
        auto child = std::make_shared<NSFerrant::CShellItem>();
        listing.GetCurrent(*child);
        TUTF16String name;
        child->GetDisplayName(name);
        if (registered.count(Database().GetItem(child, name, {}).Get()))
            ++found;
    }
    CItemCache::ExchangeShellItemEquality(previous);
    EXPECT_EQ(found, kCount);
    EXPECT_LE(gShellComparisons, found);
}

TEST_F(ItemDatabaseTest, TheRootFolderListsTheMountedPackages)
{
    const CTestItemFactory factory;
    MakeFile("one.vtl", "VTL First Bank");
    const CItemPtr root = Database().GetDatabaseRoot();
    EXPECT_EQ(root->GetName(), Text("Vantles"));
    EXPECT_EQ(root->GetDisplayName(), Text("Vantles"));
    EXPECT_TRUE(root->IsFolder());
    EXPECT_TRUE(root->IsAvailable());
    EXPECT_TRUE(root->GetParent().IsEmpty());
    EXPECT_TRUE(root->GetTypeName().empty());
    EXPECT_TRUE(GetChildItems(root).empty());
    EXPECT_THROW(GetItemFileSpec(root), std::exception);

    const CItemPtr package = FileItem("one.vtl");
    EXPECT_EQ(GetChildItems(root), std::vector<CItemPtr>{package});
    EXPECT_EQ(FindChildItem(root, Text("FIRST bank")).Get(), package.Get());
    EXPECT_TRUE(FindChildItem(root, Text("one.vtl")).IsEmpty());
    EXPECT_NE(root->GetIcon(0), nullptr);
}

// The packing log prints path descriptions, whose texts begin with the names of these roots.
TEST_F(ItemDatabaseTest, PathTextsStartFromTheNamesOfItsRootFolderAndOfTheDesktop)
{
    CDatabasePath database;
    database.fValid = 1;
    database.fComponents = {THashedString(Text("Bank")), THashedString(Text("kick.aif"))};
    EXPECT_EQ(database.GetDisplayText(), Text("Vantles:Bank/kick.aif"));
    CAbsolutePath absolute;
    absolute.fValid = 1;
    absolute.fComponents = {THashedString(Text("kick.aif"))};
    const TUTF16String desktop = Database().GetShellRootItem()->GetName();
    EXPECT_FALSE(desktop.empty());
    EXPECT_EQ(absolute.GetDisplayText(), desktop + Text("/kick.aif"));
}
} // namespace
} // namespace NSContentTests
