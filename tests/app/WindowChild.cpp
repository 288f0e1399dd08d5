// A stand-in for the relaunched copy that shows a window: it shows one top-level window titled
// "Relaunched copy" and ends with exit code 0 when that window is closed.
#include <windows.h>

namespace
{
LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROY)
    {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}
} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int)
{
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = &WindowProcedure;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = L"RelaunchedCopy";
    RegisterClassW(&windowClass);
    CreateWindowExW(0, L"RelaunchedCopy", L"Relaunched copy", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 200, 100,
                    nullptr, nullptr, instance, nullptr);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0)
        DispatchMessageW(&message);
    return 0;
}
