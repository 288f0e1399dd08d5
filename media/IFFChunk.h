#pragma once
// Chunk descriptors shared by the IFF (big-endian sizes) and RIFF (little-endian sizes) readers
// and writers. A chunk is a FourCC id, a 32-bit size and its data, padded to even length.
#include "base/FourCC.h"
#include "base/Types.h"

namespace NSFerrant
{
// First byte 33..126, the others 32..126: a leading space is invalid, trailing spaces are valid.
bool IsValidFourCC(TFourCC fourCC);

enum EChunkKind : u32
{
    kChunkKindPlain = 0,
    kChunkKindFORM = 1, // "RIFF" in RIFF files
    kChunkKindCAT = 2,
    kChunkKindLIST = 3,
    kChunkKindRoot = 0xFFFFFFFF, // a reader or writer over a whole media
};

constexpr TFourCC kFourCC_FORM = MakeFourCC("FORM");
constexpr TFourCC kFourCC_RIFF = MakeFourCC("RIFF");
constexpr TFourCC kFourCC_CAT = MakeFourCC("CAT ");
constexpr TFourCC kFourCC_LIST = MakeFourCC("LIST");

// One chunk as read or written. fFourCC is a plain chunk's id or a group's type; fHeaderOffset is
// relative to the window it was read or written in; fSize is the size field as stored, which for
// a group counts its 4 type bytes.
struct TIFFChunk
{
    u32 fKind = kChunkKindRoot;
    TFourCC fFourCC = 0;
    i64 fHeaderOffset = 0;
    i64 fSize = 0;
};

// 8 for plain chunks, 12 for groups; the root has no header (a programming error).
i64 GetChunkHeaderSize(u32 kind);

// The stored size of a plain chunk; of a group, the stored size minus its type
// (XFormatViolation when the stored size is below 4).
i64 GetChunkDataSize(const TIFFChunk& chunk);

// Where the chunk's data starts, relative to its window.
inline i64 GetChunkDataOffset(const TIFFChunk& chunk)
{
    return chunk.fHeaderOffset + GetChunkHeaderSize(chunk.fKind);
}

// Where the chunk after this one starts: header, stored size and the pad byte of an odd size.
inline i64 GetNextChunkOffset(const TIFFChunk& chunk)
{
    const i64 end = chunk.fHeaderOffset + chunk.fSize + 8;
    return end + (end & 1);
}

// Size codecs: the 4 stored size bytes in the byte order of the file.
using TChunkSizeDecoder = u32 (*)(const u8* bytes);
using TChunkSizeEncoder = void (*)(u8* bytes, u32 size);
} // namespace NSFerrant
