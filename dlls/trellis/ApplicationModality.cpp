#include "dlls/trellis/ApplicationModality.h"

namespace NSTrellisLibrary
{
CApplicationModality::CApplicationModality() : fOwner(GetActiveWindow())
{
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM parameter) -> BOOL {
            auto* disabled = reinterpret_cast<std::vector<HWND>*>(parameter);
            if (IsWindowVisible(window) && IsWindowEnabled(window))
                disabled->push_back(window);
            return TRUE;
        },
        LPARAM(&fDisabled));
    // The owner stays enabled until the modal window exists: disabling the active window first
    // would hand the activation to another program.
    for (HWND window : fDisabled)
    {
        if (window != fOwner)
            EnableWindow(window, FALSE);
    }
}

CApplicationModality::~CApplicationModality()
{
    for (HWND window : fDisabled)
    {
        if (IsWindow(window))
            EnableWindow(window, TRUE);
    }
}
} // namespace NSTrellisLibrary
