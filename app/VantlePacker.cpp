#include "app/VantlePacker.h"

#include "app/AboutBox.h"
#include "app/ApplicationPathDuty.h"
#include "app/CreateWindow.h"
#include "app/ExceptionTexts.h"
#include "app/HostFolder.h"
#include "app/InstallDuties.h"
#include "app/Preferences.h"
#include "base/CodeModule.h"
#include "base/FileLibStatus.h"
#include "base/LibraryStatusTables.h"
#include "base/OpenWithShell.h"
#include "base/Quorral.h"
#include "base/ResourceID.h"
#include "content/folders/ContentItemClasses.h"
#include "content/vfs/ItemDatabase.h"
#include "filelib/ApplicationFolders.h"
#include "filelib/FileLibAccess.h"
#include "filelib/RobustFileSpec.h"
#include "gui/Alerts.h"
#include "gui/BitmapCache.h"
#include "gui/CallbackFence.h"
#include "gui/DecodeImageResource.h"
#include "gui/Drawing.h"
#include "gui/Menus.h"
#include "gui/ScreenInfo.h"
#include "gui/TrellisInterface.h"
#include "gui/TrellisUtils.h"
#include "media/codec/KIVLibrary.h"
#include "packing/ProgramStrings.h"

#include <vector>

using namespace NSQuorral;
using NSFileLibSupport::TDirSpecPtr;
using NSTextPackage::TUTF16String;
using NSTrellisGlue::CheckTrellis;

