#include "media/IFFChunk.h"

#include "base/ExceptionClasses.h"
#include "base/Throw.h"

#include <exception>

namespace NSFerrant
{
bool IsValidFourCC(TFourCC fourCC)
{
    for (int shift = 24; shift >= 0; shift -= 8)
    {
        const u8 c = u8(fourCC >> shift);
        const u8 lowest = shift == 24 ? 33 : 32;
        if (c < lowest || c > 126)
            return false;
    }
    return true;
}

i64 GetChunkHeaderSize(u32 kind)
{
    if (kind == kChunkKindPlain)
        return 8;
    if (kind >= 1 && kind <= 4)
        return 12;
    NSQuorral::Throw(std::exception());
}

i64 GetChunkDataSize(const TIFFChunk& chunk)
{
    if (chunk.fKind == kChunkKindPlain)
        return chunk.fSize;
    if (chunk.fSize < 4)
        NSQuorral::Throw<NSQuorral::XFormatViolation>();
    return chunk.fSize - 4;
}
} // namespace NSFerrant
