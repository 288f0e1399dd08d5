#include "packing/TreeRules.h"

#include "content/vfs/ItemFileTypes.h"
#include "packing/ReferenceOnDisk.h"
#include "packing/SourceNodeIndex.h"
#include "packing/SourcePaths.h"

#include <algorithm>
#include <vector>

namespace NSVantlePacking
{
namespace
{
void LowerFileCount(CPackJob& job, u32 removed)
{
    job.fInfo.fFileCount -= std::min(job.fInfo.fFileCount, removed);
}

// Takes out every node of the list that is still in the tree; answers how many.
template <class TNodes> u32 RemoveAll(CPackJob& job, const TNodes& nodes)
{
    u32 removed = 0;
    for (CSourceNode* node : nodes)
        if (job.RemoveSourceNode(node))
            ++removed;
    return removed;
}

// The entry of the tree a reference of the referrer leads to: its target on disk, or the file
// that holds it (a loop slice, a SoundFont sample), named relative to the source folder. Null
// when that names no entry of the tree.
class CReferenceTargets
{
public:
    explicit CReferenceTargets(const CPackJob& job)
        : fJob(job), fNamer(job.fOutsideShortcuts), fIndex(job.fEntries)
    {
    }

    CSourceNode* Find(const CSourceNode& referrer, const CSF10ReferenceChunk& reference) const
    {
        CItemPtr target = ResolveReferenceOnDisk(fJob.fInputFolder, fJob.fInfo.fName, referrer.fItem,
                                                 reference, fJob.fOutsideShortcuts);
        while (!target.IsEmpty() && !target->IsRegularFile() && !target->IsFileSystemFolder())
            target = target->GetParent();
        if (target.IsEmpty())
            return nullptr;
        const CRelativePath path = fNamer.MakeRelativePath(target, fJob.fInputFolder);
        if (path.fValid == 0 || path.fStepUp != 0)
            return nullptr;
        return fIndex.Find(path.fComponents);
    }

private:
    const CPackJob& fJob;
    CItemPathNamer fNamer;
    CSourceNodeIndex fIndex;
};

// The sample files below the nodes that nothing refers to; with skip they are taken out.
TSourceNodeSet CollectUnreferencedSamples(CPackJob& job, const TSourceNodes& nodes, bool skip, u32& removed)
{
    TSourceNodeSet unreferenced;
    std::vector<CSourceNode*> samplesHere;
    for (const std::unique_ptr<CSourceNode>& node : nodes)
    {
        if (node->fIsFolder != 0)
            unreferenced.merge(CollectUnreferencedSamples(job, node->fChildren, skip, removed));
        else if (node->fReferenced == 0 && IsSampleFile(node->fResolvedItem))
            samplesHere.push_back(node.get());
    }
    unreferenced.insert(samplesHere.begin(), samplesHere.end());
    if (skip)
        removed += RemoveAll(job, samplesHere);
    return unreferenced;
}
} // namespace

void ApplyTreeRules(CPackJob& job)
{
    PropagateSampleSkipping(job);
    SkipProhibitedDeviceUsers(job);
    ApplyUnusedSampleRules(job);
    UnresolveReferencesToRemovedEntries(job);
}

void PropagateSampleSkipping(CPackJob& job)
{
    if (job.fPropagateSampleSkipping == 0)
        return;
    LowerFileCount(job, RemoveAll(job, job.fSkippedReferrers));
}

void SkipProhibitedDeviceUsers(CPackJob& job)
{
    if (job.fSkipProhibitedDevices == 0)
        return;
    std::vector<CSourceNode*> users;
    for (const auto& [node, devices] : job.fProhibitedDeviceUsers)
        users.push_back(node);
    LowerFileCount(job, RemoveAll(job, users));
}

void ApplyUnusedSampleRules(CPackJob& job)
{
    if (job.fWarnAboutUnusedSamples == 0 && job.fSkipUnusedSamples == 0)
        return;
    const CReferenceTargets targets(job);
    for (const auto& [referrer, references] : job.fResolvedReferences)
    {
        if (referrer->fRemoved != 0)
            continue;
        for (const CSF10ReferenceChunk& reference : references)
            if (CSourceNode* target = targets.Find(*referrer, reference))
                target->fReferenced = 1;
    }
    u32 removed = 0;
    job.fUnreferencedSamples =
        CollectUnreferencedSamples(job, job.fEntries, job.fSkipUnusedSamples != 0, removed);
    LowerFileCount(job, removed);
}

void UnresolveReferencesToRemovedEntries(CPackJob& job)
{
    const CReferenceTargets targets(job);
    for (auto entry = job.fResolvedReferences.begin(); entry != job.fResolvedReferences.end();)
    {
        CSourceNode* referrer = entry->first;
        TReferenceList& references = entry->second;
        if (referrer->fRemoved != 0)
        {
            ++entry;
            continue;
        }
        TReferenceList kept;
        for (CSF10ReferenceChunk& reference : references)
        {
            if (targets.Find(*referrer, reference) != nullptr)
                kept.push_back(std::move(reference));
            else
                job.fUnresolvedReferences[referrer].push_back(std::move(reference));
        }
        references.swap(kept);
        entry = references.empty() ? job.fResolvedReferences.erase(entry) : std::next(entry);
    }
}
} // namespace NSVantlePacking
