#include "media/codec/MediaByteReader.h"

#include "base/Quorral.h"
#include "base/Media.h"
#include "media/codec/AudioCodecLibraries.h"

#include <stdexcept>

namespace NSCorlissUtils
{
u32 CCMediaByteReader::Read(i64 position, i64 count, void* destination)
{
    if (!fMedia)
        return NSAudioCodec::kAudioCodecInvariantCorrupt;
    if (position < 0 || count < 0 || !destination)
        return NSAudioCodec::kAudioCodecInvalidArgument;
    if (count == 0)
        return NSAudioCodec::kAudioCodecOK;
    try
    {
        fMedia->fPosition = position;
        NSFerrant::ReadBytes(*fMedia, count, destination);
        return NSAudioCodec::kAudioCodecOK;
    }
    catch (const std::range_error& e)
    {
        // A file read past its end: to the library the file is cut short, a format violation.
        if (NSQuorral::HasTargetObjectType(NSQuorral::GetExceptionBody(e), NSQuorral::GetFileHandleObjectType()))
            return NSAudioCodec::kAudioCodecFormatViolation;
        return CorlissStatusFromCurrentException();
    }
    catch (...)
    {
        return CorlissStatusFromCurrentException();
    }
}
} // namespace NSCorlissUtils
