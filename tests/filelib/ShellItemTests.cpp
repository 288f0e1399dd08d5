#include "filelib/ShellIDLists.h"
#include "filelib/ShellItem.h"
#include "base/ComRef.h"
#include "base/Win32Calls.h"
#include "tests/filelib/ShellItemTestSupport.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <set>
#include <stdexcept>
#include <vector>

using namespace NSShellItemTests;
using NSFerrant::CShellItem;

namespace
{
std::vector<u8> TextBytes(const std::string& text)
{
    return std::vector<u8>(text.begin(), text.end());
}

// An id list built by hand from the byte runs of its ids.
std::vector<u8> MakeIDList(const std::vector<std::vector<u8>>& ids)
{
    std::vector<u8> list;
    for (const std::vector<u8>& id : ids)
    {
        const u16 count = u16(id.size() + 2);
        list.push_back(u8(count));
        list.push_back(u8(count >> 8));
        list.insert(list.end(), id.begin(), id.end());
    }
    list.push_back(0);
    list.push_back(0);
    return list;
}

LPCITEMIDLIST AsList(const std::vector<u8>& bytes)
{
    return reinterpret_cast<LPCITEMIDLIST>(bytes.data());
}

std::vector<u8> Bytes(LPCITEMIDLIST list)
{
    const u8* start = reinterpret_cast<const u8*>(list);
    return std::vector<u8>(start, start + NSFerrant::GetItemIDListSize(list));
}

// Frees a list made through the shell's allocator.
struct TAllocatedList
{
    LPITEMIDLIST list;
    ~TAllocatedList() { ::CoTaskMemFree(list); }
};

IMalloc* ShellAllocator()
{
    IMalloc* allocator = nullptr;
    EXPECT_HRESULT_SUCCEEDED(::SHGetMalloc(&allocator));
    allocator->Release(); // the shell's allocator lives for the process
    return allocator;
}
} // namespace

TEST(ShellIDLists, CountCloneCombineAndCutByTheirByteCounts)
{
    const std::vector<u8> empty = MakeIDList({});
    const std::vector<u8> two = MakeIDList({{1, 2, 3}, {4}});
    const std::vector<u8> child = MakeIDList({{9, 9}});
    IMalloc* allocator = ShellAllocator();

    EXPECT_EQ(NSFerrant::CountItemIDs(AsList(empty)), 0u);
    EXPECT_EQ(NSFerrant::CountItemIDs(AsList(two)), 2u);
    EXPECT_EQ(NSFerrant::GetItemIDListSize(AsList(two)), two.size());

    TAllocatedList clone{NSFerrant::CloneItemIDList(AsList(two), allocator)};
    EXPECT_EQ(Bytes(clone.list), two);
    TAllocatedList combined{NSFerrant::CombineItemIDLists(AsList(two), AsList(child), allocator)};
    EXPECT_EQ(Bytes(combined.list), MakeIDList({{1, 2, 3}, {4}, {9, 9}}));
    TAllocatedList parent{NSFerrant::CloneParentItemIDList(AsList(two), allocator)};
    EXPECT_EQ(Bytes(parent.list), MakeIDList({{1, 2, 3}}));
    TAllocatedList emptyParent{NSFerrant::CloneParentItemIDList(AsList(empty), allocator)};
    EXPECT_EQ(Bytes(emptyParent.list), empty);

    EXPECT_EQ(Bytes(NSFerrant::FindLastItemID(AsList(two))), MakeIDList({{4}}));
    EXPECT_EQ(NSFerrant::FindLastItemID(AsList(empty)), AsList(empty));
}

