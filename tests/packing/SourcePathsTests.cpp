// Items named relative to the source folder, through outside shortcuts, and the skip-items tree.
#include "base/Quorral.h"
#include "packing/SkipItems.h"
#include "packing/SourcePaths.h"
#include "tests/packing/SourceFolderFixture.h"

#include <gtest/gtest.h>

namespace
{
using namespace NSPackingTests;
using namespace NSVantlePacking;

TEST(SkipItemsNodeTest, SplitsTheFirstComponent)
{
    struct TCase
    {
        const char* fPath;
        const char* fFirst;
        const char* fRest;
    };
    const TCase cases[] = {
        {"a", "a", ""}, {"a/b/c", "a", "b/c"}, {"a/", "a", ""}, {"/x", "", "x"}, {"", "", ""}};
    for (const TCase& c : cases)
    {
        const NSTextPackage::TUTF16String path = Text(c.fPath);
        const auto [first, rest] = SplitFirstPathComponent(path, 0);
        EXPECT_EQ(first, Text(c.fFirst)) << c.fPath;
        EXPECT_EQ(path.substr(rest), Text(c.fRest)) << c.fPath;
    }
}

TEST(SkipItemsNodeTest, AnswersAlikeInEitherInsertionOrderAndAnyCase)
{
    const std::vector<std::vector<const char*>> orders = {{"Samples/Old/Kick.aif", "Samples/Old"},
                                                          {"Samples/Old", "Samples/Old/Kick.aif"}};
    struct TQuery
    {
        const char* fPath;
        bool fListed;
    };
    const TQuery queries[] = {{"Samples/Old", true},
                              {"samples/OLD", true},
                              {"Samples/Old/Kick.aif", true},
                              {"SAMPLES/old/x/y", true},
                              {"Samples", false},
                              {"Samples/New", false},
                              {"Old", false},
                              {"Samples/Older", false}};
    for (const auto& order : orders)
    {
        CSkipItemsNode root;
        for (const char* path : order)
            root.Insert(Text(path));
        for (const TQuery& query : queries)
            EXPECT_EQ(root.Find(Text(query.fPath)), query.fListed)
                << order.front() << " first, " << query.fPath;
    }
}

TEST(SkipItemsNodeTest, EmptyComponentsMatchNothing)
{
    CSkipItemsNode root;
    root.Insert(Text("/x"));
    root.Insert(Text("a//b"));
    for (const char* path : {"x", "a", "a/b", "a/x", "b"})
        EXPECT_FALSE(root.Find(Text(path))) << path;
}

TEST(SkipItemsNodeTest, AListedPathOfVeryManyComponentsIsInsertedFoundAndReleased)
{
    NSTextPackage::TUTF16String deep;
    for (int i = 0; i < 300000; ++i)
        deep += Text("a/");
    deep += Text("b");
    {
        CSkipItemsNode root;
        root.Insert(deep);
        EXPECT_TRUE(root.Find(deep));
        EXPECT_TRUE(root.Find(deep + Text("/c")));
        EXPECT_FALSE(root.Find(deep.substr(0, deep.size() - 2)));
    }
}

TEST(SkipItemsNodeTest, FindsEachOfManySiblingsInAnyCase)
{
    CSkipItemsNode root;
    for (int i = 0; i < 20000; ++i)
        root.Insert(Text(("Item" + std::to_string(i) + "/x").c_str()));
    root.Insert(Text("item7/X"));
    ASSERT_EQ(root.fChildren.size(), 20000u);
    EXPECT_EQ(root.FindChild(Text("ITEM7")), std::optional<std::size_t>(7));
    EXPECT_TRUE(root.Find(Text("ITEM19999/X/y")));
    EXPECT_FALSE(root.Find(Text("Item20000/x")));
}

using SourcePathsTest = CSourceFolderTest;

TEST_F(SourcePathsTest, ShortcutsAreNamedWithoutTheirExactExtension)
{
    MakeShortcut("Source/Samples/Kick.aif", "Source/Upper.LNK");
    EXPECT_EQ(StripShortcutExtension(SourceFile("Extra.lnk")), Text("Extra"));
    EXPECT_EQ(StripShortcutExtension(SourceFile("Upper.LNK")), Text("Upper.LNK"));
    EXPECT_EQ(StripShortcutExtension(SourceFile("Samples/Kick.aif")), Text("Kick.aif"));
}

TEST_F(SourcePathsTest, AnItemBehindAnOutsideShortcutIsNamedThroughIt)
{
    const TPackJobHandle job = MakeJob();
    ASSERT_EQ(job->fOutsideShortcuts.size(), 1u);
    const CItemPtr hat = FileItem("Elsewhere/Hat.aif");

    EXPECT_FALSE(IsInsideSourceFolder(hat, Root(), {}));
    EXPECT_TRUE(IsInsideSourceFolder(hat, Root(), job->fOutsideShortcuts));
    EXPECT_TRUE(FindShortcutForTarget(FolderItem("Elsewhere"), job->fOutsideShortcuts) ==
                SourceFile("Extra.lnk"));
    EXPECT_EQ(GetPathComponentsBelowRoot(Root(), hat, job->fOutsideShortcuts), Names({"Extra", "Hat.aif"}));
    EXPECT_EQ(TextOf(MakeRelativePath(hat, Root(), job->fOutsideShortcuts).GetDisplayText()),
              "Extra/Hat.aif");
    EXPECT_EQ(
        TextOf(MakeRelativePath(hat, SourceFolder("Samples/Old"), job->fOutsideShortcuts).GetDisplayText()),
        "../../Extra/Hat.aif");
    EXPECT_THROW(GetPathComponentsBelowRoot(Root(), hat, {}), NSQuorral::XResolve);
}

TEST_F(SourcePathsTest, ItemsInsideAreNamedBelowTheRoot)
{
    const CItemPtr snare = SourceFile("Samples/Old/Snare.aif");
    EXPECT_TRUE(IsInsideSourceFolder(snare, Root(), {}));
    EXPECT_FALSE(IsInsideSourceFolder(FolderItem(""), Root(), {}));
    EXPECT_EQ(GetPathComponentsBelowRoot(Root(), snare, {}), Names({"Samples", "Old", "Snare.aif"}));
    EXPECT_TRUE(GetPathComponentsBelowRoot(Root(), Root(), {}).empty());
    EXPECT_EQ(TextOf(MakeRelativePath(SourceFile("Samples/Kick.aif"), SourceFolder("Samples/Old"), {})
                         .GetDisplayText()),
              "../Kick.aif");
}

TEST_F(SourcePathsTest, SkipItemsAnswerInAnyLetterCaseAndThroughShortcuts)
{
    const TPackJobHandle job = MakeJob();
    const auto tree =
        BuildSkipItemsTree(Root(), {Text("samples/OLD"), Text("Extra/hat.aif")}, &job->fOutsideShortcuts);
    struct TCase
    {
        CItemPtr fItem;
        bool fSkipped;
        const char* fWhat;
    };
    const TCase cases[] = {
        {SourceFolder("Samples/Old"), true, "listed folder"},
        {SourceFile("Samples/Old/Snare.aif"), true, "below a listed folder"},
        {SourceFolder("Samples"), false, "above a listed folder"},
        {SourceFile("Samples/Kick.aif"), false, "beside a listed folder"},
        {FileItem("Elsewhere/Hat.aif"), true, "behind an outside shortcut"},
        {Root(), false, "the source folder"},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(IsSkipItem(*tree, c.fItem), c.fSkipped) << c.fWhat;

    const auto none = BuildSkipItemsTree(Root(), {}, &job->fOutsideShortcuts);
    EXPECT_FALSE(IsSkipItem(*none, SourceFile("Samples/Old/Snare.aif")));
}
} // namespace
