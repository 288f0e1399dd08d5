#pragma once
// The layout of a KIV loop file, shared by the library's reader and the writer of tests and
// fixtures. LoopFileFormat.txt describes the format.
#include "base/Types.h"

#include <cstddef>

namespace NSKIV
{
constexpr u32 kLoopFileMagic = 0x4B49564C; // "KIVL"
constexpr u32 kLoopFileVersion = 1;

// Header fields, each a big-endian u32 at its offset.
constexpr size_t kMagicOffset = 0;
constexpr size_t kVersionOffset = 4;
constexpr size_t kChannelCountOffset = 8;
constexpr size_t kSampleRateOffset = 12;
constexpr size_t kSliceCountOffset = 16;
constexpr size_t kBarCountOffset = 20;
constexpr size_t kBeatsPerBarOffset = 24;
constexpr size_t kTempoOffset = 28;
constexpr size_t kHeaderSize = 32;

// The slice table follows the header: one u32 frame count per slice.
constexpr size_t kSliceEntrySize = 4;

// Frames are 16-bit signed samples, channels interleaved.
constexpr u32 kBitsPerSample = 16;
constexpr size_t kBytesPerSample = kBitsPerSample / 8;
} // namespace NSKIV
