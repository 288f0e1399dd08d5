#include "dlls/trellis/NativeWindow.h"

#include "dlls/trellis/KeyEvents.h"
#include "dlls/trellis/LibraryFence.h"
#include "dlls/trellis/RunLoop.h"
#include "dlls/trellis/WindowLists.h"

#include <string_view>
#include <utility>

extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace NSTrellisLibrary
{
namespace
{
constexpr wchar_t kWindowClass[] = L"Trellis.Window";
constexpr wchar_t kWindowObjectProperty[] = L"Trellis.INativeWindow";

void RegisterWindowClass(WNDPROC procedure)
{
    static const ATOM atom = [procedure]
    {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof(windowClass);
        windowClass.lpfnWndProc = procedure;
        windowClass.hInstance = HINSTANCE(&__ImageBase);
        windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        windowClass.hbrBackground = HBRUSH(COLOR_BTNFACE + 1);
        windowClass.lpszClassName = kWindowClass;
        return RegisterClassExW(&windowClass);
    }();
    if (!atom)
        ThrowIllegalCallSequence("window class not registered");
}

// What the frame adds around the content: negative left and top, positive right and bottom.
RECT FrameMargins(HWND window)
{
    RECT margins{0, 0, 0, 0};
    AdjustWindowRectEx(&margins, DWORD(GetWindowLongW(window, GWL_STYLE)), GetMenu(window) != nullptr,
                       DWORD(GetWindowLongW(window, GWL_EXSTYLE)));
    return margins;
}
} // namespace

void CNativeWindow::MakeWindow(DWORD style, DWORD exStyle, HWND owner, const wchar_t* property, void* object)
{
    RegisterWindowClass(&CNativeWindow::WindowProcedure);
    fProperty = property;
    HWND window = CreateWindowExW(exStyle, kWindowClass, L"", style, CW_USEDEFAULT, CW_USEDEFAULT, 640, 480,
                                  owner, nullptr, HINSTANCE(&__ImageBase), this);
    if (!window)
    {
        delete this;
        ThrowIllegalCallSequence("window not made");
    }
    fMade = true;
    SetPropW(window, property, object);
    // A document window has its menu from the start, so that its content keeps its size when
    // the menus are set up.
    if (GetCurrentMenuBar() && std::wstring_view(property) == kDocumentWindowProperty)
        SetMenu(window, GetCurrentMenuBar()->Build());
    try
    {
        fContentView = CNativeView::Create(window, "content", nullptr, true);
    }
    catch (...)
    {
        DestroyWindow(window);
        throw;
    }
}

LRESULT CALLBACK CNativeWindow::WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return AnswerMessage(
        [&]() -> LRESULT
        {
            if (message == WM_NCCREATE)
            {
                auto* self =
                    static_cast<CNativeWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
                self->fWindow = window;
                SetPropW(window, kWindowObjectProperty, self);
            }
            auto* self = static_cast<CNativeWindow*>(GetPropW(window, kWindowObjectProperty));
            if (!self)
                return DefWindowProcW(window, message, wParam, lParam);
            if (message == WM_NCDESTROY)
            {
                RemovePropW(window, kWindowObjectProperty);
                if (self->fProperty)
                    RemovePropW(window, self->fProperty);
                if (HMENU menu = GetMenu(window))
                    DestroyMenu(menu);
                if (self->fMade)
                    delete self;
                return DefWindowProcW(window, message, wParam, lParam);
            }
            return self->HandleMessage(message, wParam, lParam);
        });
}

