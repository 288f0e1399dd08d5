// The pack job, its source nodes and the rules that change its tree at the end of verification.
#include "base/Quorral.h"
#include "packing/InfoText.h"
#include "packing/InformationFiles.h"
#include "packing/PackFailures.h"
#include "packing/TreeRules.h"
#include "tests/packing/SourceFolderFixture.h"
#include "tests/support/ExpectThrown.h"

#include <gtest/gtest.h>

namespace
{
using namespace NSPackingTests;
using namespace NSVantlePacking;

using PackJobTest = CSourceFolderTest;

TEST_F(PackJobTest, AJobStartsWithTheDefaultSettings)
{
    const TPackJobHandle job = MakeJob();
    EXPECT_EQ(job->fWarnAboutProhibitedDevices, 1);
    EXPECT_EQ(job->fSkipProhibitedDevices + job->fWarnAboutUnusedSamples + job->fSkipUnusedSamples +
                  job->fPropagateSampleSkipping,
              0);
    const TPackJobHandle light = MakeLightPackJob(Root());
    EXPECT_TRUE(light->fOutputFolder.IsEmpty());
    EXPECT_TRUE(light->fOutputFileName.empty());
    EXPECT_EQ(light->fWarnExternalReferences, 0);
    EXPECT_FALSE(light->HasProblems());
    EXPECT_FALSE(light->HasWarnings());
}

TEST_F(PackJobTest, NodesAreSortedAndNamedFromTheTopLevel)
{
    const TPackJobHandle job = MakeJob();
    std::vector<std::string> topLevel;
    for (const auto& node : job->fEntries)
        topLevel.push_back(TextOf(node->GetDisplayName()));
    EXPECT_EQ(topLevel, (std::vector<std::string>{"Extra", "Samples", "Song.sng"}));
    EXPECT_EQ(TextOf(NodeAt(*job, "Samples/Old/Snare.aif")->GetRelativePath()), "Samples:Old:Snare.aif");
    EXPECT_EQ(TextOf(NodeAt(*job, "Extra/Hat.aif")->GetRelativePath()), "Extra:Hat.aif");
    EXPECT_EQ(NodeAt(*job, "Samples/Old")->GetDisplayPath().back(), u'\\');
    EXPECT_EQ(TextOf(NodeAt(*job, "Extra")->GetDisplayName()), "Extra");
}

TEST_F(PackJobTest, ABrokenShortcutNamesItsFile)
{
    MakeFile("Gone.aif");
    MakeShortcut("Gone.aif", "Source/Broken.lnk");
    std::filesystem::remove(Scratch().Path() / "Gone.aif");
    const auto message = CatchThrown<NSQuorral::XResolve>([&] { CSourceNode node(SourceFile("Broken.lnk")); },
                                                          NSQuorral::GetFileObjectType());
    ASSERT_TRUE(message.has_value());
    EXPECT_TRUE(message->empty());
}

TEST_F(PackJobTest, ANodeTakenOutStaysAliveAndIsTakenOutOnce)
{
    const TPackJobHandle job = MakeJob();
    CSourceNode* snare = NodeAt(*job, "Samples/Old/Snare.aif");
    CSourceNode* song = NodeAt(*job, "Song.sng");
    EXPECT_TRUE(job->RemoveSourceNode(snare));
    EXPECT_TRUE(job->RemoveSourceNode(song));
    EXPECT_FALSE(job->RemoveSourceNode(snare));
    EXPECT_EQ(NodeAt(*job, "Samples/Old/Snare.aif"), nullptr);
    EXPECT_NE(NodeAt(*job, "Samples/Old"), nullptr);
    EXPECT_EQ(job->fEntries.size(), 2u);
    EXPECT_EQ(job->fRemovedEntries.size(), 2u);
    EXPECT_EQ(snare->fRemoved, 1);
    EXPECT_EQ(TextOf(snare->GetRelativePath()), "Samples:Old:Snare.aif");
}

TEST_F(PackJobTest, ProblemsAndWarningsFollowTheResultSetsAndFlags)
{
    const TPackJobHandle job = MakeJob();
    CSourceNode* song = NodeAt(*job, "Song.sng");
    job->fFailedFiles.insert(song);
    EXPECT_TRUE(job->HasProblems());
    EXPECT_FALSE(job->HasWarnings());

    const TPackJobHandle skipped = MakeJob();
    skipped->fSkippedReferrers.insert(NodeAt(*skipped, "Song.sng"));
    EXPECT_TRUE(skipped->HasWarnings());
    EXPECT_FALSE(skipped->HasProblems());

    const TPackJobHandle external = MakeJob();
    external->fExternalReferences[NodeAt(*external, "Song.sng")].push_back(BlankReference());
    EXPECT_TRUE(external->HasWarnings());
    external->fWarnExternalReferences = 0;
    EXPECT_FALSE(external->HasWarnings());

    const TPackJobHandle devices = MakeJob();
    devices->fProhibitedDeviceUsers[NodeAt(*devices, "Song.sng")] = {Text("Lumen")};
    EXPECT_TRUE(devices->HasWarnings());
    EXPECT_EQ(devices->GetReportedProhibitedDeviceUsers().size(), 1u);
    devices->fWarnAboutProhibitedDevices = 0;
    EXPECT_FALSE(devices->HasWarnings());
    EXPECT_TRUE(devices->GetReportedProhibitedDeviceUsers().empty());
}

TEST_F(PackJobTest, InformationFilesAreFoundInAnyCaseAndReadAs1252)
{
    MakeFile("Source/name.txt", "Caf\xC3\xA9\r\n");
    const TPackJobHandle job = MakeJob();
    CSourceNode* name = NodeAt(*job, "name.txt");
    ASSERT_NE(name, nullptr);
    EXPECT_EQ(ClassifyInformationFile(*name), kNameFile);
    EXPECT_EQ(ClassifyInformationFile(*NodeAt(*job, "Song.sng")), kNotInformationFile);
    EXPECT_EQ(TextOf(ReadTextFile(*name)), "Caf\xC3\x83\xC2\xA9");
    EXPECT_THROW(ReadTextFile(*NodeAt(*job, "Samples")), NSQuorral::XOpen);
}

TEST_F(PackJobTest, AFileEntryFailureCarriesItsPaths)
{
    try
    {
        ThrowFileEntryFailure(NSQuorral::XFormatViolation("bad"), Text("C:\\a.aif"), Text("a.aif"), 7);
    }
    catch (const NSQuorral::XFormatViolation& e)
    {
        const NSQuorral::CExceptionBodyMixin body = NSQuorral::GetExceptionBody(e);
        EXPECT_TRUE(NSQuorral::HasTargetObjectType(body, GetVantleFileEntryObjectType()));
        EXPECT_EQ(NSQuorral::GetProperty(body, GetVantleFileEntryTypeKey()).GetValue(), 7u);
        EXPECT_STREQ(e.what(), "bad");
        return;
    }
    ADD_FAILURE() << "nothing thrown";
}

// The tree rules. Song.sng refers to Kick.aif.
class TreeRulesTest : public CSourceFolderTest
{
protected:
    void SetUp() override
    {
        CSourceFolderTest::SetUp();
        fJob = MakeJob();
        fJob->fResolvedReferences[Node("Song.sng")].push_back(RelativeReference(0, {"Samples", "Kick.aif"}));
    }

