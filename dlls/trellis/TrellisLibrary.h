#pragma once
// The library's one interface object.
#include "dlls/trellis/PlatformServices.h"

namespace NSTrellisLibrary
{
class CTrellis final : public ITrellis
{
public:
    u32 Run(NSTrellis::ITrellisRunBehavior* application, const TTrellisStartupBlock* block) override;
    u32 GetRunBehavior(NSTrellis::ITrellisRunBehavior** application) override;
    u32 Quit() override;
    u32 CancelQuit() override;
    u32 CountDocumentWindows(u32* count) override;
    u32 GetScreens(TScreenList* list, u32 zero) override;
    u32 GetResourceText(const char* spec, NSTrellis::ITextGetter* getter) override;
    u32 GetEventStamp(u64* stamp) override;
    NSTrellis::IIcon* CreateIcon(u32 id, u32* status) override;
    NSTrellis::IIcon* CreateIconFromSpec(const char* spec, u32 zero, u32* status) override;
    u32 GetKeyboardState(TKeyboardState* state, INativeWindow* window) override;
    u32 ProcessEvents() override;
    u32 GetModifierSet(const u32* set, u64* mask) override;
    u32 MatchKeyEvent(const TKeyEvent* event, const TKeyEventTail* tail, const TKeyShortcut* shortcut,
                      u32* matches) override;
    u32 UpdateNow() override;
    NSTrellis::IDocumentWindow* OpenDocumentWindow(NSTrellis::IDocumentWindowCreator* creator,
                                                   INativeWindow* window, u32 one, u32* status) override;
    u32 GetDocumentWindows(NSTrellis::IDocumentWindowListGetter* getter) override;
    u32 RunModalDialog(NSTrellis::IModalDialogCreator* creator, INativeWindow* window, u32 one, u32 zero,
                       u32* status) override;
    u32 GetModalDialogs(NSTrellis::IModalDialogListGetter* getter) override;
    u32 RunAlert(INativeWindow* window, u32 appModal, const TAlertDescriptor* alert,
                 NSTrellis::IAlertListener* listener) override;
    NSTrellis::IView* CreateView(NSTrellis::IViewCreator* creator, NSTrellis::IView* parent, const char* name,
                                 u32* status) override;
    u32 InvalidateViewRect(NSTrellis::IView* view, const i32* rect) override;
    u32 RunDirectoryChooser(NSTrellis::IDirectoryChooserListener* listener, u32 tag, INativeWindow* window,
                            u32 appModal, const u16* title) override;
    u32 GetPlatformServices(IPlatformServices** services) override;
    u32 Release(u32 destroy) override;

private:
    CPlatformServices fPlatformServices;
};
} // namespace NSTrellisLibrary
