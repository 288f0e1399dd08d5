#pragma once
// The failures of the block container, each raised through the error framework's throw shape.
#include "base/Quorral.h"

#include <stdexcept>

namespace NSBigFilePackage
{
// A failure about the container's file: the exception carries the object type "file".
template <class TException> [[noreturn]] void ThrowForFile()
{
    NSQuorral::ThrowException((NSQuorral::CThrowContext(NSQuorral::TThrowSite{}) << TException(""))
                                  .SetTargetObjectType(NSQuorral::GetFileObjectType()));
}

// A failure without an object type: a call against the rules, an argument out of range.
template <class TException> [[noreturn]] void Throw()
{
    NSQuorral::ThrowException(NSQuorral::CThrowContext(NSQuorral::TThrowSite{}) << TException(""));
}

[[noreturn]] inline void ThrowInvalidArgument()
{
    Throw<std::invalid_argument>();
}

[[noreturn]] inline void ThrowIllegalCallSequence()
{
    Throw<NSQuorral::XIllegalCallSequence>();
}
} // namespace NSBigFilePackage
