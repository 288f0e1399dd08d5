#include "tests/base/FailingAllocation.h"

#include <cstdlib>
#include <new>

namespace
{
thread_local bool gFailNext = false;
} // namespace

namespace NSTestSupport
{
void FailNextAllocation()
{
    gFailNext = true;
}
} // namespace NSTestSupport

// The runtime is linked statically, so these stand in for its allocator throughout the
// executable, the library's own string code included.
void* operator new(std::size_t size)
{
    if (gFailNext)
    {
        gFailNext = false;
        throw std::bad_alloc();
    }
    if (void* block = std::malloc(size == 0 ? 1 : size))
        return block;
    throw std::bad_alloc();
}

void operator delete(void* block) noexcept
{
    std::free(block);
}

void operator delete(void* block, std::size_t) noexcept
{
    std::free(block);
}
