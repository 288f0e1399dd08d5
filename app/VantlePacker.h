#pragma once
// The program's one application object: the GUI library's run calls it back for start-up, quit,
// the default window, opened files, menus and commands; it owns the services that live as long
// as the run and is the program's bitmap fetcher and exception responder.
#include "base/ExceptionResponder.h"
#include "filelib/FileLibWrappers.h"
#include "gui/BitmapService.h"
#include "gui/RunBehaviour.h"

#include <memory>

class CItemDatabase;
class CKIVLibraryUse;
class CScreenInfo;

namespace NSFerrant
{
class CBitmapCache;
}

namespace NSVirtualFS
{
class CContentItemClassesInUse;
}

namespace NSVantleApp
{
class CCreateWindow;
class CPreferences;

class CVantlePacker final : public NSTrellisGlue::CABCRunBehaviour,
                            public NSFerrant::IBitmapFetcher,
                            public NSQuorral::IExceptionResponder
{
public:
    CVantlePacker();

    // Set by the main window while it exists, null otherwise.
    CCreateWindow* GetMainWindow() const;
    void SetMainWindow(CCreateWindow* window);

    // Null before start-up has made them.
    CPreferences* GetPreferences() const;

    // A pack asked for from outside the program: false while a pack runs (nothing changes) or
    // when the Create command started none; a failure is shown through the exception responder,
    // as the window's command shows it. Never throws.
    bool RunRequestedPack(NSFileLibSupport::TDirSpecPtr input, NSFileLibSupport::TDirSpecPtr output);

    // The bitmap cache and the bitmap service for the desktop's screen: the first step of
    // start-up, and all that a test of a view needs.
    void StartBitmapService();

    // Start-up's loading of the preferences, and a test's own in their place; a previous one is
    // destroyed.
    void ReplacePreferences(std::unique_ptr<CPreferences> preferences);

    void ForgetBitmap(const NSFerrant::TImageID& id) override;
    void FetchBitmap(std::shared_ptr<NSFerrant::CABCImage>& out, const CScreenInfo* screen,
                     const NSFerrant::TImageID& id) override;

    // Never throw: what they cannot show is dropped.
    void RespondToException(const std::exception& exception) override;
    void RespondToUnknownException() override;

private:
    // The memory goes back through Destroy.
    ~CVantlePacker() override;

    void OnStartup() override;
    void OnQuit() override;
    void OnQuitRequested() override;
    void OnOpenDefaultWindow() override;
    // Ignored while a pack runs: the pack reads and writes what the file would change.
    void OnOpenFile(const char* url) override;
    void OnSetUpMenus(NSTrellis::IMenuBar* menuBar) override;
    bool DoCommand(const NSTrellis::TCommandEvent& event) override;
    void OnBeginNativeDrawing(NSTrellis::INativeCanvas* canvas) override;
    void OnEndNativeDrawing(NSTrellis::INativeCanvas* canvas) override;
    void OnReportStatus(u32 status) override;

    void StartServices();
    void RunInstallDutiesForStartup();
    // What start-up made, released in the reverse order; also after a partial start-up.
    void ReleaseRunResources();

    std::unique_ptr<NSFerrant::CBitmapCache> fBitmapCache;
    std::unique_ptr<CScreenInfo> fScreen; // of the bitmap service, while it is set
    CCreateWindow* fMainWindow = nullptr;
    std::unique_ptr<CKIVLibraryUse> fKIVLibraryUse;
    // The database makes packages, SoundFont banks and loop files browsable through these.
    std::unique_ptr<NSVirtualFS::CContentItemClassesInUse> fItemClasses;
    std::unique_ptr<CItemDatabase> fItemDatabase;
    std::unique_ptr<CPreferences> fPreferences;
};

// The running application object; null before it is built and after it is gone.
CVantlePacker* GetVantlePacker();

// The running application's preferences; null while there is none or before its start-up has
// made them.
inline CPreferences* GetApplicationPreferences()
{
    CVantlePacker* application = GetVantlePacker();
    return application ? application->GetPreferences() : nullptr;
}

// Opens the program's main window with the title.
CCreateWindow* OpenCreateWindow(const NSTextPackage::TUTF16String& title);
} // namespace NSVantleApp
