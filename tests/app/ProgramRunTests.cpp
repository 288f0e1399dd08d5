// The program itself on the test display, driven from outside as a user would: it starts and shows
// its main window, opens the About box from its menu command, shows the version line, closes the
// box on a click and on Escape but not on Return, and quits with exit code 0, leaving its
// preferences file. Any step that fails ends the program by its process handle.
#include "tests/app/AboutBoxPixels.h"
#include "tests/support/DialogDriver.h"
#include "tests/support/ModulePath.h"

#include <gtest/gtest.h>

#include <filesystem>

#include <shlobj.h>

namespace fs = std::filesystem;

namespace
{
constexpr wchar_t kWindowClass[] = L"Trellis.Window";
constexpr wchar_t kMainWindowTitle[] = L"Vantle Packer";
constexpr wchar_t kAboutTitle[] = L"About Vantle Packer\u2026";
constexpr WPARAM kAboutCommand = 50002;

fs::path PreferencesFile()
{
    wchar_t appData[MAX_PATH] = {};
    SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, 0, appData);
    return fs::path(appData) / L"Quillmont Software" / L"Vantle Packer" / L"VantlePacker Preferences";
}

// The program started with no arguments, ended by its handle unless it ended by itself.
class CProgram
{
public:
    CProgram()
    {
        const std::wstring path = NSTextPackage::AsWide(NSTestSupport::ModulePath("VantlePacker.exe"));
        std::wstring commandLine = L"\"" + path + L"\"";
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        fStarted = CreateProcessW(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                  nullptr, &startup, &fProcess) != 0;
    }
    ~CProgram()
    {
        if (!fStarted)
            return;
        if (WaitForSingleObject(fProcess.hProcess, 0) != WAIT_OBJECT_0)
            TerminateProcess(fProcess.hProcess, 99);
        CloseHandle(fProcess.hThread);
        CloseHandle(fProcess.hProcess);
    }

    bool Started() const { return fStarted; }
    // The exit code once it ended within the bound, else STILL_ACTIVE.
    DWORD WaitForExit() const
    {
        DWORD code = STILL_ACTIVE;
        if (WaitForSingleObject(fProcess.hProcess, 30000) == WAIT_OBJECT_0)
            GetExitCodeProcess(fProcess.hProcess, &code);
        return code;
    }

private:
    PROCESS_INFORMATION fProcess{};
    bool fStarted = false;
};

HWND FindVisibleWindow(const wchar_t* title)
{
    HWND window = nullptr;
    WaitFor([&] { return (window = FindWindowW(kWindowClass, title)) && IsWindowVisible(window); });
    return window && IsWindowVisible(window) ? window : nullptr;
}

// Opens the About box through the main window's menu command.
HWND OpenAboutBox(HWND mainWindow)
{
    PostMessageW(mainWindow, WM_COMMAND, MAKEWPARAM(kAboutCommand, 0), 0);
    return FindVisibleWindow(kAboutTitle);
}

bool WaitClosed(HWND window)
{
    return WaitFor([&] { return !IsWindow(window); });
}

TEST(ProgramRun, StartsShowsTheAboutBoxAndQuitsWithExitCodeZeroLeavingItsPreferences)
{
    std::error_code ignored;
    fs::remove(PreferencesFile(), ignored);

    CProgram program;
    ASSERT_TRUE(program.Started());
    const HWND mainWindow = FindVisibleWindow(kMainWindowTitle);
    ASSERT_NE(mainWindow, nullptr) << "no main window titled \"Vantle Packer\"";

    const HWND box = OpenAboutBox(mainWindow);
    ASSERT_NE(box, nullptr);
    int lineGrey = 0;
    EXPECT_TRUE(WaitFor(
        [&] {
            return (lineGrey = NSAppTests::CountVersionLinePixels(box, {25, 25, 200, 60})) > 0;
        }))
        << "no version line";
    // Handled before SendMessageW returns.
    SendMessageW(box, WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_TRUE(IsWindow(box) && IsWindowVisible(box)) << "Return closed the box";
    ASSERT_TRUE(WaitFor([&] { return GetForegroundWindow() == box; }));
    ClickOn(box);
    ASSERT_TRUE(WaitClosed(box)) << "a click left the box open";

    const HWND again = OpenAboutBox(mainWindow);
    ASSERT_NE(again, nullptr);
    PostMessageW(again, WM_KEYDOWN, VK_ESCAPE, 0);
    ASSERT_TRUE(WaitClosed(again)) << "Escape left the box open";

    PostMessageW(mainWindow, WM_CLOSE, 0, 0);
    EXPECT_EQ(program.WaitForExit(), 0u);
    EXPECT_TRUE(fs::is_regular_file(PreferencesFile()));
}
} // namespace
