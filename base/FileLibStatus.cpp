#include "base/FileLibStatus.h"

using namespace NSQuorral;

namespace
{
constexpr u32 kFileLibOK = 5000;
constexpr TStatusCodeRange kFileLibRange{100000, 0xFFFFFFFF};

// 5008 and 5009 have no row. XNotFound answers 5020; 5019 is still read as XNotFound.
constexpr TStatusCodeRow kFileLibTable[] = {
    {kFailureCode_BadAlloc, "", 5001},
    {kFailureCode_LogicError_InvalidArgument, "", 5002},
    {kFailureCode_LogicError_InvariantCorrupt, "", 5003},
    {kFailureCode_LogicError_IllegalCallSequence, "", 5004},
    {kFailureCode_LogicError, "", 5005},
    {kFailureCode_RuntimeError_OutOfSpace, "disk", 5006},
    {kFailureCode_RuntimeError_OutOfSpace, "", 5006},
    {kFailureCode_RuntimeError_Create, "", 5007},
    {kFailureCode_RuntimeError_Locked, "", 5010},
    {kFailureCode_RuntimeError_NotReady, "", 5011},
    {kFailureCode_RuntimeError_Permission, "", 5012},
    {kFailureCode_RuntimeError_ReadFailure, "", 5013},
    {kFailureCode_RuntimeError_WriteFailure, "", 5014},
    {kFailureCode_RuntimeError_FormatViolation, "", 5015},
    {kFailureCode_RuntimeError_UnsupportedFormat, "", 5016},
    {kFailureCode_RuntimeError_ResolveFailure, "reference", 5018},
    {kFailureCode_RuntimeError_ResolveFailure, "", 5017},
    {kFailureCode_RuntimeError_NotFound, "", 5020},
    {kFailureCode_RuntimeError_NotFound, "", 5019},
    {kFailureCode_RuntimeError_OutOfItems, "file_handle", 5021},
    {kFailureCode_RuntimeError_OutOfItems, "", 5021},
    {kFailureCode_RuntimeError_RangeError, "file_handle", 5022},
    {kFailureCode_RuntimeError_RangeError, "", 5022},
    {kFailureCode_RuntimeError, "", 5023},
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
