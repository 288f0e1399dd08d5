#include "dlls/audiocodec/ByteSource.h"

#include "base/ByteOrder.h"
#include "base/Quorral.h"
#include "dlls/audiocodec/AudioCodecStatus.h"

#include <stdexcept>

namespace NSAudioCodec
{
namespace
{
// A failure of the caller's reader goes back to the caller as the very status it answered. A
// failure code in the range travels as it is: decoded here it would lose an object type of the
// caller's own table, which this library does not know.
void ThrowIfReaderFailure(u32 status)
{
    const NSQuorral::TStatusCodeRange range = GetAudioCodecStatusRange();
    if (status >= range.fBase && status < range.fLimit)
    {
        NSQuorral::CThrowContext context{NSQuorral::TThrowSite{}};
        context.AttachFrame(
            NSQuorral::TExceptionFrame{NSQuorral::TThrowSite{}, NSQuorral::kFailureCode_TunneledError, "", {}});
        context.SetProperty(NSQuorral::MakeIntegerProperty("error_code", status - range.fBase));
        NSQuorral::ThrowException(context);
    }
    ThrowIfAudioCodecFailure(status);
}
} // namespace

CByteSource::CByteSource(IByteReader& reader, i64 size) : fReader(reader), fSize(size)
{
    if (size < 0)
        ThrowInvalidArgument();
}

void CByteSource::Read(i64 position, i64 count, void* destination) const
{
    CheckRange(position, count);
    ThrowIfReaderFailure(fReader.Read(position, count, destination));
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
    NSQuorral::Throw<NSQuorral::XFormatViolation>();
}

void ThrowUnsupportedFormat()
{
    NSQuorral::Throw<NSQuorral::XUnsupportedFormat>();
}

void ThrowInvalidArgument()
{
    NSQuorral::Throw(std::invalid_argument(""));
}
} // namespace NSAudioCodec
