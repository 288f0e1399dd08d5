// Walks down a real scratch tree by names: shortcuts in the middle and at the end, the lenient
// last step without an extension, and the cost of many searches of one large tree.
#include "tests/content/ContentTestSupport.h"
#include "tests/content/vfs/ContentTestSupport.h"

#include "content/paths/ItemSearch.h"
#include "filelib/WinShortcuts.h"

namespace NSContentTests
{
namespace
{
using ItemSearchTest = CItemTest;

TEST_F(ItemSearchTest, AShortcutToAFolderIsFollowedInTheMiddleAndAnsweredItselfAtTheEnd)
{
    MakeFile("target/inner/kick.wav");
    MakeFile("target/snare.wav");
    MakeFolder("links");
    WinCreateShortcut(FilePath("target/inner"), FilePath("links/inner.lnk"), Text("test"));
    WinCreateShortcut(FilePath("target/snare.wav"), FilePath("links/snare.lnk"), Text("test"));
    const CItemPtr folderLink = FileItem("links/inner.lnk");
    const CItemPtr fileLink = FileItem("links/snare.lnk");
    ASSERT_TRUE(folderLink->IsLink());
    EXPECT_TRUE(ResolveItemLink(folderLink) == FolderItem("target/inner"));
    const THashedString folderLinkName(folderLink->GetName());
    const THashedString fileLinkName(fileLink->GetName());

    const CItemPtr kick = FindItemByComponents(
        FolderItem(""), {THashedString(Text("links")), folderLinkName, THashedString(Text("KICK.wav"))});
    EXPECT_TRUE(kick == FileItem("target/inner/kick.wav"));

    const CItemPtr last =
        FindItemByComponents(FolderItem(""), {THashedString(Text("links")), folderLinkName});
    EXPECT_TRUE(last == folderLink);
    EXPECT_TRUE(last->IsLink());

    // A shortcut to a file leads nowhere below it.
    EXPECT_TRUE(FindItemByComponents(FolderItem(""),
                                     {THashedString(Text("links")), fileLinkName, THashedString(Text("x"))})
                    .IsEmpty());
    // The lenient walk does not follow shortcuts.
    EXPECT_TRUE(
        FindItemByComponentsIgnoringExtension(
            FolderItem(""), {THashedString(Text("links")), folderLinkName, THashedString(Text("kick.wav"))})
            .IsEmpty());
}

TEST_F(ItemSearchTest, TheLenientWalkMatchesALastNameWithoutItsExtension)
{
    MakeFile("lib/drums/kick.wav");
    MakeFile("lib/drums/snare.wav");
    MakeFile("lib/drums/hat.1.wav");
    MakeFile("lib/named/kick.wav");
    MakeFile("lib/named/kick/inside.wav");
    struct Case
    {
        std::vector<std::string> components;
        const char* found; // relative path, or "" for none
    };
    const Case kCases[] = {
        {{"drums", "kick"}, "lib/drums/kick.wav"},
        {{"drums", "SNARE"}, "lib/drums/snare.wav"},
        {{"drums", "hat.1.wav"}, "lib/drums/hat.1.wav"},
        {{"drums", "hat.1"}, ""}, // a name with a "." gets no second chance
        {{"drums", "hat"}, ""},
        {{"drums", "kick.aif"}, ""},
        {{"drums", "kick.wav"}, "lib/drums/kick.wav"},
        {{"named", "kick"}, "lib/named/kick"}, // the exact step finds the folder first
        {{"named", "kick", "inside"}, "lib/named/kick/inside.wav"},
        {{"nowhere", "kick"}, ""},
        {{}, "lib"},
    };
    const CItemPtr start = FolderItem("lib");
    for (const Case& c : kCases)
    {
        const CItemPtr found = FindItemByComponentsIgnoringExtension(start, ComponentsOf(c.components));
        const std::string where = testing::PrintToString(c.components);
        if (*c.found == 0)
        {
            EXPECT_TRUE(found.IsEmpty()) << where;
            continue;
        }
        ASSERT_FALSE(found.IsEmpty()) << where;
        const CItemPtr expected = found->IsFolder() ? FolderItem(c.found) : FileItem(c.found);
        EXPECT_TRUE(found == expected) << where;
    }
    // The exact walk has no second chance.
    EXPECT_TRUE(FindItemByComponents(start, ComponentsOf({"drums", "kick"})).IsEmpty());
}

TEST_F(ItemSearchTest, AnEmptyOrVanishedStartFindsNothing)
{
    MakeFile("gone/a.wav");
    const CItemPtr gone = FolderItem("gone");
    NSFileLibTests::RemoveFolderTree(Scratch().Path() / "gone");
    for (const CItemPtr& start : {CItemPtr(), gone})
    {
        EXPECT_TRUE(FindItemByComponents(start, ComponentsOf({"a.wav"})).IsEmpty());
        EXPECT_TRUE(FindItemByComponentsIgnoringExtension(start, ComponentsOf({"a"})).IsEmpty());
        EXPECT_TRUE(FindItemInSubtree(start, ComponentsOf({"a.wav"})).IsEmpty());
    }
}

// A chain of 20 folders, each holding 500 files: 10,000 files in all.
constexpr int kLevels = 20;
constexpr int kFilesPerLevel = 500;

std::string LevelPath(int level)
{
    std::string path = "tree";
    for (int i = 1; i <= level; ++i)
        path += "/level" + std::to_string(i);
    return path;
}

std::vector<std::string> ComponentsTo(int level, int file)
{
    std::vector<std::string> components;
    for (int i = 1; i <= level; ++i)
        components.push_back("level" + std::to_string(i));
    components.push_back("file" + std::to_string(file) + ".wav");
    return components;
}

TEST_F(ItemSearchTest, ManySearchesOfOneTreeListEachFolderOnce)
{
    for (int level = 0; level < kLevels; ++level)
        for (int file = 0; file < kFilesPerLevel; ++file)
            MakeFile(LevelPath(level) + "/file" + std::to_string(file) + ".wav");
    const u32 treeEntries = kLevels * kFilesPerLevel + (kLevels - 1);

    const CChildReadCounter counter;
    const CItemPtr root = FolderItem("tree");
    const CItemPtr deepest =
        FindItemInSubtree(root, ComponentsOf(ComponentsTo(kLevels - 1, kFilesPerLevel - 1)));
    ASSERT_FALSE(deepest.IsEmpty());
    EXPECT_TRUE(deepest == FileItem(LevelPath(kLevels - 1) + "/file499.wav"));

    // 200 more searches (each alone would read up to a whole folder per level), ten at every level, spread
    // over each folder's listing.
    for (int level = 0; level < kLevels; ++level)
    {
        for (int file = 0; file < kFilesPerLevel; file += kFilesPerLevel / 10)
        {
            const CItemPtr found = FindItemInSubtree(root, ComponentsOf(ComponentsTo(level, file)));
            ASSERT_FALSE(found.IsEmpty()) << level << "/" << file;
            EXPECT_EQ(found->GetName(), Text("file" + std::to_string(file) + ".wav"));
        }
    }
    EXPECT_TRUE(FindItemInSubtree(root, ComponentsOf(ComponentsTo(3, kFilesPerLevel))).IsEmpty());
    // Every child is read at most once, however many searches there were.
    EXPECT_LE(counter.Count(), treeEntries);
}
} // namespace
} // namespace NSContentTests
