#include "packing/VerifyAndPackPhases.h"

#include "base/Quorral.h"
#include "base/Throw.h"
#include "content/package/CompressedEntry.h"
#include "content/package/PackedFileTypes.h"
#include "base/Media.h"
#include "media/MediaCompression.h"
#include "packing/CollectPhases.h"
#include "packing/PackFailures.h"
#include "packing/ProcessorRegistry.h"
#include "packing/ReferenceRelocation.h"
#include "packing/SourceSampleCheckAhead.h"
#include "packing/SampleChecksAhead.h"
#include "packing/SamplePackAhead.h"
#include "packing/PackageFilePhases.h"
#include "packing/StandardReferenceResolver.h"
#include "packing/TreeRules.h"

namespace NSVantlePacking
{
namespace
{
constexpr u32 kCompressionLevel = 9;

// The failures of one file that phase 3 collects instead of ending the pack.
bool IsCollectedFailure(const std::exception& failure)
{
    return dynamic_cast<const NSQuorral::XFormatViolation*>(&failure) != nullptr ||
           dynamic_cast<const NSQuorral::XUnsupportedFormat*>(&failure) != nullptr ||
           dynamic_cast<const NSQuorral::XRead*>(&failure) != nullptr ||
           dynamic_cast<const NSQuorral::XWrite*>(&failure) != nullptr ||
           dynamic_cast<const NSQuorral::XOpen*>(&failure) != nullptr ||
           dynamic_cast<const NSQuorral::XResolve*>(&failure) != nullptr ||
           dynamic_cast<const NSQuorral::XNotFound*>(&failure) != nullptr;
}

// A check made ahead stands for VerifySourceFile: it ends as that would.
void VerifyOneFile(CPackJob& job, CSourceNode& node, std::future<void> checkedAhead)
{
    // A sample refers to nothing: its check leaves nothing to sort.
    if (checkedAhead.valid())
    {
        checkedAhead.get();
        return;
    }
    CStandardReferenceResolver resolver(job.fInputFolder, job.fInfo.fName, node.fItem,
                                        job.fSkipItemsTree.get(), &job.fOutsideShortcuts);
    TReferenceList resolved, unresolved, external;
    TDeviceNameList prohibitedFound;
    bool refersToSkipped = false;
    VerifySourceFile(node.fResolvedItem, job.fProhibitedDevices, resolver, resolved, unresolved, external,
                     prohibitedFound, refersToSkipped);
    if (refersToSkipped && job.fPropagateSampleSkipping != 0)
    {
        job.fSkippedReferrers.insert(&node);
        return;
    }
    if (!unresolved.empty())
        job.fUnresolvedReferences[&node] = std::move(unresolved);
    if (!external.empty())
        job.fExternalReferences[&node] = std::move(external);
    if (!prohibitedFound.empty())
        job.fProhibitedDeviceUsers[&node] = std::move(prohibitedFound);
    if (!resolved.empty())
        job.fResolvedReferences[&node] = std::move(resolved);
}

void CollectFilesBelow(const CSourceNode& node, std::vector<CItemPtr>& files)
{
    if (node.fIsFolder == 0)
    {
        files.push_back(node.fResolvedItem);
        return;
    }
    for (const std::unique_ptr<CSourceNode>& child : node.fChildren)
        CollectFilesBelow(*child, files);
}

// The files of the job's tree in tree order, the order in which the phases take them.
std::vector<CItemPtr> CollectFiles(const CPackJob& job)
{
    std::vector<CItemPtr> files;
    for (const std::unique_ptr<CSourceNode>& entry : job.fEntries)
        CollectFilesBelow(*entry, files);
    return files;
}

// Answers the number of files of the subtree that passed. The files of the job's tree in tree
// order are those of checkAhead; index counts them.
u32 VerifySourceTree(TPackJobHandle& job, CSourceNode& node, u32& index, IVantlePackingProgress* progress,
                     CSourceSampleCheckAhead& checkAhead)
{
    if (node.fIsFolder != 0)
    {
        u32 passed = 0;
        for (const std::unique_ptr<CSourceNode>& child : node.fChildren)
            passed += VerifySourceTree(job, *child, index, progress, checkAhead);
        return passed;
    }
    ReportItem(job, progress, index, &node, node.GetRelativePath());
    const u32 fileIndex = index++;
    const u32 packedType = GetPackedTypeOfItem(node.fResolvedItem);
    if (packedType == kPackedTypeLumenPatch)
        job->fHasLumenPatch = 1;
    try
    {
        VerifyOneFile(*job, node, checkAhead.Take(fileIndex));
    }
    catch (const NSQuorral::XSilentAbort&)
    {
        throw;
    }
    catch (const std::exception& failure)
    {
        if (!IsCollectedFailure(failure))
            ThrowFileEntryFailure(failure, node.GetDisplayPath(), node.GetRelativePath(), packedType);
        job->fFailedFiles.insert(&node);
        return 0;
    }
    return 1;
}

void VerifyEveryEntry(TPackJobHandle& job, IVantlePackingProgress* progress)
{
    CSourceSampleCheckAhead checkAhead(CollectFiles(*job));
    u32 index = 0;
    for (const std::unique_ptr<CSourceNode>& entry : job->fEntries)
        VerifySourceTree(job, *entry, index, progress, checkAhead);
    job->fSourceSizes.clear();
    checkAhead.CollectSizes(job->fSourceSizes);
}

// The data area is written front to back: its position is the bytes written so far.
void ThrowIfDataTooLarge(const NSFerrant::CMedia& data)
{
    if (u64(data.fPosition) > kMaxPackageBytes)
        ThrowPackageTooLarge();
}

// Answers the number of files of the subtree packed, written at data's position. The files of the
// job's tree in tree order are those of packAhead; index counts them.
u32 PackSourceTree(TPackJobHandle& job, CSourceNode& node, u32& index, IVantlePackingProgress* progress,
                   CSamplePackAhead& packAhead, NSFerrant::CMedia& data)
{
    if (node.fIsFolder != 0)
    {
        u32 packed = 0;
        for (const std::unique_ptr<CSourceNode>& child : node.fChildren)
            packed += PackSourceTree(job, *child, index, progress, packAhead, data);
        return packed;
    }
    ReportItem(job, progress, index, &node, node.GetRelativePath());
    const u32 fileIndex = index++;
    const u32 packedType = GetPackedTypeOfItem(node.fResolvedItem);
    try
    {
        CStandardReferenceRelocator relocator(job->fInputFolder, job->fInfo, &job->fOutsideShortcuts);
        // A packed sample is checked while the entries after it are packed, or behind its own coding.
        const std::unique_ptr<CSampleChecksAhead::CEntry> entry =
            job->fSampleChecks->Begin(fileIndex, IsCheckedByDecoding(packedType), data);
        job->fPackedSizes[&node] = packAhead.Pack(fileIndex, relocator, *entry);
        entry->Complete();
    }
    catch (const NSQuorral::XSilentAbort&)
    {
        throw;
    }
    catch (const std::exception& failure)
    {
        ThrowFileEntryFailure(failure, node.GetDisplayPath(), node.GetRelativePath(), packedType);
    }
    ThrowIfDataTooLarge(data);
    return 1;
}
} // namespace

void ThrowPackageTooLarge()
{
    NSQuorral::ThrowException(
        (NSQuorral::CThrowContext(NSQuorral::TThrowSite{}) << NSQuorral::XFormatViolation(""))
            .SetTargetObjectType(NSQuorral::GetVantleObjectType()));
}

void VerifySourceFiles(TPackJobHandle& job, IVantlePackingProgress* progress)
{
    BeginPhase(job, progress, 3, job->fInfo.fFileCount);
    VerifyEveryEntry(job, progress);
    ApplyTreeRules(*job);
    EndPhase(job, progress, 3);
    ThrowIfVerificationFailed(*job);
}

void ThrowIfVerificationFailed(const CPackJob& job)
{
    if (!job.fFailedFiles.empty() || !job.fUnreadFiles.empty())
        NSQuorral::ThrowException(NSQuorral::CThrowContext(NSQuorral::TThrowSite{})
                                  << NSQuorral::XAbort("vantle has failed entries"));
    if (!job.fUnresolvedReferences.empty())
        NSQuorral::ThrowException(NSQuorral::CThrowContext(NSQuorral::TThrowSite{})
                                  << NSQuorral::XAbort("vantle has unresolved entries"));
}

void VerifySourceFile(const CItemPtr& item, const TDeviceNameList& prohibited, IReferenceResolver& resolver,
                      TReferenceList& resolved, TReferenceList& unresolved, TReferenceList& external,
                      TDeviceNameList& prohibitedFound, bool& refersToSkipped)
{
    IFileTypeVerifier* verifier = FindVerifier(item);
    if (verifier == nullptr)
        NSQuorral::ThrowException(NSQuorral::CThrowContext(NSQuorral::TThrowSite{})
                                  << NSQuorral::XUnsupportedFormat("No verifier found for format"));
    const std::shared_ptr<NSFerrant::CMedia> media = item->OpenMedia();
    if (!media)
        NSQuorral::Throw<NSQuorral::XOpen>();
    verifier->Verify(*media, prohibited, resolver, resolved, unresolved, external, prohibitedFound,
                     refersToSkipped);
}

void PackEntriesToDataFile(TPackJobHandle& job, IVantlePackingProgress* progress)
{
    BeginPhase(job, progress, 4, job->fInfo.fFileCount);
    // Each entry is written once, at its place in the package file, behind the room that the
    // header and the index will take.
    const u64 dataStart = OpenPackageFile(*job);
    NSFerrant::CPartialMedia data(job->fOutputMedia.get(), i64(dataStart), NSFerrant::CPartialMedia::kOpenEnded);
    data.fPosition = 0;
    job->fSampleChecks = std::make_unique<CSampleChecksAhead>(*job->fOutputMedia, i64(dataStart));
    CSamplePackAhead packAhead(CollectFiles(*job), job->fSourceSizes);
    u32 index = 0;
    for (const std::unique_ptr<CSourceNode>& entry : job->fEntries)
        PackSourceTree(job, *entry, index, progress, packAhead, data);
    ThrowIfDataTooLarge(data);
    job->fSampleChecks->WaitForAll();
    EndPhase(job, progress, 4);
}

u64 PackFileToMedia(const CItemPtr& item, IReferenceRelocator& relocator, NSFerrant::CMedia& destination)
{
    IFileTypePacker* packer = FindPacker(item);
    if (packer == nullptr)
        return 0;
    const i64 start = destination.fPosition;
    if (!IsCompressedEntryType(packer->GetPackedType()))
    {
        packer->Pack(item, relocator, destination);
        return u64(destination.fPosition - start);
    }
    NSFerrant::COwnedMemoryMedia packed(i64(item->GetSize()));
    packer->Pack(item, relocator, packed);
    if (u64(packed.GetSize()) > kMaxPackageBytes)
        ThrowPackageTooLarge();
    packed.fPosition = 0;
    NSFerrant::WriteU32BE(destination, kCompressedEntryMark);
    NSFerrant::WriteU32BE(destination, u32(packed.GetSize()));
    NSFerrant::CompressMedia(packed, destination, kCompressionLevel);
    return u64(destination.fPosition - start);
}

void VerifyPackedData(u32 packedType, const TDeviceNameList& prohibited, NSFerrant::CMedia& media,
                      IReferenceResolver& resolver, TReferenceList& resolved, TReferenceList& unresolved,
                      TReferenceList& external, TDeviceNameList& prohibitedFound, bool& refersToSkipped)
{
    IFileTypeVerifier* verifier = FindPackedDataVerifier(packedType);
    if (verifier == nullptr)
        NSQuorral::Throw<NSQuorral::XUnsupportedFormat>();
    if (!IsCompressedEntryType(packedType))
    {
        verifier->Verify(media, prohibited, resolver, resolved, unresolved, external, prohibitedFound,
                         refersToSkipped);
        return;
    }
    const std::shared_ptr<NSFerrant::CMedia> inflated = InflateCompressedEntry(media);
    inflated->fPosition = 0;
    verifier->Verify(*inflated, prohibited, resolver, resolved, unresolved, external, prohibitedFound,
                     refersToSkipped);
}
} // namespace NSVantlePacking
