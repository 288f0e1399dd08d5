#include "dlls/audiocodec/ByteSource.h"

#include "base/ByteOrder.h"
#include "base/Quorral.h"
#include "dlls/audiocodec/AudioCodecStatus.h"

#include <stdexcept>

namespace NSAudioCodec
{
CByteSource::CByteSource(IByteReader& reader, i64 size) : fReader(reader), fSize(size)
{
    if (size < 0)
        ThrowInvalidArgument();
}

void CByteSource::Read(i64 position, i64 count, void* destination) const
{
    CheckRange(position, count);
    ThrowIfAudioCodecFailure(fReader.Read(position, count, destination));
}

void CByteSource::CheckRange(i64 position, i64 count) const
{
    if (position < 0 || count < 0 || position > fSize || count > fSize - position)
        ThrowFormatViolation();
}

u32 ReadChunkU32(const u8* bytes, bool littleEndian)
{
    return littleEndian ? NSByteOrder::ReadLE32(bytes) : NSByteOrder::ReadBE32(bytes);
}

void ThrowFormatViolation()
{
    NSQuorral::ThrowException(NSQuorral::CThrowContext(NSQuorral::TThrowSite{}) << NSQuorral::XFormatViolation(""));
}

void ThrowUnsupportedFormat()
{
    NSQuorral::ThrowException(NSQuorral::CThrowContext(NSQuorral::TThrowSite{}) << NSQuorral::XUnsupportedFormat(""));
}

void ThrowInvalidArgument()
{
    NSQuorral::ThrowException(NSQuorral::CThrowContext(NSQuorral::TThrowSite{}) << std::invalid_argument(""));
}
} // namespace NSAudioCodec
