// The real GUI library running the program's glue on the test display: the run order, a failing
// start-up, a document window with a view that paints through the program's drawing, command
// routing from the menu, pending messages, a modal dialog and the quit. One document window and
// one dialog are shown: Wine without a window manager takes long to take each one down.
#include "base/LibraryStatusTables.h"
#include "base/Quorral.h"
#include "base/TextConversions.h"
#include "gui/CallbackFence.h"
#include "gui/Drawing.h"
#include "gui/MenuScript.h"
#include "gui/OpenWindows.h"
#include "gui/RunBehaviour.h"
#include "gui/TrellisInterface.h"
#include "gui/Windows.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

using NSTextPackage::TUTF16String;
using NSTrellisGlue::CABCView;

namespace
{
const NSFerrant::TResourceID kReference = NSFerrant::MakeMenuID(2);

std::vector<std::string> gLog;
std::function<void()> gInsideLoop;

void CheckOK(u32 status)
{
    ASSERT_EQ(status, kTrellisOK);
}

// Fills what it is asked to draw and notes the bounds of the update region.
class CPaintedView final : public CABCView
{
public:
    CPaintedView(const CABCView& parent, const NSTrellisGlue::TViewFrame& frame, const std::string& name)
        : CABCView(parent, frame, name), fName(name)
    {
    }
    void Draw(NSTrellis::INativeRegion* region) override
    {
        TDrawContext context(region);
        fBounds = GetDrawBounds(context);
        FillRect(context, fBounds, {255, 0, 0, 255});
        ++fDraws;
    }
    bool DoCommand(const NSTrellis::TCommandEvent& event) override
    {
        gLog.push_back(fName + " command " + std::to_string(event.fCommand));
        return false;
    }

    std::string fName;
    TRect fBounds{};
    int fDraws = 0;
};

struct TWindowData
{
    TIntSize fSize;
};

class CRunWindow final : public NSTrellisGlue::CABCDocumentWindow
{
public:
    CRunWindow(NSTrellis::IDocumentWindow* native, const TWindowData& data)
        : CABCDocumentWindow(native, data.fSize, NSTextPackage::UTF8ToUTF16("Run test"))
    {
        fOuter = NSTrellisGlue::MakeViewPtr(new CPaintedView(*GetContentView(), {10, 10, 210, 110}, "outer"));
        fInner = NSTrellisGlue::MakeViewPtr(new CPaintedView(*fOuter, {20, 20, 120, 70}, "inner"));
        fInstance = this;
    }
    ~CRunWindow() override
    {
        gLog.push_back("window destroyed");
        fInstance = nullptr;
    }
    bool DoCommand(const NSTrellis::TCommandEvent& event) override
    {
        gLog.push_back("window command " + std::to_string(event.fCommand));
        return false;
    }
    void UpdateMenus(NSTrellis::IMenuBar*) override { gLog.push_back("update menus"); }
    void OnCloseRequest(u32 cause) override
    {
        gLog.push_back("close request " + std::to_string(cause));
        Close();
    }

    static CRunWindow* fInstance;
    std::shared_ptr<CPaintedView> fOuter;
    std::shared_ptr<CPaintedView> fInner;
};
CRunWindow* CRunWindow::fInstance = nullptr;

class CRunDialog final : public NSTrellisGlue::CABCModalDialog
{
public:
    CRunDialog(NSTrellis::IModalDialog* native, const TWindowData& data)
        : CABCModalDialog(native, data.fSize, NSTextPackage::UTF8ToUTF16("Run dialog"))
    {
    }
};

class CRunApplication final : public NSTrellisGlue::CABCRunBehaviour
{
public:
    explicit CRunApplication(std::function<void()> startup = [] {}) : fStartup(std::move(startup)) {}
    ~CRunApplication() override { gLog.push_back("application destroyed"); }

private:
    void OnStartup() override
    {
        gLog.push_back("startup");
        fStartup();
    }
    void OnOpenDefaultWindow() override
    {
        gLog.push_back("default window");
        TWindowData data{{400, 300}};
        NSTrellisGlue::CDocumentWindowCreator<CRunWindow, TWindowData> creator(data);
        u32 status = kTrellisLogicError;
        GetTrellisInterface()->OpenDocumentWindow(&creator, nullptr, 1, &status);
        NSTrellisGlue::CheckTrellis(status);
        // The test runs inside the loop, from a timer.
        SetTimer(nullptr, 0, 0,
                 [](HWND, UINT, UINT_PTR timer, DWORD)
                 {
                     KillTimer(nullptr, timer);
                     gInsideLoop();
                 });
    }
    void OnSetUpMenus(NSTrellis::IMenuBar* bar) override
    {
        gLog.push_back("menus");
        std::vector<NSTrellis::TMenuItemData> items;
        TUTF16String title;
        NSMenuScript::BuildMenu(items, NSTextPackage::UTF8ToUTF16("2 {Vantle} ({Create} [id=103])"), 2, title,
                                kReference);
        NSTrellisGlue::CheckTrellis(bar->SetItems(NSTrellis::kProgramMenu, items.data(), items.size() * 576));
        NSTrellisGlue::CheckTrellis(bar->SetTitle(NSTrellis::kProgramMenu, title.c_str()));
    }
    bool DoCommand(const NSTrellis::TCommandEvent& event) override
    {
        gLog.push_back("application command " + std::to_string(event.fCommand));
        return true;
    }
    void OnBeginNativeDrawing(NSTrellis::INativeCanvas* canvas) override
    {
        NSTrellisUtils::PushCurrentCanvas(canvas);
    }
    void OnEndNativeDrawing(NSTrellis::INativeCanvas*) override { NSTrellisUtils::PopCurrentCanvas(); }
    void OnQuit() override { gLog.push_back("shutdown"); }

