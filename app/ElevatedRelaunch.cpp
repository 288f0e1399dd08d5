#include "app/ElevatedRelaunch.h"

#include "app/AdministratorTest.h"
#include "app/ElevationCalls.h"
#include "app/ProcessWindows.h"
#include "app/RelaunchFailures.h"
#include "app/RunWithCredentials.h"
#include "base/Quorral.h"
#include "base/TextConversions.h"
#include "base/TextTemplates.h"
#include "base/Win32Calls.h"
#include "base/WinHandles.h"
#include "gui/CallbackFence.h"
#include "gui/TrellisInterface.h"

using namespace NSQuorral;
using NSTextPackage::TUTF16String;

namespace NSVantleApp
{
namespace
{
constexpr DWORD kWaitSliceMilliseconds = 100;
constexpr int kEventPassesPerSlice = 20;

// User Account Control is on: the policy value "EnableLUA" is the number 1.
bool IsUserAccountControlOn()
{
    HKEY policies = nullptr;
    if (RegOpenKeyW(HKEY_LOCAL_MACHINE, L"Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\System", &policies) !=
        ERROR_SUCCESS)
        return false;
    DWORD type = 0;
    DWORD value = 0;
    DWORD size = sizeof(value);
    const LONG result = RegQueryValueExW(policies, L"EnableLUA", nullptr, &type, reinterpret_cast<BYTE*>(&value), &size);
    RegCloseKey(policies);
    return result == ERROR_SUCCESS && type == REG_DWORD && value == 1;
}

bool NeedsQuoting(const std::string& argument)
{
    return argument.find_first_of(" \t\n\r") != std::string::npos;
}

TUTF16String BuildParameters(const std::vector<std::string>& arguments)
{
    TUTF16String parameters;
    for (const std::string& argument : arguments)
    {
        TUTF16String wide = NSTextPackage::ASCIIToUTF16(argument, 0);
        if (NeedsQuoting(argument))
            wide = NSTextPackage::ExpandTemplate(NSTextPackage::ASCIIToUTF16("\"^0\"", 0), {wide});
        if (!parameters.empty())
            parameters += u' ';
        parameters += wide;
    }
    return parameters;
}

void PumpGUIEvents()
{
    ITrellis* trellis = GetTrellisInterface();
    for (int pass = 0; pass < kEventPassesPerSlice; ++pass)
        NSTrellisGlue::CheckTrellis(trellis->ProcessEvents());
}

// Whether the child shows a top-level window of its own now.
bool ShowsVisibleWindow(HANDLE child)
{
    for (const HWND window : GetWindowsOfProcess(ListTopLevelWindows(), child))
    {
        if (IsWindowVisible(window))
            return true;
    }
    return false;
}

// Waits for the child's end. The program's windows that were visible at the start give way
// while the child shows a window and come back when it has none, when it ends, and when the
// wait fails.
void WaitForProcess(HANDLE& process)
{
    std::vector<HWND> own = GetWindowsOfProcess(ListTopLevelWindows(), GetCurrentProcess());
    std::erase_if(own, [](HWND window) { return !IsWindowVisible(window); });
    bool shown = true;
    const auto showOwn = [&] {
        if (!shown)
        {
            ShowWindowList(own, true);
            shown = true;
        }
    };
    if (!process)
        return;
    try
    {
        for (;;)
        {
            const DWORD result = Win32Calls().WaitForSingleObject(process, kWaitSliceMilliseconds);
            if (result == WAIT_OBJECT_0)
            {
                showOwn();
                if (!own.empty())
                    SetForegroundWindow(own.front());
                PumpGUIEvents();
                return;
            }
            if (result != WAIT_TIMEOUT)
            {
                if (result == WAIT_ABANDONED || result == WAIT_FAILED)
                {
                    CloseHandle(process);
                    process = nullptr;
                }
                FailRelaunch();
            }
            PumpGUIEvents();
            const bool childShows = ShowsVisibleWindow(process);
            if (childShows && shown)
            {
                ShowWindowList(own, false);
                shown = false;
                PumpGUIEvents();
            }
            else if (!childShows && !shown)
            {
                showOwn();
                PumpGUIEvents();
            }
        }
    }
    catch (...)
    {
        showOwn();
        try
        {
            PumpGUIEvents();
        }
        catch (...)
        {
            // The wait's own failure is the one to report.
        }
        throw;
    }
}
} // namespace

HANDLE ShellExecuteProgram(const TUTF16String& path, const std::vector<std::string>& arguments, bool runas)
{
    const TUTF16String parameters = BuildParameters(arguments);
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = SEE_MASK_NOCLOSEPROCESS;
    info.nShow = SW_SHOWNORMAL;
    info.lpFile = NSTextPackage::AsWide(path);
    info.lpParameters = NSTextPackage::AsWide(parameters);
    info.lpVerb = runas ? L"runas" : L"open";
    info.hwnd = runas ? GetForegroundWindow() : nullptr;
    if (!ElevationCalls().ShellExecuteExW(&info))
    {
        ThrowIfLogOnRefused(GetLastError());
        FailRelaunch();
    }
    if (!info.hProcess)
        FailRelaunch();
    return info.hProcess;
}

bool IsProcessElevated()
{
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token))
        FailRelaunch();
    const CWinKernelHandle owner(token);
    TOKEN_ELEVATION elevation{};
    DWORD size = 0;
    return ElevationCalls().GetTokenInformation(token, TokenElevation, &elevation, sizeof(elevation), &size) &&
           elevation.TokenIsElevated != 0;
}

HANDLE RunElevated(const TUTF16String& path, const std::vector<std::string>& arguments)
{
    OSVERSIONINFOW version{};
    version.dwOSVersionInfoSize = sizeof(version);
    if (!ElevationCalls().GetVersionExW(&version))
        FailRelaunch();
    if (version.dwPlatformId == VER_PLATFORM_WIN32_NT && version.dwMajorVersion >= 6 && IsUserAccountControlOn())
        return ShellExecuteProgram(path, arguments, !IsProcessElevated());
    if (IsUserAdministrator())
        return ShellExecuteProgram(path, arguments, false);
    return RunWithCredentials(path, arguments);
}

CApplicationRunner::CApplicationRunner(TUTF16String path, std::vector<std::string> arguments, bool elevated)
    : fPath(std::move(path)), fArguments(std::move(arguments)), fElevated(elevated)
{
}

CApplicationRunner::~CApplicationRunner()
{
    if (fProcess)
        CloseHandle(fProcess);
}

void CApplicationRunner::Run()
{
    fProcess = fElevated ? RunElevated(fPath, fArguments) : ShellExecuteProgram(fPath, fArguments, false);
}

i32 CApplicationRunner::WaitForExitCode()
{
    WaitForProcess(fProcess);
    DWORD exitCode = 0;
    if (!GetExitCodeProcess(fProcess, &exitCode))
        FailRelaunch();
    return i32(exitCode);
}

i32 RunElevatedAndWait(const NSFileLibSupport::TFileSpecPtr& file, const std::vector<std::string>& arguments)
{
    CApplicationRunner runner(NSFileLibSupport::GetFileWinPath(file.get()), arguments, true);
    runner.Run();
    return runner.WaitForExitCode();
}
} // namespace NSVantleApp
