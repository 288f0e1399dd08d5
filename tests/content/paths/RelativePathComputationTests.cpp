// Relative paths between items: from component lists, between folders of a scratch tree, across
// two drives through the shell's own top levels, and the pairs that have no relative path; each
// computed path followed back to its target.
#include "tests/content/ContentTestSupport.h"
#include "tests/content/vfs/ContentTestSupport.h"
#include "tests/content/vfs/TestItemFactory.h"

#include "content/paths/ItemPathComponents.h"
#include "content/paths/RelativePathComputation.h"
#include "filelib/FileLibWrappers.h"

#include <filesystem>
#include <fstream>

namespace NSContentTests
{
namespace
{
TEST(ComparePathComponentsTest, StepsUpToTheLastSharedNameAndDownTheRest)
{
    struct Case
    {
        std::vector<std::string> folder;
        std::vector<std::string> item;
        bool valid;
        u32 stepUp;
        std::vector<std::string> components;
    };
    const Case kCases[] = {
        {{"D", "lib", "docs"}, {"D", "lib", "docs", "kick.wav"}, true, 0, {"kick.wav"}},
        {{"D", "lib", "docs"}, {"D", "lib", "Samples", "kick.wav"}, true, 1, {"Samples", "kick.wav"}},
        {{"D", "LIB", "samples"}, {"d", "lib", "SAMPLES", "kick.wav"}, true, 0, {"kick.wav"}},
        // The target is the starting folder itself: one level up and down by its own name.
        {{"D", "lib", "docs"}, {"D", "lib", "docs"}, true, 1, {"docs"}},
        {{"D", "lib"}, {"E", "lib", "kick.wav"}, false, 0, {}},
        {{"D"}, {"D"}, false, 0, {}},
        {{}, {"D", "kick.wav"}, false, 0, {}},
        {{"D", "a", "b", "c"}, {"D", "x"}, true, 3, {"x"}},
    };
    for (const Case& c : kCases)
    {
        u32 stepUp = 99;
        TPathComponents components = ComponentsOf({"untouched"});
        u8 valid = 0;
        ComparePathComponents(ComponentsOf(c.folder), ComponentsOf(c.item), stepUp, components, valid);
        const std::string where = testing::PrintToString(c.folder) + " to " + testing::PrintToString(c.item);
        EXPECT_EQ(valid, c.valid ? 1 : 0) << where;
        EXPECT_EQ(stepUp, c.valid ? c.stepUp : 99u) << where;
        EXPECT_EQ(TextsOf(components), c.valid ? c.components : std::vector<std::string>{"untouched"})
            << where;
    }
}

using RelativePathComputationTest = CItemTest;

TEST_F(RelativePathComputationTest, PathsWithinTheScratchTreeAreComputedAndFollowedBack)
{
    MakeFile("lib/docs/song.doc");
    MakeFile("lib/docs/kick.wav");
    MakeFile("lib/Samples/Drums/snare.wav");
    struct Case
    {
        const char* start;
        const char* target;
        bool targetIsFolder;
        u32 stepUp;
        const char* displayText;
    };
    const Case kCases[] = {
        {"lib/docs", "lib/docs/kick.wav", false, 0, "kick.wav"},
        {"lib/docs", "lib/Samples/Drums/snare.wav", false, 1, "../Samples/Drums/snare.wav"},
        {"lib/Samples/Drums", "lib/docs/kick.wav", false, 2, "../../docs/kick.wav"},
        {"lib/docs", "lib/docs", true, 1, "../docs"},
        {"lib/docs", "lib", true, 2, "../../lib"},
    };
    for (const Case& c : kCases)
    {
        const CItemPtr start = FolderItem(c.start);
        const CItemPtr target = c.targetIsFolder ? FolderItem(c.target) : FileItem(c.target);
        const CRelativePath path = ComputeRelativePathToItem(start, target);
        ASSERT_EQ(path.fValid, 1) << c.target;
        EXPECT_EQ(path.fStepUp, c.stepUp) << c.target;
        EXPECT_EQ(UTF8Of(path.GetDisplayText()), c.displayText) << c.target;
        EXPECT_TRUE(FollowRelativePath(start, path) == target) << c.target;
    }
}

// A file under Linux's /tmp, which Wine shows on drive Z:, removed afterwards.
class CFileOnDriveZ
{
public:
    CFileOnDriveZ()
        : fFolder(std::filesystem::path(L"Z:\\tmp") /
                  ("vantle-relative-" + std::to_string(::GetCurrentProcessId())))
    {
        std::filesystem::create_directories(fFolder / "sub");
        std::ofstream(fFolder / "sub" / "far.wav") << "x";
    }
    ~CFileOnDriveZ() { NSFileLibTests::RemoveFolderTree(fFolder); }
    NSTextPackage::TUTF16String Path() const
    {
        const std::wstring path = (fFolder / "sub" / "far.wav").wstring();
        return NSTextPackage::TUTF16String(path.begin(), path.end());
    }

private:
    std::filesystem::path fFolder;
};

TEST_F(RelativePathComputationTest, APathAcrossDrivesStepsUpToTheShellsSharedTopLevels)
{
    const CFileOnDriveZ onDriveZ;
    const CItemPtr target = GetItemForFile(NSFileLibSupport::FileSpecFromWinPath(onDriveZ.Path()));
    ASSERT_FALSE(target.IsEmpty());
    const CItemPtr start = FolderItem("");
    ASSERT_NE(NSFileLibSupport::GetDirWinPath(GetItemDirSpec(start).get()).substr(0, 2), Text("Z:"));

    TPathComponents startNames;
    TPathComponents targetNames;
    ASSERT_FALSE(GetItemPathComponents(start, startNames));
    ASSERT_FALSE(GetItemPathComponents(target, targetNames));
    // The names of the drive Z: root are the shell's top levels and the drive's own name.
    const CItemPtr driveZ = GetItemForFolder(NSFileLibSupport::DirSpecFromWinPath(Text("Z:\\")));
    TPathComponents driveNames;
    GetItemPathComponents(driveZ, driveNames);
    ASSERT_GE(driveNames.size(), 2u);
    const size_t shared = driveNames.size() - 1;
    ASSERT_EQ(TPathComponents(startNames.begin(), startNames.begin() + std::ptrdiff_t(shared)),
              TPathComponents(driveNames.begin(), driveNames.end() - 1));

    const CRelativePath path = ComputeRelativePathToItem(start, target);
    ASSERT_EQ(path.fValid, 1);
    EXPECT_EQ(path.fStepUp, startNames.size() - shared);
    EXPECT_EQ(TextsOf(path.fComponents),
              TextsOf(TPathComponents(targetNames.begin() + std::ptrdiff_t(shared), targetNames.end())));
    EXPECT_EQ(path.fComponents.front(), driveNames.back());
    EXPECT_TRUE(FollowRelativePath(start, path) == target);
}

TEST_F(RelativePathComputationTest, PackagesAndTheDatabaseRootHaveNoPathToDisk)
{
    const CTestItemFactory factory;
    MakeFile("lib/bank.vtl", "VTL Drum Bank");
    MakeFile("lib/kick.wav");
    const CItemPtr package = FileItem("lib/bank.vtl");
    ASSERT_TRUE(package->IsVantleFile());
    const CItemPtr folder = FolderItem("lib");
    const CItemPtr root = Database().GetDatabaseRoot();

    TPathComponents packageNames;
    EXPECT_TRUE(GetItemPathComponents(package, packageNames));
    EXPECT_EQ(TextsOf(packageNames), (std::vector<std::string>{UTF8Of(root->GetName()), "Drum Bank"}));

    EXPECT_EQ(ComputeRelativePathToItem(folder, package).fValid, 0);
    EXPECT_EQ(ComputeRelativePathToItem(package, FileItem("lib/kick.wav")).fValid, 0);
    EXPECT_EQ(ComputeRelativePathToItem(root, package).fValid, 0);
    EXPECT_EQ(ComputeRelativePathToItem(folder, CItemPtr()).fValid, 0);

    // From component lists: the root folder's own names as the start give nothing, even toward
    // a package; two places in packages do.
    TPathComponents rootNames;
    EXPECT_FALSE(GetItemPathComponents(root, rootNames));
    TPathComponents inPackage = packageNames;
    inPackage.push_back(THashedString(Text("kick.wav")));
    EXPECT_EQ(ComputeRelativePath(rootNames, false, inPackage, true).fValid, 0);
    EXPECT_EQ(ComputeRelativePath(rootNames, true, inPackage, true).fValid, 0);
    EXPECT_EQ(ComputeRelativePath(packageNames, true, {}, true).fValid, 0);
    EXPECT_EQ(ComputeRelativePath(packageNames, false, inPackage, true).fValid, 0);
    const CRelativePath inside = ComputeRelativePath(packageNames, true, inPackage, true);
    ASSERT_EQ(inside.fValid, 1);
    EXPECT_EQ(inside.fStepUp, 0u);
    EXPECT_EQ(UTF8Of(inside.GetDisplayText()), "kick.wav");
    // Following from the package: up from it leads to the root folder, which lists it by name.
    const CRelativePath toPackage = ComputeRelativePath(packageNames, true, packageNames, true);
    ASSERT_EQ(toPackage.fValid, 1);
    EXPECT_EQ(toPackage.fStepUp, 1u);
    EXPECT_TRUE(FollowRelativePath(package, toPackage) == package);
}

TEST_F(RelativePathComputationTest, AnInvalidPathOrAnEmptyStartIsFollowedNowhere)
{
    MakeFile("a/b.wav");
    CRelativePath path;
    EXPECT_TRUE(FollowRelativePath(FolderItem("a"), path).IsEmpty());
    path.fValid = 1;
    path.fComponents = ComponentsOf({"b.wav"});
    EXPECT_TRUE(FollowRelativePath(CItemPtr(), path).IsEmpty());
    EXPECT_TRUE(FollowRelativePath(FolderItem("a"), path) == FileItem("a/b.wav"));
    path.fStepUp = 1000;
    EXPECT_TRUE(FollowRelativePath(FolderItem("a"), path).IsEmpty());
}
} // namespace
} // namespace NSContentTests
