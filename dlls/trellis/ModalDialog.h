#pragma once
// A modal dialog: application-modal, run in a loop of its own until the program closes it.
#include "dlls/trellis/NativeWindow.h"

namespace NSTrellisLibrary
{
class CModalDialog final : public CNativeWindow, public NSTrellis::IModalDialog
{
public:
    // Makes the dialog, asks the creator for its behaviour, shows it and returns once it is
    // closed. A failure of the creator is thrown as its status and leaves no dialog.
    static void Run(NSTrellis::IModalDialogCreator* creator);

    u32 GetProperties(NSTrellis::TModalDialogProperties* properties) override;
    u32 SetProperties(const NSTrellis::TModalDialogProperties* properties, u32 zero) override;
    u32 GetNativeWindow(INativeWindow** window) override;
    u32 Close() override;

private:
    CModalDialog() = default;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    i32 fMinContentSize[2] = {};
    i32 fMaxContentSize[2] = {};
    u32 fUnnamed2076 = 0;
    u32 fPlacement = 0;
};
} // namespace NSTrellisLibrary
