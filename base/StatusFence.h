#pragma once
// The one catch-all of a status-code boundary: work runs inside it, and whatever it throws leaves
// as a status of the library whose boundary it is. Exports, callbacks handed to a library and
// window procedures all run their work through it.
#include "base/StatusCodes.h"

#include <type_traits>

namespace NSQuorral
{
// A library's side of the fence: its success code, and its status for the exception being
// handled (which must not throw).
struct TStatusMapping
{
    u32 fOK;
    u32 (*fStatusFromCurrentException)(const TThrowSite& site);
};

// Runs work: what it answers when it answers a status, else fOK; the status of what it threw.
template <class TWork> u32 FenceStatus(const TStatusMapping& mapping, TWork&& work) noexcept
{
    try
    {
        if constexpr (std::is_void_v<std::invoke_result_t<TWork&>>)
        {
            work();
            return mapping.fOK;
        }
        else
            return work();
    }
    catch (...)
    {
        return mapping.fStatusFromCurrentException(TThrowSite{});
    }
}

// Runs make, which answers an object: the object with *status fOK, or an empty object with the
// status of what it threw.
template <class TMake> auto FenceObject(const TStatusMapping& mapping, u32* status, TMake&& make) noexcept
{
    decltype(make()) object{};
    *status = FenceStatus(mapping, [&] { object = make(); });
    return object;
}

// Runs handle, whose answer is no status (a window procedure's): its answer, or an empty answer
// once report has been given the status of what it threw.
template <class TReport, class THandle>
auto FenceAnswer(const TStatusMapping& mapping, TReport&& report, THandle&& handle) noexcept
{
    decltype(handle()) answer{};
    const u32 status = FenceStatus(mapping, [&] { answer = handle(); });
    if (status != mapping.fOK)
        report(status);
    return answer;
}
} // namespace NSQuorral
