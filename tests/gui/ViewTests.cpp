// Program views over stand-in native views: frames, the proxy's forwarding and exception
// policies, and the order in which a view goes.
#include "base/Quorral.h"
#include "gui/View.h"
#include "tests/gui/ViewDoubles.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>

using NSTrellisGlue::CABCView;
using NSTrellisGlue::TViewFrame;

namespace
{
// A view whose every forwarded operation counts and then runs the test's action.
class CProbeView final : public CABCView
{
public:
    CProbeView(const CABCView& parent, const TViewFrame& frame) : CABCView(parent, frame, "probe") {}
    ~CProbeView() override { fLog->push_back("view deleted"); }

    void Draw(NSTrellis::INativeRegion*) override { Act(); }
    bool OnMouseDown(const NSTrellis::TMouseEvent&) override { return Act(); }
    std::vector<TViewFrame> GetMouseRects() override
    {
        Act();
        return {{1.9f, 2.5f, 30.2f, 40.7f}, {-1.5f, 0, 5, 6}};
    }
    bool ViewCallback8(u64) override { return Act(); }
    bool ViewCallback10(u64, u64) override { return Act(); }
    bool ViewCallback13(u64, u64, u64, u32) override { return Act(); }
    bool DoCommand(const NSTrellis::TCommandEvent&) override { return Act(); }
    u64 ViewCallback20() override { return Act() ? 42 : 0; }

    bool Act()
    {
        ++fCalls;
        fAction();
        return fAnswer;
    }

    std::vector<std::string>* fLog = nullptr;
    std::function<void()> fAction = [] {};
    bool fAnswer = true;
    int fCalls = 0;
};

class CRoot final : public CABCView
{
public:
    explicit CRoot(NSTrellis::IView* native) : CABCView(native) {}
};

class CRectReceiver final : public NSTrellis::IMouseRectReceiver
{
public:
    u32 SetMouseRects(const i32* rects, u32 count) override
    {
        fRects.assign(rects, rects + 4 * count);
        return kTrellisOK;
    }
    std::vector<i32> fRects;
};

class ViewTest : public LibraryDoubleTest<CViewLibrary>
{
protected:
    ViewTest() : fRootNative(fTrellis.fLog, nullptr), fRoot(&fRootNative) {}

    CProbeView* MakeProbe(const TViewFrame& frame = {0, 0, 10, 10})
    {
        auto* view = new CProbeView(fRoot, frame);
        view->fLog = &fTrellis.fLog;
        return view;
    }
    CFakeView& NativeOf(const CABCView& view) { return *static_cast<CFakeView*>(view.GetNativeView()); }

