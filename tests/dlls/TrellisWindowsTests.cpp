// Our Trellis library's windows and views through its DLL boundary: the arguments it refuses and
// a creator's failure, which leaves no window behind. Nothing here is shown.
#include "base/LibraryStatusTables.h"
#include "dlls/trellis/Trellis.h"
#include "tests/dlls/TrellisLibraryTest.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace
{
using TrellisWindows = TrellisLibraryTest;

class CFailingCreator final : public NSTrellis::IDocumentWindowCreator, public NSTrellis::IModalDialogCreator
{
public:
    NSTrellis::IDocumentWindowBehavior* Create(NSTrellis::IDocumentWindow* window, u32* status) override
    {
        EXPECT_NE(window, nullptr);
        ++fCalls;
        *status = kTrellisFormatViolation;
        return nullptr;
    }
    NSTrellis::IModalDialogBehavior* Create(NSTrellis::IModalDialog* dialog, u32* status) override
    {
        EXPECT_NE(dialog, nullptr);
        ++fCalls;
        *status = kTrellisFormatViolation;
        return nullptr;
    }
    int fCalls = 0;
};

// A window behaviour that breaks its contract: asked to close, it throws.
class CThrowingBehavior final : public NSTrellis::IDocumentWindowBehavior,
                                public NSTrellis::IDocumentWindowCreator
{
public:
    NSTrellis::IDocumentWindowBehavior* Create(NSTrellis::IDocumentWindow*, u32* status) override
    {
        *status = kTrellisOK;
        return this;
    }
    u32 Callback0(u64, u64) override { return kTrellisOK; }
    u32 Callback1(u64, u64) override { return kTrellisOK; }
    u32 Callback2(i32) override { return kTrellisOK; }
    u32 KeyDown(const TKeyEvent*, u32*) override { return kTrellisOK; }
    u32 Callback4(i32) override { return kTrellisOK; }
    u32 UpdateMenuBar(NSTrellis::IMenuBar*) override { return kTrellisOK; }
    u32 DoCommand(const NSTrellis::TCommandEvent*, u32*) override { return kTrellisOK; }
    u32 Callback7(u32*) override { return kTrellisOK; }
    u32 CloseRequested(u32) override
    {
        ++fCloseRequests;
        throw std::runtime_error("close");
    }
    void Destroy() override { fDestroyed = true; }

    int fCloseRequests = 0;
    bool fDestroyed = false;
};

std::vector<HWND> ListLibraryWindows()
{
    std::vector<HWND> windows;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM list) -> BOOL
        {
            wchar_t name[64] = {};
            GetClassNameW(window, name, 64);
            if (std::wstring(name) == L"Trellis.Window")
                reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
            return TRUE;
        },
        LPARAM(&windows));
    return windows;
}

int CountLibraryWindows()
{
    return int(ListLibraryWindows().size());
}

TEST_F(TrellisWindows, ACreatorsFailureIsTheOpeningsAndLeavesNoWindow)
{
    CFailingCreator creator;
    u32 status = 0;
    EXPECT_EQ(fTrellis->OpenDocumentWindow(&creator, nullptr, 1, &status), nullptr);
    EXPECT_EQ(status, kTrellisFormatViolation);
    EXPECT_EQ(fTrellis->RunModalDialog(&creator, nullptr, 1, 0, &status), kTrellisFormatViolation);
    EXPECT_EQ(status, kTrellisFormatViolation);
    EXPECT_EQ(creator.fCalls, 2);
    EXPECT_EQ(CountLibraryWindows(), 0);
    u32 count = 9;
    ASSERT_EQ(fTrellis->CountDocumentWindows(&count), kTrellisOK);
    EXPECT_EQ(count, 0u);
}

TEST_F(TrellisWindows, ArgumentsTheLibraryRefuses)
{
    CFailingCreator creator;
    u32 status = 0;
    INativeWindow* someWindow = reinterpret_cast<INativeWindow*>(&status);
    EXPECT_EQ(fTrellis->OpenDocumentWindow(&creator, someWindow, 1, &status), nullptr);
    EXPECT_EQ(status, kTrellisInvalidArgument);
    EXPECT_EQ(fTrellis->OpenDocumentWindow(&creator, nullptr, 0, &status), nullptr);
    EXPECT_EQ(status, kTrellisInvalidArgument);
    EXPECT_EQ(fTrellis->RunModalDialog(&creator, nullptr, 1, 1, &status), kTrellisInvalidArgument);
    EXPECT_EQ(fTrellis->OpenDocumentWindow(nullptr, nullptr, 1, &status), nullptr);
    EXPECT_EQ(status, kTrellisInvalidArgument);
    EXPECT_EQ(creator.fCalls, 0);
    EXPECT_EQ(fTrellis->CreateView(nullptr, nullptr, "name", &status), nullptr);
    EXPECT_EQ(status, kTrellisInvalidArgument);
    EXPECT_EQ(fTrellis->Run(nullptr, nullptr), kTrellisInvalidArgument);
    NSTrellis::ITrellisRunBehavior* application = reinterpret_cast<NSTrellis::ITrellisRunBehavior*>(1);
    ASSERT_EQ(fTrellis->GetRunBehavior(&application), kTrellisOK);
    EXPECT_EQ(application, nullptr); // no run
    EXPECT_EQ(fTrellis->Quit(), kTrellisIllegalCallSequence);
}

TEST_F(TrellisWindows, AFailureInsideTheWindowProcedureStaysInTheLibrary)
{
    CThrowingBehavior behavior;
    u32 status = 0;
    ASSERT_NE(fTrellis->OpenDocumentWindow(&behavior, nullptr, 1, &status), nullptr);
    ASSERT_EQ(status, kTrellisOK);
    const std::vector<HWND> windows = ListLibraryWindows();
    ASSERT_EQ(windows.size(), 1u);

    for (int i = 0; i < 2; ++i)
        EXPECT_NO_THROW(SendMessageW(windows[0], WM_CLOSE, 0, 0));
    EXPECT_EQ(behavior.fCloseRequests, 2) << "the window goes on hearing its messages";
    EXPECT_TRUE(IsWindow(windows[0])) << "a close that failed leaves the window open";

    DestroyWindow(windows[0]);
    EXPECT_TRUE(behavior.fDestroyed);
}

TEST_F(TrellisWindows, ProcessEventsHandlesWhatIsPendingAndReturns)
{
    static int handled = 0;
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = [](HWND window, UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT
    {
        if (message == WM_APP)
            ++handled;
        return DefWindowProcW(window, message, wParam, lParam);
    };
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"TrellisPendingCounter";
    RegisterClassW(&windowClass);
    HWND window = CreateWindowExW(0, L"TrellisPendingCounter", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    for (int i = 0; i < 3; ++i)
        PostMessageW(window, WM_APP, 0, 0);
    ASSERT_EQ(fTrellis->ProcessEvents(), kTrellisOK);
    EXPECT_EQ(handled, 3);
    ASSERT_EQ(fTrellis->ProcessEvents(), kTrellisOK); // nothing pending: returns at once
    EXPECT_EQ(handled, 3);
    DestroyWindow(window);
}
} // namespace
