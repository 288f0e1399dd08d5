#pragma once
// Stand-ins for the calls of the elevation table, where Wine answers every process as an
// elevated administrator: an access check that a plain user fails, and a shell start that
// records what it was asked and starts a command that ends with a chosen exit code instead.
#include "app/ElevationCalls.h"

#include <string>
#include <vector>

// A plain user: the check runs and denies access.
inline BOOL WINAPI DenyAccessCheck(PSECURITY_DESCRIPTOR, HANDLE, DWORD, PGENERIC_MAPPING, PPRIVILEGE_SET, LPDWORD,
                                   LPDWORD granted, LPBOOL status)
{
    *granted = 0;
    *status = FALSE;
    return TRUE;
}

inline TElevationCalls PlainUserCalls()
{
    TElevationCalls calls = RealElevationCalls();
    calls.AccessCheck = &DenyAccessCheck;
    return calls;
}

struct TShellStart
{
    std::wstring fVerb;
    std::wstring fFile;
    std::wstring fParameters;
    bool fHasWindow;
};

// What the shell was asked to start, and how the stand-in answers.
struct TShellDouble
{
    static inline std::vector<TShellStart> sStarts;
    static inline DWORD sChildExitCode = 0;
    static inline DWORD sError = ERROR_SUCCESS; // fail with this error instead of starting
    static inline bool sNoProcess = false;      // succeed without a process handle

    static void Reset(DWORD childExitCode = 0)
    {
        sStarts.clear();
        sChildExitCode = childExitCode;
        sError = ERROR_SUCCESS;
        sNoProcess = false;
    }
};

inline BOOL WINAPI RecordShellExecute(SHELLEXECUTEINFOW* info)
{
    TShellDouble::sStarts.push_back({info->lpVerb ? info->lpVerb : L"", info->lpFile ? info->lpFile : L"",
                                     info->lpParameters ? info->lpParameters : L"", info->hwnd != nullptr});
    if (TShellDouble::sError != ERROR_SUCCESS)
    {
        SetLastError(TShellDouble::sError);
        return FALSE;
    }
    if (TShellDouble::sNoProcess)
    {
        info->hProcess = nullptr;
        return TRUE;
    }
    wchar_t system[MAX_PATH];
    GetSystemDirectoryW(system, MAX_PATH);
    const std::wstring command = std::wstring(system) + L"\\cmd.exe";
    const std::wstring parameters = L"/c exit " + std::to_wstring(TShellDouble::sChildExitCode);
    SHELLEXECUTEINFOW child = *info;
    child.lpVerb = L"open";
    child.hwnd = nullptr;
    child.nShow = SW_HIDE;
    child.lpFile = command.c_str();
    child.lpParameters = parameters.c_str();
    const BOOL started = RealElevationCalls().ShellExecuteExW(&child);
    info->hProcess = child.hProcess;
    return started;
}

inline TElevationCalls RecordingShellCalls(const TElevationCalls& base = RealElevationCalls())
{
    TElevationCalls calls = base;
    calls.ShellExecuteExW = &RecordShellExecute;
    return calls;
}
