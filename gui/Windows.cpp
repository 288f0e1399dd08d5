#include "gui/Windows.h"

#include "base/ThrowContext.h"
#include "gui/CallbackFence.h"
#include "gui/TrellisInterface.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace NSTrellisGlue
{
namespace
{
NSTrellis::IView* NativeContentView(INativeWindow* window)
{
    NSTrellis::IView* view = nullptr;
    CheckTrellis(window->GetContentView(&view));
    return view;
}

template <class TNative> INativeWindow* NativeWindowOf(TNative* native)
{
    INativeWindow* window = nullptr;
    CheckTrellis(native->GetNativeWindow(&window));
    return window;
}

template <class TProperties, class TNative> TProperties ReadWindowProperties(TNative* native)
{
    TProperties properties;
    std::memset(&properties, 0, sizeof(properties));
    CheckTrellis(native->GetProperties(&properties));
    return properties;
}

void CopyTitle(u16 (&target)[1024], const NSTextPackage::TUTF16String& title)
{
    const std::size_t length = std::min<std::size_t>(title.size(), 1023);
    std::copy_n(title.begin(), length, target);
    target[length] = 0;
}

TIntRect FrameFromContent(INativeWindow* window, const TIntRect& content)
{
    TIntRect frame{};
    CheckTrellis(window->FrameRectFromContent(&content.fLeft, &frame.fLeft));
    return frame;
}

// The frame of a content of that size at the frame's content corner.
void FitFrameToContent(INativeWindow* window, const TIntSize& contentSize, i32 (&frame)[4])
{
    TIntRect content{};
    CheckTrellis(window->ContentRectFromFrame(frame, &content.fLeft));
    content.fRight = content.fLeft + contentSize.fWidth;
    content.fBottom = content.fTop + contentSize.fHeight;
    CheckTrellis(window->FrameRectFromContent(&content.fLeft, frame));
}

TIntSize SizeOf(const TIntRect& rect)
{
    return {rect.fRight - rect.fLeft, rect.fBottom - rect.fTop};
}
} // namespace

CABCWindow::CABCWindow(INativeWindow* nativeWindow)
    : fNativeWindow(nativeWindow), fContentView(WrapContentView(NativeContentView(nativeWindow)))
{
}

CABCWindow::~CABCWindow() = default;

CABCView* CABCWindow::GetContentView() const
{
    CABCView* view = LookupView(NativeContentView(fNativeWindow));
    if (!view)
        NSQuorral::ThrowException(NSQuorral::CThrowContext(NSQuorral::TThrowSite{})
                                  << std::range_error("Unknown IView instance"));
    return view;
}

CABCView* CABCWindow::GetFocusedView() const
{
    NSTrellis::IView* view = nullptr;
    CheckTrellis(fNativeWindow->GetFocusedView(&view));
    return view ? LookupView(view) : nullptr;
}

void CABCWindow::SendCommand(u32 commandId)
{
    u32 accepts = 0;
    CheckTrellis(fNativeWindow->AcceptsCommand(&accepts));
    if (!accepts)
        return;
    ITrellis* trellis = GetTrellisInterface();
    TKeyboardState keyboard;
    std::memset(&keyboard, 0, sizeof(keyboard));
    CheckTrellis(trellis->GetKeyboardState(&keyboard, fNativeWindow));
    NSTrellis::TCommandEvent event{NSTrellis::kCommandEventKind, commandId, keyboard.fModifiers,
                                   keyboard.fMouseButtons, 0};
    CheckTrellis(trellis->GetEventStamp(&event.fStamp));

    for (CABCView* view = GetFocusedView(); view; view = view->GetParent())
    {
        if (view->DoCommand(event))
            return;
    }
    if (DoCommand(event))
        return;
    NSTrellis::ITrellisRunBehavior* application = nullptr;
    CheckTrellis(trellis->GetRunBehavior(&application));
    if (!application)
        return;
    u32 handled = 0;
    CheckTrellis(application->DoCommand(&event, &handled));
}

// -- behaviour callbacks ------------------------------------------------------------------------

template <class TBehavior, bool kCallback4ThroughResponder>
u32 CABCWindowBehaviour<TBehavior, kCallback4ThroughResponder>::Callback0(u64 value1, u64 value2)
{
    return AnswerThroughResponder([&] { WindowCallback2(value1, value2); });
}

template <class TBehavior, bool kCallback4ThroughResponder>
u32 CABCWindowBehaviour<TBehavior, kCallback4ThroughResponder>::Callback1(u64 value1, u64 value2)
{
    return AnswerThroughResponder([&] { WindowCallback3(value1, value2); });
}

template <class TBehavior, bool kCallback4ThroughResponder>
u32 CABCWindowBehaviour<TBehavior, kCallback4ThroughResponder>::Callback2(i32 flag)
{
    return AnswerThroughResponder([&] { WindowCallback4(flag != 0); });
}

template <class TBehavior, bool kCallback4ThroughResponder>
u32 CABCWindowBehaviour<TBehavior, kCallback4ThroughResponder>::KeyDown(const TKeyEvent* event, u32* handled)
{
    *handled = 0;
    return AnswerThroughResponder([&] { *handled = OnKeyDown(*event) ? 1 : 0; }, [&] { *handled = 1; });
}

template <class TBehavior, bool kCallback4ThroughResponder>
u32 CABCWindowBehaviour<TBehavior, kCallback4ThroughResponder>::Callback4(i32 flag)
{
    if constexpr (kCallback4ThroughResponder)
        return AnswerThroughResponder([&] { WindowCallback6(flag != 0); });
    else
        return AnswerStatusOf([&] { WindowCallback6(flag != 0); });
}

template <class TBehavior, bool kCallback4ThroughResponder>
u32 CABCWindowBehaviour<TBehavior, kCallback4ThroughResponder>::UpdateMenuBar(NSTrellis::IMenuBar* menuBar)
{
    return AnswerStatusOf([&] { UpdateMenus(menuBar); });
}

template <class TBehavior, bool kCallback4ThroughResponder>
u32 CABCWindowBehaviour<TBehavior, kCallback4ThroughResponder>::DoCommand(
    const NSTrellis::TCommandEvent* event, u32* handled)
{
    *handled = 0;
    return AnswerThroughResponder([&] { *handled = DoCommand(*event) ? 1 : 0; }, [&] { *handled = 1; });
}

template <class TBehavior, bool kCallback4ThroughResponder>
u32 CABCWindowBehaviour<TBehavior, kCallback4ThroughResponder>::Callback7(u32* out)
{
    *out = 0;
    return AnswerThroughResponder([&] { *out = WindowCallback9() ? 1 : 0; }, [&] { *out = 1; });
}

// A window that fails to answer a quit's close request keeps the application running.
template <class TBehavior, bool kCallback4ThroughResponder>
u32 CABCWindowBehaviour<TBehavior, kCallback4ThroughResponder>::CloseRequested(u32 cause)
{
    return AnswerThroughResponder([&] { OnCloseRequest(cause); },
                                  [&]
                                  {
                                      if (cause == NSTrellis::kCloseCauseQuit)
                                          GetTrellisInterface()->CancelQuit();
                                  });
}

template <class TBehavior, bool kCallback4ThroughResponder>
void CABCWindowBehaviour<TBehavior, kCallback4ThroughResponder>::Destroy()
{
    void* memory = dynamic_cast<void*>(this);
    this->~CABCWindowBehaviour();
    Trellis_Delete(memory);
}

template class CABCWindowBehaviour<NSTrellis::IDocumentWindowBehavior, false>;
template class CABCWindowBehaviour<NSTrellis::IModalDialogBehavior, true>;

// -- document windows and dialogs ---------------------------------------------------------------

CABCDocumentWindow::CABCDocumentWindow(NSTrellis::IDocumentWindow* native, const TIntSize& contentSize,
                                       const NSTextPackage::TUTF16String& title)
    : CABCWindowBehaviour(NativeWindowOf(native)), fDocumentWindow(native)
{
    auto properties = ReadWindowProperties<NSTrellis::TDocumentWindowProperties>(native);
    FitFrameToContent(GetNativeWindow(), contentSize, properties.fFrame);
    CopyTitle(properties.fTitle, title);
    CheckTrellis(native->SetProperties(&properties, 0));
}

void CABCDocumentWindow::SetContentSize(const TIntSize& contentSize)
{
    auto properties = ReadWindowProperties<NSTrellis::TDocumentWindowProperties>(fDocumentWindow);
    FitFrameToContent(GetNativeWindow(), contentSize, properties.fFrame);
    CheckTrellis(fDocumentWindow->SetProperties(&properties, 0));
}

void CABCDocumentWindow::Close()
{
    CheckTrellis(fDocumentWindow->Close());
}

CABCModalDialog::CABCModalDialog(NSTrellis::IModalDialog* native, const TIntSize& contentSize,
                                 const NSTextPackage::TUTF16String& title)
    : CABCWindowBehaviour(NativeWindowOf(native)), fModalDialog(native)
{
    auto properties = ReadWindowProperties<NSTrellis::TModalDialogProperties>(native);
    PlaceInitially(contentSize, contentSize, contentSize, properties);
    properties.fUnnamed2076 = 0;
    CopyTitle(properties.fTitle, title);
    CheckTrellis(native->SetProperties(&properties, 0));
}

void CABCModalDialog::Close()
{
    CheckTrellis(fModalDialog->Close());
}

void CABCModalDialog::PlaceInitially(const TIntSize& contentSize, const TIntSize& minContentSize,
                                     const TIntSize& maxContentSize,
                                     NSTrellis::TModalDialogProperties& properties)
{
    const TIntRect frame =
        FrameFromContent(GetNativeWindow(), {0, 0, contentSize.fWidth, contentSize.fHeight});
    const TIntSize frameSize = SizeOf(frame);
    TIntSize minFrameSize{0, 0};
    if (minContentSize.fWidth > 0 && minContentSize.fHeight > 0)
        minFrameSize = SizeOf(
            FrameFromContent(GetNativeWindow(), {0, 0, minContentSize.fWidth, minContentSize.fHeight}));

    const TIntRect reference = GetPlacementReferenceRect();
    const TIntSize referenceSize = SizeOf(reference);
    TIntRect placed{};
    placed.fLeft = reference.fLeft + (referenceSize.fWidth / 2 - frameSize.fWidth / 2);
    placed.fTop = reference.fTop + (referenceSize.fHeight / 2 - frameSize.fHeight / 2);
    placed.fRight = placed.fLeft + frameSize.fWidth;
    placed.fBottom = placed.fTop + frameSize.fHeight;
    placed = MoveRectOntoScreen(MoveRectOntoScreen(placed, frameSize), minFrameSize);

    properties.fMinContentSize[0] = minContentSize.fWidth;
    properties.fMinContentSize[1] = minContentSize.fHeight;
    properties.fMaxContentSize[0] = maxContentSize.fWidth;
    properties.fMaxContentSize[1] = maxContentSize.fHeight;
    properties.fPlacement = NSTrellis::kDialogPlacementGiven;
    properties.fFrame[0] = placed.fLeft;
    properties.fFrame[1] = placed.fTop;
    properties.fFrame[2] = placed.fRight;
    properties.fFrame[3] = placed.fBottom;
}
} // namespace NSTrellisGlue
