// Program windows over stand-in library windows: sizing and titles, the placement of dialogs on
// synthetic screens, the behaviour callbacks' exception policies and the routing of commands.
#include "base/Quorral.h"
#include "gui/RunBehaviour.h"
#include "gui/Windows.h"
#include "tests/gui/ViewDoubles.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <stdexcept>

using NSTextPackage::TUTF16String;
using NSTrellisGlue::CABCView;
using NSTrellisGlue::TViewFrame;

namespace
{
// The frame adds 8 pixels at the sides and the bottom and 30 at the top.
constexpr i32 kMargins[4] = {-8, -30, 8, 8};

class CFakeWindow final : public INativeWindow,
                          public NSTrellis::IDocumentWindow,
                          public NSTrellis::IModalDialog
{
public:
    explicit CFakeWindow(std::vector<std::string>& log) : fContent(log, nullptr) {}

    u32 GetFocusedView(NSTrellis::IView** view) override
    {
        *view = fFocused;
        return kTrellisOK;
    }
    u32 GetContentView(NSTrellis::IView** view) override
    {
        *view = &fContent;
        return kTrellisOK;
    }
    u32 AcceptsCommand(u32* accepts) override
    {
        *accepts = fAccepts;
        return kTrellisOK;
    }
    u32 ContentRectFromFrame(const i32* frame, i32* content) override
    {
        for (int i = 0; i < 4; ++i)
            content[i] = frame[i] - kMargins[i];
        return kTrellisOK;
    }
    u32 FrameRectFromContent(const i32* content, i32* frame) override
    {
        for (int i = 0; i < 4; ++i)
            frame[i] = content[i] + kMargins[i];
        return kTrellisOK;
    }
    u32 GetProperties(NSTrellis::TDocumentWindowProperties* properties) override
    {
        *properties = fDocument;
        return kTrellisOK;
    }
    u32 SetProperties(const NSTrellis::TDocumentWindowProperties* properties, u32) override
    {
        fDocument = *properties;
        return kTrellisOK;
    }
    u32 GetProperties(NSTrellis::TModalDialogProperties* properties) override
    {
        *properties = fDialog;
        return kTrellisOK;
    }
    u32 SetProperties(const NSTrellis::TModalDialogProperties* properties, u32) override
    {
        fDialog = *properties;
        return kTrellisOK;
    }
    u32 GetNativeWindow(INativeWindow** window) override
    {
        *window = this;
        return kTrellisOK;
    }
    u32 Close() override
    {
        ++fCloses;
        return kTrellisOK;
    }

    CFakeView fContent;
    NSTrellis::IView* fFocused = nullptr;
    u32 fAccepts = 1;
    NSTrellis::TDocumentWindowProperties fDocument{};
    NSTrellis::TModalDialogProperties fDialog{};
    int fCloses = 0;
};

// The application at the end of the routing.
class CApplication final : public NSTrellisGlue::CABCRunBehaviour
{
public:
    explicit CApplication(std::vector<std::string>& log) : fLog(log) {}
    bool DoCommand(const NSTrellis::TCommandEvent& event) override
    {
        fLog.push_back("application " + std::to_string(event.fCommand));
        return true;
    }
    std::vector<std::string>& fLog;
};

class CWindowLibrary final : public CViewLibrary
{
public:
    u32 GetKeyboardState(TKeyboardState* state, INativeWindow*) override
    {
        state->fModifiers = u32(kModifierShift);
        return kTrellisOK;
    }
    u32 GetEventStamp(u64* stamp) override
    {
        *stamp = 4242;
        return kTrellisOK;
    }
    u32 GetRunBehavior(NSTrellis::ITrellisRunBehavior** application) override
    {
        *application = &fApplication;
        return kTrellisOK;
    }
    u32 CancelQuit() override
    {
        fLog.push_back("cancel quit");
        return kTrellisOK;
    }
    u32 GetScreens(TScreenList* list, u32) override
    {
        *list = fScreens;
        return kTrellisOK;
    }
    u32 GetDocumentWindows(NSTrellis::IDocumentWindowListGetter* getter) override
    {
        return getter->SetDocumentWindows(nullptr, 0);
    }
    u32 GetModalDialogs(NSTrellis::IModalDialogListGetter* getter) override
    {
        return getter->SetModalDialogs(fOpenDialogs.data(), u32(fOpenDialogs.size()));
    }