TEST(ShellErrors, FailedShellCallsRaiseTheExceptionOfTheirCode)
{
    using NSQuorral::TFixedName;
    const TFixedName shellItem = NSFerrant::GetShellItemObjectType();
    const TFixedName network = NSQuorral::GetNetworkObjectType();
    struct Case
    {
        u32 result;
        u32 kind;
        TFixedName objectType;
    };
    const Case kCases[] = {
        {0x80040E4E, NSQuorral::kFailureCode_RuntimeError_NotReady, shellItem},
        {0x80070005, NSQuorral::kFailureCode_RuntimeError_Permission, shellItem},
        {0x80072EE7, NSQuorral::kFailureCode_RuntimeError_Open, shellItem},
        {0x80070003, NSQuorral::kFailureCode_RuntimeError_NotFound, network},
        {0x8007000E, NSQuorral::kFailureCode_BadAlloc, shellItem},
        {0x80070015, NSQuorral::kFailureCode_RuntimeError_NotReady, shellItem},
        {0x80070035, NSQuorral::kFailureCode_RuntimeError_NotFound, shellItem},
        {0x80070040, NSQuorral::kFailureCode_RuntimeError_NotFound, network},
        {0x80070043, NSQuorral::kFailureCode_RuntimeError_NotFound, network},
        {0x80070057, NSQuorral::kFailureCode_LogicError_InvalidArgument, shellItem},
        {0x800704B8, NSQuorral::kFailureCode_RuntimeError_NotFound, shellItem},
        {0x800704DC, NSQuorral::kFailureCode_RuntimeError_NotFound, network},
        {0x80070570, NSQuorral::kFailureCode_RuntimeError_NotFound, shellItem},
        {0x80070571, NSQuorral::kFailureCode_RuntimeError_NotFound, shellItem},
        // The error code counts in any facility; an unknown one is a domain error.
        {0x80040035, NSQuorral::kFailureCode_RuntimeError_NotFound, shellItem},
        {0x80004005, NSQuorral::kFailureCode_LogicError_Domain, shellItem},
    };
    for (const Case& c : kCases)
    {
        try
        {
            NSFerrant::ThrowIfFailedHRESULT(HRESULT(c.result));
            ADD_FAILURE() << std::hex << c.result << ": nothing thrown";
        }
        catch (const std::exception& e)
        {
            const NSQuorral::CExceptionBodyMixin body = NSQuorral::GetExceptionBody(e);
            EXPECT_EQ(NSQuorral::GetLastFrame(body).GetKind(), c.kind) << std::hex << c.result;
            EXPECT_TRUE(NSQuorral::HasTargetObjectType(body, c.objectType)) << std::hex << c.result;
            EXPECT_STREQ(e.what(), c.kind == NSQuorral::kFailureCode_BadAlloc ? "bad allocation" : "");
        }
    }
    EXPECT_NO_THROW(NSFerrant::ThrowIfFailedHRESULT(S_OK));
    EXPECT_NO_THROW(NSFerrant::ThrowIfFailedHRESULT(S_FALSE));
}

TEST(ShellItemPaths, OnlyDriveAndSharePathsOfValidNamesPass)
{
    const TUTF16String longName(257, u'a');
    struct Case
    {
        TUTF16String path;
        bool valid;
    };
    const Case kCases[] = {
        {Text("C:\\"), true},
        {Text("c:\\dir\\file.txt"), true},
        {Text("C:\\dir\\"), true},
        {Text("\\\\server\\"), true},
        {Text("\\\\server\\share\\file"), true},
        {Text("C:\\") + TUTF16String(256, u'a'), true},
        {Text("C:\\") + longName, false},
        {Text("C:\\") + longName + Text("\\x"), false},
        {Text("C:\\a*b"), false},
        {Text("C:\\dir\\a?b\\c"), false},
        {Text("C:"), false},
        {Text("C:dir"), false},
        {Text("1:\\dir"), false},
        {Text("\\\\server"), false},
        {Text("/tmp/file"), false},
        {Text("dir\\file"), false},
    };
    for (const Case& c : kCases)
        EXPECT_EQ(NSFerrant::IsPathOfValidNames(c.path), c.valid) << NSTextPackage::ToUTF8(c.path);
}

TEST(ShellItem, TheDesktopIsKind111AndItsOwnParent)
{
    const u16 emptyList = 0;
    CShellItem fromNothing;
    CShellItem fromEmptyList(reinterpret_cast<LPCITEMIDLIST>(&emptyList));
    EXPECT_EQ(fromNothing.GetKind(), NSFerrant::kShellItemDesktop);
    EXPECT_EQ(fromEmptyList.GetKind(), NSFerrant::kShellItemDesktop);
    EXPECT_TRUE(fromNothing == fromEmptyList);

    CShellItem parent(MakeKnownFolderItem(FOLDERID_ComputerFolder));
    fromNothing.GetParent(parent);
    EXPECT_EQ(parent.GetKind(), NSFerrant::kShellItemDesktop);
    EXPECT_TRUE(parent == fromNothing);
    TUTF16String name;
    fromNothing.GetDisplayName(name);
    EXPECT_FALSE(name.empty());
}

