// Absolute paths resolved to items of a real scratch tree: through a named volume found among
// fake mounted volumes, through the native URL, from the desktop item, and the lenient last step;
// resolution answers an empty item instead of throwing.
#include "tests/content/ContentTestSupport.h"
#include "tests/content/paths/FakeVolumes.h"
#include "tests/content/vfs/ContentTestSupport.h"

#include "content/paths/ItemPathComponents.h"
#include "content/references/AbsolutePath.h"
#include "filelib/FileLibAccess.h"

namespace NSContentTests
{
namespace
{
using namespace NSFileLib;

class AbsolutePathResolutionTest : public CItemTest
{
protected:
    // The drive of the scratch folder, "C:\".
    std::string DriveRoot() const { return UTF8Of(FolderPath("").substr(0, 3)); }

    // The names of the item below its drive's root folder.
    TPathComponents NamesBelowDrive(const CItemPtr& item) const
    {
        TPathComponents names;
        GetItemPathComponents(item, names);
        TPathComponents driveNames;
        GetItemPathComponents(GetItemForFolder(NSFileLibSupport::DirSpecFromWinPath(U(DriveRoot()))),
                              driveNames);
        return TPathComponents(names.begin() + std::ptrdiff_t(driveNames.size()), names.end());
    }

    // The names of the item below the desktop item.
    static TPathComponents NamesBelowDesktop(const CItemPtr& item)
    {
        TPathComponents names;
        GetItemPathComponents(item, names);
        return TPathComponents(names.begin() + 1, names.end());
    }

    static std::string FileURL(const CItemPtr& item)
    {
        char url[kFileLibURLBufferBytes] = {};
        EXPECT_EQ(NSFileLibSupport::GetFileLib()->GetFileURL(GetItemFileSpec(item).get(), url), kFileLibOK);
        return url;
    }

    static std::string FolderURL(const CItemPtr& item)
    {
        char url[kFileLibURLBufferBytes] = {};
        EXPECT_EQ(NSFileLibSupport::GetFileLib()->GetDirURL(GetItemDirSpec(item).get(), url), kFileLibOK);
        return url;
    }

    static CAbsolutePath PathOn(const std::string& volumeName, u32 kind, const TPathComponents& components)
    {
        CAbsolutePath path;
        path.fValid = 1;
        path.fVolumeName = THashedString(U(volumeName));
        path.fVolumeType = kind;
        path.fComponents = components;
        return path;
    }

