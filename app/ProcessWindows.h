#pragma once
// The top-level windows of a process, which the elevated relaunch hides while the relaunched copy
// shows its own and shows again when it has none.
#include <vector>

#include <windows.h>

namespace NSVantleApp
{
// Every top-level window in the system's order; empty when they cannot be listed.
std::vector<HWND> ListTopLevelWindows();
// Those of the windows, in order, that the process owns.
std::vector<HWND> GetWindowsOfProcess(const std::vector<HWND>& windows, HANDLE process);
// Shows them from the last to the first, or hides them from the first to the last.
void ShowWindowList(const std::vector<HWND>& windows, bool show);
} // namespace NSVantleApp
