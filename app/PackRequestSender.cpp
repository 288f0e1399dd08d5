// VantlePackRequest: asks a running Vantle Packer to pack a folder, with nobody at the screen.
//
//   VantlePackRequest SOURCE_FOLDER OUTPUT_FOLDER [--quit]
//   VantlePackRequest --quit
//
// Waits for the program's hidden message window, hands it the request through a pipe whose read
// end it duplicates into the program, and answers every alert the program shows meanwhile with
// the alert's default button, printing each. With --quit the program is then asked to quit.
// Exit code: 0 when a package was made and verified (the pack ended with "Pack complete"), 1 when
// the pack was refused or failed (its alert printed), 2 when the request could not be made.
#include "app/PackRequestProtocol.h"

#include <shellapi.h>

#include <atomic>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

namespace
{
using NSVantleApp::kPackRequestMessage;
using NSVantleApp::kPackRequestWindowName;
constexpr int kAlertMessageID = 100;
constexpr DWORD kWindowWaitMilliseconds = 120000;
// The title of the alerts that end a pack whose package was made and verified.
constexpr const wchar_t* kPackCompleteTitle = L"Pack complete";

void Print(const std::wstring& line)
{
    const int size = WideCharToMultiByte(CP_UTF8, 0, line.c_str(), int(line.size()), nullptr, 0, nullptr, nullptr);
    std::string utf8(size_t(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, line.c_str(), int(line.size()), utf8.data(), size, nullptr, nullptr);
    std::printf("%s\n", utf8.c_str());
    std::fflush(stdout);
}

std::wstring WindowText(HWND window)
{
    std::wstring text(size_t(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(size_t(GetWindowTextW(window, text.data(), int(text.size()))));
    return text;
}

// The program's hidden window, waited for while the program starts.
HWND WaitForMessageWindow()
{
    const DWORD start = GetTickCount();
    for (;;)
    {
        if (HWND window = FindWindowW(kPackRequestWindowName, nullptr))
            return window;
        if (GetTickCount() - start > kWindowWaitMilliseconds)
            return nullptr;
        Sleep(200);
    }
}

// The request's bytes: each path in the receiver's ANSI code page after its big-endian length.
std::string EncodeRequest(const std::vector<std::wstring>& paths)
{
    std::string request;
    for (const std::wstring& path : paths)
    {
        const int size = WideCharToMultiByte(CP_ACP, 0, path.c_str(), int(path.size()), nullptr, 0, nullptr, nullptr);
        std::string narrow(size_t(size), '\0');
        WideCharToMultiByte(CP_ACP, 0, path.c_str(), int(path.size()), narrow.data(), size, nullptr, nullptr);
        const DWORD length = DWORD(narrow.size());
        for (int shift = 24; shift >= 0; shift -= 8)
            request.push_back(char((length >> shift) & 0xFF));
        request += narrow;
    }
    return request;
}

// Answers the program's alerts while the request runs; the program's own thread is busy in the
// request, so its dialogs are found among the top-level windows of its process.
class CAlertAnswerer
{
public:
    explicit CAlertAnswerer(DWORD processID) : fProcessID(processID), fThread([this] { Run(); }) {}
    ~CAlertAnswerer() { Finish(); }

    struct TAnswered
    {
        std::wstring fTitle;
        std::wstring fText; // title and message, as printed
    };

    // Stops answering; the last alert answered, read once the answering thread has ended.
    TAnswered Finish()
    {
        fStop = true;
        if (fThread.joinable())
            fThread.join();
        return fLastAlert;
    }

private:
    void Run()
    {
        while (!fStop)
        {
            EnumWindows(&CAlertAnswerer::AnswerWindow, LPARAM(this));
            Sleep(100);
        }
    }

    static BOOL CALLBACK AnswerWindow(HWND window, LPARAM self)
    {
        auto* answerer = reinterpret_cast<CAlertAnswerer*>(self);
        DWORD processID = 0;
        GetWindowThreadProcessId(window, &processID);
        wchar_t className[16] = {};
        GetClassNameW(window, className, 16);
        if (processID == answerer->fProcessID && IsWindowVisible(window) && std::wstring(className) == L"#32770")
            answerer->Answer(window);
        return TRUE;
    }

    void Answer(HWND dialog)
    {
        const LRESULT defaultID = SendMessageW(dialog, DM_GETDEFID, 0, 0);
        if (HIWORD(defaultID) != DC_HASDEFID)
            return;
        const WORD buttonID = LOWORD(defaultID);
        HWND message = GetDlgItem(dialog, kAlertMessageID);
        HWND button = GetDlgItem(dialog, buttonID);
        std::wstring text = message ? WindowText(message) : std::wstring();
        for (wchar_t& c : text)
            if (c == L'\r' || c == L'\n')
                c = L' ';
        fLastAlert.fTitle = WindowText(dialog);
        fLastAlert.fText = L"\u201C" + fLastAlert.fTitle + L"\u201D " + text;
        Print(L"alert: " + fLastAlert.fText + L" [" + (button ? WindowText(button) : std::wstring()) + L"]");
        PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(buttonID, BN_CLICKED), LPARAM(button));
        // One answer per dialog: wait until it has gone before looking again.
        for (int i = 0; i < 100 && IsWindow(dialog) && IsWindowVisible(dialog); ++i)
            Sleep(50);
    }

    const DWORD fProcessID;
    std::atomic<bool> fStop{false};
    TAnswered fLastAlert;
    std::thread fThread;
};

// Sends the request and answers the program's alerts until it has been handled; answers the exit
// code. The program answers 1 when a pack ran whatever its outcome, 0 when none started and -1
// when it could not read the request: only a pack that ended "Pack complete" made its package.
int SendPackRequest(HWND window, const std::wstring& source, const std::wstring& output)
{
    DWORD processID = 0;
    GetWindowThreadProcessId(window, &processID);
    HANDLE process = OpenProcess(PROCESS_DUP_HANDLE, FALSE, processID);
    if (!process)
    {
        Print(L"failure: the program's process cannot be reached");
        return 2;
    }
    const std::string request = EncodeRequest({source, output});
    HANDLE readEnd = nullptr;
    HANDLE writeEnd = nullptr;
    DWORD written = 0;
    HANDLE remoteReadEnd = nullptr;
    const bool sent = CreatePipe(&readEnd, &writeEnd, nullptr, DWORD(request.size() + 4096)) &&
                      WriteFile(writeEnd, request.data(), DWORD(request.size()), &written, nullptr) &&
                      written == request.size() &&
                      DuplicateHandle(GetCurrentProcess(), readEnd, process, &remoteReadEnd, 0, FALSE,
                                      DUPLICATE_SAME_ACCESS);
    if (writeEnd)
        CloseHandle(writeEnd);
    if (readEnd)
        CloseHandle(readEnd);
    CloseHandle(process);
    if (!sent)
    {
        Print(L"failure: the request could not be handed to the program");
        return 2;
    }
    CAlertAnswerer answerer(processID);
    const LRESULT result = SendMessageW(window, kPackRequestMessage, 0, LPARAM(remoteReadEnd));
    const CAlertAnswerer::TAnswered lastAlert = answerer.Finish();
    Print(L"result: " + std::to_wstring(result));
    if (!lastAlert.fText.empty())
        Print(L"ended with alert: " + lastAlert.fText);
    if (result == 1 && lastAlert.fTitle == kPackCompleteTitle)
        return 0;
    return result == 1 || result == 0 ? 1 : 2;
}

std::wstring FullPath(const std::wstring& path)
{
    std::wstring full(MAX_PATH * 4, L'\0');
    full.resize(GetFullPathNameW(path.c_str(), DWORD(full.size()), full.data(), nullptr));
    return full;
}
} // namespace

int main()
{
    int count = 0;
    LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::wstring> words(arguments + 1, arguments + count);
    LocalFree(arguments);
    const bool quit = !words.empty() && words.back() == L"--quit";
    if (quit)
        words.pop_back();
    if (words.size() != 0 && words.size() != 2)
    {
        Print(L"usage: VantlePackRequest SOURCE_FOLDER OUTPUT_FOLDER [--quit] | --quit");
        return 2;
    }
    HWND window = WaitForMessageWindow();
    if (!window)
    {
        Print(L"failure: no running Vantle Packer");
        return 2;
    }
    int exitCode = 0;
    if (words.size() == 2)
        exitCode = SendPackRequest(window, FullPath(words[0]), FullPath(words[1]));
    if (quit)
        PostMessageW(window, WM_CLOSE, 0, 0);
    return exitCode;
}
