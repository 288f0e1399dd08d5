#pragma once
// The stored form of a compressed entry (packed type 20): the mark A1 B0 9F 33, the size of the
// unpacked file (big-endian u32, at least 1) and the unpacked file as a zlib stream. The entry's
// index row counts all three parts.
#include "base/Types.h"

#include <memory>

namespace NSFerrant
{
class CMedia;
}

constexpr u32 kCompressedEntryMark = 0xA1B09F33;
constexpr i64 kCompressedEntryHeaderSize = 8;

// Inflates the compressed entry that fills the media (read at explicit offsets; its position is
// not used) into a media of its own (MakeUnpackedEntryMedia), position 0. This system's writer stores the exact
// unpacked size, so the stored size bounds the output: a stream that would yield more is
// XFormatViolation and memory never grows past it; a stream that yields less is read. An entry
// shorter than its frame, a wrong mark, an unpacked size of 0, and a stream that is corrupt or
// ends early are XFormatViolation; bytes after the stream's end are ignored.
std::shared_ptr<NSFerrant::CMedia> InflateCompressedEntry(const NSFerrant::CMedia& entry);
