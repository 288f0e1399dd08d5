#pragma once
// The first three pack phases: they turn the source folder into the job's tree of entries.
// Phase 0 lists the top-level items, phase 1 takes the information files and the splash out of
// that list and reads the package information and settings from them, phase 2 walks the folders
// and keeps the files a packer takes. Phases 0 and 1 also run alone, without a progress object,
// when the user picks a source folder.
#include "base/Types.h"
#include "content/vfs/VirtualFileItem.h"
#include "packing/PackJob.h"
#include "packing/PackingProgress.h"

namespace NSVantlePacking
{
void CollectSourceEntries(TPackJobHandle& job, IVantlePackingProgress* progress);
void ReadPackageSettings(TPackJobHandle& job, IVantlePackingProgress* progress);
void FilterEntries(TPackJobHandle& job, IVantlePackingProgress* progress);
// Builds the subtree of one folder entry, adding the files kept to count.
void ScanSourceTree(TPackJobHandle& job, CSourceNode& folder, u32& count, IVantlePackingProgress* progress);

// Whether the walk up from the item (the item itself included) never meets the folder.
bool IsOutsideFolder(const CItemPtr& item, const CItemPtr& folder);
// The packed type of the item's packer; 0 when no packer takes it.
u32 GetPackedTypeOfItem(const CItemPtr& item);

// The user's Stop is tested at the start of a phase by the progress object's own calls; this is
// the one test the phases share: BeginPhase when there is a progress object.
void BeginPhase(TPackJobHandle& job, IVantlePackingProgress* progress, u32 phase, u64 count);
void ReportItem(TPackJobHandle& job, IVantlePackingProgress* progress, u64 index, const CSourceNode* entry,
                const NSTextPackage::TUTF16String& text);
void EndPhase(TPackJobHandle& job, IVantlePackingProgress* progress, u32 phase);
} // namespace NSVantlePacking
