#include "app/RunWithCredentials.h"

#include "app/AdministratorTest.h"
#include "app/AuthenticationDialog.h"
#include "app/ElevationCalls.h"
#include "app/RelaunchFailures.h"
#include "base/Quorral.h"
#include "base/TextConversions.h"
#include "base/Win32Calls.h"
#include "base/WinHandles.h"
#include "filelib/WindowsErrorExceptions.h"
#include "gui/Alerts.h"
#include "gui/CallbackFence.h"
#include "gui/TrellisInterface.h"


using namespace NSQuorral;
using NSTextPackage::AsWide;
using NSTextPackage::TUTF16String;

namespace NSVantleApp
{
namespace
{
constexpr int kTries = 3;
constexpr DWORD kFailedTryPauseMilliseconds = 1000;

constexpr u16 kLogOnAlerts = 301;
constexpr u16 kAlertRestricted = 1;
constexpr u16 kAlertStillFailing = 2;
constexpr u16 kAlertWrongCredentials = 3;

// The local computer's name, the domain of a local account; "." when it cannot be read.
TUTF16String GetComputerNameText()
{
    std::vector<wchar_t> name(MAX_COMPUTERNAME_LENGTH + 1);
    DWORD size = DWORD(name.size());
    if (GetComputerNameW(name.data(), &size))
        return NSTextPackage::FromWide(name.data());
    if (size > name.size())
    {
        name.resize(size + 1);
        size = DWORD(name.size());
        if (GetComputerNameW(name.data(), &size))
            return NSTextPackage::FromWide(name.data());
    }
    return NSTextPackage::ASCIIToUTF16(".", 0);
}

// A log-on or start that failed: refused credentials and a cancel as ThrowIfLogOnRefused says,
// the rest by the Win32 mapping; a failure without an error code is still a failure to start.
[[noreturn]] void ThrowLogOnFailure(DWORD error)
{
    ThrowIfLogOnRefused(error);
    NSFileLibSupport::ThrowExceptionForWindowsError(error);
    FailRelaunch();
}

// The account's token.
HANDLE LogOnUser(const TUTF16String& user, const TUTF16String& password)
{
    const TUTF16String domain = GetComputerNameText();
    HANDLE token = nullptr;
    if (!ElevationCalls().LogonUserW(AsWide(user), AsWide(domain), AsWide(password), LOGON32_LOGON_INTERACTIVE,
                                     LOGON32_PROVIDER_DEFAULT, &token))
        ThrowLogOnFailure(GetLastError());
    return token;
}

bool NeedsQuoting(const TUTF16String& text)
{
    return text.find(u16(' ')) != TUTF16String::npos;
}

TUTF16String Quoted(const TUTF16String& text)
{
    return NeedsQuoting(text) ? u16('"') + text + u16('"') : text;
}

// One dialog: whether the user accepted it, with what they typed in data.
bool RunLogOnDialog(CAuthenticationDialogData& data)
{
    NSTrellisGlue::CModalDialogCreator<CAuthenticationDialog, CAuthenticationDialogData> creator(data);
    u32 status = kTrellisLogicError;
    ITrellis* trellis = GetTrellisInterface();
    trellis->RunModalDialog(&creator, nullptr, 1, 0, &status);
    NSTrellisGlue::CheckTrellis(status);
    NSTrellisGlue::CheckTrellis(trellis->UpdateNow());
    return data.fAccepted;
}

void ReportFailedTry(int triesLeft, u16 alert)
{
    Win32Calls().Sleep(kFailedTryPauseMilliseconds);
    NSTrellisUtils::DoAlert(NSFerrant::MakeAlertID(kLogOnAlerts, triesLeft == 1 ? kAlertStillFailing : alert));
}
} // namespace

TUTF16String BuildCommandLine(const TUTF16String& path, const std::vector<std::string>& arguments)
{
    TUTF16String commandLine = Quoted(path);
    for (const std::string& argument : arguments)
    {
        commandLine += u16(' ');
        commandLine += Quoted(NSTextPackage::ASCIIToUTF16(argument, 0));
    }
    return commandLine;
}

bool IsAdministratorLogOn(const TUTF16String& user, const TUTF16String& password)
{
    const CWinKernelHandle token(LogOnUser(user, password));
    return IsTokenAdministrator(token.Get());
}

HANDLE StartProcessAsUser(const TUTF16String& path, const std::vector<std::string>& arguments,
                          const TUTF16String& user, const TUTF16String& password)
{
    const TUTF16String domain = GetComputerNameText();
    // Started with a shorter command line, the copy would run with other arguments than asked.
    TUTF16String commandLine = BuildCommandLine(path, arguments);
    if (commandLine.size() > kLogOnCommandLineMaxLength)
        FailRelaunch();
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!ElevationCalls().CreateProcessWithLogonW(AsWide(user), AsWide(domain), AsWide(password), LOGON_WITH_PROFILE,
                                                  nullptr, reinterpret_cast<wchar_t*>(commandLine.data()), 0,
                                                  nullptr, nullptr, &startup, &process))
        ThrowLogOnFailure(GetLastError());
    const CWinKernelHandle thread(process.hThread);
    return process.hProcess;
}

HANDLE RunWithCredentials(const TUTF16String& path, const std::vector<std::string>& arguments)
{
    for (int triesLeft = kTries; triesLeft > 0; --triesLeft)
    {
        CAuthenticationDialogData data;
        if (!RunLogOnDialog(data))
            Throw<XAbort>();
        try
        {
            if (IsAdministratorLogOn(data.fUserName, data.fPassword))
                return StartProcessAsUser(path, arguments, data.fUserName, data.fPassword);
            ReportFailedTry(triesLeft, kAlertWrongCredentials);
        }
        catch (const XPermission&)
        {
            ReportFailedTry(triesLeft, kAlertRestricted);
        }
        catch (const std::runtime_error& failure)
        {
            if (!HasTargetObjectType(GetExceptionBody(failure), GetAuthenticationObjectType()))
                throw;
            ReportFailedTry(triesLeft, kAlertWrongCredentials);
        }
    }
    Throw<XSilentAbort>();
}
} // namespace NSVantleApp
