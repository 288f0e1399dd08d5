// The application folders: created on demand, the same folder on every call.
#include "filelib/ApplicationFolders.h"
#include "filelib/FileMedia.h"
#include "tests/filelib/FileLibSupportTestHelpers.h"
#include "tests/support/TextLiterals.h"

#include <gtest/gtest.h>

using namespace NSFileLibTests;
using namespace NSFileLibSupport;
using namespace NSQuorral;

namespace
{
const TUTF16String kTestFolder = MakeText(u"___Vantle__Support__Test___");

TEST(ApplicationFolders, CacheFolderIsMadeInTheCompanyFolderOnce)
{
    const TDirSpecPtr first = GetCachedDataFolderDirSpec(kTestFolder);
    const TDirSpecPtr second = GetCachedDataFolderDirSpec(kTestFolder);
    const TUTF16String path = GetDirWinPath(first.get());
    EXPECT_EQ(path, GetDirWinPath(second.get()));
    EXPECT_EQ(GetDirWinPath(GetLocalAppDataDirSpec().get()) + MakeText(u"Quillmont Software\\") +
                  kTestFolder + MakeText(u"\\"),
              path);
    DeleteDirectory(first.get());
    EXPECT_FALSE(DoesChildDirectoryExist(GetCompanyDataDirSpec().get(), kTestFolder));
}

TEST(ApplicationFolders, MusicFolderIsMadeOnDemandAndAFileOfItsNameIsNotFound)
{
    const TDirSpecPtr folder = GetOrCreateMusicDocumentsDirSpec(kTestFolder);
    EXPECT_EQ(kTestFolder, GetName(folder.get()));
    const TDirSpecPtr music = GetChildDirectory(folder.get(), MakeText(u".."));
    DeleteDirectory(folder.get());

    COpenFile(music.get(), kTestFolder, 0, 0); // a plain file takes the name
    EXPECT_EQ(u32(kFailureCode_RuntimeError_NotFound),
              ThrownKind([] { GetOrCreateMusicDocumentsDirSpec(kTestFolder); }));
    EXPECT_FALSE(DoesChildDirectoryExist(music.get(), kTestFolder));
    EXPECT_TRUE(DeleteChildFileIfExists(music.get(), kTestFolder));
}

TEST(ApplicationFolders, UserAppDataFolderIsCompanyAndProduct)
{
    const TUTF16String company = MakeText(u"Quillmont Software");
    const TDirSpecPtr folder = GetUserAppDataDirSpec(company, kTestFolder);
    EXPECT_EQ(kTestFolder, GetName(folder.get()));
    const TDirSpecPtr parent = GetChildDirectory(folder.get(), MakeText(u".."));
    EXPECT_EQ(company, GetName(parent.get()));
    DeleteDirectory(folder.get());
}
} // namespace
