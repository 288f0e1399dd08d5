#include "tests/app/RunningProgram.h"

#include "dlls/trellis/Trellis.h"
#include "tests/support/DialogDriver.h"

#include <fstream>
#include <stdexcept>

namespace NSAppTests
{
namespace
{
constexpr int kAlertMessageID = 100;
constexpr int kChooserNameFieldID = 0x480;
constexpr DWORD kWindowWaitMilliseconds = 60000;

std::wstring WindowText(HWND window)
{
    std::wstring text(size_t(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(size_t(GetWindowTextW(window, text.data(), int(text.size()))));
    return text;
}

std::wstring ClassName(HWND window)
{
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

std::vector<HWND> TopLevelWindowsOf(DWORD processID)
{
    struct TSearch
    {
        DWORD fProcessID;
        std::vector<HWND> fWindows;
    } search{processID, {}};
    EnumWindows(
        [](HWND window, LPARAM context) -> BOOL {
            auto* search = reinterpret_cast<TSearch*>(context);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner == search->fProcessID && IsWindowVisible(window))
                search->fWindows.push_back(window);
            return TRUE;
        },
        LPARAM(&search));
    return search.fWindows;
}

std::wstring WithoutMnemonics(std::wstring text)
{
    std::wstring plain;
    for (wchar_t c : text)
        if (c != L'&')
            plain += c;
    return plain;
}

// The control that takes a view's presses: the view itself or its button inside.
HWND ButtonOf(HWND view)
{
    if (ClassName(view) == L"Button")
        return view;
    for (HWND child : DescendantsOf(view))
        if (ClassName(child) == L"Button")
            return child;
    return view;
}
} // namespace

std::vector<HWND> DescendantsOf(HWND window)
{
    std::vector<HWND> children;
    EnumChildWindows(
        window,
        [](HWND child, LPARAM context) -> BOOL {
            reinterpret_cast<std::vector<HWND>*>(context)->push_back(child);
            return TRUE;
        },
        LPARAM(&children));
    return children;
}

std::filesystem::path BuildProgram(const std::wstring& fileName)
{
    wchar_t self[MAX_PATH * 2] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH * 2);
    return std::filesystem::path(self).parent_path() / fileName;
}

CRunningProgram::CRunningProgram(const std::wstring& arguments)
{
    const std::filesystem::path program = BuildProgram(L"VantlePacker.exe");
    std::wstring commandLine = L"\"" + program.wstring() + L"\"";
    if (!arguments.empty())
        commandLine += L" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &fProcess))
        throw std::runtime_error("VantlePacker.exe could not be started");
}

CRunningProgram::~CRunningProgram()
{
    if (WaitForSingleObject(fProcess.hProcess, 0) == WAIT_TIMEOUT)
    {
        TerminateProcess(fProcess.hProcess, 1);
        WaitForSingleObject(fProcess.hProcess, 10000);
    }
    CloseHandle(fProcess.hThread);
    CloseHandle(fProcess.hProcess);
}

HWND CRunningProgram::WaitForWindow(const std::wstring& title, const wchar_t* windowClass) const
{
    HWND found = nullptr;
    WaitFor(
        [&] {
            for (HWND window : TopLevelWindowsOf(ProcessID()))
                if (WindowText(window) == title && (!windowClass || ClassName(window) == windowClass))
                    return (found = window) != nullptr;
            return false;
        },
        kWindowWaitMilliseconds);
    return found;
}

HWND CRunningProgram::FindWindowNow(const std::wstring& title) const
{
    for (HWND window : TopLevelWindowsOf(ProcessID()))
        if (WindowText(window) == title)
            return window;
    return nullptr;
}

std::string CRunningProgram::ReadProgramString(const void* address) const
{
    std::string text;
    char c = 0;
    SIZE_T read = 0;
    while (text.size() < 256 &&
           ReadProcessMemory(fProcess.hProcess, static_cast<const char*>(address) + text.size(), &c, 1, &read) &&
           read == 1 && c != 0)
        text += c;
    return text;
}

HWND CRunningProgram::FindView(HWND window, const std::string& name) const
{
    for (HWND child : DescendantsOf(window))
        if (ViewName(child) == name)
            return child;
    return nullptr;
}

std::string CRunningProgram::ViewName(HWND view) const
{
    const HANDLE address = GetPropW(view, kViewNameProperty);
    return address ? ReadProgramString(address) : std::string();
}

bool CRunningProgram::PressWhenEnabled(HWND window, const std::string& name) const
{
    HWND view = nullptr;
    if (!WaitFor([&] { return IsWindowEnabled(window) && (view = FindView(window, name)) && IsViewEnabled(view); },
                   kWindowWaitMilliseconds))
        return false;
    PressButton(view);
    return true;
}

std::optional<TShownAlert> CRunningProgram::WaitForAlert() const
{
    std::optional<TShownAlert> alert;
    WaitFor(
        [&] {
            for (HWND window : TopLevelWindowsOf(ProcessID()))
            {
                HWND message = GetDlgItem(window, kAlertMessageID);
                if (ClassName(window) != L"#32770" || !message || GetDlgItem(window, kChooserNameFieldID))
                    continue;
                TShownAlert shown{window, WindowText(window), WindowText(message), {}};
                for (HWND child : DescendantsOf(window))
                    if (ClassName(child) == L"Button")
                        shown.fButtons.push_back(WithoutMnemonics(WindowText(child)));
                alert = shown;
                return true;
            }
            return false;
        },
        kWindowWaitMilliseconds * 3);
    return alert;
}

bool CRunningProgram::Answer(const TShownAlert& alert, const std::wstring& button)
{
    for (HWND child : DescendantsOf(alert.fDialog))
        if (ClassName(child) == L"Button" && WithoutMnemonics(WindowText(child)) == button)
        {
            PostMessageW(alert.fDialog, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(child), BN_CLICKED), LPARAM(child));
            return WaitFor([&] { return !IsWindow(alert.fDialog); }, kWindowWaitMilliseconds);
        }
    return false;
}

bool CRunningProgram::ChooseFolder(const std::wstring& title, const std::filesystem::path& folder) const
{
    HWND chooser = WaitForWindow(title, L"#32770");
    if (!chooser)
        return false;
    HWND name = nullptr;
    if (!WaitFor([&] { return (name = GetDlgItem(chooser, kChooserNameFieldID)) != nullptr; },
                   kWindowWaitMilliseconds))
        return false;
    SendMessageW(name, WM_SETTEXT, 0, LPARAM(folder.wstring().c_str()));
    PostMessageW(chooser, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), LPARAM(GetDlgItem(chooser, IDOK)));
    return WaitFor([&] { return !IsWindow(chooser); }, kWindowWaitMilliseconds);
}

