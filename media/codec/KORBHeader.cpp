#include "media/codec/KORBHeader.h"

#include "media/Media.h"
#include "base/Quorral.h"

void CheckKORBHeader(const TKORBHeader& header, i64 codeBytes)
{
    const u64 samples = u64(header.fFrameCount) * header.fChannelCount;
    if ((header.fChannelCount != 1 && header.fChannelCount != 2) ||
        (header.fBitsPerSample != 16 && header.fBitsPerSample != 24) || codeBytes < 0 ||
        samples > u64(codeBytes) * 8)
        NSQuorral::ThrowException(NSQuorral::CThrowContext(NSQuorral::TThrowSite{})
                                  << NSQuorral::XFormatViolation(""));
}
