#pragma once
// The two ways a program object called by the GUI library stops an exception at the boundary:
// it answers the exception's library status, or it hands the exception to the application's
// responder (which shows it) and answers success.
#include "base/ExceptionResponder.h"
#include "base/LibraryStatusTables.h"

namespace NSTrellisGlue
{
template <class TAction> u32 AnswerStatusOf(TAction action) noexcept
{
    return NSQuorral::FenceStatus(kTrellisStatusMapping, [&] { action(); });
}

// The responder has seen the failure, so the library is told it was handled: onFailure() sets
// the out values that say so.
template <class TAction, class TOnFailure>
u32 AnswerThroughResponder(TAction action, TOnFailure onFailure) noexcept
{
    try
    {
        action();
    }
    catch (...)
    {
        NSQuorral::RespondToCurrentException();
        onFailure();
    }
    return kTrellisOK;
}

template <class TAction> u32 AnswerThroughResponder(TAction action) noexcept
{
    return AnswerThroughResponder(action, [] {});
}

// Throws a library status other than kTrellisOK.
inline void CheckTrellis(u32 status)
{
    if (status != kTrellisOK)
        ThrowTrellisFailure(status);
}
} // namespace NSTrellisGlue
