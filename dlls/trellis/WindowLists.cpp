#include "dlls/trellis/WindowLists.h"

namespace NSTrellisLibrary
{
std::vector<void*> ListWindowsWithProperty(const wchar_t* property)
{
    struct TSearch
    {
        const wchar_t* fProperty;
        std::vector<void*> fFound;
    } search{property, {}};
    // EnumThreadWindows walks the top-level windows in their z-order, frontmost first.
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM parameter) -> BOOL {
            auto* search = reinterpret_cast<TSearch*>(parameter);
            if (IsWindowVisible(window))
            {
                if (HANDLE object = GetPropW(window, search->fProperty))
                    search->fFound.push_back(object);
            }
            return TRUE;
        },
        LPARAM(&search));
    return search.fFound;
}
} // namespace NSTrellisLibrary
