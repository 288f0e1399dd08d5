#pragma once
// Byte-order helpers: the program's own formats store integers big-endian, RIFF little-endian.
// Each reader takes a pointer to at least as many bytes as the width it reads.
#include "base/Types.h"

#include <bit>
#include <cstring>

namespace NSByteOrder
{
inline u16 ReadBE16(const u8* p) { return u16((p[0] << 8) | p[1]); }
inline u32 ReadBE32(const u8* p) { return (u32(p[0]) << 24) | (u32(p[1]) << 16) | (u32(p[2]) << 8) | p[3]; }
inline u64 ReadBE64(const u8* p) { return (u64(ReadBE32(p)) << 32) | ReadBE32(p + 4); }
inline u16 ReadLE16(const u8* p) { return u16(p[0] | (p[1] << 8)); }
inline u32 ReadLE32(const u8* p) { return u32(p[0]) | (u32(p[1]) << 8) | (u32(p[2]) << 16) | (u32(p[3]) << 24); }
inline u64 ReadLE64(const u8* p) { return u64(ReadLE32(p)) | (u64(ReadLE32(p + 4)) << 32); }

inline void WriteBE16(u8* p, u16 v)
{
    p[0] = u8(v >> 8);
    p[1] = u8(v);
}
inline void WriteBE32(u8* p, u32 v)
{
    // One swap and one store: the compiler does not always see them in the bytewise form.
    static_assert(std::endian::native == std::endian::little);
    const u32 swapped = __builtin_bswap32(v);
    std::memcpy(p, &swapped, 4);
}
inline void WriteBE64(u8* p, u64 v)
{
    WriteBE32(p, u32(v >> 32));
    WriteBE32(p + 4, u32(v));
}
inline void WriteLE16(u8* p, u16 v)
{
    p[0] = u8(v);
    p[1] = u8(v >> 8);
}
inline void WriteLE32(u8* p, u32 v)
{
    WriteLE16(p, u16(v));
    WriteLE16(p + 2, u16(v >> 16));
}
inline void WriteLE64(u8* p, u64 v)
{
    WriteLE32(p, u32(v));
    WriteLE32(p + 4, u32(v >> 32));
}
} // namespace NSByteOrder
