#pragma once
// Driving a modal dialog of this process from a second thread, with real mouse and keyboard
// input, while the test's thread runs the dialog's modal loop.
#include <windows.h>

#include <functional>
#include <initializer_list>
#include <string>
#include <thread>
#include <vector>

// Polls with a bound: a dialog appears, comes to the front and goes asynchronously to the
// driving thread (or in another process).
inline bool WaitFor(const std::function<bool()>& condition, DWORD milliseconds = 20000)
{
    const ULONGLONG end = GetTickCount64() + milliseconds;
    for (;;)
    {
        if (condition())
            return true;
        if (GetTickCount64() > end)
            return false;
        Sleep(25);
    }
}

inline void SendInputs(std::initializer_list<INPUT> inputs)
{
    std::vector<INPUT> list(inputs);
    SendInput(UINT(list.size()), list.data(), sizeof(INPUT));
}

inline void ClickOn(HWND control)
{
    RECT rect{};
    GetWindowRect(control, &rect);
    INPUT move{};
    move.type = INPUT_MOUSE;
    move.mi.dx = (rect.left + rect.right) / 2 * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1);
    move.mi.dy = (rect.top + rect.bottom) / 2 * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1);
    move.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    INPUT down = move;
    down.mi.dwFlags = MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_ABSOLUTE;
    INPUT up = move;
    up.mi.dwFlags = MOUSEEVENTF_LEFTUP | MOUSEEVENTF_ABSOLUTE;
    SendInputs({move, down, up});
}

inline void PressKey(WORD key)
{
    INPUT down{};
    down.type = INPUT_KEYBOARD;
    down.ki.wVk = key;
    INPUT up = down;
    up.ki.dwFlags = KEYEVENTF_KEYUP;
    SendInputs({down, up});
}

// Runs show() on this thread while a second thread finds the dialog by its title (and window
// class), waits until it is in front and hands it to answer(). Returns what went wrong, empty
// when nothing did; a dialog left open is closed with a WM_COMMAND of closeID so that show()
// returns.
inline std::string RunAndAnswerDialog(const std::wstring& title, const std::function<void()>& show,
                                      const std::function<void(HWND dialog)>& answer, WORD closeID,
                                      const wchar_t* windowClass = L"#32770")
{
    std::string failure;
    std::thread answering([&] {
        HWND dialog = nullptr;
        if (!WaitFor([&] { return (dialog = FindWindowW(windowClass, title.c_str())) && IsWindowVisible(dialog); }))
        {
            failure = "no dialog window with the title";
            return;
        }
        if (!WaitFor([&] { return GetForegroundWindow() == dialog; }))
            failure = "the dialog did not come to the front";
        else
            answer(dialog);
        if (!WaitFor([&] { return !IsWindow(dialog); }))
        {
            failure = "the dialog stayed open";
            PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(closeID, BN_CLICKED), 0);
            PostMessageW(dialog, WM_CLOSE, 0, 0); // a window that takes no close command
        }
    });
    show();
    answering.join();
    return failure;
}
