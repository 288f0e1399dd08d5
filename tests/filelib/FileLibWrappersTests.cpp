// The wrappers and their compositions over the process's real file library.
#include "filelib/FileLibWrappers.h"
#include "tests/filelib/FileLibSupportTestHelpers.h"
#include "tests/filelib/ScratchFolder.h"
#include "tests/support/ExpectThrown.h"
#include "tests/support/TextLiterals.h"

#include <gtest/gtest.h>

using namespace NSFileLibTests;
using namespace NSFileLibSupport;
using namespace NSQuorral;

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
} // namespace
