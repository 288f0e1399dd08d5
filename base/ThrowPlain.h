#pragma once
// The shortest throw: an exception of a class with an empty message and no object type. Standard
// classes without a message (std::exception, std::bad_alloc) are made without one.
#include "base/Quorral.h"

#include <type_traits>

namespace NSQuorral
{
template <class TException> [[noreturn]] void ThrowPlain()
{
    if constexpr (std::is_constructible_v<TException, const char*>)
        ThrowException(CThrowContext(TThrowSite{}) << TException(""));
    else
        ThrowException(CThrowContext(TThrowSite{}) << TException());
}
} // namespace NSQuorral