TEST(ShellItem, KindsOfTheWineShell)
{
    NSFileLibTests::CScratchFolder folder;
    folder.WriteFile("Data.bin", TextBytes("data"));
    std::filesystem::create_directory(folder.Path() / "Sub");

    EXPECT_EQ(MakeFolderItem(Text("C:\\")).GetKind(), NSFerrant::kShellItemVolumeRoot);
    EXPECT_EQ(MakeFolderItem(folder.FolderPath()).GetKind(), NSFerrant::kShellItemFolder);
    EXPECT_EQ(MakeFolderItem(PathIn(folder, "Sub\\")).GetKind(), NSFerrant::kShellItemFolder);
    EXPECT_EQ(MakeFileItem(PathIn(folder, "Data.bin")).GetKind(), NSFerrant::kShellItemFile);
    EXPECT_EQ(MakeKnownFolderItem(FOLDERID_ComputerFolder).GetKind(), NSFerrant::kShellItemVirtualFolder);
}

TEST(ShellItem, APathOutsideTheFileSystemFails)
{
    NSFileLibTests::CScratchFolder folder;
    folder.WriteFile("Gone.bin", TextBytes("data"));
    const NSFileLibSupport::TFileSpecPtr gone = NSFileLibSupport::FileSpecFromWinPath(PathIn(folder, "Gone.bin"));
    std::filesystem::remove(folder.Path() / "Gone.bin");
    // The shell cannot parse a path that leads nowhere.
    ExpectShellFailure<NSQuorral::XNotFound>([&] { CShellItem item(gone); });
    // An object outside the file system has no path and no file-library specification.
    CShellItem computer = MakeKnownFolderItem(FOLDERID_ComputerFolder);
    TUTF16String path;
    ExpectShellFailure<NSQuorral::XNotFound>([&] { computer.GetPath(path); });
    ExpectShellFailure<std::domain_error>([&] { computer.GetDirSpec(); });
    ExpectShellFailure<std::domain_error>([&] { computer.GetFileSpec(); });
    ExpectShellFailure<std::domain_error>([&] { computer.GetVolumeSpec(); });
}

TEST(ShellItem, KindByAttributeBitsAndPath)
{
    NSFileLibTests::CScratchFolder folder;
    folder.WriteFile("Data.bin", TextBytes("data"));
    CShellItem drive = MakeFolderItem(Text("C:\\"));
    CShellItem subFolder = MakeFolderItem(folder.FolderPath());
    CShellItem file = MakeFileItem(PathIn(folder, "Data.bin"));
    const u32 fileSystem = SFGAO_FILESYSTEM;
    const u32 folderBits = SFGAO_FILESYSTEM | SFGAO_FOLDER;
    struct Case
    {
        CShellItem* item;
        u32 attributes;
        u32 kind;
    };
    const Case kCases[] = {
        {&drive, folderBits, NSFerrant::kShellItemVolumeRoot},
        // A folder that can be deleted is no root, whatever its path.
        {&drive, folderBits | SFGAO_CANDELETE, NSFerrant::kShellItemFolder},
        {&drive, fileSystem, NSFerrant::kShellItemFile},
        {&drive, SFGAO_FOLDER, NSFerrant::kShellItemVirtualFolder},
        {&drive, 0, NSFerrant::kShellItemVirtualItem},
        {&subFolder, folderBits, NSFerrant::kShellItemFolder},
        // A file the shell shows as a folder is still a file.
        {&file, folderBits, NSFerrant::kShellItemFile},
    };
    for (const Case& c : kCases)
        EXPECT_EQ(c.item->DetermineKind(c.attributes), c.kind) << std::hex << c.attributes;
}

