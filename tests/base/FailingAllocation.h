#pragma once
// Makes the next allocation of the calling thread fail with std::bad_alloc, so a test can throw
// from inside code that only allocates. The executable's operator new reads the flag; other
// threads and later allocations are untouched.
namespace NSTestSupport
{
void FailNextAllocation();
} // namespace NSTestSupport