    CFakeVolumes fVolumes;
};

TEST_F(AbsolutePathResolutionTest, ANamedVolumeIsFoundByKindAndLabelAndWalkedFromItsRoot)
{
    MakeFile("disk/Samples/kick.wav");
    const CItemPtr kick = FileItem("disk/Samples/kick.wav");
    fVolumes.Add("Z:\\", kVolumeKindRemovable, "SampleDisk");
    fVolumes.Add(DriveRoot(), kVolumeKindRemovable, "SampleDisk");
    fVolumes.Add(DriveRoot(), kVolumeKindCDROM, "SampleCD");

    // The first volume of the label is Z:, where the names lead nowhere.
    EXPECT_TRUE(PathOn("sampledisk", kVolumeKindRemovable, NamesBelowDrive(kick)).Resolve().IsEmpty());

    fVolumes.fVolumes.erase(fVolumes.fVolumes.begin());
    EXPECT_TRUE(PathOn("sampledisk", kVolumeKindRemovable, NamesBelowDrive(kick)).Resolve() == kick);
    EXPECT_TRUE(PathOn("SAMPLECD", kVolumeKindCDROM, NamesBelowDrive(kick)).Resolve() == kick);
}

TEST_F(AbsolutePathResolutionTest, AVolumeThatIsNotMountedGivesNothingWithoutTryingTheURL)
{
    MakeFile("disk/kick.wav");
    const CItemPtr kick = FileItem("disk/kick.wav");
    fVolumes.Add(DriveRoot(), kVolumeKindCDROM, "SampleDisk");
    fVolumes.Add(DriveRoot(), kVolumeKindRemovable, "SampleDisk", 0);
    for (u32 kind : {kVolumeKindRemovable, kVolumeKindNetwork})
    {
        CAbsolutePath path = PathOn("SampleDisk", kind, NamesBelowDrive(kick));
        path.fNativeURLMode = kNativeURLWin32File;
        path.fNativeURL = FileURL(kick);
        EXPECT_TRUE(path.Resolve().IsEmpty()) << kind;
    }
}

TEST_F(AbsolutePathResolutionTest, AMountedVolumeFallsBackToTheURLWhenTheNamesLeadNowhere)
{
    MakeFile("disk/kick.wav");
    const CItemPtr kick = FileItem("disk/kick.wav");
    fVolumes.Add(DriveRoot(), kVolumeKindRemovable, "SampleDisk");
    CAbsolutePath path = PathOn("SampleDisk", kVolumeKindRemovable, ComponentsOf({"moved", "kick.wav"}));
    path.fNativeURLMode = kNativeURLWin32File;
    path.fNativeURL = FileURL(kick);
    EXPECT_TRUE(path.Resolve() == kick);
    // With the lenient last step the URL is not tried.
    path.fMatchWithoutExtension = 1;
    EXPECT_TRUE(path.Resolve().IsEmpty());
}

TEST_F(AbsolutePathResolutionTest, WithoutAVolumeNameTheURLComesFirstThenTheDesktopWalk)
{
    MakeFile("lib/kick.wav");
    MakeFile("lib/snare.wav");
    const CItemPtr kick = FileItem("lib/kick.wav");
    const CItemPtr snare = FileItem("lib/snare.wav");
    const CItemPtr folder = FolderItem("lib");

    // The URL names kick, the names snare: the URL wins.
    CAbsolutePath path = PathOn("", kVolumeKindOther, NamesBelowDesktop(snare));
    path.fNativeURLMode = kNativeURLWin32File;
    path.fNativeURL = FileURL(kick);
    EXPECT_TRUE(path.Resolve() == kick);

    path.fNativeURLMode = kNativeURLWin32Directory;
    path.fNativeURL = FolderURL(folder);
    EXPECT_TRUE(path.Resolve() == folder);

    struct Case
    {
        u32 mode;
        std::string url;
    };
    const Case kLeadingNowhere[] = {
        {kNativeURLWin32Directory, FileURL(kick)}, // a file named as a folder
        {kNativeURLWin32File, FolderURL(folder)},  // a folder named as a file
        {kNativeURLWin32File, FolderURL(folder) + "gone.wav"},
        {kNativeURLWin32File, "file://Q:\\missing\\kick.wav"},
        {kNativeURLWin32File, "http://example.com/kick.wav"},
        {kNativeURLOSXFile, FileURL(kick)},
        {kNativeURLNone, ""},
    };
    for (const Case& c : kLeadingNowhere)
    {
        path.fNativeURLMode = c.mode;
        path.fNativeURL = c.url;
        EXPECT_TRUE(path.ResolveNativeURL().IsEmpty()) << c.url;
        EXPECT_TRUE(path.Resolve() == snare) << c.url;
    }
}

TEST_F(AbsolutePathResolutionTest, TheLenientLastStepMatchesAFileWithoutItsExtension)
{
    MakeFile("lib/kick.wav");
    MakeFile("lib/named/kick/inside.wav");
    MakeFile("lib/named/kick.wav");
    const TPathComponents lib = NamesBelowDesktop(FolderItem("lib"));
    const auto below = [&lib](std::vector<std::string> names)
    {
        TPathComponents components = lib;
        for (const THashedString& name : ComponentsOf(names))
            components.push_back(name);
        return components;
    };
    CAbsolutePath path = PathOn("", kVolumeKindOther, below({"kick"}));
    EXPECT_TRUE(path.Resolve().IsEmpty());
    path.fMatchWithoutExtension = 1;
    EXPECT_TRUE(path.Resolve() == FileItem("lib/kick.wav"));
    path.fComponents = below({"kick.aif"});
    EXPECT_TRUE(path.Resolve().IsEmpty());
    path.fComponents = below({"named", "kick"});
    EXPECT_TRUE(path.Resolve() == FolderItem("lib/named/kick"));
}

TEST_F(AbsolutePathResolutionTest, ResolutionAnswersEmptyInsteadOfThrowing)
{
    MakeFile("lib/kick.wav");
    const CItemPtr kick = FileItem("lib/kick.wav");
    CAbsolutePath invalid = PathOn("", kVolumeKindOther, NamesBelowDesktop(kick));
    invalid.fValid = 0;
    EXPECT_TRUE(invalid.Resolve().IsEmpty());

    fVolumes.fListingFails = true;
    EXPECT_TRUE(PathOn("SampleDisk", kVolumeKindRemovable, ComponentsOf({"kick.wav"})).Resolve().IsEmpty());

    // Without an item database every step fails.
    const CAbsolutePath onDesktop = PathOn("", kVolumeKindOther, NamesBelowDesktop(kick));
    CItemDatabase* const database = gItemDatabase;
    gItemDatabase = nullptr;
    EXPECT_NO_THROW(EXPECT_TRUE(onDesktop.Resolve().IsEmpty()));
    gItemDatabase = database;
}
} // namespace
} // namespace NSContentTests
