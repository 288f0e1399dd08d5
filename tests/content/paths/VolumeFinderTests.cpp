// The disk scanner and the volume finder over fake volumes: the kinds offered, labels compared
// ignoring case, the first of two equal labels, drives that are empty or fail their label query,
// and the one exception that leaves a scan.
#include "tests/content/paths/FakeVolumes.h"

#include "base/Quorral.h"
#include "base/TextConversions.h"
#include "content/paths/VolumeFinder.h"

#include <gtest/gtest.h>

namespace NSContentTests
{
namespace
{
using namespace NSFileLib;

THashedString Name(const std::string& text)
{
    return THashedString(NSTextPackage::UTF8ToUTF16(text));
}

// The Windows path of the volume the finder kept, or "" when it kept none.
std::string FoundPath(CVolumeFinder& finder)
{
    const NSFileLibSupport::TVolumeSpecPtr found = finder.GetFoundVolume();
    return found ? NSTextPackage::UTF16ToUTF8(NSFileLibSupport::GetVolumeWinPath(found.get()))
                 : std::string();
}

TEST(VolumeFinderTest, FindsOnlyItsKindAndComparesLabelsIgnoringCase)
{
    CFakeVolumes volumes;
    volumes.Add("C:\\", kVolumeKindCDROM, "Samples");
    volumes.Add("Z:\\", kVolumeKindRemovable, "Loops");
    struct Case
    {
        u32 kind;
        const char* wanted;
        const char* found;
    };
    const Case kCases[] = {
        {kVolumeKindRemovable, "Samples", ""}, {kVolumeKindCDROM, "Samples", "C:\\"},
        {kVolumeKindCDROM, "SAMPLES", "C:\\"}, {kVolumeKindRemovable, "loops", "Z:\\"},
        {kVolumeKindCDROM, "Loops", ""},       {kVolumeKindCDROM, "Sample", ""},
    };
    for (const Case& c : kCases)
    {
        CVolumeFinder finder(c.kind, Name(c.wanted));
        EXPECT_EQ(finder.Scan(), *c.found != 0) << c.wanted << " of kind " << c.kind;
        EXPECT_EQ(FoundPath(finder), c.found) << c.wanted << " of kind " << c.kind;
    }
}

TEST(VolumeFinderTest, TheFirstOfTwoEqualLabelsIsFound)
{
    CFakeVolumes volumes;
    volumes.Add("Z:\\", kVolumeKindRemovable, "Disk");
    volumes.Add("C:\\", kVolumeKindRemovable, "Disk");
    CVolumeFinder finder(kVolumeKindRemovable, Name("disk"));
    ASSERT_TRUE(finder.Scan());
    EXPECT_EQ(FoundPath(finder), "Z:\\");
    // The found volume is the finder's own clone, not the list's.
    EXPECT_NE(finder.GetFoundVolume(), volumes.fVolumes[0].fSpec);
}

TEST(VolumeFinderTest, EmptyAndFailingDrivesArePassedOver)
{
    CFakeVolumes volumes;
    volumes.Add("C:\\", kVolumeKindFloppy, "Disk", 0);
    volumes.Add("C:\\", kVolumeKindFloppy, "Disk", 1, kFileLibUnknownError);
    volumes.Add("C:\\", kVolumeKindFloppy, "Disk", 1, kFileLibNotReady);
    volumes.Add("Z:\\", kVolumeKindFloppy, "Disk");
    CVolumeFinder floppy(kVolumeKindFloppy, Name("Disk"));
    ASSERT_TRUE(floppy.Scan());
    EXPECT_EQ(FoundPath(floppy), "Z:\\");
    // The empty drive is not asked for its label.
    EXPECT_EQ(volumes.fLabelsAsked, (std::vector<size_t>{1, 2, 3}));

    volumes.fVolumes.clear();
    volumes.Add("C:\\", kVolumeKindFixed, "Disk", 1, kFileLibUnknownError);
    volumes.Add("Z:\\", kVolumeKindFixed, "Disk");
    CVolumeFinder fixed(kVolumeKindFixed, Name("Disk"));
    ASSERT_TRUE(fixed.Scan());
    EXPECT_EQ(FoundPath(fixed), "Z:\\");
}

TEST(VolumeFinderTest, AFinderThatFindsNothingKeepsNothing)
{
    CFakeVolumes volumes;
    volumes.Add("C:\\", kVolumeKindRemovable, "Other");
    CVolumeFinder finder(kVolumeKindRemovable, Name("Disk"));
    EXPECT_FALSE(finder.Scan());
    EXPECT_EQ(finder.GetFoundVolume(), nullptr);
}

// Records what it is offered; throws from the hook for the labels it is told to.
class CRecordingScanner final : public CABCDiskScanner
{
public:
    bool OnVolume(NSFileLib::IVolumeSpec*, const u16* label) override
    {
        const std::string text = NSTextPackage::UTF16ToUTF8(NSTextPackage::TUTF16String(label));
        fOffered.push_back(text);
        if (text == "abort")
            NSQuorral::ThrowException(NSQuorral::CThrowContext(NSQuorral::TThrowSite{})
                                      << NSQuorral::XSilentAbort("User aborted"));
        if (text == "broken")
            NSQuorral::ThrowException(NSQuorral::CThrowContext(NSQuorral::TThrowSite{})
                                      << NSQuorral::XRead("broken"));
        return false;
    }
    std::vector<std::string> fOffered;
};

TEST(DiskScannerTest, OffersCDsAndRemovableDisksInOrderAndOnlyASilentAbortLeaves)
{
    CFakeVolumes volumes;
    volumes.Add("C:\\", kVolumeKindFixed, "fixed");
    volumes.Add("C:\\", kVolumeKindRemovable, "broken");
    volumes.Add("C:\\", kVolumeKindNetwork, "network");
    volumes.Add("Z:\\", kVolumeKindCDROM, "cd");
    volumes.Add("Z:\\", kVolumeKindFloppy, "floppy");
    CRecordingScanner scanner;
    EXPECT_FALSE(scanner.Scan());
    EXPECT_EQ(scanner.fOffered, (std::vector<std::string>{"broken", "cd"}));
    EXPECT_EQ(scanner.GetFoundVolume(), nullptr);

    volumes.Add("Z:\\", kVolumeKindRemovable, "abort");
    volumes.Add("Z:\\", kVolumeKindRemovable, "after");
    CRecordingScanner aborted;
    EXPECT_THROW(aborted.Scan(), NSQuorral::XSilentAbort);
    EXPECT_EQ(aborted.fOffered, (std::vector<std::string>{"broken", "cd", "abort"}));
}

TEST(DiskScannerTest, AVolumeListThatCannotBeHadIsThrown)
{
    CFakeVolumes volumes;
    volumes.fListingFails = true;
    CVolumeFinder finder(kVolumeKindRemovable, Name("Disk"));
    EXPECT_THROW(finder.Scan(), NSQuorral::XRead);
}

TEST(DiskScannerTest, TheFileLibrarysVolumesAreScannedWithoutAFake)
{
    // The test prefix has a fixed C: whose label is whatever Wine reports; a finder for it under
    // that label finds it through the real library.
    const NSFileLibSupport::TVolumeSpecPtr c =
        NSFileLibSupport::VolumeSpecFromWinPath(NSTextPackage::UTF8ToUTF16("C:\\"));
    NSFileLib::SVolumeDetails details{};
    ASSERT_EQ(NSDiskScanner::GetMountedVolumes().GetVolumeDetails(c.get(), &details), kFileLibOK);
    CVolumeFinder finder(kVolumeKindFixed, THashedString(NSTextPackage::TUTF16String(details.label)));
    ASSERT_TRUE(finder.Scan());
    EXPECT_EQ(FoundPath(finder).substr(0, 2), "C:");
}
} // namespace
} // namespace NSContentTests
