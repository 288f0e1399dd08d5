#pragma once
// The fence of the glue: the backend reports failures by throwing, the interfaces answer a
// NSFileLib::TFileLibStatus. Every glue operation checks its object and arguments, writes its presets and
// then does its work inside one of the fences below, so no exception leaves the library.
#include "base/ExceptionBody.h"
#include "base/StatusFence.h"
#include "base/Types.h"
#include "filelib/FileLib.h"

#include <cstddef>
#include <memory>

namespace NSFileLibInternals
{
// Inside a catch-all handler: the file library's status for the exception being handled, by
// the file library's status table; NSFileLib::kFileLibUnknownError for anything that is no
// std::exception, or when the mapping itself fails.
u32 StatusCodeFromCurrentException(const NSQuorral::TThrowSite& site) noexcept;

inline constexpr NSQuorral::TStatusMapping kFileLibStatusMapping{NSFileLib::kFileLibOK,
                                                                 StatusCodeFromCurrentException};

// Runs work; NSFileLib::kFileLibOK, or the status of what it threw.
template <class TWork> NSFileLib::TFileLibStatus RunFenced(TWork&& work) noexcept
{
    return NSQuorral::FenceStatus(kFileLibStatusMapping, [&] { work(); });
}

// Runs make, which answers the new object in a unique_ptr: the object and NSFileLib::kFileLibOK, or null
// and the status of what was thrown, with everything made so far destroyed. A make that answers
// no object leaves the status NSFileLib::kFileLibOK for its caller to replace.
template <class TInterface, class TMake> TInterface* MakeFenced(u32* status, TMake&& make) noexcept
{
    *status = NSFileLib::kFileLibNotSet;
    return NSQuorral::FenceObject(kFileLibStatusMapping, status,
                                  [&]() -> std::unique_ptr<TInterface> { return make(); })
        .release();
}

// An operation that returns an object refuses its call: the status, and no object.
inline std::nullptr_t Refuse(u32* status, u32 code)
{
    *status = code;
    return nullptr;
}

// An interface argument as the glue class that holds its path; null when it is null, answers
// IsValid with 0 or was made by anything other than this library.
template <class TGlue, class TInterface> TGlue* AsGlue(TInterface* object)
{
    if (object == nullptr || object->IsValid() == 0)
        return nullptr;
    return dynamic_cast<TGlue*>(object);
}
} // namespace NSFileLibInternals
