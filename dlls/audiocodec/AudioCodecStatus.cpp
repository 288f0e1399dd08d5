#include "dlls/audiocodec/AudioCodecStatus.h"

#include "dlls/audiocodec/AudioCodec.h"

using namespace NSQuorral;

namespace
{
constexpr TStatusCodeRange kRange{100000, 0xFFFFFFFF};

constexpr TStatusCodeRow kTable[] = {
    {kFailureCode_BadAlloc, "", 992},
    {kFailureCode_LogicError_InvalidArgument, "", NSAudioCodec::kAudioCodecInvalidArgument},
    {kFailureCode_LogicError_InvariantCorrupt, "", NSAudioCodec::kAudioCodecInvariantCorrupt},
    {kFailureCode_LogicError_IllegalCallSequence, "", 995},
    {kFailureCode_LogicError, "", 996},
    {kFailureCode_RuntimeError_ReadFailure, "", 997},
    {kFailureCode_RuntimeError_WriteFailure, "", 998},
    {kFailureCode_RuntimeError_FormatViolation, "", NSAudioCodec::kAudioCodecFormatViolation},
    {kFailureCode_RuntimeError_OutOfSpace, "disk", 1000},
    {kFailureCode_RuntimeError_UnsupportedFormat, "", 1001},
    {kFailureCode_RuntimeError, "", NSAudioCodec::kAudioCodecRuntimeError},
    {kFailureCode_EndOfTable, "", NSAudioCodec::kAudioCodecOK},
};
} // namespace

TStatusCodeRange GetAudioCodecStatusRange()
{
    return kRange;
}

void ThrowIfAudioCodecFailure(u32 status, const TThrowSite& site)
{
    if (status != NSAudioCodec::kAudioCodecOK)
        ThrowByStatusCode(status, kRange, kTable, site);
}

u32 AudioCodecStatusFromCurrentException(const TThrowSite& site)
{
    return StatusCodeFromCurrentException(kRange, kTable, NSAudioCodec::kAudioCodecRuntimeError, site);
}
