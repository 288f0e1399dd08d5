#pragma once
// The program started as a separate process, as a person would start it, and driven from the
// test through its real windows: views found by the names the GUI libraries give them, buttons
// pressed, alerts and folder choosers answered.
#include <windows.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace NSAppTests
{
// Every window inside the window, at any depth.
std::vector<HWND> DescendantsOf(HWND window);

// A program of the build, beside the test executable.
std::filesystem::path BuildProgram(const std::wstring& fileName);

// An alert of the program as it shows it: title, message and its buttons' titles.
struct TShownAlert
{
    HWND fDialog = nullptr;
    std::wstring fTitle;
    std::wstring fMessage;
    std::vector<std::wstring> fButtons;
};

class CRunningProgram
{
public:
    explicit CRunningProgram(const std::wstring& arguments = std::wstring());
    // Ends the process when it still runs.
    ~CRunningProgram();
    CRunningProgram(const CRunningProgram&) = delete;
    CRunningProgram& operator=(const CRunningProgram&) = delete;

    DWORD ProcessID() const { return fProcess.dwProcessId; }

    // A visible top-level window of the program with the title (and window class when given);
    // null when none shows within the wait.
    HWND WaitForWindow(const std::wstring& title, const wchar_t* windowClass = nullptr) const;
    // The visible top-level window of the program with the title, when there is one now.
    HWND FindWindowNow(const std::wstring& title) const;
    // The view of the window named as the program named it; null when there is none.
    HWND FindView(HWND window, const std::string& name) const;
    // The name the program gave a view of its windows; empty for a window that is no view.
    std::string ViewName(HWND view) const;
    // Presses the window's push button of that name once the window and the button take input;
    // false when they never do.
    bool PressWhenEnabled(HWND window, const std::string& name) const;

    // The next alert the program shows (a dialog with a message); nothing within the wait.
    std::optional<TShownAlert> WaitForAlert() const;
    // Presses the alert's button of that title; false when it has none.
    static bool Answer(const TShownAlert& alert, const std::wstring& button);

    // The program's own folder chooser of that title, answered with the folder.
    bool ChooseFolder(const std::wstring& title, const std::filesystem::path& folder) const;

    // The exit code once the process has ended; nothing when it runs on after the wait.
    std::optional<DWORD> WaitForExit(DWORD milliseconds = 60000) const;

private:
    std::string ReadProgramString(const void* address) const;

    PROCESS_INFORMATION fProcess{};
};

// Presses a push button of another process without waiting for what the press starts.
void PressButton(HWND buttonView);
// The visible, enabled state of a view and its controls.
bool IsViewEnabled(HWND view);

// Saves what the window shows as a 24-bit BMP file.
bool SaveWindowImage(HWND window, const std::filesystem::path& file);
} // namespace NSAppTests