    std::function<void()> fStartup;
};

class TrellisRun : public ::testing::Test
{
protected:
    void SetUp() override
    {
        CreateTrellisInterface();
        gLog.clear();
        gInsideLoop = [] { FAIL() << "no test inside the loop"; };
    }
    void TearDown() override { ReleaseTrellisInterface(); }

    static u32 Run(CRunApplication* application)
    {
        TTrellisStartupBlock block{};
        const std::u16string about = u"About the run test...";
        std::memcpy(block.fAboutItem, about.c_str(), (about.size() + 1) * 2);
        block.fVersion = 1;
        return GetTrellisInterface()->Run(application, &block);
    }
};

TEST_F(TrellisRun, AFailingStartupEndsTheRunWithItsStatusUnchanged)
{
    auto* application = NSTrellisGlue::NewRunBehaviour<CRunApplication>(
        []
        {
            NSQuorral::ThrowException(NSQuorral::CThrowContext(NSQuorral::TThrowSite{})
                                      << NSQuorral::XSilentAbort(""));
        });
    const u32 status = Run(application);
    EXPECT_THROW(ThrowTrellisFailure(status), NSQuorral::XSilentAbort);
    EXPECT_EQ(gLog, (std::vector<std::string>{"startup", "application destroyed"}));
    // Outside a run there is nothing to quit.
    EXPECT_EQ(GetTrellisInterface()->Quit(), kTrellisIllegalCallSequence);
}

HWND FindView(HWND window, const char* name)
{
    struct TSearch
    {
        const char* fName;
        HWND fFound;
    } search{name, nullptr};
    EnumChildWindows(
        window,
        [](HWND child, LPARAM parameter) -> BOOL
        {
            auto* search = reinterpret_cast<TSearch*>(parameter);
            const auto* name = static_cast<const char*>(GetPropW(child, kViewNameProperty));
            if (name && std::strcmp(name, search->fName) == 0)
                search->fFound = child;
            return search->fFound == nullptr;
        },
        LPARAM(&search));
    return search.fFound;
}

LRESULT CALLBACK CountingProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_APP)
        gLog.push_back("posted " + std::to_string(wParam));
    return DefWindowProcW(window, message, wParam, lParam);
}

