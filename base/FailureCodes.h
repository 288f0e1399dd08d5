#pragma once
// Failure kinds and their packed 32-bit form, the failure code that crosses library boundaries:
// (kind << 24) | (group << 16) | (row index << 8) | 0xBA. Group 0 has no object type, group 1
// indexes the generic object-type table, group 2 the registered application table.
#include "base/FixedName.h"
#include "base/ObjectTypeTables.h"
#include "base/Types.h"

namespace NSQuorral
{
// One kind per exception class; the numbers are exchanged with libraries and never change.
enum EFailureCode : u32
{
    kFailureCode_UndefinedException = 5, // no kind known yet: fresh body, context frame
    kFailureCode_NonQuorralException = 6,
    kFailureCode_Exception = 7,
    kFailureCode_TunneledError = 8,
    kFailureCode_LogicError = 9,
    kFailureCode_LogicError_Domain = 10,
    kFailureCode_LogicError_InvalidArgument = 11,
    kFailureCode_LogicError_Length = 12,
    kFailureCode_LogicError_OutOfRange = 13,
    kFailureCode_LogicError_IllegalCallSequence = 14,
    kFailureCode_LogicError_InvariantCorrupt = 15,
    kFailureCode_BadAlloc = 16,
    kFailureCode_RuntimeError = 17,
    kFailureCode_RuntimeError_Overflow = 18,
    kFailureCode_RuntimeError_Underflow = 19,
    kFailureCode_RuntimeError_RangeError = 20,
    kFailureCode_RuntimeError_UnsupportedFormat = 21,
    kFailureCode_RuntimeError_FormatViolation = 22,
    kFailureCode_RuntimeError_VersionTooOld = 23,
    kFailureCode_RuntimeError_VersionTooNew = 24,
    kFailureCode_RuntimeError_ReadFailure = 25,
    kFailureCode_RuntimeError_WriteFailure = 26,
    kFailureCode_RuntimeError_OutOfSpace = 27,
    kFailureCode_RuntimeError_OutOfItems = 28,
    kFailureCode_RuntimeError_Create = 29,
    kFailureCode_RuntimeError_Open = 30,
    kFailureCode_RuntimeError_Close = 31,
    kFailureCode_RuntimeError_Delete = 32,
    kFailureCode_RuntimeError_ResolveFailure = 33,
    kFailureCode_RuntimeError_NotFound = 34,
    kFailureCode_RuntimeError_AlreadyExists = 35,
    kFailureCode_RuntimeError_Permission = 36,
    kFailureCode_RuntimeError_Locked = 37,
    kFailureCode_RuntimeError_ReadOnly = 38,
    kFailureCode_RuntimeError_NotReady = 39,
    kFailureCode_RuntimeError_Timeout = 40,
    kFailureCode_RuntimeError_Abort = 41,
    kFailureCode_RuntimeError_SilentAbort = 42,
    kFailureCode_UnitTestFailure = 43,
    kFailureCode_EndOfTable = 44 // marks the success row that ends a status table
};

using TFailureCode = u32;

constexpr u32 kFailureCodeMarker = 0xBA;

// A failure unpacked: its kind and the type of the object that failed (empty for none).
struct TFailureInfo
{
    u32 fKind = kFailureCode_UndefinedException;
    TFixedName fObjectType;
};

// Always yields a code; an object type in neither table is dropped (group 0).
TFailureCode EncodeFailureCode(const TFailureInfo& info, const TObjectTypeTable& applicationTable);

// Throws std::domain_error through the throw machinery for a kind outside 5..43 ("Illegal Quorral
// failure_code!") or a group other than 0..2 ("Unknown group for target object type!"). Bit 31
// and the marker byte are not examined. A row index past the end of its table gives an empty
// object type.
TFailureInfo DecodeFailureCode(TFailureCode code, const TObjectTypeTable& applicationTable);
} // namespace NSQuorral
