#include "app/ProcessWindows.h"

namespace NSVantleApp
{
namespace
{
BOOL CALLBACK CollectTopLevelWindow(HWND window, LPARAM list)
{
    try
    {
        reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
        return TRUE;
    }
    catch (...)
    {
        return FALSE;
    }
}
} // namespace

std::vector<HWND> ListTopLevelWindows()
{
    std::vector<HWND> windows;
    if (!EnumWindows(&CollectTopLevelWindow, reinterpret_cast<LPARAM>(&windows)))
        return {};
    return windows;
}

std::vector<HWND> GetWindowsOfProcess(const std::vector<HWND>& windows, HANDLE process)
{
    const DWORD processId = GetProcessId(process);
    std::vector<HWND> owned;
    for (const HWND window : windows)
    {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == processId)
            owned.push_back(window);
    }
    return owned;
}

void ShowWindowList(const std::vector<HWND>& windows, bool show)
{
    if (show)
    {
        for (auto window = windows.rbegin(); window != windows.rend(); ++window)
            ShowWindow(*window, SW_SHOW);
    }
    else
    {
        for (const HWND window : windows)
            ShowWindow(window, SW_HIDE);
    }
}
} // namespace NSVantleApp
