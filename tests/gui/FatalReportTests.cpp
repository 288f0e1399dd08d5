// The fatal report: a real Windows message box on the test display, found by its caption, its
// text read and then closed.
#include "gui/FatalReport.h"
#include "tests/support/DialogDriver.h"

#include <gtest/gtest.h>

#include <string>

namespace
{
// The message of a message box: the one static control with text.
std::wstring MessageOf(HWND box)
{
    for (HWND child = FindWindowExW(box, nullptr, L"Static", nullptr); child;
         child = FindWindowExW(box, child, L"Static", nullptr))
    {
        wchar_t text[256] = {};
        if (GetWindowTextW(child, text, 256) > 0)
            return text;
    }
    return L"";
}

TEST(FatalReport, ShowsTheTextAloneOrTheTextAndTheDetailOnTwoLines)
{
    const struct
    {
        const char* detail;
        const wchar_t* message;
    } kCases[] = {{"", L"Failed to open Widget support library"},
                  {"Application can not run", L"Failed to open Widget support library\r\nApplication can not run"}};
    for (const auto& c : kCases)
    {
        std::wstring shown;
        const std::string failure = RunAndAnswerDialog(
            L"Application",
            [&] { ReportFatalError("Application", "Failed to open Widget support library", c.detail); },
            [&](HWND box) {
                shown = MessageOf(box);
                PressKey(VK_RETURN);
            },
            IDOK);
        EXPECT_EQ(failure, "");
        EXPECT_EQ(shown, c.message);
    }
}
} // namespace
