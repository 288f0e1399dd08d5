#include "dlls/trellis/RunLoop.h"

#include "dlls/trellis/LibraryFence.h"
#include "dlls/trellis/NativeWindow.h"
#include "dlls/trellis/WindowLists.h"

#include <memory>
#include <string>

namespace NSTrellisLibrary
{
namespace
{
struct TRun
{
    NSTrellis::ITrellisRunBehavior* fApplication = nullptr;
    std::unique_ptr<CMenuBar> fMenuBar;
    bool fQuitRequested = false;
};

TRun gRun;

std::wstring TextOf(const u16* text, std::size_t capacity)
{
    const auto* wide = reinterpret_cast<const wchar_t*>(text);
    return std::wstring(wide, wcsnlen(wide, capacity));
}

void ShowMenusInDocumentWindows()
{
    for (HWND window : ThreadWindowsWithProperty(kDocumentWindowProperty))
    {
        HMENU previous = GetMenu(window);
        SetMenu(window, gRun.fMenuBar->Build());
        if (previous)
            DestroyMenu(previous);
    }
}

// Asks each open document window to close for the quit; answers whether the quit still stands.
bool CloseWindowsForQuit()
{
    for (HWND window : ThreadWindowsWithProperty(kDocumentWindowProperty))
    {
        if (!gRun.fQuitRequested)
            return false;
        SendMessageW(window, kQuitCloseMessage, 0, 0);
    }
    return gRun.fQuitRequested;
}

void RunMessageLoop()
{
    MSG message;
    while (!(gRun.fQuitRequested && CloseWindowsForQuit()))
    {
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got <= 0)
            return;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

void EndRun()
{
    for (HWND window : ThreadWindowsWithProperty(kDocumentWindowProperty))
        DestroyWindow(window);
    NSTrellis::ITrellisRunBehavior* application = gRun.fApplication;
    gRun = TRun{};
    application->Destroy();
}
} // namespace

u32 RunApplication(NSTrellis::ITrellisRunBehavior* application, const TTrellisStartupBlock& block)
{
    if (gRun.fApplication)
        ThrowIllegalCallSequence("a run is going on");
    gRun.fApplication = application;
    gRun.fMenuBar = std::make_unique<CMenuBar>(TextOf(block.fAboutItem, 256));
    u32 status = application->Startup();
    if (status == kTrellisOK)
    {
        status = application->OpenDefaultWindow();
        if (status != kTrellisOK)
            application->ReportStatus(status);
        status = application->SetUpMenus(gRun.fMenuBar.get());
        if (status != kTrellisOK)
            application->ReportStatus(status);
        ShowMenusInDocumentWindows();
        RunMessageLoop();
        status = application->Shutdown();
        if (status != kTrellisOK)
            application->ReportStatus(status);
        status = kTrellisOK;
    }
    EndRun();
    return status;
}

NSTrellis::ITrellisRunBehavior* GetCurrentApplication()
{
    return gRun.fApplication;
}

CMenuBar* GetCurrentMenuBar()
{
    return gRun.fMenuBar.get();
}

void RequestQuit()
{
    if (!gRun.fApplication)
        ThrowIllegalCallSequence("no run is going on");
    gRun.fQuitRequested = true;
    // Wakes the loop when it is waiting for a message.
    PostThreadMessageW(GetCurrentThreadId(), WM_NULL, 0, 0);
}

void CancelQuitRequest()
{
    gRun.fQuitRequested = false;
}

void ProcessPendingMessages()
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
    {
        if (message.message == WM_QUIT)
        {
            // Left for the loop that owns it.
            PostQuitMessage(int(message.wParam));
            return;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

void ReportToApplication(u32 status)
{
    if (gRun.fApplication && status != kTrellisOK)
        gRun.fApplication->ReportStatus(status);
}
} // namespace NSTrellisLibrary
