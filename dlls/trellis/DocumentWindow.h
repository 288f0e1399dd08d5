#pragma once
// A document window: an overlapped window with the application's menu bar, open until the
// program closes it.
#include "dlls/trellis/NativeWindow.h"

namespace NSTrellisLibrary
{
class CDocumentWindow final : public CNativeWindow, public NSTrellis::IDocumentWindow
{
public:
    // Makes the window, asks the creator for its behaviour and shows it; a failure of the creator
    // is thrown as its status and leaves no window.
    static CDocumentWindow* Open(NSTrellis::IDocumentWindowCreator* creator);

    u32 GetProperties(NSTrellis::TDocumentWindowProperties* properties) override;
    u32 SetProperties(const NSTrellis::TDocumentWindowProperties* properties, u32 zero) override;
    u32 GetNativeWindow(INativeWindow** window) override;
    u32 Close() override;

private:
    CDocumentWindow() = default;
};
} // namespace NSTrellisLibrary
