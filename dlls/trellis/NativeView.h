#pragma once
// Views: child windows of one window class, each with the behaviour the program gave it. A view
// paints through the program's behaviour between the application's BeginNativeDrawing and
// EndNativeDrawing, with the update region as a real region.
#include "dlls/trellis/Trellis.h"

#include <string>

namespace NSTrellisLibrary
{
class CNativeView final : public NSTrellis::IView
{
public:
    // A view inside parent (a view's window or a window's client area), at no size until it gets
    // a frame. A content view fills its window and goes only with it. The object lives until its
    // window is destroyed; the behaviour may be null (a content view has none).
    static CNativeView* Create(HWND parent, const std::string& name, NSTrellis::IViewBehavior* behavior,
                               bool isContentView);
    // The view of a window of this class; null for any other window.
    static CNativeView* FromWindow(HWND window);

    u32 GetNativeHandle(u64* handle) override;
    u32 GetParent(NSTrellis::IView** parent) override;
    u32 SetProperties(const NSTrellis::TViewProperties* properties) override;
    u32 GetProperties(NSTrellis::TViewProperties* properties) override;
    u32 MoveBy(i32 dx, i32 dy) override;
    u32 DetachBehavior() override;
    u32 Release() override;

    HWND GetWindow() const { return fWindow; }
    NSTrellis::IViewBehavior* GetBehavior() const { return fBehavior; }
    // The rectangle, in the parent's coordinates, painted again.
    void Invalidate(const i32* rect);

private:
    CNativeView(std::string name, NSTrellis::IViewBehavior* behavior, bool isContentView);
    ~CNativeView() = default;
    static LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void Paint();
    void MouseDown(UINT message, LPARAM lParam);
    void DestroyBehavior();

    HWND fWindow = nullptr;
    std::string fName;
    NSTrellis::IViewBehavior* fBehavior;
    const bool fIsContentView;
    u32 fAttribute = 0;
    bool fMade = false; // the window exists: the object goes with it
};
} // namespace NSTrellisLibrary