    CApplication fApplication{fLog};
    TScreenList fScreens{};
    std::vector<NSTrellis::IModalDialog*> fOpenDialogs;
};

struct TWindowData
{
    TIntSize fContentSize;
    TUTF16String fTitle;
    bool fFail = false;
};

class CTestDocumentWindow final : public NSTrellisGlue::CABCDocumentWindow
{
public:
    CTestDocumentWindow(NSTrellis::IDocumentWindow* native, const TWindowData& data)
        : CABCDocumentWindow(native, data.fContentSize, data.fTitle)
    {
        if (data.fFail)
            throw std::invalid_argument("");
    }
    bool DoCommand(const NSTrellis::TCommandEvent& event) override
    {
        fLog->push_back("window " + std::to_string(event.fCommand));
        return fTakesCommands;
    }
    void WindowCallback6(bool) override { fAction(); }
    void OnCloseRequest(u32) override { fAction(); }

    std::vector<std::string>* fLog = nullptr;
    bool fTakesCommands = false;
    std::function<void()> fAction = [] {};
};

class CTestDialog final : public NSTrellisGlue::CABCModalDialog
{
public:
    CTestDialog(NSTrellis::IModalDialog* native, const TWindowData& data)
        : CABCModalDialog(native, data.fContentSize, data.fTitle)
    {
    }
    void WindowCallback6(bool) override { throw std::invalid_argument(""); }
};

// A view that records the commands it is asked, taking those the test names.
class CCommandView final : public CABCView
{
public:
    CCommandView(const CABCView& parent, std::string name, std::vector<std::string>& log)
        : CABCView(parent, {0, 0, 10, 10}, name), fName(std::move(name)), fLog(log)
    {
    }
    bool DoCommand(const NSTrellis::TCommandEvent& event) override
    {
        fLog.push_back(fName + " " + std::to_string(event.fCommand));
        EXPECT_EQ(event.fKind, NSTrellis::kCommandEventKind);
        EXPECT_EQ(event.fModifiers, u32(kModifierShift));
        EXPECT_EQ(event.fStamp, 4242u);
        return fTakes;
    }
    std::string fName;
    std::vector<std::string>& fLog;
    bool fTakes = false;
};

class WindowTest : public LibraryDoubleTest<CWindowLibrary>
{
protected:
    WindowTest() : fNative(fTrellis.fLog)
    {
        fNative.fDocument.fFrame[0] = 100;
        fNative.fDocument.fFrame[1] = 50;
        fNative.fDocument.fFrame[2] = 600;
        fNative.fDocument.fFrame[3] = 450;
    }
    ~WindowTest() override
    {
        if (fWindow)
            static_cast<NSTrellis::IDocumentWindowBehavior*>(fWindow)->Destroy();
    }

    CTestDocumentWindow* OpenWindow(TWindowData data)
    {
        NSTrellisGlue::CDocumentWindowCreator<CTestDocumentWindow, TWindowData> creator(data);
        u32 status = 0;
        NSTrellis::IDocumentWindowBehavior* behavior = creator.Create(&fNative, &status);
        EXPECT_EQ(behavior != nullptr, status == kTrellisOK);
        fWindow = creator.fWindow;
        if (fWindow)
            fWindow->fLog = &fTrellis.fLog;
        fStatus = status;
        return fWindow;
    }

