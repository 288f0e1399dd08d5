// The wrappers and their compositions over the process's real file library.
#include "filelib/FileLibWrappers.h"

#include "base/TextConversions.h"
#include "tests/filelib/FileLibSupportTestHelpers.h"
#include "tests/filelib/ScratchFolder.h"
#include "tests/support/ExpectThrown.h"
#include "tests/support/ModulePath.h"
#include "tests/support/TextLiterals.h"

#include <gtest/gtest.h>

#include <windows.h>

using namespace NSFileLibTests;
using namespace NSFileLibSupport;
using namespace NSQuorral;
using NSTestSupport::ModulePath;

namespace
{
TEST(FileLibWrappersOnDisk, MissingChildIsNotFoundYetItsTestAnswersFalse)
{
    CScratchFolder folder;
    EXPECT_FALSE(DoesChildFileExist(folder.Spec(), MakeText(u"absent.txt")));
    EXPECT_EQ(u32(kFailureCode_RuntimeError_NotFound),
              ThrownKind([&] { GetChildFile(folder.Spec(), MakeText(u"absent.txt")); }));
    EXPECT_FALSE(DeleteChildFileIfExists(folder.Spec(), MakeText(u"absent.txt")));
}

TEST(FileLibWrappersOnDisk, GetOrCreateChildDirectoryCreatesOnceAndAnswersTheSameFolder)
{
    CScratchFolder folder;
    const TDirSpecPtr first = GetOrCreateChildDirectory(folder.Spec(), MakeText(u"cache"));
    const TDirSpecPtr second = GetOrCreateChildDirectory(folder.Spec(), MakeText(u"cache"));
    EXPECT_EQ(folder.FolderPath() + MakeText(u"cache\\"), GetDirWinPath(first.get()));
    EXPECT_EQ(GetDirWinPath(first.get()), GetDirWinPath(second.get()));
    EXPECT_TRUE(DoesChildDirectoryExist(folder.Spec(), MakeText(u"cache")));
}

TEST(FileLibWrappersOnDisk, ResolvingAPlainFileIsXResolveAndKeepsTheOwners)
{
    CScratchFolder folder;
    folder.WriteFile("plain.txt", {1});
    const TFileSpecPtr file = GetChildFile(folder.Spec(), MakeText(u"plain.txt"));
    EXPECT_FALSE(IsAlias(file.get()));
    TVolumeSpecPtr volume;
    TDirSpecPtr target = CloneDirSpec(folder.Spec());
    TFileSpecPtr targetFile = file;
    CatchThrown<XResolve>([&] { ResolvePossibleAlias(file.get(), volume, target, targetFile); }, "reference");
    EXPECT_NE(nullptr, target);
    EXPECT_EQ(file, targetFile);
}

TEST(FileLibWrappersOnDisk, NamesAndPathsOfFilesAndFolders)
{
    CScratchFolder folder;
    folder.WriteFile("Song.k42", {1});
    const TFileSpecPtr file = FileSpecFromWinPath(folder.FolderPath() + MakeText(u"Song.k42"));
    EXPECT_EQ(MakeText(u"Song.k42"), GetName(file.get()));
    EXPECT_EQ(folder.FolderPath(), GetDirWinPath(GetFileParentDirectory(file.get()).get()));
    TUTF16String base;
    TUTF16String extension;
    SplitExtension(GetName(file.get()), base, extension);
    EXPECT_EQ(MakeText(u"Song"), base);
    EXPECT_EQ(MakeText(u".k42"), extension);
}

// The version test modules of base_tests are built into this executable's folder.
TEST(FileLibWrappersOnDisk, FileSpecOfAModuleGivesItsVersion)
{
    const auto file = NSFileLibSupport::FileSpecFromWinPath(ModulePath("VersionStageBits.dll"));
    EXPECT_EQ(GetModuleVersion(file.get()),
              (NSFerrant::TVersion{3, 1, 0, NSFerrant::kVersionStageDevelopment, 5, 12345}));

    // A file gone since its specification was made.
    const TUTF16String copyPath = ModulePath("VersionStageBitsCopy.dll");
    ASSERT_TRUE(CopyFileW(NSTextPackage::AsWide(ModulePath("VersionStageBits.dll")),
                          NSTextPackage::AsWide(copyPath), FALSE));
    const auto gone = NSFileLibSupport::FileSpecFromWinPath(copyPath);
    ASSERT_TRUE(DeleteFileW(NSTextPackage::AsWide(copyPath)));
    CatchThrown<NSQuorral::XNotFound>([&] { GetModuleVersion(gone.get()); }, NSQuorral::GetFileObjectType());
}
} // namespace
