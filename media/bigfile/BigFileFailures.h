#pragma once
// The block container's failures about its file, raised through the error framework's throw helpers.
#include "base/Quorral.h"

#include <stdexcept>

namespace NSBigFilePackage
{
// A failure about the container's file: the exception carries the object type "file".
template <class TException> [[noreturn]] void ThrowForFile()
{
    NSQuorral::Throw<TException>("", NSQuorral::GetFileObjectType());
}
} // namespace NSBigFilePackage
