#include "dlls/sprocket/ControlHost.h"

#include "base/Quorral.h"
#include "dlls/sprocket/SprocketFence.h"
#include "dlls/trellis/Trellis.h"

#include <commctrl.h>

#include <algorithm>
#include <mutex>

namespace NSSprocketLibrary
{
namespace
{
constexpr wchar_t kHostClass[] = L"Sprocket.Control";
constexpr wchar_t kHostObjectProperty[] = L"Sprocket.Object";

HINSTANCE LibraryModule()
{
    HMODULE module = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&LibraryModule), &module);
    return module;
}

[[noreturn]] void ThrowPlatformFailure(const char* what)
{
    NSQuorral::Throw<NSQuorral::XInvariantCorrupt>(what);
}
} // namespace

void CControlHost::RegisterClasses()
{
    static std::once_flag once;
    std::call_once(once,
                   []
                   {
                       const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX),
                                                           ICC_STANDARD_CLASSES | ICC_PROGRESS_CLASS};
                       InitCommonControlsEx(&controls);
                       WNDCLASSEXW windowClass{};
                       windowClass.cbSize = sizeof(windowClass);
                       windowClass.lpfnWndProc = WindowProcedure;
                       windowClass.hInstance = LibraryModule();
                       windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)); // the arrow
                       // What the controls leave of a host shows the face colour the program's
                       // windows are painted in.
                       windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
                       windowClass.lpszClassName = kHostClass;
                       if (!RegisterClassExW(&windowClass) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
                           ThrowPlatformFailure("RegisterClassExW");
                   });
}

CControlHost::CControlHost(HWND parent, const i32* frame, const wchar_t* controlClass, DWORD controlStyle,
                           const std::string& name)
    : fName(name)
{
    fHost = CreateWindowExW(WS_EX_CONTROLPARENT, kHostClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 0,
                            0, parent, nullptr, LibraryModule(), nullptr);
    if (!fHost)
        ThrowPlatformFailure("CreateWindowExW");
    SetPropW(fHost, kHostObjectProperty, this);
    SetPropW(fHost, kViewNameProperty, const_cast<char*>(fName.c_str()));
    if (controlClass)
    {
        try
        {
            fControl = AddControl(controlClass, controlStyle);
        }
        catch (...)
        {
            DestroyWindow(fHost);
            throw;
        }
    }
    SetFrame(frame);
}

HWND CControlHost::AddControl(const wchar_t* controlClass, DWORD controlStyle)
{
    const HWND control = CreateWindowExW(0, controlClass, L"", WS_CHILD | WS_VISIBLE | controlStyle, 0, 0, 0, 0,
                                         fHost, nullptr, LibraryModule(), nullptr);
    if (!control)
        ThrowPlatformFailure("CreateWindowExW");
    SendMessageW(control, WM_SETFONT, WPARAM(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    return control;
}

SIZE CControlHost::MeasureText(const wchar_t* text, u32 width)
{
    const HDC screen = GetDC(nullptr);
    if (!screen)
        ThrowPlatformFailure("GetDC");
    const HGDIOBJ previous = SelectObject(screen, GetStockObject(DEFAULT_GUI_FONT));
    TEXTMETRICW metrics{};
    GetTextMetricsW(screen, &metrics);
    RECT rect{0, 0, LONG(std::min<u32>(width, 0x7FFFFFFF)), 0};
    if (*text)
        DrawTextW(screen, text, -1, &rect, DT_CALCRECT | DT_NOPREFIX | DT_EXPANDTABS | (width ? DT_WORDBREAK : 0));
    SelectObject(screen, previous);
    ReleaseDC(nullptr, screen);
    if (!*text)
        return {0, metrics.tmHeight};
    return {rect.right - rect.left, rect.bottom - rect.top};
}

CControlHost::~CControlHost()
{
    if (fHost)
        DestroyWindow(fHost);
}

void CControlHost::SetFrame(const i32* frame)
{
    const int width = std::max(0, frame[2] - frame[0]);
    const int height = std::max(0, frame[3] - frame[1]);
    MoveWindow(fHost, frame[0], frame[1], width, height, TRUE);
    if (fControl)
        MoveWindow(fControl, 0, 0, width, height, TRUE);
}

void CControlHost::GetFrame(i32* frame) const
{
    WindowFrame(fHost, frame);
}

void CControlHost::WindowFrame(HWND window, i32* frame)
{
    RECT rect{};
    GetWindowRect(window, &rect);
    MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
    frame[0] = rect.left;
    frame[1] = rect.top;
    frame[2] = rect.right;
    frame[3] = rect.bottom;
}

void CControlHost::SetText(const std::wstring& text)
{
    SetWindowTextW(fControl, text.c_str());
}

std::wstring CControlHost::GetText() const
{
    return WindowText(fControl);
}

std::wstring CControlHost::WindowText(HWND window)
{
    std::wstring text(size_t(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(size_t(GetWindowTextW(window, text.data(), int(text.size()))));
    return text;
}

LRESULT CALLBACK CControlHost::WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return AnswerMessage(
        [&]() -> LRESULT
        {
            auto* host = static_cast<CControlHost*>(GetPropW(window, kHostObjectProperty));
            if (host && message == WM_COMMAND && lParam && GetParent(HWND(lParam)) == window)
            {
                host->ControlNotified(HWND(lParam), HIWORD(wParam));
                return 0;
            }
            if (host && message == WM_NCDESTROY)
            {
                // The parent went first: the object stays until its release, without a window.
                RemovePropW(window, kHostObjectProperty);
                RemovePropW(window, kViewNameProperty);
                host->fHost = nullptr;
                host->fControl = nullptr;
            }
            return DefWindowProcW(window, message, wParam, lParam);
        });
}
} // namespace NSSprocketLibrary
