#pragma once
// The status table of the audio codec libraries' boundary, one for both: the AIFF (Corliss) and
// WAVE (Undine) libraries answer the same codes. A status from 100000 on carries a failure code.
#include "base/StatusCodes.h"

NSQuorral::TStatusCodeRange GetAudioCodecStatusRange();

// Returns for 991; throws the exception of any other status.
void ThrowIfAudioCodecFailure(u32 status, const NSQuorral::TThrowSite& site = NSQuorral::TThrowSite{});

// Inside a catch-all handler: the status that reports the exception being handled; 1002 for an
// exception that is no std::exception.
u32 AudioCodecStatusFromCurrentException(const NSQuorral::TThrowSite& site = NSQuorral::TThrowSite{});
