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

std::vector<HWND> ThreadWindowsWithProperty(const wchar_t* property)
{
    struct TSearch
    {
        const wchar_t* fProperty;
        std::vector<HWND> fFound;
    } search{property, {}};
    const WNDENUMPROC collect = [](HWND window, LPARAM parameter) -> BOOL
    {
        auto* search = reinterpret_cast<TSearch*>(parameter);
        if (GetPropW(window, search->fProperty))
            search->fFound.push_back(window);
        EnumChildWindows(
            window,
            [](HWND child, LPARAM parameter) -> BOOL
            {
                auto* search = reinterpret_cast<TSearch*>(parameter);
                if (GetPropW(child, search->fProperty))
                    search->fFound.push_back(child);
                return TRUE;
            },
            parameter);
        return TRUE;
    };
    EnumThreadWindows(GetCurrentThreadId(), collect, LPARAM(&search));
    return search.fFound;
}
} // namespace NSTrellisLibrary