LRESULT CNativeWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message)
    {
    case WM_SIZE:
        if (fContentView)
            SetWindowPos(fContentView->GetWindow(), nullptr, 0, 0, LOWORD(lParam), HIWORD(lParam),
                         SWP_NOZORDER | SWP_NOACTIVATE);
        return 0;
    case WM_CLOSE:
    case kQuitCloseMessage:
        if (!fBehavior)
            DestroyWindow(fWindow);
        else
            ReportToApplication(fBehavior->CloseRequested(message == WM_CLOSE ? NSTrellis::kCloseCauseUser
                                                                              : NSTrellis::kCloseCauseQuit));
        return 0;
    case WM_COMMAND:
        // Menu items and accelerators; controls inside views have their own handlers.
        if (lParam == 0)
        {
            RouteCommand(LOWORD(wParam));
            return 0;
        }
        break;
    case WM_INITMENU:
        if (CMenuBar* bar = GetCurrentMenuBar(); bar && fBehavior)
        {
            ReportToApplication(fBehavior->UpdateMenuBar(bar));
            bar->ApplyStates(HMENU(wParam));
        }
        return 0;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        if (KeyDown(wParam))
            return 0;
        break;
    case WM_DESTROY:
        if (fBehavior)
            std::exchange(fBehavior, nullptr)->Destroy();
        return 0;
    default:
        break;
    }
    return DefWindowProcW(fWindow, message, wParam, lParam);
}

bool CNativeWindow::KeyDown(WPARAM key)
{
    if (!fBehavior)
        return false;
    const TKeyEvent event = KeyEventOf(u32(key));
    u32 handled = 0;
    ReportToApplication(fBehavior->KeyDown(&event, &handled));
    return handled != 0;
}

void CNativeWindow::RouteCommand(u32 command)
{
    if (!IsWindowEnabled(fWindow))
        return;
    TKeyboardState keyboard;
    ReadKeyboardState(keyboard);
    const NSTrellis::TCommandEvent event{NSTrellis::kCommandEventKind, command, keyboard.fModifiers,
                                         keyboard.fMouseButtons, u64(u32(GetMessageTime()))};
    u32 handled = 0;
    for (CNativeView* view = CNativeView::FromWindow(GetFocus()); view;
         view = CNativeView::FromWindow(GetParent(view->GetWindow())))
    {
        if (GetAncestor(view->GetWindow(), GA_ROOT) != fWindow || !view->GetBehavior())
            continue;
        ReportToApplication(view->GetBehavior()->DoCommand(&event, &handled));
        if (handled)
            return;
    }
    if (fBehavior)
    {
        ReportToApplication(fBehavior->DoCommand(&event, &handled));
        if (handled)
            return;
    }
    if (NSTrellis::ITrellisRunBehavior* application = GetCurrentApplication())
        ReportToApplication(application->DoCommand(&event, &handled));
}

u32 CNativeWindow::GetFocusedView(NSTrellis::IView** view)
{
    return AnswerStatus(
        [&]
        {
            if (!view)
                ThrowInvalidArgument();
            HWND focus = GetFocus();
            CNativeView* focused = CNativeView::FromWindow(focus);
            *view = focused && GetAncestor(focus, GA_ROOT) == fWindow ? focused : nullptr;
            return kTrellisOK;
        });
}

u32 CNativeWindow::GetContentView(NSTrellis::IView** view)
{
    return AnswerStatus(
        [&]
        {
            if (!view)
                ThrowInvalidArgument();
            *view = fContentView;
            return kTrellisOK;
        });
}

u32 CNativeWindow::AcceptsCommand(u32* accepts)
{
    return AnswerStatus(
        [&]
        {
            if (!accepts)
                ThrowInvalidArgument();
            *accepts = IsWindowEnabled(fWindow) ? 1 : 0;
            return kTrellisOK;
        });
}

u32 CNativeWindow::ContentRectFromFrame(const i32* frame, i32* content)
{
    return AnswerStatus(
        [&]
        {
            if (!frame || !content)
                ThrowInvalidArgument();
            const RECT margins = FrameMargins(fWindow);
            content[0] = frame[0] - margins.left;
            content[1] = frame[1] - margins.top;
            content[2] = frame[2] - margins.right;
            content[3] = frame[3] - margins.bottom;
            return kTrellisOK;
        });
}

u32 CNativeWindow::FrameRectFromContent(const i32* content, i32* frame)
{
    return AnswerStatus(
        [&]
        {
            if (!frame || !content)
                ThrowInvalidArgument();
            const RECT margins = FrameMargins(fWindow);
            frame[0] = content[0] + margins.left;
            frame[1] = content[1] + margins.top;
            frame[2] = content[2] + margins.right;
            frame[3] = content[3] + margins.bottom;
            return kTrellisOK;
        });
}
} // namespace NSTrellisLibrary
