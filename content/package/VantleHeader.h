#pragma once
// The header at the start of a package: the magic "Vant", the total size of the package (u32,
// big-endian), the 256-byte creator block and the information block. The index and the data
// area follow at the offsets the information block gives.
#include "base/Types.h"
#include "media/CreatorBlock.h"
#include "media/IFFChunk.h"

namespace NSFerrant
{
class CMedia;
}
class CVantleInfo;

constexpr u32 kVantleMagic = NSFerrant::MakeFourCC("Vant");
constexpr i64 kVantleCreatorBlockOffset = 8;
constexpr i64 kVantleInfoOffset = kVantleCreatorBlockOffset + i64(NSFerrant::kCreatorBlockSize);

// Reads and checks the header at the media's position (0 for a package); the position ends after
// the information block. The checks, in order, each with an empty message: the magic
// (XFormatViolation), the total size equal to the media's size (XFormatViolation), the creator's
// tag (XFormatViolation), its major version 1 (XUnsupportedFormat), its text exactly the
// program's maker text (XFormatViolation); then the information block, read in the layout of the
// creator's version: a non-empty NAME, data start and index start within the media, index start
// not after data start (XFormatViolation each). A header cut short is XFormatViolation. After a
// failure info is incomplete.
void ReadVantleHeader(CVantleInfo& info, NSFerrant::CMedia& media);
