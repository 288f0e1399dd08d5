#pragma once
// A stand-in for the GUI library's interface: every operation fails with 12004 (not built)
// until a test's derived double overrides the ones it needs.
#include "dlls/trellis/Trellis.h"

class CTrellisStub : public ITrellis
{
public:
    u32 GetScreens(TScreenList*, u32) override { return 12004; }
    u32 GetResourceText(const char*, NSTrellis::ITextGetter*) override { return 12004; }
    NSTrellis::IIcon* CreateIcon(u32, u32* status) override { return *status = 12004, nullptr; }
    NSTrellis::IIcon* CreateIconFromSpec(const char*, u32, u32* status) override { return *status = 12004, nullptr; }
    u32 GetKeyboardState(TKeyboardState*, INativeWindow*) override { return 12004; }
    u32 GetModifierSet(const u32*, u64*) override { return 12004; }
    u32 MatchKeyEvent(const TKeyEvent*, const TKeyEventTail*, const TKeyShortcut*, u32*) override { return 12004; }
    u32 UpdateNow() override { return 12004; }
    u32 GetDocumentWindows(NSTrellis::IDocumentWindowListGetter*) override { return 12004; }
    u32 GetModalDialogs(NSTrellis::IModalDialogListGetter*) override { return 12004; }
    u32 RunAlert(INativeWindow*, u32, const TAlertDescriptor*, NSTrellis::IAlertListener*) override { return 12004; }
    u32 RunDirectoryChooser(NSTrellis::IDirectoryChooserListener*, u32, INativeWindow*, u32, const u16*) override
    {
        return 12004;
    }
    u32 GetPlatformServices(IPlatformServices**) override { return 12004; }
    u32 Release(u32) override { return 12000; }
};
