#include "app/PackRequestWindow.h"

#include "base/ByteOrder.h"
#include "base/ExceptionResponder.h"
#include "base/Quorral.h"
#include "base/TextConversions.h"
#include "base/WinHandles.h"
#include "gui/CallbackFence.h"
#include "gui/TrellisInterface.h"

#include <stdexcept>
#include <string>
#include <utility>

namespace NSVantleApp
{
namespace
{
constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;

// The holder whose window exists; the window procedure answers for it alone.
TPackRequestWindow* gPackRequestWindow = nullptr;

[[noreturn]] void ThrowUnreadable()
{
    NSQuorral::ThrowException(NSQuorral::CThrowContext(NSQuorral::TThrowSite{}) << NSQuorral::XRead(""));
}

// Reads exactly count bytes. A pipe must already hold them: the sender has written its request
// before sending the message, and waiting for more would hang the program's only thread. Other
// kinds of handle (consoles, devices) could block as well and are refused.
void ReadExactly(HANDLE source, void* buffer, u32 count)
{
    if (count == 0)
        return;
    const DWORD type = GetFileType(source);
    if (type == FILE_TYPE_PIPE)
    {
        DWORD available = 0;
        if (!PeekNamedPipe(source, nullptr, 0, nullptr, &available, nullptr) || available < count)
            ThrowUnreadable();
    }
    else if (type != FILE_TYPE_DISK)
        ThrowUnreadable();
    DWORD read = 0;
    if (!Win32Calls().ReadFile(source, buffer, count, &read, nullptr) || read != count)
        ThrowUnreadable();
}

bool RunGuarded(const TPackRequestRunner& runner, const NSFileLibSupport::TDirSpecPtr& input,
                const NSFileLibSupport::TDirSpecPtr& output) noexcept
{
    try
    {
        return runner(input, output);
    }
    catch (...)
    {
        return false;
    }
}

// The handle is ours from here on and closed on every path.
LRESULT AnswerPackRequest(HANDLE source, const TPackRequestRunner& runner) noexcept
{
    CWinFileHandle request(source);
    try
    {
        NSTextPackage::TUTF16String path;
        ReadPackRequestString(path, source);
        const NSFileLibSupport::TDirSpecPtr input = NSFileLibSupport::DirSpecFromWinPath(path);
        ReadPackRequestString(path, source);
        const NSFileLibSupport::TDirSpecPtr output = NSFileLibSupport::DirSpecFromWinPath(path);
        const bool ran = RunGuarded(runner, input, output);
        if (!request.Close())
            return -1;
        return ran ? 1 : 0;
    }
    catch (...)
    {
        return -1;
    }
}
} // namespace

TPackRequestWindow::~TPackRequestWindow()
{
    DestroyPackRequestWindow(this);
}

TPackRequestWindow* CreatePackRequestWindow(TPackRequestWindow* holder, CCreateWindow* owner,
                                            TPackRequestRunner runner)
{
    holder->fOwner = owner;
    holder->fClassAtom = 0;
    holder->fWindow = nullptr;
    holder->fRunner = std::move(runner);
    try
    {
        const HINSTANCE instance = GetModuleHandleW(nullptr);
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = PackRequestWindowProc;
        windowClass.hInstance = instance;
        windowClass.lpszClassName = kPackRequestWindowName;
        holder->fClassAtom = RegisterClassExW(&windowClass);
        if (holder->fClassAtom == 0)
            throw std::runtime_error("the pack request window's class is not registered");
        holder->fWindow =
            CreateWindowExW(0, kPackRequestWindowName, kPackRequestWindowName, kWindowStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                            CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance, nullptr);
        if (holder->fWindow == nullptr)
            throw std::runtime_error("the pack request window is not made");
        UpdateWindow(holder->fWindow);
        gPackRequestWindow = holder;
        return holder;
    }
    catch (...)
    {
        DestroyPackRequestWindow(holder);
        throw;
    }
}

void DestroyPackRequestWindow(TPackRequestWindow* holder)
{
    if (gPackRequestWindow == holder)
        gPackRequestWindow = nullptr;
    if (holder->fClassAtom == 0)
        return;
    if (holder->fWindow != nullptr)
        DestroyWindow(std::exchange(holder->fWindow, nullptr));
    UnregisterClassW(MAKEINTATOM(holder->fClassAtom), nullptr);
    holder->fClassAtom = 0;
}

LRESULT CALLBACK PackRequestWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    try
    {
        LRESULT result = 0;
        if (gPackRequestWindow != nullptr &&
            HandlePackRequestMessage(window, message, wParam, lParam, &result, gPackRequestWindow->fRunner))
            return result;
    }
    catch (...)
    {
        // No exception may cross the system's call of the procedure.
        NSQuorral::RespondToCurrentException();
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

bool HandlePackRequestMessage(HWND, u32 message, WPARAM, LPARAM lParam, LRESULT* result,
                              const TPackRequestRunner& runner)
{
    if (message == kPackRequestMessage)
    {
        if (lParam == 0)
            return false;
        *result = AnswerPackRequest(reinterpret_cast<HANDLE>(lParam), runner);
        return true;
    }
    if (message == WM_CLOSE)
    {
        // The hidden window stays until the main window goes.
        NSTrellisGlue::CheckTrellis(GetTrellisInterface()->Quit());
        return true;
    }
    return false;
}

void ReadPackRequestString(NSTextPackage::TUTF16String& out, HANDLE source)
{
    u8 length[4];
    ReadExactly(source, length, sizeof length);
    const u32 count = NSByteOrder::ReadBE32(length);
    if (count > kMaxPackRequestPathBytes)
        NSQuorral::ThrowException(NSQuorral::CThrowContext(NSQuorral::TThrowSite{})
                                  << NSQuorral::XFormatViolation("pack request path too long"));
    std::string bytes(count, '\0');
    ReadExactly(source, bytes.data(), count);
    out = NSTextPackage::CodePageToUTF16(bytes, GetACP());
}
} // namespace NSVantleApp
