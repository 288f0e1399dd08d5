// A package file as a folder: the entry tree built from the index rows, the package item's names
// and states, its readers inside and outside update batches, and how long entries and their
// media keep the package.
#include "tests/content/folders/FolderTestSupport.h"

#include "base/ExceptionClasses.h"
#include "content/package/EntryPath.h"
#include "content/package/PackedFileTypes.h"
#include "content/package/UnpackedEntryMedia.h"
#include "content/package/VantleFile.h"
#include "content/package/VantleReader.h"
#include "content/paths/ItemSearch.h"
#include "content/vfs/ItemDatabase.h"
#include "content/vfs/ItemFileTypes.h"
#include "base/Media.h"
#include "filelib/FileMedia.h"

#include <windows.h>

#include <cctype>
#include <filesystem>
#include <sstream>

namespace NSContentTests
{
namespace
{
using NSTestSupport::TTestEntry;
using NSTestSupport::TTestPackage;
using NSVirtualFS::CVantleFile;
using PackageFolderTest = CFolderTest;

TTestPackage PackageOf(const std::vector<TTestEntry>& entries, const std::string& name = "Drums")
{
    TTestPackage package;
    package.fInfo.fName = NSTextPackage::UTF8ToUTF16(name);
    package.fInfo.fCopyright = Text("(c) Drummer");
    package.fEntries = entries;
    return package;
}

struct TTreeCase
{
    const char* fWhat;
    std::vector<TTestEntry> fRows;
    const char* fTree;
};

TEST_F(PackageFolderTest, RowsBecomeATreeOfFoldersAndFiles)
{
    const TTreeCase cases[] = {
        {"rows of one folder apart", {Entry("A:x", 14), Entry("A:y", 14), Entry("B:z", 14), Entry("A:w", 14)},
         "A{x,y,w},B{z}"},
        {"root folders ignore case as deeper ones do", {Entry("a:x", 14), Entry("A:y", 14)}, "a{x,y}"},
        {"deeper folders ignore case", {Entry("R:a:x", 14), Entry("R:A:y", 14)}, "R{a{x,y}}"},
        {"a file and a folder of one name", {Entry("x", 14), Entry("x:y", 14)}, "x,x{y}"},
        {"a subfolder and a file of one name", {Entry("R:x", 14), Entry("R:x:y", 14)}, "R{x,x{y}}"},
        {"a file first does not hide its namesake folder",
         {Entry("R:x", 14), Entry("R:x:a", 14), Entry("R:y:a", 14), Entry("R:x:b", 14)}, "R{x,x{a,b},y{a}}"},
        {"empty components", {Entry("::x", 14)}, "{{x}}"},
        {"duplicate names", {Entry("A:x", 14), Entry("A:x", 14)}, "A{x,x}"},
        {"hidden rows are listed nowhere", {Entry("SPLASH.JPG", 9, "x", true), Entry("A:b", 14, "x", true),
                                            Entry("c", 14)}, "c"},
    };
    int index = 0;
    for (const TTreeCase& treeCase : cases)
    {
        const std::string name = "tree" + std::to_string(index++) + ".vtl";
        WritePackage(name, PackageOf(treeCase.fRows));
        EXPECT_EQ(TreeOf(PackageItem(name)), treeCase.fTree) << treeCase.fWhat;
    }
}

// A row named A:A:...:A:x, folders deep.
std::string DeepRow(std::size_t folders)
{
    std::string name;
    for (std::size_t level = 0; level < folders; ++level)
        name += "A:";
    return name + "x";
}

std::vector<TTestEntry> ManyRootFolders(std::size_t count)
{
    std::vector<TTestEntry> rows;
    for (std::size_t index = 0; index < count; ++index)
        rows.push_back(Entry("F" + std::to_string(index) + ":x", 14));
    return rows;
}

struct TCraftedIndexCase
{
    const char* fWhat;
    std::vector<TTestEntry> fRows;
    std::size_t fRootEntries; // kRefused: the walk fails and the package lists nothing
};
constexpr std::size_t kRefused = std::size_t(-1);

// Worst cases of a foreign package's index: each lists or is refused whole, and its item goes
// quietly with whatever tree it holds.
TEST_F(PackageFolderTest, CraftedIndexesListOrAreRefusedWhole)
{
    const TCraftedIndexCase cases[] = {
        {"one folder past the bound", {Entry("B:c", 14), Entry(DeepRow(kDeepestEntryPath + 1), 14)}, kRefused},
        {"at the bound", {Entry(DeepRow(kDeepestEntryPath), 14), Entry(DeepRow(kDeepestEntryPath), 14)}, 1},
        {"40,000 root folders", ManyRootFolders(40000), 40000},
        {"40,000 rows of one root folder in turns of case",
         [] {
             std::vector<TTestEntry> rows;
             for (std::size_t index = 0; index < 40000; ++index)
                 rows.push_back(Entry(index % 2 ? "f:x" : "F:x", 14));
             return rows;
         }(),
         1},
        {"30,000 folders deep", {Entry("before", 14), Entry("B:c", 14), Entry(DeepRow(30000), 14)}, kRefused},
    };
    int index = 0;
    for (const TCraftedIndexCase& crafted : cases)
    {
        const std::string name = "crafted" + std::to_string(index++) + ".vtl";
        WritePackage(name, PackageOf(crafted.fRows));
        const CItemPtr package = PackageItem(name);
        std::vector<CItemPtr> children;
        if (crafted.fRootEntries == kRefused)
        {
            EXPECT_THROW(package->GetChildren(children, nullptr), NSQuorral::XFormatViolation) << crafted.fWhat;
            EXPECT_TRUE(GetChildItems(package).empty()) << crafted.fWhat;
        }
        else
        {
            package->GetChildren(children, nullptr);
            EXPECT_EQ(children.size(), crafted.fRootEntries) << crafted.fWhat;
        }
    }
}

TEST_F(PackageFolderTest, ARowAtTheBoundIsWalkedToItsFileAndReleased)
{
    WritePackage("deepest.vtl", PackageOf({Entry(DeepRow(kDeepestEntryPath) + ".txt", 14, "bottom")}));
    CItemPtr bottom;
    {
        const CItemPtr package = PackageItem("deepest.vtl");
        CItemPtr item = package;
        for (std::size_t level = 0; level < kDeepestEntryPath && !item.IsEmpty(); ++level)
            item = FindChildItem(item, Text("a"));
        ASSERT_FALSE(item.IsEmpty());
        bottom = FindChildItem(item, Text("x.txt"));
        ASSERT_FALSE(bottom.IsEmpty());
        // The walks by components of references reach it too, the one that retries without an
        // extension as well.
        TPathComponents components(kDeepestEntryPath, THashedString(Text("A")));
        components.push_back(THashedString(Text("x")));
        EXPECT_TRUE(FindItemByComponents(package, components).IsEmpty());
        EXPECT_EQ(FindItemByComponentsIgnoringExtension(package, components), bottom);
    }
    EXPECT_EQ(BytesOf(*OpenItemMedia(bottom)), "bottom");
    // The last holder takes the package item and its whole tree with it.
    bottom.Reset();
    EXPECT_TRUE(::DeleteFileW(reinterpret_cast<LPCWSTR>(FilePath("deepest.vtl").c_str())));
}

TEST_F(PackageFolderTest, AFolderFindsTheFirstChildOfANameInAnyCase)
{
    WritePackage("a.vtl", PackageOf({Entry("A:x", 14, "first"), Entry("A:x", 14, "second!")}));
    const CItemPtr package = PackageItem("a.vtl");
    const CItemPtr folder = FindChildItem(package, Text("a"));
    ASSERT_FALSE(folder.IsEmpty());
    const CItemPtr found = FindChildItem(folder, Text("X"));
    ASSERT_FALSE(found.IsEmpty());
    EXPECT_EQ(BytesOf(*OpenItemMedia(found)), "first");
    EXPECT_TRUE(FindChildItem(folder, Text("y")).IsEmpty());
    EXPECT_EQ(found->GetParent(), folder);
    EXPECT_EQ(folder->GetParent(), package);
}

// Every level indexes its entries by name: the package's top level and a folder, each of many
// entries, past several growths of the index.
TEST_F(PackageFolderTest, LevelsOfManyEntriesFindEachInAnyCaseAndTheFirstOfAName)
{
    constexpr int kTakes = 600;
    const auto take = [](int i) { return "Take" + std::to_string(i) + ".wav"; };
    std::vector<TTestEntry> rows;
    for (int i = 0; i < kTakes; ++i)
        rows.push_back(Entry("F:" + take(i), 14, "in folder"));
    for (int i = 0; i < kTakes; ++i)
        rows.push_back(Entry(take(i), 14, "at top"));
    rows.push_back(Entry("F:TAKE7.WAV", 14, "later"));
    rows.push_back(Entry("take7.wav", 14, "later"));
    WritePackage("many.vtl", PackageOf(rows));
    const CItemPtr package = PackageItem("many.vtl");
    const CItemPtr folder = FindChildItem(package, Text("f"));
    ASSERT_FALSE(folder.IsEmpty());

    const std::vector<CItemPtr> inFolder = GetChildItems(folder);
    const std::vector<CItemPtr> atTop = GetChildItems(package);
    ASSERT_EQ(inFolder.size(), std::size_t(kTakes) + 1);
    ASSERT_EQ(atTop.size(), std::size_t(kTakes) + 2);
    EXPECT_EQ(atTop[0], folder);
    for (int i = 0; i < kTakes; ++i)
    {
        std::string upper = take(i);
        for (char& c : upper)
            c = char(std::toupper(static_cast<unsigned char>(c)));
        EXPECT_EQ(inFolder[std::size_t(i)]->GetName(), Text(take(i)));
        EXPECT_EQ(FindChildItem(folder, Text(upper)), inFolder[std::size_t(i)]) << upper;
        EXPECT_EQ(FindChildItem(package, Text(upper)), atTop[std::size_t(i) + 1]) << upper;
    }
    EXPECT_EQ(BytesOf(*OpenItemMedia(FindChildItem(folder, Text("take7.WAV")))), "in folder");
    EXPECT_EQ(BytesOf(*OpenItemMedia(FindChildItem(package, Text("TAKE7.wav")))), "at top");
    EXPECT_EQ(BytesOf(*OpenItemMedia(inFolder.back())), "later");
}

struct TTypeNameCase
{
    const char* fRow;
    const char* fTypeName;
};

// Entries of one extension share their type name; each is the one the file associations give.
TEST_F(PackageFolderTest, FileEntriesNameTheirTypesByTheirExtensions)
{
    const TTypeNameCase cases[] = {
        {"x.unknownzz", ".unknownzz"}, {"A:y.unknownzz", ".unknownzz"},   {"z.otherzz", ".otherzz"},
        {"no extension", ""},          {"A:B:w.unknownzz", ".unknownzz"},
    };
    std::vector<TTestEntry> rows;
    for (const TTypeNameCase& typeCase : cases)
        rows.push_back(Entry(typeCase.fRow, 14));
    WritePackage("types.vtl", PackageOf(rows));
    const CItemPtr package = PackageItem("types.vtl");
    std::vector<CItemPtr> entries;
    for (const TTypeNameCase& typeCase : cases)
    {
        CItemPtr entry = package;
        std::stringstream path(typeCase.fRow);
        for (std::string component; std::getline(path, component, ':') && !entry.IsEmpty();)
            entry = FindChildItem(entry, Text(component));
        ASSERT_FALSE(entry.IsEmpty()) << typeCase.fRow;
        entries.push_back(entry);
    }
    const NSTextPackage::TUTF16String& first = entries[0]->GetTypeName();
    for (std::size_t index = 0; index < entries.size(); ++index)
    {
        EXPECT_EQ(entries[index]->GetTypeName(), Text(cases[index].fTypeName)) << cases[index].fRow;
        EXPECT_EQ(entries[index]->GetTypeName(), GetFriendlyTypeName(entries[index]->GetName()))
            << cases[index].fRow;
    }
    // Still the text it was once the others were asked.
    EXPECT_EQ(first, Text(".unknownzz"));
}

struct TOpenFileCase
{
    const char* fWhat;
    std::vector<TTestEntry> fRows;
    bool fHeldOpen;
};

// A parsed tree holds the package open for its files to read; a tree without files does not.
TEST_F(PackageFolderTest, APackageStaysOpenWhileItsTreeHoldsAFile)
{
    const TOpenFileCase cases[] = {
        {"a listed file", {Entry("A:x", 14)}, true},
        {"a hidden file only", {Entry("SPLASH.JPG", 9, "x", true)}, true},
        {"no rows", {}, false},
        {"a hidden row with a path only", {Entry("A:b", 14, "x", true)}, false},
    };
    for (const TOpenFileCase& openCase : cases)
    {
        WritePackage("open.vtl", PackageOf(openCase.fRows));
        CItemPtr package = PackageItem("open.vtl");
        GetChildItems(package);
        const bool deleted = ::DeleteFileW(reinterpret_cast<LPCWSTR>(FilePath("open.vtl").c_str())) != FALSE;
        EXPECT_EQ(deleted, !openCase.fHeldOpen) << openCase.fWhat;
        // Once the item is gone, the file goes in any case.
        package.Reset();
        if (!deleted)
            EXPECT_TRUE(::DeleteFileW(reinterpret_cast<LPCWSTR>(FilePath("open.vtl").c_str())))
                << openCase.fWhat;
    }
}

TEST_F(PackageFolderTest, EntriesAnswerAsTheirPackedTypeSays)
{
    const std::string patch = "a patch stored compressed, a patch stored compressed";
    const NSTestSupport::TBytes framed =
        NSTestSupport::FrameCompressedEntry(NSTestSupport::TBytes(patch.begin(), patch.end()));
    TTestPackage package = PackageOf({Entry("Kick.korb", kPackedTypeKORB, "kick")});
    package.fEntries.push_back({Text("Pad.brd"), kPackedTypeBraiderPatch, framed, false});
    WritePackage("a.vtl", package);
    const std::vector<CItemPtr> entries = GetChildItems(PackageItem("a.vtl"));
    ASSERT_EQ(entries.size(), 2u);

    EXPECT_FALSE(entries[0]->IsFolder());
    EXPECT_EQ(entries[0]->GetSize(), 4u);
    EXPECT_TRUE(entries[0]->IsOfType(NSFileLibSupport::MakeFileTypeDescriptor(".korb", 0)));
    EXPECT_FALSE(entries[0]->IsOfType(NSFileLibSupport::MakeFileTypeDescriptor(".brd", 0)));
    EXPECT_TRUE(GetChildItems(entries[0]).empty());

    EXPECT_EQ(entries[1]->GetSize(), framed.size()); // stored, not unpacked
    EXPECT_EQ(BytesOf(*OpenItemMedia(entries[1])), patch);
}

struct TUnpackedCase
{
    const char* fWhat;
    NSTestSupport::TBytes fFile;
    u32 fStoredSize;
    bool fInMemory;
};

TEST_F(PackageFolderTest, ACompressedEntryUnpacksIntoMemoryOnlyUpToABound)
{
    const NSTestSupport::TBytes patch(5000, 0x2A);
    // Zeros deflate a thousandfold: a small entry that unpacks past the bound.
    const NSTestSupport::TBytes zeros(kLargestUnpackedEntryInMemory + 4096, 0);
    const TUnpackedCase cases[] = {
        {"exact size", patch, u32(patch.size()), true},
        {"stored size at the bound", patch, kLargestUnpackedEntryInMemory, true},
        {"stored size past the bound", patch, kLargestUnpackedEntryInMemory + 1, false},
        {"the size field's most", patch, 0xFFFFFFFF, false},
        {"a stream past the bound", zeros, 0xFFFFFFFF, false},
    };
    TTestPackage package = PackageOf({});
    for (const TUnpackedCase& unpackedCase : cases)
        package.fEntries.push_back({Text("Pad.brd"), kPackedTypeBraiderPatch,
                                    NSTestSupport::FrameCompressedEntry(unpackedCase.fFile, unpackedCase.fStoredSize),
                                    false});
    WritePackage("a.vtl", package);
    const std::vector<CItemPtr> entries = GetChildItems(PackageItem("a.vtl"));
    ASSERT_EQ(entries.size(), std::size(cases));
    for (std::size_t index = 0; index < entries.size(); ++index)
    {
        const std::shared_ptr<NSFerrant::CMedia> unpacked = OpenItemMedia(entries[index]);
        const NSTestSupport::TBytes& file = cases[index].fFile;
        EXPECT_TRUE(BytesOf(*unpacked) == std::string(file.begin(), file.end())) << cases[index].fWhat;
        EXPECT_EQ(dynamic_cast<NSFileLibSupport::COpenTemporaryFile*>(unpacked.get()) == nullptr,
                  cases[index].fInMemory)
            << cases[index].fWhat;
    }
}

TEST_F(PackageFolderTest, ThePackageShowsItsNameAndCopyrightAndItsFileName)
{
    WritePackage("Drums 2.vtl", PackageOf({Entry("Kick.korb", kPackedTypeKORB)}));
    const CItemPtr package = FileItem("Drums 2.vtl");
    ASSERT_TRUE(package->IsVantleFile());
    EXPECT_TRUE(package->IsFolder());
    EXPECT_TRUE(package->IsBrowsableFile());
    EXPECT_FALSE(package->IsFileSystemFolder());
    EXPECT_EQ(package->GetDisplayName(), Text("Drums"));
    EXPECT_EQ(package->GetName(), Text("Drums 2.vtl"));
    EXPECT_EQ(package->GetSecondaryText(), Text("(c) Drummer"));
    EXPECT_FALSE(FindChildItem(package, Text("KICK.KORB")).IsEmpty());
    EXPECT_EQ(Database().GetMountedVantles(), std::vector<CItemPtr>{package});

    const std::shared_ptr<NSFerrant::CMedia> whole = OpenItemMedia(package);
    EXPECT_EQ(whole->fPosition, 0);
    EXPECT_EQ(u64(whole->GetSize()), std::filesystem::file_size(Scratch().Path() / "Drums 2.vtl"));
}

TEST_F(PackageFolderTest, AFileThatIsNoPackageIsAnEmptyFolderUnderItsFileName)
{
    MakeFile("notes.vtl", "just some text\r\n");
    const CItemPtr package = PackageItem("notes.vtl");
    EXPECT_EQ(static_cast<CVantleFile*>(package.Get())->GetState(), CVantleFile::kStateFailed);
    EXPECT_TRUE(package->IsFolder());
    EXPECT_TRUE(GetChildItems(package).empty());
    EXPECT_EQ(package->GetDisplayName(), Text("notes.vtl"));
    EXPECT_THROW(package->GetSecondaryText(), NSQuorral::XFormatViolation);
    EXPECT_THROW(package->OpenMedia(), NSQuorral::XFormatViolation);
}

TEST_F(PackageFolderTest, OneReaderServesABatchAndANewOneEachCallOutside)
{
    WritePackage("a.vtl", PackageOf({Entry("x", 14)}));
    const CItemPtr item = PackageItem("a.vtl");
    auto* package = static_cast<CVantleFile*>(item.Get());

    std::weak_ptr<CVantleReader> outside = package->GetReader();
    EXPECT_TRUE(outside.expired());

    package->BeginUpdate();
    std::weak_ptr<CVantleReader> inside = package->GetReader();
    EXPECT_FALSE(inside.expired());
    EXPECT_EQ(package->GetReader(), inside.lock());
    package->BeginUpdate();
    package->EndUpdate();
    EXPECT_FALSE(inside.expired());
    package->EndUpdate();
    EXPECT_TRUE(inside.expired());

    package->BeginUpdate();
    inside = package->GetReader();
    package->InvalidateCaches();
    EXPECT_TRUE(inside.expired());
    package->EndUpdate();
}

TEST_F(PackageFolderTest, ALiveReaderMakesThePackageAvailable)
{
    WritePackage("a.vtl", PackageOf({Entry("x", 14)}));
    const CItemPtr item = PackageItem("a.vtl");
    const std::shared_ptr<CVantleReader> reader = static_cast<CVantleFile*>(item.Get())->GetReader();
    EXPECT_TRUE(item->IsAvailable());
    EXPECT_TRUE(item->IsRegularFile());
}

TEST_F(PackageFolderTest, ADeepEntryKeepsThePackageUntilItsLastPointerGoes)
{
    WritePackage("a.vtl", PackageOf({Entry("A:B:deep", 14, "deep bytes"), Entry("top", 14)}));
    CItemPtr deep;
    {
        const CItemPtr package = PackageItem("a.vtl");
        deep = FindChildItem(FindChildItem(FindChildItem(package, Text("A")), Text("B")), Text("deep"));
        ASSERT_FALSE(deep.IsEmpty());
    }
    // The tree, and with it the package's open file, lives on through the entry.
    EXPECT_EQ(deep->GetParent()->GetParent()->GetParent()->GetDisplayName(), Text("Drums"));
    EXPECT_EQ(BytesOf(*OpenItemMedia(deep)), "deep bytes");
    EXPECT_FALSE(::DeleteFileW(reinterpret_cast<LPCWSTR>(FilePath("a.vtl").c_str())));
    deep.Reset();
    EXPECT_TRUE(::DeleteFileW(reinterpret_cast<LPCWSTR>(FilePath("a.vtl").c_str())));
}

TEST_F(PackageFolderTest, AnEntrysMediaReadsAfterEveryHolderIsGone)
{
    WritePackage("a.vtl", PackageOf({Entry("A:x", 14, "first"), Entry("A:y", 14, "second")}));
    std::shared_ptr<NSFerrant::CMedia> media;
    {
        const CItemPtr package = PackageItem("a.vtl");
        media = OpenItemMedia(FindChildItem(FindChildItem(package, Text("A")), Text("y")));
    }
    EXPECT_EQ(BytesOf(*media), "second");
}
} // namespace
} // namespace NSContentTests
