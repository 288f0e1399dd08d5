// Disk items on a real scratch tree under Wine: lazy listing, names, shortcuts, the type
// predicates, change notifications inside and outside batches, and the clock-driven stamp of a
// folder that cannot be watched.
#include "tests/content/vfs/ContentTestSupport.h"

#include "base/ProgressInfo.h"
#include "base/TextCompare.h"
#include "content/vfs/ShellFile.h"
#include "filelib/ShellContainerIterator.h"
#include "filelib/ShellItem.h"
#include "filelib/WinShortcuts.h"
#include "base/Media.h"

#include <algorithm>
#include <filesystem>

namespace NSContentTests
{
namespace
{
// The names of the folder's children in the shell's own order.
std::vector<TUTF16String> ShellListing(const TUTF16String& folderPath)
{
    std::vector<TUTF16String> names;
    const NSFerrant::CShellItem folder(NSFileLibSupport::DirSpecFromWinPath(folderPath));
    for (NSFerrant::CShellContainerIterator listing(folder); !listing.IsDone(); listing.Next())
    {
        NSFerrant::CShellItem child;
        listing.GetCurrent(child);
        TUTF16String name;
        child.GetDisplayName(name);
        names.push_back(name);
    }
    return names;
}

bool HasChildNamed(const CItemPtr& folder, const std::string& name)
{
    for (const CItemPtr& child : GetChildItems(folder))
        if (child->GetName() == Text(name))
            return true;
    return false;
}

using ShellFileTest = CItemTest;

TEST_F(ShellFileTest, FindChildReadsTheListingOnlyUpToTheWantedChild)
{
    for (const char* name : {"a.txt", "b.txt", "c.txt", "d.txt", "e.txt"})
        MakeFile(std::string("five/") + name);
    const std::vector<TUTF16String> order = ShellListing(FolderPath("five"));
    ASSERT_EQ(order.size(), 5u);

    const CChildReadCounter counter;
    const CItemPtr folder = FolderItem("five");
    const CItemPtr third = FindChildItem(folder, order[2]);
    ASSERT_FALSE(third.IsEmpty());
    EXPECT_EQ(third->GetName(), order[2]);
    EXPECT_EQ(counter.Count(), 3u);

    EXPECT_EQ(NamesOf(GetChildItems(folder)), order);
    EXPECT_EQ(counter.Count(), 5u);
    EXPECT_TRUE(FindChildItem(folder, Text("missing.txt")).IsEmpty());
}

TEST_F(ShellFileTest, NamesThatDifferOnlyInCaseAreBothListedAndTheLaterIsFound)
{
    MakeFile("case/Name.txt", "first");
    MakeFile("case/NAME.TXT", "second");
    const std::vector<TUTF16String> order = ShellListing(FolderPath("case"));
    if (order.size() != 2)
        GTEST_SKIP() << "the file system keeps one of two names that differ in case";
    const CItemPtr folder = FolderItem("case");
    EXPECT_EQ(NamesOf(GetChildItems(folder)), order);
    const CItemPtr found = FindChildItem(folder, Text("name.TXT"));
    ASSERT_FALSE(found.IsEmpty());
    EXPECT_EQ(found->GetName(), order[1]);
}

TEST_F(ShellFileTest, AShortcutIsALinkToItsTargetsItem)
{
    MakeFile("target/sample.wav", "RIFF");
    MakeFolder("links");
    WinCreateShortcut(FilePath("target/sample.wav"), FilePath("links/sample.lnk"), Text("test"));
    const CItemPtr link = FileItem("links/sample.lnk");
    EXPECT_TRUE(link->IsLink());
    EXPECT_FALSE(link->IsFolder());
    const CItemPtr target = ResolveItemLink(link);
    ASSERT_FALSE(target.IsEmpty());
    EXPECT_TRUE(target == FileItem("target/sample.wav"));
    EXPECT_FALSE(target->IsLink());
    EXPECT_FALSE(FileItem("target/sample.wav")->IsLink());
}

TEST_F(ShellFileTest, FilesAndFoldersAnswerTheTypePredicates)
{
    MakeFile("kinds/data.bin", "12345");
    const CItemPtr file = FileItem("kinds/data.bin");
    const CItemPtr folder = FolderItem("kinds");
    struct Case
    {
        const char* predicate;
        bool (NSVirtualFS::CABCVirtualFileItem::*call)();
        bool file;
        bool folder;
    };
    const Case kCases[] = {
        {"IsFolder", &NSVirtualFS::CABCVirtualFileItem::IsFolder, false, true},
        {"IsFile", &NSVirtualFS::CABCVirtualFileItem::IsFile, true, true},
        {"IsRegularFile", &NSVirtualFS::CABCVirtualFileItem::IsRegularFile, true, false},
        {"IsFileSystemFolder", &NSVirtualFS::CABCVirtualFileItem::IsFileSystemFolder, false, true},
        {"IsLink", &NSVirtualFS::CABCVirtualFileItem::IsLink, false, false},
        {"IsVantleFile", &NSVirtualFS::CABCVirtualFileItem::IsVantleFile, false, false},
        {"IsBrowsableFile", &NSVirtualFS::CABCVirtualFileItem::IsBrowsableFile, false, false},
        {"IsAvailable", &NSVirtualFS::CABCVirtualFileItem::IsAvailable, true, true},
    };
    for (const Case& c : kCases)
    {
        EXPECT_EQ(((*file.Get()).*c.call)(), c.file) << c.predicate << " of a file";
        EXPECT_EQ(((*folder.Get()).*c.call)(), c.folder) << c.predicate << " of a folder";
    }

    EXPECT_EQ(file->GetSize(), 5u);
    EXPECT_EQ(GetItemDirSpec(file), nullptr);
    EXPECT_TRUE(GetChildItems(file).empty());
    EXPECT_TRUE(FindChildItem(file, Text("data.bin")).IsEmpty());
    {
        const std::shared_ptr<NSFerrant::CMedia> media = OpenItemMedia(file);
        ASSERT_NE(media, nullptr);
        EXPECT_EQ(media->GetSize(), 5);
    }
    EXPECT_NE(file->GetModificationTime(), 0u);
    EXPECT_NE(GetItemFileSpec(file), nullptr);

    EXPECT_EQ(folder->GetSize(), 0u);
    EXPECT_EQ(OpenItemMedia(folder), nullptr);
    EXPECT_NE(GetItemDirSpec(folder), nullptr);
    EXPECT_THROW(GetItemFileSpec(folder), std::domain_error);
    EXPECT_EQ(folder->GetVolumeType(), NSFileLib::kVolumeKindFixed);
    EXPECT_EQ(file->GetVolumeType(), NSFileLib::kVolumeKindFixed);
    EXPECT_EQ(file->GetVolumeName(), file->GetVolumeItem()->GetVolumeName());
    EXPECT_FALSE(folder->GetVolumeItem().IsEmpty());

    std::filesystem::remove(Scratch().Path() / "kinds" / "data.bin");
    EXPECT_FALSE(file->IsAvailable());
}

TEST_F(ShellFileTest, ANewFileIsListedOutsideABatchAndInsideOnlyAfterIt)
{
    MakeFolder("watched");
    const CItemPtr folder = FolderItem("watched");
    EXPECT_TRUE(GetChildItems(folder).empty());
    MakeFile("watched/outside.txt");
    EXPECT_TRUE(Eventually([&] { return HasChildNamed(folder, "outside.txt"); }));

    CItemPtr batchFolder;
    {
        const CItemDatabaseBatch batch;
        batchFolder = FolderItem("watched");
        EXPECT_EQ(GetChildItems(batchFolder).size(), 1u);
        // A watch of the test's own sees the change when the database's does: once it has fired,
        // a folder outside a batch would list the new file.
        const HANDLE change = ::FindFirstChangeNotificationW(
            NSTextPackage::AsWide(FolderPath("watched")), FALSE, FILE_NOTIFY_CHANGE_FILE_NAME);
        ASSERT_NE(change, INVALID_HANDLE_VALUE);
        MakeFile("watched/inside.txt");
        EXPECT_EQ(::WaitForSingleObject(change, 20000), WAIT_OBJECT_0);
        ::FindCloseChangeNotification(change);
        EXPECT_FALSE(HasChildNamed(batchFolder, "inside.txt"));
        EXPECT_FALSE(HasChildNamed(FolderItem("watched"), "inside.txt"));
    }
    EXPECT_TRUE(Eventually([&] { return HasChildNamed(batchFolder, "inside.txt"); }));
}

// The packing phases take every file of a folder from one listing; asking for the children again,
// by name, or the folder again by path must not list it anew while the batch lasts.
TEST_F(ShellFileTest, InsideABatchAFolderIsListedOnceAcrossEveryLookupOfItsChildren)
{
    const std::vector<std::string> names = {"1.wav", "2.wav", "3.wav", "4.wav", "5.wav", "6.wav"};
    for (const std::string& name : names)
        MakeFile("many/" + name);
    const CItemDatabaseBatch batch;
    const CChildReadCounter counter;
    const std::vector<CItemPtr> listed = GetChildItems(FolderItem("many"));
    ASSERT_EQ(listed.size(), names.size());
    EXPECT_EQ(counter.Count(), names.size());

    const CItemPtr folder = FolderItem("many");
    for (const CItemPtr& child : listed)
    {
        const CItemPtr found = FindChildItem(folder, child->GetName());
        EXPECT_EQ(found.Get(), child.Get());
    }
    const std::vector<CItemPtr> again = GetChildItems(folder);
    ASSERT_EQ(again.size(), listed.size());
    for (std::size_t i = 0; i < listed.size(); ++i)
        EXPECT_EQ(again[i].Get(), listed[i].Get());
    EXPECT_EQ(counter.Count(), names.size());
}

// A clock the test moves, and change notifications the platform refuses.
i64 gNow = 0;
i64 TestClock()
{
    return gNow;
}
HANDLE WINAPI RefuseChangeNotification(LPCWSTR, BOOL, DWORD)
{
    return INVALID_HANDLE_VALUE;
}

TEST_F(ShellFileTest, AFolderThatCannotBeWatchedIsListedAgainWhenItsTwentySecondStampMoves)
{
    NSVirtualFS::SShellFileCalls calls = NSVirtualFS::GetPlatformShellFileCalls();
    calls.getMilliseconds = TestClock;
    calls.findFirstChangeNotification = RefuseChangeNotification;
    const CShellFileCallsScope scope(calls);
    gNow = 1'000'000;

    MakeFolder("unwatched");
    const CItemPtr folder = FolderItem("unwatched");
    EXPECT_TRUE(GetChildItems(folder).empty());
    MakeFile("unwatched/new.txt");
    gNow = 1'000'000 + 19'999; // the same 20-second period
    EXPECT_TRUE(GetChildItems(folder).empty());
    gNow = 1'020'000;
    EXPECT_TRUE(HasChildNamed(folder, "new.txt"));
    EXPECT_EQ(NSVirtualFS::CFolderChangeNotification::GetOpenCount(), 0u);
}

TEST_F(ShellFileTest, FoldersTheDatabaseNoLongerKeepsGiveUpTheirNotifications)
{
    for (const char* name : {"tree/a/x.txt", "tree/b/x.txt", "tree/c/x.txt"})
        MakeFile(name);
    const u32 before = NSVirtualFS::CFolderChangeNotification::GetOpenCount();
    std::vector<CItemPtr> held;
    {
        const CItemDatabaseBatch batch;
        for (const CItemPtr& folder : GetChildItems(FolderItem("tree")))
        {
            GetChildItems(folder);
            held.push_back(folder);
        }
    }
    ASSERT_EQ(held.size(), 3u);
    EXPECT_GE(NSVirtualFS::CFolderChangeNotification::GetOpenCount(), before + 4);
    Database().RebuildCache();
    EXPECT_EQ(NSVirtualFS::CFolderChangeNotification::GetOpenCount(), before);
    // A held folder still notices what changes once it is listed again.
    MakeFile("tree/a/y.txt");
    const CItemPtr a =
        *std::find_if(held.begin(), held.end(), [](const CItemPtr& f) { return f->GetName() == Text("a"); });
    EXPECT_TRUE(Eventually([&] { return HasChildNamed(a, "y.txt"); }));
}

// Reports every progress record it is given.
class CProgressLog final : public IProgressListener
{
public:
    void Report(const NSFerrant::CABCProgressInfo& progress) override
    {
        const auto& simple = dynamic_cast<const NSFerrant::CSimpleProgressInfo&>(progress);
        fPermille.push_back(simple.fProgress);
        fMessage = simple.fMessage;
    }
    std::vector<u32> fPermille;
    TUTF16String fMessage;
};

TEST_F(ShellFileTest, ListingReportsProgressBeforeEachChild)
{
    for (const char* name : {"progress/1", "progress/2", "progress/3"})
        MakeFile(name);
    const CItemPtr folder = FolderItem("progress");
    CProgressLog listener;
    std::vector<CItemPtr> children;
    folder->GetChildren(children, &listener);
    EXPECT_EQ(children.size(), 3u);
    EXPECT_EQ(listener.fPermille, (std::vector<u32>{0, 333, 666}));
    EXPECT_EQ(listener.fMessage, Text("Scanning contents of progress"));
}
} // namespace
} // namespace NSContentTests
