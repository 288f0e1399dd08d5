#pragma once
// The failures of the package format and reader, raised through the error framework's throw
// shape with the empty message that package failures carry.
#include "base/ExceptionClasses.h"
#include "base/Throw.h"

template <class TException> [[noreturn]] void ThrowPackageFailure()
{
    NSQuorral::Throw<TException>();
}

[[noreturn]] inline void ThrowPackageFormatViolation()
{
    ThrowPackageFailure<NSQuorral::XFormatViolation>();
}
