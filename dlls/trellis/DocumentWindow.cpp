#include "dlls/trellis/DocumentWindow.h"

#include "dlls/trellis/LibraryFence.h"
#include "dlls/trellis/WindowLists.h"
#include "dlls/trellis/WindowProperties.h"

namespace NSTrellisLibrary
{
namespace
{
constexpr u32 kWindowFillsScreen = 1;
} // namespace

CDocumentWindow* CDocumentWindow::Open(NSTrellis::IDocumentWindowCreator* creator)
{
    auto* window = new CDocumentWindow;
    window->MakeWindow(WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, nullptr, kDocumentWindowProperty,
                       static_cast<NSTrellis::IDocumentWindow*>(window));
    const u32 status = window->AttachBehavior<NSTrellis::IDocumentWindowBehavior>(
        [&](u32* out) { return creator->Create(window, out); });
    if (status != kTrellisOK)
        ThrowTrellisFailure(status);
    ShowWindow(window->fWindow, SW_SHOW);
    return window;
}

u32 CDocumentWindow::GetProperties(NSTrellis::TDocumentWindowProperties* properties)
{
    return AnswerStatus(
        [&]
        {
            if (!properties)
                ThrowInvalidArgument();
            ReadTitleAndFrame(fWindow, properties->fTitle, properties->fFrame);
            properties->fState = IsZoomed(fWindow) ? kWindowFillsScreen : 0;
            return kTrellisOK;
        });
}

u32 CDocumentWindow::SetProperties(const NSTrellis::TDocumentWindowProperties* properties, u32 zero)
{
    return AnswerStatus(
        [&]
        {
            if (!properties || zero != 0)
                ThrowInvalidArgument();
            WriteTitleAndFrame(fWindow, properties->fTitle, properties->fFrame);
            return kTrellisOK;
        });
}

u32 CDocumentWindow::GetNativeWindow(INativeWindow** window)
{
    if (!window)
        return kTrellisInvalidArgument;
    *window = this;
    return kTrellisOK;
}

u32 CDocumentWindow::Close()
{
    DestroyWindow(fWindow); // the object goes with its window
    return kTrellisOK;
}
} // namespace NSTrellisLibrary