    CSourceNode* Node(const std::string& path) const { return NodeAt(*fJob, path); }

    std::vector<std::string> Paths(const TSourceNodeSet& nodes) const
    {
        std::vector<std::string> paths;
        for (const CSourceNode* node : nodes)
            paths.push_back(TextOf(node->GetRelativePath()));
        std::sort(paths.begin(), paths.end());
        return paths;
    }

    TPackJobHandle fJob;
};

TEST_F(TreeRulesTest, SkippedReferrersAreTakenOutWhenSkippingPropagates)
{
    fJob->fSkippedReferrers.insert(Node("Song.sng"));
    ApplyTreeRules(*fJob);
    EXPECT_NE(Node("Song.sng"), nullptr);

    fJob->fPropagateSampleSkipping = 1;
    ApplyTreeRules(*fJob);
    EXPECT_EQ(Node("Song.sng"), nullptr);
    EXPECT_EQ(fJob->fInfo.fFileCount, 3u);
}

TEST_F(TreeRulesTest, AProhibitedDeviceUserIsTakenOutAndStillListed)
{
    CSourceNode* song = Node("Song.sng");
    fJob->fProhibitedDeviceUsers[song] = {Text("Lumen")};
    ApplyTreeRules(*fJob);
    EXPECT_NE(Node("Song.sng"), nullptr);

    fJob->fSkipProhibitedDevices = 1;
    ApplyTreeRules(*fJob);
    EXPECT_EQ(Node("Song.sng"), nullptr);
    EXPECT_EQ(fJob->fInfo.fFileCount, 3u);
    EXPECT_EQ(fJob->fProhibitedDeviceUsers.count(song), 1u);
    EXPECT_TRUE(fJob->HasWarnings());
}

TEST_F(TreeRulesTest, UnreferencedSamplesAreReportedAndSkippedAsAsked)
{
    ApplyTreeRules(*fJob);
    EXPECT_TRUE(fJob->fUnreferencedSamples.empty());

    fJob->fWarnAboutUnusedSamples = 1;
    ApplyTreeRules(*fJob);
    EXPECT_EQ(Paths(fJob->fUnreferencedSamples),
              (std::vector<std::string>{"Extra:Hat.aif", "Samples:Old:Snare.aif"}));
    EXPECT_EQ(Node("Samples/Kick.aif")->fReferenced, 1);
    EXPECT_NE(Node("Samples/Old/Snare.aif"), nullptr);
    EXPECT_EQ(fJob->fInfo.fFileCount, 4u);
}

TEST_F(TreeRulesTest, SkippedUnusedSamplesLeaveTheirFolderAndNoWarning)
{
    fJob->fSkipUnusedSamples = 1;
    ApplyTreeRules(*fJob);
    EXPECT_EQ(Node("Samples/Old/Snare.aif"), nullptr);
    EXPECT_EQ(Node("Extra/Hat.aif"), nullptr);
    EXPECT_NE(Node("Samples/Old"), nullptr);
    EXPECT_NE(Node("Samples/Kick.aif"), nullptr);
    EXPECT_EQ(fJob->fInfo.fFileCount, 2u);
    EXPECT_TRUE(fJob->GetReportedUnreferencedSamples().empty());
    EXPECT_FALSE(fJob->HasProblems());
}

TEST_F(TreeRulesTest, AReferenceToARemovedSampleBecomesUnresolved)
{
    fJob->fProhibitedDeviceUsers[Node("Samples/Kick.aif")] = {Text("Lumen")};
    fJob->fSkipProhibitedDevices = 1;
    CSourceNode* song = Node("Song.sng");
    ApplyTreeRules(*fJob);
    EXPECT_EQ(Node("Samples/Kick.aif"), nullptr);
    EXPECT_EQ(fJob->fResolvedReferences.count(song), 0u);
    ASSERT_EQ(fJob->fUnresolvedReferences.count(song), 1u);
    EXPECT_EQ(fJob->fUnresolvedReferences[song].size(), 1u);
    EXPECT_TRUE(fJob->HasProblems());
}
} // namespace
