#pragma once
// Helpers of the support layer's tests: the failure kind an action throws.
#include "base/Quorral.h"

#include <exception>

namespace NSFileLibTests
{
// The failure kind of what action throws; 0 when it throws nothing.
template <class TAction> u32 ThrownKind(TAction&& action)
{
    try
    {
        action();
    }
    catch (const std::exception& e)
    {
        return NSQuorral::ClassifyException(e).fKind;
    }
    return 0;
}
} // namespace NSFileLibTests
