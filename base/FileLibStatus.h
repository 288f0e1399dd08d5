#pragma once
// The file library's status table. The file library is part of the program, yet its interface
// keeps a status-code boundary like the DLLs'.
#include "base/StatusCodes.h"

// The statuses themselves (NSFileLib::TFileLibStatus, kFileLibOK = 5000 ...) belong to the file
// library's interfaces.
namespace NSFileLibSupport
{
NSQuorral::TStatusCodeRange GetFileLibStatusRange();
const NSQuorral::TStatusCodeRow* GetFileLibStatusTable();
// Returns for 5000 (success); throws the status through the file library's table otherwise.
void ThrowIfFileLibError(u32 status, const NSQuorral::TThrowSite& site = NSQuorral::TThrowSite{});
} // namespace NSFileLibSupport
