// Names, children, folders, files, standard folders, temporary items and volumes through the
// library's interfaces.
#include "filelib/SpecGlue.h"
#include "tests/filelib/FileLibTestFolder.h"

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

using namespace NSFileLib;

namespace
{

class FilesAndFolders : public CFileLibTestFolder
{
protected:
    std::string NameOf(IDirSpec* folder)
    {
        u16 name[kFileLibNameBufferUnits];
        EXPECT_EQ(folder->GetName(name), kFileLibOK);
        return Narrow(name);
    }

    std::string DirPath(IDirSpec* folder)
    {
        u16 path[kFileLibPathBufferUnits];
        Win().GetDirPath(folder, path);
        return Narrow(path);
    }

    std::unique_ptr<IDirSpec> Child(const std::string& name, u32 expectedStatus = kFileLibOK)
    {
        u32 status = 0;
        std::unique_ptr<IDirSpec> child(Lib().GetChildDirectory(Folder(), Wide(name).c_str(), &status));
        EXPECT_EQ(status, expectedStatus) << name;
        return child;
    }

};

// A name that makes the child path 261 units long.
TUTF16String NameMaking261Units(const TUTF16String& folder)
{
    return TUTF16String(261 - folder.size(), u16('n'));
}
} // namespace

TEST_F(FilesAndFolders, NamesAreTheLastComponentOfThePath)
{
    NSFileLibInternals::CDirSpecGlue driveRoot(Wide("C:\\"));
    NSFileLibInternals::CDirSpecGlue shareRoot(Wide("\\\\server\\share\\"));
    NSFileLibInternals::CDirSpecGlue sounds(Wide("C:\\Sounds\\"));
    EXPECT_EQ(NameOf(&driveRoot), "");
    EXPECT_EQ(NameOf(&shareRoot), "");
    EXPECT_EQ(NameOf(&sounds), "Sounds");
    WriteFileBytes("Take 1.aiff", "");
    u16 name[kFileLibNameBufferUnits];
    EXPECT_EQ(FileSpec("Take 1.aiff")->GetName(name), kFileLibOK);
    EXPECT_EQ(Narrow(name), "Take 1.aiff");
    EXPECT_EQ(sounds.GetName(nullptr), kFileLibBadArgument);
}

TEST_F(FilesAndFolders, FolderSpecificationsCompareIgnoringCase)
{
    NSFileLibInternals::CDirSpecGlue upper(Wide("C:\\Sounds\\Loops\\"));
    NSFileLibInternals::CDirSpecGlue lower(Wide("c:\\sounds\\loops\\"));
    NSFileLibInternals::CDirSpecGlue other(Wide("C:\\Sounds\\"));
    u32 result = 0;
    EXPECT_EQ(upper.IsEqual(&lower, &result), kFileLibOK);
    EXPECT_EQ(result, 1u);
    EXPECT_EQ(upper.IsEqual(&other, &result), kFileLibOK);
    EXPECT_EQ(result, 0u);
    u32 status = 0;
    std::unique_ptr<IDirSpec> clone(upper.Clone(&status));
    ASSERT_EQ(status, kFileLibOK);
    EXPECT_EQ(DirPath(clone.get()), "C:\\Sounds\\Loops\\");
}

TEST_F(FilesAndFolders, ChildDirectoriesIncludeDotAndDotDot)
{
    MakeSubfolder("Kits");
    EXPECT_EQ(DirPath(Child("Kits").get()), Narrow(PathOf("Kits\\")));
    EXPECT_EQ(DirPath(Child(".").get()), Narrow(FolderPath()));
    std::unique_ptr<IDirSpec> parent = Child("..");
    ASSERT_NE(parent, nullptr);
    u32 status = 0;
    std::unique_ptr<IDirSpec> temp(Lib().GetTempDirectory(&status));
    u32 equal = 0;
    EXPECT_EQ(parent->IsEqual(temp.get(), &equal), kFileLibOK);
    EXPECT_EQ(equal, 1u);

    NSFileLibInternals::CDirSpecGlue driveRoot(Wide("C:\\"));
    EXPECT_EQ(Lib().GetChildDirectory(&driveRoot, Wide("..").c_str(), &status), nullptr);
    EXPECT_EQ(status, kFileLibNotFound);
}