TEST(ShellItem, AFolderWhoseAttributesCannotBeReadCountsAsAFolder)
{
    NSFileLibTests::CScratchFolder folder;
    const NSFileLibSupport::TDirSpecPtr spec = NSFileLibSupport::DirSpecFromWinPath(folder.FolderPath());
    TWin32Calls calls = RealWin32Calls();
    calls.GetFileAttributesW = [](LPCWSTR) -> DWORD { return INVALID_FILE_ATTRIBUTES; };
    CWin32CallsOverride unreadable(calls);
    EXPECT_EQ(CShellItem(spec).GetKind(), NSFerrant::kShellItemFolder);
}

TEST(ShellItem, PathsNamesAndParents)
{
    NSFileLibTests::CScratchFolder folder;
    folder.WriteFile("Data.bin", TextBytes("data"));
    CShellItem file = MakeFileItem(PathIn(folder, "Data.bin"));

    TUTF16String path;
    file.GetPath(path);
    EXPECT_EQ(NSTextPackage::CompareText(path, PathIn(folder, "Data.bin"), NSTextPackage::kCompareIgnoreCase),
              NSTextPackage::kCompareEqual);
    TUTF16String name;
    file.GetDisplayName(name);
    EXPECT_EQ(name, Text("Data.bin"));

    // Without a path there is no file specification: the shell names the file.
    CShellItem fresh = MakeFileItem(PathIn(folder, "Data.bin"));
    TWin32Calls calls = RealWin32Calls();
    calls.SHGetPathFromIDListW = [](PCIDLIST_ABSOLUTE, LPWSTR) -> BOOL { return FALSE; };
    {
        CWin32CallsOverride noPath(calls);
        TUTF16String shellName;
        fresh.GetShellDisplayName(shellName);
        ASSERT_FALSE(shellName.empty());
        fresh.GetDisplayName(name);
        EXPECT_EQ(name, shellName);
    }

    CShellItem parent;
    file.GetParent(parent);
    EXPECT_EQ(parent.GetKind(), NSFerrant::kShellItemFolder);
    EXPECT_TRUE(parent == MakeFolderItem(folder.FolderPath()));
}

TEST(ShellItem, SpecificationsAreSharedAndOutliveTheItem)
{
    NSFileLibTests::CScratchFolder folder;
    folder.WriteFile("Data.bin", TextBytes("data"));
    NSFileLibSupport::TFileSpecPtr fileSpec;
    NSFileLibSupport::TVolumeSpecPtr volumeSpec;
    NSFileLibSupport::TDirSpecPtr rootSpec;
    {
        CShellItem file = MakeFileItem(PathIn(folder, "Data.bin"));
        fileSpec = file.GetFileSpec();
        EXPECT_EQ(file.GetFileSpec(), fileSpec); // made once
        CShellItem drive = MakeFolderItem(Text("C:\\"));
        volumeSpec = drive.GetVolumeSpec();
        rootSpec = drive.GetDirSpec();
        ExpectShellFailure<std::domain_error>([&] { file.GetDirSpec(); });
    }
    EXPECT_EQ(NSFileLibSupport::GetName(fileSpec.get()), Text("Data.bin"));
    EXPECT_EQ(NSFileLibSupport::GetVolumeWinPath(volumeSpec.get()), Text("C:\\"));
    EXPECT_EQ(NSFileLibSupport::GetDirWinPath(rootSpec.get()), Text("C:\\"));
}

TEST(ShellItem, ACopyKeepsPathAndTypeNameButMakesItsSpecificationsAnew)
{
    NSFileLibTests::CScratchFolder folder;
    folder.WriteFile("Data.bin", TextBytes("data"));
    CShellItem file = MakeFileItem(PathIn(folder, "Data.bin"));
    TUTF16String path;
    file.GetPath(path);
    const TUTF16String typeName = file.GetTypeName();
    const NSFileLibSupport::TFileSpecPtr spec = file.GetFileSpec();

    // The copy answers from its caches without asking the shell for the path.
    TWin32Calls calls = RealWin32Calls();
    calls.SHGetPathFromIDListW = [](PCIDLIST_ABSOLUTE, LPWSTR) -> BOOL { return FALSE; };
    CWin32CallsOverride noPath(calls);
    CShellItem copy(file);
    TUTF16String copiedPath;
    copy.GetPath(copiedPath);
    EXPECT_EQ(copiedPath, path);
    EXPECT_EQ(copy.GetTypeName(), typeName);
    const NSFileLibSupport::TFileSpecPtr copiedSpec = copy.GetFileSpec();
    EXPECT_NE(copiedSpec, spec);
    EXPECT_TRUE(copy == file);
}

