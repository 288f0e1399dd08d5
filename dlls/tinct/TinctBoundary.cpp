#include "dlls/tinct/TinctBoundary.h"

#include "base/Throw.h"

#include <new>
#include <stdexcept>

namespace NSTinctLibrary
{
void ThrowInvalidArgument()
{
    NSQuorral::Throw<std::invalid_argument>();
}

void ThrowIllegalCallSequence()
{
    NSQuorral::Throw<NSQuorral::XIllegalCallSequence>();
}

void ThrowOutOfMemory()
{
    NSQuorral::Throw<std::bad_alloc>();
}
} // namespace NSTinctLibrary