TEST_F(FilesAndFolders, ChildExistenceTellsFilesFromFolders)
{
    WriteFileBytes("file.txt", "x");
    MakeSubfolder("folder");
    const struct
    {
        const char* name;
        u32 isFile;
        u32 isFolder;
    } kChildren[] = {{"file.txt", 1, 0}, {"folder", 0, 1}, {"missing", 0, 0}};
    for (const auto& c : kChildren)
    {
        u32 result = 7;
        EXPECT_EQ(Lib().DoesChildFileExist(Folder(), Wide(c.name).c_str(), &result), kFileLibOK);
        EXPECT_EQ(result, c.isFile) << c.name;
        EXPECT_EQ(Lib().DoesChildDirectoryExist(Folder(), Wide(c.name).c_str(), &result), kFileLibOK);
        EXPECT_EQ(result, c.isFolder) << c.name;
    }

    // Too long for a path: the file test says so, the folder test only finds nothing.
    const TUTF16String tooLong = NameMaking261Units(FolderPath());
    u32 result = 7;
    EXPECT_EQ(Lib().DoesChildFileExist(Folder(), tooLong.c_str(), &result), kFileLibUnsupported);
    EXPECT_EQ(result, 0u);
    EXPECT_EQ(Lib().DoesChildDirectoryExist(Folder(), tooLong.c_str(), &result), kFileLibOK);
    EXPECT_EQ(result, 0u);
}

TEST_F(FilesAndFolders, ChildInfoFillsOnlyTheRecordOfItsKind)
{
    WriteFileBytes("Bass.lnk", "12");
    MakeSubfolder("Drums");
    SChildInfo info = {};
    info.fileInfo.size = 99;
    ASSERT_EQ(Lib().GetChildInfo(Folder(), Wide("Drums").c_str(), &info), kFileLibOK);
    EXPECT_EQ(info.kind, u32(kChildKindDirectory));
    EXPECT_NE(info.dirInfo.modificationTime, 0u);
    EXPECT_EQ(info.fileInfo.size, 99u);

    ASSERT_EQ(Lib().GetChildInfo(Folder(), Wide("Bass.lnk").c_str(), &info), kFileLibOK);
    EXPECT_EQ(info.kind, u32(kChildKindFile));
    EXPECT_EQ(info.fileInfo.size, 2u);
    EXPECT_EQ(info.fileInfo.isAlias, 1u);

    SChildInfo untouched = {};
    untouched.kind = 7;
    EXPECT_EQ(Lib().GetChildInfo(Folder(), Wide("missing").c_str(), &untouched), kFileLibNotFound);
    EXPECT_EQ(untouched.kind, 7u);
}

TEST_F(FilesAndFolders, FoldersAreCreatedOnceAndRemovedOnlyWhenEmpty)
{
    u32 status = 0;
    std::unique_ptr<IDirSpec> made(Lib().CreateDirectory(Folder(), Wide("Made").c_str(), &status));
    ASSERT_EQ(status, kFileLibOK);
    EXPECT_EQ(DirPath(made.get()), Narrow(PathOf("Made\\")));
    EXPECT_EQ(Lib().CreateDirectory(Folder(), Wide("Made").c_str(), &status), nullptr);
    EXPECT_EQ(status, kFileLibCreateFailure);

    WriteFileBytes("Made\\keep.txt", "x");
    EXPECT_NE(Lib().DeleteDirectory(made.get()), kFileLibOK);
    EXPECT_EQ(ReadFileBytes("Made\\keep.txt"), "x");
    ASSERT_TRUE(::DeleteFileW(NSTextPackage::AsWide(PathOf("Made\\keep.txt"))));
    EXPECT_EQ(Lib().DeleteDirectory(made.get()), kFileLibOK);
    EXPECT_TRUE(FolderNames().empty());
}

// The platform makes "Take" for "Take." or "Take ", names no folder path can hold: the failure
// leaves no folder behind.
TEST_F(FilesAndFolders, AFolderNameThatNoPathCanHoldFailsWithoutMakingAFolder)
{
    for (const char* name : {"Take.", "Take "})
    {
        u32 status = 0;
        EXPECT_EQ(Lib().CreateDirectory(Folder(), Wide(name).c_str(), &status), nullptr) << name;
        EXPECT_EQ(status, kFileLibBadArgument) << name;
        EXPECT_TRUE(FolderNames().empty()) << name;
    }
}

TEST_F(FilesAndFolders, WindowsPathsBecomeSpecifications)
{
    WriteFileBytes("file.txt", "x");
    MakeSubfolder("Sub");
    u32 status = 0;
    const TUTF16String withoutBackslash = PathOf("Sub");
    std::unique_ptr<IDirSpec> folder(Win().CreateDirSpec(withoutBackslash.c_str(), &status));
    ASSERT_EQ(status, kFileLibOK);
    EXPECT_EQ(DirPath(folder.get()), Narrow(PathOf("Sub\\")));

    const TUTF16String folderAsFile = PathOf("Sub\\");
    EXPECT_EQ(Win().CreateFileSpec(folderAsFile.c_str(), &status), nullptr);
    EXPECT_EQ(status, kFileLibBadArgument);

    std::unique_ptr<IDirSpec> parent(Lib().GetFileParentDirectory(FileSpec("file.txt").get(), &status));
    ASSERT_EQ(status, kFileLibOK);
    EXPECT_EQ(DirPath(parent.get()), Narrow(FolderPath()));
}