namespace NSVantleApp
{
namespace
{
constexpr u64 kBitmapCacheCapacity = 1500;
constexpr u32 kProgramMenu = 2;

constexpr u16 kHomePageAddress = 34;
constexpr u16 kSupportPageAddress = 35;
constexpr u16 kWebPageAlert = 22;
constexpr u16 kMainWindowTitle = 18;
constexpr u16 kInstallAlerts = 301;
constexpr u16 kNotAdministratorAlert = 1;

constexpr u32 kHomePageCommand = 800;
constexpr u32 kSupportPageCommand = 804;
constexpr u32 kAboutCommand = 50002;

CVantlePacker* gApplication = nullptr;

// Stands in once the application object is gone: a failure handed to a responder then has no one
// left to show it, and ending the process over it would lose what the run still has to do.
class CSilentResponder final : public IExceptionResponder
{
public:
    void RespondToException(const std::exception&) override {}
    void RespondToUnknownException() override {}
};

CSilentResponder gSilentResponder;

// The shell's "open" on the web address of the string entry; a failure is shown as an alert.
void OpenWebPage(u16 addressEntry)
{
    const TUTF16String address =
        NSVantlePacking::GetProgramString(addressEntry);
    if (!NSFerrant::OpenWithShell(address))
        NSTrellisUtils::DoAlert(NSFerrant::MakeAlertID(NSVantlePacking::kProgramStringTable, kWebPageAlert), address);
}
} // namespace

CVantlePacker::CVantlePacker()
{
    gApplication = this;
    SetExceptionResponder(this);
}

CVantlePacker::~CVantlePacker()
{
    gApplication = nullptr;
    SetExceptionResponder(&gSilentResponder);
    ReleaseRunResources();
}

CVantlePacker* GetVantlePacker()
{
    return gApplication;
}

CCreateWindow* CVantlePacker::GetMainWindow() const
{
    return fMainWindow;
}

void CVantlePacker::SetMainWindow(CCreateWindow* window)
{
    fMainWindow = window;
}

CPreferences* CVantlePacker::GetPreferences() const
{
    return fPreferences.get();
}

void CVantlePacker::ReplacePreferences(std::unique_ptr<CPreferences> preferences)
{
    fPreferences = std::move(preferences);
}

void CVantlePacker::OnStartup()
{
    try
    {
        StartServices();
    }
    catch (const std::runtime_error&)
    {
        // Shown here, so the run ends without a second report.
        RespondToCurrentException();
        Throw<XSilentAbort>();
    }
    catch (...)
    {
        ReleaseRunResources();
        throw;
    }
}

void CVantlePacker::StartBitmapService()
{
    fBitmapCache = std::make_unique<NSFerrant::CBitmapCache>(kBitmapCacheCapacity);
    fScreen = std::make_unique<CScreenInfo>();
    NSFerrant::SetBitmapService(this, fScreen.get());
}

void CVantlePacker::StartServices()
{
    StartBitmapService();
    RunInstallDutiesForStartup();

    try
    {
        fKIVLibraryUse = std::make_unique<CKIVLibraryUse>();
    }
    catch (...)
    {
        // The program runs without loop files; using one reports the missing library then.
    }

    fItemClasses = std::make_unique<NSVirtualFS::CContentItemClassesInUse>();
    fItemDatabase = std::make_unique<CItemDatabase>();
    gItemDatabase = fItemDatabase.get();

    ReplacePreferences(std::make_unique<CPreferences>(NSFileLibSupport::GetCompanyName()));
    MountHostFolder(*fPreferences, *fItemDatabase);
}

void CVantlePacker::RunInstallDutiesForStartup()
{
    const TInstallDutiesContext context{NSFerrant::GetCodeModuleName(),
                                        NSFerrant::MakeAlertID(kInstallAlerts, kNotAdministratorAlert),
                                        NSFerrant::TResourceID(), NSFerrant::TResourceID()};
    try
    {
        RunInstallDuties(context, {std::make_shared<CWinRegisterApplicationPath>()});
    }
    catch (const XAbort&)
    {
        // The user was told already; the start-up ends quietly.
        Throw<XSilentAbort>();
    }
}

void CVantlePacker::OnQuit()
{
    if (fPreferences)
        fPreferences->Save();
    ReleaseRunResources();
}

void CVantlePacker::ReleaseRunResources()
{
    if (gItemDatabase == fItemDatabase.get())
        gItemDatabase = nullptr;
    fItemDatabase.reset();
    fItemClasses.reset();
    fKIVLibraryUse.reset();
    if (fScreen)
        NSFerrant::SetBitmapService(nullptr, nullptr);
    fScreen.reset();
    if (fBitmapCache)
        fBitmapCache->Clear();
    fBitmapCache.reset();
}

void CVantlePacker::OnQuitRequested()
{
    // With the main window open, quitting is the window's own close handling.
    ITrellis* trellis = GetTrellisInterface();
    u32 count = 0;
    CheckTrellis(trellis->CountDocumentWindows(&count));
    if (count == 0)
        CheckTrellis(trellis->Quit());
}

void CVantlePacker::OnOpenDefaultWindow()
{
    OpenCreateWindow(
        NSVantlePacking::GetProgramString(kMainWindowTitle));
}

CCreateWindow* OpenCreateWindow(const TUTF16String& title)
{
    NSTrellisGlue::CDocumentWindowCreator<CCreateWindow, const TUTF16String> creator(title);
    u32 status = kTrellisLogicError; // until the library sets it
    GetTrellisInterface()->OpenDocumentWindow(&creator, nullptr, 1, &status);
    CheckTrellis(status);
    NSTrellisUtils::UpdateNow();
    return creator.fWindow;
}

void CVantlePacker::OnOpenFile(const char* url)
{
    if (!fMainWindow)
        OnOpenDefaultWindow();
    if (!fMainWindow || fMainWindow->IsPacking())
        return;
    u16 fileName[NSFileLib::kFileLibNameBufferUnits] = {};
    u32 status = NSFileLib::kFileLibNotSet;
    const TDirSpecPtr folder(NSFileLibSupport::GetFileLib()->InterpretURL(url, fileName, &status));
    NSFileLibSupport::ThrowIfFileLibError(status);
    if (fileName[0] != 0)
        fMainWindow->SetOutputFile(
            std::make_shared<NSFileLibSupport::CRobustFileSpec>(folder.get(), fileName));
    else
        fMainWindow->SetInputFolder(folder);
}

bool CVantlePacker::RunRequestedPack(TDirSpecPtr input, TDirSpecPtr output)
{
    if (!fMainWindow || fMainWindow->IsPacking())
        return false;
    try
    {
        fMainWindow->SetInputFolder(input);
        fMainWindow->SetOutputFolder(output);
        return fMainWindow->CreateVantle();
    }
    catch (...)
    {
        // Shown as the window's own Create command shows it, so that whoever asked for the pack
        // learns why none was made.
        RespondToCurrentException();
        return false;
    }
}

void CVantlePacker::OnSetUpMenus(NSTrellis::IMenuBar* menuBar)
{
    NSTrellis::TMenuBarProperties properties{};
    CheckTrellis(menuBar->GetProperties(&properties));
    properties.fVisible = 1;
    properties.fUnnamed4 = 1;
    properties.fUnnamed8 = 1;
    properties.fUnnamed16 = 1;
    CheckTrellis(menuBar->SetProperties(&properties));

    std::vector<NSTrellis::TMenuItemData> items;
    TUTF16String title;
    NSTrellisUtils::LoadMenu(items, title);
    CheckTrellis(
        menuBar->SetItems(kProgramMenu, items.data(), items.size() * sizeof(NSTrellis::TMenuItemData)));
    CheckTrellis(menuBar->SetTitle(kProgramMenu, title.c_str()));
}

bool CVantlePacker::DoCommand(const NSTrellis::TCommandEvent& event)
{
    switch (event.fCommand)
    {
    case kHomePageCommand:
        OpenWebPage(kHomePageAddress);
        return true;
    case kSupportPageCommand:
        OpenWebPage(kSupportPageAddress);
        return true;
    case kAboutCommand:
        ShowAboutBox();
        return true;
    default:
        return false;
    }
}

void CVantlePacker::OnBeginNativeDrawing(NSTrellis::INativeCanvas* canvas)
{
    NSTrellisUtils::PushCurrentCanvas(canvas);
}

void CVantlePacker::OnEndNativeDrawing(NSTrellis::INativeCanvas* /*canvas*/)
{
    NSTrellisUtils::PopCurrentCanvas();
}

void CVantlePacker::OnReportStatus(u32 status)
{
    if (status == kTrellisOK)
        return;
    try
    {
        ThrowTrellisFailure(status);
    }
    catch (...)
    {
        RespondToCurrentException();
    }
}

void CVantlePacker::ForgetBitmap(const NSFerrant::TImageID& id)
{
    if (fBitmapCache)
        fBitmapCache->Erase(id.fCacheID);
}

void CVantlePacker::FetchBitmap(std::shared_ptr<NSFerrant::CABCImage>& out, const CScreenInfo* screen,
                                const NSFerrant::TImageID& id)
{
    if (!fBitmapCache)
        Throw<XIllegalCallSequence>("No bitmap cache");
    NSFerrant::TImagePtr image;
    if (fBitmapCache->Find(id.fCacheID, image) && image)
    {
        out = image;
        return;
    }
    if (id.fKind == NSFerrant::kImageIDResource && id.fResource.fType == NSFerrant::GetPNGImageResourceType())
        image = NSFerrant::DecodeImageResource(*screen, id.fResource);
    fBitmapCache->Insert(image, id);
    out = image;
}

void CVantlePacker::RespondToException(const std::exception& exception)
{
    try
    {
        const TUTF16String text = DescribeException(exception);
        if (!text.empty())
            NSTrellisUtils::DoAlertText(text);
    }
    catch (...)
    {
    }
}

void CVantlePacker::RespondToUnknownException()
{
    try
    {
        NSTrellisUtils::DoAlertText(GetUnknownExceptionText());
    }
    catch (...)
    {
    }
}
} // namespace NSVantleApp
