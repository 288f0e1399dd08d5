#include "media/MediaCompression.h"

namespace NSFerrant
{
void CompressMedia(const CMedia& source, CMedia& destination, u32 /*level*/)
{
    CMediaByteReader reader(source);
    CMediaByteWriter writer(destination);
    u64 compressedSize = 0;
    NSZipPackage::Deflate(reader, source.fPosition, GetBytesLeft(source), writer, destination.fPosition,
                          compressedSize);
    destination.fPosition += i64(compressedSize);
}

void DecompressMedia(const CMedia& source, CMedia& destination, u64 limit)
{
    CMediaByteReader reader(source);
    CMediaByteWriter writer(destination);
    u64 size = 0;
    NSZipPackage::Inflate(reader, source.fPosition, GetBytesLeft(source), writer, destination.fPosition, size, limit);
    destination.fPosition += i64(size);
}
} // namespace NSFerrant
