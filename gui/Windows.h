#pragma once
// Program windows over the GUI library's windows: the library makes a window, asks the program's
// creator for its behaviour and calls it from then on. The glue sizes and titles a new window,
// places a new modal dialog, and routes commands from a window to its focused view, that view's
// ancestors, the window and the application.
#include "dlls/trellis/Trellis.h"
#include "gui/ScreenPlacement.h"
#include "gui/View.h"

#include "base/LibraryStatusTables.h"
#include "base/UTF16String.h"

#include <memory>
#include <new>

namespace NSTrellisGlue
{
class CABCWindow
{
public:
    CABCWindow(const CABCWindow&) = delete;
    CABCWindow& operator=(const CABCWindow&) = delete;
    virtual ~CABCWindow();

    // Asks the library to close the window (a modal dialog's run ends).
    virtual void Close() = 0;
    // The library's window callbacks; only the defaults are relied on.
    virtual void WindowCallback2(u64 /*value1*/, u64 /*value2*/) {}
    virtual void WindowCallback3(u64 /*value1*/, u64 /*value2*/) {}
    virtual void WindowCallback4(bool /*flag*/) {}
    virtual bool OnKeyDown(const TKeyEvent& /*event*/) { return false; }
    virtual void WindowCallback6(bool /*flag*/) {}
    virtual void UpdateMenus(NSTrellis::IMenuBar* /*menuBar*/) {}
    virtual bool DoCommand(const NSTrellis::TCommandEvent& /*event*/) { return false; }
    virtual bool WindowCallback9() { return false; }
    // The user (or the quitting application, kCloseCauseQuit) asks the window to close.
    virtual void OnCloseRequest(u32 /*cause*/) { Close(); }

    // "Unknown IView instance" (std::range_error) when the content view is no program view.
    CABCView* GetContentView() const;
    CABCView* GetFocusedView() const;
    // Routes a command: the focused view and its ancestors, the window, the application; the
    // first that takes it ends the routing. Nothing when the window does not take commands now.
    void SendCommand(u32 commandId);

    INativeWindow* GetNativeWindow() const { return fNativeWindow; }

protected:
    explicit CABCWindow(INativeWindow* nativeWindow);

private:
    INativeWindow* fNativeWindow;
    std::shared_ptr<CABCView> fContentView;
};

// The library's behaviour callbacks of either window kind, forwarded to the window's operations.
// Callback 4's failure is answered as a status by document windows, through the responder by
// dialogs.
template <class TBehavior, bool kCallback4ThroughResponder>
class CABCWindowBehaviour : public CABCWindow, public TBehavior
{
public:
    u32 Callback0(u64 value1, u64 value2) final;
    u32 Callback1(u64 value1, u64 value2) final;
    u32 Callback2(i32 flag) final;
    u32 KeyDown(const TKeyEvent* event, u32* handled) final;
    u32 Callback4(i32 flag) final;
    u32 UpdateMenuBar(NSTrellis::IMenuBar* menuBar) final;
    u32 DoCommand(const NSTrellis::TCommandEvent* event, u32* handled) final;
    u32 Callback7(u32* out) final;
    u32 CloseRequested(u32 cause) final;
    // The memory came from Trellis_New (the creators').
    void Destroy() final;

    using CABCWindow::DoCommand;

protected:
    using CABCWindow::CABCWindow;
};

class CABCDocumentWindow : public CABCWindowBehaviour<NSTrellis::IDocumentWindowBehavior, false>
{
public:
    // Makes the content contentSize at the window's current top-left corner and sets the title,
    // cut after 1023 units.
    CABCDocumentWindow(NSTrellis::IDocumentWindow* native, const TIntSize& contentSize,
                       const NSTextPackage::TUTF16String& title);

    void Close() override;
    NSTrellis::IDocumentWindow* GetDocumentWindow() const { return fDocumentWindow; }

    // Makes the content contentSize; its top-left corner stays where it is.
    void SetContentSize(const TIntSize& contentSize);

private:
    NSTrellis::IDocumentWindow* fDocumentWindow;
};

class CABCModalDialog : public CABCWindowBehaviour<NSTrellis::IModalDialogBehavior, true>
{
public:
    // A dialog of fixed content size, centred over the frontmost dialog or window (or on the main
    // screen) and moved onto its screen.
    CABCModalDialog(NSTrellis::IModalDialog* native, const TIntSize& contentSize,
                    const NSTextPackage::TUTF16String& title);

    void Close() override;
    NSTrellis::IModalDialog* GetModalDialog() const { return fModalDialog; }

    // Fills the record's sizes, placement and frame.
    void PlaceInitially(const TIntSize& contentSize, const TIntSize& minContentSize,
                        const TIntSize& maxContentSize, NSTrellis::TModalDialogProperties& properties);

private:
    NSTrellis::IModalDialog* fModalDialog;
};

// Makes the window in the library's memory; a failure frees it and is answered as a status.
template <class TWindow, class TNative, class TData>
TWindow* CreateWindowBehaviour(TNative* native, TData& data, u32* status)
{
    void* memory = Trellis_New(sizeof(TWindow));
    try
    {
        if (!memory)
            throw std::bad_alloc();
        TWindow* window = new (memory) TWindow(native, data);
        *status = kTrellisOK;
        return window;
    }
    catch (...)
    {
        Trellis_Delete(memory);
        *status = TrellisStatusFromCurrentException();
        return nullptr;
    }
}

// Local objects of the code that opens a window: the library calls them once for the window's
// behaviour, built from the native window and the data.
template <class TWindow, class TData>
class CDocumentWindowCreator final : public NSTrellis::IDocumentWindowCreator
{
public:
    explicit CDocumentWindowCreator(TData& data) : fData(&data) {}
    NSTrellis::IDocumentWindowBehavior* Create(NSTrellis::IDocumentWindow* native, u32* status) override
    {
        fWindow = CreateWindowBehaviour<TWindow>(native, *fData, status);
        return fWindow;
    }

    TData* fData;
    TWindow* fWindow = nullptr;
};

template <class TWindow, class TData> class CModalDialogCreator final : public NSTrellis::IModalDialogCreator
{
public:
    explicit CModalDialogCreator(TData& data) : fData(&data) {}
    NSTrellis::IModalDialogBehavior* Create(NSTrellis::IModalDialog* native, u32* status) override
    {
        fWindow = CreateWindowBehaviour<TWindow>(native, *fData, status);
        return fWindow;
    }

    TData* fData;
    TWindow* fWindow = nullptr;
};
} // namespace NSTrellisGlue
