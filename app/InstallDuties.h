#pragma once
// Running the install duties in the mode the command line selected: at a normal start, the
// elevated relaunch for pending duties; in the install and uninstall modes, the duties themselves
// and the exit code that tells the waiting copy how they went.
#include "app/InstallDuty.h"
#include "base/ResourceID.h"

namespace NSVantleApp
{
struct TInstallDutiesContext
{
    NSTextPackage::TUTF16String fApplicationName;
    NSFerrant::TResourceID fNotAdministratorAlert;
    // An empty id shows no alert; the exit code still tells of the failure.
    NSFerrant::TResourceID fOutOfSpaceAlert;
    NSFerrant::TResourceID fFailureAlert;
};

// The start-up's one call. The application's windows are disabled while it runs. In the normal
// mode it returns when the program may go on: no duty is pending, or the relaunched copy
// reported success; a failed relaunch is XSilentAbort and a refused elevation XAbort. In the
// install and uninstall modes it sets the exit code and always ends with XSilentAbort.
void RunInstallDuties(const TInstallDutiesContext& context, NSInstallDuties::TInstallDuties duties);

// Installs, in list order, each pending duty that an argument "/" + name (case sensitive,
// possibly followed by more) selects, with what follows the name. Failures pass on.
void InstallDuties(NSInstallDuties::TInstallDuties duties);
// Undoes the duties that are done, last first. XAbort or XSilentAbort from one stops the loop;
// any other failure is skipped. Never throws.
void UninstallDuties(NSInstallDuties::TInstallDuties duties);
// Relaunches the program elevated with "/install" and one argument per pending duty, and waits
// for it. Returns when nothing is pending or the copy exited with 0; any other exit code is
// XSilentAbort.
void RelaunchForPendingDuties(NSInstallDuties::TInstallDuties duties);
} // namespace NSVantleApp