    CFakeView fRootNative;
    CRoot fRoot;
};

TEST_F(ViewTest, FramesAreTruncatedAndOrderedAndWrittenOnlyWhenTheyChange)
{
    const auto view = NSTrellisGlue::MakeViewPtr(MakeProbe({10.9f, 5.2f, 3.0f, 8.7f}));
    CFakeView& native = NativeOf(*view);
    EXPECT_EQ(std::vector<i32>(native.fProperties.fFrame, native.fProperties.fFrame + 4),
              (std::vector<i32>{10, 5, 10, 8}));
    EXPECT_EQ(fTrellis.fNames, std::vector<std::string>{"probe"});

    fTrellis.fLog.clear();
    view->SetFrame({10.2f, 5.9f, 10, 8.1f});
    EXPECT_TRUE(fTrellis.fLog.empty());
    EXPECT_EQ(view->MoveTo({10, 5, 10, 8}), CABCView::kFrameUnchanged);
    EXPECT_TRUE(fTrellis.fLog.empty());
    EXPECT_EQ(view->MoveTo({20, 0, 20, 3}), CABCView::kFrameMoved);
    EXPECT_EQ(fTrellis.fLog, std::vector<std::string>{"move 10 -5"});
    fTrellis.fLog.clear();
    EXPECT_EQ(view->MoveTo({21, 0, 41, 30}), CABCView::kFrameResized);
    EXPECT_EQ(fTrellis.fLog, (std::vector<std::string>{"move 1 0", "set"}));
    EXPECT_EQ(view->GetFrame(), (TViewFrame{21, 0, 41, 30}));

    fTrellis.fLog.clear();
    view->SetNativeAttribute(NSTrellis::kViewAttributeProgram);
    EXPECT_EQ(native.fProperties.fAttribute, NSTrellis::kViewAttributeProgram);
    view->Invalidate();
    view->InvalidateRect({1.7f, 2.2f, 3.9f, -4.5f});
    EXPECT_EQ(fTrellis.fLog,
              (std::vector<std::string>{"set", "invalidate 21 0 41 30", "invalidate 1 2 3 -4"}));
}

TEST_F(ViewTest, AViewGoesDetachedDeletedAndReleasedInThatOrder)
{
    {
        const auto view = NSTrellisGlue::MakeViewPtr(MakeProbe());
        EXPECT_EQ(NSTrellisGlue::LookupView(view->GetNativeView()), view.get());
        EXPECT_EQ(view->GetParent(), &fRoot);
        fTrellis.fLog.clear();
    }
    EXPECT_EQ(fTrellis.fLog, (std::vector<std::string>{"detach", "view deleted", "release"}));
    EXPECT_EQ(NSTrellisGlue::LookupView(fTrellis.fViews.back().get()), nullptr);

    // Never held by a shared pointer: the destructor releases the native view.
    // A failing detach neither keeps the view nor its native view, and is reported.
    {
        const auto view = NSTrellisGlue::MakeViewPtr(MakeProbe());
        NativeOf(*view).fDetachStatus = kTrellisFormatViolation;
        fTrellis.fLog.clear();
    }
    EXPECT_EQ(fTrellis.fLog, (std::vector<std::string>{"detach", "view deleted", "release"}));
    EXPECT_EQ(fResponder.fResponses, 1);

    CProbeView* unheld = MakeProbe();
    fTrellis.fLog.clear();
    delete unheld;
    EXPECT_EQ(fTrellis.fLog, (std::vector<std::string>{"view deleted", "release"}));
    // The library's refusal to make the view is thrown; nothing is registered.
    fTrellis.fCreateStatus = kTrellisFormatViolation;
    EXPECT_THROW(MakeProbe(), NSQuorral::XFormatViolation);
}

TEST_F(ViewTest, AViewUnderConstructionGetsNoCallbacks)
{
    CProbeView* view = MakeProbe();
    NSTrellis::IViewBehavior* proxy = view->GetProxy();
    const NSTrellis::TMouseEvent mouse{};
    u32 out = 77;
    EXPECT_EQ(proxy->MouseDown(&mouse, &out), kTrellisOK);
    EXPECT_EQ(out, 0u);
    EXPECT_EQ(proxy->Draw(nullptr), kTrellisOK);
    u32 flag = 7, status = 7;
    EXPECT_EQ(proxy->Callback11(1, 2, &flag, &status), 0u);
    EXPECT_EQ(flag, 0u);
    EXPECT_EQ(status, kTrellisOK);
    EXPECT_EQ(view->fCalls, 0);
    // Commands reach it all the same.
    const NSTrellis::TCommandEvent command{NSTrellis::kCommandEventKind, 5, 0, 0, 0};
    EXPECT_EQ(proxy->DoCommand(&command, &out), kTrellisOK);
    EXPECT_EQ(out, 1u);
    EXPECT_EQ(view->fCalls, 1);
    const auto held = NSTrellisGlue::MakeViewPtr(view);
    EXPECT_EQ(proxy->Draw(nullptr), kTrellisOK);
    EXPECT_EQ(view->fCalls, 2);
}

TEST_F(ViewTest, TheProxyForwardsAndStopsEveryException)
{
    const auto view = NSTrellisGlue::MakeViewPtr(MakeProbe());
    NSTrellis::IViewBehavior* proxy = view->GetProxy();
    const NSTrellis::TMouseEvent mouse{};
    const NSTrellis::TCommandEvent command{NSTrellis::kCommandEventKind, 5, 0, 0, 0};

    // Answers pass through as out values.
    u32 out = 77;
    EXPECT_EQ(proxy->MouseDown(&mouse, &out), kTrellisOK);
    EXPECT_EQ(out, 1u);
    view->fAnswer = false;
    EXPECT_EQ(proxy->Callback7(0, &out), kTrellisOK);
    EXPECT_EQ(out, 0u);
    u64 value = 0;
    view->fAnswer = true;
    EXPECT_EQ(proxy->Callback19(&value), kTrellisOK);
    EXPECT_EQ(value, 42u);
    CRectReceiver receiver;
    EXPECT_EQ(proxy->GetMouseRects(&receiver), kTrellisOK);
    EXPECT_EQ(receiver.fRects, (std::vector<i32>{1, 2, 30, 40, -1, 0, 5, 6}));

    // A throwing view: the responder policy reports and says handled, the status policy answers
    // the exception's status.
    view->fAction = [] { throw std::invalid_argument(""); };
    struct Case
    {
        const char* name;
        std::function<u32(u32*)> call;
        u32 status;
        u32 out;
        int responses;
    };
    const Case kCases[] = {
        {"mouse down", [&](u32* o) { return proxy->MouseDown(&mouse, o); }, kTrellisOK, 1, 1},
        {"command", [&](u32* o) { return proxy->DoCommand(&command, o); }, kTrellisOK, 1, 1},
        {"callback 7", [&](u32* o) { return proxy->Callback7(0, o); }, kTrellisOK, 1, 1},
        {"callback 9", [&](u32* o) { return proxy->Callback9(0, 0, o); }, kTrellisInvalidArgument, 0, 0},
        {"callback 12", [&](u32* o) { return proxy->Callback12(0, 0, 0, 0, o); }, kTrellisInvalidArgument, 1,
         0},
        {"draw", [&](u32* o) { return *o = 0, proxy->Draw(nullptr); }, kTrellisInvalidArgument, 0, 0},
        {"mouse rects", [&](u32* o) { return *o = 0, proxy->GetMouseRects(&receiver); },
         kTrellisInvalidArgument, 0, 0},
    };
    for (const Case& c : kCases)
    {
        const int before = fResponder.fResponses;
        u32 caseOut = 77;
        EXPECT_EQ(c.call(&caseOut), c.status) << c.name;
        EXPECT_EQ(caseOut, c.out) << c.name;
        EXPECT_EQ(fResponder.fResponses - before, c.responses) << c.name;
    }
    // Callback 19 writes its value only with the view's answer.
    value = 99;
    EXPECT_EQ(proxy->Callback19(&value), kTrellisInvalidArgument);
    EXPECT_EQ(value, 99u);
}
} // namespace
