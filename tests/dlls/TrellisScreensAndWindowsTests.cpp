// Our Trellis library's screens, keyboard state and lists of open windows, through its real DLL
// boundary on the test display.
#include "base/LibraryStatusTables.h"
#include "dlls/trellis/Trellis.h"
#include "tests/dlls/TrellisLibraryTest.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{
using TrellisDisplay = TrellisLibraryTest;

TEST_F(TrellisDisplay, ListsTheScreensWithTheMainOneMarked)
{
    TScreenList list{};
    list.fCount = 99;
    ASSERT_EQ(fTrellis->GetScreens(&list, 0), kTrellisOK);
    ASSERT_GE(list.fCount, 1u);
    ASSERT_LE(list.fCount, kMaxScreens);
    ASSERT_LT(list.fMainScreen, list.fCount);
    const TScreen& main = list.fScreens[list.fMainScreen];
    EXPECT_EQ(main.fBounds[0], 0);
    EXPECT_EQ(main.fBounds[1], 0);
    EXPECT_EQ(main.fBounds[2], GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(main.fBounds[3], GetSystemMetrics(SM_CYSCREEN));
    // The usable area lies inside the screen and is not empty.
    EXPECT_GE(main.fUsableArea[0], main.fBounds[0]);
    EXPECT_GE(main.fUsableArea[1], main.fBounds[1]);
    EXPECT_LE(main.fUsableArea[2], main.fBounds[2]);
    EXPECT_LE(main.fUsableArea[3], main.fBounds[3]);
    EXPECT_LT(main.fUsableArea[0], main.fUsableArea[2]);
    EXPECT_GE(main.fBitsPerPixel, 16u);
    EXPECT_NE(main.fDeviceName[0], 0);
    EXPECT_EQ(fTrellis->GetScreens(&list, 1), kTrellisInvalidArgument);
    EXPECT_EQ(fTrellis->GetScreens(nullptr, 0), kTrellisInvalidArgument);
}

TEST_F(TrellisDisplay, TheKeyboardStateHoldsTheCursorAndNoKeysHeld)
{
    SetCursorPos(40, 30);
    TKeyboardState state{};
    ASSERT_EQ(fTrellis->GetKeyboardState(&state, nullptr), kTrellisOK);
    EXPECT_EQ(state.fCursor[0], 40);
    EXPECT_EQ(state.fCursor[1], 30);
    EXPECT_EQ(state.fModifiers, 0u);
    EXPECT_EQ(state.fMouseButtons, 0u);
    EXPECT_EQ(fTrellis->GetKeyboardState(nullptr, nullptr), kTrellisInvalidArgument);
}

// Windows of the library carry their interface object as a property; these stand-ins carry a
// marker of their own.
class CWindowList final : public NSTrellis::IDocumentWindowListGetter, public NSTrellis::IModalDialogListGetter
{
public:
    u32 SetDocumentWindows(NSTrellis::IDocumentWindow* const* windows, u32 count) override
    {
        fFound.assign(windows, windows + count);
        ++fCalls;
        return fAnswer;
    }
    u32 SetModalDialogs(NSTrellis::IModalDialog* const* dialogs, u32 count) override
    {
        fFound.assign(dialogs, dialogs + count);
        ++fCalls;
        return fAnswer;
    }

    std::vector<void*> fFound;
    int fCalls = 0;
    u32 fAnswer = kTrellisOK;
};

HWND MakeTopLevelWindow(const wchar_t* property, void* object)
{
    HWND window = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, L"Static", L"", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    SetPropW(window, property, object);
    return window;
}

TEST_F(TrellisDisplay, ListsTheOpenWindowsOfEachKindFrontmostFirst)
{
    int markers[3] = {};
    // A window shown later lies in front.
    HWND back = MakeTopLevelWindow(L"Trellis.IDocumentWindow", &markers[0]);
    HWND front = MakeTopLevelWindow(L"Trellis.IDocumentWindow", &markers[1]);
    HWND dialog = MakeTopLevelWindow(L"Trellis.IModalDialog", &markers[2]);

    CWindowList list;
    ASSERT_EQ(fTrellis->GetDocumentWindows(&list), kTrellisOK);
    EXPECT_EQ(list.fFound, (std::vector<void*>{&markers[1], &markers[0]}));
    SetWindowPos(back, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ASSERT_EQ(fTrellis->GetDocumentWindows(&list), kTrellisOK);
    EXPECT_EQ(list.fFound, (std::vector<void*>{&markers[0], &markers[1]}));
    ASSERT_EQ(fTrellis->GetModalDialogs(&list), kTrellisOK);
    EXPECT_EQ(list.fFound, (std::vector<void*>{&markers[2]}));
    // The getter's failure is the operation's.
    list.fAnswer = kTrellisFormatViolation;
    EXPECT_EQ(fTrellis->GetModalDialogs(&list), kTrellisFormatViolation);
    EXPECT_EQ(list.fCalls, 4);

    // Wine without a window manager takes about 2 s to take each shown window down.
    for (HWND window : {back, front, dialog})
        DestroyWindow(window);
    list.fAnswer = kTrellisOK;
    ASSERT_EQ(fTrellis->GetDocumentWindows(&list), kTrellisOK);
    EXPECT_TRUE(list.fFound.empty());
}
TEST_F(TrellisDisplay, UpdateNowPaintsWhatWaitsWithoutTheMessageLoop)
{
    static int paints = 0;
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = [](HWND window, UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
        if (message == WM_PAINT)
            ++paints;
        return DefWindowProcW(window, message, wParam, lParam);
    };
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"TrellisPaintCounter";
    RegisterClassW(&windowClass);
    HWND window = CreateWindowExW(0, L"TrellisPaintCounter", L"", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr,
                                  nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_EQ(fTrellis->UpdateNow(), kTrellisOK);
    ValidateRect(window, nullptr);
    paints = 0;
    InvalidateRect(window, nullptr, FALSE);
    ASSERT_EQ(fTrellis->UpdateNow(), kTrellisOK);
    EXPECT_GE(paints, 1);
    DestroyWindow(window);
}
} // namespace
