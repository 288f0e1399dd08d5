#pragma once
// What document windows and modal dialogs share: a top-level window with a content view that
// fills it, the program's behaviour, and the routing of commands and keys to it.
#include "base/LibraryStatusTables.h"
#include "dlls/trellis/NativeView.h"
#include "dlls/trellis/Trellis.h"

namespace NSTrellisLibrary
{
// Sent to a document window when the application quits: its behaviour is asked to close it.
constexpr UINT kQuitCloseMessage = WM_APP + 0x71;

class CNativeWindow : public INativeWindow
{
public:
    u32 GetFocusedView(NSTrellis::IView** view) override;
    u32 GetContentView(NSTrellis::IView** view) override;
    u32 AcceptsCommand(u32* accepts) override;
    u32 ContentRectFromFrame(const i32* frame, i32* content) override;
    u32 FrameRectFromContent(const i32* content, i32* frame) override;

    HWND GetWindow() const { return fWindow; }
    // The focused view, its ancestors, the window's behaviour, the application: the first that
    // takes the command ends it. Nothing while the window is disabled.
    void RouteCommand(u32 command);

protected:
    CNativeWindow() = default;
    virtual ~CNativeWindow() = default;
    CNativeWindow(const CNativeWindow&) = delete;
    CNativeWindow& operator=(const CNativeWindow&) = delete;

    // Makes the hidden window and its content view; the window carries object as property. On
    // failure the object is deleted and the failure thrown.
    void MakeWindow(DWORD style, DWORD exStyle, HWND owner, const wchar_t* property, void* object);
    // Asks the creator's callback for the behaviour; a failure destroys the window (and this).
    template <class TBehavior, class TCall> u32 AttachBehavior(TCall askCreator)
    {
        u32 status = kTrellisLogicError;
        TBehavior* behavior = askCreator(&status);
        if (!behavior || status != kTrellisOK)
        {
            if (behavior)
                behavior->Destroy();
            DestroyWindow(fWindow);
            return status == kTrellisOK ? kTrellisLogicError : status;
        }
        fBehavior = behavior;
        return kTrellisOK;
    }
    virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    HWND fWindow = nullptr;

private:
    static LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    bool KeyDown(WPARAM key);

    CNativeView* fContentView = nullptr;
    NSTrellis::IWindowBehavior* fBehavior = nullptr;
    const wchar_t* fProperty = nullptr;
    bool fMade = false;
};
} // namespace NSTrellisLibrary
