#pragma once
// The status table of the audio codec libraries' boundary, one for both: the AIFF (Corliss) and
// WAVE (Undine) libraries answer the same codes. A status from 100000 on carries a failure code.
#include "base/StatusCodes.h"
#include "base/StatusFence.h"

namespace NSAudioCodec
{
// Every status the libraries answer.
constexpr u32 kAudioCodecOK = 991;
constexpr u32 kAudioCodecOutOfMemory = 992;
constexpr u32 kAudioCodecInvalidArgument = 993;
constexpr u32 kAudioCodecInvariantCorrupt = 994;
constexpr u32 kAudioCodecIllegalCallSequence = 995;
constexpr u32 kAudioCodecLogicError = 996;
constexpr u32 kAudioCodecReadFailure = 997;
constexpr u32 kAudioCodecWriteFailure = 998;
constexpr u32 kAudioCodecFormatViolation = 999;
constexpr u32 kAudioCodecDiskFull = 1000;
constexpr u32 kAudioCodecUnsupported = 1001;  // also the factory's answer for another interface name
constexpr u32 kAudioCodecRuntimeError = 1002; // also for an exception that is no std::exception
} // namespace NSAudioCodec

NSQuorral::TStatusCodeRange GetAudioCodecStatusRange();

// Returns for kAudioCodecOK; throws the exception of any other status.
void ThrowIfAudioCodecFailure(u32 status, const NSQuorral::TThrowSite& site = NSQuorral::TThrowSite{});

// Inside a catch-all handler: the status that reports the exception being handled.
u32 AudioCodecStatusFromCurrentException(const NSQuorral::TThrowSite& site = NSQuorral::TThrowSite{});

// The libraries' side of the one boundary fence (base/StatusFence.h).
inline constexpr NSQuorral::TStatusMapping kAudioCodecStatusMapping{NSAudioCodec::kAudioCodecOK,
                                                                    AudioCodecStatusFromCurrentException};