namespace
{
// The shell's allocator with a count of the references handed out through the call table and of
// the lists allocated through it and not yet freed. A list the shell made itself may be freed
// here too; a free once every reference has gone is noted, as the allocator may be gone by then.
class CCountingAllocator : public IMalloc
{
public:
    CCountingAllocator() : fShell(ShellAllocator()) {}

    int fReferences = 0;
    std::set<void*> fLive;
    bool fFreedWhenUnheld = false;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** object) override
    {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ULONG(++fReferences); }
    ULONG STDMETHODCALLTYPE Release() override { return ULONG(--fReferences); }
    void* STDMETHODCALLTYPE Alloc(SIZE_T bytes) override
    {
        void* memory = fShell->Alloc(bytes);
        fLive.insert(memory);
        return memory;
    }
    void* STDMETHODCALLTYPE Realloc(void*, SIZE_T) override
    {
        ADD_FAILURE() << "no list is resized";
        return nullptr;
    }
    void STDMETHODCALLTYPE Free(void* memory) override
    {
        fFreedWhenUnheld |= fReferences <= 0;
        fLive.erase(memory);
        fShell->Free(memory);
    }
    SIZE_T STDMETHODCALLTYPE GetSize(void* memory) override { return fShell->GetSize(memory); }
    int STDMETHODCALLTYPE DidAlloc(void* memory) override { return fShell->DidAlloc(memory); }
    void STDMETHODCALLTYPE HeapMinimize() override {}

private:
    IMalloc* fShell;
};

CCountingAllocator* gCountingAllocator = nullptr;
} // namespace

TEST(ShellItem, ItemsGiveBackEveryReferenceAndListOfTheAllocator)
{
    NSFileLibTests::CScratchFolder folder;
    folder.WriteFile("Data.bin", TextBytes("data"));
    folder.WriteFile("Gone.bin", TextBytes("data"));
    const NSFileLibSupport::TFileSpecPtr gone =
        NSFileLibSupport::FileSpecFromWinPath(PathIn(folder, "Gone.bin"));
    std::filesystem::remove(folder.Path() / "Gone.bin");

    CCountingAllocator allocator;
    gCountingAllocator = &allocator;
    TWin32Calls calls = RealWin32Calls();
    calls.SHGetMalloc = [](LPMALLOC* out) -> HRESULT
    {
        gCountingAllocator->AddRef();
        *out = gCountingAllocator;
        return S_OK;
    };
    {
        CWin32CallsOverride counted(calls);
        CShellItem desktop;
        CShellItem file = MakeFileItem(PathIn(folder, "Data.bin"));
        CShellItem folderItem = MakeFolderItem(folder.FolderPath());
        CComRef<IShellFolder> desktopFolder;
        ASSERT_HRESULT_SUCCEEDED(::SHGetDesktopFolder(desktopFolder.Receive()));
        CComRef<IShellFolder> folderObject;
        ASSERT_HRESULT_SUCCEEDED(desktopFolder->BindToObject(folderItem.GetIDList(), nullptr, IID_IShellFolder,
                                                             folderObject.ReceiveVoid()));
        CShellItem child(folderItem.GetIDList(), NSFerrant::FindLastItemID(file.GetIDList()), folderObject.Get());
        EXPECT_TRUE(child == file);
        CShellItem copy(file);
        copy = folderItem;
        CShellItem parent;
        file.GetParent(parent);
        EXPECT_TRUE(parent == folderItem);
        CShellItem computer = MakeKnownFolderItem(FOLDERID_ComputerFolder);
        // Fails once the allocator and the desktop folder are held.
        ExpectShellFailure<NSQuorral::XNotFound>([&] { CShellItem item(gone); });
        EXPECT_GT(allocator.fReferences, 0);
        EXPECT_FALSE(allocator.fLive.empty());
    }
    gCountingAllocator = nullptr;
    EXPECT_EQ(allocator.fReferences, 0);
    EXPECT_TRUE(allocator.fLive.empty()) << allocator.fLive.size() << " lists left";
    EXPECT_FALSE(allocator.fFreedWhenUnheld);
}
