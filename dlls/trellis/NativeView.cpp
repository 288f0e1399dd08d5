#include "dlls/trellis/NativeView.h"

#include "dlls/trellis/KeyEvents.h"
#include "dlls/trellis/LibraryFence.h"
#include "dlls/trellis/RunLoop.h"

#include <utility>

#include <windowsx.h>

extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace NSTrellisLibrary
{
namespace
{
constexpr wchar_t kViewClass[] = L"Trellis.View";
constexpr wchar_t kViewObjectProperty[] = L"Trellis.IView";

// The device context of one WM_PAINT, as the program's drawing receives it.
class CPaintCanvas final : public NSTrellis::INativeCanvas
{
public:
    explicit CPaintCanvas(HDC dc) : fDC(dc) {}
    u32 GetHandle(u64* handle) override
    {
        if (!handle)
            return kTrellisInvalidArgument;
        *handle = u64(uintptr_t(fDC));
        return kTrellisOK;
    }
    u32 Prepare() override
    {
        SetBkMode(fDC, TRANSPARENT);
        return kTrellisOK;
    }

private:
    HDC fDC;
};

class CUpdateRegion final : public NSTrellis::INativeRegion
{
public:
    explicit CUpdateRegion(HRGN region) : fRegion(region) {}
    u32 GetHandle(u64* handle) override
    {
        if (!handle)
            return kTrellisInvalidArgument;
        *handle = u64(uintptr_t(fRegion));
        return kTrellisOK;
    }

private:
    HRGN fRegion;
};

class CRegionHandle
{
public:
    CRegionHandle() : fRegion(CreateRectRgn(0, 0, 0, 0)) {}
    ~CRegionHandle() { DeleteObject(fRegion); }
    CRegionHandle(const CRegionHandle&) = delete;
    CRegionHandle& operator=(const CRegionHandle&) = delete;
    HRGN Get() const { return fRegion; }

private:
    HRGN fRegion;
};

void RegisterViewClass(WNDPROC procedure)
{
    static const ATOM atom = [procedure]
    {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof(windowClass);
        windowClass.style = CS_DBLCLKS;
        windowClass.lpfnWndProc = procedure;
        windowClass.hInstance = HINSTANCE(&__ImageBase);
        windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        windowClass.hbrBackground = HBRUSH(COLOR_BTNFACE + 1);
        windowClass.lpszClassName = kViewClass;
        return RegisterClassExW(&windowClass);
    }();
    if (!atom)
        ThrowIllegalCallSequence("view class not registered");
}

RECT FrameInParent(HWND window)
{
    RECT frame{};
    GetWindowRect(window, &frame);
    MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&frame), 2);
    return frame;
}
} // namespace

CNativeView::CNativeView(std::string name, NSTrellis::IViewBehavior* behavior, bool isContentView)
    : fName(std::move(name)), fBehavior(behavior), fIsContentView(isContentView)
{
}

CNativeView* CNativeView::Create(HWND parent, const std::string& name, NSTrellis::IViewBehavior* behavior,
                                 bool isContentView)
{
    RegisterViewClass(&CNativeView::WindowProcedure);
    auto* view = new CNativeView(name, behavior, isContentView);
    RECT client{};
    if (isContentView)
        GetClientRect(parent, &client);
    HWND window =
        CreateWindowExW(0, kViewClass, nullptr, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, 0,
                        0, client.right, client.bottom, parent, nullptr, HINSTANCE(&__ImageBase), view);
    if (!window)
    {
        // Until it is made, the object is not deleted with its window.
        delete view;
        ThrowIllegalCallSequence("view window not made");
    }
    view->fMade = true;
    return view;
}

CNativeView* CNativeView::FromWindow(HWND window)
{
    return static_cast<CNativeView*>(GetPropW(window, kViewObjectProperty));
}

LRESULT CALLBACK CNativeView::WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return AnswerMessage(
        [&]() -> LRESULT
        {
            if (message == WM_NCCREATE)
            {
                auto* view =
                    static_cast<CNativeView*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
                view->fWindow = window;
                SetPropW(window, kViewObjectProperty, view);
                // Tests and the end-to-end driver find views by the name the program gave them.
                SetPropW(window, kViewNameProperty, const_cast<char*>(view->fName.c_str()));
            }
            CNativeView* view = FromWindow(window);
            if (!view)
                return DefWindowProcW(window, message, wParam, lParam);
            if (message == WM_NCDESTROY)
            {
                RemovePropW(window, kViewObjectProperty);
                RemovePropW(window, kViewNameProperty);
                if (view->fMade)
                    delete view;
                return DefWindowProcW(window, message, wParam, lParam);
            }
            return view->HandleMessage(message, wParam, lParam);
        });
}

LRESULT CNativeView::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message)
    {
    case WM_PAINT:
        Paint();
        return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        MouseDown(message, lParam);
        return 0;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        // Keys are the window's: they go to the top-level window's behaviour.
        return SendMessageW(GetAncestor(fWindow, GA_ROOT), message, wParam, lParam);
    case WM_DESTROY:
        DestroyBehavior();
        break;
    default:
        break;
    }
    return DefWindowProcW(fWindow, message, wParam, lParam);
}

