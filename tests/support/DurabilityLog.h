#pragma once
// Records, through the Win32 call table, the calls that decide whether new data survives a power
// loss: each flush of a file and each move that replaces a file, in the order they were made and
// named by paths ("flush PATH", "move FROM -> TO", with " written through" when the move is).
#include "base/Win32Calls.h"

#include <map>
#include <mutex>
#include <string>
#include <vector>

class CDurabilityLog
{
public:
    CDurabilityLog() : fOverride(MakeCalls())
    {
        sLog = this;
    }
    ~CDurabilityLog() { sLog = nullptr; }
    CDurabilityLog(const CDurabilityLog&) = delete;
    CDurabilityLog& operator=(const CDurabilityLog&) = delete;

    const std::vector<std::wstring>& Events() const { return fEvents; }
    // Every flush from now on fails as on a full disk.
    void FailFlushes() { fFailFlushes = true; }

private:
    static TWin32Calls MakeCalls()
    {
        TWin32Calls calls = RealWin32Calls();
        calls.CreateFileW = &CreateFileW;
        calls.FlushFileBuffers = &FlushFileBuffers;
        calls.MoveFileExW = &MoveFileExW;
        return calls;
    }

    static HANDLE WINAPI CreateFileW(LPCWSTR path, DWORD access, DWORD sharing, LPSECURITY_ATTRIBUTES security,
                                     DWORD disposition, DWORD flags, HANDLE templateFile)
    {
        const HANDLE file =
            RealWin32Calls().CreateFileW(path, access, sharing, security, disposition, flags, templateFile);
        if (file != INVALID_HANDLE_VALUE)
        {
            const std::lock_guard<std::mutex> lock(sLog->fOpenPathsMutex);
            sLog->fOpenPaths[file] = path;
        }
        return file;
    }

    static BOOL WINAPI FlushFileBuffers(HANDLE file)
    {
        {
            const std::lock_guard<std::mutex> lock(sLog->fOpenPathsMutex);
            const auto path = sLog->fOpenPaths.find(file);
            sLog->fEvents.push_back(L"flush " + (path != sLog->fOpenPaths.end() ? path->second : L"?"));
        }
        if (sLog->fFailFlushes)
        {
            ::SetLastError(ERROR_DISK_FULL);
            return FALSE;
        }
        return RealWin32Calls().FlushFileBuffers(file);
    }

    static BOOL WINAPI MoveFileExW(LPCWSTR from, LPCWSTR to, DWORD flags)
    {
        if ((flags & MOVEFILE_REPLACE_EXISTING) != 0)
            sLog->fEvents.push_back(std::wstring(L"move ") + from + L" -> " + to +
                                    ((flags & MOVEFILE_WRITE_THROUGH) != 0 ? L" written through" : L""));
        return RealWin32Calls().MoveFileExW(from, to, flags);
    }

    static inline CDurabilityLog* sLog = nullptr;
    CWin32CallsOverride fOverride;
    // Workers of the pack open files too.
    std::mutex fOpenPathsMutex;
    std::map<HANDLE, std::wstring> fOpenPaths; // a handle's path as it was opened; a reused handle is named anew
    std::vector<std::wstring> fEvents;
    bool fFailFlushes = false;
};
