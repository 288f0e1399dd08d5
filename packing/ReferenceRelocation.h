#pragma once
// Rewrites a sample reference of a source document so that it points into the package being
// made: by the package's database path and by the relative path from the document's folder.
#include "content/package/VantleInfo.h"
#include "content/references/ReferenceResolution.h"
#include "content/vfs/VirtualFileItem.h"
#include "packing/PackJob.h"

namespace NSVantlePacking
{
// A reference found inside the source folder gets this package's name and URL, the database
// path NAME followed by its path below the source folder, and its relative path from the
// document's folder; its absolute path is made invalid. A reference not found keeps only its
// database path when it names another package (names compared ignoring case); otherwise it is
// XResolve. A reference that is neither a sample nor a loop file is XUnsupportedFormat.
CSF10ReferenceChunk RelocateReference(const CItemPtr& sourceRoot, const CVantleInfo& info,
                                      const CItemPtr& document, const CSF10ReferenceChunk& reference,
                                      const TOutsideShortcuts& shortcuts);
} // namespace NSVantlePacking

// Relocates references into the package; holds the job's outside-shortcut set without owning it.
class CStandardReferenceRelocator final : public IReferenceRelocator
{
public:
    CStandardReferenceRelocator(const CItemPtr& sourceRoot, const CVantleInfo& info,
                                const TOutsideShortcuts* shortcuts);

    CSF10ReferenceChunk Relocate(const CItemPtr& document, const CSF10ReferenceChunk& reference) override;

private:
    CItemPtr fSourceRoot;
    // Its NAME and URL are used.
    CVantleInfo fInfo;
    const TOutsideShortcuts* fOutsideShortcuts;
};
