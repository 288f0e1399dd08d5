// Real alerts and folder choosers of our Trellis library on the display (Xvfb in the test run):
// found by their title and answered with real mouse and keyboard input from a second thread,
// while the test's thread runs the modal loop. Nothing here depends on font sizes.
#include "base/LibraryStatusTables.h"
#include "dlls/trellis/Trellis.h"
#include "tests/dlls/TrellisLibraryTest.h"
#include "tests/support/DialogDriver.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <memory>
#include <string>

namespace
{
class CAnswerListener final : public NSTrellis::IAlertListener
{
public:
    u32 AlertClosed(u32 answer) override
    {
        fAnswer = answer;
        return kTrellisOK;
    }
    u32 fAnswer = 0;
};

std::unique_ptr<TAlertDescriptor> MakeAlert(const std::wstring& title, std::initializer_list<std::wstring> buttons)
{
    auto alert = std::make_unique<TAlertDescriptor>();
    std::memset(alert.get(), 0, sizeof(TAlertDescriptor));
    const u32 kOperations[] = {kAlertOneButton, kAlertTwoButtons, kAlertThreeButtons};
    alert->fOperation = kOperations[buttons.size() - 1];
    alert->fIcon = kAlertIconWarning;
    std::memcpy(alert->fTitle, title.c_str(), (title.size() + 1) * 2);
    const std::wstring message = L"The file \u201cSong.mid\u201d already exists.\rReplace it?";
    std::memcpy(alert->fMessage, message.c_str(), (message.size() + 1) * 2);
    int i = 0;
    for (const std::wstring& button : buttons)
        std::memcpy(alert->fButtons[i++], button.c_str(), (button.size() + 1) * 2);
    return alert;
}

class RealDialog : public TrellisLibraryTest
{
protected:
    // Runs the alert on this thread while answer() acts on its dialog from another; answers the
    // library's answer. A dialog the answering thread could not close is closed by it with the
    // last button, and the test fails.
    u32 RunAnswered(const TAlertDescriptor& alert, const std::function<void(HWND dialog)>& answer)
    {
        CAnswerListener listener;
        u32 status = 0;
        const std::string failure = RunAndAnswerDialog(
            reinterpret_cast<const wchar_t*>(alert.fTitle),
            [&] { status = fTrellis->RunAlert(nullptr, 1, &alert, &listener); }, answer, kAlertAnswerLastButton);
        EXPECT_EQ(failure, "");
        EXPECT_EQ(status, kTrellisOK);
        return listener.fAnswer;
    }
};

TEST_F(RealDialog, AlertIsFoundByItsTitleAndAnsweredByAClick)
{
    // The application's other windows take no input while the alert is up.
    HWND window = CreateWindowExW(0, L"Static", L"Application window", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200,
                                  100, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    const auto alert = MakeAlert(L"File already exists", {L"Cancel", L"Replace"});
    const u32 answer = RunAnswered(*alert, [window](HWND dialog) {
        EXPECT_FALSE(IsWindowEnabled(window));
        // The message and both buttons are there, the default button last.
        EXPECT_NE(FindWindowExW(dialog, nullptr, L"Static", nullptr), nullptr);
        HWND replace = FindWindowExW(dialog, nullptr, L"Button", L"Replace");
        HWND cancel = FindWindowExW(dialog, nullptr, L"Button", L"Cancel");
        ASSERT_NE(replace, nullptr);
        ASSERT_NE(cancel, nullptr);
        EXPECT_TRUE(GetWindowLongW(replace, GWL_STYLE) & BS_DEFPUSHBUTTON);
        RECT replaceRect{}, cancelRect{};
        GetWindowRect(replace, &replaceRect);
        GetWindowRect(cancel, &cancelRect);
        EXPECT_LT(cancelRect.left, replaceRect.left);
        ClickOn(cancel);
    });
    EXPECT_EQ(answer, kAlertAnswerNextToLastButton);
    EXPECT_TRUE(IsWindowEnabled(window));
    DestroyWindow(window);
}

TEST_F(RealDialog, AlertOfTwoButtonsIgnoresEscapeAndClosingAndHasNoCloseBox)
{
    const auto alert = MakeAlert(L"Two buttons", {L"Cancel", L"Replace"});
    const u32 answer = RunAnswered(*alert, [](HWND dialog) {
        EXPECT_FALSE(GetWindowLongW(dialog, GWL_STYLE) & WS_SYSMENU);
        // Handled in order: had either closed the alert, the click would answer nothing.
        PostMessageW(dialog, WM_CLOSE, 0, 0);
        PressKey(VK_ESCAPE);
        ClickOn(FindWindowExW(dialog, nullptr, L"Button", L"Cancel"));
    });
    EXPECT_EQ(answer, kAlertAnswerNextToLastButton);
}

TEST_F(RealDialog, AlertOfOneButtonClosesWithEscapeAndEnterChoosesTheLastButton)
{
    const auto one = MakeAlert(L"One button", {L"OK"});
    EXPECT_EQ(RunAnswered(*one, [](HWND dialog) {
                  EXPECT_TRUE(GetWindowLongW(dialog, GWL_STYLE) & WS_SYSMENU);
                  PressKey(VK_ESCAPE);
              }),
              kAlertAnswerLastButton);
    const auto three = MakeAlert(L"Three buttons", {L"A", L"B", L"C"});
    EXPECT_EQ(RunAnswered(*three, [](HWND) { PressKey(VK_RETURN); }), kAlertAnswerLastButton);
}
class CChooserListener final : public NSTrellis::IDirectoryChooserListener
{
public:
    u32 FolderChosen(const char* url) override
    {
        fURL = url;
        ++fCalls;
        return kTrellisOK;
    }
    u32 ChooserCancelled() override
    {
        fCancelled = true;
        ++fCalls;
        return kTrellisOK;
    }

    std::string fURL;
    bool fCancelled = false;
    int fCalls = 0;
};

TEST_F(RealDialog, FolderChooserShowsItsTitleAndCancelsWithEscape)
{
    CChooserListener listener;
    u32 status = 0;
    const std::wstring title = L"Select Input Folder";
    const std::string failure = RunAndAnswerDialog(
        title,
        [&] {
            status = fTrellis->RunDirectoryChooser(&listener, 0x56544944, nullptr, 1,
                                                   reinterpret_cast<const u16*>(title.c_str()));
        },
        [](HWND) { PressKey(VK_ESCAPE); }, IDCANCEL);
    EXPECT_EQ(failure, "");
    EXPECT_EQ(status, kTrellisOK);
    EXPECT_TRUE(listener.fCancelled);
    EXPECT_EQ(listener.fCalls, 1);
}
TEST_F(RealDialog, FolderChooserAnswersTheFolderAsAFileURL)
{
    // The temporary folder's long path ends in a backslash, as the answer does.
    wchar_t temp[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH + 1, temp);
    wchar_t folder[MAX_PATH + 1] = {};
    GetLongPathNameW(temp, folder, MAX_PATH + 1);
    CChooserListener listener;
    u32 status = 0;
    const std::wstring title = L"Select Output Folder";
    const std::string failure = RunAndAnswerDialog(
        title,
        [&] {
            status = fTrellis->RunDirectoryChooser(&listener, 0x56544F44, nullptr, 1,
                                                   reinterpret_cast<const u16*>(title.c_str()));
        },
        [&](HWND dialog) {
            // The folder typed into the dialog's name field, then Enter.
            HWND name = GetDlgItem(dialog, 0x480);
            ASSERT_NE(name, nullptr);
            SendMessageW(name, WM_SETTEXT, 0, LPARAM(folder));
            PressKey(VK_RETURN);
        },
        IDCANCEL);
    EXPECT_EQ(failure, "");
    EXPECT_EQ(status, kTrellisOK);
    char narrow[3 * MAX_PATH + 1] = {};
    WideCharToMultiByte(CP_UTF8, 0, folder, -1, narrow, sizeof(narrow), nullptr, nullptr);
    EXPECT_EQ(listener.fURL, std::string("file://") + narrow);
    EXPECT_EQ(listener.fURL.back(), '\\');
    EXPECT_FALSE(listener.fCancelled);
}
} // namespace
