#include "gui/View.h"

#include "base/Throw.h"
#include "base/ThrowContext.h"
#include "gui/CallbackFence.h"
#include "gui/TrellisInterface.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cmath>
#include <cstring>
#include <map>
#include <stdexcept>

namespace NSTrellisGlue
{
namespace
{
// Native views to their program views; GUI thread only.
std::map<NSTrellis::IView*, CABCView*>& Registry()
{
    static std::map<NSTrellis::IView*, CABCView*> registry;
    return registry;
}

std::array<i32, 4> Truncated(const TViewFrame& frame)
{
    return {i32(frame[0]), i32(frame[1]), i32(frame[2]), i32(frame[3])};
}

// The frame as the library keeps it: truncated, never turned inside out.
std::array<i32, 4> OrderedFrame(const TViewFrame& frame)
{
    std::array<i32, 4> rect = Truncated(frame);
    rect[2] = std::max(rect[0], rect[2]);
    rect[3] = std::max(rect[1], rect[3]);
    return rect;
}

// The view under construction gets its proxy from here.
class CABCViewCreator final : public NSTrellis::IViewCreator
{
public:
    explicit CABCViewCreator(CABCView* view) : fView(view) {}

    NSTrellis::IViewBehavior* CreateBehavior(u32* status) override
    {
        *status = kTrellisLogicError;
        void* memory = Trellis_New(sizeof(CViewBehaviorProxy));
        if (!memory)
            return *status = kTrellisOutOfMemory, nullptr;
        fProxy = new (memory) CViewBehaviorProxy(fView);
        *status = kTrellisOK;
        return fProxy;
    }

