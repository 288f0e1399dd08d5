#include "base/FileLibStatus.h"

using namespace NSFileLib;
using namespace NSQuorral;

namespace
{
constexpr TStatusCodeRange kFileLibRange{100000, 0xFFFFFFFF};

constexpr TStatusCodeRow kFileLibTable[] = {
    {kFailureCode_BadAlloc, "", kFileLibOutOfMemory},
    {kFailureCode_LogicError_InvalidArgument, "", kFileLibBadArgument},
    {kFailureCode_LogicError_InvariantCorrupt, "", kFileLibInvalidObject},
    {kFailureCode_LogicError_IllegalCallSequence, "", kFileLibIllegalCallSequence},
    {kFailureCode_LogicError, "", kFileLibNotSet},
    {kFailureCode_RuntimeError_OutOfSpace, "disk", kFileLibDiskFull},
    {kFailureCode_RuntimeError_OutOfSpace, "", kFileLibDiskFull},
    {kFailureCode_RuntimeError_Create, "", kFileLibCreateFailure},
    {kFailureCode_RuntimeError_Locked, "", kFileLibLocked},
    {kFailureCode_RuntimeError_NotReady, "", kFileLibNotReady},
    {kFailureCode_RuntimeError_Permission, "", kFileLibPermission},
    {kFailureCode_RuntimeError_ReadFailure, "", kFileLibReadFailure},
    {kFailureCode_RuntimeError_WriteFailure, "", kFileLibWriteFailure},
    {kFailureCode_RuntimeError_FormatViolation, "", kFileLibFormatViolation},
    {kFailureCode_RuntimeError_UnsupportedFormat, "", kFileLibUnsupported},
    {kFailureCode_RuntimeError_ResolveFailure, "reference", kFileLibReferenceUnresolved},
    {kFailureCode_RuntimeError_ResolveFailure, "", kFileLibResolveFailure},
    {kFailureCode_RuntimeError_NotFound, "", kFileLibNotFound},
    {kFailureCode_RuntimeError_NotFound, "", kFileLibNotFoundFormer},
    {kFailureCode_RuntimeError_OutOfItems, "file_handle", kFileLibOutOfHandles},
    {kFailureCode_RuntimeError_OutOfItems, "", kFileLibOutOfHandles},
    {kFailureCode_RuntimeError_RangeError, "file_handle", kFileLibRangeError},
    {kFailureCode_RuntimeError_RangeError, "", kFileLibRangeError},
    {kFailureCode_RuntimeError, "", kFileLibUnknownError},
    {kFailureCode_EndOfTable, "", kFileLibOK},
};
} // namespace

namespace NSFileLibSupport
{
TStatusCodeRange GetFileLibStatusRange()
{
    return kFileLibRange;
}
const TStatusCodeRow* GetFileLibStatusTable()
{
    return kFileLibTable;
}

void ThrowIfFileLibError(u32 status, const TThrowSite& site)
{
    if (status != kFileLibOK)
        ThrowByStatusCode(status, kFileLibRange, kFileLibTable, site);
}
} // namespace NSFileLibSupport
