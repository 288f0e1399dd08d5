#pragma once
// The file reads a benchmark makes, counted at the file library's replaceable ReadFile: install
// CountingReadCalls() with a CWin32CallsOverride around the part to measure.
#include "base/Win32Calls.h"

#include <windows.h>

namespace NSBench
{
struct TReadCounts
{
    unsigned long long fCalls = 0;
    unsigned long long fBytes = 0;
};

inline TReadCounts gReadCounts;

inline BOOL WINAPI CountingReadFile(HANDLE file, LPVOID buffer, DWORD size, LPDWORD read,
                                    LPOVERLAPPED overlapped)
{
    ++gReadCounts.fCalls;
    const BOOL done = RealWin32Calls().ReadFile(file, buffer, size, read, overlapped);
    if (done && read)
        gReadCounts.fBytes += *read;
    return done;
}

inline TWin32Calls CountingReadCalls()
{
    TWin32Calls calls = RealWin32Calls();
    calls.ReadFile = &CountingReadFile;
    return calls;
}
} // namespace NSBench
