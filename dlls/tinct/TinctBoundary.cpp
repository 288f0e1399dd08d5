#include "dlls/tinct/TinctBoundary.h"

#include "base/ThrowPlain.h"

#include <new>
#include <stdexcept>

namespace NSTinctLibrary
{
void ThrowInvalidArgument()
{
    NSQuorral::ThrowPlain<std::invalid_argument>();
}

void ThrowIllegalCallSequence()
{
    NSQuorral::ThrowPlain<NSQuorral::XIllegalCallSequence>();
}

void ThrowOutOfMemory()
{
    NSQuorral::ThrowPlain<std::bad_alloc>();
}
} // namespace NSTinctLibrary
