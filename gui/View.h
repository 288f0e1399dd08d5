#pragma once
// Program views: each is bound one-to-one to a native view of the GUI library, which calls it
// through a small behaviour proxy that the library owns. A program view lives in a shared
// pointer with CABCView_Releaser; its proxy forwards callbacks only from then on.
#include "base/UTF16String.h"
#include "dlls/trellis/Trellis.h"

#include <array>
#include <memory>
#include <string>
#include <vector>

namespace NSTrellisGlue
{
class CABCView;

// Frames are {left, top, right, bottom} in the parent's coordinates; the library keeps integers,
// to which floats are truncated toward zero.
using TViewFrame = std::array<float, 4>;

class CViewBehaviorProxy final : public NSTrellis::IViewBehavior
{
public:
    explicit CViewBehaviorProxy(CABCView* view) : fView(view) {}

    u32 Draw(NSTrellis::INativeRegion* region) override;
    u32 Callback1(u64 value) override;
    u32 Callback2(u64 value1, u64 value2) override;
    u32 Callback3(i32 flag) override;
    u32 Callback4(i32 flag) override;
    u32 MouseDown(const NSTrellis::TMouseEvent* event, u32* handled) override;
    u32 GetMouseRects(NSTrellis::IMouseRectReceiver* receiver) override;
    u32 Callback7(u64 value, u32* out) override;
    u32 Callback8(u64 value1, u64 value2, u32* out) override;
    u32 Callback9(u64 value1, u64 value2, u32* out) override;
    u32 Callback10(i32 flag) override;
    u32 Callback11(u64 a, u64 b, u32* flag, u32* status) override;
    u32 Callback12(u64 value1, u64 value2, u64 value3, u32 value4, u32* out) override;
    u32 Callback13() override;
    u32 Callback14() override;
    u32 Callback15(u64 value1, u64 value2, u64 value3, u32* out) override;
    u32 Callback16(u64 value, u32* out) override;
    u32 Callback17(u64 value) override;
    u32 DoCommand(const NSTrellis::TCommandEvent* event, u32* handled) override;
    u32 Callback19(u64* out) override;
    void Destroy() override;

    CABCView* fView;
    u8 fLive = 0; // 1 once the view is held by its shared pointer
};

class CABCView : public std::enable_shared_from_this<CABCView>
{
public:
    // Makes the native view inside the parent, named for finding it, with the frame set.
    CABCView(const CABCView& parent, const TViewFrame& frame, const std::string& name);
    virtual ~CABCView();
    CABCView(const CABCView&) = delete;
    CABCView& operator=(const CABCView&) = delete;

    // The library's callbacks, forwarded by the proxy; only the defaults below are relied on.
    virtual void Draw(NSTrellis::INativeRegion* /*region*/) {}
    virtual void ViewCallback2(u64 /*value*/) {}
    virtual void ViewCallback3(u64 /*value1*/, u64 /*value2*/) {}
    virtual void ViewCallback4(bool /*flag*/) {}
    virtual void ViewCallback5(bool /*flag*/) {}
    virtual bool OnMouseDown(const NSTrellis::TMouseEvent& /*event*/) { return false; }
    virtual std::vector<TViewFrame> GetMouseRects() { return {}; }
    virtual bool ViewCallback8(u64 /*value*/) { return false; }
    virtual bool ViewCallback9(u64 /*value1*/, u64 /*value2*/) { return false; }
    virtual bool ViewCallback10(u64 /*value1*/, u64 /*value2*/) { return false; }
    virtual void ViewCallback11(bool /*flag*/) {}
    // The answer is the value; *flag the bool.
    virtual bool ViewCallback12(u64 /*a*/, u64 /*b*/, u32& value) { return value = 0, false; }
    virtual bool ViewCallback13(u64 /*value1*/, u64 /*value2*/, u64 /*value3*/, u32 /*value4*/)
    {
        return false;
    }
    virtual void ViewCallback14() {}
    virtual void ViewCallback15() {}
    virtual bool ViewCallback16(u64 /*value1*/, u64 /*value2*/, u64 /*value3*/) { return false; }
    virtual bool ViewCallback17(u64 /*value*/) { return false; }
    virtual void ViewCallback18(u64 /*value*/) {}
    virtual bool DoCommand(const NSTrellis::TCommandEvent& /*event*/) { return false; }
    virtual u64 ViewCallback20() { return 0; }

    // The parent program view; null when the library gives none or it is no program view.
    CABCView* GetParent() const;
    TViewFrame GetFrame() const;
    // The view's own rectangle, {0, 0, width, height}: the library's canvas for the view's Draw
    // has its origin at the view's top-left corner.
    TViewFrame GetBounds() const;
    // Writes the truncated frame (right and bottom at least left and top) unless it is the same.
    void SetFrame(const TViewFrame& frame);
    // Moves and sizes the view; answers kFrameUnchanged, kFrameMoved or kFrameResized.
    u32 MoveTo(const TViewFrame& frame);
    void SetNativeAttribute(u32 value);
    // Puts the view behind its siblings: a backdrop made before them would otherwise cover them,
    // since the platform stacks each new view below those made earlier.
    void SendToBack();
    // The native view's window text, which the view does not show: what screen readers and other
    // processes read as the view's text. A view without a window keeps none.
    void SetNativeText(const NSTextPackage::TUTF16String& text);
    // Asks for the whole view, or a rectangle of it in its own coordinates, to be painted again.
    void Invalidate();
    void InvalidateRect(const TViewFrame& rect);

    NSTrellis::IView* GetNativeView() const { return fNative; }
    CViewBehaviorProxy* GetProxy() const { return fProxy; }

    static constexpr u32 kFrameUnchanged = 0;
    static constexpr u32 kFrameMoved = 1;
    static constexpr u32 kFrameResized = 2;

protected:
    // Wraps a native view this object did not make (a window's content view): no proxy.
    explicit CABCView(NSTrellis::IView* native);

private:
    friend struct CABCView_Releaser;
    template <class TView> friend std::shared_ptr<TView> MakeViewPtr(TView* view);
    friend std::shared_ptr<CABCView> WrapContentView(NSTrellis::IView* native);

    NSTrellis::TViewProperties ReadProperties() const;
    void WriteProperties(const NSTrellis::TViewProperties& properties);
    // The native view's window; null for a native view without one.
    HWND NativeWindow() const;

    CViewBehaviorProxy* fProxy = nullptr;
    NSTrellis::IView* fNative = nullptr;
    u8 fManaged = 0;
};

// The deleter of program views: detaches the proxy, deletes the view, releases the native view;
// all three happen, and a failure of the library is handed to the exception responder.
struct CABCView_Releaser
{
    void operator()(CABCView* view) const noexcept;
};

// Puts a newly made program view into its shared pointer and lets its proxy forward. When the
// pointer cannot be made, the shared pointer's constructor runs the releaser on the view and the
// failure goes on.
template <class TView> std::shared_ptr<TView> MakeViewPtr(TView* view)
{
    if (view->fProxy)
        view->fProxy->fLive = 1;
    view->fManaged = 1;
    return std::shared_ptr<TView>(view, CABCView_Releaser());
}

// A plain program view over a native view that the library made; it never releases it.
std::shared_ptr<CABCView> WrapContentView(NSTrellis::IView* native);

// The program view bound to a native view; null when there is none.
CABCView* LookupView(NSTrellis::IView* native);
} // namespace NSTrellisGlue