    CFakeWindow fNative;
    CTestDocumentWindow* fWindow = nullptr;
    u32 fStatus = 0;
};

TEST_F(WindowTest, ADocumentWindowGetsItsContentSizeAtItsCornerAndItsTitleCut)
{
    const TUTF16String title(2000, u16('t'));
    ASSERT_NE(OpenWindow({{400, 300}, title}), nullptr);
    EXPECT_EQ(std::vector<i32>(fNative.fDocument.fFrame, fNative.fDocument.fFrame + 4),
              (std::vector<i32>{100, 50, 516, 388}));
    EXPECT_EQ(TUTF16String(fNative.fDocument.fTitle), TUTF16String(1023, u16('t')));
    EXPECT_EQ(fWindow->GetContentView(), NSTrellisGlue::LookupView(&fNative.fContent));
}

TEST_F(WindowTest, AFailingConstructorGivesNoWindowAndItsStatus)
{
    EXPECT_EQ(OpenWindow({{400, 300}, TUTF16String(), true}), nullptr);
    EXPECT_EQ(fStatus, kTrellisInvalidArgument);
    // Its wrapped content view went with it.
    EXPECT_EQ(NSTrellisGlue::LookupView(&fNative.fContent), nullptr);
}

TEST_F(WindowTest, CommandsGoFromTheFocusedViewUpToTheApplication)
{
    OpenWindow({{400, 300}, TUTF16String()});
    const auto outer =
        NSTrellisGlue::MakeViewPtr(new CCommandView(*fWindow->GetContentView(), "outer", fTrellis.fLog));
    const auto inner = NSTrellisGlue::MakeViewPtr(new CCommandView(*outer, "inner", fTrellis.fLog));
    fTrellis.fViews.back()->fParent = outer->GetNativeView();
    fNative.fFocused = inner->GetNativeView();
    fTrellis.fLog.clear();

    fWindow->SendCommand(103);
    EXPECT_EQ(fTrellis.fLog,
              (std::vector<std::string>{"inner 103", "outer 103", "window 103", "application 103"}));

    fTrellis.fLog.clear();
    outer->fTakes = true;
    fWindow->SendCommand(104);
    EXPECT_EQ(fTrellis.fLog, (std::vector<std::string>{"inner 104", "outer 104"}));

    fTrellis.fLog.clear();
    outer->fTakes = false;
    fWindow->fTakesCommands = true;
    fNative.fFocused = nullptr;
    fWindow->SendCommand(105);
    EXPECT_EQ(fTrellis.fLog, (std::vector<std::string>{"window 105"}));

    fTrellis.fLog.clear();
    fNative.fAccepts = 0;
    fWindow->SendCommand(106);
    EXPECT_TRUE(fTrellis.fLog.empty());
}

TEST_F(WindowTest, CallbackFailuresAreReportedOrAnsweredAsTheirKindAsks)
{
    OpenWindow({{400, 300}, TUTF16String()});
    NSTrellis::IDocumentWindowBehavior& behavior = *fWindow;
    fWindow->fAction = [] { throw std::invalid_argument(""); };
    // Callback 4 of a document window answers the status; of a dialog it goes to the responder.
    EXPECT_EQ(behavior.Callback4(1), kTrellisInvalidArgument);
    EXPECT_EQ(fResponder.fResponses, 0);

    // A failing close request of a quit takes the quit back, then reports.
    fTrellis.fLog.clear();
    EXPECT_EQ(behavior.CloseRequested(NSTrellis::kCloseCauseQuit), kTrellisOK);
    EXPECT_EQ(fTrellis.fLog, std::vector<std::string>{"cancel quit"});
    EXPECT_EQ(behavior.CloseRequested(NSTrellis::kCloseCauseUser), kTrellisOK);
    EXPECT_EQ(fTrellis.fLog.size(), 1u);
    EXPECT_EQ(fResponder.fResponses, 2);

    // The default close request closes the window.
    fWindow->fAction = [] {};
    const NSTrellis::TCommandEvent command{NSTrellis::kCommandEventKind, 1, 0, 0, 0};
    u32 handled = 9;
    fWindow->fTakesCommands = true;
    EXPECT_EQ(behavior.DoCommand(&command, &handled), kTrellisOK);
    EXPECT_EQ(handled, 1u);
    u32 out = 9;
    EXPECT_EQ(behavior.Callback7(&out), kTrellisOK);
    EXPECT_EQ(out, 0u);
}

class DialogTest : public WindowTest
{
protected:
    CTestDialog* RunDialog(TIntSize contentSize)
    {
        TWindowData data{contentSize, MakeTitle()};
        NSTrellisGlue::CModalDialogCreator<CTestDialog, TWindowData> creator(data);
        u32 status = 0;
        creator.Create(&fNative, &status);
        EXPECT_EQ(status, kTrellisOK);
        fDialogs.emplace_back(creator.fWindow);
        return creator.fWindow;
    }
    static TUTF16String MakeTitle() { return TUTF16String(3, u16('d')); }
    std::vector<i32> Frame() const
    {
        return std::vector<i32>(fNative.fDialog.fFrame, fNative.fDialog.fFrame + 4);
    }
    ~DialogTest() override
    {
        for (CTestDialog* dialog : fDialogs)
            static_cast<NSTrellis::IModalDialogBehavior*>(dialog)->Destroy();
    }

