#pragma once
// A stand-in for the GUI library's interface: every operation fails with kTrellisLogicError (not built)
// until a test's derived double overrides the ones it needs.
#include "dlls/trellis/Trellis.h"

class CTrellisStub : public ITrellis
{
public:
    u32 Run(NSTrellis::ITrellisRunBehavior*, const TTrellisStartupBlock*) override
    {
        return kTrellisLogicError;
    }
    u32 GetRunBehavior(NSTrellis::ITrellisRunBehavior**) override { return kTrellisLogicError; }
    u32 Quit() override { return kTrellisLogicError; }
    u32 CancelQuit() override { return kTrellisLogicError; }
    u32 CountDocumentWindows(u32*) override { return kTrellisLogicError; }
    u32 GetScreens(TScreenList*, u32) override { return kTrellisLogicError; }
    u32 GetResourceText(const char*, NSTrellis::ITextGetter*) override { return kTrellisLogicError; }
    u32 GetEventStamp(u64*) override { return kTrellisLogicError; }
    NSTrellis::IIcon* CreateIcon(u32, u32* status) override { return *status = kTrellisLogicError, nullptr; }
    NSTrellis::IIcon* CreateIconFromSpec(const char*, u32, u32* status) override
    {
        return *status = kTrellisLogicError, nullptr;
    }
    u32 GetKeyboardState(TKeyboardState*, INativeWindow*) override { return kTrellisLogicError; }
    u32 ProcessEvents() override { return kTrellisLogicError; }
    u32 GetModifierSet(const u32*, u64*) override { return kTrellisLogicError; }
    u32 MatchKeyEvent(const TKeyEvent*, const TKeyEventTail*, const TKeyShortcut*, u32*) override
    {
        return kTrellisLogicError;
    }
    u32 UpdateNow() override { return kTrellisLogicError; }
    NSTrellis::IDocumentWindow* OpenDocumentWindow(NSTrellis::IDocumentWindowCreator*, INativeWindow*, u32,
                                                   u32* status) override
    {
        return *status = kTrellisLogicError, nullptr;
    }
    u32 GetDocumentWindows(NSTrellis::IDocumentWindowListGetter*) override { return kTrellisLogicError; }
    u32 RunModalDialog(NSTrellis::IModalDialogCreator*, INativeWindow*, u32, u32, u32* status) override
    {
        return *status = kTrellisLogicError;
    }
    u32 GetModalDialogs(NSTrellis::IModalDialogListGetter*) override { return kTrellisLogicError; }
    u32 RunAlert(INativeWindow*, u32, const TAlertDescriptor*, NSTrellis::IAlertListener*) override
    {
        return kTrellisLogicError;
    }
    NSTrellis::IView* CreateView(NSTrellis::IViewCreator*, NSTrellis::IView*, const char*,
                                 u32* status) override
    {
        return *status = kTrellisLogicError, nullptr;
    }
    u32 InvalidateViewRect(NSTrellis::IView*, const i32*) override { return kTrellisLogicError; }
    u32 RunDirectoryChooser(NSTrellis::IDirectoryChooserListener*, u32, INativeWindow*, u32,
                            const u16*) override
    {
        return kTrellisLogicError;
    }
    u32 GetPlatformServices(IPlatformServices**) override { return kTrellisLogicError; }
    u32 Release(u32) override { return kTrellisOK; }
};
