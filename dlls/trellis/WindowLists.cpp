#include "dlls/trellis/WindowLists.h"

namespace NSTrellisLibrary
{
std::vector<void*> ListWindowsWithProperty(const wchar_t* property)
{
    std::vector<void*> found;
    const DWORD thread = GetCurrentThreadId();
    // The desktop's children in their z-order, frontmost first.
    for (HWND window = GetTopWindow(nullptr); window; window = GetWindow(window, GW_HWNDNEXT))
    {
        if (GetWindowThreadProcessId(window, nullptr) != thread || !IsWindowVisible(window))
            continue;
        if (HANDLE object = GetPropW(window, property))
            found.push_back(object);
    }
    return found;
}
} // namespace NSTrellisLibrary
