#pragma once
// The rules that run once at the end of verification, after every source file has been verified
// and its references sorted: they take files out of the source tree as the information files
// ask, lower the package's file count by the files taken out, and then make sure that no kept
// file refers to a file that will not be packed.
#include "packing/PackJob.h"

namespace NSVantlePacking
{
// All of them, in their order.
void ApplyTreeRules(CPackJob& job);

// With PROPAGATE_SAMPLE_SKIPPING_TO_PATCHES_AND_SONGS: takes out the files that refer to a skip item.
void PropagateSampleSkipping(CPackJob& job);
// With SKIP_PROHIBITED_DEVICES: takes out the files that use a prohibited device; they stay
// listed among the prohibited-device users.
void SkipProhibitedDeviceUsers(CPackJob& job);
// With WARN_ABOUT_UNUSED_SAMPLES or SKIP_UNUSED_SAMPLES: marks the entries that resolved
// references point at, collects the sample files nobody refers to into the unreferenced samples
// and, with SKIP_UNUSED_SAMPLES, takes them out. A folder left empty stays.
void ApplyUnusedSampleRules(CPackJob& job);
// Moves every resolved reference of a kept file whose target is no longer in the tree to the
// file's unresolved references, so that the pack ends before anything is written.
void UnresolveReferencesToRemovedEntries(CPackJob& job);
} // namespace NSVantlePacking