std::optional<DWORD> CRunningProgram::WaitForExit(DWORD milliseconds) const
{
    if (WaitForSingleObject(fProcess.hProcess, milliseconds) != WAIT_OBJECT_0)
        return std::nullopt;
    DWORD code = 0;
    GetExitCodeProcess(fProcess.hProcess, &code);
    return code;
}

void PressButton(HWND buttonView)
{
    PostMessageW(ButtonOf(buttonView), BM_CLICK, 0, 0);
}

bool IsViewEnabled(HWND view)
{
    return IsWindowVisible(view) && IsWindowEnabled(ButtonOf(view));
}

bool SaveWindowImage(HWND window, const std::filesystem::path& file)
{
    RECT frame{};
    GetWindowRect(window, &frame);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    const int stride = (width * 3 + 3) & ~3;
    BITMAPINFOHEADER header{};
    header.biSize = sizeof(header);
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biSizeImage = DWORD(stride * height);
    std::vector<char> pixels(header.biSizeImage);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    const bool copied = BitBlt(memory, 0, 0, width, height, screen, frame.left, frame.top, SRCCOPY) &&
                        GetDIBits(memory, bitmap, 0, UINT(height), pixels.data(),
                                  reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS) == height;
    SelectObject(memory, previous);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    if (!copied)
        return false;
    BITMAPFILEHEADER fileHeader{};
    fileHeader.bfType = 0x4D42;
    fileHeader.bfOffBits = sizeof(fileHeader) + sizeof(header);
    fileHeader.bfSize = fileHeader.bfOffBits + header.biSizeImage;
    std::ofstream out(file, std::ios::binary);
    out.write(reinterpret_cast<const char*>(&fileHeader), sizeof(fileHeader));
    out.write(reinterpret_cast<const char*>(&header), sizeof(header));
    out.write(pixels.data(), std::streamsize(pixels.size()));
    return bool(out);
}
} // namespace NSAppTests
