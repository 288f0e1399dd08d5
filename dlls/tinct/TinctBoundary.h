#pragma once
// The one fence of every Tinct entry: work runs inside a catch-all and its exception becomes the
// library's status.
#include "base/LibraryStatusTables.h"

namespace NSTinctLibrary
{
template <class TWork> u32 AnswerStatus(TWork work)
{
    return NSQuorral::FenceStatus(kTinctStatusMapping, [&] { work(); });
}

// For operations that make an object: the out-status holds kTinctOK with the object, else the failure
// and null.
template <class TMake> auto AnswerObject(u32* status, TMake make) -> decltype(make())
{
    if (!status)
        return nullptr;
    return NSQuorral::FenceObject(kTinctStatusMapping, status, make);
}

[[noreturn]] void ThrowInvalidArgument();
[[noreturn]] void ThrowIllegalCallSequence();
[[noreturn]] void ThrowOutOfMemory();
} // namespace NSTinctLibrary
