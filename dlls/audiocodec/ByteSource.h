#pragma once
// The source a codec library reads: the caller's byte reader and the source's size. Statuses of
// the reader become exceptions inside the library, so the boundary answers them again unchanged.
#include "dlls/audiocodec/AudioCodec.h"

namespace NSAudioCodec
{
class CByteSource
{
public:
    CByteSource(IByteReader& reader, i64 size);

    i64 GetSize() const { return fSize; }
    IByteReader& GetReader() const { return fReader; }

    // Reads a range that CheckRange accepts.
    void Read(i64 position, i64 count, void* destination) const;
    // XFormatViolation unless the range lies inside the source: a structure that runs past the
    // end is a truncated file.
    void CheckRange(i64 position, i64 count) const;

private:
    IByteReader& fReader;
    i64 fSize;
};

// One chunk of an IFF (big-endian sizes) or RIFF (little-endian sizes) body.
struct TChunk
{
    u32 fId; // four characters, the first in the most significant byte
    i64 fDataPosition;
    u32 fSize; // without the pad byte
};

// Calls visit(chunk) for every chunk from position to end, in order. A chunk whose data runs past
// end fails with XFormatViolation; its pad byte may be missing.
template <class TVisit>
void VisitChunks(const CByteSource& source, i64 position, i64 end, bool littleEndianSizes, TVisit visit);

u32 ReadChunkU32(const u8* bytes, bool littleEndian);
[[noreturn]] void ThrowFormatViolation();
[[noreturn]] void ThrowUnsupportedFormat();
[[noreturn]] void ThrowInvalidArgument();

template <class TVisit>
void VisitChunks(const CByteSource& source, i64 position, i64 end, bool littleEndianSizes, TVisit visit)
{
    while (end - position >= 8)
    {
        u8 header[8];
        source.Read(position, 8, header);
        const TChunk chunk{ReadChunkU32(header, false), position + 8, ReadChunkU32(header + 4, littleEndianSizes)};
        if (chunk.fSize > end - chunk.fDataPosition)
            ThrowFormatViolation();
        visit(chunk);
        position = chunk.fDataPosition + chunk.fSize + (chunk.fSize & 1);
    }
}
} // namespace NSAudioCodec
