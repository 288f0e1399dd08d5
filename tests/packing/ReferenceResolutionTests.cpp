// Sample references resolved on disk, relocated into the package, and resolved over a finished
// package's index.
#include "base/Quorral.h"
#include "content/package/VantleIndexRow.h"
#include "filelib/FileLibAccess.h"
#include "packing/ReferenceOnDisk.h"
#include "packing/ReferenceRelocation.h"
#include "packing/SkipItems.h"
#include "packing/StandardReferenceResolver.h"
#include "packing/VantleReferenceResolver.h"
#include "tests/packing/SourceFolderFixture.h"

#include <gtest/gtest.h>

namespace
{
using namespace NSPackingTests;
using namespace NSVantlePacking;

class ReferenceResolutionTest : public CSourceFolderTest
{
protected:
    void SetUp() override
    {
        CSourceFolderTest::SetUp();
        fJob = MakeJob();
    }

    // The target of a reference of Song.sng, or "-" when there is none.
    std::string Resolved(const CSF10ReferenceChunk& reference, const std::string& packageName = "Bank") const
    {
        const CItemPtr item = ResolveReferenceOnDisk(Root(), Text(packageName), SourceFile("Song.sng"),
                                                     reference, fJob->fOutsideShortcuts);
        return item.IsEmpty() ? "-" : TextOf(item->GetName());
    }

    CSF10ReferenceChunk AbsoluteReference(const std::string& path) const
    {
        CSF10ReferenceChunk reference = BlankReference();
        reference.fAbsolutePath.fValid = 1;
        reference.fAbsolutePath.fNativeURLMode = kNativeURLWin32File;
        char url[NSFileLib::kFileLibURLBufferBytes] = {};
        EXPECT_EQ(NSFileLibSupport::GetFileLib()->GetFileURL(GetItemFileSpec(FileItem(path)).get(), url),
                  NSFileLib::kFileLibOK);
        reference.fAbsolutePath.fNativeURL = url;
        return reference;
    }

