#include "dlls/trellis/WindowPainting.h"

#include <windows.h>

namespace NSTrellisLibrary
{
void PaintThreadWindowsNow()
{
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM) -> BOOL {
            RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
            return TRUE;
        },
        0);
}
} // namespace NSTrellisLibrary
