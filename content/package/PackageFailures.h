#pragma once
// The failures of the package format and reader, raised through the error framework's throw
// shape with the empty message that package failures carry.
#include "base/ExceptionClasses.h"
#include "base/ThrowContext.h"

template <class TException> [[noreturn]] void ThrowPackageFailure()
{
    NSQuorral::ThrowException(NSQuorral::CThrowContext(NSQuorral::TThrowSite{}) << TException(""));
}

[[noreturn]] inline void ThrowPackageFormatViolation()
{
    ThrowPackageFailure<NSQuorral::XFormatViolation>();
}
