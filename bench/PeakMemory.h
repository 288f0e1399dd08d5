#pragma once
// The process's peak working set, for the benchmarks that report memory (link psapi).
#include <windows.h>

#include <psapi.h>

namespace NSBench
{
inline double PeakWorkingSetMB()
{
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof(counters);
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters));
    return double(counters.PeakWorkingSetSize) / (1024.0 * 1024.0);
}
} // namespace NSBench
