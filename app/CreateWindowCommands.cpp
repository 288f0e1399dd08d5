// What the main window does: its keys, menu commands and buttons, the folder choices, the Create
// command with its pack run, the Stop request and the closing of the window.
#include "app/CreateWindow.h"

#include "app/CreateWindowSupport.h"
#include "app/HostFolder.h"
#include "base/ExceptionResponder.h"
#include "base/Quorral.h"
#include "gui/Alerts.h"
#include "gui/BorderStaticTextView.h"
#include "gui/CallbackFence.h"
#include "gui/ControlRecords.h"
#include "gui/DirectoryChooser.h"
#include "gui/EditMenu.h"
#include "gui/KeyMatching.h"
#include "gui/TrellisInterface.h"
#include "packing/PackDriver.h"
#include "packing/VantlePackProgress.h"

#include <cstddef>
#include <cstring>
#include <vector>

namespace NSVantleApp
{
namespace
{
constexpr u32 kSelectInputFolderCommand = 101;
constexpr u32 kSelectOutputFolderCommand = 102;
constexpr u32 kCreateVantleCommand = 103;
constexpr u32 kWarnExternalReferencesCommand = 104;
// Commands the window takes without acting on them.
constexpr u32 kQuietCommand105 = 105;
constexpr u32 kQuietCommand106 = 106;

constexpr u16 kSelectSourceTitle = 2;
constexpr u16 kSelectDestinationTitle = 3;
constexpr u16 kStopPackAlert = 19;

constexpr u32 kKeypadEnterKey = 10;
constexpr u32 kReturnKey = 13;

// Answered 77 by the push-button handler's second slot.
constexpr u32 kPushButtonCallback1Answer = 77;

// Runs the choice and refreshes the window whatever happened. A choice that ends quietly (the
// user cancelled, or a failure was already reported) answers false; any other failure passes on.
template <class TChoice, class TRefresh> bool ChooseThenRefresh(TChoice choose, TRefresh refresh)
{
    bool chosen = false;
    try
    {
        chosen = choose();
    }
    catch (const NSQuorral::XSilentAbort&)
    {
    }
    catch (...)
    {
        refresh();
        throw;
    }
    refresh();
    return chosen;
}

// Sets or clears the flag of the first item of the command; an item that is not there is skipped.
void SetMenuItemFlag(std::vector<NSTrellis::TMenuItemData>& items, u32 command, u32 flag, bool set)
{
    for (NSTrellis::TMenuItemData& item : items)
    {
        if (item.fCommand != command)
            continue;
        item.fFlags = set ? item.fFlags | flag : item.fFlags & ~flag;
        return;
    }
}
} // namespace

bool CCreateWindow::OnKeyDown(const TKeyEvent& event)
{
    NSSprocket::IPushButtonView* button = nullptr;
    if (fPacking)
    {
        if (IsEscapeKeyEvent(event))
            button = fStopButton.get();
    }
    else if (DoesKeyEventMatch(event, kKeypadEnterKey, 0) || DoesKeyEventMatch(event, kReturnKey, 0))
        button = fCreateVantleButton.get();
    if (!button)
        return false;
    Pressed(button);
    return true;
}

void CCreateWindow::UpdateMenus(NSTrellis::IMenuBar* menuBar)
{
    const bool idle = fPacking == 0;
    if (!idle)
    {
        NSTrellis::TMenuBarProperties properties{};
        NSTrellisGlue::CheckTrellis(menuBar->GetProperties(&properties));
        // The eight bytes from offset 4 are cleared, whatever the library keeps there.
        std::memset(reinterpret_cast<u8*>(&properties) + offsetof(NSTrellis::TMenuBarProperties, fUnnamed4),
                    0, 8);
        NSTrellisGlue::CheckTrellis(menuBar->SetProperties(&properties));
    }
    std::vector<NSTrellis::TMenuItemData> items =
        NSSprocketUtils::GetMenuItems(menuBar, NSTrellis::kProgramMenu);
    SetMenuItemFlag(items, kWarnExternalReferencesCommand, NSTrellis::kMenuItemChecked,
                    fData.fWarnExternalReferences == 1);
    for (u32 command = kSelectInputFolderCommand; command <= kWarnExternalReferencesCommand; ++command)
        SetMenuItemFlag(items, command, NSTrellis::kMenuItemEnabled, idle);
    NSTrellisGlue::CheckTrellis(menuBar->SetItems(NSTrellis::kProgramMenu, items.data(),
                                                  u64(items.size()) * sizeof(NSTrellis::TMenuItemData)));
}

bool CCreateWindow::DoCommand(const NSTrellis::TCommandEvent& event)
{
    switch (event.fCommand)
    {
    case kSelectInputFolderCommand:
        SelectInputFolder();
        break;
    case kSelectOutputFolderCommand:
        SelectOutputFolder();
        break;
    case kCreateVantleCommand:
        CreateVantle();
        break;
    case kWarnExternalReferencesCommand:
        fData.fWarnExternalReferences = fData.fWarnExternalReferences == 1 ? 0 : 1;
        break;
    case kQuietCommand105:
    case kQuietCommand106:
        break;
    default:
        return false;
    }
    return true;
}

void CCreateWindow::OnCloseRequest(u32 /*cause*/)
{
    if (!MayClose())
        return;
    // The window and this object are gone once Close returns.
    Close();
    ITrellis* trellis = GetTrellisInterface();
    u32 count = 0;
    NSTrellisGlue::CheckTrellis(trellis->CountDocumentWindows(&count));
    if (count == 0)
        NSTrellisGlue::CheckTrellis(trellis->Quit());
}

bool CCreateWindow::MayClose()
{
    if (!fPacking)
        return true;
    AskStopPacking();
    return false;
}

u32 CCreateWindow::Callback0()
{
    return kTrellisOK;
}

u32 CCreateWindow::Callback1(u32* out)
{
    *out = kPushButtonCallback1Answer;
    return kTrellisOK;
}

u32 CCreateWindow::Callback1()
{
    return kTrellisOK;
}

u32 CCreateWindow::Pressed(NSSprocket::IPushButtonView* button)
{
    return NSTrellisGlue::AnswerThroughResponder([&] { OnPushButtonPressed(button); });
}

u32 CCreateWindow::SelectionChanged(NSSprocket::IRadioButtonGroupView* /*group*/, u16 selection)
{
    return NSTrellisGlue::AnswerThroughResponder(
        [&]
        {
            if (CPreferences* preferences = GetApplicationPreferences())
                preferences->fCustomHostFolder = selection == 1 ? 1 : 0;
            ShowHostFolderChoice(selection);
        });
}

void CCreateWindow::OnPushButtonPressed(NSSprocket::IPushButtonView* button)
{
    if (button == fCreateVantleButton.get())
        SendCommand(kCreateVantleCommand);
    else if (button == fStopButton.get())
        fStopRequested = 1;
    else if (button == fSelectInputDirButton.get())
        SelectInputFolder();
    else if (button == fSelectOutputDirButton.get())
        SelectOutputFolder();
    else if (button == fSelectTessaroOrK42DirButton.get())
        SelectHostFolder();
}

void CCreateWindow::AskStopPacking()
{
    if (!fPacking || fStopRequested)
        return;
    if (NSTrellisUtils::DoAlert(NSFerrant::MakeAlertID(kProgramStringTable, kStopPackAlert)) ==
        kAlertLastButton)
        fStopRequested = 1;
}

bool CCreateWindow::SelectInputFolder()
{
    return SelectFolder(kSelectSourceTitle, NSTrellisUtils::kInputFolderChooserTag,
                        &NSVantlePacking::SetInputDirectory);
}

bool CCreateWindow::SelectOutputFolder()
{
    return SelectFolder(kSelectDestinationTitle, NSTrellisUtils::kOutputFolderChooserTag,
                        &NSVantlePacking::SetOutputDirectory);
}

bool CCreateWindow::SelectFolder(u16 titleString, u32 chooserTag, TFolderSetter store)
{
    return ChooseThenRefresh(
        [&]
        {
            const NSFileLibSupport::TDirSpecPtr folder =
                NSTrellisUtils::DoBlockingAppModalDirectoryChooserDialog(GetProgramString(titleString), chooserTag);
            if (!folder)
                return false;
            store(fData, folder);
            return true;
        },
        [this] { UpdateControls(); });
}

bool CCreateWindow::SelectHostFolder()
{
    return ChooseThenRefresh(
        []
        {
            ChooseHostFolder();
            return true;
        },
        [this] { UpdateControls(); });
}

void CCreateWindow::SetInputFolder(const NSFileLibSupport::TDirSpecPtr& folder)
{
    ChangeThenRefresh([&] { NSVantlePacking::SetInputDirectory(fData, folder); });
}

void CCreateWindow::SetOutputFolder(const NSFileLibSupport::TDirSpecPtr& folder)
{
    ChangeThenRefresh([&] { NSVantlePacking::SetOutputDirectory(fData, folder); });
}

void CCreateWindow::SetOutputFile(const std::shared_ptr<NSFileLibSupport::CRobustFileSpec>& file)
{
    ChangeThenRefresh([&] { NSVantlePacking::SetOutputFile(fData, file); });
}

template <class TChange> void CCreateWindow::ChangeThenRefresh(TChange change)
{
    try
    {
        change();
    }
    catch (...)
    {
        UpdateControls();
        throw;
    }
    UpdateControls();
}

bool CCreateWindow::HostFolderNeedsChoosing() const
{
    const CPreferences* preferences = GetApplicationPreferences();
    return preferences && preferences->fCustomHostFolder &&
           ValidateHostFolder(preferences->GetHostFolder()).fStatus == kNoHostFolder;
}

bool CCreateWindow::CreateVantle()
{
    // Only one pack at a time: the commands stay reachable while a pack lets events run.
    if (fPacking)
        return false;
    bool ran = false;
    try
    {
        if (!fData.fInputFolder && !SelectInputFolder())
            return false;
        if (!fData.fOutputFile && !SelectOutputFolder())
            return false;
        if (HostFolderNeedsChoosing() && !SelectHostFolder())
            return false;
        RunPack();
        ran = true;
    }
    catch (const NSQuorral::XAbort&)
    {
    }
    catch (const NSQuorral::XSilentAbort&)
    {
    }
    UpdateControls();
    return ran;
}

void CCreateWindow::RunPack()
{
    NSVantlePacking::ResetVantleInfo(fData);
    fStopRequested = 0;
    fPacking = 1;
    try
    {
        UpdateControls();
        NSTrellisUtils::UpdateNow();
        // The pack keeps its own references: the window's data may change while it lets events run.
        const NSFileLibSupport::TDirSpecPtr input = fData.fInputFolder;
        const std::shared_ptr<NSFileLibSupport::CRobustFileSpec> output = fData.fOutputFile;
        {
            // The progress object lets events run until it is gone, its last time as it goes. The
            // window counts as packing until then: a close request handled there as idle would
            // destroy the window under the views the object still holds.
            NSVantlePacking::CVantlePackProgress progress(fData.fWarnExternalReferences, fNameView, fCommentsView,
                                                          fCopyrightView, fURLView, fSplashView, fFileCountView,
                                                          fExternalVantlesView, fProgressTextView,
                                                          fProgressBarView, fTimeRemainingView, &fStopRequested);
            NSVantlePacking::PackVantle(input, output, fData.fInfo, fData.fSplashImage,
                                        fData.fWarnExternalReferences, &progress);
        }
        fData.fExternalVantlesText = fExternalVantlesView->GetText();
        EndPackRun();
    }
    catch (const NSQuorral::XSilentAbort&)
    {
        EndPackRun();
    }
    catch (...)
    {
        EndPackRun();
        throw;
    }
}

void CCreateWindow::EndPackRun()
{
    fStopRequested = 0;
    fPacking = 0;
    UpdateControls();
    NSTrellisUtils::UpdateNow();
}
} // namespace NSVantleApp
