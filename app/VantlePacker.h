#pragma once
// The program's one application object: the GUI library's run calls it back for start-up, quit,
// the default window, opened files, menus and commands; it owns the services that live as long
// as the run and is the program's bitmap fetcher and exception responder.
#include "base/ExceptionResponder.h"
#include "filelib/FileLibWrappers.h"
#include "gui/BitmapService.h"
#include "gui/RunBehaviour.h"

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
    // when the Create command started none; never throws.
    bool RunRequestedPack(NSFileLibSupport::TDirSpecPtr input, NSFileLibSupport::TDirSpecPtr output);
};

// The running application object; null before it is built and after it is gone.
CVantlePacker* GetVantlePacker();

// Opens the program's main window with the title.
CCreateWindow* OpenCreateWindow(const NSTextPackage::TUTF16String& title);
} // namespace NSVantleApp
