#pragma once
// A hidden top-level window through which another process asks the running program to pack a
// folder (the message and request of app/PackRequestProtocol.h). The window never waits for
// bytes a pipe does not hold yet.
#include "app/PackRequestProtocol.h"
#include "app/VantlePacker.h"
#include "base/Types.h"
#include "base/UTF16String.h"
#include "filelib/FileLibWrappers.h"

#include <windows.h>

#include <functional>

namespace NSVantleApp
{
class CCreateWindow;

// Runs the pack of a request: true when a pack ran, whatever its outcome.
using TPackRequestRunner = std::function<bool(const NSFileLibSupport::TDirSpecPtr& input,
                                              const NSFileLibSupport::TDirSpecPtr& output)>;

// The application object's: false while a pack runs or when there is no application object.
inline bool RunRequestedPackOfApplication(const NSFileLibSupport::TDirSpecPtr& input,
                                          const NSFileLibSupport::TDirSpecPtr& output)
{
    CVantlePacker* application = GetVantlePacker();
    return application != nullptr && application->RunRequestedPack(input, output);
}

struct TPackRequestWindow
{
    ~TPackRequestWindow();

    CCreateWindow* fOwner = nullptr;
    u16 fClassAtom = 0;
    HWND fWindow = nullptr;
    // Who runs the packs the window is asked for.
    TPackRequestRunner fRunner;
};

// Registers the window class and makes the hidden window; the holder becomes the one the window
// procedure answers for. A failure (a std::exception) leaves nothing registered.
TPackRequestWindow* CreatePackRequestWindow(TPackRequestWindow* holder, CCreateWindow* owner,
                                            TPackRequestRunner runner = RunRequestedPackOfApplication);
// Destroys the window and unregisters its class; the window procedure answers for no holder.
void DestroyPackRequestWindow(TPackRequestWindow* holder);

// The window's procedure: the holder's messages, else DefWindowProcW. A failure (of the GUI
// library's quit) goes to the exception responder and never leaves the procedure.
LRESULT CALLBACK PackRequestWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// A pack request (with a handle) answered through the runner, or WM_CLOSE turned into the GUI
// library's quit; false for any other message, which is then not handled. Only the quit's
// failure is thrown.
bool HandlePackRequestMessage(HWND window, u32 message, WPARAM wParam, LPARAM lParam, LRESULT* result,
                              const TPackRequestRunner& runner);

// Reads one length-prefixed path of a request. Throws when the length is above
// kMaxPackRequestPathBytes, when the source holds fewer bytes than announced, when it is neither
// a file nor a pipe, or when the bytes are no text of the ANSI code page.
void ReadPackRequestString(NSTextPackage::TUTF16String& out, HANDLE source);
} // namespace NSVantleApp
