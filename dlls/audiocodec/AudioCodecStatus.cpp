#include "dlls/audiocodec/AudioCodecStatus.h"

using namespace NSAudioCodec;
using namespace NSQuorral;

namespace
{
constexpr TStatusCodeRange kRange{100000, 0xFFFFFFFF};

constexpr TStatusCodeRow kTable[] = {
    {kFailureCode_BadAlloc, "", kAudioCodecOutOfMemory},
    {kFailureCode_LogicError_InvalidArgument, "", kAudioCodecInvalidArgument},
    {kFailureCode_LogicError_InvariantCorrupt, "", kAudioCodecInvariantCorrupt},
    {kFailureCode_LogicError_IllegalCallSequence, "", kAudioCodecIllegalCallSequence},
    {kFailureCode_LogicError, "", kAudioCodecLogicError},
    {kFailureCode_RuntimeError_ReadFailure, "", kAudioCodecReadFailure},
    {kFailureCode_RuntimeError_WriteFailure, "", kAudioCodecWriteFailure},
    {kFailureCode_RuntimeError_FormatViolation, "", kAudioCodecFormatViolation},
    {kFailureCode_RuntimeError_OutOfSpace, "disk", kAudioCodecDiskFull},
    {kFailureCode_RuntimeError_UnsupportedFormat, "", kAudioCodecUnsupported},
    {kFailureCode_RuntimeError, "", kAudioCodecRuntimeError},
    {kFailureCode_EndOfTable, "", kAudioCodecOK},
};
} // namespace

TStatusCodeRange GetAudioCodecStatusRange()
{
    return kRange;
}

void ThrowIfAudioCodecFailure(u32 status, const TThrowSite& site)
{
    if (status != kAudioCodecOK)
        ThrowByStatusCode(status, kRange, kTable, site);
}

u32 AudioCodecStatusFromCurrentException(const TThrowSite& site)
{
    return StatusCodeFromCurrentException(kRange, kTable, kAudioCodecRuntimeError, site);
}
