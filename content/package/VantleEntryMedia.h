#pragma once
// Where one entry's bytes lie in a package, and the media that read them. Every media made here
// holds the package data it reads from, so it stays valid after the reader, the location and
// whatever else made it are gone.
#include "base/Types.h"
#include "content/package/VantleData.h"

#include <memory>

namespace NSFerrant
{
class CMedia;
}

struct CVantleEntryLocation
{
    // Keeps the package open.
    TVantleDataPtr fData;
    // Of the entry's index row, from the start of the package.
    u64 fRowOffset = 0;
    // The row's fields: the offset counts from the data start.
    u32 fOffset = 0;
    u32 fSize = 0;
    bool fHidden = false;
    u32 fPackedType = 0; // EPackedFileType
};

// A read-only window onto [offset, offset + length) of the package file, holding the data.
// Its position is the package media's position minus offset.
std::shared_ptr<NSFerrant::CMedia> OpenVantleWindow(const TVantleDataPtr& data, i64 offset, i64 length);

// The entry's file bytes at position 0: a window onto the data area, or for a compressed type the
// inflated file (InflateCompressedEntry). An entry that does not lie inside the data
// area is XFormatViolation.
std::shared_ptr<NSFerrant::CMedia> OpenEntryMedia(const CVantleEntryLocation& location);
// The same for the row's offset, size and packed type in the package of data.
std::shared_ptr<NSFerrant::CMedia> OpenEntryMedia(const TVantleDataPtr& data, u32 offset, u32 size,
                                                  u32 packedType);