    std::vector<CTestDialog*> fDialogs;
};

TScreen ScreenOf(i32 left, i32 top, i32 right, i32 bottom)
{
    TScreen screen{};
    const i32 area[4] = {left, top, right, bottom};
    std::memcpy(screen.fUsableArea, area, sizeof(area));
    std::memcpy(screen.fBounds, area, sizeof(area));
    return screen;
}

TEST_F(DialogTest, ADialogIsCentredOnTheMainScreenOrOverTheFrontmostDialog)
{
    fTrellis.fScreens.fCount = 2;
    fTrellis.fScreens.fScreens[0] = ScreenOf(-1024, 0, 0, 768);
    fTrellis.fScreens.fScreens[1] = ScreenOf(0, 40, 1000, 740);
    fTrellis.fScreens.fMainScreen = 1;

    // Content 300 × 200 makes a frame of 316 × 238, centred on the main screen's usable area.
    RunDialog({300, 200});
    EXPECT_EQ(Frame(), (std::vector<i32>{342, 271, 658, 509}));
    EXPECT_EQ(fNative.fDialog.fPlacement, NSTrellis::kDialogPlacementGiven);
    EXPECT_EQ(fNative.fDialog.fMinContentSize[0], 300);
    EXPECT_EQ(fNative.fDialog.fMaxContentSize[1], 200);
    EXPECT_EQ(TUTF16String(fNative.fDialog.fTitle), MakeTitle());

    // Over a dialog near the left screen's edge: centred on it, then moved onto that screen.
    CFakeWindow open(fTrellis.fLog);
    const i32 openFrame[4] = {-1100, 100, -1000, 200};
    std::memcpy(open.fDialog.fFrame, openFrame, sizeof(openFrame));
    fTrellis.fOpenDialogs = {&open};
    RunDialog({300, 200});
    EXPECT_EQ(Frame(), (std::vector<i32>{-1024, 31, -708, 269}));

    // Larger than its screen: its frame keeps its size from its left and top edges.
    fTrellis.fOpenDialogs.clear();
    RunDialog({1200, 900});
    EXPECT_EQ(Frame()[0], 0);
    EXPECT_EQ(Frame()[1], 40);
    EXPECT_EQ(Frame()[2] - Frame()[0], 1216);
    EXPECT_EQ(Frame()[3] - Frame()[1], 938);

    // Callback 4 of a dialog goes to the responder.
    NSTrellis::IModalDialogBehavior& behavior = *fDialogs.front();
    EXPECT_EQ(behavior.Callback4(0), kTrellisOK);
    EXPECT_EQ(fResponder.fResponses, 1);
}
} // namespace
