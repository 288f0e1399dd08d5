#include "packing/ReferenceRelocation.h"

#include "base/Throw.h"
#include "packing/ReferenceOnDisk.h"
#include "packing/SourcePaths.h"

namespace NSVantlePacking
{
CSF10ReferenceChunk RelocateReference(const CItemPtr& sourceRoot, const CVantleInfo& info,
                                      const CItemPtr& document, const CSF10ReferenceChunk& reference,
                                      const TOutsideShortcuts& shortcuts)
{
    RequireRelocatableType(reference);
    CSF10ReferenceChunk result = reference;
    const CItemPtr item = ResolveReferenceOnDisk(sourceRoot, info.fName, document, reference, shortcuts);
    result.fAbsolutePath = CAbsolutePath();
    result.fAbsolutePath.fVolumeType = NSFileLib::kVolumeKindOther;
    result.fAbsolutePath.fNativeURLMode = kNativeURLNone;
    result.fRelativePath = CRelativePath();
    result.fDatabasePath = CDatabasePath();
    result.fDatabasePath.fPathKind = kDatabasePathInPackage;

    const THashedString packageName(info.fName);
    if (!item.IsEmpty())
    {
        result.fVantleName = packageName;
        result.fVantleURL = THashedString(info.fURL);
        result.fDatabasePath.fVantleName = packageName;
        result.fDatabasePath.fValid = 1;
        result.fDatabasePath.fComponents.push_back(packageName);
        const TPathComponents below = GetPathComponentsBelowRoot(sourceRoot, item, shortcuts);
        result.fDatabasePath.fComponents.insert(result.fDatabasePath.fComponents.end(), below.begin(),
                                                below.end());
        result.fRelativePath = MakeRelativePath(item, document->GetParent(), shortcuts);
        return result;
    }
    if (reference.fVantleName.GetText().empty() || reference.fVantleName == packageName)
        NSQuorral::Throw<NSQuorral::XResolve>();
    result.fDatabasePath = reference.fDatabasePath;
    return result;
}
} // namespace NSVantlePacking

CStandardReferenceRelocator::CStandardReferenceRelocator(const CItemPtr& sourceRoot, const CVantleInfo& info,
                                                         const TOutsideShortcuts* shortcuts)
    : fSourceRoot(sourceRoot), fInfo(info), fOutsideShortcuts(shortcuts)
{
}

CSF10ReferenceChunk CStandardReferenceRelocator::Relocate(const CItemPtr& document,
                                                          const CSF10ReferenceChunk& reference)
{
    return NSVantlePacking::RelocateReference(fSourceRoot, fInfo, document, reference, *fOutsideShortcuts);
}
