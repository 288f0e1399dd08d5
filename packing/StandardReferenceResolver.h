#pragma once
// Resolves the references of one source document against the source folder on disk.
#include "content/references/ReferenceResolution.h"
#include "content/vfs/VirtualFileItem.h"
#include "packing/PackJob.h"

class CSkipItemsTree;

// Holds the job's skip-items tree and outside-shortcut set without owning them: it must not
// outlive the job.
class CStandardReferenceResolver final : public IReferenceResolver
{
public:
    CStandardReferenceResolver(const CItemPtr& sourceRoot, const NSTextPackage::TUTF16String& packageName,
                               const CItemPtr& document, const CSkipItemsTree* skipItems,
                               const TOutsideShortcuts* shortcuts);

    // Found: a skip item or resolved. Not found: in another package when the reference names a
    // package other than this one (names compared ignoring case, as relocation compares them),
    // else unresolved.
    EReferenceResolveResult Resolve(const CSF10ReferenceChunk& reference) override;

private:
    CItemPtr fSourceRoot;
    NSTextPackage::TUTF16String fPackageName;
    CItemPtr fDocument;
    const CSkipItemsTree* fSkipItems;
    const TOutsideShortcuts* fOutsideShortcuts;
};
