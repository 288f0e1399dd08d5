#pragma once
// The throw helpers every failure goes through, in the one throw shape of base/ThrowContext.h:
// the exception's class, its message (most failures carry an empty one) and, where one is given,
// the object type the failure is about.
//
//     NSQuorral::Throw<NSQuorral::XFormatViolation>();
//     NSQuorral::Throw<NSQuorral::XNotFound>("", NSQuorral::GetFileObjectType());
//     NSQuorral::Throw(std::length_error("vector<T> too long"));
//
// A failure that carries further properties uses the shape itself.
#include "base/ExceptionClasses.h"
#include "base/ThrowContext.h"

#include <string>
#include <type_traits>

namespace NSQuorral
{
// Throws the exception as a new failure (a caught one keeps its class, message and properties).
[[noreturn]] void Throw(const std::exception& exception);
// The same about an object of that type; the empty name stands for none.
[[noreturn]] void Throw(const std::exception& exception, const TFixedName& objectType);

// Throws a TException of the message. The standard classes that take none (std::exception,
// std::bad_alloc) are thrown without it.
template <class TException> [[noreturn]] void Throw(const std::string& message = std::string())
{
    if constexpr (std::is_constructible_v<TException, const std::string&>)
        Throw(static_cast<const std::exception&>(TException(message)));
    else
        Throw(static_cast<const std::exception&>(TException()));
}

template <class TException> [[noreturn]] void Throw(const std::string& message, const TFixedName& objectType)
{
    if constexpr (std::is_constructible_v<TException, const std::string&>)
        Throw(static_cast<const std::exception&>(TException(message)), objectType);
    else
        Throw(static_cast<const std::exception&>(TException()), objectType);
}
} // namespace NSQuorral
