#pragma once
// The program's one document window: the source folder, the output file, the information of the
// package being prepared, the host-folder choice and, during a pack, its progress.
//
// A pack runs on the GUI thread inside RunPack; the pack's progress object lets the GUI library
// deliver events between items, so every handler here may run in the middle of a pack. While
// packing, the select buttons and the window's menu items are disabled and Stop stands where
// Create was; the handlers change nothing but the stop request then.
#include "dlls/sprocket/Sprocket.h"
#include "filelib/FileLibWrappers.h"
#include "gui/SprocketUtils.h"
#include "gui/Windows.h"
#include "packing/CreateWindowData.h"

#include <memory>

namespace NSFileLibSupport
{
class CRobustFileSpec;
}

namespace NSFerrant
{
class CBitmapView;
class CBorderStaticTextView;
class CDirectBitmapView;
class CSimpleColorView;
} // namespace NSFerrant

namespace NSVantleApp
{
struct TPackRequestWindow;

class CCreateWindow : public NSTrellisGlue::CABCDocumentWindow,
                      public NSSprocket::IPushButtonViewHandler,
                      public NSSprocket::IRadioButtonGroupViewHandler
{
public:
    CCreateWindow(NSTrellis::IDocumentWindow* native, const NSTextPackage::TUTF16String& title);
    ~CCreateWindow() override;

    // 1 from the start of a pack run to its end.
    bool IsPacking() const;

    // Each refreshes the window, also when it throws.
    void SetInputFolder(const NSFileLibSupport::TDirSpecPtr& folder);
    void SetOutputFolder(const NSFileLibSupport::TDirSpecPtr& folder);
    void SetOutputFile(const std::shared_ptr<NSFileLibSupport::CRobustFileSpec>& file);

    // The Create command: asks for what is missing, then packs; true when a pack ran.
    bool CreateVantle();

    // Escape presses Stop while packing; Enter and Return press Create when idle.
    bool OnKeyDown(const TKeyEvent& event) override;
    // Menu items 101 to 104 are enabled only when idle; 104 carries the warning choice's check.
    void UpdateMenus(NSTrellis::IMenuBar* menuBar) override;
    // Commands 101 to 106 are the window's, whatever their outcome.
    bool DoCommand(const NSTrellis::TCommandEvent& event) override;
    // During a pack the user is asked whether to stop it, and the window stays.
    void OnCloseRequest(u32 cause) override;
    // True when no pack runs; during a pack asks whether to stop it and answers false.
    bool MayClose();

    // The widget library's handlers; each answers success. Callback0 serves both interfaces.
    u32 Callback0() override;
    u32 Callback1(u32* out) override;
    u32 Callback1() override;
    u32 Pressed(NSSprocket::IPushButtonView* button) override;
    u32 SelectionChanged(NSSprocket::IRadioButtonGroupView* group, u16 selection) override;

private:
    friend struct TCreateWindowTestAccess;

    using TTextViewPtr = std::shared_ptr<NSFerrant::CBorderStaticTextView>;
    using TPushButtonPtr = NSSprocketUtils::TPushButtonPtr;
    using TSeparatorPtr = NSSprocketUtils::TSeparatorLinePtr;
    // Stores a chosen folder in the window data.
    using TFolderSetter = void (*)(CCreateWindowData& data, const NSFileLibSupport::TDirSpecPtr& folder);

    // Construction, placement and refresh (CreateWindow.cpp).
    void CreateViews();
    void Layout();
    void ResizeContent(float height);
    void UpdateControls();
    void ShowHostFolderChoice(u16 selection);

    // Commands and the pack run (CreateWindowCommands.cpp).
    bool SelectInputFolder();
    bool SelectOutputFolder();
    bool SelectHostFolder();
    // Lets the user choose a folder and stores it; false when they cancelled or a failure was
    // already reported.
    bool SelectFolder(u16 titleString, u32 chooserTag, TFolderSetter store);
    // Changes the window data and refreshes the window, also when the change fails.
    template <class TChange> void ChangeThenRefresh(TChange change);
    bool HostFolderNeedsChoosing() const;
    void RunPack();
    void EndPackRun();
    void AskStopPacking();
    void OnPushButtonPressed(NSSprocket::IPushButtonView* button);

    CCreateWindowData fData;
    u8 fPacking = 0;
    u8 fStopRequested = 0; // polled by the pack's progress object
    std::shared_ptr<NSFerrant::CSimpleColorView> fBackgroundView;
    TTextViewPtr fInputFolderLabel;
    TTextViewPtr fInputFolderView;
    TTextViewPtr fOutputFileLabel;
    TTextViewPtr fOutputFileView;
    TTextViewPtr fNameLabel;
    TTextViewPtr fNameView;
    TTextViewPtr fCommentsLabel;
    TTextViewPtr fCommentsView;
    TTextViewPtr fExternalVantlesLabel;
    TTextViewPtr fExternalVantlesView;
    TTextViewPtr fCopyrightLabel;
    TTextViewPtr fCopyrightView;
    TTextViewPtr fURLLabel;
    TTextViewPtr fURLView;
    TTextViewPtr fFileCountLabel;
    TTextViewPtr fFileCountView;
    TTextViewPtr fSplashLabel;
    std::shared_ptr<NSSprocket::IRadioButtonGroupView> fRadioButtonGroupView;
    TTextViewPtr fHostFolderLabel;
    TTextViewPtr fHostFolderView;
    std::shared_ptr<NSFerrant::CDirectBitmapView> fSplashView;
    std::shared_ptr<NSFerrant::CBitmapView> fSoundbankOkOrNotOkImage;
    TSeparatorPtr fInputSeparatorView;
    TSeparatorPtr fPhaseSeparatorView;
    TTextViewPtr fProgressTextView;
    NSSprocketUtils::TProgressViewPtr fProgressBarView;
    // Shown by the three select buttons; it outlives them.
    std::shared_ptr<NSTrellis::IIcon> fSelectButtonIcon;
    TPushButtonPtr fSelectInputDirButton;
    TPushButtonPtr fSelectOutputDirButton;
    TPushButtonPtr fSelectTessaroOrK42DirButton;
    TPushButtonPtr fCreateVantleButton;
    TPushButtonPtr fStopButton;
    TTextViewPtr fTimeRemainingView;
    // The Create button's frame as laid out, where Stop stands while packing.
    NSTrellisGlue::TViewFrame fCreateButtonFrame{};
    std::unique_ptr<TPackRequestWindow> fPackRequestWindow;
};
} // namespace NSVantleApp
