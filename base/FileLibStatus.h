#pragma once
// The file library's status codes and its status table. The file library is part of the
// program, yet its interface keeps a status-code boundary like the DLLs'.
#include "base/StatusCodes.h"

using TFileLibStatus = u32;

constexpr TFileLibStatus kFileLibOK = 5000;
constexpr TFileLibStatus kFileLibBadArgument = 5002;
constexpr TFileLibStatus kFileLibInvalidObject = 5003;
constexpr TFileLibStatus kFileLibIllegalCallSequence = 5004;
// The preset of every out-status: an operation that returns without setting it reports this.
constexpr TFileLibStatus kFileLibNotSet = 5005;
constexpr TFileLibStatus kFileLibNotReady = 5011;
constexpr TFileLibStatus kFileLibNotFound = 5020;
constexpr TFileLibStatus kFileLibUnknownError = 5023;

namespace NSFileLibSupport
{
NSQuorral::TStatusCodeRange GetFileLibStatusRange();
const NSQuorral::TStatusCodeRow* GetFileLibStatusTable();
// Returns for kFileLibOK; throws the status through the file library's table otherwise.
void ThrowIfFileLibError(TFileLibStatus status, const NSQuorral::TThrowSite& site = NSQuorral::TThrowSite{});
} // namespace NSFileLibSupport
