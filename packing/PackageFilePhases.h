#pragma once
// Phases 5 to 8: the package file is written under a temporary name in the output folder (the
// packed data, which phase 4 wrote at its place, then header and information, the index and the
// header's final values), read back as a package and every entry verified again from it, and put
// in its place in one step only when complete and checked.
#include "base/UTF16String.h"
#include "content/vfs/VirtualFileItem.h"
#include "packing/PackJob.h"
#include "packing/PackingProgress.h"

namespace NSVantlePacking
{
// Creates the package file under its temporary name as the job's output media and answers where
// its data area begins. The information block and the index rows take the same bytes whatever the
// numbers and the date that are known only later, so their room is known once the tree is final.
u64 OpenPackageFile(CPackJob& job);
void WritePackageHeader(TPackJobHandle& job, IVantlePackingProgress* progress);
void WritePackageIndex(TPackJobHandle& job, IVantlePackingProgress* progress);
// Writes the rows of one subtree to the index media, advancing the data offset and the row index.
void WriteIndexTree(TPackJobHandle& job, const CSourceNode& node, u32& dataOffset, u32& index,
                    IVantlePackingProgress* progress, NSFerrant::CMedia& indexMedia);
// Completes the package under its temporary name: the header's final values and the size word.
void CompletePackageHeader(TPackJobHandle& job, IVantlePackingProgress* progress);
// Checks the package under its temporary name.
void VerifyPackageFile(TPackJobHandle& job, IVantlePackingProgress* progress);
// Puts the checked package in place of the output file, replacing an earlier package.
void PutPackageInPlace(const CPackJob& job);

// The package file of the folder as a browsable package item; a missing file is XNotFound.
CItemPtr OpenPackageItem(const CItemPtr& folder, const NSTextPackage::TUTF16String& fileName);
// The item at the path of names joined by ":"; a step that finds nothing is XFormatViolation.
CItemPtr FindItemByPackagePath(const CItemPtr& package, const NSTextPackage::TUTF16String& path);

// Removes the job's unfinished package file, if any, also one left by an earlier pack of the
// same package that was killed; never throws. A pack that ends before its package is in place
// leaves nothing under the temporary name.
void DiscardUnfinishedPackage(CPackJob& job) noexcept;
} // namespace NSVantlePacking
