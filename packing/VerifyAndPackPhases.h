#pragma once
// Phases 3 and 4: every file of the source tree is verified, its references sorted and the tree
// rules applied; then the packed form of every remaining file is written into the data area of the
// package file, one after the other, with its references rewritten to their places in the package.
#include "packing/FileTypeProcessors.h"
#include "packing/PackJob.h"
#include "packing/PackingProgress.h"

namespace NSVantlePacking
{
// Ends the pack with XAbort after the phase when a file failed or a reference stayed unresolved,
// whatever progress object watches it: nothing broken is ever packed.
// Samples are checked ahead of their turn on worker threads.
void VerifySourceFiles(TPackJobHandle& job, IVantlePackingProgress* progress);
// XAbort "vantle has failed entries" when a file failed verification, else XAbort "vantle has
// unresolved entries" when a reference stayed unresolved.
void ThrowIfVerificationFailed(const CPackJob& job);
// No verifier is XUnsupportedFormat "No verifier found for format"; an item that cannot be opened XOpen.
void VerifySourceFile(const CItemPtr& item, const TDeviceNameList& prohibited, IReferenceResolver& resolver,
                      TReferenceList& resolved, TReferenceList& unresolved, TReferenceList& external,
                      TDeviceNameList& prohibitedFound, bool& refersToSkipped);

// The files are written in tree order; samples are coded ahead of their turn on worker threads.
void PackEntriesToDataFile(TPackJobHandle& job, IVantlePackingProgress* progress);
// Writes the packed form of the item at the destination's position; answers the bytes written,
// 0 when no packer takes the item.
u64 PackFileToMedia(const CItemPtr& item, IReferenceRelocator& relocator, NSFerrant::CMedia& destination);

// Verifies one entry of a package as its packed type stores it (type 20 inflated first).
void VerifyPackedData(u32 packedType, const TDeviceNameList& prohibited, NSFerrant::CMedia& media,
                      IReferenceResolver& resolver, TReferenceList& resolved, TReferenceList& unresolved,
                      TReferenceList& external, TDeviceNameList& prohibitedFound, bool& refersToSkipped);

// The largest package and data area a package's u32 offsets can describe.
constexpr u64 kMaxPackageBytes = 0xFFFFFFFFull;
// XFormatViolation about the "vantle": the package would not fit its u32 offsets.
[[noreturn]] void ThrowPackageTooLarge();
} // namespace NSVantlePacking
