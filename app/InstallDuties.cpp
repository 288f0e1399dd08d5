#include "app/InstallDuties.h"

#include "app/AdministratorTest.h"
#include "app/ApplicationFile.h"
#include "app/CommandLine.h"
#include "app/ElevatedRelaunch.h"
#include "app/ExitCode.h"
#include "base/Quorral.h"
#include "gui/Alerts.h"
#include "gui/CallbackFence.h"
#include "gui/TrellisInterface.h"

#include <algorithm>

using namespace NSQuorral;
using NSVantleApp::NSInstallDuties::TInstallDuties;

namespace NSVantleApp
{
namespace
{
// The application's windows stay disabled while the duties run, whichever way the run ends.
class CApplicationWindowsDisabled
{
public:
    CApplicationWindowsDisabled()
    {
        NSTrellisGlue::CheckTrellis(GetTrellisInterface()->GetPlatformServices(&fServices));
        NSTrellisGlue::CheckTrellis(fServices->EnableApplicationWindows(0));
    }
    ~CApplicationWindowsDisabled() { fServices->EnableApplicationWindows(1); }
    CApplicationWindowsDisabled(const CApplicationWindowsDisabled&) = delete;
    CApplicationWindowsDisabled& operator=(const CApplicationWindowsDisabled&) = delete;

private:
    IPlatformServices* fServices = nullptr;
};

void AlertIfNamed(const NSFerrant::TResourceID& alert)
{
    if (alert.fKind != NSFerrant::kResourceIDEmpty)
        NSTrellisUtils::DoAlert(alert);
}

// The argument that selects the duty: "/" + name, possibly followed by what Install is given.
const std::string* FindDutyArgument(const std::string& name)
{
    for (const std::string& argument : GetCommandLineArguments())
    {
        if (argument.size() >= 2 && argument[0] == '/' && argument.compare(1, name.size(), name) == 0)
            return &argument;
    }
    return nullptr;
}

// The relaunched copy splits its command line without escapes; the shell hands it on as Windows
// quotes it, so backslashes and quotes are escaped once more.
std::string EscapeRelaunchArgument(const std::string& argument)
{
    std::string escaped;
    for (const char c : argument)
    {
        if (c == '\\' || c == '"')
            escaped += '\\';
        escaped += c;
    }
    return escaped;
}

// Both install modes: the mode's work when the user is an administrator, the exit code in every
// case, then the quiet end of the program.
template <class TWork> [[noreturn]] void RunInstallMode(const TInstallDutiesContext& context, TWork work)
{
    try
    {
        if (!IsUserAdministrator())
        {
            NSTrellisUtils::DoAlert(context.fNotAdministratorAlert);
            Throw<XSilentAbort>();
        }
        work();
        SetExitCode(kExitCodeDone);
    }
    catch (const XAbort&)
    {
        SetExitCode(kExitCodeCancelled);
    }
    catch (const XSilentAbort&)
    {
        SetExitCode(kExitCodeCancelled);
    }
    catch (const XOutOfSpace&)
    {
        SetExitCode(kExitCodeFailed);
        AlertIfNamed(context.fOutOfSpaceAlert);
    }
    catch (...)
    {
        SetExitCode(kExitCodeFailed);
        AlertIfNamed(context.fFailureAlert);
    }
    Throw<XSilentAbort>();
}
} // namespace

void InstallDuties(TInstallDuties duties)
{
    for (const auto& duty : duties)
    {
        const std::string name = duty->GetName();
        const std::string* argument = FindDutyArgument(name);
        if (argument && duty->NeedsInstall())
            duty->Install(argument->substr(std::min(argument->size(), 1 + name.size())));
    }
}

void UninstallDuties(TInstallDuties duties)
{
    try
    {
        duties.erase(std::remove_if(duties.begin(), duties.end(), [](const auto& duty) { return !duty->IsInstalled(); }),
                     duties.end());
    }
    catch (...)
    {
        return; // what is done cannot be told: nothing is undone
    }
    for (auto duty = duties.rbegin(); duty != duties.rend(); ++duty)
    {
        try
        {
            (*duty)->Uninstall();
        }
        catch (const XAbort&)
        {
            return;
        }
        catch (const XSilentAbort&)
        {
            return;
        }
        catch (...)
        {
            // The other duties are still undone.
        }
    }
}

void RelaunchForPendingDuties(TInstallDuties duties)
{
    std::vector<std::string> arguments{"/install"};
    for (const auto& duty : duties)
    {
        if (!duty->NeedsInstall())
            continue;
        duty->PrepareInstall();
        arguments.push_back(EscapeRelaunchArgument("/" + duty->GetName() + duty->GetDescription()));
    }
    if (arguments.size() == 1)
        return;
    const i32 exitCode = RunElevatedAndWait(GetApplicationFileSpec(), arguments);
    if (exitCode != i32(kExitCodeDone))
        Throw<XSilentAbort>();
}

void RunInstallDuties(const TInstallDutiesContext& context, TInstallDuties duties)
{
    const CApplicationWindowsDisabled disabled;
    switch (GetRunMode())
    {
    case kRunModeUninstall:
        RunInstallMode(context, [&] { UninstallDuties(duties); });
    case kRunModeInstall:
        RunInstallMode(context, [&] { InstallDuties(duties); });
    case kRunModeNormal:
        break;
    }
    RelaunchForPendingDuties(duties);
}
} // namespace NSVantleApp