TEST_F(FilesAndFolders, FileInfoSetsHiddenAndTimesOnly)
{
    WriteFileBytes("file.txt", "abc");
    std::unique_ptr<IFileSpec> file = FileSpec("file.txt");
    SFileInfo info = {};
    ASSERT_EQ(Lib().GetFileInfo(file.get(), &info), kFileLibOK);
    EXPECT_EQ(info.size, 3u);
    info.isHidden = 1;
    info.modificationTime -= 10'000'000ull * 3600; // one hour earlier
    const u64 wanted = info.modificationTime;
    ASSERT_EQ(Lib().SetFileInfo(file.get(), &info), kFileLibOK);
    SFileInfo after = {};
    ASSERT_EQ(Lib().GetFileInfo(file.get(), &after), kFileLibOK);
    EXPECT_EQ(after.isHidden, 1u);
    EXPECT_EQ(after.modificationTime, wanted);
}

TEST_F(FilesAndFolders, NameCleaningIsTheSameForFilesAndFolders)
{
    u16 fileName[kFileLibNameBufferUnits] = {' ', 'c', 'o', 'n', '.', 't', 'x', 't', 0};
    u16 dirName[kFileLibNameBufferUnits] = {' ', 'c', 'o', 'n', '.', 't', 'x', 't', 0};
    EXPECT_EQ(Lib().MakeValidFileName(fileName), kFileLibOK);
    EXPECT_EQ(Lib().MakeValidDirName(dirName), kFileLibOK);
    EXPECT_EQ(Narrow(fileName), "con_.txt");
    EXPECT_EQ(Narrow(dirName), Narrow(fileName));

    u16 base[kFileLibNameBufferUnits], extension[kFileLibNameBufferUnits];
    EXPECT_EQ(Lib().SplitExtension(Wide("archive.tar.gz").c_str(), base, extension), kFileLibOK);
    EXPECT_EQ(Narrow(base), "archive.tar");
    EXPECT_EQ(Narrow(extension), ".gz");

    u16 volume[kFileLibNameBufferUnits] = {'c', ':', 0};
    EXPECT_EQ(Lib().ValidateVolumePath(volume), kFileLibOK);
    EXPECT_EQ(Narrow(volume), "c:\\");
    u16 notVolume[kFileLibNameBufferUnits] = {'c', ':', '\\', 'x', 0};
    EXPECT_EQ(Lib().ValidateVolumePath(notVolume), kFileLibBadArgument);
}

TEST_F(FilesAndFolders, TemporaryItemsAreNewAndUnique)
{
    const struct
    {
        const char* extension;
    } kExtensions[] = {{".tmp"}, {".wav"}};
    for (const auto& c : kExtensions)
    {
        IFileSpec* first = nullptr;
        IFileSpec* second = nullptr;
        u32 status = 0;
        std::unique_ptr<IOpenReadWriteFile> a(
            Lib().CreateTemporaryFile(Folder(), 0, 0, Wide(c.extension).c_str(), &first, &status));
        ASSERT_EQ(status, kFileLibOK);
        std::unique_ptr<IOpenReadWriteFile> b(
            Lib().CreateTemporaryFile(Folder(), 0, 0, Wide(c.extension).c_str(), &second, &status));
        ASSERT_EQ(status, kFileLibOK);
        std::unique_ptr<IFileSpec> firstOwner(first), secondOwner(second);
        u16 name[kFileLibNameBufferUnits];
        ASSERT_EQ(first->GetName(name), kFileLibOK);
        const std::string firstName = Narrow(name);
        EXPECT_EQ(firstName.substr(0, 3), "TMP");
        EXPECT_EQ(firstName.substr(firstName.size() - 4), c.extension);
        u32 equal = 1;
        EXPECT_EQ(first->IsEqual(second, &equal), kFileLibOK);
        EXPECT_EQ(equal, 0u);
    }

    u32 status = 0;
    std::unique_ptr<IDirSpec> one(Lib().CreateTemporaryDirectory(Folder(), &status));
    ASSERT_EQ(status, kFileLibOK);
    std::unique_ptr<IDirSpec> two(Lib().CreateTemporaryDirectory(Folder(), &status));
    ASSERT_EQ(status, kFileLibOK);
    EXPECT_NE(DirPath(one.get()), DirPath(two.get()));
}

