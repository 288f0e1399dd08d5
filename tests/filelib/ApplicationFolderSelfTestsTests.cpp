// The registered self-tests of the cache and music folders, run as the self-test package runs them.
#include "filelib/ApplicationFolderSelfTests.h"

#include "base/TestPackage.h"
#include "filelib/ApplicationFolders.h"
#include "filelib/FileMedia.h"
#include "tests/support/TextLiterals.h"

#include <gtest/gtest.h>

#include <shlobj.h>

using namespace NSFileLibSupport;

namespace
{
const TUTF16String kSelfTestFolder = MakeText(u"___Ferrant__Test___");

TDirSpecPtr MusicFolder()
{
    PWSTR path = nullptr;
    EXPECT_EQ(SHGetKnownFolderPath(FOLDERID_Music, KF_FLAG_CREATE, nullptr, &path), S_OK);
    const TDirSpecPtr folder = DirSpecFromWinPath(NSTextPackage::FromWide(path) + MakeText(u"\\"));
    CoTaskMemFree(path);
    return folder;
}

TEST(ApplicationFolderSelfTests, EachPassesAndLeavesNoFolderBehind)
{
    const struct
    {
        const char* fName;
        NSTestPackage::TQuickTestFunction fFunction;
        TDirSpecPtr fParent;
    } kCases[] = {
        {"Test GetOrCreateMusicDocumentsDirSpec()", &TestGetOrCreateMusicDocumentsDirSpec, MusicFolder()},
        {"Test GetCachedDataFolderDirSpec()", &TestGetCachedDataFolderDirSpec, GetCompanyDataDirSpec()},
    };
    for (const auto& c : kCases)
    {
        SCOPED_TRACE(c.fName);
        NSTestPackage::CQuickTestRunner runner(c.fName, c.fFunction);
        EXPECT_TRUE(runner.Run());
        EXPECT_TRUE(runner.GetTrace().empty());
        EXPECT_FALSE(DoesChildDirectoryExist(c.fParent.get(), kSelfTestFolder));
    }
}

TEST(ApplicationFolderSelfTests, MusicNameTakenByAFileFailsTheRun)
{
    const TDirSpecPtr music = MusicFolder();
    COpenFile(music.get(), kSelfTestFolder, 0, 0);
    NSTestPackage::CQuickTestRunner runner("Music", &TestGetOrCreateMusicDocumentsDirSpec);
    EXPECT_FALSE(runner.Run());
    EXPECT_EQ(std::vector<std::string>(runner.GetTrace().begin(), runner.GetTrace().end()),
              (std::vector<std::string>{"Test 'Music' FAILED:", "\t"}));
    EXPECT_FALSE(DoesChildDirectoryExist(music.get(), kSelfTestFolder));
    EXPECT_TRUE(DeleteChildFileIfExists(music.get(), kSelfTestFolder));
}
} // namespace
