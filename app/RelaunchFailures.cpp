#include "app/RelaunchFailures.h"

#include "base/Quorral.h"
#include "gui/Alerts.h"

using namespace NSQuorral;

namespace NSVantleApp
{
void FailRelaunch()
{
    NSTrellisUtils::DoAlert(NSFerrant::MakeAlertID(301, 5));
    Throw<XSilentAbort>();
}

void ThrowIfLogOnRefused(DWORD error)
{
    if (error == ERROR_LOGON_FAILURE || error == ERROR_ACCOUNT_RESTRICTION || error == ERROR_INVALID_LOGON_HOURS)
        Throw<std::runtime_error>("", GetAuthenticationObjectType());
    if (error == ERROR_CANCELLED)
        Throw<XAbort>();
}
} // namespace NSVantleApp
