#include "dlls/trellis/ModalDialog.h"

#include "dlls/trellis/ApplicationModality.h"
#include "dlls/trellis/LibraryFence.h"
#include "dlls/trellis/WindowLists.h"
#include "dlls/trellis/WindowProperties.h"

#include <algorithm>
#include <iterator>

namespace NSTrellisLibrary
{
namespace
{
// The frame size of a content size of the window; {0, 0} asks for no limit.
POINT FrameSizeOf(HWND window, const i32 (&content)[2])
{
    RECT rect{0, 0, content[0], content[1]};
    AdjustWindowRectEx(&rect, DWORD(GetWindowLongW(window, GWL_STYLE)), FALSE,
                       DWORD(GetWindowLongW(window, GWL_EXSTYLE)));
    return POINT{rect.right - rect.left, rect.bottom - rect.top};
}
} // namespace

void CModalDialog::Run(NSTrellis::IModalDialogCreator* creator)
{
    CApplicationModality modality;
    auto* dialog = new CModalDialog;
    dialog->MakeWindow(WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN, WS_EX_DLGMODALFRAME,
                       modality.GetOwner(), kModalDialogProperty,
                       static_cast<NSTrellis::IModalDialog*>(dialog));
    const u32 status = dialog->AttachBehavior<NSTrellis::IModalDialogBehavior>(
        [&](u32* out) { return creator->Create(dialog, out); });
    if (status != kTrellisOK)
        ThrowTrellisFailure(status);
    // The object goes with its window: only the handle is used from here on.
    HWND window = dialog->fWindow;
    ShowWindow(window, SW_SHOW);
    SetForegroundWindow(window);
    if (HWND owner = modality.GetOwner())
        EnableWindow(owner, FALSE); // enabled again with the others when the modality ends
    MSG message;
    while (IsWindow(window))
    {
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got <= 0)
        {
            // A quit message belongs to the outer loop.
            if (got == 0)
                PostQuitMessage(int(message.wParam));
            DestroyWindow(window);
            break;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

LRESULT CModalDialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_GETMINMAXINFO)
    {
        auto* limits = reinterpret_cast<MINMAXINFO*>(lParam);
        if (fMinContentSize[0] > 0 && fMinContentSize[1] > 0)
            limits->ptMinTrackSize = FrameSizeOf(fWindow, fMinContentSize);
        if (fMaxContentSize[0] > 0 && fMaxContentSize[1] > 0)
            limits->ptMaxTrackSize = FrameSizeOf(fWindow, fMaxContentSize);
        return 0;
    }
    return CNativeWindow::HandleMessage(message, wParam, lParam);
}

u32 CModalDialog::GetProperties(NSTrellis::TModalDialogProperties* properties)
{
    return AnswerStatus(
        [&]
        {
            if (!properties)
                ThrowInvalidArgument();
            std::copy(std::begin(fMinContentSize), std::end(fMinContentSize), properties->fMinContentSize);
            std::copy(std::begin(fMaxContentSize), std::end(fMaxContentSize), properties->fMaxContentSize);
            ReadTitleAndFrame(fWindow, properties->fTitle, properties->fFrame);
            properties->fUnnamed2076 = fUnnamed2076;
            properties->fPlacement = fPlacement;
            return kTrellisOK;
        });
}

u32 CModalDialog::SetProperties(const NSTrellis::TModalDialogProperties* properties, u32 zero)
{
    return AnswerStatus(
        [&]
        {
            if (!properties || zero != 0)
                ThrowInvalidArgument();
            std::copy(std::begin(properties->fMinContentSize), std::end(properties->fMinContentSize),
                      fMinContentSize);
            std::copy(std::begin(properties->fMaxContentSize), std::end(properties->fMaxContentSize),
                      fMaxContentSize);
            fUnnamed2076 = properties->fUnnamed2076;
            fPlacement = properties->fPlacement;
            WriteTitleAndFrame(fWindow, properties->fTitle, properties->fFrame);
            return kTrellisOK;
        });
}

u32 CModalDialog::GetNativeWindow(INativeWindow** window)
{
    if (!window)
        return kTrellisInvalidArgument;
    *window = this;
    return kTrellisOK;
}

u32 CModalDialog::Close()
{
    DestroyWindow(fWindow); // the object goes with its window; Run returns
    return kTrellisOK;
}
} // namespace NSTrellisLibrary
