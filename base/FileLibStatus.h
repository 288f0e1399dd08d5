#pragma once
// The file library's status table. The file library is part of the program, yet its interface
// keeps a status-code boundary like the DLLs'.
#include "base/StatusCodes.h"

namespace NSFileLib
{
using TFileLibStatus = u32;

// Every status the file library answers. 5008 and 5009 are never answered; kFileLibNotFound
// answers a missing item, and kFileLibNotFoundFormer is still read as one.
enum : TFileLibStatus
{
    kFileLibOK = 5000,
    kFileLibOutOfMemory = 5001,
    kFileLibBadArgument = 5002,
    kFileLibInvalidObject = 5003,
    kFileLibIllegalCallSequence = 5004,
    kFileLibNotSet = 5005, // also a logic error
    kFileLibDiskFull = 5006,
    kFileLibCreateFailure = 5007,
    kFileLibLocked = 5010,
    kFileLibNotReady = 5011,
    kFileLibPermission = 5012,
    kFileLibReadFailure = 5013,
    kFileLibWriteFailure = 5014,
    kFileLibFormatViolation = 5015,
    kFileLibUnsupported = 5016, // also FileLib_Create's answer for another interface name
    kFileLibResolveFailure = 5017,
    kFileLibReferenceUnresolved = 5018,
    kFileLibNotFoundFormer = 5019,
    kFileLibNotFound = 5020,
    kFileLibOutOfHandles = 5021,
    kFileLibRangeError = 5022,
    kFileLibUnknownError = 5023, // also for an exception that is no std::exception
};
} // namespace NSFileLib

namespace NSFileLibSupport
{
NSQuorral::TStatusCodeRange GetFileLibStatusRange();
const NSQuorral::TStatusCodeRow* GetFileLibStatusTable();
// Returns for kFileLibOK; throws the status through the file library's table otherwise.
void ThrowIfFileLibError(u32 status, const NSQuorral::TThrowSite& site = NSQuorral::TThrowSite{});
} // namespace NSFileLibSupport
