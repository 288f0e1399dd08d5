#pragma once
// The library's boundary: failures inside are exceptions, every operation answers a status.
#include "base/LibraryStatusTables.h"
#include "base/Quorral.h"
#include "dlls/trellis/RunLoop.h"

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
    return NSQuorral::FenceStatus(kTrellisStatusMapping, operation);
}

// Runs an operation that answers an object and an out-status: the status is kTrellisLogicError
// until the operation succeeds, then kTrellisOK; a failure leaves its status and null.
template <class TMake> auto AnswerObject(u32* status, TMake make) noexcept -> decltype(make())
{
    if (!status)
        return nullptr;
    *status = kTrellisLogicError;
    return NSQuorral::FenceObject(kTrellisStatusMapping, status, make);
}

// A window procedure's work: its answer, or 0 when it failed, whose status goes to the
// application as a failing behaviour's does.
template <class THandle> auto AnswerMessage(THandle handle) noexcept
{
    return NSQuorral::FenceAnswer(kTrellisStatusMapping, ReportToApplication, handle);
}
} // namespace NSTrellisLibrary
