#pragma once
// The stored folder reference: a folder written into a byte stream by its full Windows path.
//
//   offset  size  content
//   0       4     magic F1 1E 54 ED
//   4       4     n, big-endian: the byte count of the path
//   8       n     the folder's path in UTF-8, ending in "\", no terminating zero
#include "filelib/FileLibWrappers.h"
#include "base/Media.h"

namespace NSFileLibSupport
{
constexpr u32 kStoredDirSpecMagic = 0xF11E54ED;

// Writes the reference at the media's position and advances it past the reference.
void WriteDirSpec(NSFileLib::IDirSpec* folder, NSFerrant::CMedia& media);
// Reads a reference at the media's position and advances past what it read. A bad magic, a
// length beyond the bytes left or beyond what a Windows path can take, or a path that can name no
// folder is XFormatViolation; a folder that no longer exists answers an empty owner.
TDirSpecPtr ReadDirSpec(NSFerrant::CMedia& media);
} // namespace NSFileLibSupport