TEST_F(TrellisRun, TheApplicationRunsItsWindowsViewsMenusAndDialogsInOrder)
{
    gInsideLoop = []
    {
        ITrellis* trellis = GetTrellisInterface();
        CRunWindow* window = CRunWindow::fInstance;
        ASSERT_NE(window, nullptr);
        u32 count = 0;
        CheckOK(trellis->CountDocumentWindows(&count));
        EXPECT_EQ(count, 1u);
        const auto windows = NSTrellisUtils::GetDocumentWindows();
        ASSERT_EQ(windows.size(), 1u);
        HWND frame = nullptr;
        EnumThreadWindows(
            GetCurrentThreadId(),
            [](HWND candidate, LPARAM found) -> BOOL
            {
                if (GetPropW(candidate, L"Trellis.IDocumentWindow"))
                    *reinterpret_cast<HWND*>(found) = candidate;
                return TRUE;
            },
            LPARAM(&frame));
        ASSERT_NE(frame, nullptr);
        EXPECT_EQ(gLog, (std::vector<std::string>{"startup", "default window", "menus"}));

        // The content is the size asked for, whatever the frame adds; the menu bar is there.
        RECT client{};
        GetClientRect(frame, &client);
        EXPECT_EQ(client.right, 400);
        EXPECT_EQ(client.bottom, 300);
        HMENU menu = GetMenu(frame);
        ASSERT_NE(menu, nullptr);
        wchar_t menuTitle[32] = {};
        GetMenuStringW(menu, 0, menuTitle, 32, MF_BYPOSITION);
        EXPECT_STREQ(menuTitle, L"Vantle");
        EXPECT_EQ(GetMenuItemCount(menu), 3); // the program's menu, Edit and Help

        // Views are found by their names and nest as the program made them.
        HWND outer = FindView(frame, "outer");
        HWND inner = FindView(frame, "inner");
        ASSERT_NE(outer, nullptr);
        ASSERT_NE(inner, nullptr);
        EXPECT_EQ(GetParent(inner), outer);
        RECT innerRect{};
        GetWindowRect(inner, &innerRect);
        EXPECT_EQ(innerRect.right - innerRect.left, 100);

        // Painting now: the view draws what was invalidated, with the region's bounds in its
        // own coordinates, and its pixels show it.
        CheckOK(trellis->UpdateNow());
        const int draws = window->fInner->fDraws;
        window->fInner->InvalidateRect({30, 25, 50, 45}); // in the parent's coordinates
        CheckOK(trellis->UpdateNow());
        EXPECT_EQ(window->fInner->fDraws, draws + 1);
        EXPECT_EQ(window->fInner->fBounds.fLeft, 10);
        EXPECT_EQ(window->fInner->fBounds.fTop, 5);
        EXPECT_EQ(window->fInner->fBounds.fRight, 30);
        EXPECT_EQ(window->fInner->fBounds.fBottom, 25);
        HDC dc = GetDC(inner);
        EXPECT_EQ(GetPixel(dc, 15, 10), RGB(255, 0, 0));
        ReleaseDC(inner, dc);

        // Pending messages, paints included, are handled without waiting.
        WNDCLASSW counterClass{};
        counterClass.lpfnWndProc = CountingProcedure;
        counterClass.hInstance = GetModuleHandleW(nullptr);
        counterClass.lpszClassName = L"TrellisRunCounter";
        RegisterClassW(&counterClass);
        HWND counter = CreateWindowExW(0, L"TrellisRunCounter", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                       GetModuleHandleW(nullptr), nullptr);
        PostMessageW(counter, WM_APP, 1, 0);
        PostMessageW(counter, WM_APP, 2, 0);
        window->fOuter->Invalidate();
        const int outerDraws = window->fOuter->fDraws;
        gLog.clear();
        CheckOK(trellis->ProcessEvents());
        EXPECT_GT(window->fOuter->fDraws, outerDraws);
        EXPECT_EQ(gLog, (std::vector<std::string>{"posted 1", "posted 2"}));
        DestroyWindow(counter);

        // A menu command goes from the focused view through its parent and the window to the
        // application; the window updates its menus when they open.
        SetFocus(inner);
        gLog.clear();
        SendMessageW(frame, WM_INITMENU, WPARAM(menu), 0);
        SendMessageW(frame, WM_COMMAND, MAKEWPARAM(103, 0), 0);
        window->SendCommand(104);
        const std::vector<std::string> kRouting = {
            "update menus",       "inner command 103",       "outer command 103",
            "window command 103", "application command 103", "inner command 104",
            "outer command 104",  "window command 104",      "application command 104"};
        EXPECT_EQ(gLog, kRouting);

        // A modal dialog: centred over the window, the window takes no commands while it is up.
        SetTimer(
            nullptr, 0, 0,
            [](HWND, UINT, UINT_PTR timer, DWORD)
            {
                KillTimer(nullptr, timer);
                const auto dialogs = NSTrellisUtils::GetModalDialogs();
                ASSERT_EQ(dialogs.size(), 1u);
                u32 accepts = 9;
                CheckOK(CRunWindow::fInstance->GetNativeWindow()->AcceptsCommand(&accepts));
                EXPECT_EQ(accepts, 0u);
                NSTrellis::TModalDialogProperties dialog{};
                CheckOK(dialogs[0]->GetProperties(&dialog));
                NSTrellis::TDocumentWindowProperties document{};
                CheckOK(CRunWindow::fInstance->GetDocumentWindow()->GetProperties(&document));
                EXPECT_NEAR(dialog.fFrame[0] + dialog.fFrame[2], document.fFrame[0] + document.fFrame[2], 2);
                EXPECT_NEAR(dialog.fFrame[1] + dialog.fFrame[3], document.fFrame[1] + document.fFrame[3], 2);
                CheckOK(dialogs[0]->Close());
            });
        TWindowData data{{200, 100}};
        NSTrellisGlue::CModalDialogCreator<CRunDialog, TWindowData> creator(data);
        u32 status = kTrellisLogicError;
        CheckOK(trellis->RunModalDialog(&creator, nullptr, 1, 0, &status));
        EXPECT_EQ(status, kTrellisOK);
        EXPECT_TRUE(IsWindowEnabled(frame));

        // A quit taken back before the loop acts on it does not end the run; the next one does.
        gLog.clear();
        CheckOK(trellis->Quit());
        CheckOK(trellis->CancelQuit());
        SetTimer(nullptr, 0, 0,
                 [](HWND, UINT, UINT_PTR timer, DWORD)
                 {
                     KillTimer(nullptr, timer);
                     gLog.push_back("loop again");
                     CheckOK(GetTrellisInterface()->Quit());
                 });
    };
    const u32 status = Run(NSTrellisGlue::NewRunBehaviour<CRunApplication>());
    EXPECT_EQ(status, kTrellisOK);
    EXPECT_EQ(gLog, (std::vector<std::string>{"loop again", "close request 1", "window destroyed", "shutdown",
                                              "application destroyed"}));
    u32 count = 9;
    EXPECT_EQ(GetTrellisInterface()->CountDocumentWindows(&count), kTrellisOK);
    EXPECT_EQ(count, 0u);
}

} // namespace
