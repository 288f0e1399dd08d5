#include "packing/PackJob.h"

#include "base/Quorral.h"
#include "base/Throw.h"
#include "base/Media.h"
#include "packing/InfoText.h"
#include "packing/SampleChecksAhead.h"
#include "packing/SkipItems.h"

#include <algorithm>
#include <tuple>

bool TIndexRowLess::operator()(const CVantleIndexRow& a, const CVantleIndexRow& b) const
{
    return std::tie(a.fName, a.fOffset, a.fSize, a.fHidden, a.fPackedType) <
           std::tie(b.fName, b.fOffset, b.fSize, b.fHidden, b.fPackedType);
}

CPackJob::CPackJob(const CItemPtr& inputFolder, const CItemPtr& outputFolder,
                   const NSTextPackage::TUTF16String& outputFileName, u8 warnExternalReferences)
    : fInputFolder(inputFolder), fOutputFolder(outputFolder), fOutputFileName(outputFileName),
      fWarnExternalReferences(warnExternalReferences)
{
}

// The checks that read the package file end before it closes, and it closes before the nodes and
// items go; the tree's nodes are destroyed by their owners.
CPackJob::~CPackJob()
{
    fSampleChecks.reset();
    fOutputMedia.reset();
}

void CPackJob::ApplySettings(const SPackSettings& settings)
{
    fProhibitedDevices = settings.fProhibitedDevices;
    fWarnAboutProhibitedDevices = settings.fWarnAboutProhibitedDevices;
    fSkipProhibitedDevices = settings.fSkipProhibitedDevices;
    fWarnAboutUnusedSamples = settings.fWarnAboutUnusedSamples;
    fSkipUnusedSamples = settings.fSkipUnusedSamples;
    fPropagateSampleSkipping = settings.fPropagateSampleSkipping;
}

bool CPackJob::RemoveSourceNode(CSourceNode* node)
{
    if (node->fRemoved != 0)
        return false;
    TSourceNodes& siblings = node->fParent != nullptr ? node->fParent->fChildren : fEntries;
    const auto found =
        std::find_if(siblings.begin(), siblings.end(),
                     [node](const std::unique_ptr<CSourceNode>& owned) { return owned.get() == node; });
    if (found == siblings.end())
        NSQuorral::Throw<NSQuorral::XInvariantCorrupt>();
    fRemovedEntries.push_back(std::move(*found));
    siblings.erase(found);
    node->fRemoved = 1;
    return true;
}

bool CPackJob::HasProblems() const
{
    return !fUnresolvedReferences.empty() || !fFailedFiles.empty() || !fUnreadFiles.empty() ||
           !fBrokenReferences.empty();
}

bool CPackJob::HasWarnings() const
{
    return (fWarnAboutUnusedSamples != 0 && !fUnreferencedSamples.empty()) ||
           (fWarnAboutProhibitedDevices != 0 && !fProhibitedDeviceUsers.empty()) ||
           !fSkippedReferrers.empty() || (fWarnExternalReferences != 0 && !fExternalReferences.empty());
}

const TDeviceNamesByNode& CPackJob::GetReportedProhibitedDeviceUsers() const
{
    static const TDeviceNamesByNode kNone;
    return fWarnAboutProhibitedDevices != 0 ? fProhibitedDeviceUsers : kNone;
}

TSourceNodeSet CPackJob::GetReportedUnreferencedSamples() const
{
    return fWarnAboutUnusedSamples != 0 ? fUnreferencedSamples : TSourceNodeSet();
}

TPackJobHandle MakeLightPackJob(const CItemPtr& inputFolder)
{
    return std::make_unique<CPackJob>(inputFolder, CItemPtr(), NSTextPackage::TUTF16String(), 0);
}
