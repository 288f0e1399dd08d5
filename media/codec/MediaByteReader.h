#pragma once
// The byte reader through which the codec libraries read a media. One class serves both
// libraries, whose byte reader interfaces are one.
#include "dlls/audiocodec/AudioCodec.h"

namespace NSFerrant
{
class CMedia;
}

namespace NSCorlissUtils
{
class CCMediaByteReader : public NSAudioCodec::IByteReader
{
public:
    // Borrows the media, which must outlive the reader; null answers kAudioCodecInvariantCorrupt to every
    // read.
    explicit CCMediaByteReader(NSFerrant::CMedia* media) : fMedia(media) {}
    ~CCMediaByteReader() override = default;

    // Moves the media's position to position and reads count bytes: kAudioCodecOK; kAudioCodecInvalidArgument
    // for a negative position or count or no destination; kAudioCodecFormatViolation for a read past the end
    // of a file; the status of any other failure.
    u32 Read(i64 position, i64 count, void* destination) override;

private:
    NSFerrant::CMedia* fMedia;
};
} // namespace NSCorlissUtils

namespace NSUndineUtils
{
using NSCorlissUtils::CCMediaByteReader;
}