TEST_F(FilesAndFolders, StandardFoldersAreFolderPaths)
{
    using TGetter = IDirSpec* (IFileLib::*)(u32*);
    const struct
    {
        const char* folder;
        TGetter get;
    } kFolders[] = {
        {"temporary", &IFileLib::GetTempDirectory},
        {"desktop", &IFileLib::GetDesktopDirectory},
        {"documents", &IFileLib::GetDocumentsDirectory},
        {"profile", &IFileLib::GetUserProfileDirectory},
    };
    for (const auto& c : kFolders)
    {
        u32 status = 0;
        std::unique_ptr<IDirSpec> folder((Lib().*c.get)(&status));
        ASSERT_EQ(status, kFileLibOK) << c.folder;
        const std::string path = DirPath(folder.get());
        EXPECT_EQ(path.back(), '\\') << c.folder;
        EXPECT_NE(::GetFileAttributesW(NSTextPackage::AsWide(Wide(path))), INVALID_FILE_ATTRIBUTES) << c.folder;
    }

    u16 fileName[kFileLibNameBufferUnits];
    u32 status = 0;
    std::unique_ptr<IDirSpec> program(Lib().GetApplicationDirectory(fileName, &status));
    ASSERT_EQ(status, kFileLibOK);
    EXPECT_EQ(Narrow(fileName), "filelib_tests.exe");
    EXPECT_EQ(DirPath(program.get()).back(), '\\');
}

TEST_F(FilesAndFolders, VolumesListTheSystemVolume)
{
    u32 status = 0;
    std::unique_ptr<IVolumes> volumes(Lib().GetVolumes(&status));
    ASSERT_EQ(status, kFileLibOK);
    std::unique_ptr<IVolumeSpec> system(Lib().GetSystemVolume(&status));
    ASSERT_EQ(status, kFileLibOK);
    bool listed = false;
    for (u32 i = 0; i < volumes->GetCount(); ++i)
    {
        u32 equal = 0;
        EXPECT_EQ(volumes->GetVolume(i)->IsEqual(system.get(), &equal), kFileLibOK);
        listed = listed || equal == 1;
    }
    EXPECT_TRUE(listed);

    std::unique_ptr<IDirSpec> root(Lib().GetVolumeRootDirectory(system.get(), &status));
    ASSERT_EQ(status, kFileLibOK);
    std::unique_ptr<IVolumeSpec> back(Lib().GetVolumeOfRootDirectory(root.get(), &status));
    ASSERT_EQ(status, kFileLibOK);
    u32 equal = 0;
    EXPECT_EQ(back->IsEqual(system.get(), &equal), kFileLibOK);
    EXPECT_EQ(equal, 1u);

    SVolumeInfo info = {};
    ASSERT_EQ(Lib().GetVolumeInfo(system.get(), &info), kFileLibOK);
    EXPECT_EQ(info.isAvailable, 1u);
    EXPECT_NE(info.driveLetter, 0u);
}

// Short 8.3 names can name a folder whose long form is longer than any path buffer: the
// library either refuses it or keeps a form that fits, never a path cut short.
TEST_F(FilesAndFolders, AFolderWhoseLongFormExceeds260UnitsIsNeverCut)
{
    // Made and removed through the "\\?\" form, which is not bound to 260 units.
    struct CDeepFolders
    {
        std::vector<TUTF16String> made;
        ~CDeepFolders()
        {
            for (auto level = made.rbegin(); level != made.rend(); ++level)
                ::RemoveDirectoryW(NSTextPackage::AsWide(*level));
        }
    } deepFolders;
    TUTF16String deep = Wide("\\\\?\\") + FolderPath();
    for (int level = 0; level < 3; ++level)
    {
        deep += TUTF16String(90, u16('a' + level)) + u16('\\');
        ASSERT_TRUE(::CreateDirectoryW(NSTextPackage::AsWide(deep), nullptr)) << ::GetLastError();
        deepFolders.made.push_back(deep);
    }
    ASSERT_GT(deep.size() - 4, 260u);
    wchar_t shortPath[1024] = {};
    ASSERT_GT(::GetShortPathNameW(NSTextPackage::AsWide(deep), shortPath, 1024), 0u);
    const TUTF16String shortForm = NSTextPackage::FromWide(shortPath).substr(4);
    ASSERT_LE(shortForm.size(), 260u) << Narrow(shortForm);

    u32 status = 0;
    std::unique_ptr<IDirSpec> folder(Win().CreateDirSpec(shortForm.c_str(), &status));
    if (status == kFileLibBadArgument)
        return;
    ASSERT_EQ(status, kFileLibOK);
    u16 path[kFileLibPathBufferUnits];
    Win().GetDirPath(folder.get(), path);
    EXPECT_EQ(::GetFileAttributesW(reinterpret_cast<const wchar_t*>(path)), DWORD(FILE_ATTRIBUTE_DIRECTORY))
        << Narrow(path);
}
