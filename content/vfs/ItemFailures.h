#pragma once
// The failures of the item tree, raised through the error framework's throw shape with an empty
// message and no object type.
#include "base/Quorral.h"

namespace NSVirtualFS
{
[[noreturn]] inline void ThrowItemFailure(const std::exception& exception)
{
    NSQuorral::CThrowContext context{NSQuorral::TThrowSite{}};
    context << exception;
    NSQuorral::ThrowException(context);
}
} // namespace NSVirtualFS
