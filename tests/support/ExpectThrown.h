#pragma once
// Asserts that an action throws TException carrying the given object type, and hands back its
// what() text for further checks (nothing when the expectation failed).
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "base/Quorral.h"

template <class TException, class TAction>
std::optional<std::string> CatchThrown(TAction&& action, const NSQuorral::TFixedName& objectType)
{
    try
    {
        action();
    }
    catch (const TException& e)
    {
        EXPECT_TRUE(NSQuorral::HasTargetObjectType(NSQuorral::GetExceptionBody(e), objectType))
            << "object type missing on: " << e.what();
        return std::string(e.what());
    }
    catch (...)
    {
        ADD_FAILURE() << "threw another class";
        return std::nullopt;
    }
    ADD_FAILURE() << "nothing thrown";
    return std::nullopt;
}