    CABCView* fView;
    CViewBehaviorProxy* fProxy = nullptr;
};

// Out values start at 0 and become the view's answer; a bool as 1 or 0.
void SetOut(u32* out, bool answer)
{
    *out = answer ? 1 : 0;
}
} // namespace

// -- proxy --------------------------------------------------------------------------------------
// A view under construction (not yet live) gets no callbacks: they answer success with their out
// values 0.

u32 CViewBehaviorProxy::Draw(NSTrellis::INativeRegion* region)
{
    return AnswerStatusOf(
        [&]
        {
            if (fLive)
                fView->Draw(region);
        });
}

u32 CViewBehaviorProxy::Callback1(u64 value)
{
    return AnswerStatusOf(
        [&]
        {
            if (fLive)
                fView->ViewCallback2(value);
        });
}

u32 CViewBehaviorProxy::Callback2(u64 value1, u64 value2)
{
    return AnswerStatusOf(
        [&]
        {
            if (fLive)
                fView->ViewCallback3(value1, value2);
        });
}

u32 CViewBehaviorProxy::Callback3(i32 flag)
{
    return AnswerStatusOf(
        [&]
        {
            if (fLive)
                fView->ViewCallback4(flag != 0);
        });
}

u32 CViewBehaviorProxy::Callback4(i32 flag)
{
    return AnswerStatusOf(
        [&]
        {
            if (fLive && fView->GetProxy() == this)
                fView->ViewCallback5(flag != 0);
        });
}

u32 CViewBehaviorProxy::MouseDown(const NSTrellis::TMouseEvent* event, u32* handled)
{
    *handled = 0;
    return AnswerThroughResponder([&] { SetOut(handled, fLive && fView->OnMouseDown(*event)); },
                                  [&] { *handled = 1; });
}

u32 CViewBehaviorProxy::GetMouseRects(NSTrellis::IMouseRectReceiver* receiver)
{
    return AnswerStatusOf(
        [&]
        {
            if (!fLive)
                return;
            std::vector<i32> rects;
            for (const TViewFrame& frame : fView->GetMouseRects())
            {
                const std::array<i32, 4> rect = Truncated(frame);
                rects.insert(rects.end(), rect.begin(), rect.end());
            }
            CheckTrellis(receiver->SetMouseRects(rects.data(), u32(rects.size() / 4)));
        });
}

u32 CViewBehaviorProxy::Callback7(u64 value, u32* out)
{
    *out = 0;
    return AnswerThroughResponder([&] { SetOut(out, fLive && fView->ViewCallback8(value)); },
                                  [&] { *out = 1; });
}

u32 CViewBehaviorProxy::Callback8(u64 value1, u64 value2, u32* out)
{
    *out = 0;
    return AnswerThroughResponder([&] { SetOut(out, fLive && fView->ViewCallback9(value1, value2)); },
                                  [&] { *out = 1; });
}

u32 CViewBehaviorProxy::Callback9(u64 value1, u64 value2, u32* out)
{
    *out = 0;
    return AnswerStatusOf([&] { SetOut(out, fLive && fView->ViewCallback10(value1, value2)); });
}

u32 CViewBehaviorProxy::Callback10(i32 flag)
{
    return AnswerStatusOf(
        [&]
        {
            if (fLive)
                fView->ViewCallback11(flag != 0);
        });
}

u32 CViewBehaviorProxy::Callback11(u64 a, u64 b, u32* flag, u32* status)
{
    *flag = 0;
    *status = kTrellisOK;
    u32 value = 0;
    *status = AnswerStatusOf(
        [&]
        {
            if (fLive)
                SetOut(flag, fView->ViewCallback12(a, b, value));
        });
    return value;
}

u32 CViewBehaviorProxy::Callback12(u64 value1, u64 value2, u64 value3, u32 value4, u32* out)
{
    *out = 0;
    const u32 status =
        AnswerStatusOf([&] { SetOut(out, fLive && fView->ViewCallback13(value1, value2, value3, value4)); });
    if (status != kTrellisOK)
        *out = 1;
    return status;
}

u32 CViewBehaviorProxy::Callback13()
{
    return AnswerStatusOf(
        [&]
        {
            if (fLive)
                fView->ViewCallback14();
        });
}

u32 CViewBehaviorProxy::Callback14()
{
    return AnswerStatusOf(
        [&]
        {
            if (fLive)
                fView->ViewCallback15();
        });
}

// Writes its out value only with the view's answer.
u32 CViewBehaviorProxy::Callback15(u64 value1, u64 value2, u64 value3, u32* out)
{
    return AnswerStatusOf(
        [&]
        {
            if (fLive)
                SetOut(out, fView->ViewCallback16(value1, value2, value3));
        });
}

u32 CViewBehaviorProxy::Callback16(u64 value, u32* out)
{
    *out = 0;
    return AnswerThroughResponder([&] { SetOut(out, fLive && fView->ViewCallback17(value)); },
                                  [&] { *out = 1; });
}

u32 CViewBehaviorProxy::Callback17(u64 value)
{
    return AnswerStatusOf(
        [&]
        {
            if (fLive)
                fView->ViewCallback18(value);
        });
}

// Commands reach a view that has one even before it is live.
u32 CViewBehaviorProxy::DoCommand(const NSTrellis::TCommandEvent* event, u32* handled)
{
    *handled = 0;
    return AnswerThroughResponder([&] { SetOut(handled, fView && fView->DoCommand(*event)); },
                                  [&] { *handled = 1; });
}

// Writes its out value only with the view's answer.
u32 CViewBehaviorProxy::Callback19(u64* out)
{
    return AnswerStatusOf(
        [&]
        {
            if (fLive)
                *out = fView->ViewCallback20();
        });
}

void CViewBehaviorProxy::Destroy()
{
    this->~CViewBehaviorProxy();
    Trellis_Delete(this);
}

// -- view ---------------------------------------------------------------------------------------

CABCView::CABCView(const CABCView& parent, const TViewFrame& frame, const std::string& name)
{
    CABCViewCreator creator(this);
    u32 status = kTrellisLogicError;
    NSTrellis::IView* native =
        GetTrellisInterface()->CreateView(&creator, parent.fNative, name.c_str(), &status);
    CheckTrellis(status);
    fNative = native;
    fProxy = creator.fProxy;
    try
    {
        Registry()[fNative] = this;
        SetFrame(frame);
    }
    catch (...)
    {
        Registry().erase(fNative);
        fNative->Release();
        fNative = nullptr;
        fProxy = nullptr;
        throw;
    }
}

CABCView::CABCView(NSTrellis::IView* native) : fNative(native), fManaged(1)
{
    Registry()[fNative] = this;
}

CABCView::~CABCView()
{
    // A view never held by its shared pointer still owns its native view.
    if (fProxy && !fManaged)
        fNative->Release();
    Registry().erase(fNative);
    fProxy = nullptr;
    fNative = nullptr;
}

CABCView* CABCView::GetParent() const
{
    NSTrellis::IView* parent = nullptr;
    CheckTrellis(fNative->GetParent(&parent));
    return parent ? LookupView(parent) : nullptr;
}

NSTrellis::TViewProperties CABCView::ReadProperties() const
{
    NSTrellis::TViewProperties properties;
    std::memset(&properties, 0, sizeof(properties));
    CheckTrellis(fNative->GetProperties(&properties));
    return properties;
}

void CABCView::WriteProperties(const NSTrellis::TViewProperties& properties)
{
    CheckTrellis(fNative->SetProperties(&properties));
}

TViewFrame CABCView::GetFrame() const
{
    const NSTrellis::TViewProperties properties = ReadProperties();
    return {float(properties.fFrame[0]), float(properties.fFrame[1]), float(properties.fFrame[2]),
            float(properties.fFrame[3])};
}

TViewFrame CABCView::GetBounds() const
{
    const TViewFrame frame = GetFrame();
    return {0, 0, frame[2] - frame[0], frame[3] - frame[1]};
}

void CABCView::SetFrame(const TViewFrame& frame)
{
    const std::array<i32, 4> rect = OrderedFrame(frame);
    NSTrellis::TViewProperties properties = ReadProperties();
    if (std::equal(rect.begin(), rect.end(), properties.fFrame))
        return;
    std::copy(rect.begin(), rect.end(), properties.fFrame);
    WriteProperties(properties);
}

u32 CABCView::MoveTo(const TViewFrame& frame)
{
    const std::array<i32, 4> rect = OrderedFrame(frame);
    NSTrellis::TViewProperties properties = ReadProperties();
    i32* current = properties.fFrame;
    u32 result = kFrameUnchanged;
    if (rect[0] != current[0] || rect[1] != current[1])
    {
        const i32 dx = rect[0] - current[0];
        const i32 dy = rect[1] - current[1];
        CheckTrellis(fNative->MoveBy(dx, dy));
        current[0] += dx;
        current[2] += dx;
        current[1] += dy;
        current[3] += dy;
        result = kFrameMoved;
    }
    if (rect[2] != current[2] || rect[3] != current[3])
    {
        current[2] = rect[2];
        current[3] = rect[3];
        WriteProperties(properties);
        result = kFrameResized;
    }
    return result;
}

void CABCView::SetNativeAttribute(u32 value)
{
    NSTrellis::TViewProperties properties = ReadProperties();
    properties.fAttribute = value;
    WriteProperties(properties);
}

HWND CABCView::NativeWindow() const
{
    u64 handle = 0;
    CheckTrellis(fNative->GetNativeHandle(&handle));
    return reinterpret_cast<HWND>(static_cast<uintptr_t>(handle));
}

void CABCView::SendToBack()
{
    if (!SetWindowPos(NativeWindow(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE))
        NSQuorral::ThrowException(NSQuorral::CThrowContext(NSQuorral::TThrowSite{})
                                  << std::runtime_error("the view cannot be put behind its siblings"));
}

void CABCView::SetNativeText(const NSTextPackage::TUTF16String& text)
{
    if (const HWND window = NativeWindow())
        SetWindowTextW(window, NSTextPackage::AsWide(text));
}

void CABCView::Invalidate()
{
    InvalidateRect(GetFrame());
}

void CABCView::InvalidateRect(const TViewFrame& rect)
{
    const std::array<i32, 4> area = Truncated(rect);
    CheckTrellis(GetTrellisInterface()->InvalidateViewRect(fNative, area.data()));
}

void CABCView_Releaser::operator()(CABCView* view) const noexcept
{
    NSTrellis::IView* native = view->fNative;
    const bool hadProxy = view->fProxy != nullptr;
    const u32 detached = hadProxy ? native->DetachBehavior() : kTrellisOK;
    delete view;
    const u32 released = hadProxy ? native->Release() : kTrellisOK;
    // A deleter runs inside a shared pointer's destructor, where an exception would end the
    // program: the library's failure goes to the responder instead.
    AnswerThroughResponder(
        [&]
        {
            CheckTrellis(detached);
            CheckTrellis(released);
        });
}

std::shared_ptr<CABCView> WrapContentView(NSTrellis::IView* native)
{
    return std::shared_ptr<CABCView>(new CABCView(native), CABCView_Releaser());
}

CABCView* LookupView(NSTrellis::IView* native)
{
    const auto found = Registry().find(native);
    return found == Registry().end() ? nullptr : found->second;
}
} // namespace NSTrellisGlue