    TPackJobHandle fJob;
};

TEST_F(ReferenceResolutionTest, EachCandidateIsFoundOrNot)
{
    MakeFile("Nope.aif");
    struct TCase
    {
        const char* fWhat;
        CSF10ReferenceChunk fReference;
        const char* fExpected;
    };
    const TCase cases[] = {
        {"relative path", RelativeReference(0, {"Samples", "Kick.aif"}), "Kick.aif"},
        {"relative path to nothing", RelativeReference(0, {"Samples", "Nope.aif"}), "-"},
        {"relative path outside", RelativeReference(1, {"Nope.aif"}), "-"},
        {"relative path through an outside shortcut", RelativeReference(0, {"Extra", "Hat.aif"}), "Hat.aif"},
        {"database path below the folder's name",
         DatabaseReference("", {"X", "Source", "Samples", "Kick.aif"}), "Kick.aif"},
        {"database path naming only the folder", DatabaseReference("", {"X", "Source"}), "-"},
        {"database path of another package",
         DatabaseReference("Other", {"Other", "Source", "Samples", "Kick.aif"}), "Kick.aif"},
        {"absolute path", AbsoluteReference("Source/Samples/Old/Snare.aif"), "Snare.aif"},
        {"absolute path outside", AbsoluteReference("Nope.aif"), "-"},
        {"this package's database path", DatabaseReference("Bank", {"Bank", "Samples", "Kick.aif"}),
         "Kick.aif"},
        {"this package's name in another case", DatabaseReference("BANK", {"bank", "Samples", "Kick.aif"}),
         "Kick.aif"},
        {"this package's database path to nothing", DatabaseReference("Bank", {"Bank", "Samples", "No.aif"}),
         "-"},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(Resolved(c.fReference), c.fExpected) << c.fWhat;
}

TEST_F(ReferenceResolutionTest, TheRelativePathWinsOverTheOthers)
{
    CSF10ReferenceChunk reference = AbsoluteReference("Source/Samples/Old/Snare.aif");
    reference.fRelativePath = RelativeReference(0, {"Samples", "Kick.aif"}).fRelativePath;
    EXPECT_EQ(Resolved(reference), "Kick.aif");
}

TEST_F(ReferenceResolutionTest, ANameFoundOnlyAsAShortcutFileIsFollowed)
{
    MakeShortcut("Source/Samples/Kick.aif", "Source/Alias.aif.lnk");
    EXPECT_EQ(Resolved(RelativeReference(0, {"Alias.aif"})), "Alias.aif.lnk");
    EXPECT_TRUE(FollowRelativePath(RelativeReference(0, {"Extra", "Hat.aif"}).fRelativePath, Root()) ==
                FileItem("Elsewhere/Hat.aif"));
    EXPECT_TRUE(FollowRelativePath(CRelativePath(), Root()).IsEmpty());
}

TEST_F(ReferenceResolutionTest, ThisPackagesDatabasePathMustStartWithItsName)
{
    EXPECT_THROW(Resolved(DatabaseReference("Bank", {"Other", "Samples", "Kick.aif"})),
                 NSQuorral::XFormatViolation);
    EXPECT_THROW(Resolved(DatabaseReference("Bank", {"Bank"})), NSQuorral::XFormatViolation);
}

TEST_F(ReferenceResolutionTest, TheResolverSortsByTargetAndPackageName)
{
    const auto tree = BuildSkipItemsTree(Root(), {Text("Samples/Old")}, &fJob->fOutsideShortcuts);
    CStandardReferenceResolver resolver(Root(), Text("Bank"), SourceFile("Song.sng"), tree.get(),
                                        &fJob->fOutsideShortcuts);
    const std::vector<std::string> missing = {"Bank", "Samples", "Gone.aif"};
    struct TCase
    {
        const char* fWhat;
        CSF10ReferenceChunk fReference;
        EReferenceResolveResult fExpected;
    };
    const TCase cases[] = {
        {"found", RelativeReference(0, {"Samples", "Kick.aif"}), kReferenceResolved},
        {"found, a skip item", RelativeReference(0, {"Samples", "Old", "Snare.aif"}), kReferenceSkipped},
        {"not found, no package", RelativeReference(0, {"Gone.aif"}), kReferenceUnresolved},
        {"not found, this package", DatabaseReference("Bank", missing), kReferenceUnresolved},
        {"not found, this package in another case", DatabaseReference("bANK", {"bANK", "Gone.aif"}),
         kReferenceUnresolved},
        {"not found, another package", DatabaseReference("Other", {"Other", "Gone.aif"}),
         kReferenceInOtherPackage},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(resolver.Resolve(c.fReference), c.fExpected) << c.fWhat;
}

TEST_F(ReferenceResolutionTest, RelocationPointsIntoThePackage)
{
    MakeFile("Source/Samples/Old/Doc.sng");
    CSF10ReferenceChunk reference = AbsoluteReference("Source/Samples/Kick.aif");
    reference.fVantleName = THashedString(Text("Somewhere"));
    CStandardReferenceRelocator relocator(Root(), fJob->fInfo, &fJob->fOutsideShortcuts);
    const CSF10ReferenceChunk relocated = relocator.Relocate(SourceFile("Samples/Old/Doc.sng"), reference);

    EXPECT_EQ(TextOf(relocated.fVantleName.GetText()), "Bank");
    EXPECT_EQ(TextOf(relocated.fVantleURL.GetText()), "http://bank");
    EXPECT_EQ(relocated.fDatabasePath.fPathKind, kDatabasePathInPackage);
    EXPECT_EQ(relocated.fDatabasePath.fValid, 1);
    EXPECT_EQ(TextOf(relocated.fDatabasePath.fVantleName.GetText()), "Bank");
    EXPECT_EQ(relocated.fDatabasePath.fComponents, Names({"Bank", "Samples", "Kick.aif"}));
    EXPECT_EQ(TextOf(relocated.fRelativePath.GetDisplayText()), "../Kick.aif");
    EXPECT_EQ(relocated.fAbsolutePath.fValid, 0);
    EXPECT_EQ(relocated.fAbsolutePath.fVolumeType, NSFileLib::kVolumeKindOther);
    EXPECT_EQ(relocated.fAbsolutePath.fNativeURLMode, kNativeURLNone);
    EXPECT_TRUE(relocated.fAbsolutePath.fNativeURL.empty());
    EXPECT_EQ(relocated.fSampleType, kSampleReferenceSample);

    const CSF10ReferenceChunk behindShortcut = NSVantlePacking::RelocateReference(
        Root(), fJob->fInfo, SourceFile("Song.sng"), RelativeReference(0, {"Extra", "Hat.aif"}),
        fJob->fOutsideShortcuts);
    EXPECT_EQ(behindShortcut.fDatabasePath.fComponents, Names({"Bank", "Extra", "Hat.aif"}));
    EXPECT_EQ(TextOf(behindShortcut.fRelativePath.GetDisplayText()), "Extra/Hat.aif");
}

TEST_F(ReferenceResolutionTest, ReferencesIntoOtherPackagesKeepOnlyTheirDatabasePath)
{
    CSF10ReferenceChunk reference = DatabaseReference("Other", {"Other", "Gone.aif"});
    reference.fRelativePath = RelativeReference(0, {"Gone.aif"}).fRelativePath;
    const CSF10ReferenceChunk relocated =
        RelocateReference(Root(), fJob->fInfo, SourceFile("Song.sng"), reference, fJob->fOutsideShortcuts);
    EXPECT_EQ(relocated.fDatabasePath.fComponents, Names({"Other", "Gone.aif"}));
    EXPECT_EQ(TextOf(relocated.fVantleName.GetText()), "Other");
    EXPECT_EQ(relocated.fRelativePath.fValid, 0);
    EXPECT_EQ(relocated.fAbsolutePath.fValid, 0);
}

TEST_F(ReferenceResolutionTest, RelocationFailsForWhatCannotBePacked)
{
    const auto relocate = [&](const CSF10ReferenceChunk& reference)
    { RelocateReference(Root(), fJob->fInfo, SourceFile("Song.sng"), reference, fJob->fOutsideShortcuts); };
    EXPECT_THROW(relocate(RelativeReference(0, {"Gone.aif"})), NSQuorral::XResolve);
    EXPECT_THROW(relocate(DatabaseReference("Bank", {"Bank", "Gone.aif"})), NSQuorral::XResolve);
    // The resolver calls this one unresolved too: a case variant of the package's own name.
    EXPECT_THROW(relocate(DatabaseReference("bank", {"bank", "Gone.aif"})), NSQuorral::XResolve);
    CSF10ReferenceChunk device = RelativeReference(0, {"Samples", "Kick.aif"});
    device.fSampleType = 14;
    EXPECT_THROW(relocate(device), NSQuorral::XUnsupportedFormat);
    CSF10ReferenceChunk loop = RelativeReference(0, {"Samples", "Kick.aif"});
    loop.fSampleType = kSampleReferenceLoop;
    EXPECT_NO_THROW(relocate(loop));
}

TEST(VantleReferenceResolverTest, ResolvesAgainstThePackagesIndex)
{
    CVantleReferenceResolver resolver;
    CVantleIndexRow row;
    row.fName = Text("Samples:Kick.aif");
    EXPECT_TRUE(resolver.Visit(CVantleEntryLocation(), row));
    resolver.fInfo.fName = Text("Bank");

    struct TCase
    {
        const char* fWhat;
        CSF10ReferenceChunk fReference;
        EReferenceResolveResult fExpected;
    };
    const TCase cases[] = {
        {"an entry", DatabaseReference("Bank", {"Bank", "Samples", "Kick.aif"}), kReferenceResolved},
        {"no entry", DatabaseReference("Bank", {"Bank", "Samples", "Snare.aif"}), kReferenceUnresolved},
        {"names differ in case", DatabaseReference("Bank", {"Bank", "samples", "kick.aif"}),
         kReferenceUnresolved},
        {"no package name", DatabaseReference("", {"Bank", "Samples", "Kick.aif"}), kReferenceUnresolved},
        {"another package", DatabaseReference("Other", {"Other", "Samples", "Kick.aif"}),
         kReferenceInOtherPackage},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(resolver.Resolve(c.fReference), c.fExpected) << c.fWhat;
    EXPECT_THROW(resolver.Resolve(DatabaseReference("Bank", {"Other", "Samples", "Kick.aif"})),
                 NSQuorral::XFormatViolation);
}
} // namespace