void CNativeView::Paint()
{
    CRegionHandle region;
    GetUpdateRgn(fWindow, region.Get(), FALSE);
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(fWindow, &paint);
    if (paint.fErase)
        FillRect(dc, &paint.rcPaint, GetSysColorBrush(COLOR_BTNFACE));
    NSTrellis::ITrellisRunBehavior* application = GetCurrentApplication();
    if (dc && fBehavior && application)
    {
        CPaintCanvas canvas(dc);
        CUpdateRegion update(region.Get());
        u32 status = application->BeginNativeDrawing(&canvas);
        if (status == kTrellisOK)
        {
            ReportToApplication(fBehavior->Draw(&update));
            status = application->EndNativeDrawing(&canvas);
        }
        ReportToApplication(status);
    }
    EndPaint(fWindow, &paint);
}

void CNativeView::MouseDown(UINT message, LPARAM lParam)
{
    if (!fIsContentView)
        SetFocus(fWindow);
    if (!fBehavior)
        return;
    TKeyboardState keyboard;
    ReadKeyboardState(keyboard);
    NSTrellis::TMouseEvent event{};
    event.fKind = NSTrellis::kMouseDown;
    event.fWhere[0] = GET_X_LPARAM(lParam);
    event.fWhere[1] = GET_Y_LPARAM(lParam);
    event.fButton = message == WM_RBUTTONDOWN ? 2 : message == WM_MBUTTONDOWN ? 3 : 1;
    event.fModifiers = keyboard.fModifiers;
    event.fClickCount = message == WM_LBUTTONDBLCLK ? 2 : 1;
    u32 handled = 0;
    ReportToApplication(fBehavior->MouseDown(&event, &handled));
}

void CNativeView::DestroyBehavior()
{
    if (fBehavior)
        std::exchange(fBehavior, nullptr)->Destroy();
}

void CNativeView::Invalidate(const i32* rect)
{
    const RECT frame = FrameInParent(fWindow);
    const RECT area{rect[0] - frame.left, rect[1] - frame.top, rect[2] - frame.left, rect[3] - frame.top};
    InvalidateRect(fWindow, &area, TRUE);
}

u32 CNativeView::GetNativeHandle(u64* handle)
{
    return AnswerStatus(
        [&]
        {
            if (!handle)
                ThrowInvalidArgument();
            *handle = u64(reinterpret_cast<uintptr_t>(fWindow));
            return kTrellisOK;
        });
}

u32 CNativeView::GetParent(NSTrellis::IView** parent)
{
    return AnswerStatus(
        [&]
        {
            if (!parent)
                ThrowInvalidArgument();
            *parent = FromWindow(::GetParent(fWindow));
            return kTrellisOK;
        });
}

u32 CNativeView::SetProperties(const NSTrellis::TViewProperties* properties)
{
    return AnswerStatus(
        [&]
        {
            if (!properties)
                ThrowInvalidArgument();
            const i32* frame = properties->fFrame;
            if (frame[2] < frame[0] || frame[3] < frame[1])
                ThrowInvalidArgument();
            fAttribute = properties->fAttribute;
            if (!fIsContentView)
                SetWindowPos(fWindow, nullptr, frame[0], frame[1], frame[2] - frame[0], frame[3] - frame[1],
                             SWP_NOZORDER | SWP_NOACTIVATE);
            return kTrellisOK;
        });
}

u32 CNativeView::GetProperties(NSTrellis::TViewProperties* properties)
{
    return AnswerStatus(
        [&]
        {
            if (!properties)
                ThrowInvalidArgument();
            const RECT frame = FrameInParent(fWindow);
            properties->fFrame[0] = frame.left;
            properties->fFrame[1] = frame.top;
            properties->fFrame[2] = frame.right;
            properties->fFrame[3] = frame.bottom;
            properties->fAttribute = fAttribute;
            return kTrellisOK;
        });
}

u32 CNativeView::MoveBy(i32 dx, i32 dy)
{
    return AnswerStatus(
        [&]
        {
            if (fIsContentView)
                ThrowIllegalCallSequence("a content view fills its window");
            const RECT frame = FrameInParent(fWindow);
            SetWindowPos(fWindow, nullptr, frame.left + dx, frame.top + dy, 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            return kTrellisOK;
        });
}

u32 CNativeView::DetachBehavior()
{
    return AnswerStatus(
        [&]
        {
            DestroyBehavior();
            return kTrellisOK;
        });
}

u32 CNativeView::Release()
{
    return AnswerStatus(
        [&]
        {
            if (fIsContentView)
                ThrowIllegalCallSequence("a content view goes with its window");
            DestroyWindow(fWindow); // the object goes with its window
            return kTrellisOK;
        });
}
} // namespace NSTrellisLibrary
