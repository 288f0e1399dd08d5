#pragma once
// What every fuzz target shares: an input either reads or is refused with an exception of the
// error framework; a refusal that only a sizing or indexing fault raises, and a broken round
// trip, stop the run as a finding.
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <new>
#include <stdexcept>

namespace NSFuzz
{
[[noreturn]] inline void Finding(const char* what)
{
    std::fprintf(stderr, "fuzz finding: %s\n", what);
    std::abort();
}

inline void Require(bool holds, const char* what)
{
    if (!holds)
        Finding(what);
}

// Runs read(); true when it read, false when it refused. An allocation the input sized beyond the
// fuzzer's limit, a length or an index out of range mean a size was trusted: findings.
template <class TRead> bool ReadsOrRefuses(TRead&& read)
{
    try
    {
        read();
        return true;
    }
    catch (const std::bad_alloc&)
    {
        Finding("allocation failed");
    }
    catch (const std::length_error& e)
    {
        Finding(e.what());
    }
    catch (const std::out_of_range& e)
    {
        Finding(e.what());
    }
    catch (const std::exception&)
    {
        return false;
    }
}
} // namespace NSFuzz
