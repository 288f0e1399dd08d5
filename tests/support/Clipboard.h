#pragma once
// The clipboard's text as the tests of text fields read it.
#include <string>

#include <windows.h>

inline std::wstring ClipboardText()
{
    std::wstring text;
    if (!OpenClipboard(nullptr))
        return L"(no clipboard)";
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT))
    {
        text = static_cast<const wchar_t*>(GlobalLock(data));
        GlobalUnlock(data);
    }
    CloseClipboard();
    return text;
}
