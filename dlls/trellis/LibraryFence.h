#pragma once
// The library's boundary: failures inside are exceptions, every operation answers a status.
#include "base/LibraryStatusTables.h"
#include "base/Quorral.h"

#include <stdexcept>

namespace NSTrellisLibrary
{
[[noreturn]] inline void ThrowInvalidArgument()
{
    NSQuorral::Throw(std::invalid_argument(""));
}

[[noreturn]] inline void ThrowIllegalCallSequence(const char* message)
{
    NSQuorral::Throw<NSQuorral::XIllegalCallSequence>(message);
}

// Runs an operation that answers a status; any exception becomes the status of its class.
template <class TOperation>
u32 AnswerStatus(TOperation operation) noexcept
{
    try
    {
        return operation();
    }
    catch (...)
    {
        return TrellisStatusFromCurrentException();
    }
}
} // namespace NSTrellisLibrary
