#pragma once
// The library's one interface object.
#include "dlls/trellis/PlatformServices.h"

namespace NSTrellisLibrary
{
class CTrellis final : public ITrellis
{
public:
    u32 GetScreens(TScreenList* list, u32 zero) override;
    u32 GetResourceText(const char* spec, NSTrellis::ITextGetter* getter) override;
    NSTrellis::IIcon* CreateIcon(u32 id, u32* status) override;
    NSTrellis::IIcon* CreateIconFromSpec(const char* spec, u32 zero, u32* status) override;
    u32 GetKeyboardState(TKeyboardState* state, INativeWindow* window) override;
    u32 GetModifierSet(const u32* set, u64* mask) override;
    u32 MatchKeyEvent(const TKeyEvent* event, const TKeyEventTail* tail, const TKeyShortcut* shortcut,
                      u32* matches) override;
    u32 UpdateNow() override;
    u32 GetDocumentWindows(NSTrellis::IDocumentWindowListGetter* getter) override;
    u32 GetModalDialogs(NSTrellis::IModalDialogListGetter* getter) override;
    u32 RunAlert(INativeWindow* window, u32 appModal, const TAlertDescriptor* alert,
                 NSTrellis::IAlertListener* listener) override;
    u32 RunDirectoryChooser(NSTrellis::IDirectoryChooserListener* listener, u32 tag, INativeWindow* window,
                            u32 appModal, const u16* title) override;
    u32 GetPlatformServices(IPlatformServices** services) override;
    u32 Release(u32 destroy) override;

private:
    CPlatformServices fPlatformServices;
};
} // namespace NSTrellisLibrary
