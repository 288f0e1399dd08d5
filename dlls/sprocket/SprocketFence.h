#pragma once
// The library's boundary: failures inside are exceptions, every operation answers a status.
#include "base/LibraryStatusTables.h"
#include "base/Quorral.h"

#include <stdexcept>

#include <windows.h>

namespace NSSprocketLibrary
{
[[noreturn]] inline void ThrowInvalidArgument()
{
    NSQuorral::Throw(std::invalid_argument(""));
}

// Runs an operation that answers a status; any exception becomes the status of its class.
template <class TOperation>
u32 AnswerStatus(TOperation operation) noexcept
{
    return NSQuorral::FenceStatus(kSprocketStatusMapping, operation);
}

// Runs an operation that makes an object: the status goes to *status (kTrellisLogicError while it
// runs).
template <class TObject, class TOperation>
TObject* AnswerObject(u32* status, TOperation operation) noexcept
{
    if (!status)
        return nullptr;
    *status = kTrellisLogicError;
    return NSQuorral::FenceObject(kSprocketStatusMapping, status, [&]() -> TObject* { return operation(); });
}

// A control's message is no operation of the program: a failure in its window procedure has no
// caller to be told of, as a handler's status has none.
inline void ForgetFailure(u32) {}

// A window procedure's work: its answer, or 0 when it failed.
template <class THandle> LRESULT AnswerMessage(THandle handle) noexcept
{
    return NSQuorral::FenceAnswer(kSprocketStatusMapping, ForgetFailure, handle);
}
} // namespace NSSprocketLibrary
