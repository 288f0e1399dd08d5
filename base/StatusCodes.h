#pragma once
// Status codes at library boundaries. No exception crosses a boundary: each library has a status
// table that maps failure kinds and object types to its codes, and a range of codes in which a
// packed failure code travels unchanged (status = base + failure code).
//
// Program calls library: preset the status, call, and when the answer is not the success code
// throw it with the library's throw operation. Library calls program back: run the work inside
// a catch-all and answer the library's status-from-current-exception.
#include "base/ExceptionBody.h"
#include "base/FailureCodes.h"

#include <exception>

namespace NSQuorral
{
struct TStatusCodeRange
{
    u32 fBase;
    u32 fLimit; // exclusive
};

// A table is an array of rows ending in a row of kind 44 that holds the success code and is
// never matched. Where two rows share a kind, the one with an object type stands first.
struct TStatusCodeRow
{
    u32 fKind;
    TFixedName fObjectType; // empty: any object type
    u32 fStatus;
};

// Kind and object type of the first row with that status; kind 5 when there is none.
TFailureInfo FindStatusCodeRow(const TStatusCodeRow* table, u32 status);

// Throws the exception for a failure status, with an empty message and the row's object type:
// a row of the table, else a failure code tunnelled in the range, else XStdException with
// "Unknown exception". The caller has tested for the success code first.
[[noreturn]] void ThrowByStatusCode(u32 status, const TStatusCodeRange& range, const TStatusCodeRow* table,
                                    const TThrowSite& site);

// The status that reports exception across the boundary: the first row of its kind whose object
// type is empty or its own, else base + its failure code; an XTunneledError gives base + the
// value of its "error_code".
u32 StatusCodeFromException(const std::exception& exception, const TStatusCodeRange& range,
                            const TStatusCodeRow* table, const TThrowSite& site);

// Inside a catch-all handler: the status for the exception being handled; nonStandardStatus when
// it is no std::exception.
u32 StatusCodeFromCurrentException(const TStatusCodeRange& range, const TStatusCodeRow* table,
                                   u32 nonStandardStatus, const TThrowSite& site);
} // namespace NSQuorral
